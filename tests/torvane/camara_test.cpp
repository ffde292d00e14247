// Tests of the tower camera: what its view shows (in Mesa's off-screen GL), its view directions,
// the stale direction between renders, its moves and turns.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "camara.h"
#include "offscreen_gl.h"

using namespace torvane;

namespace {

// An odd size, so that the middle of the window is the middle of one pixel.
constexpr int W = 65, H = 65;
constexpr int CENTRE = 32;

void expectDir(const SF3dVector& d, double x, double y, double z, double tol = 1e-6) {
    EXPECT_NEAR(d.x, x, tol);
    EXPECT_NEAR(d.y, y, tol);
    EXPECT_NEAR(d.z, z, tol);
}

SF3dVector along(const SF3dVector& from, const SF3dVector& d, float k) {
    return F3dVector(from.x + k * d.x, from.y + k * d.y, from.z + k * d.z);
}

// The camera's up direction in the world, from its pitch X and yaw Y in degrees.
SF3dVector upOf(const CCamera& c) {
    const double x = c.getAngulos().x * M_PI / 180, y = c.getAngulos().y * M_PI / 180;
    return F3dVector(static_cast<float>(std::sin(x) * std::sin(y)), static_cast<float>(std::cos(x)),
                     static_cast<float>(std::sin(x) * std::cos(y)));
}

// Where the pixels of one colour channel lie on the screen (x right, y down), or nothing when no
// pixel has it.
struct Spot {
    double x, y;
};
std::optional<Spot> spotOf(const Picture& p, int channel) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const Rgb c = p.at(x, y);
            if ((channel == 0 ? c.r : channel == 1 ? c.g : c.b) > 128) {
                sx += x;
                sy += y;
                ++n;
            }
        }
    }
    if (n == 0) {
        return std::nullopt;
    }
    return Spot{sx / n, sy / n};
}

class CameraView : public OffscreenTest<W, H> {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(OffscreenTest::SetUp());
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, 1.0, 0.1, 200.0);
        glMatrixMode(GL_MODELVIEW);
        glPointSize(3);
    }

    // The picture of the camera's view with a red mark at `red` and a green one at `green`.
    Picture look(CCamera& c, const SF3dVector& red, const SF3dVector& green) {
        glClear(GL_COLOR_BUFFER_BIT);
        glLoadIdentity();
        c.Render();
        glBegin(GL_POINTS);
        glColor3f(1, 0, 0);
        glVertex3f(red.x, red.y, red.z);
        glColor3f(0, 1, 0);
        glVertex3f(green.x, green.y, green.z);
        glEnd();
        return gl_.read();
    }

    // A mark ten units along the view direction shows in the middle of the screen, and one two
    // units up from it straight above the middle: a shot along getViewDir flies to the middle of
    // what the player sees, and the view is neither rolled nor mirrored.
    void expectLooksAlongItsViewDir(CCamera& c) {
        c.Render();
        const SF3dVector ahead = along(c.getPosition(), c.getViewDir(), 10);
        const Picture p = look(c, ahead, along(ahead, upOf(c), 2));
        const auto red = spotOf(p, 0), green = spotOf(p, 1);
        ASSERT_TRUE(red && green) << "pitch " << c.getAngulos().x << ", yaw " << c.getAngulos().y;
        EXPECT_NEAR(red->x, CENTRE, 0.5)
            << "pitch " << c.getAngulos().x << ", yaw " << c.getAngulos().y;
        EXPECT_NEAR(red->y, CENTRE, 0.5)
            << "pitch " << c.getAngulos().x << ", yaw " << c.getAngulos().y;
        EXPECT_NEAR(green->x, CENTRE, 0.5);
        EXPECT_LT(green->y, CENTRE - 5);
    }
};

} // namespace

// A camera never turned looks along -z from the origin: the first shot of a game flies to the
// screen's centre.
TEST_F(CameraView, NewCameraLooksAlongMinusZFromTheOrigin) {
    CCamera c;
    expectDir(c.getPosition(), 0, 0, 0, 0);
    expectDir(c.getAngulos(), 0, 0, 0, 0);
    expectDir(c.getViewDir(), 0, 0, -1, 1e-7);
    const Picture p = look(c, F3dVector(0, 0, -10), F3dVector(0, 0, 10));
    const auto red = spotOf(p, 0);
    ASSERT_TRUE(red);
    EXPECT_NEAR(red->x, CENTRE, 0.5);
    EXPECT_NEAR(red->y, CENTRE, 0.5);
    EXPECT_FALSE(spotOf(p, 1)) << "a point behind the eye is not seen";
    expectDir(c.getViewDir(), 0, 0, -1, 1e-7);
    ASSERT_NO_FATAL_FAILURE(expectLooksAlongItsViewDir(c));
}

