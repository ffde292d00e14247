// The game window: start-up with its fatal messages, and the switch between window and full screen,
// which keeps the game running when a mode is refused.
#pragma once

#include <cstdint>

// Writes `texto` and SDL's error as one line to stderr, closes SDL and ends with status 1.
[[noreturn]] void terminarPorSdl(const char* texto);
// Starts SDL's video and opens the window titled `titulo`, a hardware, double-buffered OpenGL
// surface; returns its flags. When SDL does not start ("No se pudo iniciar SDL: ") or the mode is
// refused ("No se pudo establecer el modo de video: ") the program ends there (terminarPorSdl).
std::uint32_t abrirVentana(int ancho, int alto, int bits, const char* titulo);
// Sets the video mode `flags` with `cambio` toggled (SDL_FULLSCREEN for F11). When the new mode
// is refused it sets the mode that worked back and writes one line, "No se pudo establecer el modo
// de video: " and SDL's last error, to stderr; `flags` always holds the mode in force. When no mode
// can be set at all the game has no window left: the program ends with status 1.
void alternarModoVideo(int ancho, int alto, int bits, std::uint32_t& flags, std::uint32_t cambio);
