// Fenwar's entry: start-up, then the frame loop over the game, pause and configuration screens.
#include "controles.h"
#include "cuadro.h"
#include "dificultad.h"
#include "escenario.h"
#include "juego.h"
#include "menu.h"
#include "modelo.h"
#include "oido.h"
#include "recursos.h"
#include "texturas.h"
#include "ventana.h"

#include "memoria.h"
#include "modo_video.h"
#include "reloj.h"
#include "ritmo.h"

#include <GL/gl.h>
#include <SDL.h>
#include <cstdlib>
#include <memory>

using namespace fenwar;

int main(int, char**) {
    ajustarAsignador();
    // The record is large (100 missile slots): it lives on the heap for the whole run.
    auto juego = std::make_unique<Juego>();
    Juego& j = *juego;
    Recursos recursos;

    const dificultad d = getDifficultad("dificultad.xml");
    iniciarJuego(j, d, relojMs());
    j.oAvion = cargarObjeto("Drone.obj", 0.2f, j.vAvion, j.tAvion, j.nAvion);
    j.oMisil = cargarObjeto("asca.obj", 0.2f, j.vMisil, j.tMisil, j.nMisil);

    recursos.flags = abrirVentana(ANCHO_VENTANA, ALTO_VENTANA, BITS_VENTANA, "Fenwar");
    std::atexit(SDL_Quit);
    // Without a sound device the game plays on silently.
    abrirOido();
    Oido oido;
    SDL_ShowCursor(SDL_DISABLE);
    if (SDL_EnableKeyRepeat(10, 10) < 0) {
        terminarPorSdl("No se pudo establecer el modo key-repeat: ");
    }
    // The first frame is a game frame: the menu pictures and the kept picture of the scenery are
    // made once it is on screen.
    iniciarGL(recursos, j);
    cargarRecursos(recursos, j, false);
    bool menusCargados = false;

    // The game frame clears the window itself, only when it draws its scenery.
    long long inicio = relojUs();
    while (!j.fin) {
        glLoadIdentity();
        pruebaPartidaPerdida(j);
        oirPantalla(j);
        if (j.pausa) {
            detenerRelojes(j);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            dibujarPantallaMenu(recursos.textura[TEX_MENU]);
            atenderEventos(j, recursos, Pantalla::Pausa);
        } else if (j.config) {
            detenerRelojes(j);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            dibujarPantallaMenu(recursos.textura[TEX_CONFIG]);
            atenderEventos(j, recursos, Pantalla::Configuracion);
        } else {
            reanudarRelojes(j, relojMs());
            oirCuadro(oido, j, cuadroJuego(j, recursos));
        }
        mostrarCuadro(inicio);
        if (!menusCargados) {
            cargarTexturasMenu(recursos.textura);
            cargarFotoEscenario(recursos.escenario);
            menusCargados = true;
        }
    }
    cerrarOido();
    return 0;
}
