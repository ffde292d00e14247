// The keys and mouse of the game, pause and configuration screens.
#include "mandos.h"

#include "misiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace fenwar;

namespace {

std::unique_ptr<Juego> nuevoJuego() {
    auto j = std::make_unique<Juego>();
    dificultad d;
    d.PUNTOS_MISIL = 10;
    d.PUNTOS_AVION = 100;
    iniciarJuego(*j, d, 0);
    return j;
}

Evento teclaPulsada(int t) {
    Evento e;
    e.tipo = TipoEvento::Tecla;
    e.tecla = t;
    return e;
}

Evento boton(TipoEvento tipo, int cual, unsigned sostenidos) {
    Evento e;
    e.tipo = tipo;
    e.boton = cual;
    e.botones = sostenidos;
    return e;
}

Evento movimiento(int yrel) {
    Evento e;
    e.tipo = TipoEvento::Movimiento;
    e.yrel = yrel;
    return e;
}

// A flying missile standing still at p.
void ponerMisil(Juego& j, float x, float y, float z) {
    Misil& m = j.buffmisiles[j.cantmisiles++];
    m = Misil{};
    m.xActual = x;
    m.yActual = y;
    m.zActual = z;
    m.vivo = true;
    m.explosionesrestantes = EXPLOSIONES_MISIL;
    j.cantvivos++;
}

// Aims from the eye (2, 0, -2.025) towards the origin side along -x.
void apuntarPorX(Juego& j) {
    j.posiX = -50.0;
    j.posiY = 0.0;
    j.posiZ = -2.025;
}

TEST(Caniones, EightLeftPressesVisitEveryCannonTwice) {
    auto j = nuevoJuego();
    const int esperados[8] = {0, 3, 2, 1, 0, 3, 2, 1};
    for (int i = 0; i < 8; i++) {
        j->angb = j->lz = 12.0f;
        Efecto ef = reglasJuego(*j, teclaPulsada(tecla::IZQUIERDA));
        EXPECT_EQ(ef.espera, 200);
        ASSERT_EQ(j->nro_canion, esperados[i]);
        EXPECT_EQ(j->x, j->coordcannon[2 * esperados[i]]);
        EXPECT_EQ(j->y, j->coordcannon[2 * esperados[i] + 1]);
        EXPECT_EQ(j->angb, 0.0f) << "a switch resets the look offset";
        EXPECT_EQ(j->lz, 0.0f);
    }
    for (int h = 0; h < 4; h++) {
        EXPECT_EQ(j->angulo_canion[h], 2.0f);
    }
    EXPECT_FLOAT_EQ(j->z, 2.025f);
}

TEST(Caniones, BarrelsStayWithinFortyFiveDegrees) {
    auto j = nuevoJuego();
    j->angulo_canion[1] = 45.0f;
    cambiarCanion(*j, -1);
    EXPECT_EQ(j->angulo_canion[1], 45.0f);
    EXPECT_EQ(j->nro_canion, 0);
    j->angulo_canion[0] = -45.0f;
    reglasJuego(*j, teclaPulsada(tecla::DERECHA));
    EXPECT_EQ(j->angulo_canion[0], -45.0f);
    EXPECT_EQ(j->nro_canion, 1);
    reglasJuego(*j, teclaPulsada(tecla::DERECHA));
    EXPECT_EQ(j->angulo_canion[1], 44.0f);
    reglasJuego(*j, teclaPulsada(tecla::DERECHA));
    reglasJuego(*j, teclaPulsada(tecla::DERECHA));
    EXPECT_EQ(j->nro_canion, 0) << "right wraps from 3 to 0";
}

TEST(Zoom, StepsUpToTheLimitAndBackToExactlyOne) {
    auto j = nuevoJuego();
    const float subida[5] = {1.2f, 1.44f, 1.728f, 2.0736f, 2.0736f};
    for (float esperado : subida) {
        EXPECT_EQ(reglasJuego(*j, teclaPulsada(tecla::ARRIBA)).espera, 50);
        EXPECT_FLOAT_EQ(j->zoom, esperado);
    }
    for (int i = 0; i < 6; i++) {
        reglasJuego(*j, teclaPulsada(tecla::ABAJO));
    }
    EXPECT_EQ(j->zoom, 1.0f);
}

TEST(TeclasJuego, LightKeysNudgeTheLightWithoutBounds) {
    auto j = nuevoJuego();
    for (int t : {'y', 'y', 'h', 'm', 'k', 'k', 'k'}) {
        EXPECT_EQ(reglasJuego(*j, teclaPulsada(t)).espera, 5);
    }
    EXPECT_FLOAT_EQ(j->verdeluz, 0.2f);
    EXPECT_FLOAT_EQ(j->azulluz, 0.1f);
    EXPECT_FLOAT_EQ(j->xluz, 0.1f);
    EXPECT_FLOAT_EQ(j->yluz, 0.3f);
    for (int t : {'t', 't', 't', 'g', 'u', 'u', 'j'}) {
        reglasJuego(*j, teclaPulsada(t));
    }
    EXPECT_FLOAT_EQ(j->verdeluz, -0.1f);
    EXPECT_NEAR(j->azulluz, 0.0f, 1e-6);
    EXPECT_FLOAT_EQ(j->xluz, -0.1f);
    EXPECT_FLOAT_EQ(j->yluz, 0.2f);
    EXPECT_TRUE(j->texturas) << "t lowers the green light in the game";
}

TEST(TeclasJuego, ScreenKeysQuitAndFullScreen) {
    auto j = nuevoJuego();
    EXPECT_EQ(reglasJuego(*j, teclaPulsada('x')).espera, 0);
    EXPECT_TRUE(reglasJuego(*j, teclaPulsada(tecla::F11)).pantallaCompleta);
    EXPECT_EQ(reglasJuego(*j, teclaPulsada('p')).espera, 200);
    EXPECT_TRUE(j->pausa);
    reglasJuego(*j, teclaPulsada(tecla::ESCAPE));
    EXPECT_TRUE(j->fin);
    auto k = nuevoJuego();
    Evento salir;
    salir.tipo = TipoEvento::Salir;
    reglasJuego(*k, salir);
    EXPECT_TRUE(k->fin);
}

TEST(Raton, RightButtonLooksAndAnyReleaseEndsIt) {
    auto j = nuevoJuego();
    reglasJuego(*j, movimiento(10));
    EXPECT_EQ(j->angb, 0.0f) << "no look mode yet";
    reglasJuego(*j, boton(TipoEvento::BotonAbajo, 3, HELD_DERECHO));
    EXPECT_TRUE(j->moverCam);
    reglasJuego(*j, movimiento(10));
    reglasJuego(*j, movimiento(-5));
    EXPECT_FLOAT_EQ(j->angb, -2.0f);
    EXPECT_FLOAT_EQ(j->lz, -2.0f);
    reglasJuego(*j, boton(TipoEvento::BotonArriba, 5, HELD_DERECHO));
    EXPECT_FALSE(j->moverCam) << "a wheel release ends look mode too";
}

TEST(Raton, MenusIgnoreTheMouse) {
    auto j = nuevoJuego();
    j->moverCam = true;
    j->pausa = true;
    reglasPausa(*j, boton(TipoEvento::BotonArriba, 1, 0));
    reglasConfig(*j, boton(TipoEvento::BotonArriba, 1, 0));
    EXPECT_TRUE(j->moverCam);
    ponerMisil(*j, -2.0f, 0.0f, -2.025f);
    apuntarPorX(*j);
    reglasPausa(*j, boton(TipoEvento::BotonAbajo, 1, HELD_IZQUIERDO));
    EXPECT_EQ(j->puntaje, 0);
}

TEST(Disparo, AQuickClickFiresEvenWhenAlreadyReleased) {
    auto j = nuevoJuego();
    ponerMisil(*j, -2.0f, 0.0f, -2.025f);
    apuntarPorX(*j);
    reglasJuego(*j, boton(TipoEvento::BotonAbajo, BOTON_IZQUIERDO, 0));
    EXPECT_EQ(j->puntaje, 10);
    EXPECT_FALSE(j->buffmisiles[0].vivo);
    EXPECT_TRUE(j->buffmisiles[0].explotando);
    EXPECT_EQ(j->cantvivos, 0);
}

TEST(Disparo, LeftHeldFiresOncePerButtonEventAndKeepsLookMode) {
    auto j = nuevoJuego();
    apuntarPorX(*j);
    ponerMisil(*j, -2.0f, 0.0f, -2.025f);
    // Left pressed while right is held: shot and look mode.
    reglasJuego(*j, boton(TipoEvento::BotonAbajo, 3, HELD_DERECHO));
    reglasJuego(*j, boton(TipoEvento::BotonAbajo, 1, HELD_DERECHO | HELD_IZQUIERDO));
    EXPECT_EQ(j->puntaje, 10);
    EXPECT_TRUE(j->moverCam);
    // Each wheel notch with the left button held fires again.
    ponerMisil(*j, -5.0f, 0.0f, -2.025f);
    reglasJuego(*j, boton(TipoEvento::BotonAbajo, 4, HELD_IZQUIERDO));
    EXPECT_EQ(j->puntaje, 20);
    // A right click alone does not fire.
    ponerMisil(*j, -7.0f, 0.0f, -2.025f);
    reglasJuego(*j, boton(TipoEvento::BotonAbajo, 3, HELD_DERECHO));
    EXPECT_EQ(j->puntaje, 20);
    EXPECT_TRUE(j->buffmisiles[2].vivo);
}

TEST(Disparo, OneShotDownsEveryMissileOnItsLineAndNoOther) {
    auto j = nuevoJuego();
    apuntarPorX(*j);
    ponerMisil(*j, -1.0f, 0.1f, -2.0f);   // within 0.2 of the line
    ponerMisil(*j, -3.0f, 0.0f, -2.2f);   // within 0.2
    ponerMisil(*j, -1.0f, 0.5f, -2.025f); // 0.5 away: missed
    ponerMisil(*j, -4.0f, 0.0f, -2.025f);
    j->buffmisiles[3].vivo = false; // already finished: neither hit nor counted
    j->cantvivos--;
    const Sucesos s = disparar(*j);
    EXPECT_EQ(s.disparos, 1);
    EXPECT_EQ(s.misilesDerribados, 2) << "what the frame reports is what fell";
    ASSERT_EQ(s.derribos.size(), 2u) << "each missile shot down is told where it was";
    EXPECT_FLOAT_EQ(s.derribos[0].x, -1.0f);
    EXPECT_FLOAT_EQ(s.derribos[0].y, 0.1f);
    EXPECT_FLOAT_EQ(s.derribos[1].x, -3.0f);
    EXPECT_FLOAT_EQ(s.derribos[1].z, -2.2f);
    EXPECT_FALSE(s.avionGolpeado || s.avionDerribado);
    EXPECT_EQ(j->puntaje, 20);
    EXPECT_FALSE(j->buffmisiles[0].vivo);
    EXPECT_FALSE(j->buffmisiles[1].vivo);
    EXPECT_TRUE(j->buffmisiles[2].vivo);
    EXPECT_FALSE(j->buffmisiles[3].explotando);
    EXPECT_EQ(j->cantvivos, 1);
}

TEST(Disparo, ThePlaneAbsorbsHitsThenFalls) {
    auto j = nuevoJuego();
    apuntarPorX(*j);
    j->hayavion = true;
    j->av.vivo = true;
    j->av.xActual = -2.5f;
    j->av.yActual = 0.25f;
    j->av.zActual = -2.025f;
    j->canthitrest = 1;
    Sucesos s = disparar(*j);
    EXPECT_TRUE(s.avionGolpeado && !s.avionDerribado);
    EXPECT_FLOAT_EQ(s.avion.x, -2.5f) << "where the shot hit the plane";
    EXPECT_FLOAT_EQ(s.avion.y, 0.25f);
    EXPECT_TRUE(j->hitavion) << "a hit the armour takes shows on the plane";
    EXPECT_TRUE(j->hayavion);
    EXPECT_EQ(j->puntaje, 0);
    j->hitavion = false;
    s = disparar(*j);
    EXPECT_TRUE(s.avionDerribado && !s.avionGolpeado);
    EXPECT_FLOAT_EQ(s.avion.z, -2.025f) << "where the plane fell";
    EXPECT_FALSE(j->hayavion);
    EXPECT_FALSE(j->hitavion);
    EXPECT_TRUE(j->av.explotando);
    EXPECT_EQ(j->puntaje, 100);
    s = disparar(*j);
    EXPECT_EQ(s.disparos, 1) << "a shot at nothing is still a shot";
    EXPECT_FALSE(s.avionDerribado || s.avionGolpeado);
    EXPECT_EQ(j->puntaje, 100) << "no plane in the sky, nothing to hit";
}

TEST(Pausa, KeysLeadToTheGameTheSettingsOrTheEnd) {
    auto j = nuevoJuego();
    j->pausa = true;
    EXPECT_EQ(reglasPausa(*j, teclaPulsada('x')).espera, 0);
    EXPECT_EQ(reglasPausa(*j, teclaPulsada('p')).espera, 110);
    EXPECT_FALSE(j->pausa);
    j->pausa = true;
    reglasPausa(*j, teclaPulsada('c'));
    EXPECT_FALSE(j->pausa);
    EXPECT_TRUE(j->config);
    auto k = nuevoJuego();
    k->pausa = true;
    reglasPausa(*k, teclaPulsada('q'));
    EXPECT_TRUE(k->fin);
}

TEST(Pausa, SpaceStartsANewGameAtOnce) {
    auto j = nuevoJuego();
    j->pausa = true;
    j->puntaje = 90;
    j->vidaCitys[1] = 20;
    ponerMisil(*j, 0, 0, -1);
    j->zoom = 1.2f;
    Efecto ef = reglasPausa(*j, teclaPulsada(tecla::ESPACIO));
    EXPECT_EQ(ef.espera, 100);
    EXPECT_FALSE(j->pausa);
    EXPECT_EQ(j->puntaje, 0);
    EXPECT_EQ(j->vidaCitys[1], 100);
    EXPECT_EQ(j->cantmisiles, 0);
    EXPECT_EQ(j->cantvivos, 0);
    EXPECT_EQ(j->zoom, 1.2f) << "settings survive a new game";
}

TEST(Configuracion, TogglesAndTheWayBack) {
    auto j = nuevoJuego();
    j->config = true;
    EXPECT_EQ(reglasConfig(*j, teclaPulsada('w')).espera, 200);
    EXPECT_TRUE(j->wireframe);
    reglasConfig(*j, teclaPulsada('t'));
    EXPECT_FALSE(j->texturas);
    EXPECT_FLOAT_EQ(j->verdeluz, 0.0f) << "t toggles textures here, not the green light";
    reglasConfig(*j, teclaPulsada('l'));
    EXPECT_FALSE(j->luz);
    reglasConfig(*j, teclaPulsada('l'));
    EXPECT_TRUE(j->luz);
    reglasConfig(*j, teclaPulsada('w'));
    EXPECT_FALSE(j->wireframe);
    EXPECT_EQ(reglasConfig(*j, teclaPulsada('q')).espera, 0);
    EXPECT_FALSE(j->fin) << "q quits only from the pause screen";
    EXPECT_EQ(reglasConfig(*j, teclaPulsada('p')).espera, 200);
    EXPECT_TRUE(j->pausa);
    EXPECT_FALSE(j->config);
    Evento salir;
    salir.tipo = TipoEvento::Salir;
    reglasConfig(*j, salir);
    EXPECT_TRUE(j->fin);
}

// A queue of events as SDL would hand them out in one frame, with the effects the frame applied.
struct FrameQueue {
    std::vector<Evento> pending;
    std::size_t next = 0;
    std::vector<Efecto> applied;

