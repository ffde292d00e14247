// Tests of the missile rules with the clock held still: schedule, flight, strikes, bursts, slots.
#include "mira.h"
#include "juego.h"
#include "misiles.h"

#include "azar.h"
#include "reloj.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

using namespace fenwar;

namespace {

struct World {
    std::unique_ptr<Juego> juego = std::make_unique<Juego>();
    dificultad& d = juego->d;
    float (&cities)[10][3] = juego->coordCitys;
    int (&health)[3] = juego->vidaCitys;
    Misil (&slots)[MAX_MISILES] = juego->buffmisiles;
    int& used = juego->cantmisiles;
    int& alive = juego->cantvivos;
    long& last = juego->ultimogenerado;
    unsigned frames = 0;

    World() {
        const float centres[3][3] = {{0, 1, 0}, {-0.866f, -1, 0}, {0.866f, -1, 0}};
        for (int i = 0; i < 3; i++)
            for (int k = 0; k < 3; k++)
                cities[i][k] = centres[i][k];
    }

    // Each launch reseeds from the time of day and the last draw, which within one second can
    // cycle; stirring the generator stands for the seconds passing between frames.
    bool spawn() {
        sembrarAzar(static_cast<unsigned>(++frames) * 2654435761u);
        return generarMisiles(*juego);
    }
    int move() { return calcularmisiles(*juego); }
};

class MissileTest : public testing::Test {
  protected:
    void TearDown() override { relojSoltar(); }
};

// A missile falling straight down from 3 units above (x, y) at 1 unit per second.
Misil straightDown(float x, float y, long t0) {
    Misil m{};
    m.xInicial = m.xFinal = m.xActual = x;
    m.yInicial = m.yFinal = m.yActual = y;
    m.zInicial = m.zActual = -3;
    m.zFinal = 0;
    m.velocx = m.velocy = m.velocz = 1;
    m.t0 = t0;
    m.vivo = true;
    m.explosionesrestantes = EXPLOSIONES_MISIL;
    return m;
}

int flying(const World& w) {
    int n = 0;
    for (const Misil& m : w.slots)
        n += m.vivo ? 1 : 0;
    return n;
}

} // namespace

TEST_F(MissileTest, NewMissileRangesAndSpeed) {
    relojFijar(5000);
    for (int k = 0; k < 200; k++) {
        Misil m = getMisil(3.0f, 0.5f, 1.25f, 1, 2, 0, 7);
        EXPECT_LE(std::fabs(m.xInicial - 1), 1.25f);
        EXPECT_LE(std::fabs(m.yInicial - 2), 1.25f);
        EXPECT_FLOAT_EQ(m.zInicial, -3.0f);
        EXPECT_LE(std::fabs(m.xFinal - 1), 0.5f);
        EXPECT_LE(std::fabs(m.yFinal - 2), 0.5f);
        EXPECT_FLOAT_EQ(m.zFinal, 0.0f);
        EXPECT_GE(m.velocx, 0.5f);
        EXPECT_LE(m.velocx, 0.6f);
        EXPECT_EQ(m.velocx, m.velocz);
        EXPECT_EQ(m.t0, 5000);
        EXPECT_TRUE(m.vivo);
        EXPECT_FALSE(m.explotando);
        EXPECT_EQ(m.explosionesrestantes, 25);
        EXPECT_EQ(m.xActual, m.xInicial);
        // All particles share one pair of speeds.
        EXPECT_LE(std::fabs(m.x_particleSpeed[0]), 0.02f);
        EXPECT_GE(m.y_particleSpeed[0], 0.0f);
        EXPECT_LE(m.y_particleSpeed[0], 0.04f);
        EXPECT_EQ(m.x_particleSpeed[49], m.x_particleSpeed[0]);
        EXPECT_EQ(m.y_particle[49], 0.0f);
    }
    float fast = getMisil(3, 0.5f, 1.25f, 0, 0, 0, 12).velocx;
    EXPECT_GE(fast, 1.0f);
    EXPECT_LE(fast, 1.2f);
}

