// Play rules: launches, hits and score, city strikes, firing, the travelling view.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "azar.h"
#include "combate.h"
#include "juego_prueba.h"

using namespace torvane;

using prueba::JuegoDePrueba;

namespace {

// Runs play frames (rules only) until `hecho` holds or `maximo` frames have passed.
template <typename Condicion> int jugarHasta(Juego& juego, int maximo, Condicion hecho) {
    int frames = 0;
    while (frames < maximo && !hecho()) {
        comenzarFrame(juego);
        if (juego.estado != Estado::JUGANDO) {
            break;
        }
        jugarFrame(juego);
        ++frames;
    }
    return frames;
}

} // namespace

TEST(Lanzamiento, LevelOneLaunchesExactlyTenNeverMoreThanFiveInFlight) {
    sembrarAzar(1);
    JuegoDePrueba p(1000);
    p.juego.estado = Estado::JUGANDO;
    int maximoEnVuelo = 0;
    jugarHasta(p.juego, 100000, [&] {
        maximoEnVuelo = std::max(maximoEnVuelo, p.juego.tirados);
        return false;
    });
    EXPECT_EQ(p.juego.estado, Estado::PASAR_NIVEL);
    EXPECT_EQ(p.juego.cant_misiles, 10);
    EXPECT_EQ(p.juego.misiles.size(), 10u);
    EXPECT_LE(maximoEnVuelo, MAX_EN_VUELO);
    EXPECT_GE(maximoEnVuelo, 2);
    EXPECT_EQ(p.juego.tirados, 0);
}

TEST(Lanzamiento, LevelsTwoAndThreeLaunchTwentyAndThirty) {
    for (int nivel = 2; nivel <= 3; ++nivel) {
        JuegoDePrueba p(1000);
        p.juego.nivel = nivel;
        empezarNivel(p.juego);
        p.juego.estado = Estado::JUGANDO;
        int maximoEnVuelo = 0;
        jugarHasta(p.juego, 200000, [&] {
            maximoEnVuelo = std::max(maximoEnVuelo, p.juego.tirados);
            return false;
        });
        EXPECT_EQ(p.juego.estado, Estado::PASAR_NIVEL);
        EXPECT_EQ(p.juego.cant_misiles, nivel * 10);
        EXPECT_EQ(maximoEnVuelo, MAX_EN_VUELO); // launches come faster than missiles land
    }
}

TEST(Lanzamiento, TheFrameAfterThreeHundredQuietOnesAlwaysLaunches) {
    JuegoDePrueba p;
    p.juego.vueltas = 300;
    lanzarMisiles(p.juego);
    EXPECT_EQ(p.juego.cant_misiles, 1);
    EXPECT_EQ(p.juego.tirados, 1);
    EXPECT_EQ(p.juego.vueltas, 0);

    // Five in flight hold back even the forced launch.
    JuegoDePrueba lleno;
    for (int i = 0; i < 5; ++i) {
        lleno.misilEn(0, 100, 0, 0, -1, 0);
    }
    lleno.juego.vueltas = 1000;
    lanzarMisiles(lleno.juego);
    EXPECT_EQ(lleno.juego.cant_misiles, 5);
    EXPECT_EQ(lleno.juego.vueltas, 1001);
}

TEST(Lanzamiento, WithoutAForcedLaunchOnlyTheDrawDecides) {
    // Find a seed whose first draw does not launch on level 1, then check nothing is launched.
    unsigned semilla = 1;
    for (;; ++semilla) {
        sembrarAzar(semilla);
        if (azar() % 200 != 5) {
            break;
        }
    }
    JuegoDePrueba p;
    p.juego.vueltas = 299;
    sembrarAzar(semilla);
    lanzarMisiles(p.juego);
    EXPECT_EQ(p.juego.cant_misiles, 0);
    EXPECT_EQ(p.juego.vueltas, 300);
}

