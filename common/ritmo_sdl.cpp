// Showing each frame's picture on the pace, with SDL's delay and swap.
#include "reloj.h"
#include "ritmo.h"

#include <SDL.h>
#include <SDL_opengl.h>

void mostrarCuadro(long long& inicio) {
    glFinish();
    const int espera = esperaCuadro(inicio, relojUs());
    if (espera > 0) {
        SDL_Delay(static_cast<Uint32>(espera));
    }
    inicio = relojUs();
    SDL_GL_SwapBuffers();
}
