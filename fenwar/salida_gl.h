// The sink that hands the tessellation templates' calls straight to OpenGL.
#pragma once

#include "teselado.h"

#include <GL/gl.h>

namespace fenwar {

struct SalidaGL {
    void comenzar(Trazo t) {
        switch (t) {
        case Trazo::Poligono:
            glBegin(GL_POLYGON);
            break;
        case Trazo::TiraTriangulos:
            glBegin(GL_TRIANGLE_STRIP);
            break;
        case Trazo::TiraCuadrilateros:
            glBegin(GL_QUAD_STRIP);
            break;
        case Trazo::Triangulos:
            glBegin(GL_TRIANGLES);
            break;
        }
    }
    void terminar() { glEnd(); }
    void normalf(float x, float y, float z) { glNormal3f(x, y, z); }
    void normald(double x, double y, double z) { glNormal3d(x, y, z); }
    void texf(float s, float t) { glTexCoord2f(s, t); }
    void texd(double s, double t) { glTexCoord2d(s, t); }
    void vertice2f(float x, float y) { glVertex2f(x, y); }
    void vertice3f(float x, float y, float z) { glVertex3f(x, y, z); }
    void vertice3d(double x, double y, double z) { glVertex3d(x, y, z); }
    void empujar() { glPushMatrix(); }
    void sacar() { glPopMatrix(); }
    void trasladar(float x, float y, float z) { glTranslatef(x, y, z); }
    void rotar(float angulo, float x, float y, float z) { glRotatef(angulo, x, y, z); }
};

} // namespace fenwar