TEST(Lanzamiento, StartsHighAboveTheFieldAndAimsOnlyAtLivingCities) {
    JuegoDePrueba p(1000);
    p.ciudad(0).desactivar();
    for (int i = 0; i < 5; ++i) {
        p.juego.vueltas = 300;
        lanzarMisiles(p.juego);
    }
    ASSERT_EQ(p.juego.misiles.size(), 5u);
    for (auto& par : p.juego.misiles) {
        const Proyectil& m = *par.second;
        EXPECT_FLOAT_EQ(m.getY(), 100.0f);
        EXPECT_GE(std::fabs(m.getX()), 10.0f);
        EXPECT_LE(std::fabs(m.getX()), 34.0f);
        EXPECT_GE(std::fabs(m.getZ()), 10.0f);
        EXPECT_LE(std::fabs(m.getZ()), 34.0f);
    }
    for (int frame = 0; frame < 5000 && p.juego.tirados > 0; ++frame) {
        moverMisiles(p.juego);
    }
    EXPECT_EQ(p.juego.tirados, 0);
    EXPECT_EQ(p.ciudad(0).getSalud(), 1000);
    EXPECT_EQ(p.ciudad(1).getSalud(), 1000 - 5 * DANO_MISIL);
}

// A launch that cannot fly (its city stands where no direction reaches) is spent at once: the
// level still counts it and ends instead of waiting for it for ever.
TEST(Lanzamiento, AMissileThatCannotFlyIsSpentAndTheLevelStillEnds) {
    JuegoDePrueba p;
    for (auto& par : p.juego.ciudades[1]) {
        delete par.second;
        par.second = new Ciudad(std::nanf(""), 0.0f, 0.0f, 10);
    }
    p.juego.estado = Estado::JUGANDO;
    for (int frame = 0; frame < 100000 && sigueNivel(p.juego); ++frame) {
        comenzarFrame(p.juego);
        jugarFrame(p.juego);
        EXPECT_EQ(p.juego.tirados, 0);
    }
    EXPECT_EQ(p.juego.cant_misiles, MISILES_POR_NIVEL);
    EXPECT_EQ(p.juego.estado, Estado::PASAR_NIVEL);
}

TEST(Lanzamiento, ALevelWithoutALivingCityLaunchesNothingAndDoesNotHang) {
    JuegoDePrueba p;
    p.ciudad(0).desactivar();
    p.ciudad(1).desactivar();
    p.juego.vueltas = 300;
    lanzarMisiles(p.juego);
    EXPECT_EQ(p.juego.cant_misiles, 0);
}

TEST(Impactos, BulletWithinOneUnitDestroysTheMissileAndScoresTen) {
    JuegoDePrueba p;
    Proyectil& misil = p.misilEn(0, 50, 0, 0, -1, 0);
    Proyectil& bala = p.balaEn(0, 50, 2.5f + 0.9f, 0, 0, -1);
    std::vector<Dibujo> dibujos = moverBalas(p.juego);
    EXPECT_FALSE(bala.getActivo());
    EXPECT_FALSE(misil.getActivo());
    EXPECT_EQ(p.juego.puntaje, 10);
    EXPECT_EQ(p.juego.tirados, 0);
    // Drawn once more where it hit, then never again.
    ASSERT_EQ(dibujos.size(), 1u);
    EXPECT_FLOAT_EQ(dibujos[0].z, 0.9f);
    EXPECT_TRUE(moverBalas(p.juego).empty());
}

TEST(Impactos, OneUnitAwayOrPassingBetweenFramesMisses) {
    JuegoDePrueba p;
    Proyectil& misil = p.misilEn(0, 50, 0, 0, -1, 0);
    p.balaEn(0, 51, 2.5f, 0, 0, -1); // one unit above the missile after its step
    p.balaEn(0, 50, 3.7f, 0, 0, -1); // 1.2 before it, then 1.3 past it
    moverBalas(p.juego);
    moverBalas(p.juego);
    EXPECT_TRUE(misil.getActivo());
    EXPECT_EQ(p.juego.puntaje, 0);
}

TEST(Impactos, ABulletHitsOnlyTheFirstMissileInLaunchOrder) {
    JuegoDePrueba p;
    Proyectil& primero = p.misilEn(0, 50, 0.2f, 0, -1, 0);
    Proyectil& segundo = p.misilEn(0, 50, -0.2f, 0, -1, 0);
    p.balaEn(0, 50, 2.5f, 0, 0, -1);
    moverBalas(p.juego);
    EXPECT_FALSE(primero.getActivo());
    EXPECT_TRUE(segundo.getActivo());
    EXPECT_EQ(p.juego.puntaje, 10);
    EXPECT_EQ(p.juego.tirados, 1);
}

TEST(Impactos, BulletsFlyTwoAndAHalfUnitsWhateverTheSpeedAndStopBelowGround) {
    JuegoDePrueba p;
    p.juego.velocidad = 2.0f;
    Proyectil& bala = p.balaEn(0, 1, 0, 0, -1, 0);
    moverBalas(p.juego);
    EXPECT_FLOAT_EQ(bala.getY(), -1.5f);
    EXPECT_TRUE(moverBalas(p.juego).empty());
    EXPECT_FLOAT_EQ(bala.getY(), -1.5f);
}

