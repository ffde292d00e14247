// The straight flight missiles and the plane share: the draws of a launch, its record, its
// direction and its step.
#pragma once

#include "azar.h"
#include "reloj.h"

#include <cmath>
#include <ctime>

namespace fenwar {

// One fresh draw in 0..1.
inline float u() {
    return static_cast<float>(azar() / 32767.0);
}

// Each launch reseeds the generator from the time of day and its last draw.
inline void resembrar() {
    sembrarAzar(static_cast<unsigned>(std::time(nullptr) + azar()));
}

// A straight flight by the clock, from the launch point towards the aim point.
struct Vuelo {
    float xInicial, yInicial, zInicial;
    float xFinal, yFinal, zFinal;
    float xActual, yActual, zActual;
    float velocx, velocy, velocz;
    long t0; // relojMs() at launch
    bool vivo;
    bool explotando;
    int explosionesrestantes;
};

// Writes the unit vector from (xi, yi, zi) towards (xf, yf, zf) into dir; a flight of no length
// gets the zero vector, so whatever flies it stays where it is.
inline void direccionVuelo(float xi, float yi, float zi, float xf, float yf, float zf,
                           float dir[3]) {
    double ddx = xf - xi;
    double ddy = yf - yi;
    double ddz = zf - zi;
    double largo = std::sqrt(std::pow(ddx, 2) + std::pow(ddy, 2) + std::pow(ddz, 2));
    dir[0] = largo > 0 ? static_cast<float>(ddx / largo) : 0.0f;
    dir[1] = largo > 0 ? static_cast<float>(ddy / largo) : 0.0f;
    dir[2] = largo > 0 ? static_cast<float>(ddz / largo) : 0.0f;
}

// Places the flight where it is `segundos` after launch, along its direction at its speeds.
inline void volar(Vuelo& v, float segundos) {
    float dir[3];
    direccionVuelo(v.xInicial, v.yInicial, v.zInicial, v.xFinal, v.yFinal, v.zFinal, dir);
    v.xActual = v.xInicial + v.velocx * dir[0] * segundos;
    v.yActual = v.yInicial + v.velocy * dir[1] * segundos;
    v.zActual = v.zInicial + v.velocz * dir[2] * segundos;
}

// Starts the flight now from its launch point, at `velocidad` along each axis, alive, with
// `explosiones` frames of burst left for when it is brought down.
inline void despegar(Vuelo& v, float velocidad, int explosiones) {
    v.velocx = v.velocy = v.velocz = velocidad;
    v.t0 = relojMs();
    v.xActual = v.xInicial;
    v.yActual = v.yInicial;
    v.zActual = v.zInicial;
    v.vivo = true;
    v.explotando = false;
    v.explosionesrestantes = explosiones;
}

} // namespace fenwar
