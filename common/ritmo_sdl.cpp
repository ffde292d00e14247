// Sleeping out the frame, with SDL's delay.
#include "reloj.h"
#include "ritmo.h"

#include <SDL.h>

void esperarCuadro(long long inicio) {
    const int espera = esperaCuadro(inicio, relojUs());
    if (espera > 0) {
        SDL_Delay(static_cast<Uint32>(espera));
    }
}