TEST(Ciudades, ACityOfTenFallsOnTheFourthStrikeAndItsRuinStillStopsMissiles) {
    JuegoDePrueba p;
    Ciudad& c = p.ciudad(0);
    for (int golpe = 1; golpe <= 5; ++golpe) {
        p.misilEn(c.getX(), 0.5f, c.getZ(), 0, -1, 0);
        moverMisiles(p.juego);
        EXPECT_EQ(c.getSalud(), 10 - 3 * golpe);
        EXPECT_EQ(c.getActivo(), golpe < 4);
        EXPECT_EQ(p.juego.ciudades_vivas, golpe < 4 ? 2 : 1);
        EXPECT_EQ(p.juego.tirados, 0);
        EXPECT_EQ(p.juego.estado, Estado::INICIO);
    }
    EXPECT_EQ(p.juego.puntaje, 0);
}

TEST(Ciudades, TheLastCityFallingEndsTheGame) {
    JuegoDePrueba p(3);
    p.juego.estado = Estado::JUGANDO;
    for (int id = 0; id <= 1; ++id) {
        p.misilEn(p.ciudad(id).getX(), 0.5f, p.ciudad(id).getZ(), 0, -1, 0);
    }
    moverMisiles(p.juego);
    EXPECT_EQ(p.juego.ciudades_vivas, 0);
    EXPECT_EQ(p.juego.estado, Estado::GAME_OVER);
}

TEST(Ciudades, MissileStepFollowsTheSpeedAndOneBelowGroundIsSpentOnce) {
    for (float velocidad : {0.5f, 1.0f, 2.0f}) {
        JuegoDePrueba p;
        p.juego.velocidad = velocidad;
        Proyectil& m = p.misilEn(30, 50, 30, 0, -1, 0);
        moverMisiles(p.juego);
        EXPECT_FLOAT_EQ(m.getY(), 50.0f - 0.15f * velocidad);
    }
    JuegoDePrueba p;
    Proyectil& m = p.misilEn(30, 0.1f, 30, 0, -1, 0);
    EXPECT_EQ(moverMisiles(p.juego).size(), 1u); // moved below the ground, drawn there
    EXPECT_TRUE(m.getActivo());
    EXPECT_TRUE(moverMisiles(p.juego).empty());
    EXPECT_FALSE(m.getActivo());
    EXPECT_EQ(p.juego.tirados, 0);
    moverMisiles(p.juego);
    EXPECT_EQ(p.juego.tirados, 0);
}

// What the frame code plays: each missile shot down where it was, each strike where the missile
// struck, and a city's fall once, where the city stands; a strike on a ruin is no second fall.
TEST(Sucesos, EachHitStrikeAndFallIsToldWhereItHappened) {
    JuegoDePrueba p(3);
    p.misilEn(0, 50, 0, 0, -1, 0);
    p.balaEn(0, 50, 2.5f + 0.9f, 0, 0, -1);
    p.balaEn(20, 50, 0, 0, 0, -1); // flies past everything
    Sucesos derribo;
    moverBalas(p.juego, &derribo);
    ASSERT_EQ(derribo.derribos.size(), 1u);
    EXPECT_FLOAT_EQ(derribo.derribos[0].x, 0.0f);
    EXPECT_FLOAT_EQ(derribo.derribos[0].y, 50.0f);
    EXPECT_FLOAT_EQ(derribo.derribos[0].z, 0.0f);
    EXPECT_TRUE(derribo.impactos.empty());
    EXPECT_TRUE(derribo.caidas.empty());

    Ciudad& c = p.ciudad(0);
    Sucesos golpes;
    for (int golpe = 0; golpe < 2; ++golpe) {
        p.misilEn(c.getX(), 0.5f, c.getZ(), 0, -1, 0);
        moverMisiles(p.juego, &golpes);
    }
    ASSERT_EQ(golpes.impactos.size(), 2u);
    for (const Dibujo& d : golpes.impactos) {
        EXPECT_FLOAT_EQ(d.x, c.getX());
        EXPECT_FLOAT_EQ(d.y, 0.5f - PASO_MISIL);
        EXPECT_FLOAT_EQ(d.z, c.getZ());
    }
    ASSERT_EQ(golpes.caidas.size(), 1u);
    EXPECT_FLOAT_EQ(golpes.caidas[0].x, c.getX());
    EXPECT_FLOAT_EQ(golpes.caidas[0].y, c.getY());
    EXPECT_FLOAT_EQ(golpes.caidas[0].z, c.getZ());
    EXPECT_TRUE(golpes.derribos.empty());

    // A missile falling below the ground far from every city is heard nowhere.
    Sucesos nada;
    p.misilEn(30, 0.1f, 30, 0, -1, 0);
    moverMisiles(p.juego, &nada);
    moverMisiles(p.juego, &nada);
    EXPECT_TRUE(nada.impactos.empty() && nada.caidas.empty() && nada.derribos.empty());
}

