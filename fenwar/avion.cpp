// Plane rules: launch at its interval from either side, straight flight, exit after 10 seconds.
#include "avion.h"

#include "juego.h"

#include "reloj.h"

#include <cmath>

namespace fenwar {

Avion getAvion(float /*altura*/, float /*radioinferior*/, float radiosuperior, float Ox, float Oy,
               float Oz, int canthitrest, int DIFICULTAD) {
    Avion a{};
    resembrar();
    float randomspeed = u();
    float desvio = radiosuperior * (2 * u() - 1);
    // Four more draws keep the sequence of later launches as it always was.
    for (int k = 0; k < 4; k++)
        azar();
    a.xInicial = Ox;
    a.yInicial = Oy;
    a.zInicial = -Oz;
    a.xFinal = -Ox;
    a.yFinal = -Oy;
    a.zFinal = desvio - Oz;
    despegar(a, static_cast<float>(factorVelocidad(DIFICULTAD)) * (randomspeed * 0.1f + 0.5f),
             EXPLOSIONES_AVION);
    a.canthitrest = canthitrest;
    return a;
}

void avion(const dificultad& d, float altura, float radioinferior, float radiosuperior, float Ox,
           float Oy, float Oz, Avion& plane, int& canthitrest) {
    plane = getAvion(altura, radioinferior, radiosuperior, Ox, Oy, Oz, canthitrest, d.DIFICULTAD);
}

int intervaloAvion(const dificultad& d) {
    int nivel = d.DIFICULTAD > 0 ? d.DIFICULTAD : DEFECTO_DIFICULTAD;
    return 15 * (10 / nivel);
}

// Three planes in four enter from x = -coordavion[0], one in four from +coordavion[0].
bool generarAviones(Juego& j) {
    const dificultad& d = j.d;
    float diff = static_cast<float>(relojMs() - j.ultimoavgenerado) / 1000.0f;
    if (!(diff > static_cast<float>(intervaloAvion(d))) || j.hayavion)
        return false;
    resembrar();
    float r = 4 * u() - 3;
    float sign1 = r < 0 ? -1.0f : 1.0f;
    j.canthitrest = d.CANT_HIT_AVION;
    avion(d, ALTURA_LANZAMIENTO, RADIO_AVION, RADIO_AVION, j.coordavion[0] * sign1, j.coordavion[1],
          j.coordavion[2], j.av, j.canthitrest);
    j.hayavion = true;
    j.ultimoavgenerado = relojMs();
    return true;
}

void calcularavion(Juego& j) {
    Avion& avion = j.av;
    if (!avion.vivo)
        return;
    float tim = static_cast<float>(relojMs() - avion.t0) / 1000.0f;
    if (tim >= VUELO_AVION) {
        avion.vivo = false;
        j.canthitrest = 0;
        j.hayavion = false;
        return;
    }
    volar(avion, tim);
}

bool pasoExplosionAvion(Avion& av, float& radio) {
    if (av.explosionesrestantes <= 0) {
        av.explotando = false;
        return false;
    }
    radio = 0.15f / static_cast<float>(av.explosionesrestantes);
    av.explosionesrestantes--;
    return true;
}

float radioBolaAvion(const Avion& av) {
    return 0.15f / static_cast<float>(av.explosionesrestantes + 1);
}

} // namespace fenwar
