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
    EXPECT_NE(t[Textura::MISIL], 0u);
    EXPECT_NE(t[Textura::CIELO_ARRIBA], 0u);
    EXPECT_NE(t[ImagenMenu::INICIO_COMENZAR], 0u);
    EXPECT_NE(t[ImagenMenu::INICIO_SALIR], 0u);
    EXPECT_EQ(t[ImagenMenu::SELECC_CONTINUAR], 0u);
    EXPECT_EQ(t[ImagenMenu::GAME_OVER_IMAGEN], 0u);
    EXPECT_EQ(t[ImagenMenu::TORRE3], 0u);
    liberarTexturas(t);
}

TEST_F(DeferredPictures, APictureIsReadOnFirstUseAndKept) {
    liso("MENU_ROJO.png", 200, 0, 0);
    Texturas t;
    cargarTexturas(t);
    const unsigned rojoMenu = texturaMenu(t, ImagenMenu::ROJO);
    ASSERT_NE(rojoMenu, 0u);
    EXPECT_EQ(t[ImagenMenu::ROJO], rojoMenu);
    EXPECT_EQ(rojo(rojoMenu), 200);
    // Asked again, the same texture: the file is not read a second time.
    EXPECT_EQ(texturaMenu(t, ImagenMenu::ROJO), rojoMenu);
    EXPECT_EQ(texturaMenu(t, ImagenMenu::NINGUNA), 0u);
    // Only that picture was read.
    EXPECT_EQ(t[ImagenMenu::AZUL], 0u);
    liberarTexturas(t);
    EXPECT_EQ(t[ImagenMenu::ROJO], 0u);
}

TEST_F(DeferredPictures, TheRestLoadOnceAskedAndComeBackAfterANewContext) {
    liso("gameover.png", 90, 0, 0);
    liso("torre3d.jpg", 10, 0, 0);
    Texturas t;
    cargarTexturas(t);
    const unsigned yaMostrada = texturaMenu(t, ImagenMenu::TORRE1);
    cargarTexturasMenu(t);
    EXPECT_EQ(t[ImagenMenu::TORRE1], yaMostrada) << "a picture already read stays as it is";
    for (unsigned nombre : {t[ImagenMenu::GAME_OVER_IMAGEN], t[ImagenMenu::SELECC_CONTINUAR],
                            t[ImagenMenu::DIREC], t[ImagenMenu::TORRE2], t[ImagenMenu::TORRE3]}) {
        EXPECT_NE(nombre, 0u);
    }
    EXPECT_EQ(rojo(t[ImagenMenu::GAME_OVER_IMAGEN]), 90);
    // A missing file still gives a texture, as at start-up: it is not tried again every frame.
    EXPECT_NE(t[ImagenMenu::VERDE], 0u);

    // F11: everything freed, then made again in the new context; the menus on demand.
    liberarTexturas(t);
    cargarTexturas(t);
    EXPECT_EQ(t[ImagenMenu::GAME_OVER_IMAGEN], 0u);
    EXPECT_EQ(rojo(texturaMenu(t, ImagenMenu::GAME_OVER_IMAGEN)), 90);
    liberarTexturas(t);
}

// The file names are what the asset generator writes: each picture is read from its own file.
TEST_F(DeferredPictures, EachPictureIsReadFromItsOwnFile) {
    struct Caso {
        const char* archivo;
        Textura textura;
    };
    const Caso juego[] = {
        {"canon.png", Textura::CIUDAD},         {"0.png", Textura::DIGITO_0},
        {"9.png", Textura::DIGITO_9},           {"bala.png", Textura::BALA},
        {"torre1.png", Textura::VIDA_1},        {"torre4.png", Textura::VIDA_4},
        {"vidallena.png", Textura::TORRE_SANA}, {"vidamedia.png", Textura::TORRE_MEDIA},
        {"vidabaja.png", Textura::TORRE_GRAVE},
    };
    // Every menu picture, in the order of ImagenMenu.
    const char* menus[] = {"inicio_comenzar.png",
                           "inicio_salir.png",
                           "MENU_Selecc_Continuar.jpg",
                           "MENU_Selecc_Velocidad.jpg",
                           "MENU_Selecc_Estados.jpg",
                           "MENU_Selecc_DirecyColor.jpg",
                           "MENU_VELOCIDAD_Lento.png",
                           "MENU_VELOCIDAD_Normal.png",
                           "MENU_VELOCIDAD_Rapido.png",
                           "MENU_ESTADOS_Selecc_Wireframe.png",
                           "MENU_ESTADOS_Selecc_Facet_Inter.png",
                           "MENU_ESTADOS_Selecc_Texturas.png",
                           "MENU_ROJO.png",
                           "MENU_AZUL.png",
                           "MENU_VERDE.png",
                           "MENU_BLANCO.png",
                           "MENU_DIREC.png",
                           "torre1d.jpg",
                           "torre2d.jpg",
                           "torre3d.jpg",
                           "gameover.png"};
    static_assert(sizeof(menus) / sizeof(menus[0]) == static_cast<int>(ImagenMenu::NINGUNA),
                  "a file for every menu picture");
    // Reds 8 apart: a JPEG keeps one colour within a few levels.
    int rojoDe = 16;
    for (const Caso& c : juego) {
        liso(c.archivo, rojoDe, 0, 0);
        rojoDe += 8;
    }
    for (const char* archivo : menus) {
        liso(archivo, rojoDe, 0, 0);
        rojoDe += 8;
    }
    Texturas t;
    cargarTexturas(t);
    rojoDe = 16;
    for (const Caso& c : juego) {
        EXPECT_EQ(rojo(t[c.textura]), rojoDe) << c.archivo;
        rojoDe += 8;
    }
    for (int i = 0; i < static_cast<int>(ImagenMenu::NINGUNA); ++i) {
        EXPECT_NEAR(rojo(texturaMenu(t, static_cast<ImagenMenu>(i))), rojoDe, 3) << menus[i];
        rojoDe += 8;
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
