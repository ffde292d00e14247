// What the player hears of Fenwar: shots, bursts, strikes, fallen cities and the plane placed from
// the cannon's view, the lost game, and the silence of the pause and configuration screens.
#include "oido.h"

#include "mira.h"

#include "matriz.h"
#include "sonido.h"

namespace fenwar {

namespace {

// The eye stands about 2 units out and 2 up: the cities are heard whole, the far sky faintly.
const Alcance ALCANCE_FENWAR{2.5f, 0.25f};

// `p` turned as the frame turns the world after its look-at: by the cannon's angle about the line
// from the origin to the eye.
Punto3 girar(const Juego& j, int canion, Lugar p) {
    const auto q = aplicar(rotacion(j.anglecannon[canion], j.x, j.y, -j.z), p.x, p.y, p.z);
    return Punto3{float(q[0]), float(q[1]), float(q[2])};
}

// Where the eye itself is: centred and whole, wherever the view looks.
Lugar ojo(const Juego& j) {
    return Lugar{j.x, j.y, -j.z};
}

} // namespace

void abrirOido() {
    abrirSonido();
}

void cerrarOido() {
    cerrarSonido();
}

Ganancias oir(const Juego& j, Lugar donde) {
    const int n = j.nro_canion >= 0 && j.nro_canion < 4 ? j.nro_canion : 1;
    const Vista v = vistaCanion(n, j.coordcannon, j.x, j.y, j.z, j.lz);
    const Punto3 ojoVista{float(v.ojo[0]), float(v.ojo[1]), float(v.ojo[2])};
    const Punto3 vista{float(v.centro[0] - v.ojo[0]), float(v.centro[1] - v.ojo[1]),
                       float(v.centro[2] - v.ojo[2])};
    const Punto3 arriba{float(v.arriba[0]), float(v.arriba[1]), float(v.arriba[2])};
    return colocarSonido(ojoVista, vista, arriba, girar(j, n, donde), ALCANCE_FENWAR);
}

void oirPantalla(const Juego& j) {
    pausarSonido(j.pausa || j.config);
}

void oirCuadro(Oido& o, const Juego& j, const Sucesos& s) {
    for (int i = 0; i < s.disparos; i++) {
        tocarEfecto(Efecto::DISPARO, oir(j, ojo(j)));
    }
    for (const Lugar& l : s.derribos) {
        tocarEfecto(Efecto::ESTALLIDO, oir(j, l));
    }
    for (const Lugar& l : s.golpes) {
        tocarEfecto(Efecto::IMPACTO, oir(j, l));
    }
    for (int i = 0; i < 3; i++) {
        if (s.ciudadCaida[i]) {
            const float* c = j.coordCitys[i];
            tocarEfecto(Efecto::CIUDAD_CAE, oir(j, Lugar{c[0], c[1], c[2]}));
        }
    }
    // The engine while the plane flies, started again when a pause or the switch dropped it; it
    // stops when the plane falls or leaves.
    if (j.hayavion) {
        const Ganancias g = oir(j, s.avion);
        if (!moverEfecto(o.motor, g)) {
            o.motor = tocarBucle(Efecto::MOTOR, g);
        }
        if (s.avionGolpeado) {
            tocarEfecto(Efecto::AVION_TOCADO, g);
        }
    } else {
        pararEfecto(o.motor);
        o.motor = Manija{};
    }
    if (s.avionDerribado) {
        tocarEfecto(Efecto::AVION_CAE, oir(j, s.avion));
    }
    // The lost game waits on the pause screen, which silences play: the notice is a menu sound.
    if (s.partidaPerdida) {
        pausarSonido(true);
        tocarEfecto(Efecto::JUEGO_PERDIDO, Ganancias{1.0f, 1.0f}, Clase::MENU);
    }
}

void teclaSonido(TeclaSonido& t, bool abajo) {
    if (abajo && !t.abajo) {
        alternarSonido();
    }
    t.abajo = abajo;
}

} // namespace fenwar
