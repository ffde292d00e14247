// The game clock: wall-clock milliseconds from a monotonic source, which tests may hold still.
#pragma once

// Milliseconds on a monotonic clock; only differences between two readings mean anything.
long relojMs();
// The same clock in microseconds, for the frame's pace.
long long relojUs();

// Tests: freeze the clock at `ms` (every reading returns it until released).
void relojFijar(long ms);
// Tests: let the clock run from the real monotonic source again.
void relojSoltar();
