// The one light of the scene and the material of everything it lights.
#include "luz.h"

#include <GL/gl.h>

namespace torvane {

void iluminar(float red, float green, float blue, float x, float y, float z) {
    const GLfloat light_specular[] = {red, green, blue, 1.0f};
    const GLfloat mat_specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat mat_ambient[] = {0.2f, 0.2f, 0.2f, 1.0f};
    const GLfloat mat_shininess[] = {1.0f};
    const GLfloat light_position[] = {x, y + 20.0f, z, 1.0f};
    const GLfloat light_ambient[] = {0.5f, 0.5f, 0.5f, 1.0f};

    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glLightfv(GL_LIGHT0, GL_SPECULAR, light_specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, mat_specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, mat_ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, mat_shininess);
    glLightfv(GL_LIGHT0, GL_POSITION, light_position);
    glLightfv(GL_LIGHT0, GL_AMBIENT, light_ambient);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
}

} // namespace torvane
