// The scenery as pieces in display lists left out when out of view, the models, the kept picture.
#pragma once

#include "dibujo_rapido.h"
#include "juego.h"
#include "teselado.h"

#include <vector>

namespace fenwar {

// The sky dome and the ground: radius 30 about the origin, the dome of 300 steps.
constexpr float RADIO_MUNDO = 30.0f;
constexpr int PASOS_CIELO = 300;
// The sky is cut into sectors of this many bands and this many quads of a band: larger ones send
// more of the dome that is out of view, smaller ones more lists.
constexpr int BANDAS_SECTOR = 10;
constexpr int CUADROS_SECTOR = 20;
constexpr int COLUMNAS_SECTORES = PASOS_CIELO / CUADROS_SECTOR;
constexpr int SECTORES_CIELO = (PASOS_CIELO / 2 / BANDAS_SECTOR + 1) * COLUMNAS_SECTORES;
// Sector k of the sky, row by row from the pole.
teselado::Sector sectorCielo(int k);

// What the scenery is drawn from in the current GL context. With `directo` every piece is drawn
// directly every frame and no picture is kept: the same picture, slower (the benchmark and the
// tests draw both ways).
struct Escenario {
    bool directo = false;
    Pieza torres[4];
    Pieza caniones[4];
    // The barrel angles the cannons were compiled with.
    float angulos[4] = {};
    Pieza ciudades[3];
    Pieza cielo[SECTORES_CIELO];
    Pieza suelo;
    // The missile and plane models and the spark of a burst, which move but never change shape.
    unsigned misil = 0, avion = 0, chispa = 0;
    FotoFija foto;
    // The zoom of the projection in force, and what this frame's view shows.
    float zoom = 1.0f;
    VolumenVista vista;
};

// Makes the pieces and the models' lists (the models must be loaded; the pieces draw from `j`,
// which must outlive them); at start-up and again after the GL context was made anew.
void cargarEscenario(Escenario& e, Juego& j);
// Makes the kept picture (not with `directo`).
void cargarFotoEscenario(Escenario& e);
// Frees the lists and the picture of the current context.
void descargarEscenario(Escenario& e);

// The spheres that hold tower h, cannon h (whatever its barrel's angle), city i and the sky's
// sector k, in the world's frame.
Esfera esferaTorre(const Juego& j, int h);
Esfera esferaCanion(const Juego& j, int h);
Esfera esferaCiudad(const Juego& j, int i);
Esfera esferaSector(int k);

// What the frame's view shows, from the game's own values: the view from the chosen cannon, the
// scene turned about the eye, the projection of the zoom in force.
void prepararVista(Escenario& e, const Juego& j);
// The game's values that decide the scenery's picture: view, zoom in force, light, switches,
// which cities stand, the barrel angles.
std::vector<float> claveEscenario(const Escenario& e, const Juego& j);

// The pieces under the current state; a cannon is compiled again first when its barrel turned.
void escenaTorres(const Escenario& e, Juego& j);
void escenaCaniones(Escenario& e, Juego& j);
void escenaCiudades(const Escenario& e, Juego& j);
void escenaCielo(const Escenario& e);
void escenaSuelo(const Escenario& e);

} // namespace fenwar
