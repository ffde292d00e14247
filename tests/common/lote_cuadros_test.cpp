// Quads sent in batches by texture give the picture and the state they give sent one by one.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "lote_cuadros.h"
#include "offscreen_gl.h"

namespace {

constexpr int W = 96, H = 64;

struct Result {
    std::vector<std::uint32_t> colour, depth;
    GLint bound = 0;
    GLfloat texture[4] = {}, colourNow[4] = {};
    bool operator==(const Result& o) const {
        return colour == o.colour && depth == o.depth && bound == o.bound &&
               std::equal(texture, texture + 4, o.texture) &&
               std::equal(colourNow, colourNow + 4, o.colourNow);
    }
};

Result read() {
    Result r;
    readColourAndDepth(W, H, r.colour, r.depth);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &r.bound);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, r.texture);
    glGetFloatv(GL_CURRENT_COLOR, r.colourNow);
    return r;
}

// Quads of three textures in runs and alone, touching along fractional edges, some overlapping
// at the same depth (the first drawn keeps the pixel), slanted, with texture coordinates of their
// own; the space is the HUD's, 480 units across 96 pixels and 640 up 64.
Result draw(bool join, const unsigned* textures, bool outline, bool flat) {
    glViewport(0, 0, W, H);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 480, 0, 640, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glShadeModel(flat ? GL_FLAT : GL_SMOOTH);
    glPolygonMode(GL_FRONT_AND_BACK, outline ? GL_LINE : GL_FILL);
    glClearColor(0.2f, 0.1f, 0.3f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1.0f, 1.0f, 1.0f);
    LoteCuadros lote(join);
    const int kinds[] = {0, 0, 0, 1, 2, 2, 0, 1, 1, 1, 1, 2, 0};
    int i = 0;
    for (int kind : kinds) {
        const float x = 13.0f + 31.7f * i, y = 600.0f - 37.3f * (i % 5);
        const float z = i % 3 == 0 ? 0.1f : -0.2f * static_cast<float>(i % 4);
        const float c[4][5] = {{x, y, z, 0, 1},
                               {x + 7.0f, y - 210.0f, z, 0, 0},
                               {x + 45.5f, y - 205.0f, 0.1f, 1.3f, 0},
                               {x + 41.0f, y, z, 1, 1.2f}};
        lote.cuadro(textures[kind], c);
        ++i;
    }
    lote.terminar();
    return read();
}

TEST(QuadBatches, TheSamePixelsAndStateAsQuadByQuad) {
    OffscreenGl gl;
    ASSERT_NO_FATAL_FAILURE(gl.open(W, H));
    const unsigned textures[3] = {noiseTexture(16, 3), noiseTexture(8, 5), noiseTexture(32, 9)};
    for (bool outline : {false, true}) {
        for (bool flat : {false, true}) {
            const Result alone = draw(false, textures, outline, flat);
            const Result joined = draw(true, textures, outline, flat);
            EXPECT_TRUE(joined == alone) << "outline " << outline << " flat " << flat;
            EXPECT_EQ(joined.bound, static_cast<GLint>(textures[0]));
        }
    }
    // A batch with nothing in it sends nothing.
    LoteCuadros empty(true);
    empty.terminar();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    gl.close();
}

} // namespace
