// Missile rules: launches on the difficulty's schedule, flight by the clock, strikes, bursts.
#include "misiles.h"

#include "trayecto.h"

#include "azar.h"
#include "reloj.h"

#include <climits>
#include <cmath>
#include <ctime>

namespace {

// One fresh draw in 0..1.
float u() {
    return static_cast<float>(azar() / 32767.0);
}

void resembrar() {
    sembrarAzar(static_cast<unsigned>(std::time(nullptr) + azar()));
}

// Slots visited by every loop: never more than the buffer holds.
int slotsUsados(int cantmisiles) {
    return cantmisiles < 0 ? 0 : (cantmisiles > MAX_MISILES ? MAX_MISILES : cantmisiles);
}

// Health lowered without running below the int range.
void danar(int& vida, int dano) {
    long long v = static_cast<long long>(vida) - dano;
    vida = v < INT_MIN ? INT_MIN : (v > INT_MAX ? INT_MAX : static_cast<int>(v));
}

} // namespace

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
    float v = static_cast<float>(factorVelocidad(DIFICULTAD)) * (randomspeed * 0.1f + 0.5f);
    m.velocx = m.velocy = m.velocz = v;
    m.t0 = relojMs();
    m.xActual = m.xInicial;
    m.yActual = m.yInicial;
    m.zActual = m.zInicial;
    m.vivo = true;
    m.explotando = false;
    m.explosionesrestantes = EXPLOSIONES_MISIL;
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
void generarMisiles(const dificultad& d, long& ultimogenerado, float (*coordCitys)[3],
                    Misil* buffmisiles, int& cantmisiles, float altura, int& cantvivos,
                    int* vidaCitys) {
    long timec = relojMs();
    float diff = static_cast<float>(timec - ultimogenerado) / 1000.0f;
    int nivel = d.DIFICULTAD > 0 ? d.DIFICULTAD : DEFECTO_DIFICULTAD;
    if (!(diff > static_cast<float>(10 / nivel)))
        return;
    resembrar();
    float r = 4 * u() - 1;
    for (int i = 0; i < 3; i++) {
        if (vidaCitys[i] > 0 && i - 1 <= r && r < i) {
            int slot = slotLibre(buffmisiles, cantmisiles);
            if (slot < 0)
                return;
            misil(d, altura, d.RAD_CITY, 2.5f * d.RAD_CITY, coordCitys[i][0], coordCitys[i][1],
                  coordCitys[i][2], buffmisiles, slot, cantvivos);
            if (slot == cantmisiles)
                cantmisiles++;
            ultimogenerado = timec;
        }
    }
}

void calcularmisiles(const dificultad& d, Misil* buffmisiles, int& cantmis, int& cantvivos,
                     float /*radiociudad*/, float (*coordCitys)[3], int* vidaCitys) {
    int n = slotsUsados(cantmis);
    for (int i = 0; i < n; i++) {
        Misil& m = buffmisiles[i];
        if (!m.vivo)
            continue;
        if (m.zActual > 0) {
            m.vivo = false;
            cantvivos--;
            continue;
        }
        float dir[3];
        direccionVuelo(m.xInicial, m.yInicial, m.zInicial, m.xFinal, m.yFinal, m.zFinal, dir);
        const float dx = dir[0], dy = dir[1], dz = dir[2];
        float tim = static_cast<float>(relojMs() - m.t0) / 1000.0f;
        m.xActual = m.xInicial + m.velocx * dx * tim;
        m.yActual = m.yInicial + m.velocy * dy * tim;
        m.zActual = m.zInicial + m.velocz * dz * tim;
        for (int j = 0; j < 3; j++) {
            double ex = m.xActual - coordCitys[j][0];
            double ey = m.yActual - coordCitys[j][1];
            double ez = m.zActual - coordCitys[j][2];
            double dist = std::sqrt(ex * ex + ey * ey + ez * ez);
            if (dist <= d.RAD_CITY + 0.2) {
                // Once per missile for the counts; every city within reach is damaged.
                if (m.vivo)
                    cantvivos--;
                m.vivo = false;
                m.explotando = true;
                danar(vidaCitys[j], d.POR_HIT);
            }
        }
    }
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
