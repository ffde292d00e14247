// Play's GL set-up and the head-up display: score digits, ammunition, aiming mark, city health.
#pragma once

#include "juego.h"
#include "texturas.h"

// Shade model, depth test, texturing (only ever switched on here), clear colour, the projection.
void init(bool habilitar_texturas, bool facet_interpol);

// One rectangle `desx` by `desy` with its top-left corner at (iz, ar) in HUD units (x 0 to 480
// across, y 0 to 640 up), textured with `textura`.
void dibujarNumero(unsigned textura, int iz, int desx, int ar, int desy);

// The HUD over a frame of play; switches lighting off.
void dibujarHud(const Juego& juego, const Texturas& t);
