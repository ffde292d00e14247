// What the player hears of Torvane: play's events placed from the eye of the view, the menu's
// steps and choices, the travel between towers, a level won and the game lost.
#include "oido.h"

#include <algorithm>

#include "camara.h"
#include "sonido.h"
#include "torre.h"

namespace torvane {

// The towers stand 45 to 64 units from the cities: a strike there is still clearly heard.
static const Alcance ALCANCE_TORVANE{30.0f, 0.2f};

// Where the player listens from: the eye and the direction the view looks, y up.
struct Oyente {
    Punto3 ojo;
    Punto3 vista;
};

// The eye of the frame's view: the tower's camera, the travelling eye looking at the origin, or
// the fixed eye of the frame that ends a travel.
static Oyente oyente(const Juego& juego, const Vista& v) {
    const Torre* torre = juego.torres[juego.en_torre];
    if (v.tipo == TipoVista::VIAJE) {
        return {{v.x, 0.0f, v.z}, {-v.x, 0.0f, -v.z}};
    }
    if (v.tipo == TipoVista::CAMARA && torre != nullptr) {
        const SF3dVector o = torre->getCamara()->getPosition();
        const SF3dVector d = torre->getCamara()->getViewDir();
        return {{o.x, o.y, o.z}, {d.x, d.y, d.z}};
    }
    return {{0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.0f}};
}

static Ganancias oir(const Oyente& o, const Dibujo& donde) {
    return colocarSonido(o.ojo, o.vista, Punto3{0.0f, 1.0f, 0.0f},
                         Punto3{donde.x, donde.y, donde.z}, ALCANCE_TORVANE);
}

void oirFrame(const Juego& juego, const FramePlay& frame) {
    const Oyente o = oyente(juego, frame.vista);
    for (const Dibujo& d : frame.sucesos.derribos) {
        tocarEfecto(Efecto::ESTALLIDO, oir(o, d));
    }
    for (const Dibujo& d : frame.sucesos.impactos) {
        tocarEfecto(Efecto::IMPACTO, oir(o, d));
    }
    for (const Dibujo& d : frame.sucesos.caidas) {
        tocarEfecto(Efecto::CIUDAD_CAE, oir(o, d));
    }
}

// A sound at the eye itself: centred and whole, wherever the view looks.
static Ganancias enElOjo() {
    const Punto3 ojo{0.0f, 0.0f, 0.0f};
    return colocarSonido(ojo, Punto3{0.0f, 0.0f, -1.0f}, Punto3{0.0f, 1.0f, 0.0f}, ojo,
                         ALCANCE_TORVANE);
}

void oirDisparo(Disparo disparo) {
    if (disparo == Disparo::BALA) {
        tocarEfecto(Efecto::BALA, enElOjo());
    } else if (disparo == Disparo::VACIA) {
        tocarEfecto(Efecto::TORRE_VACIA, enElOjo());
    }
}

// The entry the menu shows highlighted: the arrows may have left `flecha` out of the screen's
// range, which the next picture brings back.
static int entradaResaltada(const Juego& juego) {
    return std::clamp(juego.flecha, primeraEntrada(juego), ultimaEntrada(juego));
}

AntesDeTecla antesDeTecla(const Juego& juego) {
    return {juego.estado, entradaResaltada(juego), juego.en_torre};
}

void oirTecla(const AntesDeTecla& antes, const Juego& juego, Tecla tecla) {
    const bool enMenu = antes.estado == Estado::INICIO || antes.estado == Estado::PAUSA ||
                        antes.estado == Estado::PASAR_NIVEL;
    const bool flecha = tecla == Tecla::ARRIBA || tecla == Tecla::ABAJO;
    const bool elegir = tecla == Tecla::RETURN || tecla == Tecla::ENTER_TECLADO;
    if (enMenu && flecha && entradaResaltada(juego) != antes.entrada) {
        tocarEfecto(Efecto::MENU_PASO, Ganancias{1.0f, 1.0f}, Clase::MENU);
    }
    if (enMenu && elegir) {
        tocarEfecto(Efecto::MENU_ELEGIR, Ganancias{1.0f, 1.0f}, Clase::MENU);
    }
    if (juego.en_torre != antes.torre) {
        tocarEfecto(Efecto::VIAJE_TORRE, Ganancias{1.0f, 1.0f});
    }
}

void oirEstado(Estado antes, const Juego& juego) {
    pausarSonido(juego.estado == Estado::PAUSA);
    // The end of a level's missiles lasts one frame; the pause menu that follows lets the notice
    // ring on.
    if (juego.estado == Estado::PASAR_NIVEL && antes != Estado::PASAR_NIVEL) {
        tocarEfecto(Efecto::NIVEL_GANADO, Ganancias{1.0f, 1.0f}, Clase::MENU);
    }
    // A game under way that ends: cities fallen, or given up with ESCAPE or q. Past the last level
    // the game was won, and the level's notice is what is heard.
    const bool enCurso = antes == Estado::JUGANDO || antes == Estado::PAUSA;
    if (juego.estado == Estado::GAME_OVER && enCurso && juego.nivel <= ULTIMO_NIVEL) {
        tocarEfecto(Efecto::JUEGO_PERDIDO, Ganancias{1.0f, 1.0f}, Clase::MENU);
    }
}

} // namespace torvane
