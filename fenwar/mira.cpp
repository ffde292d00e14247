// Aiming rules: the view of each cannon, the shot line against a sphere, missile and plane hits.
#include "mira.h"

#include "entero.h"

#include <algorithm>

namespace fenwar {

Vista vistaCanion(int nro_canion, const float* coordcannon, float x, float y, float z, float lz) {
    float cx, cy, cz;
    float ux = 0, uy = 0, uz = 0;
    switch (nro_canion) {
    case 0:
        cx = x;
        cy = std::min(-y - 0.4f * lz - 5.0f, coordcannon[1] - 1.0f);
        cz = -z / 2.0f;
        uy = -1;
        break;
    case 2:
        cx = std::min(x - 0.025f * lz, coordcannon[4] + 1.0f);
        cy = -y;
        cz = -z / 2.0f;
        ux = -1;
        break;
    case 3:
        cx = std::min(-1.5f - 0.05f * lz, coordcannon[6]);
        cy = -1.0f;
        cz = -z / 2.0f;
        ux = -1;
        break;
    default: // cannon 1, the one a game starts on
        cx = 1.0f;
        cy = std::max(1.5f + 0.05f * lz, coordcannon[3]);
        cz = -1.0125f;
        uy = 1;
        break;
    }
    return Vista{{x, y, -z}, {cx, cy, cz}, {ux, uy, uz}};
}

// The discriminant of the line-sphere equation: a line that only touches the sphere counts, and
// so does a sphere behind the eye.
bool isHit(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3,
           float radio) {
    double dx = static_cast<double>(x2) - x1;
    double dy = static_cast<double>(y2) - y1;
    double dz = static_cast<double>(z2) - z1;
    double a = dx * dx + dy * dy + dz * dz;
    double b = 2.0 * (dx * (static_cast<double>(x1) - x3) + dy * (static_cast<double>(y1) - y3) +
                      dz * (static_cast<double>(z1) - z3));
    double p3p3 =
        static_cast<double>(x3) * x3 + static_cast<double>(y3) * y3 + static_cast<double>(z3) * z3;
    double p1p1 =
        static_cast<double>(x1) * x1 + static_cast<double>(y1) * y1 + static_cast<double>(z1) * z1;
    double p3p1 =
        static_cast<double>(x3) * x1 + static_cast<double>(y3) * y1 + static_cast<double>(z3) * z1;
    double e = p3p3 + p1p1 - 2.0 * p3p1 - static_cast<double>(radio) * radio;
    return b * b - 4.0 * a * e >= 0;
}

void sumarPuntos(int& puntaje, int puntos) {
    puntaje = sumaSaturada(puntaje, puntos);
}

void hitMisil(const dificultad& d, int i, Misil* buffmisiles, int& cantvivos, int& puntaje,
              bool usrkill) {
    if (i < 0 || i >= MAX_MISILES || !buffmisiles[i].vivo)
        return;
    buffmisiles[i].vivo = false;
    buffmisiles[i].explotando = true;
    cantvivos--;
    if (usrkill)
        sumarPuntos(puntaje, d.PUNTOS_MISIL);
}

void hitAvion(const dificultad& d, Avion& avion, int& canthitrest, int& puntaje) {
    if (canthitrest > 0) {
        canthitrest--;
        return;
    }
    sumarPuntos(puntaje, d.PUNTOS_AVION);
    avion.vivo = false;
    avion.explotando = true;
}

} // namespace fenwar
