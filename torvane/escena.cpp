// Drawing of the screens: the play view (sky box, cities, towers, bullets, missiles) and the
// full-screen picture of every other screen.
#include "escena.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <vector>

#include "ciudad.h"
#include "decorado.h"
#include "hud.h"
#include "torre.h"

static void colocarVista(const Juego& juego, const Vista& vista) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    switch (vista.tipo) {
    case TipoVista::VIAJE:
        gluLookAt(vista.x, 0.0, vista.z, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
        return;
    case TipoVista::CAMARA:
        if (juego.torres[juego.en_torre] != nullptr) {
            juego.torres[juego.en_torre]->getCamara()->Render();
        }
        return;
    case TipoVista::IDENTIDAD:
        return;
    }
}

// The sky box, the cities of the level and the towers the camera is not on.
static void dibujarEscenario(const Juego& juego, const Recursos& r) {
    glPushMatrix();
    glColor3f(0.0f, 0.0f, 0.0f);
    glCallList(r.listaCielo);
    glPopMatrix();

    for (const Ciudad* ciudad : ciudadesDelNivel(juego, juego.nivel)) {
        glPushMatrix();
        glColor3f(1.0f, 0.0f, 0.0f);
        glTranslatef(ciudad->getX(), ciudad->getY(), ciudad->getZ());
        glCallList(r.listaCubo);
        glPopMatrix();
    }
    for (int i = 0; i < 3; ++i) {
        if (i == juego.en_torre) {
            continue;
        }
        const float* p = juego.torres_posiciones[i];
        glPushMatrix();
        glColor3f(0.0f, 1.0f, 0.0f);
        glTranslatef(p[0], p[1], p[2]);
        glScalef(0.4f, 0.4f, 0.4f);
        glCallList(r.listaCubo);
        glPopMatrix();
    }
}

// What the scenery shows besides the GL state: the tower the view is from (it is not drawn) and
// where the level's cities and the towers stand.
static std::vector<float> muestraEscenario(const Juego& juego) {
    std::vector<float> muestra = {static_cast<float>(juego.en_torre)};
    for (const Ciudad* ciudad : ciudadesDelNivel(juego, juego.nivel)) {
        muestra.insert(muestra.end(), {ciudad->getX(), ciudad->getY(), ciudad->getZ()});
    }
    for (const float* p : juego.torres_posiciones) {
        muestra.insert(muestra.end(), p, p + 3);
    }
    return muestra;
}

// The scenery on a cleared window, or its kept picture while it stays the same (the copy covers
// every pixel's colour and depth, so it replaces the clear). The sky box sends no normals: lit, it
// shades with the normal the last frame left, which goes into the key. Then the HUD over it, drawn
// every frame (a handful of quads; recording it into a list again whenever the score or the
// ammunition changed cost more than drawing it); it switches lighting off, and what it switched
// off is switched on again for the projectiles.
static void fondo(const Juego& juego, Recursos& r) {
    escenaFija(r.capa, muestraEscenario(juego), {}, true, [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        dibujarEscenario(juego, r);
    });
    const bool luz = glIsEnabled(GL_LIGHTING), luz0 = glIsEnabled(GL_LIGHT0);
    dibujarHud(juego, r.texturas, r.capa.usar);
    if (luz) {
        glEnable(GL_LIGHTING);
    }
    if (luz0) {
        glEnable(GL_LIGHT0);
    }
}

void dibujarJuego(const Juego& juego, const FramePlay& frame, Recursos& r) {
    colocarVista(juego, frame.vista);
    fondo(juego, r);

    for (const Dibujo& bala : frame.balas) {
        glPushMatrix();
        glColor3f(0.0f, 0.0f, 1.0f);
        glTranslatef(bala.x, bala.y, bala.z);
        glScalef(0.00025f, 0.00025f, 0.00025f);
        glCallList(r.listaMisil);
        glPopMatrix();
    }
    for (const Dibujo& misil : frame.misiles) {
        glPushMatrix();
        glColor3f(0.0f, 0.0f, 1.0f);
        glTranslatef(misil.x, misil.y, misil.z);
        glRotatef(180.0f, 1.0f, 0.0f, 0.0f);
        glScalef(0.001f, 0.001f, 0.001f);
        glCallList(r.listaMisil);
        glPopMatrix();
    }
    // A frame of play ends as the HUD leaves it, with lighting off and the colour white: the menu
    // pictures are drawn in the current colour.
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    glColor3f(1.0f, 1.0f, 1.0f);
}

void dibujarMenu(Juego& juego, Texturas& t) {
    ImagenMenu imagen = pantallaMenu(juego);
    if (imagen == ImagenMenu::NINGUNA) {
        return;
    }
    glBindTexture(GL_TEXTURE_2D, texturaMenu(t, imagen));
    glEnable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);

    glPushMatrix();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-10, 10, -10, 10, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(-10, -10, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-10, 10, 0);
    glTexCoord2f(1, 1);
    glVertex3f(10, 10, 0);
    glTexCoord2f(1, 0);
    glVertex3f(10, -10, 0);
    glEnd();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();

    glDisable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, juego.wire ? GL_LINE : GL_FILL);
}
