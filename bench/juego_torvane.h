// Torvane's busy scene and what the player does in each phase of play: the benchmark times it,
// the pixel tests draw it both ways.
#pragma once

#include "fases.h"
#include "juego.h"

namespace torvane {

constexpr int NIVEL = 3;

// The meshes' trace goes where the game's would go unread: it is still written, to /dev/null.
void cargarMallas(obj_type& misil, obj_type& cubo);

// Level 3 in play from tower 0: missiles coming down over each city, bullets on their way out
// along the tower's view. Made again before every frame, so every frame draws the same scene;
// what the player fired, and the missiles the phases send, fly on in the slots after the scene's.
void armarEscena(Juego& juego);

// Frames spent at a tower since the last travel ended.
struct Marcha {
    int enTorre = 0;
};

// What the player does before frame `i` of the phase, through the rules the game's input calls.
void jugar(Fase fase, int i, Juego& juego, Marcha& marcha);

} // namespace torvane
