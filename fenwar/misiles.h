// Enemy missiles: launch towards living cities, flight by the clock, strikes and explosions.
#pragma once

#include "dificultad.h"
#include "modelo.h"

constexpr int MISIL_PARTICLES = 50;
// Each particle of a burst is a small sphere of this many steps each way and this radius.
constexpr int PASOS_CHISPA = 4;
constexpr float RADIO_CHISPA = 0.005f;
constexpr float baselineYSpeed = 0.04f;
constexpr float maxYSpeed = 0.04f;
// Slots of buffmisiles; once all are used, finished slots are reused.
constexpr int MAX_MISILES = 100;
// Explosion frames left at launch: the burst is drawn for 26 frames.
constexpr int EXPLOSIONES_MISIL = 25;

// One missile. Flying: vivo; exploding: explotando; finished: neither.
struct Misil {
    float xInicial, yInicial, zInicial;
    float xFinal, yFinal, zFinal;
    float xActual, yActual, zActual;
    float velocx, velocy, velocz;
    long t0; // relojMs() at launch
    bool vivo;
    bool explotando;
    int explosionesrestantes;
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

// The slot the next missile goes to: cantmisiles while slots remain, then the first finished
// slot; -1 when all MAX_MISILES slots are flying or exploding.
int slotLibre(const Misil* buffmisiles, int cantmisiles);

// The spawner, called every game frame: at most one launch once the interval has passed.
void generarMisiles(const dificultad& d, long& ultimogenerado, float (*coordCitys)[3],
                    Misil* buffmisiles, int& cantmisiles, float altura, int& cantvivos,
                    int* vidaCitys);

// Moves the flying missiles; those reaching a city damage it and explode, those below the
// ground are finished. radiociudad is not used: the reach is d.RAD_CITY + 0.2.
void calcularmisiles(const dificultad& d, Misil* buffmisiles, int& cantmis, int& cantvivos,
                     float radiociudad, float (*coordCitys)[3], int* vidaCitys);

// One explosion frame: false (and the missile finished) when the burst is over; otherwise
// counts the frame down, moves the particles and returns true.
bool pasoExplosion(Misil& m);
// Offset of particle k from the burst centre, after pasoExplosion moved it.
void desplazamientoParticula(const Misil& m, int k, float out[3]);

// Drawing: the burst of missile i, its trail, and every missile of the game. Given a display list
// of the missile model (or of a spark), it is replayed instead of sending the model again.
void explosion(int i, Misil* buffmisiles, unsigned* textura, unsigned listaChispa = 0);
void drawestela(int i, Misil* buffmisiles);
void drawmisiles(int numSteps, Misil* buffmisiles, int& cantmisiles,
                 const std::vector<vertice>& vMisil, const std::vector<textura>& tMisil,
                 const std::vector<vertice>& nMisil, const std::vector<Poligono>& oMisil,
                 unsigned* textura, unsigned listaMisil = 0, unsigned listaChispa = 0);
