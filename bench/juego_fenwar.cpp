// Fenwar's busy scene and what the player does in each phase of play: the benchmark times it,
// the pixel tests draw it both ways.
#include "juego_fenwar.h"

#include "mandos.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace fenwar {

namespace {

constexpr int EN_VUELO = 20;
constexpr int EXPLOTANDO = 5;
// A shot finds its missile this far from the eye, on the line under the cross.
constexpr float DISTANCIA_BLANCO = 3.0f;

// A flying missile moved onto the line of the shot, from the eye through the point the last frame
// picked under the pointer, so that the click hits it.
void ponerBlanco(Juego& j) {
    const float ojo[3] = {j.x, j.y, -j.z};
    const float linea[3] = {static_cast<float>(j.posiX) - ojo[0],
                            static_cast<float>(j.posiY) - ojo[1],
                            static_cast<float>(j.posiZ) - ojo[2]};
    const float largo = std::sqrt(linea[0] * linea[0] + linea[1] * linea[1] + linea[2] * linea[2]);
    for (int i = 0; i < j.cantmisiles && largo > 0; ++i) {
        Misil& m = j.buffmisiles[i];
        if (m.vivo) {
            const float t = DISTANCIA_BLANCO / largo;
            m.xActual = ojo[0] + t * linea[0];
            m.yActual = ojo[1] + t * linea[1];
            m.zActual = ojo[2] + t * linea[2];
            return;
        }
    }
}

// Strike number k falls on city 0 or 1 in turn and takes the health a missile takes; city 2 is
// never struck, so the game goes on. A city at 0 has fallen; the next strike on it finds it
// standing again with two strikes' health, so cities keep falling for as long as the phase runs.
void golpearCiudad(Juego& j, int k) {
    int& vida = j.vidaCitys[k % 2];
    vida = vida > 0 ? std::max(vida - j.d.POR_HIT, 0) : 2 * j.d.POR_HIT;
}

} // namespace

void guardar(const Juego& j, Escena& s) {
    std::memcpy(s.misiles, j.buffmisiles, sizeof s.misiles);
    s.cantmisiles = j.cantmisiles;
    s.cantvivos = j.cantvivos;
    s.canthitrest = j.canthitrest;
    s.av = j.av;
    s.hayavion = j.hayavion;
}

void reponer(Juego& j, const Escena& s) {
    std::memcpy(j.buffmisiles, s.misiles, sizeof s.misiles);
    j.cantmisiles = s.cantmisiles;
    j.cantvivos = s.cantvivos;
    j.canthitrest = s.canthitrest;
    j.av = s.av;
    j.hayavion = s.hayavion;
}

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

void jugar(Fase fase, int i, Juego& j) {
    Evento e;
    switch (fase) {
    case Fase::Girando:
        // The right button held since the first frame, the pointer dragged up and down.
        e.botones = HELD_DERECHO;
        if (i == 0) {
            e.tipo = TipoEvento::BotonAbajo;
            reglasJuego(j, e);
        }
        e.tipo = TipoEvento::Movimiento;
        e.yrel = arrastre(i);
        reglasJuego(j, e);
        break;
    case Fase::Disparando:
        if (tocaAccion(i)) {
            ponerBlanco(j);
            e.tipo = TipoEvento::BotonAbajo;
            e.boton = BOTON_IZQUIERDO;
            e.botones = HELD_IZQUIERDO;
            reglasJuego(j, e);
        }
        break;
    case Fase::Cambiando:
        // The right arrow: the next cannon (the key's wait is the player's, not the frame's).
        if (tocaAccion(i)) {
            e.tipo = TipoEvento::Tecla;
            e.tecla = tecla::DERECHA;
            reglasJuego(j, e);
        }
        break;
    case Fase::Ciudad:
        if (i == 0) {
            j.vidaCitys[0] = j.vidaCitys[1] = 2 * j.d.POR_HIT;
        }
        if (tocaAccion(i)) {
            golpearCiudad(j, i / CUADROS_POR_ACCION);
        }
        break;
    case Fase::Quieta:
        break;
    }
}

} // namespace fenwar
