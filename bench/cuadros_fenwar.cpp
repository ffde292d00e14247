// Times Fenwar's play frame on a busy scene: 20 missiles in flight, bursts, and the plane.
// Run from the game's data folder inside an X display; prints "medida" lines for the driver.
#include "avion.h"
#include "cuadro.h"
#include "dificultad.h"
#include "escenario.h"
#include "juego.h"
#include "misiles.h"
#include "modelo.h"
#include "ventana.h"

#include "foto.h"
#include "medicion.h"
#include "opciones.h"
#include "reloj.h"

#include <GL/gl.h>
#include <SDL.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// The clock stands still during the run: the missiles keep their places and nothing is launched,
// so every frame draws the same scene.
constexpr long RELOJ_FIJO = 10000000;
constexpr int EN_VUELO = 20;
constexpr int EXPLOTANDO = 5;

// What a frame may change in the game record, saved once and put back before every frame.
struct Escena {
    Misil misiles[MAX_MISILES];
    int cantmisiles, cantvivos, canthitrest, puntaje;
    int vidaCitys[3];
    Avion av;
    bool hayavion;
};

void guardar(const Juego& j, Escena& s) {
    std::memcpy(s.misiles, j.buffmisiles, sizeof s.misiles);
    s.cantmisiles = j.cantmisiles;
    s.cantvivos = j.cantvivos;
    s.canthitrest = j.canthitrest;
    s.puntaje = j.puntaje;
    std::memcpy(s.vidaCitys, j.vidaCitys, sizeof s.vidaCitys);
    s.av = j.av;
    s.hayavion = j.hayavion;
}

void reponer(Juego& j, const Escena& s) {
    std::memcpy(j.buffmisiles, s.misiles, sizeof s.misiles);
    j.cantmisiles = s.cantmisiles;
    j.cantvivos = s.cantvivos;
    j.canthitrest = s.canthitrest;
    j.puntaje = s.puntaje;
    std::memcpy(j.vidaCitys, s.vidaCitys, sizeof s.vidaCitys);
    j.av = s.av;
    j.hayavion = s.hayavion;
}

// Missiles launched over the three cities at different times, so they fly at different heights;
// a few more already bursting in the air; the plane on its way across. Every value is fixed, so
// two runs draw the same picture.
void armarEscena(Juego& j) {
    const dificultad& d = j.d;
    const float rapidez = static_cast<float>(d.DIFICULTAD / 5);
    j.cantmisiles = EN_VUELO + EXPLOTANDO;
    j.cantvivos = EN_VUELO;
    for (int i = 0; i < j.cantmisiles; ++i) {
        const float* c = j.coordCitys[i % 3];
        const float fi = static_cast<float>(i);
        Misil& m = j.buffmisiles[i];
        m = Misil{};
        m.xInicial = c[0] + 1.2f * std::sin(fi);
        m.yInicial = c[1] + 1.2f * std::cos(fi);
        m.zInicial = c[2] - 3.0f;
        m.xFinal = c[0] + 0.3f * std::cos(fi);
        m.yFinal = c[1] + 0.3f * std::sin(fi);
        m.zFinal = c[2];
        m.velocx = m.velocy = m.velocz = rapidez * (0.5f + 0.01f * static_cast<float>(i % 10));
        m.t0 = RELOJ_FIJO - 300 - 120 * (i % EN_VUELO);
        m.xActual = m.xInicial;
        m.yActual = m.yInicial;
        m.zActual = m.zInicial;
        m.vivo = i < EN_VUELO;
        m.explotando = !m.vivo;
        m.explosionesrestantes =
            m.vivo ? EXPLOSIONES_MISIL : EXPLOSIONES_MISIL - 4 * (i - EN_VUELO);
        for (int k = 0; k < MISIL_PARTICLES; k++) {
            m.x_particleSpeed[k] = 0.02f - 0.04f * std::fabs(std::sin(fi + 0.1f * k));
            m.y_particleSpeed[k] = baselineYSpeed - maxYSpeed * std::fabs(std::cos(fi + 0.1f * k));
            // A burst already under way: its particles have spread for a few frames.
            const float frames =
                m.vivo ? 0.0f : static_cast<float>(EXPLOSIONES_MISIL - m.explosionesrestantes);
            m.x_particle[k] = m.x_particleSpeed[k] * frames;
            m.y_particle[k] = m.y_particleSpeed[k] * frames;
        }
        if (m.explotando) {
            m.xActual = c[0] + 0.6f * std::sin(fi);
            m.yActual = c[1] - 0.6f * std::cos(fi);
            m.zActual = -1.2f;
        }
    }
    Avion& a = j.av;
    a = Avion{};
    a.xInicial = -j.coordavion[0];
    a.yInicial = j.coordavion[1];
    a.zInicial = -j.coordavion[2];
    a.xFinal = j.coordavion[0];
    a.yFinal = -j.coordavion[1];
    a.zFinal = 0.2f - j.coordavion[2];
    a.velocx = a.velocy = a.velocz = rapidez * 0.55f;
    a.t0 = RELOJ_FIJO - 4000;
    a.xActual = a.xInicial;
    a.yActual = a.yInicial;
    a.zActual = a.zInicial;
    a.vivo = true;
    a.explosionesrestantes = EXPLOSIONES_AVION;
    a.canthitrest = d.CANT_HIT_AVION;
    j.canthitrest = d.CANT_HIT_AVION;
    j.hayavion = true;
    j.ultimogenerado = RELOJ_FIJO;
    j.ultimoavgenerado = RELOJ_FIJO;
}

