// The game window: start-up with its fatal messages, and the switch between window and full screen,
// which keeps the game running when a mode is refused.
#include "modo_video.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* MODO_RECHAZADO = "No se pudo establecer el modo de video: ";

bool ponerModo(int ancho, int alto, int bits, std::uint32_t flags) {
    return SDL_SetVideoMode(ancho, alto, bits, flags) != nullptr;
}

} // namespace

void terminarPorSdl(const char* texto) {
    std::fprintf(stderr, "%s%s\n", texto, SDL_GetError());
    SDL_Quit();
    std::exit(1);
}

std::uint32_t abrirVentana(int ancho, int alto, int bits, const char* titulo) {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        terminarPorSdl("No se pudo iniciar SDL: ");
    }
    const std::uint32_t flags = SDL_HWSURFACE | SDL_OPENGL | SDL_DOUBLEBUF;
    if (!ponerModo(ancho, alto, bits, flags)) {
        terminarPorSdl(MODO_RECHAZADO);
    }
    SDL_WM_SetCaption(titulo, titulo);
    return flags;
}

// One line for a refused switch, whether or not the old mode comes back: when it does not, the
// line carries that last refusal, the reason the game ends.
void alternarModoVideo(int ancho, int alto, int bits, std::uint32_t& flags, std::uint32_t cambio) {
    if (ponerModo(ancho, alto, bits, flags ^ cambio)) {
        flags ^= cambio;
        return;
    }
    if (!ponerModo(ancho, alto, bits, flags)) {
        terminarPorSdl(MODO_RECHAZADO);
    }
    std::fprintf(stderr, "%s%s\n", MODO_RECHAZADO, SDL_GetError());
}
