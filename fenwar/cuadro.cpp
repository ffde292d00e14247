// The game frame in its fixed order: the rules step, the view and pick, the drawing under one
// directional light, the events, the overlay.
#include "cuadro.h"

#include "avion_dibujo.h"
#include "controles.h"
#include "digitos_dibujo.h"
#include "mira.h"
#include "misiles_dibujo.h"
#include "texturas.h"
#include "ventana.h"

#include "superposicion.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

namespace fenwar {

namespace {

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

void enlazar(const Recursos& r, int slot) {
    glBindTexture(GL_TEXTURE_2D, r.textura[slot]);
}

// The aiming cross, the score and the city health over an orthographic 480 x 640 space.
void superposicion(Juego& j) {
    proyeccionSuperpuesta();
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
void escenario(Juego& j, Recursos& r) {
    Escenario& e = r.escenario;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    prepararVista(e, j);
    enlazar(r, TEX_TORRES);
    escenaTorres(e, j);
    enlazar(r, TEX_CANIONES);
    escenaCaniones(e, j);
    enlazar(r, TEX_CIUDADES);
    escenaCiudades(e, j);
    enlazar(r, TEX_CIELO);
    escenaCielo(e);

    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
    enlazar(r, TEX_SUELO);
    if (!j.texturas) {
        glColor3f(1.0f, 1.0f, 0.0f);
    }
    escenaSuelo(e);
}

// The scenery is the same while the view, the zoom, the light, the switches, the standing cities
// and the barrels are: then its kept picture is copied instead (it covers every pixel's colour and
// depth, so that frame clears nothing). What comes after sets its own colour, texture, normals and
// texture coordinates, whichever way the scenery came.
void escenarioGuardado(Juego& j, Recursos& r) {
    escenaFija(r.escenario.foto, claveEscenario(r.escenario, j), [&] { escenario(j, r); });
}

// The view from the chosen cannon, turned by the barrel's angle, and the point under the pointer.
void vistaYMira(Juego& j) {
    calcularLookAt(j.nro_canion, 0.0f, j.coordcannon, j.x, j.y, j.z, j.lz);
    glTranslatef(0.0f, 0.0f, 0.0f);
    glRotatef(j.anglecannon[j.nro_canion], j.x, j.y, -j.z);
    elegirPunto(j);
}

// The scenery and what moves, under the light unless it is switched off. Drawing steps the bursts
// and may stall the frame for a hit on the plane (avanzarAlDibujar).
void dibujarMundo(Juego& j, Recursos& r) {
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
    escenarioGuardado(j, r);

    // What moves goes over the scenery, under the same light, in white when drawn unlit.
    glColor3f(1.0f, 1.0f, 1.0f);
    if (j.luz) {
        glEnable(GL_LIGHT0);
        glEnable(GL_LIGHTING);
    }
    material(amb2, dif2, 100.0f);
    enlazar(r, TEX_AVION);
    // A hit that the plane's armour absorbed stalls the game for a moment.
    if (avanzarAlDibujar(j)) {
        SDL_Delay(10);
    }
    drawmisiles(j, r);
    drawavion(j, r);
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
}

} // namespace

Sucesos cuadroJuego(Juego& j, Recursos& r) {
    Sucesos sucesos = jugarCuadro(j);
    vistaYMira(j);
    dibujarMundo(j, r);
    sumarSucesos(sucesos, atenderEventos(j, r, Pantalla::Juego));
    superposicion(j);
    proyeccionJuego(r.escenario, j.zoom);
    return sucesos;
}

} // namespace fenwar
