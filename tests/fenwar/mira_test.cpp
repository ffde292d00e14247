// Tests of aiming: the cannon views, the shot line against spheres, and scoring missile hits.
#include "mira.h"

#include <gtest/gtest.h>

using namespace fenwar;

namespace {

float cannons[8] = {0, 2, 2, 0, -2, 0, 0, -2};

} // namespace

TEST(CannonView, CentreAndUpFollowTheTable) {
    Vista v = vistaCanion(0, cannons, 0, 2, 2.025f, 0);
    EXPECT_DOUBLE_EQ(v.ojo[2], -2.025f);
    EXPECT_DOUBLE_EQ(v.centro[1], -7.0);
    EXPECT_DOUBLE_EQ(v.centro[2], -1.0125f);
    EXPECT_DOUBLE_EQ(v.arriba[1], -1.0);
    // Looking far up from cannon 0 is capped one unit behind it.
    EXPECT_DOUBLE_EQ(vistaCanion(0, cannons, 0, 2, 2.025f, -30).centro[1], 1.0);

    v = vistaCanion(1, cannons, 2, 0, 2.025f, -40);
    EXPECT_DOUBLE_EQ(v.centro[0], 1.0);
    EXPECT_DOUBLE_EQ(v.centro[1], 0.0);
    EXPECT_DOUBLE_EQ(v.centro[2], -1.0125f);
    EXPECT_DOUBLE_EQ(v.arriba[1], 1.0);
    EXPECT_DOUBLE_EQ(vistaCanion(1, cannons, 2, 0, 5, 10).centro[1], 2.0);
    EXPECT_DOUBLE_EQ(vistaCanion(1, cannons, 2, 0, 5, 10).centro[2], -1.0125f);

    v = vistaCanion(2, cannons, -2, 0, 2.025f, 40);
    EXPECT_DOUBLE_EQ(v.centro[0], -3.0);
    EXPECT_DOUBLE_EQ(v.centro[1], 0.0);
    EXPECT_DOUBLE_EQ(v.arriba[0], -1.0);
    EXPECT_DOUBLE_EQ(vistaCanion(2, cannons, -2, 0, 2.025f, -400).centro[0], -1.0);

    v = vistaCanion(3, cannons, 0, -2, 2.025f, 0);
    EXPECT_DOUBLE_EQ(v.centro[0], -1.5);
    EXPECT_DOUBLE_EQ(v.centro[1], -1.0);
    EXPECT_DOUBLE_EQ(v.arriba[0], -1.0);
    EXPECT_DOUBLE_EQ(vistaCanion(3, cannons, 0, -2, 2.025f, -20).centro[0], -0.5);
}

TEST(ShotLine, EdgeCasesOfTheSphereTest) {
    // Touching counts: the centre exactly radio away from the line.
    EXPECT_TRUE(isHit(0, 0, 0, 1, 0, 0, 5, 0.5f, 0, 0.5f));
    EXPECT_FALSE(isHit(0, 0, 0, 1, 0, 0, 5, 0.5001f, 0, 0.5f));
    // The line runs both ways from the eye.
    EXPECT_TRUE(isHit(0, 0, 0, 1, 1, 1, -7, -7, -7, 0.2f));
    // Both points equal: no direction, every sphere counts.
    EXPECT_TRUE(isHit(1, 2, 3, 1, 2, 3, 50, -40, 9, 0.2f));
    // A real shot: eye above cannon 1, aimed through a missile far below the far point.
    EXPECT_TRUE(isHit(2, 0, -2.025f, -98, 0, 1, 0, 0, -1.985f, 0.2f));
    EXPECT_FALSE(isHit(2, 0, -2.025f, -98, 0, 1, 0, 1, -1.985f, 0.2f));
    EXPECT_FALSE(isHit(0, 0, 0, 0, 0, 1, 0.3f, 0, 5, 0.2f));
}

TEST(ShotHits, EveryMissileOnTheLineScores) {
    dificultad d;
    d.PUNTOS_MISIL = 7;
    Misil slots[MAX_MISILES] = {};
    for (int i = 0; i < 4; i++) {
        slots[i].vivo = true;
        slots[i].xActual = static_cast<float>(i);
    }
    slots[3].yActual = 5; // off the line
    int alive = 4;
    int score = 0;
    for (int i = 0; i < 4; i++) {
        if (slots[i].vivo &&
            isHit(0, 0, 0, 10, 0, 0, slots[i].xActual, slots[i].yActual, slots[i].zActual, 0.2f))
            hitMisil(d, i, slots, alive, score, true);
    }
    EXPECT_EQ(score, 21);
    EXPECT_EQ(alive, 1);
    EXPECT_TRUE(slots[1].explotando);
    EXPECT_FALSE(slots[1].vivo);
    EXPECT_TRUE(slots[3].vivo);

    // A missile that is not flying, or a slot outside the buffer, changes nothing.
    hitMisil(d, 1, slots, alive, score, true);
    hitMisil(d, -1, slots, alive, score, true);
    hitMisil(d, MAX_MISILES, slots, alive, score, true);
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(score, 21);
    // Without the player, no points.
    hitMisil(d, 3, slots, alive, score, false);
    EXPECT_EQ(score, 21);
    EXPECT_EQ(alive, 0);
}

TEST(ShotHits, ScoreNeverOverflows) {
    int score = 2147483000;
    sumarPuntos(score, 2147483647);
    EXPECT_EQ(score, 2147483647);
    score = -2147483000;
    sumarPuntos(score, -2147483647);
    EXPECT_EQ(score, -2147483647 - 1);
    score = 5;
    sumarPuntos(score, -8);
    EXPECT_EQ(score, -3);
}
