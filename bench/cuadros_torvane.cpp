// Times Torvane's play frame on a busy scene: level 3 with 5 missiles and 20 bullets in flight.
// Run from the game's data folder inside an X display; prints "medida" lines for the driver.
#include "bucle.h"
#include "ciudad.h"
#include "combate.h"
#include "configuracion.h"
#include "hud.h"
#include "juego.h"
#include "recursos.h"

#include "foto.h"
#include "medicion.h"
#include "opciones.h"

#include <GL/gl.h>
#include <SDL.h>
#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr int ANCHO = 640;
constexpr int ALTO = 480;
constexpr int NIVEL = 3;
constexpr int MISILES = 5;
constexpr int BALAS = 20;

// The meshes' trace goes where the game's would go unread: it is still written, to /dev/null.
void cargarMallas(obj_type& misil, obj_type& cubo) {
    std::fflush(stdout);
    const int salida = dup(STDOUT_FILENO);
    std::FILE* nulo = std::freopen("/dev/null", "w", stdout);
    Load3DS(&misil, "missile.3DS");
    Load3DS(&cubo, "cubo.3DS");
    std::fflush(stdout);
    if (nulo != nullptr && salida >= 0) {
        dup2(salida, STDOUT_FILENO);
    }
    if (salida >= 0) {
        close(salida);
    }
}

// Level 3 in play from tower 0: missiles coming down over each city, bullets on their way out
// along the tower's view. Made again before every frame, so every frame draws the same scene.
void armarEscena(Juego& juego) {
    juego.misiles.clear();
    juego.balas.clear();
    const std::vector<Ciudad*> ciudades = ciudadesDelNivel(juego, NIVEL);
    for (int i = 0; i < MISILES && !ciudades.empty(); ++i) {
        const Ciudad* c = ciudades[static_cast<std::size_t>(i) % ciudades.size()];
        const float alto = 6.0f + 2.5f * static_cast<float>(i);
        const float x = c->getX() + 2.0f, z = c->getZ() + 1.5f;
        juego.misiles[i] = std::make_unique<Proyectil>(juego.misil, x, alto, z, c->getX() - x,
                                                       c->getY() - alto, c->getZ() - z);
    }
    const float* torre = juego.torres_posiciones[juego.en_torre];
    for (int k = 0; k < BALAS; ++k) {
        const float fk = static_cast<float>(k);
        juego.balas[k] = std::make_unique<Proyectil>(
            juego.misil, torre[0] - 2.0f + 0.2f * fk, torre[1] + 0.15f * fk,
            torre[2] - 4.0f - 2.0f * fk, 0.0f, 0.03f, -1.0f);
    }
    juego.cant_misiles = static_cast<int>(juego.misiles.size());
    juego.tirados = juego.cant_misiles;
    juego.cant_balas = BALAS;
    juego.vueltas = 0;
    juego.estado = JUGANDO;
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
    if (!op.valida || op.sinListas) {
        std::fprintf(stderr, "usage: bench-torvane [--cuadros N] [--sin-capa] [--foto F.ppm]\n");
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
    recursos.capa.usar = !op.sinCapa;
    cargarRecursos(recursos, juego);
    cargarCapa(recursos);
    init(juego.habilitar_texturas, juego.facet_interpol);

    juego.nivel = NIVEL;
    empezarNivel(juego);
    for (int i = 0; i < 10; ++i) {
        armarEscena(juego);
        cuadro(juego, recursos, ventana);
    }
    std::vector<double> ms, cpu;
    ms.reserve(static_cast<std::size_t>(op.cuadros));
    cpu.reserve(static_cast<std::size_t>(op.cuadros));
    for (int i = 0; i < op.cuadros && juego.estado != FIN; ++i) {
        armarEscena(juego);
        const std::int64_t t0 = ahoraNs(), c0 = cpuNs();
        cuadro(juego, recursos, ventana);
        ms.push_back(msEntre(t0, ahoraNs()));
        cpu.push_back(msEntre(c0, cpuNs()));
    }
    // The picture is read from the back buffer of one more frame, before any swap.
    if (!op.foto.empty()) {
        armarEscena(juego);
        cuadro(juego, recursos, ventana, false);
    }
    if (!op.foto.empty() && !guardarFoto(op.foto.c_str(), ANCHO, ALTO)) {
        std::fprintf(stderr, "bench: could not write %s\n", op.foto.c_str());
    }
    const std::string clave = op.sinCapa ? "torvane_sin_capa" : "torvane_cuadro";
    informarCuadros(clave, ms, cpu);
    liberarRecursos(recursos);
    SDL_Quit();
    return 0;
}
