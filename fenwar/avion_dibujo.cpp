// Draws the plane model while it flies, and its growing red ball once it is brought down.
#include "avion_dibujo.h"

#include "modelo_dibujo.h"
#include "primitivas.h"

#include <GL/gl.h>

namespace fenwar {

void drawavion(const Juego& j, const Recursos& r) {
    const Avion& avion = j.av;
    if (avion.vivo) {
        glPushMatrix();
        glTranslatef(avion.xActual, avion.yActual, avion.zActual);
        glRotatef(180, 0, 1, 0);
        modelo(r.escenario.avion, j.oAvion, j.vAvion, j.tAvion, j.nAvion);
        glPopMatrix();
    } else if (avion.explotando) {
        explosionav(avion);
    }
}

void explosionav(const Avion& av) {
    const float radio = radioBolaAvion(av);
    glPushMatrix();
    glColor3f(1, 0, 0);
    glTranslatef(av.xActual, av.yActual, av.zActual);
    drawHalfSphere(20, 20, radio);
    glRotatef(180, 1, 0, 0);
    drawHalfSphere(20, 20, radio);
    glColor3f(1, 1, 1);
    glPopMatrix();
}

} // namespace fenwar
