// Textured quads sent in batches: the quads of one texture that follow each other in one draw.
#include "lote_cuadros.h"

#include <GL/gl.h>

LoteCuadros::LoteCuadros(bool juntar) : juntar_(juntar) {}

void LoteCuadros::cuadro(unsigned textura, const float (&esquinas)[4][5]) {
    if (abierto_ && (!juntar_ || textura != textura_)) {
        terminar();
    }
    if (!abierto_) {
        glBindTexture(GL_TEXTURE_2D, textura);
        glBegin(GL_QUADS);
        abierto_ = true;
        textura_ = textura;
    }
    for (const float* v : esquinas) {
        glTexCoord2f(v[3], v[4]);
        glVertex3f(v[0], v[1], v[2]);
    }
}

void LoteCuadros::terminar() {
    if (abierto_) {
        glEnd();
    }
    abierto_ = false;
}
