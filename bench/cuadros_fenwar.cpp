// Times Fenwar's play frame on a busy scene (20 missiles in flight, bursts, and the plane) in one
// phase of play. Run from the game's data folder inside an X display; prints "medida" lines.
#include "cuadro.h"
#include "dificultad.h"
#include "juego.h"
#include "modelo.h"
#include "recursos.h"
#include "ventana.h"

#include "fases.h"
#include "foto.h"
#include "juego_fenwar.h"
#include "medicion.h"
#include "opciones.h"
#include "reloj.h"
#include "ritmo.h"

#include <GL/gl.h>
#include <SDL.h>
#include <cstdio>
#include <memory>
#include <vector>

using namespace fenwar;

namespace {

double periodo(double trabajo) {
    return periodoAlRitmo(trabajo, CUADRO_US / 1000.0);
}

// One pass of the game's frame loop without its sleep, waiting until the picture is done.
void cuadro(Juego& j, Recursos& r, bool intercambiar = true) {
    glLoadIdentity();
    pruebaPartidaPerdida(j);
    cuadroJuego(j, r);
    if (intercambiar) {
        SDL_GL_SwapBuffers();
    }
    glFinish();
}

} // namespace

int main(int argc, char** argv) {
    const OpcionesCuadros op = leerOpciones(argc, argv);
    if (!op.valida) {
        std::fprintf(stderr, "usage: bench-fenwar [--cuadros N] [--fase quieta|girando|disparando|"
                             "cambiando|ciudad] [--directo] [--foto F.ppm]\n");
        return 2;
    }
    relojFijar(RELOJ_FIJO);
    auto juego = std::make_unique<Juego>();
    Juego& j = *juego;
    Recursos recursos;
    recursos.escenario.directo = op.directo;
    iniciarJuego(j, getDifficultad("dificultad.xml"), RELOJ_FIJO);

    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::fprintf(stderr, "bench: SDL did not start: %s\n", SDL_GetError());
        return 1;
    }
    recursos.flags = SDL_HWSURFACE | SDL_OPENGL | SDL_DOUBLEBUF;
    if (SDL_SetVideoMode(ANCHO_VENTANA, ALTO_VENTANA, BITS_VENTANA, recursos.flags) == nullptr) {
        std::fprintf(stderr, "bench: no video mode: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    SDL_ShowCursor(SDL_DISABLE);
    j.oAvion = cargarObjeto("Drone.obj", 0.2f, j.vAvion, j.tAvion, j.nAvion);
    j.oMisil = cargarObjeto("asca.obj", 0.2f, j.vMisil, j.tMisil, j.nMisil);
    iniciarGL(recursos, j);
    cargarRecursos(recursos, j);

    armarEscena(j);
    auto escena = std::make_unique<Escena>();
    guardar(j, *escena);

    // A few frames first, so that caches and the driver's lazy set-up do not count.
    for (int i = 0; i < 10; ++i) {
        reponer(j, *escena);
        cuadro(j, recursos);
    }
    std::vector<double> ms, cpu;
    ms.reserve(static_cast<std::size_t>(op.cuadros));
    cpu.reserve(static_cast<std::size_t>(op.cuadros));
    for (int i = 0; i < op.cuadros && !j.fin; ++i) {
        reponer(j, *escena);
        jugar(op.fase, i, j);
        const std::int64_t t0 = ahoraNs(), c0 = cpuNs();
        cuadro(j, recursos);
        ms.push_back(msEntre(t0, ahoraNs()));
        cpu.push_back(msEntre(c0, cpuNs()));
    }
    // The picture is read from the back buffer of the phase's next frame, before any swap.
    if (!op.foto.empty()) {
        reponer(j, *escena);
        jugar(op.fase, op.cuadros, j);
        cuadro(j, recursos, false);
    }
    if (!op.foto.empty() && !guardarFoto(op.foto.c_str(), ANCHO_VENTANA, ALTO_VENTANA)) {
        std::fprintf(stderr, "bench: could not write %s\n", op.foto.c_str());
    }
    const std::string clave =
        std::string("fenwar_") + nombreFase(op.fase) + (op.directo ? "_directo" : "");
    informarCuadros(clave, ms, cpu, periodo);
    // What the phase left, so that a test can tell it did what it says.
    informar(clave + "_puntaje", j.puntaje);
    informar(clave + "_salud", j.vidaCitys[0] + j.vidaCitys[1] + j.vidaCitys[2]);
    informar(clave + "_canion", j.nro_canion);
    informar(clave + "_vista", j.angb);
    SDL_Quit();
    return 0;
}
