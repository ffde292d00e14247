// One frame of play: the rules step, view and pick, drawing, events and the overlay.
#pragma once

#include "juego.h"
#include "recursos.h"

namespace fenwar {

// Plays and draws one game frame; returns what happened in it.
Sucesos cuadroJuego(Juego& j, Recursos& r);

} // namespace fenwar
