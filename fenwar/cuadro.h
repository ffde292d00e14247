// One frame of play: spawning, motion, view, pick, drawing, events and the overlay.
#pragma once

#include "escenario.h"
#include "juego.h"

void cuadroJuego(Juego& j, Escenario& e);
