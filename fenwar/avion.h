// The enemy plane: launch at its interval, straight flight, 10-second exit, armour, red ball.
#pragma once

#include "dificultad.h"
#include "modelo.h"

// Explosion frames left at launch.
constexpr int EXPLOSIONES_AVION = 25;
// Seconds a plane flies before it leaves.
constexpr float VUELO_AVION = 10.0f;

struct Avion {
    float xInicial, yInicial, zInicial;
    float xFinal, yFinal, zFinal;
    float xActual, yActual, zActual;
    float velocx, velocy, velocz;
    long t0; // relojMs() at launch
    bool vivo;
    bool explotando;
    int explosionesrestantes;
    int canthitrest;
};

Avion getAvion(float altura, float radioinferior, float radiosuperior, float Ox, float Oy, float Oz,
               int canthitrest, int DIFICULTAD);
void avion(const dificultad& d, float altura, float radioinferior, float radiosuperior, float Ox,
           float Oy, float Oz, Avion& plane, int& canthitrest);
// Seconds between two plane launches: 15 x (10 / DIFICULTAD), integer division.
int intervaloAvion(const dificultad& d);
void generarAviones(const dificultad& d, long& ultimogenerado, float altura, Avion& av, float radio,
                    int& canthitrest, float* coordavion, bool& hayavion);
void calcularavion(Avion& avion, int& canthitrest, bool& hayavion);

// One frame of the red ball: false (explosion over) or true with the ball's radius.
bool pasoExplosionAvion(Avion& av, float& radio);

// Drawing: the plane model while it flies, otherwise its growing red ball.
void drawavion(int numSteps, Avion& avion, int& canthitrest, bool& hit,
               const std::vector<vertice>& vAvion, const std::vector<textura>& tAvion,
               const std::vector<vertice>& nAvion, const std::vector<Poligono>& oAvion,
               unsigned listaAvion = 0);
void explosionav(Avion& av);
