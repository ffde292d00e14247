// The enemy plane: launch at its interval, straight flight, 10-second exit, armour, red ball.
#pragma once

#include "dificultad.h"
#include "trayecto.h"

namespace fenwar {

struct Juego;

// Explosion frames left at launch.
constexpr int EXPLOSIONES_AVION = 25;
// Seconds a plane flies before it leaves.
constexpr float VUELO_AVION = 10.0f;

// Planes enter within this radius of their mark.
constexpr float RADIO_AVION = 0.5f;

struct Avion : Vuelo {
    int canthitrest;
};

Avion getAvion(float altura, float radioinferior, float radiosuperior, float Ox, float Oy, float Oz,
               int canthitrest, int DIFICULTAD);
void avion(const dificultad& d, float altura, float radioinferior, float radiosuperior, float Ox,
           float Oy, float Oz, Avion& plane, int& canthitrest);
// Seconds between two plane launches: 15 x (10 / DIFICULTAD), integer division.
int intervaloAvion(const dificultad& d);
// The plane's spawner, called every game frame: true when a plane was launched.
bool generarAviones(Juego& j);
// Moves the flying plane; after VUELO_AVION seconds it leaves.
void calcularavion(Juego& j);

// One frame of the red ball: false (explosion over) or true with the ball's radius.
bool pasoExplosionAvion(Avion& av, float& radio);

// The red ball's radius on a frame that pasoExplosionAvion left it to be drawn.
float radioBolaAvion(const Avion& av);

} // namespace fenwar
