// What the player hears of Torvane: play's events placed from the eye of the view, the menu's
// steps and choices, the travel between towers, a level won and the game lost.
#pragma once

#include "combate.h"
#include "juego.h"
#include "menu.h"

namespace torvane {

// One frame of play: the missiles shot down, the strikes and the fallen cities, heard from the eye
// the frame was drawn from.
void oirFrame(const Juego& juego, const FramePlay& frame);

// A click: the bullet leaving the eye, or the dry click of an empty tower.
void oirDisparo(Disparo disparo);

// What a key may change that is heard, taken before the key is handled.
struct AntesDeTecla {
    Estado estado;
    int entrada;
    int torre;
};
AntesDeTecla antesDeTecla(const Juego& juego);
// A step between menu entries, a menu entry chosen, the travel to another tower.
void oirTecla(const AntesDeTecla& antes, const Juego& juego, Tecla tecla);

// Once a frame, after its events: a level won, the game lost, and the pause menu's silence.
void oirEstado(Estado antes, const Juego& juego);

} // namespace torvane
