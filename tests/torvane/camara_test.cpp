// Tests of the tower camera: its view directions, the stale direction between renders, moves.
#include <gtest/gtest.h>

#include <cmath>

#include "camara.h"
#include "gl_registro.h"

namespace {

void expectDir(const SF3dVector& d, double x, double y, double z, double tol = 1e-6) {
    EXPECT_NEAR(d.x, x, tol);
    EXPECT_NEAR(d.y, y, tol);
    EXPECT_NEAR(d.z, z, tol);
}

// The angles Render applied, in the order pitch, yaw, roll.
std::vector<double> renderedAngles(CCamera& c) {
    glregistro::clear();
    c.Render();
    std::vector<double> angulos;
    for (const auto& l : glregistro::named("glRotatef")) {
        angulos.push_back(l.args[0]);
    }
    return angulos;
}

} // namespace

// A camera never turned looks along -z: the first shot of a game flies to the screen's centre.
TEST(Camera, NewCameraRendersAZeroViewAndLooksAlongMinusZ) {
    CCamera c;
    expectDir(c.getPosition(), 0, 0, 0, 0);
    expectDir(c.getViewDir(), 0, 0, -1, 1e-7);
    glregistro::clear();
    c.Render();
    const auto& ll = glregistro::llamadas();
    ASSERT_EQ(ll.size(), 4u);
    EXPECT_EQ(ll[0].nombre, "glRotatef");
    EXPECT_EQ(ll[0].args, (std::vector<double>{-0.0, 1, 0, 0}));
    EXPECT_EQ(ll[1].args, (std::vector<double>{-0.0, 0, 1, 0}));
    EXPECT_EQ(ll[2].args, (std::vector<double>{-0.0, 0, 0, 1}));
    EXPECT_EQ(ll[3].nombre, "glTranslatef");
    EXPECT_EQ(ll[3].args, (std::vector<double>{0, 0, 0}));
    expectDir(c.getViewDir(), 0, 0, -1, 1e-7);
}

TEST(Camera, RenderAppliesNegatedAnglesThenNegatedPosition) {
    CCamera c;
    c.Move(F3dVector(10, 5, -3));
    c.RotateX(20);
    c.RotateY(-30);
    EXPECT_EQ(renderedAngles(c), (std::vector<double>{-20, 30, -0.0}));
    EXPECT_EQ(glregistro::named("glTranslatef")[0].args, (std::vector<double>{-10, -5, 3}));
}

TEST(Camera, ViewDirectionsOfTheTowerHeadings) {
    CCamera yaw90;
    yaw90.RotateY(90);
    yaw90.Render();
    EXPECT_EQ(yaw90.getViewDir().x, -1.0f);
    EXPECT_EQ(yaw90.getViewDir().y, 0.0f);
    EXPECT_NEAR(yaw90.getViewDir().z, 0.0, 1e-7);

    const double s = std::cos(M_PI / 4);
    CCamera yaw225;
    yaw225.RotateY(225);
    yaw225.Render();
    expectDir(yaw225.getViewDir(), s, 0, s);

    CCamera yaw135;
    yaw135.RotateY(135);
    yaw135.Render();
    expectDir(yaw135.getViewDir(), -s, 0, s);

    CCamera pitch90;
    pitch90.RotateX(90);
    pitch90.Render();
    expectDir(pitch90.getViewDir(), 0, 1, 0);
}

TEST(Camera, ViewDirMatchesTheClosedFormForAnyAngles) {
    for (float x = -170; x <= 170; x += 37.5f) {
        for (float y = -400; y <= 400; y += 41.25f) {
            CCamera c;
            c.RotateX(x);
            c.RotateY(y);
            c.Render();
            const double rx = x * M_PI / 180, ry = y * M_PI / 180;
            expectDir(c.getViewDir(), -std::sin(ry) * std::cos(rx), std::sin(rx),
                      -std::cos(ry) * std::cos(rx));
        }
    }
}

TEST(Camera, AnglesAccumulateWithoutLimitOrWrap) {
    CCamera pitch;
    pitch.RotateX(100);
    EXPECT_EQ(renderedAngles(pitch)[0], -100);
    expectDir(pitch.getViewDir(), 0, std::sin(100 * M_PI / 180), -std::cos(100 * M_PI / 180));
    EXPECT_GT(pitch.getViewDir().z, 0.0f);

    CCamera yaw;
    yaw.RotateY(360);
    yaw.RotateY(360);
    EXPECT_EQ(renderedAngles(yaw)[1], -720);
    expectDir(yaw.getViewDir(), 0, 0, -1);
}

// Once a Render has computed the direction, a turn shows only after the next Render; before the
// first one, the angles decide (a tower turned at start-up and reached before it was drawn).
TEST(Camera, ViewDirIsStaleUntilTheNextRender) {
    CCamera c;
    c.RotateY(90);
    expectDir(c.getViewDir(), -1, 0, 0);
    c.RotateY(90);
    expectDir(c.getViewDir(), 0, 0, 1);
    c.RotateY(-90);
    c.Render();
    c.RotateY(90);
    expectDir(c.getViewDir(), -1, 0, 0);
    c.Render();
    expectDir(c.getViewDir(), 0, 0, 1);
    c.Render();
    expectDir(c.getViewDir(), 0, 0, 1);
}

TEST(Camera, MoveAddsEachTimeAndLeavesTheView) {
    CCamera c;
    c.Move(F3dVector(10, 5, -3));
    expectDir(c.getPosition(), 10, 5, -3, 0);
    c.Move(F3dVector(10, 5, -3));
    expectDir(c.getPosition(), 20, 10, -6, 0);
    EXPECT_EQ(renderedAngles(c), (std::vector<double>{-0.0, -0.0, -0.0}));
    expectDir(c.getViewDir(), 0, 0, -1, 1e-7);
}
