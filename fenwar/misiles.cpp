// Missile rules: launches on the difficulty's schedule, flight by the clock, strikes, bursts.
#include "misiles.h"

#include "juego.h"
#include "trayecto.h"

#include "entero.h"
#include "reloj.h"

#include <cmath>

namespace fenwar {

int slotsUsados(int cantmisiles) {
    return cantmisiles < 0 ? 0 : (cantmisiles > MAX_MISILES ? MAX_MISILES : cantmisiles);
}

Misil getMisil(float altura, float radioinferior, float radiosuperior, float Ox, float Oy, float Oz,
               int DIFICULTAD) {
    Misil m{};
    resembrar();
    float randomspeed = u();
    m.xInicial = Ox + radiosuperior * (2 * u() - 1);
    m.yInicial = Oy + radiosuperior * (2 * u() - 1);
    m.zInicial = Oz - altura;
    m.xFinal = Ox + radioinferior * (2 * u() - 1);
    m.yFinal = Oy + radioinferior * (2 * u() - 1);
    m.zFinal = Oz;
    despegar(m, static_cast<float>(factorVelocidad(DIFICULTAD)) * (randomspeed * 0.1f + 0.5f),
             EXPLOSIONES_MISIL);
    float xSpeedVal = 0.02f - u() * 0.04f;
    float ySpeedVal = baselineYSpeed - u() * maxYSpeed;
    for (int k = 0; k < MISIL_PARTICLES; k++) {
        m.x_particle[k] = 0;
        m.y_particle[k] = 0;
        m.x_particleSpeed[k] = xSpeedVal;
        m.y_particleSpeed[k] = ySpeedVal;
    }
    return m;
}

void misil(const dificultad& d, float altura, float radioinferior, float radiosuperior, float Ox,
           float Oy, float Oz, Misil* buffmisiles, int& cantmis, int& cantvivos) {
    if (cantmis < 0 || cantmis >= MAX_MISILES)
        return;
    buffmisiles[cantmis] = getMisil(altura, radioinferior, radiosuperior, Ox, Oy, Oz, d.DIFICULTAD);
    cantvivos++;
}

int slotLibre(const Misil* buffmisiles, int cantmisiles) {
    if (cantmisiles < MAX_MISILES)
        return slotsUsados(cantmisiles);
    for (int i = 0; i < MAX_MISILES; i++) {
        if (!buffmisiles[i].vivo && !buffmisiles[i].explotando)
            return i;
    }
    return -1;
}

// A launch is due once more than 10 / DIFICULTAD whole seconds have passed. The draw r picks
// city 0, 1 or 2, or none (a quarter of the time): then the next frame tries again.
bool generarMisiles(Juego& j) {
    const dificultad& d = j.d;
    long timec = relojMs();
    float diff = static_cast<float>(timec - j.ultimogenerado) / 1000.0f;
    int nivel = d.DIFICULTAD > 0 ? d.DIFICULTAD : DEFECTO_DIFICULTAD;
    if (!(diff > static_cast<float>(10 / nivel)))
        return false;
    resembrar();
    float r = 4 * u() - 1;
    bool lanzado = false;
    for (int i = 0; i < 3; i++) {
        if (j.vidaCitys[i] > 0 && i - 1 <= r && r < i) {
            int slot = slotLibre(j.buffmisiles, j.cantmisiles);
            if (slot < 0)
                return lanzado;
            const float* c = j.coordCitys[i];
            misil(d, ALTURA_LANZAMIENTO, d.RAD_CITY, 2.5f * d.RAD_CITY, c[0], c[1], c[2],
                  j.buffmisiles, slot, j.cantvivos);
            if (slot == j.cantmisiles)
                j.cantmisiles++;
            j.ultimogenerado = timec;
            lanzado = true;
        }
    }
    return lanzado;
}

int calcularmisiles(Juego& juego) {
    const dificultad& d = juego.d;
    int golpes = 0;
    int n = slotsUsados(juego.cantmisiles);
    for (int i = 0; i < n; i++) {
        Misil& m = juego.buffmisiles[i];
        if (!m.vivo)
            continue;
        if (m.zActual > 0) {
            m.vivo = false;
            juego.cantvivos--;
            continue;
        }
        volar(m, static_cast<float>(relojMs() - m.t0) / 1000.0f);
        for (int j = 0; j < 3; j++) {
            double ex = m.xActual - juego.coordCitys[j][0];
            double ey = m.yActual - juego.coordCitys[j][1];
            double ez = m.zActual - juego.coordCitys[j][2];
            double dist = std::sqrt(ex * ex + ey * ey + ez * ez);
            if (dist <= d.RAD_CITY + 0.2) {
                // Once per missile for the counts; every city within reach is damaged.
                if (m.vivo)
                    juego.cantvivos--;
                m.vivo = false;
                m.explotando = true;
                juego.vidaCitys[j] = restaSaturada(juego.vidaCitys[j], d.POR_HIT);
                golpes++;
            }
        }
    }
    return golpes;
}

bool pasoExplosion(Misil& m) {
    if (m.explosionesrestantes < 0) {
        m.explotando = false;
        return false;
    }
    m.explosionesrestantes--;
    for (int k = 0; k < MISIL_PARTICLES; k++) {
        m.x_particleSpeed[k] *= 0.99f;
        m.x_particle[k] += m.x_particleSpeed[k];
        m.y_particle[k] += m.y_particleSpeed[k];
    }
    return true;
}

void desplazamientoParticula(const Misil& m, int k, float out[3]) {
    float f = static_cast<float>(k + 1) / MISIL_PARTICLES;
    out[0] = static_cast<float>(std::cos(7.0 * k)) * m.x_particle[k] / f;
    out[1] = static_cast<float>(std::sin(7.0 * k)) * m.x_particle[k] / f;
    out[2] = m.y_particle[k] * f;
}

} // namespace fenwar
