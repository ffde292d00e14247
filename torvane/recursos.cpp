// Every GL resource of the game (textures and the display lists of unchanging geometry), loaded
// together and released together, so that a new GL context can be filled again.
#include "recursos.h"

#include <GL/gl.h>

#include "cielo.h"

void cargarRecursos(Recursos& r, Juego& juego) {
    cargarTexturas(r.texturas);
    juego.misil->id_texture = static_cast<int>(r.texturas.textura_misil);
    juego.cubo->id_texture = static_cast<int>(r.texturas.textura_ciudad);

    r.listaCielo = glGenLists(3);
    r.listaMisil = r.listaCielo + 1;
    r.listaCubo = r.listaCielo + 2;
    glNewList(r.listaCielo, GL_COMPILE);
    drawSkyBox(r.texturas.sky_box_textura);
    glEndList();
    glNewList(r.listaMisil, GL_COMPILE);
    drawObject(*juego.misil);
    glEndList();
    glNewList(r.listaCubo, GL_COMPILE);
    drawObject(*juego.cubo);
    glEndList();
}

void cargarCapa(Recursos& r) {
    GLint vista[4] = {};
    glGetIntegerv(GL_VIEWPORT, vista);
    cargarCapaFija(r.capa, vista[2], vista[3]);
}

void liberarRecursos(Recursos& r) {
    if (r.listaCielo != 0) {
        glDeleteLists(r.listaCielo, 3);
    }
    r.listaCielo = r.listaMisil = r.listaCubo = 0;
    liberarCapaFija(r.capa);
    liberarTexturas(r.texturas);
}
