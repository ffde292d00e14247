// Start values of a run, the city placement and the reset after a lost game.
#include "juego.h"

#include <gtest/gtest.h>

#include <memory>

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

} // namespace
