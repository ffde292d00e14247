// Draws the missiles: the model twice with a trail while flying, a burst of fire while exploding.
#include "misiles.h"

#include "primitivas.h"

#include <GL/gl.h>

// The sparks all take the fire picture, bound once for the burst: a texture bound again around
// every spark made the driver set up each one as a new draw. The plane's picture is bound again
// after, as each spark left it.
void explosion(int i, Misil* buffmisiles, unsigned* textura, unsigned listaChispa) {
    Misil& m = buffmisiles[i];
    if (!pasoExplosion(m))
        return;
    glBindTexture(GL_TEXTURE_2D, textura[8]);
    for (int k = 0; k < MISIL_PARTICLES; k++) {
        glPushMatrix();
        glTranslatef(m.xActual, m.yActual, m.zActual + 0.2f);
        glColor3f(1, 0, 0);
        float desplazamiento[3];
        desplazamientoParticula(m, k, desplazamiento);
        glTranslatef(desplazamiento[0], desplazamiento[1], desplazamiento[2]);
        if (listaChispa != 0) {
            glCallList(listaChispa);
        } else {
            drawSphere(PASOS_CHISPA, PASOS_CHISPA, RADIO_CHISPA);
        }
        glColor3f(1, 1, 1);
        glPopMatrix();
    }
    glBindTexture(GL_TEXTURE_2D, textura[1]);
}

void drawestela(int i, Misil* buffmisiles) {
    const Misil& m = buffmisiles[i];
    glPushMatrix();
    glBegin(GL_LINES);
    glVertex3f(m.xActual, m.yActual, m.zActual);
    glVertex3f(m.xInicial, m.yInicial, m.zInicial);
    glEnd();
    glPopMatrix();
}

void drawmisiles(int /*numSteps*/, Misil* buffmisiles, int& cantmisiles,
                 const std::vector<vertice>& vMisil, const std::vector<textura>& tMisil,
                 const std::vector<vertice>& nMisil, const std::vector<Poligono>& oMisil,
                 unsigned* textura, unsigned listaMisil, unsigned listaChispa) {
    int n = cantmisiles < 0 ? 0 : (cantmisiles > MAX_MISILES ? MAX_MISILES : cantmisiles);
    for (int i = 0; i < n; i++) {
        const Misil& m = buffmisiles[i];
        if (m.vivo) {
            glPushMatrix();
            glTranslatef(m.xActual, m.yActual, m.zActual);
            modelo(listaMisil, oMisil, vMisil, tMisil, nMisil);
            glRotatef(180, 0, 0, 0.1f);
            modelo(listaMisil, oMisil, vMisil, tMisil, nMisil);
            glPopMatrix();
            drawestela(i, buffmisiles);
        } else if (m.explotando) {
            explosion(i, buffmisiles, textura, listaChispa);
        }
    }
}