    void handle(Juego& j, Pantalla pantalla) {
        atenderCuadro(
            j, pantalla,
            [this](Evento& e) {
                if (next == pending.size()) {
                    return false;
                }
                e = pending[next++];
                return true;
            },
            [this](const Efecto& ef) { applied.push_back(ef); });
    }
};

// A held RIGHT repeats every 10 ms, faster than its 200 ms wait: each frame acts once and leaves
// the rest queued, so the picture moves on between two cannon changes and nothing is lost.
TEST(Cuadro, AKeyThatWaitsLeavesTheRestForTheNextFrame) {
    auto j = nuevoJuego();
    FrameQueue q;
    for (int k = 0; k < 3; k++) {
        q.pending.push_back(teclaPulsada(tecla::DERECHA));
    }
    q.pending.push_back(boton(TipoEvento::BotonAbajo, 3, HELD_DERECHO));
    q.handle(*j, Pantalla::Juego);
    EXPECT_EQ(j->nro_canion, 2);
    ASSERT_EQ(q.applied.size(), 1u);
    EXPECT_EQ(q.applied[0].espera, 200);
    q.handle(*j, Pantalla::Juego);
    EXPECT_EQ(j->nro_canion, 3);
    q.handle(*j, Pantalla::Juego);
    EXPECT_EQ(j->nro_canion, 0);
    EXPECT_FALSE(j->moverCam);
    q.handle(*j, Pantalla::Juego);
    EXPECT_TRUE(j->moverCam);
    EXPECT_EQ(q.next, q.pending.size());
}

// Events that do not wait are all handled in one frame; a light key waits 5 ms and ends it; a
// switch of full screen ends it too, so a held F11 cannot switch modes for ever without a frame.
TEST(Cuadro, OnlyWaitsAndModeSwitchesEndTheFrame) {
    auto j = nuevoJuego();
    FrameQueue q;
    q.pending = {movimiento(5),     teclaPulsada('a'),        boton(TipoEvento::BotonArriba, 1, 0),
                 teclaPulsada('y'), teclaPulsada(tecla::F11), teclaPulsada(tecla::F11)};
    q.handle(*j, Pantalla::Juego);
    EXPECT_EQ(q.next, 4u);
    EXPECT_FLOAT_EQ(j->verdeluz, 0.1f);
    q.handle(*j, Pantalla::Juego);
    EXPECT_EQ(q.next, 5u);
    ASSERT_EQ(q.applied.size(), 5u);
    EXPECT_TRUE(q.applied.back().pantallaCompleta);

    // The same holds on the menus: a held W toggles outlines once a frame, not every repeat.
    FrameQueue menu;
    menu.pending = {teclaPulsada('w'), teclaPulsada('w'), teclaPulsada('w')};
    j->config = true;
    menu.handle(*j, Pantalla::Configuracion);
    EXPECT_TRUE(j->wireframe);
    EXPECT_EQ(menu.next, 1u);
    menu.handle(*j, Pantalla::Configuracion);
    EXPECT_FALSE(j->wireframe);
}

} // namespace
