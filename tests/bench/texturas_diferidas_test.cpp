// Torvane's menu pictures past the start screen are read after start-up: on first use, or all at
// once when the game asks, in Mesa's off-screen GL.
#include "image_file.h"
#include "offscreen_gl.h"
#include "texturas.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace torvane;

namespace {

constexpr int W = 64, H = 64;

class DeferredPictures : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(gl_.open(W, H, "/tmp/torvane-diferidas-XXXXXX", true));
        ASSERT_EQ(mkdir("texturas", 0755), 0);
    }
    void TearDown() override { ASSERT_NO_FATAL_FAILURE(gl_.close()); }

    // A 2 x 2 picture of one colour.
    static void liso(const char* nombre, int r, int g, int b) {
        ASSERT_TRUE(writeOneColour(std::string("texturas/") + nombre, r, g, b, 2, 2)) << nombre;
    }

    // The red of the texture's first texel.
    static int rojo(unsigned textura) {
        unsigned char p[2 * 2 * 4] = {};
        glBindTexture(GL_TEXTURE_2D, textura);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return p[0];
    }

    OffscreenGl gl_;
};

TEST_F(DeferredPictures, StartUpLoadsPlayAndStartScreenOnly) {
    Texturas t;
    cargarTexturas(t);
    EXPECT_NE(t.textura_misil, 0u);
    EXPECT_NE(t.sky_box_textura[5], 0u);
    EXPECT_NE(t.MENU_inicio_comenzar, 0u);
    EXPECT_NE(t.MENU_inicio_salir, 0u);
    EXPECT_EQ(t.MENU_Selecc_Continuar, 0u);
    EXPECT_EQ(t.textura_game_over, 0u);
    EXPECT_EQ(t.menu_torre[2], 0u);
    liberarTexturas(t);
}

TEST_F(DeferredPictures, APictureIsReadOnFirstUseAndKept) {
    liso("MENU_ROJO.png", 200, 0, 0);
    Texturas t;
    cargarTexturas(t);
    const unsigned rojoMenu = texturaMenu(t, ImagenMenu::ROJO);
    ASSERT_NE(rojoMenu, 0u);
    EXPECT_EQ(t.MENU_ROJO, rojoMenu);
    EXPECT_EQ(rojo(rojoMenu), 200);
    // Asked again, the same texture: the file is not read a second time.
    EXPECT_EQ(texturaMenu(t, ImagenMenu::ROJO), rojoMenu);
    EXPECT_EQ(texturaMenu(t, ImagenMenu::NINGUNA), 0u);
    // Only that picture was read.
    EXPECT_EQ(t.MENU_AZUL, 0u);
    liberarTexturas(t);
    EXPECT_EQ(t.MENU_ROJO, 0u);
}

TEST_F(DeferredPictures, TheRestLoadOnceAskedAndComeBackAfterANewContext) {
    liso("gameover.png", 90, 0, 0);
    liso("torre3d.jpg", 10, 0, 0);
    Texturas t;
    cargarTexturas(t);
    const unsigned yaMostrada = texturaMenu(t, ImagenMenu::TORRE1);
    cargarTexturasMenu(t);
    EXPECT_EQ(t.menu_torre[0], yaMostrada) << "a picture already read stays as it is";
    for (unsigned nombre : {t.textura_game_over, t.MENU_Selecc_Continuar, t.MENU_DIREC,
                            t.menu_torre[1], t.menu_torre[2]}) {
        EXPECT_NE(nombre, 0u);
    }
    EXPECT_EQ(rojo(t.textura_game_over), 90);
    // A missing file still gives a texture, as at start-up: it is not tried again every frame.
    EXPECT_NE(t.MENU_VERDE, 0u);

    // F11: everything freed, then made again in the new context; the menus on demand.
    liberarTexturas(t);
    cargarTexturas(t);
    EXPECT_EQ(t.textura_game_over, 0u);
    EXPECT_EQ(rojo(texturaMenu(t, ImagenMenu::GAME_OVER_IMAGEN)), 90);
    liberarTexturas(t);
}

} // namespace
