// Start values of a run, the city placement and the reset after a lost game.
#include "juego.h"

#include "digitos.h"

namespace fenwar {

void colocarCiudades(float separacion, float (*coordCitys)[3]) {
    const double k = 0.4330127018922193;
    const float S = separacion;
    coordCitys[0][0] = 0.0f;
    coordCitys[0][1] = static_cast<float>(0.5 * S);
    coordCitys[0][2] = 0.0f;
    coordCitys[1][0] = static_cast<float>(-k * S);
    coordCitys[1][1] = static_cast<float>(-0.5 * S);
    coordCitys[1][2] = 0.0f;
    coordCitys[2][0] = static_cast<float>(k * S);
    coordCitys[2][1] = static_cast<float>(-0.5 * S);
    coordCitys[2][2] = 0.0f;
}

void iniciarJuego(Juego& j, const dificultad& d, long ahora) {
    j.d = d;
    j.ultimogenerado = ahora;
    j.ultimoavgenerado = ahora;
    j.ultimoCuadro = ahora;
    j.puntaje = 0;
    colocarCiudades(d.SEPARACION_CITYS, j.coordCitys);
    for (int& vida : j.vidaCitys) {
        vida = 100;
    }
    j.x = j.coordcannon[2];
    j.y = j.coordcannon[3];
    j.z = ALTURA_OJO;
    j.nro_canion = 1;
}

void reiniciarPartida(Juego& j) {
    for (int& vida : j.vidaCitys) {
        vida = 100;
    }
    j.puntaje = 0;
    j.cantmisiles = 0;
    j.cantvivos = 0;
}

void detenerRelojes(Juego& j) {
    j.relojesDetenidos = true;
}

void reanudarRelojes(Juego& j, long ahora) {
    if (j.relojesDetenidos) {
        const long fuera = ahora - j.ultimoCuadro;
        j.ultimogenerado += fuera;
        j.ultimoavgenerado += fuera;
        for (Misil& m : j.buffmisiles) {
            if (m.vivo) {
                m.t0 += fuera;
            }
        }
        if (j.av.vivo) {
            j.av.t0 += fuera;
        }
        j.relojesDetenidos = false;
    }
    j.ultimoCuadro = ahora;
}

void pruebaPartidaPerdida(Juego& j) {
    j.start = gameover(j.vidaCitys);
    if (j.start) {
        j.start = false;
        j.pausa = true;
        reiniciarPartida(j);
    }
}

void sumarSucesos(Sucesos& s, const Sucesos& mas) {
    s.misilLanzado = s.misilLanzado || mas.misilLanzado;
    s.avionLanzado = s.avionLanzado || mas.avionLanzado;
    s.ciudadesGolpeadas += mas.ciudadesGolpeadas;
    s.ciudadesCaidas += mas.ciudadesCaidas;
    s.golpes.insert(s.golpes.end(), mas.golpes.begin(), mas.golpes.end());
    for (int i = 0; i < 3; i++) {
        s.ciudadCaida[i] = s.ciudadCaida[i] || mas.ciudadCaida[i];
    }
    s.partidaPerdida = s.partidaPerdida || mas.partidaPerdida;
    s.disparos += mas.disparos;
    s.misilesDerribados += mas.misilesDerribados;
    s.derribos.insert(s.derribos.end(), mas.derribos.begin(), mas.derribos.end());
    s.avionGolpeado = s.avionGolpeado || mas.avionGolpeado;
    s.avionDerribado = s.avionDerribado || mas.avionDerribado;
    if (mas.avionGolpeado || mas.avionDerribado) {
        s.avion = mas.avion;
    }
}

Sucesos jugarCuadro(Juego& j) {
    Sucesos s;
    int antes[3];
    for (int i = 0; i < 3; i++) {
        antes[i] = j.vidaCitys[i];
    }
    s.avionLanzado = generarAviones(j);
    s.misilLanzado = generarMisiles(j);
    const int n = slotsUsados(j.cantmisiles);
    bool volaban[MAX_MISILES];
    for (int i = 0; i < n; i++) {
        volaban[i] = j.buffmisiles[i].vivo;
    }
    s.ciudadesGolpeadas = calcularmisiles(j);
    // A missile that flew and now bursts struck a city; one that fell below the ground just ends.
    for (int i = 0; i < n; i++) {
        const Misil& m = j.buffmisiles[i];
        if (volaban[i] && !m.vivo && m.explotando) {
            s.golpes.push_back({m.xActual, m.yActual, m.zActual});
        }
    }
    if (j.hayavion) {
        calcularavion(j);
        s.avion = {j.av.xActual, j.av.yActual, j.av.zActual};
    }
    for (int i = 0; i < 3; i++) {
        if (antes[i] > 0 && j.vidaCitys[i] <= 0) {
            s.ciudadesCaidas++;
            s.ciudadCaida[i] = true;
        }
    }
    s.partidaPerdida = s.ciudadesCaidas > 0 && gameover(j.vidaCitys);
    return s;
}

bool avanzarAlDibujar(Juego& j) {
    const int n = slotsUsados(j.cantmisiles);
    for (int i = 0; i < n; i++) {
        Misil& m = j.buffmisiles[i];
        if (!m.vivo && m.explotando) {
            pasoExplosion(m);
        }
    }
    bool pausa = false;
    if (j.av.vivo) {
        pausa = j.hitavion;
        j.hitavion = false;
    } else if (j.av.explotando) {
        float radio = 0.0f;
        pasoExplosionAvion(j.av, radio);
    }
    return pausa;
}

} // namespace fenwar
