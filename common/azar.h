// The games' own random generator: the classic 15-bit rand/srand (0..32767), the same on every libc.
#pragma once

constexpr int AZAR_MAX = 32767;

// Next number in 0..AZAR_MAX.
int azar();
// Restart the sequence; without a call the sequence starts as if seeded with 1.
void sembrarAzar(unsigned semilla);
