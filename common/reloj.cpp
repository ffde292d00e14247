// The game clock: wall-clock milliseconds from a monotonic source, which tests may hold still.
#include "reloj.h"

#include <time.h>

namespace {
bool fijado = false;
long valorFijado = 0;
} // namespace

long relojMs() {
    if (fijado)
        return valorFijado;
    timespec ahora;
    clock_gettime(CLOCK_MONOTONIC, &ahora);
    return static_cast<long>(ahora.tv_sec) * 1000L + ahora.tv_nsec / 1000000L;
}

long long relojUs() {
    if (fijado)
        return valorFijado * 1000LL;
    timespec ahora;
    clock_gettime(CLOCK_MONOTONIC, &ahora);
    return static_cast<long long>(ahora.tv_sec) * 1000000LL + ahora.tv_nsec / 1000;
}

void relojFijar(long ms) {
    fijado = true;
    valorFijado = ms;
}

void relojSoltar() {
    fijado = false;
}
