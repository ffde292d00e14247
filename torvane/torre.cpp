// A tower: the camera the player looks through and its stock of ammunition.
#include "torre.h"

#include "entero.h"

namespace torvane {

Torre::Torre(CCamera* c, int municion)
    : camara(c), municion_total(municion), municion_actual(municion) {}

Torre::~Torre() {
    delete camara;
}

void Torre::disparar() {
    municion_actual = restaSaturada(municion_actual, 1);
}

} // namespace torvane
