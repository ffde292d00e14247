// Play's GL set-up and the head-up display: score digits, ammunition, aiming mark, city health.
#pragma once

#include "juego.h"
#include "texturas.h"

// Shade model, depth test, texturing (only ever switched on here), clear colour, the projection.
void init(bool habilitar_texturas, bool facet_interpol);

// The HUD over a frame of play; switches lighting off. With `porLotes` its quads of one picture
// that follow each other go to GL in one batch (the same pixels), else each on its own.
void dibujarHud(const Juego& juego, const Texturas& t, bool porLotes);
