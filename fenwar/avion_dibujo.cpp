// Draws the plane model while it flies, and its growing red ball once it is brought down.
#include "avion.h"

#include "primitivas.h"

#include <GL/gl.h>
#include <SDL.h>

void drawavion(int /*numSteps*/, Avion& avion, int& /*canthitrest*/, bool& hit,
               const std::vector<vertice>& vAvion, const std::vector<textura>& tAvion,
               const std::vector<vertice>& nAvion, const std::vector<Poligono>& oAvion,
               unsigned listaAvion) {
    if (avion.vivo) {
        glPushMatrix();
        // A hit that the armour absorbed stalls the game for a moment.
        if (hit)
            SDL_Delay(10);
        glTranslatef(avion.xActual, avion.yActual, avion.zActual);
        glRotatef(180, 0, 1, 0);
        modelo(listaAvion, oAvion, vAvion, tAvion, nAvion);
        hit = false;
        glPopMatrix();
    } else if (avion.explotando) {
        explosionav(avion);
    }
}

void explosionav(Avion& av) {
    float radio = 0;
    if (!pasoExplosionAvion(av, radio))
        return;
    glPushMatrix();
    glColor3f(1, 0, 0);
    glTranslatef(av.xActual, av.yActual, av.zActual);
    drawHalfSphere(20, 20, radio);
    glRotatef(180, 1, 0, 0);
    drawHalfSphere(20, 20, radio);
    glColor3f(1, 1, 1);
    glPopMatrix();
}
