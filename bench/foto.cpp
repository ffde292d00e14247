// Saves the frame just drawn as a binary PPM picture, to compare two builds pixel for pixel.
#include "foto.h"

#include <GL/gl.h>
#include <cstdio>
#include <vector>

bool guardarFoto(const char* archivo, int ancho, int alto) {
    std::vector<unsigned char> pixeles(static_cast<std::size_t>(ancho) * alto * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, ancho, alto, GL_RGB, GL_UNSIGNED_BYTE, pixeles.data());
    std::FILE* f = std::fopen(archivo, "wb");
    if (f == nullptr) {
        return false;
    }
    std::fprintf(f, "P6\n%d %d\n255\n", ancho, alto);
    // GL rows run bottom-up, picture rows top-down.
    const std::size_t fila = static_cast<std::size_t>(ancho) * 3;
    bool bien = true;
    for (int y = alto - 1; y >= 0 && bien; --y) {
        bien = std::fwrite(pixeles.data() + fila * static_cast<std::size_t>(y), 1, fila, f) == fila;
    }
    return std::fclose(f) == 0 && bien;
}
