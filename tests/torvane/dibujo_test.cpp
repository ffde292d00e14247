// Tests of the mesh drawer: the calls it makes and the faces it leaves out.
#include <gtest/gtest.h>

#include <memory>

#include <GL/gl.h>

#include "gl_registro.h"
#include "modelo3ds_dibujo.h"

namespace {

std::unique_ptr<obj_type> triangleMesh() {
    auto o = std::make_unique<obj_type>();
    o->vertices_qty = 3;
    o->vertex[0] = {0, 0, 0};
    o->vertex[1] = {1, 0, 0};
    o->vertex[2] = {0, 1, 0};
    o->mapcoord[1] = {0.25f, 0.75f};
    o->polygons_qty = 1;
    o->polygon[0] = {2, 1, 0, {0, 0, -1}};
    o->id_texture = 7;
    return o;
}

} // namespace

TEST(DrawObject, ZeroedMeshDrawsNoTriangle) {
    auto o = std::make_unique<obj_type>();
    glregistro::clear();
    drawObject(*o);
    const auto& ll = glregistro::llamadas();
    ASSERT_EQ(ll.size(), 3u);
    EXPECT_EQ(ll[0].nombre, "glBindTexture");
    EXPECT_EQ(ll[1].nombre, "glBegin");
    EXPECT_EQ(ll[2].nombre, "glEnd");
}

TEST(DrawObject, OneNormalThenTexCoordAndVertexPerCornerInOrder) {
    auto o = triangleMesh();
    glregistro::clear();
    drawObject(*o);
    const auto& ll = glregistro::llamadas();
    ASSERT_EQ(ll.size(), 10u);
    EXPECT_EQ(ll[0].args, (std::vector<double>{GL_TEXTURE_2D, 7}));
    EXPECT_EQ(ll[1].args, (std::vector<double>{GL_TRIANGLES}));
    EXPECT_EQ(ll[2].nombre, "glNormal3f");
    EXPECT_EQ(ll[2].args, (std::vector<double>{0, 0, -1}));
    EXPECT_EQ(ll[3].nombre, "glTexCoord2f");
    EXPECT_EQ(ll[4].args, (std::vector<double>{0, 1, 0}));
    EXPECT_EQ(ll[5].args, (std::vector<double>{0.25, 0.75}));
    EXPECT_EQ(ll[6].args, (std::vector<double>{1, 0, 0}));
    EXPECT_EQ(ll[8].args, (std::vector<double>{0, 0, 0}));
    EXPECT_EQ(ll[9].nombre, "glEnd");
}

TEST(DrawObject, FacesWithCornersOutsideTheMeshAreLeftOut) {
    auto o = triangleMesh();
    o->polygons_qty = 4;
    o->polygon[1] = {0, 1, 3, {}};
    o->polygon[2] = {0, 60000, 1, {}};
    o->polygon[3] = {1, 2, 0, {}};
    glregistro::clear();
    drawObject(*o);
    EXPECT_EQ(glregistro::named("glNormal3f").size(), 2u);
    EXPECT_EQ(glregistro::named("glVertex3f").size(), 6u);
}

TEST(DrawObject, CountsBeyondTheArraysAreHeldToThem) {
    auto o = triangleMesh();
    o->polygons_qty = 1 << 20;
    o->vertices_qty = 1 << 20;
    for (int k = 0; k < MAX_POLYGONS; ++k) {
        o->polygon[k] = {k % 3, 50000, 2, {}};
    }
    o->polygon[MAX_POLYGONS - 1] = {MAX_VERTICES - 1, 0, 1, {}};
    glregistro::clear();
    drawObject(*o);
    EXPECT_EQ(glregistro::named("glVertex3f").size(), 3u);

    o->polygons_qty = -5;
    glregistro::clear();
    drawObject(*o);
    EXPECT_EQ(glregistro::llamadas().size(), 3u);
}
