// A tower: the camera the player looks through and its stock of ammunition.
#pragma once

#include "camara.h"

namespace torvane {

class Torre {
  public:
    // Takes ownership of `c`.
    Torre(CCamera* c, int municion);
    ~Torre();
    Torre(const Torre&) = delete;
    Torre& operator=(const Torre&) = delete;

    // The tower keeps ownership of its camera.
    CCamera* getCamara() const { return camara; }
    int getMunicion() const { return municion_actual; }
    // One shot less, unchecked: the caller fires only with getMunicion() >= 1.
    void disparar();
    // Full ammunition again, at every level start.
    void reestablecerMunicion() { municion_actual = municion_total; }

  private:
    CCamera* camara;
    int municion_total;
    int municion_actual;
};

} // namespace torvane
