// The sky box: a textured box 100 wide and 60 high around the field, floor at y = -1.
#include "cielo.h"

#include <GL/gl.h>

namespace torvane {

namespace {
// One face: its picture and four corners with their texture coordinates.
struct Cara {
    Textura textura;
    float v[4][5]; // x, y, z, s, t
};

const Cara CARAS[6] = {
    {Textura::CIELO_ATRAS,
     {{50, -1, -50, 1, 0}, {50, 59, -50, 1, 1}, {-50, 59, -50, 0, 1}, {-50, -1, -50, 0, 0}}},
    {Textura::CIELO_FRENTE,
     {{-50, -1, 50, 1, 0}, {-50, 59, 50, 1, 1}, {50, 59, 50, 0, 1}, {50, -1, 50, 0, 0}}},
    {Textura::SUELO,
     {{-50, -1, -50, 1, 0}, {-50, -1, 50, 1, 1}, {50, -1, 50, 0, 1}, {50, -1, -50, 0, 0}}},
    {Textura::CIELO_ARRIBA,
     {{50, 59, -50, 0, 0}, {50, 59, 50, 1, 0}, {-50, 59, 50, 1, 1}, {-50, 59, -50, 0, 1}}},
    {Textura::CIELO_IZQUIERDA,
     {{-50, 59, -50, 1, 1}, {-50, 59, 50, 0, 1}, {-50, -1, 50, 0, 0}, {-50, -1, -50, 1, 0}}},
    {Textura::CIELO_DERECHA,
     {{50, -1, -50, 0, 0}, {50, -1, 50, 1, 0}, {50, 59, 50, 1, 1}, {50, 59, -50, 0, 1}}},
};
} // namespace

void drawSkyBox(const Texturas& t) {
    for (const Cara& cara : CARAS) {
        glBindTexture(GL_TEXTURE_2D, t[cara.textura]);
        glBegin(GL_QUADS);
        for (const auto& v : cara.v) {
            glTexCoord2f(v[3], v[4]);
            glVertex3f(v[0], v[1], v[2]);
        }
        glEnd();
    }
}

} // namespace torvane