// Below difficulty 5 the whole-number speed factor would be 0: missiles would hang at their
// launch points for ever, and no city could fall. They fly at the speed of difficulty 5 and only
// launch less often.
TEST_F(MissileTest, SlowDifficultiesFlyAtTheSpeedOfFive) {
    relojFijar(0);
    for (int nivel = 1; nivel <= 5; nivel++) {
        const float v = getMisil(3, 0.5f, 1.25f, 0, 0, 0, nivel).velocx;
        EXPECT_GE(v, 0.5f) << "difficulty " << nivel;
        EXPECT_LE(v, 0.6f) << "difficulty " << nivel;
    }
    EXPECT_EQ(factorVelocidad(1), 1);
    EXPECT_EQ(factorVelocidad(9), 1);
    EXPECT_EQ(factorVelocidad(10), 2);

    // At difficulty 1 a missile is launched after more than 10 s and strikes its city within
    // the 3 / 0.5 = 6 s that 3 units of fall take at the slowest speed.
    World w;
    w.d.DIFICULTAD = 1;
    for (long t = 0; t <= 10000; t += 100) {
        relojFijar(t);
        w.spawn();
    }
    EXPECT_EQ(w.used, 0);
    long t = 10100;
    while (w.used == 0 && t < 20000) {
        relojFijar(t += 16);
        w.spawn();
    }
    ASSERT_EQ(w.used, 1);
    const long lanzado = t;
    while (w.slots[0].vivo && t < lanzado + 8000) {
        relojFijar(t += 16);
        w.move();
    }
    EXPECT_FALSE(w.slots[0].vivo);
    EXPECT_TRUE(w.slots[0].explotando);
    EXPECT_LT(w.health[0] + w.health[1] + w.health[2], 300);
}

TEST_F(MissileTest, LaunchWaitsForTheWholeSecondInterval) {
    World w;
    w.d.DIFICULTAD = 3;
    relojFijar(1000);
    w.last = 1000;
    relojFijar(4000); // exactly 3 s: not yet
    for (int k = 0; k < 50; k++)
        w.spawn();
    EXPECT_EQ(w.used, 0);
    EXPECT_EQ(w.last, 1000);

    // Past the interval, frames without a launch (a draw of r >= 2) leave the clock alone, so the
    // next frame tries again at once.
    relojFijar(4001);
    int frames = 0;
    while (w.used == 0 && frames < 200) {
        EXPECT_EQ(w.last, 1000);
        w.spawn();
        frames++;
    }
    ASSERT_EQ(w.used, 1);
    EXPECT_EQ(w.last, 4001);
    EXPECT_EQ(w.alive, 1);
    w.spawn();
    EXPECT_EQ(w.used, 1);
}

TEST_F(MissileTest, NoLaunchTowardsDestroyedCities) {
    World w;
    w.d.DIFICULTAD = 11;
    w.health[0] = 0;
    w.health[1] = -20;
    w.health[2] = 0;
    relojFijar(10000);
    for (int k = 0; k < 300; k++)
        w.spawn();
    EXPECT_EQ(w.used, 0);
    EXPECT_EQ(w.last, 0);

    // Only city 2 alive: every missile is aimed at it.
    w.health[2] = 5;
    for (int k = 0; k < 300; k++) {
        relojFijar(20000 + k);
        w.spawn();
    }
    ASSERT_GT(w.used, 0);
    for (int i = 0; i < w.used; i++) {
        EXPECT_LE(std::fabs(w.slots[i].xFinal - w.cities[2][0]), w.d.RAD_CITY + 1e-5f);
        EXPECT_LE(std::fabs(w.slots[i].yFinal - w.cities[2][1]), w.d.RAD_CITY + 1e-5f);
    }
}

TEST_F(MissileTest, FlightFollowsTheClockAndBelowGroundEndsSilently) {
    World w;
    w.slots[0] = straightDown(5, 5, 1000);
    w.used = w.alive = 1;
    relojFijar(2000);
    w.move();
    EXPECT_FLOAT_EQ(w.slots[0].zActual, -2.0f);
    relojFijar(4500); // the missile goes on past its aim point
    w.move();
    EXPECT_FLOAT_EQ(w.slots[0].zActual, 0.5f);
    EXPECT_TRUE(w.slots[0].vivo);
    w.move(); // below the ground at the previous update: finished, no burst
    EXPECT_FALSE(w.slots[0].vivo);
    EXPECT_FALSE(w.slots[0].explotando);
    EXPECT_EQ(w.alive, 0);
    EXPECT_EQ(w.health[0] + w.health[1] + w.health[2], 300);
}

