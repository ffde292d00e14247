// Test helper: the sound room's calls that a game's frame code makes, written down, not played.
#pragma once

#include <vector>

#include "sonido.h"

namespace anotado {

struct Tocado {
    Efecto efecto;
    Ganancias ganancias;
    Clase clase;
    bool bucle;
};

// Every effect started since the last clear, in order (loops too).
extern std::vector<Tocado> tocados;
// The last pausarSonido call's argument.
extern bool pausado;
// The gains of every moverEfecto call, and how many pararEfecto calls stopped the loop.
extern std::vector<Ganancias> movidos;
extern int parados;
// Between abrirSonido and cerrarSonido (the stand-in opens no device: abrirSonido is false).
extern bool abierto;
// How many times alternarSonido was called.
extern int alternados;

// Forgets every call and ends the loop, as a fresh room.
void olvidar();

} // namespace anotado
