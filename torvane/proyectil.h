// Anything that flies in a straight line: enemy missiles and the player's bullets.
#pragma once

#include "modelo3ds.h"

namespace torvane {

class Proyectil {
  public:
    // The direction is stored as a unit vector. A zero (or not finite) direction gives none: such
    // a projectile is born inactive and never moves, so it is neither drawn nor hits anything.
    Proyectil(obj_type_ptr modelo, float x, float y, float z, float dir_x, float dir_y,
              float dir_z);
    // The model is borrowed and outlives the projectile: nothing to free.
    ~Proyectil() = default;

    // Moves `velocidad` units along the direction.
    void recalcularPosicion(float velocidad);

    obj_type_ptr getModelo() const { return modelo; }
    float getX() const { return x; }
    float getY() const { return y; }
    float getZ() const { return z; }
    bool getActivo() const { return activo; }
    void desactivar() { activo = false; }

  private:
    obj_type_ptr modelo;
    float x, y, z;
    float dir_x, dir_y, dir_z;
    bool activo;
};

} // namespace torvane
