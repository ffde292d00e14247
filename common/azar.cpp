// The games' own random generator: the classic 15-bit rand/srand (0..32767), the same on every
// libc.
#include "azar.h"

namespace {
unsigned long siguiente = 1;
}

int azar() {
    siguiente = (siguiente * 1103515245UL + 12345UL) & 0xffffffffUL;
    return static_cast<int>((siguiente / 65536UL) % 32768UL);
}

void sembrarAzar(unsigned semilla) {
    siguiente = semilla;
}
