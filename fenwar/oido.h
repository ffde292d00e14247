// What the player hears of Fenwar: shots, bursts, strikes, fallen cities and the plane placed from
// the cannon's view, the lost game, and the silence of the pause and configuration screens.
#pragma once

#include "juego.h"
#include "mezcla.h"

namespace fenwar {

// What hearing keeps from one frame to the next: the plane's engine while it plays.
struct Oido {
    Manija motor;
};

// The sound device, opened once the window is (without one the game plays on silently), and
// closed at the end of the run.
void abrirOido();
void cerrarOido();

// The gains of a sound at `donde`, heard from the view the frame draws: the chosen cannon's eye,
// its view turned by the cannon's angle about the line from the origin to the eye.
Ganancias oir(const Juego& j, Lugar donde);

// Once every frame, before its screen: the pause and configuration screens are silent, and play
// resumes from silence.
void oirPantalla(const Juego& j);

// After a game frame: what its record says happened (shots, bursts, strikes, fallen cities, the
// plane's hits and fall, the lost game) and the engine of a plane in flight.
void oirCuadro(Oido& o, const Juego& j, const Sucesos& s);

// The S key pressed (true) or released, on any screen: a press turns sound off or on. Keys repeat
// while held, a repeat being another press with no release between: only the first counts.
struct TeclaSonido {
    bool abajo = false;
};
void teclaSonido(TeclaSonido& t, bool abajo);

} // namespace fenwar
