// Display lists of the towers, cannons, city domes, sky dome and ground.
#include "escenario.h"

#include "primitivas.h"
#include "teselado.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr float RADIO_MUNDO = 30.0f;
constexpr int PASOS_CIELO = 300;
// The dome's quad strips: one per band, each of PASOS_CIELO quads.
constexpr int BANDAS_CIELO = PASOS_CIELO / 2 + 1;
constexpr int BANDAS_SECTOR = 16;
constexpr int COLUMNAS_SECTOR = 25;
constexpr int GRUPOS_BANDAS = (BANDAS_CIELO + BANDAS_SECTOR - 1) / BANDAS_SECTOR;
constexpr int GRUPOS_COLUMNAS = PASOS_CIELO / COLUMNAS_SECTOR;
static_assert(GRUPOS_BANDAS * GRUPOS_COLUMNAS == SECTORES_CIELO, "sectors cover the dome");
static_assert(GRUPOS_COLUMNAS * COLUMNAS_SECTOR == PASOS_CIELO, "whole columns per sector");
// One list per band and group of columns.
constexpr int LISTAS_CIELO = BANDAS_CIELO * GRUPOS_COLUMNAS;
// Towers, cannons, three cities, ground, then the pieces of the sky.
constexpr int CANT_LISTAS = 6 + LISTAS_CIELO;

// Takes the sky dome as the tessellation gives it: one quad strip per band, each vertex with the
// texture coordinate and normal given just before it.
struct TirasCupula {
    struct Vertice {
        double s, t, nx, ny, nz, x, y, z;
    };
    std::vector<std::vector<Vertice>> tiras;
    double s = 0, t = 0, nx = 0, ny = 0, nz = 0;
    float traslado[3] = {};

    void comenzar(Trazo) { tiras.emplace_back(); }
    void terminar() {}
    void texd(double a, double b) {
        s = a;
        t = b;
    }
    void normald(double x, double y, double z) {
        nx = x;
        ny = y;
        nz = z;
    }
    void vertice3d(double x, double y, double z) {
        tiras.back().push_back({s, t, nx, ny, nz, x, y, z});
    }
    void empujar() {}
    void sacar() {}
    void trasladar(float x, float y, float z) {
        traslado[0] = x;
        traslado[1] = y;
        traslado[2] = z;
    }
};

// Records each band's strip cut between two quads into pieces of COLUMNAS_SECTOR quads, one list
// each, with the same calls as the dome itself sends (the pair of vertices at a cut goes in both
// pieces); a sector's box holds the pieces of its BANDAS_SECTOR bands.
void grabarCielo(Escenario& e) {
    TirasCupula cupula;
    teselado::cupula(cupula, 0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO);
    for (CajaSector& caja : e.cajasCielo) {
        std::fill(caja.min, caja.min + 3, INFINITY);
        std::fill(caja.max, caja.max + 3, -INFINITY);
    }
    for (int b = 0; b < BANDAS_CIELO; b++) {
        for (int gc = 0; gc < GRUPOS_COLUMNAS; gc++) {
            CajaSector& caja = e.cajasCielo[(b / BANDAS_SECTOR) * GRUPOS_COLUMNAS + gc];
            glNewList(e.cielo + static_cast<unsigned>(b * GRUPOS_COLUMNAS + gc), GL_COMPILE);
            const std::size_t desde = 2 * static_cast<std::size_t>(gc * COLUMNAS_SECTOR);
            const std::size_t hasta = desde + 2 * static_cast<std::size_t>(COLUMNAS_SECTOR) + 2;
            const std::size_t banda = static_cast<std::size_t>(b);
            if (banda < cupula.tiras.size() && cupula.tiras[banda].size() >= hasta) {
                glBegin(GL_QUAD_STRIP);
                for (std::size_t k = desde; k < hasta; k++) {
                    const TirasCupula::Vertice& v = cupula.tiras[banda][k];
                    glTexCoord2d(v.s, v.t);
                    glNormal3d(v.nx, v.ny, v.nz);
                    glVertex3d(v.x, v.y, v.z);
                    const float p[3] = {static_cast<float>(v.x), static_cast<float>(v.y),
                                        static_cast<float>(v.z)};
                    for (int c = 0; c < 3; c++) {
                        caja.min[c] = std::min(caja.min[c], p[c]);
                        caja.max[c] = std::max(caja.max[c], p[c]);
                    }
                }
                glEnd();
            }
            glEndList();
        }
    }
    std::copy(cupula.traslado, cupula.traslado + 3, e.trasladoCielo);
    if (!cupula.tiras.empty() && !cupula.tiras.back().empty()) {
        const TirasCupula::Vertice& v = cupula.tiras.back().back();
        e.texFinalCielo[0] = v.s;
        e.texFinalCielo[1] = v.t;
        e.normalFinalCielo[0] = v.nx;
        e.normalFinalCielo[1] = v.ny;
        e.normalFinalCielo[2] = v.nz;
    }
}

void grabarCaniones(Escenario& e, Juego& j) {
    glNewList(e.caniones, GL_COMPILE);
    dibujarcaniones(j.coordcannon, j.altura_tower, j.angulo_canion);
    glEndList();
    for (int h = 0; h < 4; h++) {
        e.angulosGrabados[h] = j.angulo_canion[h];
    }
}

} // namespace

