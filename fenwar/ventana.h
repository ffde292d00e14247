// The window, its GL state and everything that has to be rebuilt with a new GL context.
#pragma once

#include "escenario.h"
#include "juego.h"
#include "recursos.h"

namespace fenwar {

// Window size and colour depth.
constexpr int ANCHO_VENTANA = 640;
constexpr int ALTO_VENTANA = 480;
constexpr int BITS_VENTANA = 32;

// Projection of the game: 45 / zoom degrees, 4:3, near 0.1, far 100; modelview selected. The
// scenery keeps the zoom, to know what the view shows.
void proyeccionJuego(Escenario& e, float zoom);
// The GL state of play in a new context: the projection of the zoom in force, normals kept unit.
void iniciarGL(Recursos& r, const Juego& j);
// Switches between window and full screen. A mode that is refused is reported with "No se pudo
// establecer el modo de video: " and the game plays on in the mode it had; it ends with status 1
// only when that mode cannot be set again either. Every resource is made again in the new context.
void cambiarPantallaCompleta(Juego& j, Recursos& r);

} // namespace fenwar
