// Pictures of the game: turning an image file into a texture, and every texture the game shows.
#include "texturas.h"

#include <GL/gl.h>
#include <string>

#include "imagen_textura.h"

namespace torvane {

unsigned consigueimagen(const char* archivo) {
    GLuint nombre = 0;
    glGenTextures(1, &nombre);
    imagenATextura(archivo, nombre);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    return nombre;
}

namespace {

// A picture's file in "texturas/", and whether it waits until first shown (the menu pictures past
// the start screen) instead of being read at start-up.
struct FilaTextura {
    const char* archivo;
    bool alMostrarse;
};

// One row for each picture, in the order of Texturas::nombre: those of play, then those of the
// menus.
constexpr FilaTextura TABLA[] = {
    {"canon.png", false},
    {"missileTexture.jpg", false},
    {"0.png", false},
    {"1.png", false},
    {"2.png", false},
    {"3.png", false},
    {"4.png", false},
    {"5.png", false},
    {"6.png", false},
    {"7.png", false},
    {"8.png", false},
    {"9.png", false},
    {"bala.png", false},
    {"torre1.png", false},
    {"torre2.png", false},
    {"torre3.png", false},
    {"torre4.png", false},
    {"vidallena.png", false},
    {"vidamedia.png", false},
    {"vidabaja.png", false},
    {"cielo.jpg", false},
    {"cielo.jpg", false},
    {"cielo.jpg", false},
    {"cielo.jpg", false},
    {"texturaSuelo.jpg", false},
    {"cielo.jpg", false},
    {"inicio_comenzar.png", false},
    {"inicio_salir.png", false},
    {"MENU_Selecc_Continuar.jpg", true},
    {"MENU_Selecc_Velocidad.jpg", true},
    {"MENU_Selecc_Estados.jpg", true},
    {"MENU_Selecc_DirecyColor.jpg", true},
    {"MENU_VELOCIDAD_Lento.png", true},
    {"MENU_VELOCIDAD_Normal.png", true},
    {"MENU_VELOCIDAD_Rapido.png", true},
    {"MENU_ESTADOS_Selecc_Wireframe.png", true},
    {"MENU_ESTADOS_Selecc_Facet_Inter.png", true},
    {"MENU_ESTADOS_Selecc_Texturas.png", true},
    {"MENU_ROJO.png", true},
    {"MENU_AZUL.png", true},
    {"MENU_VERDE.png", true},
    {"MENU_BLANCO.png", true},
    {"MENU_DIREC.png", true},
    {"torre1d.jpg", true},
    {"torre2d.jpg", true},
    {"torre3d.jpg", true},
    {"gameover.png", true},
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
    const int i = Texturas::indice(imagen);
    if (t.nombre[i] == 0) {
        cargar(t.nombre[i], i);
    }
    return t.nombre[i];
}

} // namespace torvane
