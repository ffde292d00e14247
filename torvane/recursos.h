// Every GL resource of the game (textures and the display lists of unchanging geometry), loaded
// together and released together, so that a new GL context can be filled again.
#pragma once

#include "capa_fija.h"
#include "juego.h"
#include "texturas.h"

struct Recursos {
    Texturas texturas;
    unsigned listaCielo = 0;
    unsigned listaMisil = 0;
    unsigned listaCubo = 0;
    // The kept picture of the sky box, cities and towers.
    CapaFija capa;
};

// Loads the pictures, gives the meshes their textures and records the sky box and the meshes.
void cargarRecursos(Recursos& r, Juego& juego);

// Makes the kept picture of the scenery, window-sized. Checking that the window can be copied
// exactly draws into the back buffer: call it between frames.
void cargarCapa(Recursos& r);

// Deletes what cargarRecursos and cargarCapa made.
void liberarRecursos(Recursos& r);
