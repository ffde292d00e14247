// The pace of both games: a frame lasts 16 ms, whatever the display does with the swap.
#include "ritmo.h"

int esperaCuadro(long long inicio, long long ahora) {
    const long long transcurrido = ahora < inicio ? 0 : ahora - inicio;
    const long long resto = CUADRO_US - transcurrido;
    return resto > 0 ? static_cast<int>((resto + 500) / 1000) : 0;
}
