// Tests of the plane rules with the clock held still: interval, entry, flight, exit and armour.
#include "avion.h"
#include "juego.h"
#include "mira.h"

#include "azar.h"
#include "reloj.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace fenwar;

namespace {

class PlaneTest : public testing::Test {
  protected:
    void TearDown() override { relojSoltar(); }
    std::unique_ptr<Juego> juego = std::make_unique<Juego>();
    dificultad& d = juego->d;
    Avion& av = juego->av;
    int& armour = juego->canthitrest;
    bool& present = juego->hayavion;
    long& last = juego->ultimoavgenerado;
    float (&entry)[3] = juego->coordavion;
    unsigned frames = 0;
    // Stirs the generator between launches, as the seconds passing between them do.
    void spawn() {
        sembrarAzar(static_cast<unsigned>(++frames) * 2654435761u);
        generarAviones(*juego);
    }
};

} // namespace

TEST_F(PlaneTest, IntervalShrinksWithTheLevel) {
    const int expected[][2] = {{1, 150}, {2, 75}, {3, 45},  {4, 30},
                               {5, 30},  {6, 15}, {10, 15}, {11, 0}};
    for (const auto& e : expected) {
        d.DIFICULTAD = e[0];
        EXPECT_EQ(intervaloAvion(d), e[1]) << e[0];
    }
    d.DIFICULTAD = 0; // never divides by zero
    EXPECT_EQ(intervaloAvion(d), 30);
}

TEST_F(PlaneTest, LaunchAfterTheIntervalWhenNoPlaneIsPresent) {
    d.DIFICULTAD = 6;
    d.CANT_HIT_AVION = 3;
    relojFijar(15000);
    spawn();
    EXPECT_FALSE(present);
    relojFijar(15001);
    spawn();
    ASSERT_TRUE(present);
    EXPECT_EQ(last, 15001);
    EXPECT_EQ(armour, 3);
    EXPECT_EQ(av.canthitrest, 3);
    EXPECT_TRUE(av.vivo);
    EXPECT_EQ(av.explosionesrestantes, 25);
    EXPECT_FLOAT_EQ(std::fabs(av.xInicial), 2.5f);
    EXPECT_FLOAT_EQ(av.yInicial, 1.5f);
    EXPECT_FLOAT_EQ(av.zInicial, -2.0f);
    EXPECT_FLOAT_EQ(av.xFinal, -av.xInicial);
    EXPECT_FLOAT_EQ(av.yFinal, -1.5f);
    EXPECT_GE(av.zFinal, -2.5f);
    EXPECT_LE(av.zFinal, -1.5f);
    EXPECT_GE(av.velocx, 0.5f);
    EXPECT_LE(av.velocx, 0.6f);

    // No second plane while one flies, whatever the time.
    Avion first = av;
    relojFijar(100000);
    spawn();
    EXPECT_EQ(av.t0, first.t0);
    EXPECT_EQ(last, 15001);
}

TEST_F(PlaneTest, MostPlanesEnterFromTheLeft) {
    d.DIFICULTAD = 11;
    int left = 0;
    for (int k = 0; k < 400; k++) {
        present = false;
        relojFijar(1000 + k);
        spawn();
        left += av.xInicial < 0 ? 1 : 0;
    }
    EXPECT_GT(left, 200);
    EXPECT_LT(left, 400);
}

TEST_F(PlaneTest, FlightAndTenSecondExit) {
    av = getAvion(3.0f, 0.5f, 0.5f, -3, 4, 2, 2, 5);
    av.velocx = av.velocy = av.velocz = 1;
    av.zFinal = av.zInicial; // level flight from (-3, 4) to (3, -4): direction (0.6, -0.8)
    armour = 2;
    present = true;
    relojFijar(av.t0 + 5000);
    calcularavion(*juego);
    EXPECT_NEAR(av.xActual, 0.0f, 1e-5f);
    EXPECT_NEAR(av.yActual, 0.0f, 1e-5f);
    EXPECT_FLOAT_EQ(av.zActual, -2.0f);
    relojFijar(av.t0 + 9999);
    calcularavion(*juego);
    EXPECT_TRUE(av.vivo);
    EXPECT_NEAR(av.xActual, 0.6f * 9.999f - 3, 1e-4f);

    relojFijar(av.t0 + 10000);
    calcularavion(*juego);
    EXPECT_FALSE(av.vivo);
    EXPECT_FALSE(av.explotando);
    EXPECT_FALSE(present);
    EXPECT_EQ(armour, 0);

    // A plane that is not flying is left alone.
    float x = av.xActual;
    present = true;
    relojFijar(av.t0 + 20000);
    calcularavion(*juego);
    EXPECT_EQ(av.xActual, x);
    EXPECT_TRUE(present);
}

// A hovering plane would make the slow levels unwinnable: it flies at the speed of level 5.
TEST_F(PlaneTest, SlowLevelsFlyAcrossAtTheSpeedOfFive) {
    for (int nivel = 1; nivel <= 4; nivel++) {
        relojFijar(0);
        av = getAvion(3.0f, 0.5f, 0.5f, 2.5f, 1.5f, 2.0f, 0, nivel);
        EXPECT_GE(av.velocx, 0.5f) << "level " << nivel;
        EXPECT_LE(av.velocx, 0.6f) << "level " << nivel;
        present = true;
        relojFijar(7000);
        calcularavion(*juego);
        EXPECT_LT(av.xActual, 2.5f - 7 * 0.5f * 0.5f) << "level " << nivel;
    }
}

TEST_F(PlaneTest, ArmourAbsorbsHitsThenThePlaneFallsAndScores) {
    d.PUNTOS_AVION = 50;
    int score = 0;
    av.vivo = true;
    armour = 0;
    hitAvion(d, av, armour, score);
    EXPECT_FALSE(av.vivo);
    EXPECT_TRUE(av.explotando);
    EXPECT_EQ(score, 50);

    av.vivo = true;
    av.explotando = false;
    armour = 3;
    score = 0;
    for (int hit = 1; hit <= 3; hit++) {
        hitAvion(d, av, armour, score);
        EXPECT_TRUE(av.vivo) << hit;
        EXPECT_EQ(score, 0);
    }
    hitAvion(d, av, armour, score);
    EXPECT_FALSE(av.vivo);
    EXPECT_EQ(score, 50);
}

TEST_F(PlaneTest, RedBallGrowsForTwentyFiveFrames) {
    av.explotando = true;
    av.explosionesrestantes = 25;
    float radius = 0;
    std::vector<float> radii;
    while (pasoExplosionAvion(av, radius))
        radii.push_back(radius);
    ASSERT_EQ(radii.size(), 25u);
    EXPECT_FLOAT_EQ(radii.front(), 0.006f);
    EXPECT_FLOAT_EQ(radii.back(), 0.15f);
    EXPECT_FALSE(av.explotando);
}
