// Drawing of the screens: the play view (sky box, cities, towers, bullets, missiles) and the
// full-screen picture of every other screen.
#include "escena.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <vector>

#include "ciudad.h"
#include "hud.h"
#include "modelo3ds_dibujo.h"
#include "torre.h"

namespace torvane {

void colocarVista(const Juego& juego, const Vista& vista) {
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
    cielo(r);
    glPopMatrix();

    for (const Ciudad* ciudad : ciudadesDelNivel(juego, juego.nivel)) {
        glPushMatrix();
        glColor3f(1.0f, 0.0f, 0.0f);
        glTranslatef(ciudad->getX(), ciudad->getY(), ciudad->getZ());
        malla(r.listaCubo, *juego.cubo);
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
        malla(r.listaCubo, *juego.cubo);
        glPopMatrix();
    }
}

// What the scenery's picture shows besides the projection (see aplicarEfectos): the view, the
// level, the tower the view is from (not drawn), the switches, the light, and the mesh drawn
// last, whose normal the sky box is lit with since it gives none of its own.
static std::vector<float> claveEscenario(const Juego& juego, const Vista& vista,
                                         const Recursos& r) {
    std::vector<float> clave = {static_cast<float>(vista.tipo),
                                vista.x,
                                vista.z,
                                static_cast<float>(juego.en_torre),
                                static_cast<float>(juego.nivel),
                                juego.wire ? 1.0f : 0.0f,
                                juego.habilitar_texturas ? 1.0f : 0.0f,
                                juego.facet_interpol ? 1.0f : 0.0f,
                                juego.lumus ? 1.0f : 0.0f,
                                juego.red,
                                juego.green,
                                juego.blue,
                                juego.xil,
                                juego.yil,
                                juego.zil,
                                static_cast<float>(r.ultimaMalla)};
    if (vista.tipo == TipoVista::CAMARA && juego.torres[juego.en_torre] != nullptr) {
        const CCamera* camara = juego.torres[juego.en_torre]->getCamara();
        const SF3dVector p = camara->getPosition(), a = camara->getAngulos();
        clave.insert(clave.end(), {p.x, p.y, p.z, a.x, a.y, a.z});
    }
    return clave;
}

void dibujarJuego(const Juego& juego, const FramePlay& frame, Recursos& r) {
    colocarVista(juego, frame.vista);
    escenaFija(r.foto, claveEscenario(juego, frame.vista, r), [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        dibujarEscenario(juego, r);
    });
    // The cubes of the towers come last in the scenery: a copied picture leaves their normal too.
    dejarNormal(*juego.cubo);
    r.ultimaMalla = Malla::CUBO;
    if (!frame.balas.empty() || !frame.misiles.empty()) {
        r.ultimaMalla = Malla::MISIL;
    }

    for (const Dibujo& bala : frame.balas) {
        glPushMatrix();
        glColor3f(0.0f, 0.0f, 1.0f);
        glTranslatef(bala.x, bala.y, bala.z);
        glScalef(0.00025f, 0.00025f, 0.00025f);
        malla(r.listaMisil, *juego.misil);
        glPopMatrix();
    }
    for (const Dibujo& misil : frame.misiles) {
        glPushMatrix();
        glColor3f(0.0f, 0.0f, 1.0f);
        glTranslatef(misil.x, misil.y, misil.z);
        glRotatef(180.0f, 1.0f, 0.0f, 0.0f);
        glScalef(0.001f, 0.001f, 0.001f);
        malla(r.listaMisil, *juego.misil);
        glPopMatrix();
    }
    dibujarHud(juego, r.texturas);
}

void dibujarMenu(Juego& juego, Texturas& t) {
    ImagenMenu imagen = imagenDelMenu(juego);
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

} // namespace torvane
