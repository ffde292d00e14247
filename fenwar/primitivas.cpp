// The primitives and scenery sent to OpenGL in immediate mode.
#include "primitivas.h"

#include "dificultad.h"
#include "salida_gl.h"

namespace fenwar {

void drawCircle(int, float, float radius) {
    SalidaGL s;
    teselado::circulo(s, radius);
}

void drawAro(int numSteps, float* arrX_1, float* arrX_2, float* arrY_1, float* arrY_2, float hl,
             float r) {
    SalidaGL s;
    teselado::aro(s, numSteps, arrX_1, arrX_2, arrY_1, arrY_2, hl, r);
}

void drawCylinder(int numSteps, float radius, float hl, float* arrX_1, float* arrY_1) {
    SalidaGL s;
    teselado::cilindro(s, numSteps, radius, hl, arrX_1, arrY_1);
}

void drawSphere(int lats, int longs, float r) {
    SalidaGL s;
    teselado::esfera(s, lats, longs, r);
}

void drawHalfSphere(int lats, int longs, float r) {
    SalidaGL s;
    teselado::mediaEsfera(s, lats, longs, r);
}

void tower(float posx, float posy, float posz, float radius, float length, int numSteps) {
    SalidaGL s;
    teselado::torre(s, posx, posy, posz, radius, length, numSteps);
}

void city(float posx, float posy, float posz, float radius, int numSteps) {
    SalidaGL s;
    teselado::cupula(s, posx, posy, posz, radius, numSteps);
}

void cielitoLindo(float posx, float posy, float posz, float radius, int numSteps) {
    SalidaGL s;
    teselado::cupula(s, posx, posy, posz, radius, numSteps);
}

void ground(float posx, float posy, float posz, float radius, int) {
    SalidaGL s;
    teselado::suelo(s, posx, posy, posz, radius);
}

void canion(float posx, float posy, float posz, float crad, float angulo, int numSteps) {
    SalidaGL s;
    teselado::canon(s, posx, posy, posz, crad, angulo, numSteps);
}

void dibujartorres(float* coordcannon, float* altura_tower, float*) {
    SalidaGL s;
    teselado::torres(s, coordcannon, altura_tower);
}

void dibujarcaniones(float* coordcannon, float* altura_tower, float* angulo_canion) {
    SalidaGL s;
    teselado::canones(s, coordcannon, altura_tower, angulo_canion);
}

void dibujarciudades(const dificultad& d, float (*coordCitys)[3], int* vidaCitys) {
    SalidaGL s;
    teselado::ciudades(s, d.RAD_CITY, coordCitys, vidaCitys);
}

} // namespace fenwar
