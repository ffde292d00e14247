// Play's GL set-up and the head-up display: score digits, ammunition, aiming mark, city health.
#pragma once

#include "juego.h"
#include "texturas.h"

namespace torvane {

// Shade model, depth test, texturing (only ever switched on here), clear colour, the projection.
void init(bool habilitar_texturas, bool facet_interpol);

// The HUD over a frame of play, filled and textured whatever the render mode; a row of the health
// panel for each city in play. It switches lighting off, leaves the colour white, and leaves the
// polygon mode and texturing as the game's `wire` and `habilitar_texturas` say.
void dibujarHud(const Juego& juego, const Texturas& t);

} // namespace torvane
