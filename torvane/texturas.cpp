// Pictures of the game: turning an image file into a texture, and every texture the game shows.
#include "texturas.h"

#include <GL/gl.h>
#include <string>

#include "imagen_textura.h"

unsigned consigueimagen(const char* archivo) {
    GLuint nombre = 0;
    glGenTextures(1, &nombre);
    imagenATextura(archivo, nombre);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    return nombre;
}

namespace {

// A picture's file in "texturas/", whether it waits until first shown (the menu pictures past the
// start screen), and the menu picture it is, if any.
struct FilaTextura {
    const char* archivo;
    bool alMostrarse;
    ImagenMenu menu;
};

constexpr ImagenMenu NO = ImagenMenu::NINGUNA;

// One row for each Textura, in its order.
constexpr FilaTextura TABLA[] = {
    {"canon.png", false, NO},
    {"missileTexture.jpg", false, NO},
    {"gameover.png", true, ImagenMenu::GAME_OVER_IMAGEN},
    {"0.png", false, NO},
    {"1.png", false, NO},
    {"2.png", false, NO},
    {"3.png", false, NO},
    {"4.png", false, NO},
    {"5.png", false, NO},
    {"6.png", false, NO},
    {"7.png", false, NO},
    {"8.png", false, NO},
    {"9.png", false, NO},
    {"bala.png", false, NO},
    {"torre1.png", false, NO},
    {"torre2.png", false, NO},
    {"torre3.png", false, NO},
    {"torre4.png", false, NO},
    {"vidallena.png", false, NO},
    {"vidamedia.png", false, NO},
    {"vidabaja.png", false, NO},
    {"cielo.jpg", false, NO},
    {"cielo.jpg", false, NO},
    {"cielo.jpg", false, NO},
    {"cielo.jpg", false, NO},
    {"texturaSuelo.jpg", false, NO},
    {"cielo.jpg", false, NO},
    {"MENU_Selecc_Continuar.jpg", true, ImagenMenu::SELECC_CONTINUAR},
    {"MENU_Selecc_Velocidad.jpg", true, ImagenMenu::SELECC_VELOCIDAD},
    {"MENU_Selecc_Estados.jpg", true, ImagenMenu::SELECC_ESTADOS},
    {"MENU_Selecc_DirecyColor.jpg", true, ImagenMenu::SELECC_DIRECYCOLOR},
    {"MENU_VELOCIDAD_Lento.png", true, ImagenMenu::VELOCIDAD_LENTO},
    {"MENU_VELOCIDAD_Normal.png", true, ImagenMenu::VELOCIDAD_NORMAL},
    {"MENU_VELOCIDAD_Rapido.png", true, ImagenMenu::VELOCIDAD_RAPIDO},
    {"MENU_ESTADOS_Selecc_Wireframe.png", true, ImagenMenu::ESTADOS_WIREFRAME},
    {"MENU_ESTADOS_Selecc_Facet_Inter.png", true, ImagenMenu::ESTADOS_FACET_INTER},
    {"MENU_ESTADOS_Selecc_Texturas.png", true, ImagenMenu::ESTADOS_TEXTURAS},
    {"MENU_ROJO.png", true, ImagenMenu::ROJO},
    {"MENU_AZUL.png", true, ImagenMenu::AZUL},
    {"MENU_VERDE.png", true, ImagenMenu::VERDE},
    {"MENU_BLANCO.png", true, ImagenMenu::BLANCO},
    {"MENU_DIREC.png", true, ImagenMenu::DIREC},
    {"inicio_comenzar.png", false, ImagenMenu::INICIO_COMENZAR},
    {"inicio_salir.png", false, ImagenMenu::INICIO_SALIR},
    {"torre1d.jpg", true, ImagenMenu::TORRE1},
    {"torre2d.jpg", true, ImagenMenu::TORRE2},
    {"torre3d.jpg", true, ImagenMenu::TORRE3},
};
static_assert(sizeof(TABLA) / sizeof(TABLA[0]) == CANT_TEXTURAS, "one row for each picture");

void cargar(unsigned& nombre, int i) {
    nombre = consigueimagen((std::string("texturas/") + TABLA[i].archivo).c_str());
}

} // namespace

void cargarTexturas(Texturas& t) {
    for (int i = 0; i < CANT_TEXTURAS; ++i) {
        if (!TABLA[i].alMostrarse) {
            cargar(t.nombre[i], i);
        }
    }
}

void cargarTexturasMenu(Texturas& t) {
    for (int i = 0; i < CANT_TEXTURAS; ++i) {
        if (t.nombre[i] == 0) {
            cargar(t.nombre[i], i);
        }
    }
}

void liberarTexturas(Texturas& t) {
    for (unsigned& nombre : t.nombre) {
        GLuint n = nombre;
        if (n != 0) {
            glDeleteTextures(1, &n);
        }
        nombre = 0;
    }
}

unsigned texturaMenu(Texturas& t, ImagenMenu imagen) {
    if (imagen == ImagenMenu::NINGUNA) {
        return 0;
    }
    for (int i = 0; i < CANT_TEXTURAS; ++i) {
        if (TABLA[i].menu == imagen) {
            if (t.nombre[i] == 0) {
                cargar(t.nombre[i], i);
            }
            return t.nombre[i];
        }
    }
    return 0;
}
