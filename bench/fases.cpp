// The phases of play the frame benchmarks run: what the player does, frame after frame.
#include "fases.h"

const char* nombreFase(Fase f) {
    switch (f) {
    case Fase::Girando:
        return "girando";
    case Fase::Disparando:
        return "disparando";
    case Fase::Cambiando:
        return "cambiando";
    case Fase::Ciudad:
        return "ciudad";
    case Fase::Quieta:
        break;
    }
    return "quieta";
}

bool leerFase(const std::string& nombre, Fase& f) {
    for (Fase candidata : TODAS_LAS_FASES) {
        if (nombre == nombreFase(candidata)) {
            f = candidata;
            return true;
        }
    }
    return false;
}

bool tocaAccion(int cuadro) {
    return cuadro >= 0 && cuadro % CUADROS_POR_ACCION == 0;
}

int arrastre(int cuadro) {
    const int vuelta = cuadro < 0 ? 0 : cuadro % (2 * DRAG_CUADROS);
    return vuelta < DRAG_CUADROS ? -DRAG_PIXELES : DRAG_PIXELES;
}
