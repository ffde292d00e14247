// Play's GL set-up and the head-up display: score digits, ammunition, aiming mark, city health.
#include "hud.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "ciudad.h"
#include "hud_reglas.h"
#include "superposicion.h"
#include "torre.h"

namespace torvane {

void init(bool habilitar_texturas, bool facet_interpol) {
    glShadeModel(facet_interpol ? GL_FLAT : GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    if (habilitar_texturas) {
        glEnable(GL_TEXTURE_2D);
    }
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 0.75, 0.1, 200.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

namespace {

// One rectangle `desx` by `desy` with its top-left corner at (iz, ar) in HUD units (x 0 to 480
// across, y 0 to 640 up), textured with `textura`.
void rectangulo(unsigned textura, int iz, int desx, int ar, int desy) {
    const float x0 = static_cast<float>(iz), x1 = static_cast<float>(iz + desx);
    const float y0 = static_cast<float>(ar), y1 = static_cast<float>(ar - desy);
    glBindTexture(GL_TEXTURE_2D, textura);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1);
    glVertex3f(x0, y0, 0.1f);
    glTexCoord2f(0, 0);
    glVertex3f(x0, y1, 0.1f);
    glTexCoord2f(1, 0);
    glVertex3f(x1, y1, 0.1f);
    glTexCoord2f(1, 1);
    glVertex3f(x1, y0, 0.1f);
    glEnd();
}

unsigned texturaCelda(const Texturas& t, Celda celda) {
    switch (celda) {
    case Celda::GRAVE:
        return t[Textura::TORRE_GRAVE];
    case Celda::MEDIA:
        return t[Textura::TORRE_MEDIA];
    case Celda::SANA:
        return t[Textura::TORRE_SANA];
    }
    return t[Textura::TORRE_SANA];
}

} // namespace

void dibujarHud(const Juego& juego, const Texturas& t) {
    DigitosPuntaje d = digitosPuntaje(juego.puntaje);
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    // Outlines and untextured surfaces are for the scene: the HUD stays pictures, filled.
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_2D);
    // Over an orthographic 480 x 640 space, in white.
    glPushMatrix();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    proyeccionSuperpuesta();
    glColor3f(1.0f, 1.0f, 1.0f);

    rectangulo(t.de(Textura::DIGITO_0, d.miles, 10), 0, 35, 640, 30);
    rectangulo(t.de(Textura::DIGITO_0, d.centenas, 10), 30, 35, 640, 30);
    rectangulo(t.de(Textura::DIGITO_0, d.decenas, 10), 60, 35, 640, 30);
    rectangulo(t.de(Textura::DIGITO_0, d.unidades, 10), 90, 35, 640, 30);

    const Torre* torre = juego.torres[juego.en_torre];
    // Marks and cells past the right edge (x 480) are not drawn.
    int municion = torre != nullptr ? torre->getMunicion() : 0;
    for (int i = 0; i < municion && 200 + 5 * i < 480; ++i) {
        rectangulo(t[Textura::BALA], 200 + 5 * i, 5, 100, 60);
    }

    rectangulo(t.de(Textura::DIGITO_0, d.unidades, 10), 238, 4, 318, 6);

    const auto nivel = juego.ciudades.find(juego.nivel);
    if (nivel != juego.ciudades.end()) {
        for (const auto& par : nivel->second) {
            int fila = filaSalud(par.first);
            if (fila < 0 || !ciudadEnNivel(par.first, juego.nivel) || par.second == nullptr) {
                continue;
            }
            int arriba = 640 - fila;
            rectangulo(t.de(Textura::VIDA_1, par.first, 4), 10, 83, arriba, 20);
            const Ciudad& ciudad = *par.second;
            unsigned celda = texturaCelda(t, celdaSalud(ciudad.getSalud(), ciudad.getSaludTot()));
            for (int i = 0; i < ciudad.getSalud() && 93 + 13 * i < 480; ++i) {
                rectangulo(celda, 93 + 13 * i, 13, arriba, 20);
            }
        }
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    // The scene's modes again, as the game records them.
    glPolygonMode(GL_FRONT_AND_BACK, juego.wire ? GL_LINE : GL_FILL);
    if (!juego.habilitar_texturas) {
        glDisable(GL_TEXTURE_2D);
    }
}

} // namespace torvane
