// Tests of the mesh drawer in Mesa's off-screen GL: the triangles it sends, the picture and the
// light they show, and the faces it leaves out.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "gl_feedback.h"
#include "luz.h"
#include "modelo3ds_dibujo.h"
#include "offscreen_gl.h"

using namespace torvane;

namespace {

// An odd size, so that the middle of the window is the middle of one pixel. The view shows x and
// y from -1 to 1.
constexpr int W = 65, H = 65;

// The triangle (0, 0, 0), (1, 0, 0), (0, 1, 0) as face 0, listed from its last corner.
std::unique_ptr<obj_type> triangleMesh() {
    auto o = std::make_unique<obj_type>();
    o->vertices_qty = 3;
    o->vertex[0] = {0, 0, 0};
    o->vertex[1] = {1, 0, 0};
    o->vertex[2] = {0, 1, 0};
    o->polygons_qty = 1;
    o->polygon[0] = {2, 1, 0, {0, 0, 1}};
    return o;
}

// A 2 x 2 texture, drawn without filtering and unlit: red at (s, t) = (0.25, 0.25), green at
// (0.75, 0.25), blue at (0.25, 0.75), white at (0.75, 0.75).
unsigned fourColours() {
    const unsigned char texels[2 * 2 * 4] = {255, 0, 0,   255, 0,   255, 0,   255,
                                             0,   0, 255, 255, 255, 255, 255, 255};
    unsigned name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    return name;
}

class MeshDrawing : public OffscreenTest<W, H> {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(OffscreenTest::SetUp());
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1, 1, -1, 1, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClear(GL_COLOR_BUFFER_BIT);
    }
    // The colour shown at the world point (x, y).
    Rgb at(const Picture& p, float x, float y) const {
        return p.at(static_cast<int>((x + 1) * W / 2), static_cast<int>((1 - y) * H / 2));
    }

    std::vector<DrawnPolygon> sent(const obj_type& o) {
        return polygonsDrawn([&o] { drawObject(o); });
    }
};

::testing::AssertionResult shows(const Rgb& c, int r, int g, int b) {
    if (c.r == r && c.g == g && c.b == b) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "shows (" << c.r << ", " << c.g << ", " << c.b << ")";
}

// The window position of the world point (x, y).
float windowX(float x) {
    return (x + 1) * W / 2;
}
float windowY(float y) {
    return (y + 1) * H / 2;
}

} // namespace

TEST_F(MeshDrawing, AZeroedMeshDrawsNothing) {
    auto o = std::make_unique<obj_type>();
    EXPECT_TRUE(sent(*o).empty());
    drawObject(*o);
    const Picture p = gl_.read();
    for (float x : {-0.5f, 0.0f, 0.5f}) {
        EXPECT_TRUE(shows(at(p, x, x), 0, 0, 0)) << x;
    }
}

// Each corner takes its own position and texture coordinates, and the mesh its own texture
// whatever was bound before.
TEST_F(MeshDrawing, EachCornerShowsItsOwnPartOfTheMeshsTexture) {
    auto o = triangleMesh();
    o->mapcoord[0] = {0.25f, 0.25f};
    o->mapcoord[1] = {0.75f, 0.25f};
    o->mapcoord[2] = {0.25f, 0.75f};
    o->id_texture = static_cast<int>(fourColours());
    const unsigned other = noiseTexture(4, 3);
    glBindTexture(GL_TEXTURE_2D, other);
    glEnable(GL_TEXTURE_2D);

    const std::vector<DrawnPolygon> triangles = sent(*o);
    ASSERT_EQ(triangles.size(), 1u);
    ASSERT_EQ(triangles[0].corners.size(), 3u);
    for (const Corner& c : triangles[0].corners) {
        // The corner at world (x, y) has texture coordinates (0.25 + x / 2, 0.25 + y / 2).
        const float x = c.x * 2 / W - 1, y = c.y * 2 / H - 1;
        EXPECT_NEAR(x, std::round(x), 1e-4);
        EXPECT_NEAR(y, std::round(y), 1e-4);
        EXPECT_NEAR(c.s, 0.25f + std::round(x) / 2, 1e-6);
        EXPECT_NEAR(c.t, 0.25f + std::round(y) / 2, 1e-6);
    }

    drawObject(*o);
    const Picture p = gl_.read();
    EXPECT_TRUE(shows(at(p, 0.1f, 0.1f), 255, 0, 0)) << "near (0, 0, 0)";
    EXPECT_TRUE(shows(at(p, 0.85f, 0.05f), 0, 255, 0)) << "near (1, 0, 0)";
    EXPECT_TRUE(shows(at(p, 0.05f, 0.85f), 0, 0, 255)) << "near (0, 1, 0)";
    EXPECT_TRUE(shows(at(p, 0.7f, 0.7f), 0, 0, 0)) << "beyond the long side";
}

