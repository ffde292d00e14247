// An image file read with FreeImage and uploaded into an OpenGL texture, for both games.
#include "imagen_textura.h"

#include <FreeImage.h>
#include <GL/gl.h>
#include <GL/glext.h>

void imagenATextura(const char* archivo, unsigned nombre) {
    FREE_IMAGE_FORMAT formato = FreeImage_GetFIFFromFilename(archivo);
    FIBITMAP* imagen = nullptr;
    if (formato != FIF_UNKNOWN && FreeImage_FIFSupportsReading(formato)) {
        imagen = FreeImage_Load(formato, archivo, 0);
    }
    FIBITMAP* rgb = imagen != nullptr ? FreeImage_ConvertTo24Bits(imagen) : nullptr;
    GLsizei ancho = 0, alto = 0;
    const BYTE* pixeles = nullptr;
    if (rgb != nullptr) {
        ancho = static_cast<GLsizei>(FreeImage_GetWidth(rgb));
        alto = static_cast<GLsizei>(FreeImage_GetHeight(rgb));
        pixeles = FreeImage_GetBits(rgb);
    }
    glBindTexture(GL_TEXTURE_2D, nombre);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    // Rows bottom-up, 3 bytes BGR a pixel, padded to 4 bytes: the GL default unpack alignment.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, pixeles != nullptr ? ancho : 0,
                 pixeles != nullptr ? alto : 0, 0, GL_BGR_EXT, GL_UNSIGNED_BYTE, pixeles);
    if (rgb != nullptr) {
        FreeImage_Unload(rgb);
    }
    if (imagen != nullptr) {
        FreeImage_Unload(imagen);
    }
}
