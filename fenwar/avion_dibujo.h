// Drawing the plane with GL: its model while it flies, its growing red ball once it is down.
#pragma once

#include "juego.h"
#include "recursos.h"

namespace fenwar {

// The plane model while it flies, otherwise its red ball while it bursts.
void drawavion(const Juego& j, const Recursos& r);
// The red ball of the plane's burst as avanzarAlDibujar left it.
void explosionav(const Avion& av);

} // namespace fenwar
