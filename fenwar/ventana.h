// The window, its GL state and everything that has to be rebuilt with a new GL context.
#pragma once

#include "escenario.h"
#include "juego.h"

// Window size and colour depth.
constexpr int ANCHO_VENTANA = 640;
constexpr int ALTO_VENTANA = 480;
constexpr int BITS_VENTANA = 32;

// Projection of the game: 45 / zoom degrees, 4:3, near 0.1, far 100; modelview selected. The
// scenery keeps the zoom, to know what the view shows.
void proyeccionJuego(Escenario& e, float zoom);
// The GL state, the textures, the scenery lists and the kept picture; at start-up and after a new
// context. Without `conMenus` (start-up) the menu pictures and the kept picture are left for after
// the first frame (cargarTexturasMenu, cargarFotoEscenario).
void cargarRecursosGL(Juego& j, Escenario& e, bool conMenus = true);
// Switches between window and full screen. A mode that is refused is reported with "No se pudo
// establecer el modo de video: " and the game plays on in the mode it had; it ends with status 1
// only when that mode cannot be set again either.
void cambiarPantallaCompleta(Juego& j, Escenario& e);
