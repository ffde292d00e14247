// The pace of both games: a frame lasts 16 ms, whatever the display does with the swap.
#pragma once

// A frame lasts this long: 62.5 frames a second.
constexpr long long CUADRO_US = 16000;

// Milliseconds to sleep at the end of a frame begun at `inicio` (microseconds of relojUs) so that
// it lasts CUADRO_US, to the nearest millisecond the sleep can take: none once the frame, or a
// swap that waited for the display, took that long.
int esperaCuadro(long long inicio, long long ahora);

// Sleeps what is left of the frame begun at `inicio`.
void esperarCuadro(long long inicio);
