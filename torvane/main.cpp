// Torvane's entry: defend the cities of three levels from the towers (run from assets/).
#include <SDL.h>

#include "bucle.h"

int main(int, char**) {
#ifdef TORVANE_SIN_CAPA
    return correrTorvane(false);
#else
    return correrTorvane();
#endif
}
