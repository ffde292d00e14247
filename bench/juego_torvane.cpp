// Torvane's busy scene and what the player does in each phase of play: the benchmark times it,
// the pixel tests draw it both ways.
#include "juego_torvane.h"

#include "ciudad.h"
#include "combate.h"
#include "torre.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

namespace torvane {

namespace {

constexpr int MISILES = 5;
constexpr int BALAS = 20;
// A striking missile starts this far above its city: its first step takes it within reach.
constexpr float ALTURA_GOLPE = 0.5f;
// A shot's bullet reaches its missile in this many steps, one a frame from the frame of the shot.
constexpr int PASOS_HASTA_BLANCO = 4;

// One more missile in the next free slot, from (x, y, z) along `dir`, counted in flight.
void agregarMisil(Juego& juego, float x, float y, float z, SF3dVector dir) {
    juego.misiles[juego.cant_misiles] =
        std::make_unique<Proyectil>(juego.misil, x, y, z, dir.x, dir.y, dir.z);
    juego.cant_misiles += 1;
    juego.tirados += 1;
}

// A click: the tower fires along its view, and a missile flies away ahead of the bullet along the
// same line, where the bullet catches it PASOS_HASTA_BLANCO frames later: the ammunition goes down
// on the frame of the click, the score some frames after it. A tower out of ammunition is filled
// again first, as at a level start, so a long run goes on shooting.
void disparo(Juego& juego) {
    Torre* torre = juego.torres[juego.en_torre];
    if (torre == nullptr) {
        return;
    }
    if (torre->getMunicion() <= 0) {
        torre->reestablecerMunicion();
    }
    botonApretado(juego, BotonRaton::IZQUIERDO, false);
    const SF3dVector desde = torre->getCamara()->getPosition();
    const SF3dVector dir = torre->getCamara()->getViewDir();
    const float d = PASO_BALA * static_cast<float>(PASOS_HASTA_BLANCO);
    agregarMisil(juego, desde.x + dir.x * d, desde.y + dir.y * d, desde.z + dir.z * d, dir);
}

// Strike number k: a missile just above one of the level's cities, which its first step brings
// within reach. The strikes take each city but the last down in turn (as many strikes as its
// health needs), then go round again over the fallen ones; the last city always stands.
void golpe(Juego& juego, int k) {
    const std::vector<Ciudad*> ciudades = ciudadesDelNivel(juego, NIVEL);
    if (ciudades.size() < 2) {
        return;
    }
    const Ciudad* primera = ciudades.front();
    const int porCiudad = (primera->getSaludTot() + DANO_MISIL - 1) / DANO_MISIL;
    const std::size_t blanco =
        static_cast<std::size_t>(k / std::max(porCiudad, 1)) % (ciudades.size() - 1);
    const Ciudad* c = ciudades[blanco];
    agregarMisil(juego, c->getX(), c->getY() + ALTURA_GOLPE, c->getZ(),
                 F3dVector(0.0f, -1.0f, 0.0f));
}

} // namespace

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

void armarEscena(Juego& juego) {
    juego.misiles.erase(juego.misiles.begin(), juego.misiles.lower_bound(MISILES));
    juego.balas.erase(juego.balas.begin(), juego.balas.lower_bound(BALAS));
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
    // The next slots, and the missiles in flight: never fewer than MAX_EN_VUELO, so none is
    // launched.
    juego.cant_misiles = std::max(juego.cant_misiles, MISILES);
    juego.cant_balas = std::max(juego.cant_balas, BALAS);
    juego.tirados = 0;
    for (const auto& par : juego.misiles) {
        juego.tirados += par.second->getActivo() ? 1 : 0;
    }
    juego.vueltas = 0;
    juego.estado = Estado::JUGANDO;
}

void jugar(Fase fase, int i, Juego& juego, Marcha& marcha) {
    switch (fase) {
    case Fase::Girando:
        // The right button held since the first frame, the pointer dragged to and fro.
        if (i == 0) {
            botonApretado(juego, BotonRaton::DERECHO, true);
        }
        ratonMovido(juego, arrastre(i), arrastre(i) / DRAG_PIXELES);
        break;
    case Fase::Disparando:
        if (tocaAccion(i)) {
            disparo(juego);
        }
        break;
    case Fase::Cambiando:
        // The next tower at once, and again 0.2 s after each travel is over.
        if (i == 0 || (!juego.moviendo && ++marcha.enTorre >= CUADROS_POR_ACCION)) {
            cambiarTorre(juego, (juego.en_torre + 1) % 3);
            marcha.enTorre = 0;
        }
        break;
    case Fase::Ciudad:
        if (tocaAccion(i)) {
            golpe(juego, i / CUADROS_POR_ACCION);
        }
        break;
    case Fase::Quieta:
        break;
    }
}

} // namespace torvane
