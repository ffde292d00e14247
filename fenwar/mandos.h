// What the player's keys and mouse do on each screen, free of SDL so the tests can drive it.
#pragma once

#include "juego.h"

namespace fenwar {

// Key codes, numbered as SDL 1.2 numbers its key symbols.
namespace tecla {
constexpr int ESCAPE = 27;
constexpr int ESPACIO = 32;
constexpr int ARRIBA = 273;
constexpr int ABAJO = 274;
constexpr int DERECHA = 275;
constexpr int IZQUIERDA = 276;
constexpr int F11 = 292;
} // namespace tecla

// Mouse: the button number of a button event, and the bits of the buttons held.
constexpr int BOTON_IZQUIERDO = 1;
constexpr unsigned HELD_IZQUIERDO = 1;
constexpr unsigned HELD_DERECHO = 4;

enum class TipoEvento { Tecla, Movimiento, BotonAbajo, BotonArriba, Salir, Otro };

// One input event; `botones` holds the buttons held when the event is handled.
struct Evento {
    TipoEvento tipo = TipoEvento::Otro;
    int tecla = 0;
    int yrel = 0;
    int boton = 0;
    unsigned botones = 0;
};

// What the caller still has to do after a rule: wait (milliseconds) or switch full screen; and
// what the rule did that the frame reports (a shot and its hits).
struct Efecto {
    int espera = 0;
    bool pantallaCompleta = false;
    Sucesos sucesos;
};

// The cannon switches: the barrel left behind turns one degree (within -45..45), the view
// moves to the previous (sentido -1) or next (+1) cannon and the look offset is reset.
void cambiarCanion(Juego& j, int sentido);
// Zoom steps of x1.2 up to 2.0736 and back down to 1.0.
void acercar(Juego& j);
void alejar(Juego& j);
// The shot along the line from the eye through the picked point: every flying missile within
// 0.2 of it and the plane within 0.3. Returns the shot and what it brought down or hit.
Sucesos disparar(Juego& j);

Efecto reglasJuego(Juego& j, const Evento& e);
Efecto reglasPausa(Juego& j, const Evento& e);
Efecto reglasConfig(Juego& j, const Evento& e);

enum class Pantalla { Juego, Pausa, Configuracion };

// The rules of the screen on show.
Efecto reglas(Pantalla pantalla, Juego& j, const Evento& e);

// One frame's events: takes them from `siguiente` (false when none is pending) and applies the
// rules of `pantalla`, handing each effect to `efectuar` (which waits or switches full screen).
// A key whose rule waits, or a switch of full screen, ends the frame's events: the rest stay
// queued for the next frame. A held key repeats faster than its wait, so without this the frame
// would never end and the picture would stand still for as long as the key is held.
template <typename Siguiente, typename Efectuar>
void atenderCuadro(Juego& j, Pantalla pantalla, Siguiente siguiente, Efectuar efectuar) {
    Evento e;
    while (siguiente(e)) {
        const Efecto ef = reglas(pantalla, j, e);
        efectuar(ef);
        if (ef.espera > 0 || ef.pantallaCompleta) {
            return;
        }
    }
}

} // namespace fenwar
