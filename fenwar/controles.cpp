// SDL events turned into the game's own events and applied, waits and full screen included.
#include "controles.h"

#include "oido.h"
#include "ventana.h"

#include <SDL.h>

namespace fenwar {

static_assert(SDLK_ESCAPE == tecla::ESCAPE && SDLK_SPACE == tecla::ESPACIO &&
                  SDLK_UP == tecla::ARRIBA && SDLK_DOWN == tecla::ABAJO &&
                  SDLK_RIGHT == tecla::DERECHA && SDLK_LEFT == tecla::IZQUIERDA &&
                  SDLK_F11 == tecla::F11 && SDLK_p == 'p',
              "key codes follow SDL 1.2");
static_assert(SDL_BUTTON_LEFT == BOTON_IZQUIERDO && SDL_BUTTON(SDL_BUTTON_LEFT) == HELD_IZQUIERDO &&
                  SDL_BUTTON(SDL_BUTTON_RIGHT) == HELD_DERECHO,
              "mouse buttons follow SDL 1.2");

namespace {

Evento traducir(const SDL_Event& ev) {
    Evento e;
    switch (ev.type) {
    case SDL_KEYDOWN:
        e.tipo = TipoEvento::Tecla;
        e.tecla = ev.key.keysym.sym;
        break;
    case SDL_MOUSEMOTION:
        e.tipo = TipoEvento::Movimiento;
        e.yrel = ev.motion.yrel;
        break;
    case SDL_MOUSEBUTTONDOWN:
        e.tipo = TipoEvento::BotonAbajo;
        e.boton = ev.button.button;
        break;
    case SDL_MOUSEBUTTONUP:
        e.tipo = TipoEvento::BotonArriba;
        e.boton = ev.button.button;
        break;
    case SDL_QUIT:
        e.tipo = TipoEvento::Salir;
        break;
    default:
        break;
    }
    // The buttons held now, not those named by the event.
    e.botones = SDL_GetMouseState(nullptr, nullptr);
    return e;
}

// S turns sound off and on, on every screen.
void teclaS(const SDL_Event& ev) {
    static TeclaSonido tecla;
    if ((ev.type == SDL_KEYDOWN || ev.type == SDL_KEYUP) && ev.key.keysym.sym == SDLK_s) {
        teclaSonido(tecla, ev.type == SDL_KEYDOWN);
    }
}

} // namespace

Sucesos atenderEventos(Juego& j, Recursos& r, Pantalla pantalla) {
    Sucesos sucesos;
    atenderCuadro(
        j, pantalla,
        [](Evento& e) {
            SDL_Event ev;
            if (SDL_PollEvent(&ev) == 0) {
                return false;
            }
            teclaS(ev);
            e = traducir(ev);
            return true;
        },
        [&](const Efecto& ef) {
            sumarSucesos(sucesos, ef.sucesos);
            if (ef.pantallaCompleta) {
                cambiarPantallaCompleta(j, r);
            }
            if (ef.espera > 0) {
                SDL_Delay(ef.espera);
            }
        });
    return sucesos;
}

} // namespace fenwar