TEST_F(MissileTest, StrikesDamageEveryCityWithinReach) {
    World w;
    w.d.POR_HIT = 30;
    w.d.RAD_CITY = 0.5f;
    w.slots[0] = straightDown(0, 1, 0);
    // Between two overlapping cities.
    w.cities[1][0] = 0.6f;
    w.cities[1][1] = 1;
    w.health[1] = -10; // destroyed cities are still hit
    w.slots[1] = straightDown(0.3f, 1, 0);
    w.used = w.alive = 2;
    relojFijar(2500); // 0.5 above the ground
    w.move();
    EXPECT_FALSE(w.slots[0].vivo);
    EXPECT_TRUE(w.slots[0].explotando);
    EXPECT_FALSE(w.slots[1].vivo);
    EXPECT_EQ(w.health[0], 100 - 60);
    EXPECT_EQ(w.health[1], -10 - 30);
    EXPECT_EQ(w.health[2], 100);
    // One missile is one death, however many cities it reaches.
    EXPECT_EQ(w.alive, 0);

    // Health never wraps around.
    w.d.POR_HIT = 2147483647;
    w.health[0] = -100;
    w.slots[0] = straightDown(0, 1, 0);
    w.slots[1] = Misil{};
    w.alive = 1;
    w.move();
    EXPECT_EQ(w.health[0], -2147483647 - 1);
}

TEST_F(MissileTest, BurstLastsTwentySixFrames) {
    Misil m = straightDown(0, 0, 0);
    m.vivo = false;
    m.explotando = true;
    m.x_particleSpeed[3] = 0.01f;
    m.y_particleSpeed[3] = 0.02f;
    int frames = 0;
    while (pasoExplosion(m))
        frames++;
    EXPECT_EQ(frames, 26);
    EXPECT_FALSE(m.explotando);
    EXPECT_EQ(m.explosionesrestantes, -1);
    // Vertical travel is steady, horizontal speed decays.
    EXPECT_NEAR(m.y_particle[3], 26 * 0.02f, 1e-5f);
    EXPECT_NEAR(m.x_particleSpeed[3], 0.01f * std::pow(0.99f, 26), 1e-7f);

    m.explotando = true;
    m.explosionesrestantes = 0; // one last frame, then over
    EXPECT_TRUE(pasoExplosion(m));
    EXPECT_EQ(m.explosionesrestantes, -1);
    EXPECT_TRUE(m.explotando);
    EXPECT_FALSE(pasoExplosion(m));

    float off[3];
    m.x_particle[0] = 0.1f;
    m.y_particle[0] = 0.5f;
    desplazamientoParticula(m, 0, off); // particle 0 is thrown 50 times its travel
    EXPECT_NEAR(off[0], 5.0f, 1e-5f);
    EXPECT_NEAR(off[2], 0.01f, 1e-6f);
}

TEST_F(MissileTest, FullBufferReusesFinishedSlotsOnly) {
    Misil slots[MAX_MISILES] = {};
    EXPECT_EQ(slotLibre(slots, 0), 0);
    EXPECT_EQ(slotLibre(slots, 57), 57);
    for (Misil& m : slots)
        m.vivo = true;
    EXPECT_EQ(slotLibre(slots, MAX_MISILES), -1);
    slots[42].vivo = false;
    slots[42].explotando = true;
    EXPECT_EQ(slotLibre(slots, MAX_MISILES), -1);
    slots[42].explotando = false;
    EXPECT_EQ(slotLibre(slots, MAX_MISILES), 42);

    // A full buffer of flying missiles delays the launch without moving the clock.
    World w;
    for (Misil& m : w.slots)
        m = straightDown(0, 0, 0);
    w.used = w.alive = MAX_MISILES;
    relojFijar(60000);
    for (int k = 0; k < 100; k++)
        w.spawn();
    EXPECT_EQ(w.last, 0);
    EXPECT_EQ(w.alive, MAX_MISILES);
}

TEST_F(MissileTest, TenThousandLaunchesKeepEverySlotInBounds) {
    World w;
    w.d.DIFICULTAD = 11; // a launch may come every frame
    w.d.POR_HIT = 0;
    w.d.PUNTOS_MISIL = 1;
    int score = 0;
    long launches = 0;
    long now = 0;
    for (int frame = 0; frame < 60000 && launches < 10000; frame++) {
        now += 16;
        relojFijar(now);
        long before = w.last;
        w.spawn();
        launches += w.last != before ? 1 : 0;
        w.move();
        ASSERT_LE(w.used, MAX_MISILES);
        // Now and then the player shoots one down.
        if (frame % 7 == 0 && w.slots[frame % MAX_MISILES].vivo)
            hitMisil(w.d, frame % MAX_MISILES, w.slots, w.alive, score, true);
        for (int i = 0; i < w.used; i++) {
            if (!w.slots[i].vivo && w.slots[i].explotando)
                pasoExplosion(w.slots[i]);
        }
        ASSERT_EQ(w.alive, flying(w));
    }
    EXPECT_EQ(launches, 10000);
    EXPECT_EQ(w.used, MAX_MISILES);
    EXPECT_GT(score, 0);
}
