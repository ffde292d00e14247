// Start values of a run, the city placement and the reset after a lost game.
#include "juego.h"

#include "reloj.h"

#include <gtest/gtest.h>

#include <memory>

using namespace fenwar;

namespace {

TEST(Ciudades, StandOnATriangleFromTheSpacing) {
    float c[10][3] = {};
    colocarCiudades(2.0f, c);
    EXPECT_FLOAT_EQ(c[0][0], 0.0f);
    EXPECT_FLOAT_EQ(c[0][1], 1.0f);
    EXPECT_FLOAT_EQ(c[1][0], -0.8660254f);
    EXPECT_FLOAT_EQ(c[1][1], -1.0f);
    EXPECT_FLOAT_EQ(c[2][0], 0.8660254f);
    EXPECT_FLOAT_EQ(c[2][1], -1.0f);
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(c[i][2], 0.0f) << "on the ground";
    }
    EXPECT_EQ(c[3][0], 0.0f) << "rows past the third are not touched";
    colocarCiudades(0.0f, c);
    EXPECT_EQ(c[2][0], 0.0f);
}

TEST(Inicio, StartsOnCannonOneWithTheFileValues) {
    auto j = std::make_unique<Juego>();
    dificultad d;
    d.SEPARACION_CITYS = 4.0f;
    d.POR_HIT = 33;
    iniciarJuego(*j, d, 12345);
    EXPECT_EQ(j->d.POR_HIT, 33);
    EXPECT_EQ(j->ultimogenerado, 12345);
    EXPECT_EQ(j->ultimoavgenerado, 12345);
    EXPECT_FLOAT_EQ(j->coordCitys[0][1], 2.0f);
    EXPECT_EQ(j->nro_canion, 1);
    EXPECT_EQ(j->x, 2.0f);
    EXPECT_EQ(j->y, 0.0f);
    EXPECT_FLOAT_EQ(j->z, 2.025f);
    EXPECT_EQ(j->zoom, 1.0f);
    EXPECT_TRUE(j->texturas);
    EXPECT_TRUE(j->luz);
    EXPECT_FALSE(j->wireframe || j->pausa || j->config || j->fin || j->hayavion);
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(j->vidaCitys[i], 100);
    }
}

TEST(PartidaPerdida, OnlyAllThreeCitiesDownEndTheGame) {
    auto j = std::make_unique<Juego>();
    iniciarJuego(*j, dificultad{}, 0);
    j->puntaje = 70;
    j->cantmisiles = 9;
    j->cantvivos = 2;
    j->vidaCitys[0] = 0;
    j->vidaCitys[1] = -30;
    pruebaPartidaPerdida(*j);
    EXPECT_FALSE(j->pausa);
    EXPECT_EQ(j->puntaje, 70);
    j->vidaCitys[2] = 1;
    pruebaPartidaPerdida(*j);
    EXPECT_FALSE(j->pausa) << "one health point left keeps the game on";
}

TEST(PartidaPerdida, ResetsTheWorldButKeepsPlaneCameraAndSettings) {
    auto j = std::make_unique<Juego>();
    iniciarJuego(*j, dificultad{}, 500);
    j->puntaje = 70;
    j->cantmisiles = 9;
    j->cantvivos = 2;
    j->hayavion = true;
    j->nro_canion = 3;
    j->zoom = 1.44f;
    j->wireframe = true;
    j->verdeluz = 0.3f;
    j->vidaCitys[0] = 0;
    j->vidaCitys[1] = -5;
    j->vidaCitys[2] = -20;
    pruebaPartidaPerdida(*j);
    EXPECT_TRUE(j->pausa);
    EXPECT_FALSE(j->start);
    EXPECT_EQ(j->puntaje, 0);
    EXPECT_EQ(j->cantmisiles, 0);
    EXPECT_EQ(j->cantvivos, 0);
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(j->vidaCitys[i], 100);
    }
    EXPECT_TRUE(j->hayavion);
    EXPECT_EQ(j->nro_canion, 3);
    EXPECT_EQ(j->zoom, 1.44f);
    EXPECT_TRUE(j->wireframe);
    EXPECT_FLOAT_EQ(j->verdeluz, 0.3f);
    EXPECT_EQ(j->ultimogenerado, 500);
    // The next frame plays on from the pause screen.
    pruebaPartidaPerdida(*j);
    EXPECT_TRUE(j->pausa);
    EXPECT_EQ(j->vidaCitys[0], 100);
}

