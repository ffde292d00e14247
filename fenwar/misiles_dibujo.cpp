// Draws the missiles: the model twice with a trail while flying, a burst of fire while exploding.
#include "misiles_dibujo.h"

#include "modelo_dibujo.h"
#include "primitivas.h"
#include "texturas.h"

#include <GL/gl.h>

namespace fenwar {

// The sparks all take the fire picture, bound once for the burst: a texture bound again around
// every spark made the driver set up each one as a new draw. The plane's picture is bound again
// after, as each spark left it.
void explosion(const Misil& m, const Recursos& r) {
    glBindTexture(GL_TEXTURE_2D, r.textura[TEX_FUEGO]);
    for (int k = 0; k < MISIL_PARTICLES; k++) {
        glPushMatrix();
        glTranslatef(m.xActual, m.yActual, m.zActual + 0.2f);
        glColor3f(1, 0, 0);
        float desplazamiento[3];
        desplazamientoParticula(m, k, desplazamiento);
        glTranslatef(desplazamiento[0], desplazamiento[1], desplazamiento[2]);
        if (r.escenario.chispa != 0) {
            glCallList(r.escenario.chispa);
        } else {
            drawSphere(PASOS_CHISPA, PASOS_CHISPA, RADIO_CHISPA);
        }
        glColor3f(1, 1, 1);
        glPopMatrix();
    }
    glBindTexture(GL_TEXTURE_2D, r.textura[TEX_AVION]);
}

void drawestela(const Misil& m) {
    glPushMatrix();
    glBegin(GL_LINES);
    glVertex3f(m.xActual, m.yActual, m.zActual);
    glVertex3f(m.xInicial, m.yInicial, m.zInicial);
    glEnd();
    glPopMatrix();
}

void drawmisiles(const Juego& j, const Recursos& r) {
    const unsigned lista = r.escenario.misil;
    const int n = slotsUsados(j.cantmisiles);
    for (int i = 0; i < n; i++) {
        const Misil& m = j.buffmisiles[i];
        if (m.vivo) {
            glPushMatrix();
            glTranslatef(m.xActual, m.yActual, m.zActual);
            modelo(lista, j.oMisil, j.vMisil, j.tMisil, j.nMisil);
            glRotatef(180, 0, 0, 0.1f);
            modelo(lista, j.oMisil, j.vMisil, j.tMisil, j.nMisil);
            glPopMatrix();
            drawestela(m);
        } else if (m.explotando) {
            explosion(m, r);
        }
    }
}

} // namespace fenwar
