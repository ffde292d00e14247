// The program's run: start-up, the level and frame loops, event decoding, full screen and exit.
#pragma once

#include "juego.h"
#include "menu.h"
#include "recursos.h"

namespace torvane {

// The video mode flags, with the full-screen bit toggled by F11.
struct Ventana {
    unsigned flags = 0;
};

// The game's key for an SDL key code.
Tecla traducirTecla(int sdlKey);

// Clears the window and draws one frame (no event handling, no swap): play with its HUD, or a
// menu picture; the light.
void dibujarFrame(Juego& juego, Recursos& r);

// Applies what a key asked of the GL state: polygon mode, texturing, play's state (init), full
// screen.
void aplicarEfectos(const Efectos& efectos, Juego& juego, Recursos& r, Ventana& v);

// Handles every pending event; ends the program with status 1 only if no video mode can be set.
void atenderEventos(Juego& juego, Recursos& r, Ventana& v);

// The whole program from its working directory; returns the exit status.
int correrTorvane();

} // namespace torvane
