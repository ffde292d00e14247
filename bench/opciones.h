// The command line of the frame benchmarks: --cuadros N, --fase NAME, --directo, --foto FILE.
#pragma once

#include "fases.h"

#include <string>

struct OpcionesCuadros {
    int cuadros = 300;
    Fase fase = Fase::Quieta;
    // Every piece drawn directly every frame: no display lists, no kept picture.
    bool directo = false;
    std::string foto;
    bool valida = true;
};

// Unknown options, a missing value, an unknown phase or a frame count outside 1 to 1000000 make
// it not valid.
OpcionesCuadros leerOpciones(int argc, char** argv);
