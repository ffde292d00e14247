// Every GL object of a run, loaded together and freed together.
#include "recursos.h"

#include "texturas.h"

#include <GL/gl.h>

namespace fenwar {

void cargarRecursos(Recursos& r, Juego& j, bool conMenus) {
    if (conMenus) {
        cargarTexturas(r.textura, CANT_TEXTURAS);
    } else {
        cargarTexturasJuego(r.textura, CANT_TEXTURAS);
    }
    cargarEscenario(r.escenario, j);
    if (conMenus) {
        cargarFotoEscenario(r.escenario);
    }
}

void liberarRecursos(Recursos& r) {
    glDeleteTextures(CANT_TEXTURAS, r.textura);
    for (unsigned& t : r.textura) {
        t = 0;
    }
    descargarEscenario(r.escenario);
}

} // namespace fenwar
