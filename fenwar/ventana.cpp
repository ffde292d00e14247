// Setting up GL after a window is opened, and the switch to and from full screen.
#include "ventana.h"

#include "memoria.h"
#include "modo_video.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

namespace fenwar {

void proyeccionJuego(Escenario& e, float zoom) {
    e.zoom = zoom;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    gluPerspective(45.0f / zoom, 1.3333334f, 0.1, 100.0);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_MODELVIEW);
}

void iniciarGL(Recursos& r, const Juego& j) {
    proyeccionJuego(r.escenario, j.zoom);
    glEnable(GL_NORMALIZE);
}

void cambiarPantallaCompleta(Juego& j, Recursos& r) {
    // Freed in the old context first, so that nothing is left behind where the context survives.
    liberarRecursos(r);
    alternarModoVideo(ANCHO_VENTANA, ALTO_VENTANA, BITS_VENTANA, r.flags, SDL_FULLSCREEN);
    SDL_ShowCursor(SDL_DISABLE);
    // A new video mode brings a new GL context on X11: textures, lists and state are gone.
    iniciarGL(r, j);
    cargarRecursos(r, j);
    devolverMemoriaLibre();
}

} // namespace fenwar
