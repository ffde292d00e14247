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
    EXPECT_NE(t[Textura::MISIL], 0u);
    EXPECT_NE(t[Textura::CIELO_ARRIBA], 0u);
    EXPECT_NE(t[Textura::INICIO_COMENZAR], 0u);
    EXPECT_NE(t[Textura::INICIO_SALIR], 0u);
    EXPECT_EQ(t[Textura::SELECC_CONTINUAR], 0u);
    EXPECT_EQ(t[Textura::GAME_OVER], 0u);
    EXPECT_EQ(t[Textura::MENU_TORRE3], 0u);
    liberarTexturas(t);
}

TEST_F(DeferredPictures, APictureIsReadOnFirstUseAndKept) {
    liso("MENU_ROJO.png", 200, 0, 0);
    Texturas t;
    cargarTexturas(t);
    const unsigned rojoMenu = texturaMenu(t, ImagenMenu::ROJO);
    ASSERT_NE(rojoMenu, 0u);
    EXPECT_EQ(t[Textura::ROJO], rojoMenu);
    EXPECT_EQ(rojo(rojoMenu), 200);
    // Asked again, the same texture: the file is not read a second time.
    EXPECT_EQ(texturaMenu(t, ImagenMenu::ROJO), rojoMenu);
    EXPECT_EQ(texturaMenu(t, ImagenMenu::NINGUNA), 0u);
    // Only that picture was read.
    EXPECT_EQ(t[Textura::AZUL], 0u);
    liberarTexturas(t);
    EXPECT_EQ(t[Textura::ROJO], 0u);
}

TEST_F(DeferredPictures, TheRestLoadOnceAskedAndComeBackAfterANewContext) {
    liso("gameover.png", 90, 0, 0);
    liso("torre3d.jpg", 10, 0, 0);
    Texturas t;
    cargarTexturas(t);
    const unsigned yaMostrada = texturaMenu(t, ImagenMenu::TORRE1);
    cargarTexturasMenu(t);
    EXPECT_EQ(t[Textura::MENU_TORRE1], yaMostrada) << "a picture already read stays as it is";
    for (unsigned nombre : {t[Textura::GAME_OVER], t[Textura::SELECC_CONTINUAR], t[Textura::DIREC],
                            t[Textura::MENU_TORRE2], t[Textura::MENU_TORRE3]}) {
        EXPECT_NE(nombre, 0u);
    }
    EXPECT_EQ(rojo(t[Textura::GAME_OVER]), 90);
    // A missing file still gives a texture, as at start-up: it is not tried again every frame.
    EXPECT_NE(t[Textura::VERDE], 0u);

    // F11: everything freed, then made again in the new context; the menus on demand.
    liberarTexturas(t);
    cargarTexturas(t);
    EXPECT_EQ(t[Textura::GAME_OVER], 0u);
    EXPECT_EQ(rojo(texturaMenu(t, ImagenMenu::GAME_OVER_IMAGEN)), 90);
    liberarTexturas(t);
}

// The file names are what the asset generator writes: each picture is read from its own file,
// and every menu picture the rules can name has one.
TEST_F(DeferredPictures, EachPictureIsReadFromItsOwnFile) {
    struct Caso {
        const char* archivo;
        Textura textura;
    };
    const Caso casos[] = {
        {"canon.png", Textura::CIUDAD},
        {"0.png", Textura::DIGITO_0},
        {"9.png", Textura::DIGITO_9},
        {"bala.png", Textura::BALA},
        {"torre1.png", Textura::VIDA_1},
        {"torre4.png", Textura::VIDA_4},
        {"vidallena.png", Textura::TORRE_SANA},
        {"vidamedia.png", Textura::TORRE_MEDIA},
        {"vidabaja.png", Textura::TORRE_GRAVE},
        {"MENU_DIREC.png", Textura::DIREC},
        {"inicio_salir.png", Textura::INICIO_SALIR},
    };
    int rojoDe = 20;
    for (const Caso& c : casos) {
        liso(c.archivo, rojoDe, 0, 0);
        rojoDe += 10;
    }
    Texturas t;
    cargarTexturas(t);
    cargarTexturasMenu(t);
    rojoDe = 20;
    for (const Caso& c : casos) {
        EXPECT_EQ(rojo(t[c.textura]), rojoDe) << c.archivo;
        rojoDe += 10;
    }

    // Every menu picture is a texture of its own.
    std::vector<unsigned> vistas;
    for (int i = 0; i < static_cast<int>(ImagenMenu::NINGUNA); ++i) {
        const unsigned nombre = texturaMenu(t, static_cast<ImagenMenu>(i));
        EXPECT_NE(nombre, 0u) << "menu picture " << i;
        for (unsigned otra : vistas) {
            EXPECT_NE(nombre, otra) << "menu picture " << i;
        }
        vistas.push_back(nombre);
    }
    // Past the end of a run there is no picture, not the next one's.
    EXPECT_EQ(t.de(Textura::DIGITO_0, 9, 10), t[Textura::DIGITO_9]);
    EXPECT_EQ(t.de(Textura::DIGITO_0, 10, 10), 0u);
    EXPECT_EQ(t.de(Textura::VIDA_1, -1, 4), 0u);
    liberarTexturas(t);
    for (unsigned nombre : t.nombre) {
        EXPECT_EQ(nombre, 0u);
    }
}

} // namespace
