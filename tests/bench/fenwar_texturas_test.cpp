// Fenwar's start-up loads the pictures of the game frame; the menu pictures follow in a second
// step. Both together are the whole set. Mesa's off-screen GL.
#include "image_file.h"
#include "offscreen_gl.h"
#include "texturas.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

using namespace fenwar;

namespace {

constexpr int W = 64, H = 64;
constexpr int CANT = 20;

class FenwarPictures : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(gl_.open(W, H, "/tmp/fenwar-texturas-XXXXXX", true));
        // Every picture of the game, 2 x 2 of one colour: the slot number in red.
        for (int i = 0; i < CANT_IMAGENES; i++) {
            ASSERT_TRUE(writeOneColour(ARCHIVOS_TEXTURA[i], 10 * i + 5, 0, 0, 2, 2))
                << ARCHIVOS_TEXTURA[i];
        }
    }
    void TearDown() override { ASSERT_NO_FATAL_FAILURE(gl_.close()); }

    // The width of slot i's picture (0 while nothing is loaded there).
    int ancho(const unsigned* nombres, int i) {
        GLint w = 0;
        glBindTexture(GL_TEXTURE_2D, nombres[i]);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
        return w;
    }

    OffscreenGl gl_;
};

TEST_F(FenwarPictures, TheGameFrameFirstThenTheMenus) {
    unsigned nombres[CANT] = {};
    cargarTexturasJuego(nombres, CANT);
    for (int i = 0; i < CANT; i++) {
        EXPECT_NE(nombres[i], 0u) << "every name exists from the start: " << i;
    }
    for (int i :
         {TEX_TORRES, TEX_AVION, TEX_CANIONES, TEX_CIUDADES, TEX_CIELO, TEX_SUELO, TEX_FUEGO}) {
        EXPECT_EQ(ancho(nombres, i), 2) << i;
    }
    for (int i : {TEX_MENU, TEX_CONFIG, TEX_GAMEOVER}) {
        EXPECT_EQ(ancho(nombres, i), 0) << i;
    }
    cargarTexturasMenu(nombres);
    for (int i = 0; i < CANT_IMAGENES; i++) {
        EXPECT_EQ(ancho(nombres, i), 2) << i;
    }
    unsigned char p[2 * 2 * 4] = {};
    glBindTexture(GL_TEXTURE_2D, nombres[TEX_CONFIG]);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, p);
    EXPECT_NEAR(p[0], 10 * TEX_CONFIG + 5, 3) << "the configuration picture (a JPEG) in its slot";
}

TEST_F(FenwarPictures, TheWholeSetAtOnceAfterANewContext) {
    unsigned nombres[CANT] = {};
    cargarTexturas(nombres, CANT);
    for (int i = 0; i < CANT_IMAGENES; i++) {
        EXPECT_EQ(ancho(nombres, i), 2) << i;
    }
    // A table shorter than the ten images gets names for what fits and no menu step.
    unsigned pocos[4] = {};
    cargarTexturas(pocos, 4);
    EXPECT_EQ(ancho(pocos, TEX_CIUDADES), 2);
}

} // namespace
