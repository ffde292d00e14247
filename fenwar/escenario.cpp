// The scenery as pieces in display lists left out when out of view, the models, the kept picture.
#include "escenario.h"

#include "mira.h"
#include "misiles.h"
#include "modelo_dibujo.h"
#include "primitivas.h"
#include "salida_gl.h"
#include "ventana.h"

#include <algorithm>
#include <cmath>

namespace fenwar {

namespace {

// The corners a drawing sends, without its matrix calls (the sky stands at the origin).
struct Puntos {
    std::vector<double> xyz;
    void comenzar(Trazo) {}
    void terminar() {}
    void texd(double, double) {}
    void normald(double, double, double) {}
    void vertice3d(double x, double y, double z) { xyz.insert(xyz.end(), {x, y, z}); }
};

} // namespace

teselado::Sector sectorCielo(int k) {
    const int fila = k / COLUMNAS_SECTORES, columna = k % COLUMNAS_SECTORES;
    return {fila * BANDAS_SECTOR, (fila + 1) * BANDAS_SECTOR - 1, columna * CUADROS_SECTOR,
            (columna + 1) * CUADROS_SECTOR};
}

Esfera esferaTorre(const Juego& j, int h) {
    // A tube of the larger of its two walls, from the ground up to its height.
    const double medio = 0.5 * j.altura_tower[h], pared = std::max(teselado::RADIO_TORRE, 0.15f);
    return {{j.coordcannon[2 * h], j.coordcannon[2 * h + 1], -medio},
            std::sqrt(pared * pared + medio * medio)};
}

Esfera esferaCanion(const Juego& j, int h) {
    // The barrel turns about a line through the turret's centre and reaches twice the turret's
    // radius from it.
    return {{j.coordcannon[2 * h], j.coordcannon[2 * h + 1], -j.altura_tower[h]},
            2.5 * teselado::RADIO_CANON};
}

Esfera esferaCiudad(const Juego& j, int i) {
    // A dome's corners lie on its sphere and its faces inside.
    const float* c = j.coordCitys[i];
    return {{c[0], c[1], c[2]}, std::fabs(j.d.RAD_CITY)};
}

Esfera esferaSector(int k) {
    // The centre of the box around its corners, and the farthest corner from it.
    Puntos p;
    teselado::sectorMediaEsfera(p, PASOS_CIELO, PASOS_CIELO, RADIO_MUNDO, sectorCielo(k));
    Esfera e;
    for (int f = 0; f < 3 && !p.xyz.empty(); ++f) {
        double menor = p.xyz[f], mayor = p.xyz[f];
        for (std::size_t i = f; i < p.xyz.size(); i += 3) {
            menor = std::min(menor, p.xyz[i]);
            mayor = std::max(mayor, p.xyz[i]);
        }
        e.centro[f] = 0.5 * (menor + mayor);
    }
    for (std::size_t i = 0; i < p.xyz.size(); i += 3) {
        e.radio = std::max(e.radio, std::hypot(p.xyz[i] - e.centro[0], p.xyz[i + 1] - e.centro[1],
                                               p.xyz[i + 2] - e.centro[2]));
    }
    return e;
}

void cargarEscenario(Escenario& e, Juego& j) {
    if (e.directo) {
        return;
    }
    float* c = j.coordcannon;
    for (int h = 0; h < 4; h++) {
        hacerPieza(e.torres[h], esferaTorre(j, h), [c, &j, h] {
            tower(c[2 * h], c[2 * h + 1], 0.0f, teselado::RADIO_TORRE, j.altura_tower[h],
                  teselado::PASOS_TORRE);
        });
        hacerPieza(e.caniones[h], esferaCanion(j, h), [c, &j, h] {
            canion(c[2 * h], c[2 * h + 1], -j.altura_tower[h], teselado::RADIO_CANON,
                   j.angulo_canion[h], teselado::PASOS_CANON);
        });
        e.angulos[h] = j.angulo_canion[h];
    }
    for (int i = 0; i < 3; i++) {
        const float* p = j.coordCitys[i];
        hacerPieza(e.ciudades[i], esferaCiudad(j, i),
                   [p, &j] { city(p[0], p[1], p[2], j.d.RAD_CITY, teselado::PASOS_CIUDAD); });
    }
    for (int k = 0; k < SECTORES_CIELO; k++) {
        hacerPieza(e.cielo[k], esferaSector(k), [k] {
            SalidaGL s;
            teselado::sectorCupula(s, 0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO, sectorCielo(k));
        });
    }
    hacerPieza(e.suelo, Esfera{{0.0, 0.0, 0.0}, RADIO_MUNDO},
               [] { ground(0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO); });
    // The models and the spark, drawn dozens of times a frame, from lists of their own drawing.
    e.misil = compilarLista([&j] { dibujarObjeto(j.oMisil, j.vMisil, j.tMisil, j.nMisil); });
    e.avion = compilarLista([&j] { dibujarObjeto(j.oAvion, j.vAvion, j.tAvion, j.nAvion); });
    e.chispa = compilarLista([] { drawSphere(PASOS_CHISPA, PASOS_CHISPA, RADIO_CHISPA); });
}

void cargarFotoEscenario(Escenario& e) {
    if (!e.directo) {
        cargarFoto(e.foto, ANCHO_VENTANA, ALTO_VENTANA);
    }
}

void descargarEscenario(Escenario& e) {
    liberarFoto(e.foto);
    for (Pieza* grupo : {e.torres, e.caniones}) {
        std::for_each(grupo, grupo + 4, liberarPieza);
    }
    std::for_each(e.ciudades, e.ciudades + 3, liberarPieza);
    std::for_each(e.cielo, e.cielo + SECTORES_CIELO, liberarPieza);
    liberarPieza(e.suelo);
    for (unsigned* l : {&e.misil, &e.avion, &e.chispa}) {
        liberarLista(*l);
    }
}

void prepararVista(Escenario& e, const Juego& j) {
    const Vista v = vistaCanion(j.nro_canion, j.coordcannon, j.x, j.y, j.z, j.lz);
    e.vista = volumenVista(perspectiva(45.0f / e.zoom, 1.3333334f, 0.1, 100.0),
                           mirar(v.ojo, v.centro, v.arriba) *
                               rotacion(j.anglecannon[j.nro_canion], j.x, j.y, -j.z));
}

std::vector<float> claveEscenario(const Escenario& e, const Juego& j) {
    // The view itself, not the look offset: past its limit the offset changes and the view not.
    const Vista v = vistaCanion(j.nro_canion, j.coordcannon, j.x, j.y, j.z, j.lz);
    std::vector<float> clave;
    for (const double* d : {v.ojo, v.centro, v.arriba}) {
        clave.insert(clave.end(), d, d + 3);
    }
    clave.insert(clave.end(),
                 {j.anglecannon[j.nro_canion], e.zoom, j.luz ? 1.0f : 0.0f, j.verdeluz, j.azulluz,
                  j.xluz, j.yluz, j.texturas ? 1.0f : 0.0f, j.wireframe ? 1.0f : 0.0f});
    for (int i = 0; i < 3; i++) {
        clave.push_back(j.vidaCitys[i] > 0 ? 1.0f : 0.0f);
    }
    clave.insert(clave.end(), j.angulo_canion, j.angulo_canion + 4);
    return clave;
}

void escenaTorres(const Escenario& e, Juego& j) {
    if (e.directo) {
        dibujartorres(j.coordcannon, j.altura_tower, j.angulo_canion);
        return;
    }
    for (const Pieza& p : e.torres) {
        dibujarPieza(p, e.vista);
    }
}

void escenaCaniones(Escenario& e, Juego& j) {
    if (e.directo) {
        dibujarcaniones(j.coordcannon, j.altura_tower, j.angulo_canion);
        return;
    }
    for (int h = 0; h < 4; h++) {
        if (e.angulos[h] != j.angulo_canion[h]) {
            compilarPieza(e.caniones[h]);
            e.angulos[h] = j.angulo_canion[h];
        }
        dibujarPieza(e.caniones[h], e.vista);
    }
}

void escenaCiudades(const Escenario& e, Juego& j) {
    if (e.directo) {
        dibujarciudades(j.d, j.coordCitys, j.vidaCitys);
        return;
    }
    for (int i = 0; i < 3; i++) {
        if (j.vidaCitys[i] > 0) {
            dibujarPieza(e.ciudades[i], e.vista);
        }
    }
}

void escenaCielo(const Escenario& e) {
    if (e.directo) {
        cielitoLindo(0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO);
        return;
    }
    for (const Pieza& p : e.cielo) {
        dibujarPieza(p, e.vista);
    }
}

void escenaSuelo(const Escenario& e) {
    if (e.directo) {
        ground(0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO);
        return;
    }
    dibujarPieza(e.suelo, e.vista);
}

} // namespace fenwar