void cargarEscenario(Escenario& e, Juego& j) {
    if (!e.usarListas) {
        return;
    }
    e.torres = glGenLists(CANT_LISTAS);
    if (e.torres == 0) {
        e.usarListas = false;
        return;
    }
    e.caniones = e.torres + 1;
    for (int i = 0; i < 3; i++) {
        e.ciudades[i] = e.torres + 2 + i;
    }
    e.suelo = e.torres + 5;
    e.cielo = e.torres + 6;

    glNewList(e.torres, GL_COMPILE);
    dibujartorres(j.coordcannon, j.altura_tower, j.angulo_canion);
    glEndList();
    grabarCaniones(e, j);
    for (int i = 0; i < 3; i++) {
        glNewList(e.ciudades[i], GL_COMPILE);
        city(j.coordCitys[i][0], j.coordCitys[i][1], j.coordCitys[i][2], j.d.RAD_CITY, 100);
        glEndList();
    }
    grabarCielo(e);
    glNewList(e.suelo, GL_COMPILE);
    ground(0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO);
    glEndList();
}

void descargarEscenario(Escenario& e) {
    if (e.usarListas && e.torres != 0) {
        glDeleteLists(e.torres, CANT_LISTAS);
        e.torres = 0;
    }
}

void escenaTorres(const Escenario& e, Juego& j) {
    if (e.usarListas) {
        glCallList(e.torres);
    } else {
        dibujartorres(j.coordcannon, j.altura_tower, j.angulo_canion);
    }
}

void escenaCaniones(Escenario& e, Juego& j) {
    if (!e.usarListas) {
        dibujarcaniones(j.coordcannon, j.altura_tower, j.angulo_canion);
        return;
    }
    for (int h = 0; h < 4; h++) {
        if (e.angulosGrabados[h] != j.angulo_canion[h]) {
            grabarCaniones(e, j);
            break;
        }
    }
    glCallList(e.caniones);
}

void escenaCiudades(const Escenario& e, Juego& j) {
    if (!e.usarListas) {
        dibujarciudades(j.d, j.coordCitys, j.vidaCitys);
        return;
    }
    for (int i = 0; i < 3; i++) {
        if (j.vidaCitys[i] > 0) {
            glCallList(e.ciudades[i]);
        }
    }
}

bool cajaALaVista(const CajaSector& caja, const float traslado[3], const double pm[16]) {
    // The eight corners in clip coordinates; a plane of the view volume that has all of them
    // outside leaves the whole box outside. The margin keeps rounding on the side of drawing.
    double clip[8][4];
    for (int k = 0; k < 8; k++) {
        const double p[3] = {(k & 1 ? caja.max[0] : caja.min[0]) + traslado[0],
                             (k & 2 ? caja.max[1] : caja.min[1]) + traslado[1],
                             (k & 4 ? caja.max[2] : caja.min[2]) + traslado[2]};
        for (int f = 0; f < 4; f++) {
            clip[k][f] = pm[f] * p[0] + pm[4 + f] * p[1] + pm[8 + f] * p[2] + pm[12 + f];
        }
    }
    for (int eje = 0; eje < 3; eje++) {
        for (double lado : {-1.0, 1.0}) {
            bool todasFuera = true;
            for (int k = 0; k < 8 && todasFuera; k++) {
                const double d = lado * clip[k][eje] - clip[k][3];
                todasFuera = d > 1e-4 * (std::fabs(clip[k][eje]) + std::fabs(clip[k][3]));
            }
            if (todasFuera) {
                return false;
            }
        }
    }
    return true;
}

void escenaCielo(const Escenario& e) {
    if (!e.usarListas) {
        cielitoLindo(0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO);
        return;
    }
    double mv[16], pr[16], pm[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    for (int c = 0; c < 4; c++) {
        for (int f = 0; f < 4; f++) {
            pm[4 * c + f] = pr[f] * mv[4 * c] + pr[4 + f] * mv[4 * c + 1] +
                            pr[8 + f] * mv[4 * c + 2] + pr[12 + f] * mv[4 * c + 3];
        }
    }
    bool enVista[SECTORES_CIELO];
    for (int n = 0; n < SECTORES_CIELO; n++) {
        enVista[n] = cajaALaVista(e.cajasCielo[n], e.trasladoCielo, pm);
    }
    // The pieces in view, band after band as the dome sends them: where the strips overlap (the
    // cap folds over the pole) the first one drawn still wins.
    GLuint piezas[LISTAS_CIELO];
    GLsizei cuantas = 0;
    for (int b = 0; b < BANDAS_CIELO; b++) {
        for (int gc = 0; gc < GRUPOS_COLUMNAS; gc++) {
            if (enVista[(b / BANDAS_SECTOR) * GRUPOS_COLUMNAS + gc]) {
                piezas[cuantas++] = static_cast<GLuint>(b * GRUPOS_COLUMNAS + gc);
            }
        }
    }
    glPushMatrix();
    glTranslatef(e.trasladoCielo[0], e.trasladoCielo[1], e.trasladoCielo[2]);
    glListBase(e.cielo);
    glCallLists(cuantas, GL_UNSIGNED_INT, piezas);
    glListBase(0);
    glPopMatrix();
    // What the whole dome leaves current, as if every sector had been sent.
    glTexCoord2d(e.texFinalCielo[0], e.texFinalCielo[1]);
    glNormal3d(e.normalFinalCielo[0], e.normalFinalCielo[1], e.normalFinalCielo[2]);
}

void escenaSuelo(const Escenario& e) {
    if (e.usarListas) {
        glCallList(e.suelo);
    } else {
        ground(0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO);
    }
}
