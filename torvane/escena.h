// Drawing of the screens: the play view (sky box, cities, towers, bullets, missiles) and the
// full-screen picture of every other screen.
#pragma once

#include "combate.h"
#include "recursos.h"

// Places the view, clears the window and draws one frame of play: the scenery (sky box, cities,
// towers), copied from its kept picture while it stays the same (the copy replaces the clear),
// the HUD, then the bullets and missiles. It ends
// as the HUD leaves it: lighting off, colour white.
void dibujarJuego(const Juego& juego, const FramePlay& frame, Recursos& r);

// Brings the highlight into range and draws the picture of the start, pause or game-over screen.
void dibujarMenu(Juego& juego, Texturas& t);
