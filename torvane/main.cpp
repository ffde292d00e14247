// Torvane's entry: defend the cities of three levels from the towers (run from assets/).
#include <SDL.h>

#include "bucle.h"

using namespace torvane;

int main(int, char**) {
    return correrTorvane();
}
