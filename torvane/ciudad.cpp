// A city of a level: its position and the health the missiles wear down.
#include "ciudad.h"

#include "entero.h"

namespace torvane {

Ciudad::Ciudad(float px, float py, float pz, int salud)
    : activo(true), x(px), y(py), z(pz), salud_total(salud), salud_actual(salud) {}

void Ciudad::decrementarSalud(int salud) {
    // Held within int's range so that strikes on a long-fallen ruin never overflow.
    salud_actual = restaSaturada(salud_actual, salud);
}

} // namespace torvane
