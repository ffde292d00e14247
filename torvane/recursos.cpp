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
    const unsigned primera = r.directo ? 0 : glGenLists(3);
    if (primera == 0) {
        return;
    }
    r.listaCielo = primera;
    r.listaMisil = primera + 1;
    r.listaCubo = primera + 2;
    glNewList(r.listaCielo, GL_COMPILE);
    drawSkyBox(r.texturas);
    glEndList();
    glNewList(r.listaMisil, GL_COMPILE);
    drawObject(*juego.misil);
    glEndList();
    glNewList(r.listaCubo, GL_COMPILE);
    drawObject(*juego.cubo);
    glEndList();
}

void cargarFotoEscenario(Recursos& r) {
    if (!r.directo) {
        cargarFoto(r.foto, ANCHO_VENTANA, ALTO_VENTANA);
    }
}

void liberarRecursos(Recursos& r) {
    if (r.listaCielo != 0) {
        glDeleteLists(r.listaCielo, 3);
    }
    r.listaCielo = r.listaMisil = r.listaCubo = 0;
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
