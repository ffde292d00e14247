// Enemy missiles: launch towards living cities, flight by the clock, strikes and explosions.
#pragma once

#include "dificultad.h"
#include "trayecto.h"

namespace fenwar {

struct Juego;

constexpr int MISIL_PARTICLES = 50;
// Each particle of a burst is a small sphere of this many steps each way and this radius.
constexpr int PASOS_CHISPA = 4;
constexpr float RADIO_CHISPA = 0.005f;
constexpr float baselineYSpeed = 0.04f;
constexpr float maxYSpeed = 0.04f;
// Missiles and the plane are launched this far above their mark.
constexpr float ALTURA_LANZAMIENTO = 3.0f;
// Slots of buffmisiles; once all are used, finished slots are reused.
constexpr int MAX_MISILES = 100;
// Explosion frames left at launch: the burst is drawn for 26 frames.
constexpr int EXPLOSIONES_MISIL = 25;

// One missile. Flying: vivo; exploding: explotando; finished: neither.
struct Misil : Vuelo {
    float x_particle[MISIL_PARTICLES];
    float y_particle[MISIL_PARTICLES];
    float x_particleSpeed[MISIL_PARTICLES];
    float y_particleSpeed[MISIL_PARTICLES];
};

// A new flying missile launched `altura` above (Ox, Oy, Oz), within radiosuperior of it, aimed
// within radioinferior of it.
Misil getMisil(float altura, float radioinferior, float radiosuperior, float Ox, float Oy, float Oz,
               int DIFICULTAD);

// Stores a new missile in slot cantmis (which must be below MAX_MISILES) and counts it alive;
// the caller advances cantmis.
void misil(const dificultad& d, float altura, float radioinferior, float radiosuperior, float Ox,
           float Oy, float Oz, Misil* buffmisiles, int& cantmis, int& cantvivos);

// Slots visited by every loop: cantmisiles within 0..MAX_MISILES.
int slotsUsados(int cantmisiles);

// The slot the next missile goes to: cantmisiles while slots remain, then the first finished
// slot; -1 when all MAX_MISILES slots are flying or exploding.
int slotLibre(const Misil* buffmisiles, int cantmisiles);

// The spawner, called every game frame: at most one launch once the interval has passed; true
// when a missile was launched.
bool generarMisiles(Juego& j);

// Moves the flying missiles; those reaching a city damage it and explode, those below the
// ground are finished. The reach of a city is d.RAD_CITY + 0.2. Returns the strikes on cities.
int calcularmisiles(Juego& j);

// One explosion frame: false (and the missile finished) when the burst is over; otherwise
// counts the frame down, moves the particles and returns true.
bool pasoExplosion(Misil& m);
// Offset of particle k from the burst centre, after pasoExplosion moved it.
void desplazamientoParticula(const Misil& m, int k, float out[3]);

} // namespace fenwar