// Under the game's light, each face is shaded by its own normal: the face turned to the light is
// bright, the face turned away shows only the ambient light.
TEST_F(MeshDrawing, EachFaceIsLitByItsOwnNormal) {
    auto o = std::make_unique<obj_type>();
    o->vertices_qty = 6;
    o->vertex[0] = {-0.9f, -0.5f, 0};
    o->vertex[1] = {-0.1f, -0.5f, 0};
    o->vertex[2] = {-0.5f, 0.5f, 0};
    o->vertex[3] = {0.1f, -0.5f, 0};
    o->vertex[4] = {0.9f, -0.5f, 0};
    o->vertex[5] = {0.5f, 0.5f, 0};
    o->polygons_qty = 2;
    o->polygon[0] = {0, 1, 2, {0, 0, 1}};
    o->polygon[1] = {3, 4, 5, {0, 0, -1}};
    // The light 20 above (0, -20, 10): on the eye's side of both faces.
    iluminar(1, 1, 1, 0, -20, 10);
    glDisable(GL_TEXTURE_2D);
    drawObject(*o);
    const Picture p = gl_.read();
    const Rgb toward = at(p, -0.5f, -0.2f), away = at(p, 0.5f, -0.2f);
    EXPECT_GT(toward.r, 180);
    EXPECT_GT(away.r, 10) << "the ambient light";
    EXPECT_LT(away.r, 60);
    EXPECT_EQ(at(p, 0, 0.8f).r, 0) << "nothing between and above the faces";

    // The same faces with their normals swapped trade their shades.
    std::swap(o->polygon[0].normal, o->polygon[1].normal);
    glClear(GL_COLOR_BUFFER_BIT);
    drawObject(*o);
    const Picture swapped = gl_.read();
    EXPECT_EQ(at(swapped, -0.5f, -0.2f).r, away.r);
    EXPECT_EQ(at(swapped, 0.5f, -0.2f).r, toward.r);
}

TEST_F(MeshDrawing, FacesWithCornersOutsideTheMeshAreLeftOut) {
    auto o = triangleMesh();
    o->polygon[1] = {0, 1, 3, {}};
    o->polygon[2] = {0, 60000, 1, {}};
    o->polygon[3] = {1, 2, -1, {}};
    o->polygons_qty = 5;
    o->polygon[4] = {1, 2, 0, {}};
    const std::vector<DrawnPolygon> triangles = sent(*o);
    ASSERT_EQ(triangles.size(), 2u);
    for (const DrawnPolygon& t : triangles) {
        ASSERT_EQ(t.corners.size(), 3u);
        for (const Corner& c : t.corners) {
            EXPECT_TRUE(std::fabs(c.x - windowX(0)) < 1e-3 || std::fabs(c.x - windowX(1)) < 1e-3);
            EXPECT_TRUE(std::fabs(c.y - windowY(0)) < 1e-3 || std::fabs(c.y - windowY(1)) < 1e-3);
        }
    }
}

TEST_F(MeshDrawing, CountsBeyondTheArraysAreHeldToThem) {
    auto o = triangleMesh();
    o->polygons_qty = 1 << 20;
    o->vertices_qty = 1 << 20;
    for (int k = 0; k < MAX_POLYGONS; ++k) {
        o->polygon[k] = {k % 3, 50000, 2, {}};
    }
    o->polygon[MAX_POLYGONS - 1] = {MAX_VERTICES - 1, 0, 1, {}};
    const std::vector<DrawnPolygon> triangles = sent(*o);
    ASSERT_EQ(triangles.size(), 1u);
    EXPECT_NEAR(triangles[0].corners[0].x, windowX(0), 1e-3) << "the last vertex the mesh holds";

    o->polygons_qty = -5;
    EXPECT_TRUE(sent(*o).empty());
}
