// Anything that flies in a straight line: enemy missiles and the player's bullets.
#include "proyectil.h"

#include <cmath>

Proyectil::Proyectil(obj_type_ptr m, float px, float py, float pz, float dx, float dy, float dz)
    : modelo(m), x(px), y(py), z(pz), dir_x(0.0f), dir_y(0.0f), dir_z(0.0f), activo(false) {
    const long double cuadrados = static_cast<long double>(dx) * dx +
                                  static_cast<long double>(dy) * dy +
                                  static_cast<long double>(dz) * dz;
    const float norma = static_cast<float>(std::sqrt(cuadrados));
    // Without a length there is no direction to fly along: the projectile stays grounded.
    if (!(norma > 0.0f) || !std::isfinite(norma)) {
        return;
    }
    dir_x = dx / norma;
    dir_y = dy / norma;
    dir_z = dz / norma;
    activo = true;
}

void Proyectil::recalcularPosicion(float velocidad) {
    x += dir_x * velocidad;
    y += dir_y * velocidad;
    z += dir_z * velocidad;
}
