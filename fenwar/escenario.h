// The scenery recorded once into display lists and replayed every frame.
#pragma once

#include "juego.h"

// The sky dome is recorded in pieces of 25 columns of one band; the view is tested against
// sectors of 16 bands by 25 columns, 10 by 12 of them.
constexpr int SECTORES_CIELO = 120;

// The box around the vertices of one sector of the sky dome, in the dome's own frame.
struct CajaSector {
    float min[3];
    float max[3];
};

// List names of the scenery that does not change during a game. With `usarListas` false the
// scenery is sent in immediate mode every frame instead (the same picture, slower).
struct Escenario {
    bool usarListas = true;
    unsigned torres = 0;
    unsigned caniones = 0;
    unsigned ciudades[3] = {};
    unsigned suelo = 0;
    // The first of the lists of the sky dome's pieces.
    unsigned cielo = 0;
    // Barrel angles the cannon list was recorded with.
    float angulosGrabados[4] = {};
    // Where each sky sector lies, the dome's offset, and the texture coordinate and normal that the
    // whole dome leaves current at its end.
    CajaSector cajasCielo[SECTORES_CIELO] = {};
    float trasladoCielo[3] = {};
    double texFinalCielo[2] = {};
    double normalFinalCielo[3] = {};
};

// True when some point of the box may show in the view: the box, moved by `traslado`, is not
// wholly beyond one plane of the view volume of the projection times modelview `pm` (GL order).
bool cajaALaVista(const CajaSector& caja, const float traslado[3], const double pm[16]);

// Records the lists; called at start-up and again after the GL context was re-created.
void cargarEscenario(Escenario& e, Juego& j);
// Frees the lists of the current context.
void descargarEscenario(Escenario& e);

void escenaTorres(const Escenario& e, Juego& j);
// Records the cannons again first when a barrel angle changed.
void escenaCaniones(Escenario& e, Juego& j);
void escenaCiudades(const Escenario& e, Juego& j);
// Replays only the sky sectors that reach into the current view: the ones left out lie wholly
// outside it and would not have coloured a pixel.
void escenaCielo(const Escenario& e);
void escenaSuelo(const Escenario& e);
