// The tessellated primitives (disc, ring, tube, sphere, dome) and the scenery made of them.
#pragma once

namespace fenwar {

struct dificultad;

// Flat disc of `radius` in the plane z = 0 (180 vertices; numSteps and hl are not used).
void drawCircle(int numSteps, float hl, float radius);
// Flat ring at z = -hl joining two rings stored by earlier drawCylinder calls.
void drawAro(int numSteps, float* arrX_1, float* arrX_2, float* arrY_1, float* arrY_2, float hl,
             float r);
// Open tube around the z axis from -hl to +hl; stores its ring in arrX_1/arrY_1 (numSteps + 1).
void drawCylinder(int numSteps, float radius, float hl, float* arrX_1, float* arrY_1);
void drawSphere(int lats, int longs, float r);
// The z <= 0 half of drawSphere: a dome rising above the ground.
void drawHalfSphere(int lats, int longs, float r);

void tower(float posx, float posy, float posz, float radius, float length, int numSteps);
void city(float posx, float posy, float posz, float radius, int numSteps);
void cielitoLindo(float posx, float posy, float posz, float radius, int numSteps);
void ground(float posx, float posy, float posz, float radius, int numSteps);
void canion(float posx, float posy, float posz, float crad, float angulo, int numSteps);

void dibujartorres(float* coordcannon, float* altura_tower, float* angulo_canion);
void dibujarcaniones(float* coordcannon, float* altura_tower, float* angulo_canion);
// Draws the living cities (health > 0) as domes of radius d.RAD_CITY.
void dibujarciudades(const dificultad& d, float (*coordCitys)[3], int* vidaCitys);

} // namespace fenwar
