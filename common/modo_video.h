// The switch between window and full screen, which keeps the game running when a mode is refused.
#pragma once

#include <cstdint>

// Sets the video mode `flags` with `cambio` toggled (SDL_FULLSCREEN for F11). When the new mode
// is refused it sets the mode that worked back and writes one line, "No se pudo establecer el modo
// de video: " and SDL's last error, to stderr; `flags` always holds the mode in force. False only
// when no mode could be set at all: then the game has no window left and must end.
bool alternarModoVideo(int ancho, int alto, int bits, std::uint32_t& flags, std::uint32_t cambio);
