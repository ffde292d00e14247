// The switch between window and full screen, which keeps the game running when a mode is refused.
#include "modo_video.h"

#include <SDL.h>
#include <cstdio>

namespace {

bool ponerModo(int ancho, int alto, int bits, std::uint32_t flags) {
    return SDL_SetVideoMode(ancho, alto, bits, flags) != nullptr;
}

void avisarRechazo() {
    std::fprintf(stderr, "No se pudo establecer el modo de video: %s\n", SDL_GetError());
}

} // namespace

// One line for a refused switch, whether or not the old mode comes back: when it does not, the
// line carries that last refusal, the reason the game ends.
bool alternarModoVideo(int ancho, int alto, int bits, std::uint32_t& flags, std::uint32_t cambio) {
    if (ponerModo(ancho, alto, bits, flags ^ cambio)) {
        flags ^= cambio;
        return true;
    }
    const bool vuelve = ponerModo(ancho, alto, bits, flags);
    avisarRechazo();
    return vuelve;
}