// Any time on the pause or configuration screens is taken out of the world's clocks: a missile in
// the air, the plane and the next launches resume where they stood in the last game frame.
TEST(Pausa, TheWorldResumesWhereItStood) {
    auto j = std::make_unique<Juego>();
    dificultad d;
    iniciarJuego(*j, d, 1000);
    relojFijar(1000);
    misil(d, 3.0f, 0.5f, 1.25f, 0, 1, 0, j->buffmisiles, j->cantmisiles, j->cantvivos);
    j->cantmisiles = 1;
    avion(d, 3.0f, 0.5f, 0.5f, 2.5f, 1.5f, 2.0f, j->av, j->canthitrest);
    j->hayavion = true;
    j->buffmisiles[1].explotando = true;
    j->buffmisiles[1].t0 = 1000;

    auto frame = [&](long t) {
        relojFijar(t);
        reanudarRelojes(*j, t);
        jugarCuadro(*j);
    };
    frame(2000);
    const Misil antes = j->buffmisiles[0];
    const Avion avionAntes = j->av;
    ASSERT_TRUE(antes.vivo);

    // A minute on the pause screen, then on the configuration screen.
    for (long t = 2016; t < 62000; t += 16) {
        relojFijar(t);
        detenerRelojes(*j);
    }
    frame(62000);
    const Misil& despues = j->buffmisiles[0];
    EXPECT_TRUE(despues.vivo);
    EXPECT_FLOAT_EQ(despues.xActual, antes.xActual);
    EXPECT_FLOAT_EQ(despues.zActual, antes.zActual);
    EXPECT_TRUE(j->hayavion) << "the plane has not left: it flew 1 s of its 10";
    EXPECT_FLOAT_EQ(j->av.xActual, avionAntes.xActual);
    EXPECT_EQ(j->cantmisiles, 1) << "no launch falls due during the pause";
    EXPECT_EQ(j->ultimogenerado, 61000);
    EXPECT_EQ(j->ultimoavgenerado, 61000);
    EXPECT_EQ(j->buffmisiles[1].t0, 1000) << "a burst counts frames, not time";

    // And play goes on from there at the same pace.
    frame(62500);
    EXPECT_GT(j->buffmisiles[0].zActual, antes.zActual);
    EXPECT_TRUE(j->hayavion);
}

// Without a menu screen in between, nothing moves the clocks.
TEST(Pausa, GameFramesAloneLeaveTheClocksAlone) {
    auto j = std::make_unique<Juego>();
    iniciarJuego(*j, dificultad{}, 100);
    j->buffmisiles[0].vivo = true;
    j->buffmisiles[0].t0 = 100;
    reanudarRelojes(*j, 5000);
    reanudarRelojes(*j, 9000);
    EXPECT_EQ(j->buffmisiles[0].t0, 100);
    EXPECT_EQ(j->ultimogenerado, 100);
    EXPECT_EQ(j->ultimoCuadro, 9000);
}

