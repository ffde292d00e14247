// Every GL resource of the game (textures and the display lists of unchanging geometry), loaded
// together and released together, so that a new GL context can be filled again.
#pragma once

#include "combate.h"
#include "dibujo_rapido.h"
#include "juego.h"
#include "texturas.h"

namespace torvane {

// The window's size.
constexpr int ANCHO_VENTANA = 640;
constexpr int ALTO_VENTANA = 480;

// The mesh drawn last, whose last face's normal is the current one.
enum class Malla { NINGUNA, CUBO, MISIL };

struct Recursos {
    Texturas texturas;
    // Without lists and the kept picture the sky box and the meshes are sent every frame: the
    // same picture, slower (the benchmark and the tests draw both ways).
    bool directo = false;
    unsigned listaCielo = 0;
    unsigned listaMisil = 0;
    unsigned listaCubo = 0;
    // The kept picture of the sky box, cities and towers.
    FotoFija foto;
    Malla ultimaMalla = Malla::NINGUNA;
    // The view of the last frame of play, under which the light was placed.
    Vista ultimaVista;
};

// Loads the pictures, gives the meshes their textures and compiles the sky box and the meshes.
void cargarRecursos(Recursos& r, Juego& juego);
// Makes the kept picture (not when drawing directly); start-up leaves it for after the first
// frame.
void cargarFotoEscenario(Recursos& r);

// Deletes what cargarRecursos and cargarFotoEscenario made.
void liberarRecursos(Recursos& r);

// The sky box, and a mesh, from its list or sent directly.
void cielo(const Recursos& r);
void malla(unsigned lista, const obj_type& objeto);

} // namespace torvane
