// Drawing of the screens: the play view (sky box, cities, towers, bullets, missiles) and the
// full-screen picture of every other screen.
#pragma once

#include "combate.h"
#include "recursos.h"

namespace torvane {

// Places the view and draws one frame of play: the scenery (sky box, cities, towers) on a cleared
// window, or its kept picture while it stays the same (the copy replaces the clear), the bullets
// and missiles, then the HUD. It ends as the HUD leaves it: lighting off, colour white, the
// render modes as the game records them.
void dibujarJuego(const Juego& juego, const FramePlay& frame, Recursos& r);

// Loads the identity into the model-view matrix and applies the view: the camera of the current
// tower, the travel between towers, or none.
void colocarVista(const Juego& juego, const Vista& vista);

// Brings the highlight into range and draws the picture of the start, pause or game-over screen.
void dibujarMenu(Juego& juego, Texturas& t);

} // namespace torvane
