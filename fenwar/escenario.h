// The scenery in vertex buffers, the models and score lines in display lists, the kept picture.
#pragma once

#include "capa_fija.h"
#include "decorado.h"
#include "digitos.h"
#include "juego.h"

#include <GL/gl.h>
#include <algorithm>

// The scenery that does not change during a game, recorded. With `usarListas` false the scenery
// is sent in immediate mode every frame, whole, and no picture is kept (the same picture, slower).
struct Escenario {
    bool usarListas = true;
    Decorado torres;
    Decorado caniones;
    Decorado ciudades[3];
    Decorado cielo;
    Decorado suelo;
    // The missile and plane models and the spark of a burst, which move but never change shape.
    unsigned misil = 0;
    unsigned avion = 0;
    unsigned chispa = 0;
    // Whether they were recorded for the outline mode (as polygons) or filled (as triangles).
    bool modelosContorno = false;
    // The score and city-health lines, recorded with the values they show.
    unsigned marcador = 0;
    bool marcadorGrabado = false;
    int claveMarcador[4] = {};
    // Barrel angles the cannon list was recorded with.
    float angulosGrabados[4] = {};
    // The kept picture of all the scenery (only with the lists).
    CapaFija capa;
};

// Records the scenery and the lists (the models must be loaded); called at start-up and again
// after the GL context was re-created.
void cargarEscenario(Escenario& e, Juego& j);
// Makes the kept picture of the scenery (only with the lists). Checking that the window can be
// copied exactly draws into the back buffer: call it between frames.
void cargarCapaEscenario(Escenario& e);
// Frees the buffers, the lists and the kept picture of the current context.
void descargarEscenario(Escenario& e);

// Records the models and the spark again when the outline mode was switched since.
void prepararModelos(Escenario& e, const Juego& j);

void escenaTorres(Escenario& e, Juego& j);
// Records the cannons again first when a barrel angle changed.
void escenaCaniones(Escenario& e, Juego& j);
void escenaCiudades(Escenario& e, Juego& j);
void escenaCielo(Escenario& e);
void escenaSuelo(Escenario& e);

// The score and city-health lines that `dibujar` draws, replayed from their list while the score
// and the health stay the same. A score past the counter's top is reduced as it is drawn, so it is
// drawn, not recorded.
template <class F> void escenaMarcador(Escenario& e, const Juego& j, F dibujar) {
    const int clave[4] = {j.puntaje, j.vidaCitys[0], j.vidaCitys[1], j.vidaCitys[2]};
    const bool grabar = e.marcador != 0 && j.puntaje < TOPE_MARCADOR;
    if (grabar && e.marcadorGrabado && std::equal(clave, clave + 4, e.claveMarcador)) {
        glCallList(e.marcador);
        return;
    }
    if (grabar) {
        glNewList(e.marcador, GL_COMPILE_AND_EXECUTE);
    }
    dibujar();
    if (grabar) {
        glEndList();
        std::copy(clave, clave + 4, e.claveMarcador);
        e.marcadorGrabado = true;
    }
}
