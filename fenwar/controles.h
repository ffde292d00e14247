// Reading SDL's events and handing them to the rules of the screen on show.
#pragma once

#include "juego.h"
#include "mandos.h"
#include "recursos.h"

namespace fenwar {

// Handles the pending events with the rules of `pantalla`, with the waits after keys; a key that
// waits leaves the rest for the next frame. Returns the shots and hits they made.
Sucesos atenderEventos(Juego& j, Recursos& r, Pantalla pantalla);

} // namespace fenwar
