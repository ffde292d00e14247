// Anything that flies in a straight line: enemy missiles and the player's bullets.
#include "proyectil.h"

#include <cmath>
#include <limits>

namespace torvane {

Proyectil::Proyectil(obj_type_ptr m, float px, float py, float pz, float dx, float dy, float dz)
    : modelo(m), x(px), y(py), z(pz), dir_x(0.0f), dir_y(0.0f), dir_z(0.0f), activo(false) {
    const long double cuadrados = static_cast<long double>(dx) * dx +
                                  static_cast<long double>(dy) * dy +
                                  static_cast<long double>(dz) * dz;
    const long double largo = std::sqrt(cuadrados);
    // Without a length there is no direction to fly along: the projectile stays grounded.
    if (!(largo > 0.0L) || !std::isfinite(largo)) {
        return;
    }
    if (largo <= std::numeric_limits<float>::max()) {
        const float norma = static_cast<float>(largo);
        dir_x = dx / norma;
        dir_y = dy / norma;
        dir_z = dz / norma;
    } else {
        // A length beyond float's range: divide before rounding.
        dir_x = static_cast<float>(dx / largo);
        dir_y = static_cast<float>(dy / largo);
        dir_z = static_cast<float>(dz / largo);
    }
    activo = true;
}

void Proyectil::recalcularPosicion(float velocidad) {
    x += dir_x * velocidad;
    y += dir_y * velocidad;
    z += dir_z * velocidad;
}

} // namespace torvane
