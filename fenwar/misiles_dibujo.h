// Drawing the missiles with GL: the model twice with a trail while flying, a burst while exploding.
#pragma once

#include "juego.h"
#include "recursos.h"

namespace fenwar {

// The burst of a missile as avanzarAlDibujar left it, with the fire picture.
void explosion(const Misil& m, const Recursos& r);
// The trail from the launch point to where the missile is.
void drawestela(const Misil& m);
// Every missile of the game, the models from their display lists when there are some.
void drawmisiles(const Juego& j, const Recursos& r);

} // namespace fenwar