// One pass of the game's frame loop without its 16 ms sleep, waiting until the picture is done.
void cuadro(Juego& j, Escenario& e, bool intercambiar = true) {
    glLoadIdentity();
    pruebaPartidaPerdida(j);
    cuadroJuego(j, e);
    if (intercambiar) {
        SDL_GL_SwapBuffers();
    }
    glFinish();
}

} // namespace

int main(int argc, char** argv) {
    const OpcionesCuadros op = leerOpciones(argc, argv);
    if (!op.valida) {
        std::fprintf(stderr, "usage: bench-fenwar [--cuadros N] [--sin-listas] [--foto F.ppm]\n");
        return 2;
    }
    relojFijar(RELOJ_FIJO);
    auto juego = std::make_unique<Juego>();
    Juego& j = *juego;
    Escenario escenario;
    escenario.usarListas = !op.sinListas;
    iniciarJuego(j, getDifficultad("dificultad.xml"), RELOJ_FIJO);

    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::fprintf(stderr, "bench: SDL did not start: %s\n", SDL_GetError());
        return 1;
    }
    j.flags = SDL_HWSURFACE | SDL_OPENGL | SDL_DOUBLEBUF;
    if (SDL_SetVideoMode(ANCHO_VENTANA, ALTO_VENTANA, BITS_VENTANA, j.flags) == nullptr) {
        std::fprintf(stderr, "bench: no video mode: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    SDL_ShowCursor(SDL_DISABLE);
    j.oAvion = cargarObjeto("Drone.obj", 0.2f, j.vAvion, j.tAvion, j.nAvion);
    j.oMisil = cargarObjeto("asca.obj", 0.2f, j.vMisil, j.tMisil, j.nMisil);
    cargarRecursosGL(j, escenario);

    armarEscena(j);
    auto escena = std::make_unique<Escena>();
    guardar(j, *escena);

    // A few frames first, so that caches and the driver's lazy set-up do not count.
    for (int i = 0; i < 10; ++i) {
        reponer(j, *escena);
        cuadro(j, escenario);
    }
    std::vector<double> ms, cpu;
    ms.reserve(static_cast<std::size_t>(op.cuadros));
    cpu.reserve(static_cast<std::size_t>(op.cuadros));
    for (int i = 0; i < op.cuadros && !j.fin; ++i) {
        reponer(j, *escena);
        const std::int64_t t0 = ahoraNs(), c0 = cpuNs();
        cuadro(j, escenario);
        ms.push_back(msEntre(t0, ahoraNs()));
        cpu.push_back(msEntre(c0, cpuNs()));
    }
    // The picture is read from the back buffer of one more frame, before any swap.
    if (!op.foto.empty()) {
        reponer(j, *escena);
        cuadro(j, escenario, false);
    }
    if (!op.foto.empty() && !guardarFoto(op.foto.c_str(), ANCHO_VENTANA, ALTO_VENTANA)) {
        std::fprintf(stderr, "bench: could not write %s\n", op.foto.c_str());
    }
    const std::string clave = op.sinListas ? "fenwar_inmediato" : "fenwar_cuadro";
    informarCuadros(clave, ms, cpu);
    SDL_Quit();
    return 0;
}
