// Tests of the world objects: city health, tower ammunition, projectile flight.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <memory>

#include "ciudad.h"
#include "proyectil.h"
#include "torre.h"

using namespace torvane;

TEST(Ciudad, HealthGoesBelowZeroWithoutSwitchingTheCityOff) {
    Ciudad c(1, 2, 3, 2);
    c.decrementarSalud(3);
    EXPECT_EQ(c.getSalud(), -1);
    EXPECT_TRUE(c.getActivo());
    c.desactivar();
    EXPECT_FALSE(c.getActivo());
    EXPECT_EQ(c.getX(), 1.0f);
    EXPECT_EQ(c.getY(), 2.0f);
    EXPECT_EQ(c.getZ(), 3.0f);
}

TEST(Ciudad, TotalHealthStaysWhileCurrentHealthFalls) {
    Ciudad c(0, 0, 0, 10);
    EXPECT_EQ(c.getSaludTot(), 10);
    EXPECT_EQ(c.getSalud(), 10);
    c.decrementarSalud(3);
    c.decrementarSalud(3);
    EXPECT_EQ(c.getSalud(), 4);
    EXPECT_EQ(c.getSaludTot(), 10);
}

TEST(Ciudad, EndlessStrikesOnARuinNeverOverflow) {
    Ciudad c(0, 0, 0, INT_MIN + 2);
    c.decrementarSalud(3);
    c.decrementarSalud(3);
    EXPECT_EQ(c.getSalud(), INT_MIN);
}

TEST(Torre, ShotsGoBelowZeroAndARefillRestoresTheStart) {
    Torre t(new CCamera(), 0);
    t.disparar();
    EXPECT_EQ(t.getMunicion(), -1);
    t.reestablecerMunicion();
    EXPECT_EQ(t.getMunicion(), 0);

    Torre llena(new CCamera(), 25);
    for (int i = 0; i < 5; ++i) {
        llena.disparar();
    }
    EXPECT_EQ(llena.getMunicion(), 20);
    llena.reestablecerMunicion();
    EXPECT_EQ(llena.getMunicion(), 25);
}

// The sanitizer build reports a leak if deleting the tower does not delete its camera.
TEST(Torre, OwnsItsCamera) {
    CCamera* camara = new CCamera();
    camara->Move(F3dVector(1, 2, 3));
    auto t = std::make_unique<Torre>(camara, 5);
    EXPECT_EQ(t->getCamara(), camara);
    EXPECT_EQ(t->getCamara()->getPosition().y, 2.0f);
}

TEST(Proyectil, DirectionIsNormalisedAndTheStepIsTheDistance) {
    obj_type_ptr modelo = reinterpret_cast<obj_type_ptr>(0x1000);
    Proyectil p(modelo, 0, 0, 0, 0, 3, 4);
    EXPECT_TRUE(p.getActivo());
    EXPECT_EQ(p.getModelo(), modelo);
    p.recalcularPosicion(2.5f);
    EXPECT_FLOAT_EQ(p.getX(), 0.0f);
    EXPECT_FLOAT_EQ(p.getY(), 1.5f);
    EXPECT_FLOAT_EQ(p.getZ(), 2.0f);
    p.desactivar();
    EXPECT_FALSE(p.getActivo());
}

TEST(Proyectil, TinyAndHugeDirectionsStillGiveAUnitStep) {
    Proyectil chico(nullptr, 5, 5, 5, 1e-30f, 0, -1e-30f);
    chico.recalcularPosicion(std::sqrt(2.0f));
    EXPECT_FLOAT_EQ(chico.getX(), 6.0f);
    EXPECT_FLOAT_EQ(chico.getZ(), 4.0f);

    Proyectil grande(nullptr, 0, 0, 0, 3e38f, 3e38f, 0);
    grande.recalcularPosicion(std::sqrt(2.0f));
    EXPECT_FLOAT_EQ(grande.getX(), 1.0f);
    EXPECT_FLOAT_EQ(grande.getY(), 1.0f);
    EXPECT_TRUE(grande.getActivo());
}

TEST(Proyectil, WithoutADirectionItStaysGroundedAndNeverNan) {
    for (const auto& d :
         {std::array<float, 3>{0, 0, 0}, {-0.0f, 0, 0}, {INFINITY, 0, 0}, {NAN, 1, 0}}) {
        Proyectil p(nullptr, 1, 2, 3, d[0], d[1], d[2]);
        EXPECT_FALSE(p.getActivo());
        for (int i = 0; i < 3; ++i) {
            p.recalcularPosicion(2.5f);
        }
        EXPECT_EQ(p.getX(), 1.0f);
        EXPECT_EQ(p.getY(), 2.0f);
        EXPECT_EQ(p.getZ(), 3.0f);
    }
}
