// Test helper: the sound room's calls that Torvane's frame code makes, written down, not played.
#pragma once

#include <vector>

#include "sonido.h"

namespace anotado {

struct Tocado {
    Efecto efecto;
    Ganancias ganancias;
    Clase clase;
};

// Every effect started since the last clear, in order.
extern std::vector<Tocado> tocados;
// The last pausarSonido call's argument.
extern bool pausado;

} // namespace anotado
