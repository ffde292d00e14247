// Play's GL set-up and the head-up display: score digits, ammunition, aiming mark, city health.
#pragma once

#include "juego.h"
#include "texturas.h"

// Shade model, depth test, texturing (only ever switched on here), clear colour, the projection.
void init(bool habilitar_texturas, bool facet_interpol);

// The HUD over a frame of play; switches lighting off and leaves the colour white.
void dibujarHud(const Juego& juego, const Texturas& t);
