// The space both games draw their overlay in: 480 units across and 640 up, over the whole window.
#include "superposicion.h"

#include <GL/gl.h>

void proyeccionSuperpuesta() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 480, 0, 640, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