// Pitch and yaw of every sign and size, from a camera moved away from the origin as a tower's is.
TEST_F(CameraView, TheMiddleOfTheScreenIsWhereTheViewDirectionPoints) {
    for (float x : {-80.0f, -35.0f, 0.0f, 20.0f, 60.0f, 100.0f}) {
        for (float y : {-400.0f, -135.0f, -30.0f, 0.0f, 90.0f, 225.0f, 720.0f}) {
            CCamera c;
            c.Move(F3dVector(10, 5, -3));
            c.RotateY(y);
            c.RotateX(x);
            ASSERT_NO_FATAL_FAILURE(expectLooksAlongItsViewDir(c));
        }
    }
}

// Turning to the left (positive yaw) brings what stood to the left into the middle; looking up
// (positive pitch) what stood above.
TEST_F(CameraView, PositiveYawTurnsLeftAndPositivePitchLooksUp) {
    CCamera c;
    c.Move(F3dVector(0, 5, 45));
    Picture p = look(c, F3dVector(-10, 5, 45), F3dVector(0, 15, 45));
    EXPECT_FALSE(spotOf(p, 0)) << "the left is out of an unturned view";
    c.RotateY(90);
    p = look(c, F3dVector(-10, 5, 45), F3dVector(0, 15, 45));
    ASSERT_TRUE(spotOf(p, 0));
    EXPECT_NEAR(spotOf(p, 0)->x, CENTRE, 0.5);
    EXPECT_FALSE(spotOf(p, 1));
    c.RotateY(-90);
    c.RotateX(90);
    p = look(c, F3dVector(-10, 5, 45), F3dVector(0, 15, 45));
    ASSERT_TRUE(spotOf(p, 1));
    EXPECT_NEAR(spotOf(p, 1)->x, CENTRE, 0.5);
    EXPECT_NEAR(spotOf(p, 1)->y, CENTRE, 0.5);
}

TEST_F(CameraView, ViewDirectionsOfTheTowerHeadings) {
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

TEST_F(CameraView, ViewDirMatchesTheClosedFormForAnyAngles) {
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

TEST_F(CameraView, AnglesAccumulateWithoutLimitOrWrap) {
    CCamera pitch;
    pitch.RotateX(100);
    pitch.Render();
    EXPECT_EQ(pitch.getAngulos().x, 100);
    expectDir(pitch.getViewDir(), 0, std::sin(100 * M_PI / 180), -std::cos(100 * M_PI / 180));
    EXPECT_GT(pitch.getViewDir().z, 0.0f);
    ASSERT_NO_FATAL_FAILURE(expectLooksAlongItsViewDir(pitch));

    CCamera yaw;
    yaw.RotateY(360);
    yaw.RotateY(360);
    yaw.Render();
    EXPECT_EQ(yaw.getAngulos().y, 720);
    expectDir(yaw.getViewDir(), 0, 0, -1);
}

// Once a Render has computed the direction, a turn shows only after the next Render; before the
// first one, the angles decide (a tower turned at start-up and reached before it was drawn).
TEST_F(CameraView, ViewDirIsStaleUntilTheNextRender) {
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

TEST_F(CameraView, MoveAddsEachTimeAndLeavesTheView) {
    CCamera c;
    c.Move(F3dVector(10, 5, -3));
    expectDir(c.getPosition(), 10, 5, -3, 0);
    c.Move(F3dVector(10, 5, -3));
    expectDir(c.getPosition(), 20, 10, -6, 0);
    expectDir(c.getAngulos(), 0, 0, 0, 0);
    expectDir(c.getViewDir(), 0, 0, -1, 1e-7);
    // The view moved with the eye: what stood ahead of the origin stands ahead of it now.
    const Picture p = look(c, F3dVector(20, 10, -16), F3dVector(0, 0, -10));
    ASSERT_TRUE(spotOf(p, 0));
    EXPECT_NEAR(spotOf(p, 0)->x, CENTRE, 0.5);
    EXPECT_NEAR(spotOf(p, 0)->y, CENTRE, 0.5);
    EXPECT_FALSE(spotOf(p, 1)) << "what stood ahead of the origin is out of the view";
}
