// Every GL object of a run (texture names, the scenery's lists, the kept picture) and the window's
// video flags, loaded together and freed together, so that a new GL context can be filled again.
#pragma once

#include "escenario.h"
#include "juego.h"

#include <cstdint>

namespace fenwar {

constexpr int CANT_TEXTURAS = 20;

struct Recursos {
    // GL texture names: slots 0 to 9 hold the images.
    unsigned textura[CANT_TEXTURAS] = {};
    Escenario escenario;
    std::uint32_t flags = 0;
};

// The textures, the scenery lists and the kept picture of the current context (the models of `j`
// must be loaded; the scenery draws from `j`, which must outlive it). Without `conMenus`
// (start-up) the menu pictures and the kept picture are left for after the first frame
// (cargarTexturasMenu, cargarFotoEscenario).
void cargarRecursos(Recursos& r, Juego& j, bool conMenus = true);
// Frees what cargarRecursos made, in the context that is current.
void liberarRecursos(Recursos& r);

} // namespace fenwar