TEST(Sucesos, APlayFrameKeepsWhatItsStepsDidAndNothingOfTheFrameBefore) {
    JuegoDePrueba p(3);
    p.juego.estado = Estado::JUGANDO;
    p.misilEn(0, 50, 0, 0, -1, 0);
    p.balaEn(0, 50, 2.5f + 0.9f, 0, 0, -1);
    p.misilEn(p.ciudad(1).getX(), 0.5f, p.ciudad(1).getZ(), 0, -1, 0);
    FramePlay frame = jugarFrame(p.juego);
    EXPECT_EQ(frame.sucesos.derribos.size(), 1u);
    EXPECT_EQ(frame.sucesos.impactos.size(), 1u);
    EXPECT_EQ(frame.sucesos.caidas.size(), 1u);
    FramePlay siguiente = jugarFrame(p.juego);
    EXPECT_TRUE(siguiente.sucesos.derribos.empty());
    EXPECT_TRUE(siguiente.sucesos.impactos.empty());
    EXPECT_TRUE(siguiente.sucesos.caidas.empty());
}

TEST(Disparo, ClickSpendsOneShotAndFiresAlongTheCameraView) {
    JuegoDePrueba p(10, 2);
    p.juego.estado = Estado::JUGANDO;
    p.juego.torres[0]->getCamara()->RotateY(90.0f);
    p.juego.torres[0]->getCamara()->actualizeViewDir();
    EXPECT_EQ(botonApretado(p.juego, BotonRaton::IZQUIERDO, false), Disparo::BALA);
    EXPECT_EQ(p.juego.torres[0]->getMunicion(), 1);
    ASSERT_EQ(p.juego.balas.size(), 1u);
    std::vector<Dibujo> d = moverBalas(p.juego);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_NEAR(d[0].x, -2.5f, 1e-5);
    EXPECT_NEAR(d[0].y, 5.0f, 1e-5);
    EXPECT_NEAR(d[0].z, 45.0f, 1e-5);

    // The last shot, then clicks on an empty tower: they fire nothing and say so (a dry click).
    EXPECT_EQ(disparar(p.juego), Disparo::BALA);
    EXPECT_EQ(disparar(p.juego), Disparo::VACIA);
    EXPECT_EQ(botonApretado(p.juego, BotonRaton::IZQUIERDO, false), Disparo::VACIA);
    EXPECT_EQ(p.juego.torres[0]->getMunicion(), 0);
    EXPECT_EQ(p.juego.balas.size(), 2u);
}

// A new player clicks before ever turning the view: the first shot flies to the screen's centre.
TEST(Disparo, ShotFromANeverTurnedCameraFliesAlongTheFirstView) {
    JuegoDePrueba p;
    p.juego.estado = Estado::JUGANDO;
    disparar(p.juego);
    EXPECT_EQ(p.juego.torres[0]->getMunicion(), 39);
    const Proyectil& bala = *p.juego.balas.at(0);
    EXPECT_TRUE(bala.getActivo());
    std::vector<Dibujo> d = moverBalas(p.juego);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_NEAR(d[0].x, 0.0f, 1e-6);
    EXPECT_FLOAT_EQ(d[0].y, 5.0f);
    EXPECT_FLOAT_EQ(d[0].z, 45.0f - PASO_BALA);
}

