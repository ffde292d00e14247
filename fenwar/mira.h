// Aiming from the cannons, the shot line test and what a hit does.
#pragma once

#include "avion.h"
#include "dificultad.h"
#include "misiles.h"

namespace fenwar {

// The view for a cannon: eye, centre and up, as handed to gluLookAt.
struct Vista {
    double ojo[3];
    double centro[3];
    double arriba[3];
};
Vista vistaCanion(int nro_canion, const float* coordcannon, float x, float y, float z, float lz);
// Sets that view on the current modelview matrix (comp is not used).
void calcularLookAt(int nro_canion, float comp, float* coordcannon, float x, float y, float z,
                    float lz);

// True when the unbounded line through points 1 and 2 meets the sphere of centre 3.
bool isHit(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3,
           float radio);

// Adds points to a score without overflowing.
void sumarPuntos(int& puntaje, int puntos);
// Missile i (flying) is shot down; it scores d.PUNTOS_MISIL when usrkill.
void hitMisil(const dificultad& d, int i, Misil* buffmisiles, int& cantvivos, int& puntaje,
              bool usrkill);
// The plane takes one hit: its armour absorbs it, or it falls and scores d.PUNTOS_AVION.
void hitAvion(const dificultad& d, Avion& avion, int& canthitrest, int& puntaje);

} // namespace fenwar
