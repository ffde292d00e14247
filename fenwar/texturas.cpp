// Image files read with FreeImage and uploaded as OpenGL textures.
#include "texturas.h"

#include <FreeImage.h>
#include <GL/gl.h>
#include <GL/glext.h>

void loadTexture(const char* archivo, unsigned* textura, int i) {
    FREE_IMAGE_FORMAT formato = FreeImage_GetFIFFromFilename(archivo);
    FIBITMAP* imagen = nullptr;
    if (formato != FIF_UNKNOWN && FreeImage_FIFSupportsReading(formato)) {
        imagen = FreeImage_Load(formato, archivo, 0);
    }
    FIBITMAP* rgb = imagen ? FreeImage_ConvertTo24Bits(imagen) : nullptr;
    int ancho = 0, alto = 0;
    const BYTE* pixeles = nullptr;
    if (rgb) {
        ancho = static_cast<int>(FreeImage_GetWidth(rgb));
        alto = static_cast<int>(FreeImage_GetHeight(rgb));
        pixeles = FreeImage_GetBits(rgb);
    }
    glBindTexture(GL_TEXTURE_2D, textura[i]);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    // Rows bottom-up, 3 bytes BGR a pixel, padded to 4 bytes: the GL default unpack alignment.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, pixeles ? ancho : 0, pixeles ? alto : 0, 0, GL_BGR_EXT,
                 GL_UNSIGNED_BYTE, pixeles);
    if (rgb) {
        FreeImage_Unload(rgb);
    }
    if (imagen) {
        FreeImage_Unload(imagen);
    }
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
