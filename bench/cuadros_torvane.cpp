// Times Torvane's play frame on a busy scene (level 3 with 5 missiles and 20 bullets in flight) in
// one phase of play. Run from the game's data folder inside an X display; prints "medida" lines.
#include "bucle.h"
#include "ciudad.h"
#include "configuracion.h"
#include "hud.h"
#include "juego.h"
#include "recursos.h"
#include "torre.h"

#include "fases.h"
#include "foto.h"
#include "juego_torvane.h"
#include "medicion.h"
#include "opciones.h"
#include "ritmo.h"

#include <GL/gl.h>
#include <SDL.h>
#include <cstdio>
#include <memory>
#include <vector>

using namespace torvane;

namespace {

constexpr int ANCHO = 640;
constexpr int ALTO = 480;

double periodo(double trabajo) {
    return periodoAlRitmo(trabajo, CUADRO_US / 1000.0);
}

// One pass of the game's frame loop without its sleep, waiting until the picture is done.
void cuadro(Juego& juego, Recursos& r, Ventana& v, bool intercambiar = true) {
    comenzarFrame(juego);
    dibujarFrame(juego, r);
    atenderEventos(juego, r, v);
    if (intercambiar) {
        SDL_GL_SwapBuffers();
    }
    glFinish();
}

} // namespace

int main(int argc, char** argv) {
    const OpcionesCuadros op = leerOpciones(argc, argv);
    if (!op.valida) {
        std::fprintf(stderr, "usage: bench-torvane [--cuadros N] [--fase quieta|girando|disparando|"
                             "cambiando|ciudad] [--directo] [--foto F.ppm]\n");
        return 2;
    }
    auto misil = std::make_unique<obj_type>();
    auto cubo = std::make_unique<obj_type>();
    Juego juego;
    juego.misil = misil.get();
    juego.cubo = cubo.get();
    const std::string error = cargarConfiguracion("configuracion.xml", juego.ciudades, juego.torres,
                                                  juego.torres_posiciones);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    colocarCamaras(juego);
    cargarMallas(*misil, *cubo);

    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::fprintf(stderr, "bench: SDL did not start: %s\n", SDL_GetError());
        return 1;
    }
    Ventana ventana;
    ventana.flags = SDL_HWSURFACE | SDL_OPENGL | SDL_DOUBLEBUF;
    if (SDL_SetVideoMode(ANCHO, ALTO, 32, ventana.flags) == nullptr) {
        std::fprintf(stderr, "bench: no video mode: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    Recursos recursos;
    recursos.directo = op.directo;
    cargarRecursos(recursos, juego);
    cargarFotoEscenario(recursos);
    init(juego.habilitar_texturas, juego.facet_interpol);

    juego.nivel = NIVEL;
    empezarNivel(juego);
    for (int i = 0; i < 10; ++i) {
        armarEscena(juego);
        cuadro(juego, recursos, ventana);
    }
    Marcha marcha;
    std::vector<double> ms, cpu;
    ms.reserve(static_cast<std::size_t>(op.cuadros));
    cpu.reserve(static_cast<std::size_t>(op.cuadros));
    for (int i = 0; i < op.cuadros && juego.estado != Estado::FIN; ++i) {
        armarEscena(juego);
        jugar(op.fase, i, juego, marcha);
        const std::int64_t t0 = ahoraNs(), c0 = cpuNs();
        cuadro(juego, recursos, ventana);
        ms.push_back(msEntre(t0, ahoraNs()));
        cpu.push_back(msEntre(c0, cpuNs()));
    }
    // The picture is read from the back buffer of the phase's next frame, before any swap.
    if (!op.foto.empty()) {
        armarEscena(juego);
        jugar(op.fase, op.cuadros, juego, marcha);
        cuadro(juego, recursos, ventana, false);
    }
    if (!op.foto.empty() && !guardarFoto(op.foto.c_str(), ANCHO, ALTO)) {
        std::fprintf(stderr, "bench: could not write %s\n", op.foto.c_str());
    }
    const std::string clave =
        std::string("torvane_") + nombreFase(op.fase) + (op.directo ? "_directo" : "");
    informarCuadros(clave, ms, cpu, periodo);
    // What the phase left, so that a test can tell it did what it says.
    int salud = 0;
    for (const Ciudad* c : ciudadesDelNivel(juego, NIVEL)) {
        salud += c->getSalud();
    }
    const Torre* torre = juego.torres[juego.en_torre];
    informar(clave + "_puntaje", juego.puntaje);
    informar(clave + "_salud", salud);
    informar(clave + "_vivas", juego.ciudades_vivas);
    informar(clave + "_torre", juego.en_torre);
    informar(clave + "_municion", torre != nullptr ? torre->getMunicion() : 0);
    liberarRecursos(recursos);
    SDL_Quit();
    return 0;
}
