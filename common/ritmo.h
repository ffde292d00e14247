// The pace of both games: a frame lasts 16 ms, whatever the display does with the swap.
#pragma once

// A frame lasts this long: 62.5 frames a second.
constexpr long long CUADRO_US = 16000;

// Milliseconds to sleep in a frame begun at `inicio` (microseconds of relojUs) so that it lasts
// CUADRO_US, to the nearest millisecond the sleep can take: none once the frame, or a swap that
// waited for the display, took that long.
int esperaCuadro(long long inicio, long long ahora);

// Shows the frame's picture when the frame begun at `inicio` has lasted CUADRO_US, and begins
// the next frame there: a frame runs from one swap to the next. The picture is finished before
// the wait, so the swap hands over a picture already drawn and the pictures reach the screen
// every 16 ms, however long each one took to draw within them.
void mostrarCuadro(long long& inicio);
