// What the head-up display shows: the score digits and the health cells of each city.
#include "hud_reglas.h"

namespace torvane {

DigitosPuntaje digitosPuntaje(int puntaje) {
    int p = puntaje < 0 ? 0 : puntaje;
    return {(p / 1000) % 10, (p / 100) % 10, (p / 10) % 10, p % 10};
}

Celda celdaSalud(int salud, int total) {
    if (total / 3 > salud) {
        return Celda::GRAVE;
    }
    if (total / 2 > salud) {
        return Celda::MEDIA;
    }
    return Celda::SANA;
}

int filaSalud(int id) {
    if (id < 0 || id > 3) {
        return -1;
    }
    return 50 + 20 * id;
}

} // namespace torvane
