// Reading SDL's events and handing them to the rules of the screen on show.
#pragma once

#include "escenario.h"
#include "juego.h"
#include "mandos.h"

// Handles the pending events with the rules of `pantalla`, with the waits after keys; a key that
// waits leaves the rest for the next frame.
void atenderEventos(Juego& j, Escenario& e, Pantalla pantalla);
