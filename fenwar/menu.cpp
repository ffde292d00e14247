// Drawing of the menu screens.
#include "menu.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace fenwar {

void menu() {
    glColor3f(0.039f, 0.341f, 0.078f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-1.25f, 0.95f, -2.2f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(1.25f, 0.95f, -2.2f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(1.25f, -1.0f, -2.2f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-1.25f, -1.0f, -2.2f);
    glEnd();
}

void dibujarPantallaMenu(unsigned imagen) {
    // The game frame's projection is kept for the game's next frame.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(45.0, 1.3333334f, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, imagen);
    menu();
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

} // namespace fenwar