// The record of a frame tells what the rules did in it: a strike on a standing city, the city that
// falls with it, and the game lost when it was the last one.
TEST(Cuadro, ReportsStrikesFallenCitiesAndTheLostGame) {
    auto j = std::make_unique<Juego>();
    dificultad d;
    d.POR_HIT = 30;
    iniciarJuego(*j, d, 0);
    relojFijar(0);
    // A missile standing on each city, launched this instant; no launch is due yet.
    for (int i = 0; i < 3; i++) {
        Misil& m = j->buffmisiles[i];
        m = Misil{};
        m.xInicial = m.xFinal = j->coordCitys[i][0];
        m.yInicial = m.yFinal = j->coordCitys[i][1];
        m.vivo = true;
        m.explosionesrestantes = EXPLOSIONES_MISIL;
    }
    j->cantmisiles = 3;
    j->cantvivos = 3;
    j->vidaCitys[0] = 10;
    j->vidaCitys[1] = 0; // already down: struck again, but it does not fall twice
    j->vidaCitys[2] = 40;
    Sucesos s = jugarCuadro(*j);
    EXPECT_FALSE(s.misilLanzado);
    EXPECT_FALSE(s.avionLanzado);
    EXPECT_EQ(s.ciudadesGolpeadas, 3);
    EXPECT_EQ(s.ciudadesCaidas, 1);
    EXPECT_TRUE(s.ciudadCaida[0] && !s.ciudadCaida[1] && !s.ciudadCaida[2]) << "which fell";
    // Each missile that struck, where it was: on its city.
    ASSERT_EQ(s.golpes.size(), 3u);
    for (int i = 0; i < 3; i++) {
        EXPECT_FLOAT_EQ(s.golpes[i].x, j->coordCitys[i][0]) << i;
        EXPECT_FLOAT_EQ(s.golpes[i].y, j->coordCitys[i][1]) << i;
    }
    EXPECT_FALSE(s.partidaPerdida) << "city 3 stands at 10";

    j->buffmisiles[2].vivo = true;
    j->buffmisiles[2].explotando = false;
    s = jugarCuadro(*j);
    EXPECT_EQ(s.ciudadesGolpeadas, 1);
    EXPECT_EQ(s.ciudadesCaidas, 1);
    EXPECT_TRUE(s.ciudadCaida[2] && !s.ciudadCaida[0]) << "a city falls once";
    EXPECT_EQ(s.golpes.size(), 1u) << "bursts from before are not struck again";
    EXPECT_TRUE(s.partidaPerdida);
    relojSoltar();
}

// Drawing steps each burst once a frame and clears a hit the plane's armour took, asking for the
// moment's stall once.
TEST(Cuadro, DrawingStepsBurstsAndTheHitPause) {
    auto j = std::make_unique<Juego>();
    j->cantmisiles = 1;
    j->buffmisiles[0].explotando = true;
    j->buffmisiles[0].explosionesrestantes = 1;
    j->av.vivo = true;
    j->hitavion = true;
    EXPECT_TRUE(avanzarAlDibujar(*j));
    EXPECT_FALSE(j->hitavion);
    EXPECT_FALSE(avanzarAlDibujar(*j)) << "one stall per hit";
    EXPECT_TRUE(j->buffmisiles[0].explotando) << "two frames drawn, at 1 and at 0";
    avanzarAlDibujar(*j);
    EXPECT_FALSE(j->buffmisiles[0].explotando);

    // The plane's ball grows as its frames run out and ends after the last.
    j->av.vivo = false;
    j->av.explotando = true;
    j->av.explosionesrestantes = 2;
    avanzarAlDibujar(*j);
    EXPECT_FLOAT_EQ(radioBolaAvion(j->av), 0.075f);
    avanzarAlDibujar(*j);
    EXPECT_FLOAT_EQ(radioBolaAvion(j->av), 0.15f);
    EXPECT_TRUE(j->av.explotando);
    avanzarAlDibujar(*j);
    EXPECT_FALSE(j->av.explotando);
}

// The frame's record gathers the rules step and every shot: the places add up, a city fallen in
// either stays fallen, and where a shot hit the plane wins over where it flew.
TEST(Cuadro, ARecordGathersThePlacesOfItsSteps) {
    Sucesos paso;
    paso.golpes.push_back({1.0f, 2.0f, 0.0f});
    paso.ciudadCaida[1] = true;
    paso.avion = {0.5f, 0.5f, -2.0f};
    Sucesos tiro;
    tiro.disparos = 1;
    tiro.derribos.push_back({-1.0f, 0.0f, -1.0f});
    Sucesos sinAvion = paso;
    sumarSucesos(sinAvion, tiro);
    EXPECT_FLOAT_EQ(sinAvion.avion.x, 0.5f) << "a shot that missed the plane leaves its place";
    tiro.avionGolpeado = true;
    tiro.avion = {0.7f, 0.5f, -2.0f};
    sumarSucesos(paso, tiro);
    sumarSucesos(paso, tiro);
    EXPECT_EQ(paso.disparos, 2);
    EXPECT_EQ(paso.golpes.size(), 1u);
    EXPECT_EQ(paso.derribos.size(), 2u);
    EXPECT_TRUE(paso.ciudadCaida[1] && !paso.ciudadCaida[0] && !paso.ciudadCaida[2]);
    EXPECT_FLOAT_EQ(paso.avion.x, 0.7f);
}

} // namespace