// Tower 2 is turned at start-up, but its camera is first drawn only once the travel lands there:
// a shot fired on arrival flies the way the tower faces, towards the field.
TEST(Disparo, ATowerReachedBeforeItsCameraWasDrawnFiresWhereItFaces) {
    JuegoDePrueba p;
    p.juego.estado = Estado::JUGANDO;
    cambiarTorre(p.juego, 2);
    for (int k = 0; k < 1000 && p.juego.moviendo; ++k) {
        avanzarVista(p.juego);
    }
    ASSERT_FALSE(p.juego.moviendo);
    disparar(p.juego);
    const Proyectil& bala = *p.juego.balas.at(0);
    ASSERT_TRUE(bala.getActivo());
    moverBalas(p.juego);
    const float s = PASO_BALA * std::sqrt(0.5f);
    EXPECT_NEAR(bala.getX(), 45.0f - s, 1e-4);
    EXPECT_NEAR(bala.getZ(), -45.0f + s, 1e-4);
}

TEST(Disparo, RightButtonTurnsTheCameraOnlyInPlayAndOnlyWhileHeld) {
    JuegoDePrueba p;
    EXPECT_EQ(botonApretado(p.juego, BotonRaton::DERECHO, true), Disparo::NINGUNO);
    EXPECT_FALSE(p.juego.moverCam);
    p.juego.estado = Estado::JUGANDO;
    EXPECT_EQ(botonApretado(p.juego, BotonRaton::DERECHO, true), Disparo::NINGUNO);
    ASSERT_TRUE(p.juego.moverCam);
    // A left press while the right button is held turns, it does not fire.
    EXPECT_EQ(botonApretado(p.juego, BotonRaton::IZQUIERDO, true), Disparo::NINGUNO);
    EXPECT_EQ(p.juego.torres[0]->getMunicion(), 40);
    // 8 pixels right and 4 up: 2 degrees to the right, 1 degree up.
    ratonMovido(p.juego, 8, -4);
    SF3dVector d = prueba::direccion(*p.juego.torres[0]);
    const double grado = 3.141592653589793 / 180.0;
    EXPECT_NEAR(d.x, std::sin(2 * grado) * std::cos(grado), 1e-6);
    EXPECT_NEAR(d.y, std::sin(grado), 1e-6);
    botonSoltado(p.juego);
    ratonMovido(p.juego, 8, -4);
    SF3dVector igual = prueba::direccion(*p.juego.torres[0]);
    EXPECT_FLOAT_EQ(igual.x, d.x);
    EXPECT_FLOAT_EQ(igual.y, d.y);
    // Outside play nothing fires, and no dry click is heard either.
    p.juego.estado = Estado::PAUSA;
    EXPECT_EQ(botonApretado(p.juego, BotonRaton::IZQUIERDO, false), Disparo::NINGUNO);
    EXPECT_EQ(p.juego.torres[0]->getMunicion(), 40);
}

TEST(Torres, TheViewTravelsToTheNewTowerAndLandsOnIt) {
    JuegoDePrueba p;
    cambiarTorre(p.juego, 0);
    EXPECT_FALSE(p.juego.moviendo);
    cambiarTorre(p.juego, 1);
    ASSERT_TRUE(p.juego.moviendo);
    EXPECT_EQ(p.juego.en_torre, 1);
    cambiarTorre(p.juego, 2); // ignored while travelling
    EXPECT_EQ(p.juego.en_torre, 1);

    Vista primera = avanzarVista(p.juego);
    EXPECT_EQ(primera.tipo, TipoVista::VIAJE);
    EXPECT_FLOAT_EQ(primera.x, 0.0f);
    EXPECT_FLOAT_EQ(primera.z, 45.0f);
    EXPECT_FLOAT_EQ(p.juego.x, -0.25f);
    EXPECT_FLOAT_EQ(p.juego.z, 44.5f);

    // x has 45 units to go at 0.25 a frame: 180 travelling frames, then one with no view.
    int viaje = 1;
    while (avanzarVista(p.juego).tipo == TipoVista::VIAJE) {
        ++viaje;
    }
    EXPECT_EQ(viaje, 180);
    EXPECT_FALSE(p.juego.moviendo);
    EXPECT_EQ(avanzarVista(p.juego).tipo, TipoVista::CAMARA);
}

TEST(Torres, NothingFliesWhileTheViewTravels) {
    JuegoDePrueba p;
    Proyectil& m = p.misilEn(30, 50, 30, 0, -1, 0);
    Proyectil& b = p.balaEn(0, 50, 0, 0, 1, 0);
    cambiarTorre(p.juego, 2);
    EXPECT_TRUE(moverBalas(p.juego).empty());
    EXPECT_TRUE(moverMisiles(p.juego).empty());
    EXPECT_FLOAT_EQ(m.getY(), 50.0f);
    EXPECT_FLOAT_EQ(b.getY(), 50.0f);
    EXPECT_TRUE(m.getActivo());
}
