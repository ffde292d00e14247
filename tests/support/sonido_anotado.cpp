// Test helper: the sound room's calls that a game's frame code makes, written down, not played.
#include "sonido_anotado.h"

namespace anotado {
std::vector<Tocado> tocados;
bool pausado = false;
std::vector<Ganancias> movidos;
int parados = 0;
int alternados = 0;
bool abierto = false;

// The one loop that plays, as the room would keep it: a pause or a stop ends it.
static Manija bucle;
static std::uint32_t turnos = 0;

void olvidar() {
    tocados.clear();
    movidos.clear();
    parados = 0;
    alternados = 0;
    pausado = false;
    bucle = Manija{};
}

static bool esElBucle(Manija manija) {
    return manija.voz >= 0 && bucle.voz == manija.voz && bucle.turno == manija.turno;
}
} // namespace anotado

Manija tocarEfecto(Efecto efecto, Ganancias ganancias, Clase clase) {
    anotado::tocados.push_back({efecto, ganancias, clase, false});
    return Manija{};
}

// Refused during a pause, as the room refuses sounds of play then.
Manija tocarBucle(Efecto efecto, Ganancias ganancias) {
    anotado::tocados.push_back({efecto, ganancias, Clase::JUEGO, true});
    if (anotado::pausado) {
        return Manija{};
    }
    anotado::bucle = Manija{0, ++anotado::turnos};
    return anotado::bucle;
}

bool moverEfecto(Manija manija, Ganancias ganancias) {
    anotado::movidos.push_back(ganancias);
    return anotado::esElBucle(manija);
}

void pararEfecto(Manija manija) {
    if (anotado::esElBucle(manija)) {
        anotado::parados++;
        anotado::bucle = Manija{};
    }
}

void pausarSonido(bool pausado) {
    anotado::pausado = pausado;
    if (pausado) {
        anotado::bucle = Manija{};
    }
}

void alternarSonido() {
    anotado::alternados++;
}

bool abrirSonido(const std::string&) {
    anotado::abierto = true;
    return false;
}

void cerrarSonido() {
    anotado::abierto = false;
}
