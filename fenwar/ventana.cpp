// Setting up GL after a window is opened, and the switch to and from full screen.
#include "ventana.h"

#include "texturas.h"

#include "memoria.h"
#include "modo_video.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>
#include <cstdlib>

void proyeccionJuego(Escenario& e, float zoom) {
    e.zoom = zoom;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    gluPerspective(45.0f / zoom, 1.3333334f, 0.1, 100.0);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_MODELVIEW);
}

void cargarRecursosGL(Juego& j, Escenario& e, bool conMenus) {
    proyeccionJuego(e, j.zoom);
    glEnable(GL_NORMALIZE);
    if (conMenus) {
        cargarTexturas(j.textura, CANT_TEXTURAS);
    } else {
        cargarTexturasJuego(j.textura, CANT_TEXTURAS);
    }
    cargarEscenario(e, j);
    if (conMenus) {
        cargarFotoEscenario(e);
    }
}

void cambiarPantallaCompleta(Juego& j, Escenario& e) {
    // Freed in the old context first, so that nothing is left behind where the context survives.
    glDeleteTextures(CANT_TEXTURAS, j.textura);
    descargarEscenario(e);
    if (!alternarModoVideo(ANCHO_VENTANA, ALTO_VENTANA, BITS_VENTANA, j.flags, SDL_FULLSCREEN)) {
        std::exit(1);
    }
    SDL_ShowCursor(SDL_DISABLE);
    // A new video mode brings a new GL context on X11: textures, lists and state are gone.
    cargarRecursosGL(j, e);
    devolverMemoriaLibre();
}
