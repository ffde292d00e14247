// The game's image files loaded into its texture slots.
#include "texturas.h"

#include "imagen_textura.h"

#include <GL/gl.h>

namespace fenwar {

void loadTexture(const char* archivo, unsigned* textura, int i) {
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    imagenATextura(archivo, textura[i]);
}

namespace {

// The pictures only the pause and configuration screens show.
bool esDeMenu(int i) {
    return i == TEX_MENU || i == TEX_CONFIG || i == TEX_GAMEOVER;
}

} // namespace

void cargarTexturasJuego(unsigned* textura, int cantidad) {
    glGenTextures(cantidad, textura);
    for (int i = 0; i < CANT_IMAGENES && i < cantidad; i++) {
        if (!esDeMenu(i)) {
            loadTexture(ARCHIVOS_TEXTURA[i], textura, i);
        }
    }
}

void cargarTexturasMenu(unsigned* textura) {
    for (int i = 0; i < CANT_IMAGENES; i++) {
        if (esDeMenu(i)) {
            loadTexture(ARCHIVOS_TEXTURA[i], textura, i);
        }
    }
}

void cargarTexturas(unsigned* textura, int cantidad) {
    cargarTexturasJuego(textura, cantidad);
    if (cantidad >= CANT_IMAGENES) {
        cargarTexturasMenu(textura);
    }
}

} // namespace fenwar
