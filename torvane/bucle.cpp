// The program's run: start-up, the level and frame loops, event decoding, full screen and exit.
#include "bucle.h"

#include <GL/gl.h>
#include <SDL.h>
#include <cstdio>
#include <memory>

#include "combate.h"
#include "configuracion.h"
#include "escena.h"
#include "hud.h"
#include "luz.h"
#include "memoria.h"
#include "modo_video.h"
#include "oido.h"
#include "reloj.h"
#include "ritmo.h"
#include "sonido.h"

namespace torvane {

constexpr int BITS = 32;

Tecla traducirTecla(int sdlKey) {
    switch (sdlKey) {
    case SDLK_RETURN:
        return Tecla::RETURN;
    case SDLK_KP_ENTER:
        return Tecla::ENTER_TECLADO;
    case SDLK_UP:
        return Tecla::ARRIBA;
    case SDLK_DOWN:
        return Tecla::ABAJO;
    case SDLK_p:
        return Tecla::P;
    case SDLK_ESCAPE:
        return Tecla::ESCAPE;
    case SDLK_q:
        return Tecla::Q;
    case SDLK_SPACE:
        return Tecla::ESPACIO;
    case SDLK_t:
        return Tecla::T;
    case SDLK_m:
        return Tecla::M;
    case SDLK_1:
        return Tecla::UNO;
    case SDLK_2:
        return Tecla::DOS;
    case SDLK_3:
        return Tecla::TRES;
    case SDLK_F11:
        return Tecla::F11;
    default:
        return Tecla::OTRA;
    }
}

void dibujarFrame(Juego& juego, Recursos& r) {
    if (juego.estado == Estado::JUGANDO) {
        FramePlay frame = jugarFrame(juego);
        oirFrame(juego, frame);
        dibujarJuego(juego, frame, r);
        r.ultimaVista = frame.vista;
    } else {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        dibujarMenu(juego, r.texturas);
    }
    if (juego.lumus) {
        iluminar(juego.red, juego.green, juego.blue, juego.xil, juego.yil, juego.zil);
    }
}

static void aplicarModoPoligono(const Juego& juego) {
    glPolygonMode(GL_FRONT_AND_BACK, juego.wire ? GL_LINE : GL_FILL);
}

static void aplicarTexturas(const Juego& juego) {
    if (juego.habilitar_texturas) {
        glEnable(GL_TEXTURE_2D);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
}

// F11. The new video mode may come with a new GL context: every texture and display list is made
// again, and play's state (init: shading, depth, texturing, the projection) and the polygon mode
// are set once more, with the light where the last frame placed it, so the picture is the same
// before and after. A mode that is refused leaves the game in the one it had, with a context made
// anew all the same.
static void alternarPantallaCompleta(Juego& juego, Recursos& r, Ventana& v) {
    liberarRecursos(r);
    alternarModoVideo(ANCHO_VENTANA, ALTO_VENTANA, BITS, v.flags, SDL_FULLSCREEN);
    cargarRecursos(r, juego);
    cargarFotoEscenario(r);
    devolverMemoriaLibre();
    init(juego.habilitar_texturas, juego.facet_interpol);
    aplicarTexturas(juego);
    aplicarModoPoligono(juego);
    if (juego.lumus) {
        colocarVista(juego, r.ultimaVista);
        iluminar(juego.red, juego.green, juego.blue, juego.xil, juego.yil, juego.zil);
    }
}

void aplicarEfectos(const Efectos& efectos, Juego& juego, Recursos& r, Ventana& v) {
    if (efectos.modoPoligono) {
        aplicarModoPoligono(juego);
    }
    if (efectos.texturas) {
        aplicarTexturas(juego);
    }
    if (efectos.init) {
        // The projection of play again: the kept picture may be of the one full screen set.
        init(juego.habilitar_texturas, juego.facet_interpol);
        r.foto.valida = false;
    }
    if (efectos.pantallaCompleta) {
        alternarPantallaCompleta(juego, r, v);
    }
}

static BotonRaton boton(Uint8 sdlBoton) {
    switch (sdlBoton) {
    case SDL_BUTTON_LEFT:
        return BotonRaton::IZQUIERDO;
    case SDL_BUTTON_RIGHT:
        return BotonRaton::DERECHO;
    default:
        return BotonRaton::OTRO;
    }
}

void atenderEventos(Juego& juego, Recursos& r, Ventana& v) {
    SDL_Event evento;
    while (SDL_PollEvent(&evento) != 0) {
        switch (evento.type) {
        case SDL_MOUSEBUTTONDOWN: {
            // The press itself decides: a click already released by now still fires.
            bool derecho =
                (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON(SDL_BUTTON_RIGHT)) != 0;
            oirDisparo(botonApretado(juego, boton(evento.button.button), derecho));
            break;
        }
        case SDL_MOUSEBUTTONUP:
            botonSoltado(juego);
            break;
        case SDL_MOUSEMOTION:
            ratonMovido(juego, evento.motion.xrel, evento.motion.yrel);
            break;
        case SDL_KEYDOWN: {
            // S turns every sound off or on, in every screen; the game sees no key.
            if (evento.key.keysym.sym == SDLK_s) {
                alternarSonido();
            }
            const Tecla tecla = traducirTecla(evento.key.keysym.sym);
            const AntesDeTecla antes = antesDeTecla(juego);
            aplicarEfectos(manejarTecla(juego, tecla), juego, r, v);
            oirTecla(antes, juego, tecla);
            break;
        }
        case SDL_QUIT:
            juego.estado = Estado::FIN;
            break;
        default:
            break;
        }
    }
}

int correrTorvane() {
    ajustarAsignador();
    // The meshes outlive the game state, whose projectiles point at them.
    auto misil = std::make_unique<obj_type>();
    auto cubo = std::make_unique<obj_type>();
    Juego juego;
    juego.misil = misil.get();
    juego.cubo = cubo.get();

    std::string error = cargarConfiguracion("configuracion.xml", juego.ciudades, juego.torres,
                                            juego.torres_posiciones);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    for (const std::string& aviso : revisarNiveles(juego.ciudades)) {
        std::fprintf(stderr, "%s\n", aviso.c_str());
    }
    colocarCamaras(juego);
    Load3DS(misil.get(), "missile.3DS");
    Load3DS(cubo.get(), "cubo.3DS");
    std::fflush(stdout);

    Ventana ventana;
    ventana.flags = abrirVentana(ANCHO_VENTANA, ALTO_VENTANA, BITS, "Torvane");
    abrirSonido();
    Recursos recursos;
    cargarRecursos(recursos, juego);
    init(juego.habilitar_texturas, juego.facet_interpol);

    // The menu pictures past the start screen and the kept picture are made once the first frame
    // is on screen.
    bool menusCargados = false;
    long long inicio = relojUs();
    while (juego.estado != Estado::FIN) {
        empezarNivel(juego);
        do {
            const Estado estadoAntes = juego.estado;
            comenzarFrame(juego);
            dibujarFrame(juego, recursos);
            atenderEventos(juego, recursos, ventana);
            oirEstado(estadoAntes, juego);
            mostrarCuadro(inicio);
            if (!menusCargados) {
                cargarTexturasMenu(recursos.texturas);
                cargarFotoEscenario(recursos);
                menusCargados = true;
            }
        } while (sigueNivel(juego));
        terminarNivel(juego);
    }

    liberarRecursos(recursos);
    cerrarSonido();
    SDL_Quit();
    return 0;
}

} // namespace torvane
