// The game frame in its fixed order, drawn under one directional light.
#include "cuadro.h"

#include "avion.h"
#include "controles.h"
#include "digitos.h"
#include "mira.h"
#include "misiles.h"
#include "texturas.h"
#include "ventana.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

namespace {

constexpr float ALTURA_LANZAMIENTO = 3.0f;
constexpr float RADIO_AVION = 0.5f;
constexpr float RADIO_CIUDAD = 0.5f;
constexpr int PASOS_MODELOS = 40;
constexpr float ASPECTO_X = 0.75f;
constexpr float ASPECTO_Y = 1.3333334f;

// The world point on the far plane under the mouse pointer. Nothing has been drawn when the
// frame picks, so the depth under the pointer is the one a clear leaves: it is taken from the
// clear value instead of being read back, which would make software GL finish a whole clear
// first, and the frame need not clear where the kept scenery picture covers every pixel.
void elegirPunto(Juego& j) {
    int posx = 0, posy = 0;
    SDL_GetMouseState(&posx, &posy);
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    j.winX = posx;
    j.winY = static_cast<double>(viewport[3] - posy);
    GLfloat winZ = 1.0f;
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, &winZ);
    gluUnProject(j.winX, j.winY, static_cast<double>(winZ), modelview, projection, viewport,
                 &j.posiX, &j.posiY, &j.posiZ);
}

void material(const GLfloat* ambiente, const GLfloat* difusa, GLfloat brillo) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambiente);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, difusa);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, difusa);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, ambiente);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, brillo);
}

void enlazar(const Juego& j, int slot) {
    glBindTexture(GL_TEXTURE_2D, j.textura[slot]);
}

// The aiming cross, the score and the city health over an orthographic 480 x 640 space.
void superposicion(Juego& j) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 480, 0, 640, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const float cx = static_cast<float>(j.winX / 1.33);
    const float cy = static_cast<float>(j.winY * 1.3251);
    glColor3f(255.0f, 255.0f, 255.0f);
    glBegin(GL_LINES);
    glVertex2f(cx - 10.0f, cy);
    glVertex2f(cx + 10.0f, cy);
    glVertex2f(cx, cy + 15.0f);
    glVertex2f(cx, cy - 15.0f);
    glEnd();
    glColor3f(0.0f, 1.0f, 0.0f);
    printNumers(ASPECTO_X, ASPECTO_Y, 20.0f, 10.0f, 480.0f - 20.0f * ASPECTO_Y, 0.0f, j.puntaje,
                false);
    printCitys(ASPECTO_X, ASPECTO_Y, 15.0f, 640.0f - 8.0f * 20.0f + 10.0f, 480.0f - 20.0f, 0.0f,
               j.vidaCitys);
}

// The scenery that does not move, on a cleared window: towers, cannons, cities and sky under the
// light, then the ground unlit (yellow when textures are off).
void escenario(Juego& j, Escenario& e) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    prepararVista(e, j);
    enlazar(j, TEX_TORRES);
    escenaTorres(e, j);
    enlazar(j, TEX_CANIONES);
    escenaCaniones(e, j);
    enlazar(j, TEX_CIUDADES);
    escenaCiudades(e, j);
    enlazar(j, TEX_CIELO);
    escenaCielo(e);

    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
    enlazar(j, TEX_SUELO);
    if (!j.texturas) {
        glColor3f(1.0f, 1.0f, 0.0f);
    }
    escenaSuelo(e);
}

// The scenery is the same while the view, the zoom, the light, the switches, the standing cities
// and the barrels are: then its kept picture is copied instead (it covers every pixel's colour and
// depth, so that frame clears nothing). What comes after sets its own colour, texture, normals and
// texture coordinates, whichever way the scenery came.
void escenarioGuardado(Juego& j, Escenario& e) {
    escenaFija(e.foto, claveEscenario(e, j), [&] { escenario(j, e); });
}

} // namespace

void cuadroJuego(Juego& j, Escenario& e) {
    const dificultad& d = j.d;
    generarAviones(d, j.ultimoavgenerado, ALTURA_LANZAMIENTO, j.av, RADIO_AVION, j.canthitrest,
                   j.coordavion, j.hayavion);
    generarMisiles(d, j.ultimogenerado, j.coordCitys, j.buffmisiles, j.cantmisiles,
                   ALTURA_LANZAMIENTO, j.cantvivos, j.vidaCitys);
    calcularmisiles(d, j.buffmisiles, j.cantmisiles, j.cantvivos, RADIO_CIUDAD, j.coordCitys,
                    j.vidaCitys);
    if (j.hayavion) {
        calcularavion(j.av, j.canthitrest, j.hayavion);
    }

    calcularLookAt(j.nro_canion, 0.0f, j.coordcannon, j.x, j.y, j.z, j.lz);
    glTranslatef(0.0f, 0.0f, 0.0f);
    glRotatef(j.anglecannon[j.nro_canion], j.x, j.y, -j.z);

    elegirPunto(j);

    glPolygonMode(GL_FRONT_AND_BACK, j.wireframe ? GL_LINE : GL_FILL);
    glColor3f(1.0f, 1.0f, 1.0f);

    GLfloat amb[] = {0.0f, j.verdeluz, j.azulluz + 0.1f, 1.0f};
    GLfloat dif[] = {1.0f, 1.0f, 1.0f, 1.0f};
    GLfloat position[] = {j.xluz, j.yluz, -1.5f, 0.0f};
    GLfloat dir[] = {0.0f, 0.0f, 1.0f};
    GLfloat amb2[] = {0.5f, 0.5f, 0.5f, 1.0f};
    GLfloat dif2[] = {1.0f, 1.0f, 1.0f, 1.0f};
    // With the light switched off in the configuration screen the frame is drawn unlit.
    if (j.luz) {
        glEnable(GL_LIGHT0);
        glLightfv(GL_LIGHT0, GL_AMBIENT, amb);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, dif);
        glLightfv(GL_LIGHT0, GL_SPECULAR, dif);
        glLightfv(GL_LIGHT0, GL_POSITION, position);
        glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, dir);
        glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 0.0f);
        glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 180.0f);
        glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, 1.0f);
        glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0.0f);
        glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, 0.0f);
        glEnable(GL_LIGHTING);
    }
    if (j.texturas) {
        glEnable(GL_TEXTURE_2D);
    }
    dif[3] = 0.0f;

    material(amb, dif, 50.0f);
    escenarioGuardado(j, e);

    // What moves goes over the scenery, under the same light, in white when drawn unlit.
    glColor3f(1.0f, 1.0f, 1.0f);
    if (j.luz) {
        glEnable(GL_LIGHT0);
        glEnable(GL_LIGHTING);
    }
    material(amb2, dif2, 100.0f);
    enlazar(j, TEX_AVION);
    drawmisiles(PASOS_MODELOS, j.buffmisiles, j.cantmisiles, j.vMisil, j.tMisil, j.nMisil, j.oMisil,
                j.textura, e.misil, e.chispa);
    drawavion(PASOS_MODELOS, j.av, j.canthitrest, j.hitavion, j.vAvion, j.tAvion, j.nAvion,
              j.oAvion, e.avion);
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);

    atenderEventos(j, e, Pantalla::Juego);

    superposicion(j);
    proyeccionJuego(e, j.zoom);
}
