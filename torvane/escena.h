// Drawing of the screens: the play view (sky box, cities, towers, bullets, missiles) and the
// full-screen picture of every other screen.
#pragma once

#include "combate.h"
#include "recursos.h"

// Places the view and draws the world and the projectiles of one frame of play.
void dibujarJuego(const Juego& juego, const FramePlay& frame, Recursos& r);

// The HUD, replayed from its display list while what it shows stays the same (unless the kept
// picture is turned off, which turns this off too).
void hudGuardado(const Juego& juego, Recursos& r);

// Brings the highlight into range and draws the picture of the start, pause or game-over screen.
void dibujarMenu(Juego& juego, Texturas& t);
