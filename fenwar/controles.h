// Reading SDL's events and handing them to the rules of the screen on show.
#pragma once

#include "escenario.h"
#include "juego.h"

enum class Pantalla { Juego, Pausa, Configuracion };

// Handles every pending event with the rules of `pantalla`, with the waits after keys.
void atenderEventos(Juego& j, Escenario& e, Pantalla pantalla);
