// The command line of the frame benchmarks: --cuadros N, --sin-listas, --sin-capa, --foto FILE.
#pragma once

#include <string>

struct OpcionesCuadros {
    int cuadros = 300;
    bool sinListas = false;
    // The scenery drawn every frame instead of copied from its kept picture.
    bool sinCapa = false;
    std::string foto;
    bool valida = true;
};

// Unknown options, a missing value or a frame count outside 1 to 1000000 make it not valid.
OpcionesCuadros leerOpciones(int argc, char** argv);
