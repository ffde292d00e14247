// Fenwar's busy scene and what the player does in each phase of play: the benchmark times it,
// the pixel tests draw it both ways.
#pragma once

#include "fases.h"
#include "juego.h"
#include "misiles.h"

namespace fenwar {

// The clock stands still during the run: the missiles keep their places and nothing is launched,
// so every frame draws the same scene.
constexpr long RELOJ_FIJO = 10000000;

// The missiles and the plane, saved once and put back before every frame, so that every frame
// draws them the same. The score, the cities' health and the view are what the phases change:
// those go on from frame to frame.
struct Escena {
    Misil misiles[MAX_MISILES];
    int cantmisiles, cantvivos, canthitrest;
    Avion av;
    bool hayavion;
};

void guardar(const Juego& j, Escena& s);
void reponer(Juego& j, const Escena& s);

// 20 missiles in flight over the three cities at different heights, 5 more bursting in the air,
// the plane on its way across. Every value is fixed, so two runs draw the same picture.
void armarEscena(Juego& j);

// What the player does before frame `i` of the phase, through the rules the game's input calls.
void jugar(Fase fase, int i, Juego& j);

} // namespace fenwar
