// The switch between window and full screen, which keeps the game running when a mode is refused.
#include "modo_video.h"

#include <SDL.h>
#include <cstdio>

namespace {

bool ponerModo(int ancho, int alto, int bits, std::uint32_t flags) {
    if (SDL_SetVideoMode(ancho, alto, bits, flags) != nullptr) {
        return true;
    }
    std::fprintf(stderr, "No se pudo establecer el modo de video: %s\n", SDL_GetError());
    return false;
}

} // namespace

bool alternarModoVideo(int ancho, int alto, int bits, std::uint32_t& flags, std::uint32_t cambio) {
    if (ponerModo(ancho, alto, bits, flags ^ cambio)) {
        flags ^= cambio;
        return true;
    }
    return ponerModo(ancho, alto, bits, flags);
}
