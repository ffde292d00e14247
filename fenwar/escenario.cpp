// The scenery in vertex buffers, the models and score lines in display lists, the kept picture.
#include "escenario.h"

#include "misiles.h"
#include "modelo.h"
#include "primitivas.h"
#include "salida_gl.h"
#include "salida_grabada.h"
#include "triangulos.h"

#include <GL/gl.h>

namespace {

constexpr float RADIO_MUNDO = 30.0f;
constexpr int PASOS_CIELO = 300;
constexpr int PASOS_CIUDAD = 100;
// The two models, the spark and the score lines.
constexpr int CANT_LISTAS = 4;

// Records into `d` what `trazar` sends to a tessellation sink.
template <class F> void grabar(Decorado& d, F trazar) {
    grabarDecorado(d, [&trazar](Grabadora& g) {
        SalidaGrabada s{g};
        trazar(s);
    });
}

void grabarCaniones(Escenario& e, Juego& j) {
    grabar(e.caniones, [&j](SalidaGrabada& s) {
        teselado::canones(s, j.coordcannon, j.altura_tower, j.angulo_canion);
    });
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

    e.misil = glGenLists(CANT_LISTAS);
    if (e.misil == 0) {
        e.usarListas = false;
        return;
    }
    e.avion = e.misil + 1;
    e.chispa = e.misil + 2;
    e.marcador = e.misil + 3;
    e.marcadorGrabado = false;

    grabar(e.torres,
           [&j](SalidaGrabada& s) { teselado::torres(s, j.coordcannon, j.altura_tower); });
    grabarCaniones(e, j);
    for (int i = 0; i < 3; i++) {
        const float* c = j.coordCitys[i];
        grabar(e.ciudades[i], [&](SalidaGrabada& s) {
            teselado::cupula(s, c[0], c[1], c[2], j.d.RAD_CITY, PASOS_CIUDAD);
        });
    }
    grabar(e.cielo, [](SalidaGrabada& s) {
        teselado::cupula(s, 0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO);
    });
    grabar(e.suelo, [](SalidaGrabada& s) { teselado::suelo(s, 0.0f, 0.0f, 0.0f, RADIO_MUNDO); });
    grabarModelos(e, j);
}

void cargarCapaEscenario(Escenario& e) {
    if (!e.usarListas) {
        return;
    }
    GLint vista[4] = {};
    glGetIntegerv(GL_VIEWPORT, vista);
    // One picture for each cannon's view: a change of cannon comes back to a view kept before.
    e.capa.cuantas = 4;
    cargarCapaFija(e.capa, vista[2], vista[3]);
}

void descargarEscenario(Escenario& e) {
    liberarCapaFija(e.capa);
    for (Decorado* d : {&e.torres, &e.caniones, &e.ciudades[0], &e.ciudades[1], &e.ciudades[2],
                        &e.cielo, &e.suelo}) {
        liberarDecorado(*d);
    }
    if (e.usarListas && e.misil != 0) {
        glDeleteLists(e.misil, CANT_LISTAS);
        e.misil = e.avion = e.chispa = e.marcador = 0;
        e.marcadorGrabado = false;
    }
}

void prepararModelos(Escenario& e, const Juego& j) {
    if (e.usarListas && e.modelosContorno != j.wireframe) {
        grabarModelos(e, j);
    }
}

void escenaTorres(Escenario& e, Juego& j) {
    if (e.usarListas) {
        dibujarDecorado(e.torres);
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
    dibujarDecorado(e.caniones);
}

void escenaCiudades(Escenario& e, Juego& j) {
    if (!e.usarListas) {
        dibujarciudades(j.d, j.coordCitys, j.vidaCitys);
        return;
    }
    for (int i = 0; i < 3; i++) {
        if (j.vidaCitys[i] > 0) {
            dibujarDecorado(e.ciudades[i]);
        }
    }
}

void escenaCielo(Escenario& e) {
    if (e.usarListas) {
        dibujarDecorado(e.cielo);
    } else {
        cielitoLindo(0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO);
    }
}

void escenaSuelo(Escenario& e) {
    if (e.usarListas) {
        dibujarDecorado(e.suelo);
    } else {
        ground(0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO);
    }
}
