// Display lists of the towers, cannons, city domes, sky dome, ground and models; the kept picture.
#include "escenario.h"

#include "misiles.h"
#include "modelo.h"
#include "primitivas.h"
#include "salida_gl.h"
#include "triangulos.h"

#include <GL/gl.h>

namespace {

constexpr float RADIO_MUNDO = 30.0f;
constexpr int PASOS_CIELO = 300;
// Towers, cannons, three cities, sky, ground, the two models, the spark and the score lines.
constexpr int CANT_LISTAS = 11;

void grabarCaniones(Escenario& e, Juego& j) {
    glNewList(e.caniones, GL_COMPILE);
    dibujarcaniones(j.coordcannon, j.altura_tower, j.angulo_canion);
    glEndList();
    for (int h = 0; h < 4; h++) {
        e.angulosGrabados[h] = j.angulo_canion[h];
    }
}

// Records into `lista` what `trazar` sends: filled, as one batch of triangles that Mesa replays in
// one draw instead of one for each polygon or strip (the same pixels); in the outline mode as it
// is sent, so that only the outlines show.
template <class F> void grabarModelo(unsigned lista, bool contorno, F trazar) {
    glNewList(lista, GL_COMPILE);
    SalidaGL gl;
    if (contorno) {
        trazar(gl);
    } else {
        Triangulador<SalidaGL> triangulos(gl);
        trazar(triangulos);
        triangulos.cerrar();
    }
    glEndList();
}

// The models and the spark move, so they are drawn every frame, dozens of times.
void grabarModelos(Escenario& e, const Juego& j) {
    const bool c = j.wireframe;
    grabarModelo(e.misil, c,
                 [&j](auto& s) { trazarObjeto(s, j.oMisil, j.vMisil, j.tMisil, j.nMisil); });
    grabarModelo(e.avion, c,
                 [&j](auto& s) { trazarObjeto(s, j.oAvion, j.vAvion, j.tAvion, j.nAvion); });
    // The spark of a burst, as drawSphere draws it.
    grabarModelo(e.chispa, c,
                 [](auto& s) { teselado::esfera(s, PASOS_CHISPA, PASOS_CHISPA, RADIO_CHISPA); });
    e.modelosContorno = c;
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
    e.cielo = e.torres + 5;
    e.suelo = e.torres + 6;
    e.misil = e.torres + 7;
    e.avion = e.torres + 8;
    e.chispa = e.torres + 9;
    e.marcador = e.torres + 10;
    e.marcadorGrabado = false;

    glNewList(e.torres, GL_COMPILE);
    dibujartorres(j.coordcannon, j.altura_tower, j.angulo_canion);
    glEndList();
    grabarCaniones(e, j);
    for (int i = 0; i < 3; i++) {
        glNewList(e.ciudades[i], GL_COMPILE);
        city(j.coordCitys[i][0], j.coordCitys[i][1], j.coordCitys[i][2], j.d.RAD_CITY, 100);
        glEndList();
    }
    glNewList(e.cielo, GL_COMPILE);
    cielitoLindo(0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO);
    glEndList();
    glNewList(e.suelo, GL_COMPILE);
    ground(0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO);
    glEndList();
    grabarModelos(e, j);
}

void cargarCapaEscenario(Escenario& e) {
    if (!e.usarListas) {
        return;
    }
    GLint vista[4] = {};
    glGetIntegerv(GL_VIEWPORT, vista);
    cargarCapaFija(e.capa, vista[2], vista[3]);
}

void descargarEscenario(Escenario& e) {
    liberarCapaFija(e.capa);
    if (e.usarListas && e.torres != 0) {
        glDeleteLists(e.torres, CANT_LISTAS);
        e.torres = 0;
        e.caniones = e.cielo = e.suelo = e.misil = e.avion = e.chispa = e.marcador = 0;
        e.marcadorGrabado = false;
        for (unsigned& c : e.ciudades) {
            c = 0;
        }
    }
}

void prepararModelos(Escenario& e, const Juego& j) {
    if (e.usarListas && e.modelosContorno != j.wireframe) {
        grabarModelos(e, j);
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

void escenaCielo(const Escenario& e) {
    if (e.usarListas) {
        glCallList(e.cielo);
    } else {
        cielitoLindo(0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO);
    }
}

void escenaSuelo(const Escenario& e) {
    if (e.usarListas) {
        glCallList(e.suelo);
    } else {
        ground(0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO);
    }
}
