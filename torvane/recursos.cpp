// Every GL resource of the game (textures and the display lists of unchanging geometry), loaded
// together and released together, so that a new GL context can be filled again.
#include "recursos.h"

#include <GL/gl.h>

#include "cielo.h"
#include "modelo3ds_dibujo.h"

namespace torvane {

void cargarRecursos(Recursos& r, Juego& juego) {
    cargarTexturas(r.texturas);
    juego.misil->id_texture = static_cast<int>(r.texturas[Textura::MISIL]);
    juego.cubo->id_texture = static_cast<int>(r.texturas[Textura::CIUDAD]);
    if (r.directo) {
        return;
    }
    r.listaCielo = compilarLista([&r] { drawSkyBox(r.texturas); });
    r.listaMisil = compilarLista([&juego] { drawObject(*juego.misil); });
    r.listaCubo = compilarLista([&juego] { drawObject(*juego.cubo); });
}

void cargarFotoEscenario(Recursos& r) {
    if (!r.directo) {
        cargarFoto(r.foto, ANCHO_VENTANA, ALTO_VENTANA);
    }
}

void liberarRecursos(Recursos& r) {
    for (unsigned* l : {&r.listaCielo, &r.listaMisil, &r.listaCubo}) {
        liberarLista(*l);
    }
    liberarFoto(r.foto);
    liberarTexturas(r.texturas);
}

void cielo(const Recursos& r) {
    if (r.listaCielo != 0) {
        glCallList(r.listaCielo);
    } else {
        drawSkyBox(r.texturas);
    }
}

void malla(unsigned lista, const obj_type& objeto) {
    if (lista != 0) {
        glCallList(lista);
    } else {
        drawObject(objeto);
    }
}

} // namespace torvane
