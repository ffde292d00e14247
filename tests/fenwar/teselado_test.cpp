// Geometry of the primitives and scenery: vertex counts, coordinates and call order.
#include "grabadora.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const double PI = 3.141592653589793;

TEST(Disco, HasOneVertexEveryTwoDegreesAndNoneAt360) {
    Grabadora g;
    teselado::circulo(g, 30.0f);
    auto vs = g.de("vertex");
    ASSERT_EQ(vs.size(), 180u);
    EXPECT_EQ(vs[0].componentes, 2);
    EXPECT_FLOAT_EQ(vs[0].v[0], 30.0f);
    EXPECT_NEAR(vs[0].v[1], 0.0, 1e-6);
    // 358 degrees is the last: the first vertex is not repeated.
    EXPECT_NEAR(vs[179].v[0], 30.0 * std::cos(358 * 0.017453333333333335), 1e-4);
    EXPECT_NEAR(vs[179].v[1], 30.0 * std::sin(358 * 0.017453333333333335), 1e-4);
    EXPECT_LT(vs[179].v[1], -1.0);
    EXPECT_TRUE(g.de("normal").empty()) << "the disc uses the current normal";
    auto ts = g.de("tex");
    ASSERT_EQ(ts.size(), 180u);
    EXPECT_FLOAT_EQ(ts[0].v[0], 0.05f * 30.0f);
    EXPECT_EQ(g.estructura(), (std::vector<std::string>{"begin", "end"}));
}

TEST(Cilindro, EmitsTwoVerticesPerColumnAndFillsTheRing) {
    Grabadora g;
    const int n = 20;
    float ax[n + 2], ay[n + 2];
    ax[n + 1] = ay[n + 1] = 99.0f;
    teselado::cilindro(g, n, 0.5f, 0.35f, ax, ay);
    auto vs = g.de("vertex");
    ASSERT_EQ(vs.size(), 2u * (n + 1));
    EXPECT_EQ(ax[n + 1], 99.0f) << "only numSteps + 1 entries are written";
    EXPECT_NEAR(ax[n], ax[0], 1e-5);
    EXPECT_NEAR(ay[n], ay[0], 1e-5);
    for (int i = 0; i <= n; i++) {
        EXPECT_NEAR(std::hypot(ax[i], ay[i]), 0.5, 1e-6);
        EXPECT_FLOAT_EQ(vs[2 * i].v[2], -0.35f);
        EXPECT_FLOAT_EQ(vs[2 * i + 1].v[2], 0.35f);
        EXPECT_FLOAT_EQ(vs[2 * i].v[0], ax[i]);
    }
    auto ts = g.de("tex");
    // s runs along the length (0 and 2hl), t is the arc length.
    EXPECT_FLOAT_EQ(ts[1].v[0], 0.7f);
    EXPECT_NEAR(ts[2 * n].v[1], 2 * PI * 0.5, 1e-5);
    auto ns = g.de("normal");
    EXPECT_NEAR(ns[0].v[0], 1.0, 1e-6);
    EXPECT_EQ(ns[0].v[2], 0.0);
}

TEST(Cilindro, NoStepsDrawsNothingAndWritesNothing) {
    Grabadora g;
    float ax[1] = {7.0f}, ay[1] = {7.0f};
    teselado::cilindro(g, 0, 0.5f, 0.35f, ax, ay);
    teselado::cilindro(g, -3, 0.5f, 0.35f, ax, ay);
    EXPECT_TRUE(g.llamadas.empty());
    EXPECT_EQ(ax[0], 7.0f);
}

TEST(Aro, JoinsTheTwoStoredRingsAtTheTop) {
    Grabadora g;
    float x1[3] = {1, 2, 3}, y1[3] = {4, 5, 6}, x2[3] = {7, 8, 9}, y2[3] = {10, 11, 12};
    teselado::aro(g, 2, x1, x2, y1, y2, 0.25f, 0.15f);
    auto vs = g.de("vertex");
    ASSERT_EQ(vs.size(), 6u);
    EXPECT_EQ(vs[2].v[0], 2.0);
    EXPECT_EQ(vs[2].v[1], 5.0);
    EXPECT_EQ(vs[3].v[0], 8.0);
    EXPECT_EQ(vs[3].v[1], 11.0);
    for (const Llamada& v : vs) {
        EXPECT_FLOAT_EQ(v.v[2], -0.25f);
    }
    auto ns = g.de("normal");
    EXPECT_FLOAT_EQ(ns[0].v[2], -0.25f) << "the ring's normal is not unit length";
    EXPECT_FLOAT_EQ(g.de("tex")[1].v[0], 0.2f * 0.15f);
}

TEST(Esfera, HasLatsPlusOneBandsStartingBeyondThePole) {
    Grabadora g;
    teselado::esfera(g, 4, 6, 2.0f);
    auto lotes = g.lotes();
    ASSERT_EQ(lotes.size(), 5u);
    for (const auto& lote : lotes) {
        EXPECT_EQ(lote.size(), 2u * 7);
    }
    // Band 0 runs from one step beyond the z = -r pole back to it.
    EXPECT_NEAR(lotes[0][0].v[2], 2.0 * std::sin(PI * (-0.5 - 0.25)), 1e-12);
    EXPECT_NEAR(lotes[0][1].v[2], -2.0, 1e-12);
    // The longitudes start one step before angle 0.
    const double lng = -2 * PI / 6;
    EXPECT_NEAR(lotes[2][1].v[0], 2.0 * std::cos(lng), 1e-12);
    EXPECT_NEAR(lotes[2][1].v[1], 2.0 * std::sin(lng), 1e-12);
    auto ts = g.de("tex");
    EXPECT_DOUBLE_EQ(ts[1].v[0], 1.0 / 4);
}

TEST(MediaEsfera, IsTheDomeAboveTheGround) {
    Grabadora g;
    teselado::mediaEsfera(g, 100, 100, 0.5f);
    auto lotes = g.lotes();
    ASSERT_EQ(lotes.size(), 51u);
    EXPECT_EQ(lotes[0].size(), 2u * 101);
    for (const Llamada& v : g.de("vertex")) {
        EXPECT_LE(v.v[2], 1e-12);
        EXPECT_NEAR(std::sqrt(v.v[0] * v.v[0] + v.v[1] * v.v[1] + v.v[2] * v.v[2]), 0.5, 1e-9);
    }
    // The last band ends on the equator; texture s reaches (halfLats + 1) / halfLats.
    EXPECT_NEAR(lotes[50].back().v[2], 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(g.de("tex").back().v[0], 51.0 / 50);
}

TEST(MediaEsfera, OddLatsStopShortOfTheEquator) {
    Grabadora g;
    teselado::mediaEsfera(g, 5, 8, 1.0f);
    auto lotes = g.lotes();
    ASSERT_EQ(lotes.size(), 3u);
    EXPECT_NEAR(lotes[2].back().v[2], std::sin(PI * (-0.5 + 2.0 / 5)), 1e-12);
    EXPECT_DOUBLE_EQ(g.de("tex")[1].v[0], 1.0 / 2);
}

TEST(MediaEsfera, DegenerateCountsDrawNothing) {
    Grabadora g;
    teselado::mediaEsfera(g, 1, 8, 1.0f);
    teselado::mediaEsfera(g, 8, 0, 1.0f);
    teselado::esfera(g, 0, 8, 1.0f);
    EXPECT_TRUE(g.llamadas.empty());
}

// The quads of a strip of quads, each as its four corners with normals and texture coordinates,
// in the order sent.
std::vector<std::vector<double>> cuadros(const Grabadora& g) {
    std::vector<std::vector<double>> r;
    std::vector<double> tira;
    const auto cerrar = [&] {
        // Two values of texture, three of normal, three of position a corner: 16 a pair.
        for (std::size_t k = 0; k + 32 <= tira.size(); k += 16) {
            r.emplace_back(tira.begin() + static_cast<long>(k),
                           tira.begin() + static_cast<long>(k) + 32);
        }
        tira.clear();
    };
    for (const Llamada& l : g.llamadas) {
        if (l.op == "end") {
            cerrar();
        } else if (l.op == "tex" || l.op == "normal" || l.op == "vertex") {
            tira.insert(tira.end(), l.v, l.v + l.componentes);
        }
    }
    return r;
}

// Cut into sectors of bands and columns of any size, the dome sends each of its quads once, with
// the same corners, normals and texture coordinates: the sectors together are the dome.
TEST(MediaEsfera, ItsSectorsHoldEachQuadOnce) {
    Grabadora todo;
    teselado::mediaEsfera(todo, 30, 30, 2.0f);
    const auto esperados = cuadros(todo);
    ASSERT_EQ(esperados.size(), 16u * 30);
    for (int bandas : {1, 4, 7, 16}) {
        for (int columnas : {1, 6, 11, 30}) {
            std::vector<std::vector<double>> juntos;
            for (int b = 0; b <= 15; b += bandas) {
                for (int c = 0; c < 30; c += columnas) {
                    Grabadora g;
                    teselado::sectorMediaEsfera(g, 30, 30, 2.0f,
                                                {b, b + bandas - 1, c, c + columnas});
                    for (auto& q : cuadros(g)) {
                        juntos.push_back(std::move(q));
                    }
                }
            }
            std::sort(juntos.begin(), juntos.end());
            auto ordenados = esperados;
            std::sort(ordenados.begin(), ordenados.end());
            EXPECT_EQ(juntos, ordenados) << bandas << " bands by " << columnas << " columns";
        }
    }
    // A sector outside the dome, or of no quads, sends nothing.
    Grabadora nada;
    teselado::sectorMediaEsfera(nada, 30, 30, 2.0f, {16, 20, 0, 30});
    teselado::sectorMediaEsfera(nada, 30, 30, 2.0f, {0, 15, 30, 40});
    teselado::sectorMediaEsfera(nada, 30, 30, 2.0f, {0, 15, 7, 7});
    EXPECT_TRUE(nada.llamadas.empty());
}

TEST(Torre, StandsOnTheGroundWithTheFixedOuterWall) {
    Grabadora g;
    teselado::torre(g, 0.0f, 2.0f, 0.0f, 0.1f, 0.7f, 100);
    EXPECT_EQ(g.estructura(),
              (std::vector<std::string>{"push", "translate", "translate", "rotate", "begin", "end",
                                        "begin", "end", "begin", "end", "pop"}));
    auto tr = g.de("translate");
    EXPECT_FLOAT_EQ(tr[0].v[2], -0.35f);
    EXPECT_EQ(tr[1].v[1], 2.0);
    auto rot = g.de("rotate");
    EXPECT_EQ(rot[0].v[0], 90.0);
    EXPECT_EQ(rot[0].v[3], 1.0);
    auto lotes = g.lotes();
    // Walls of radius 0.1 and 0.15, both over the full height; the rim on top (z = -hl).
    EXPECT_NEAR(std::hypot(lotes[0][0].v[0], lotes[0][0].v[1]), 0.1, 1e-6);
    EXPECT_NEAR(std::hypot(lotes[1][0].v[0], lotes[1][0].v[1]), 0.15, 1e-6);
    EXPECT_FLOAT_EQ(lotes[1][0].v[2], -0.35f);
    EXPECT_FLOAT_EQ(lotes[1][1].v[2], 0.35f);
    ASSERT_EQ(lotes[2].size(), 202u);
    EXPECT_NEAR(std::hypot(lotes[2][0].v[0], lotes[2][0].v[1]), 0.15, 1e-6);
    EXPECT_NEAR(std::hypot(lotes[2][1].v[0], lotes[2][1].v[1]), 0.1, 1e-6);
}

TEST(Torre, TooManyStepsForTheRingsDrawsNothing) {
    Grabadora g;
    teselado::torre(g, 0, 0, 0, 0.1f, 0.7f, teselado::MAX_PASOS + 1);
    teselado::canon(g, 0, 0, 0, 0.1f, 0.0f, 0);
    EXPECT_TRUE(g.llamadas.empty());
}

TEST(Canon, BarrelTiltsAboutItsOwnPositionThenTheTurret) {
    Grabadora g;
    teselado::canon(g, 2.0f, 0.0f, -0.7f, 0.1f, 3.0f, 20);
    std::vector<std::string> esperada = {"push", "rotate", "translate", "translate", "begin",
                                         "end",  "begin",  "end",       "begin",     "end",
                                         "pop",  "push",   "translate"};
    for (int banda = 0; banda < 1 + 11; banda++) {
        esperada.push_back("begin");
        esperada.push_back("end");
    }
    esperada.push_back("pop");
    EXPECT_EQ(g.estructura(), esperada) << "barrel, muzzle rim, base disc and a dome of 11 bands";
    auto rot = g.de("rotate");
    EXPECT_EQ(rot[0].v[0], 3.0);
    EXPECT_EQ(rot[0].v[1], 2.0);
    EXPECT_FLOAT_EQ(rot[0].v[3], -0.7f);
    auto tr = g.de("translate");
    EXPECT_FLOAT_EQ(tr[0].v[2], -0.1f);
    EXPECT_FLOAT_EQ(tr[1].v[2], -0.7f);
    auto lotes = g.lotes();
    EXPECT_NEAR(std::hypot(lotes[0][0].v[0], lotes[0][0].v[1]), 0.03, 1e-6);
    EXPECT_NEAR(std::hypot(lotes[1][0].v[0], lotes[1][0].v[1]), 0.033, 1e-6);
    // The muzzle rim sits at the barrel's far end, 2 crad above the turret centre.
    EXPECT_FLOAT_EQ(lotes[2][0].v[2], -0.1f);
    EXPECT_EQ(lotes[3].size(), 180u) << "the base disc";
}

TEST(Escena, TowersAndCannonsStandAtTheCannonPositions) {
    float coord[8] = {0, 2, 2, 0, -2, 0, 0, -2};
    float alturas[4] = {0.7f, 0.7f, 0.7f, 0.5f};
    float angulos[4] = {0, 45, -45, 10};
    Grabadora g;
    teselado::torres(g, coord, alturas);
    auto tr = g.de("translate");
    ASSERT_EQ(tr.size(), 8u);
    EXPECT_FLOAT_EQ(tr[7].v[2], 0.0f);
    EXPECT_EQ(tr[7].v[1], -2.0);
    EXPECT_FLOAT_EQ(tr[6].v[2], -0.25f);
    Grabadora c;
    teselado::canones(c, coord, alturas, angulos);
    auto rot = c.de("rotate");
    ASSERT_EQ(rot.size(), 4u);
    EXPECT_EQ(rot[1].v[0], 45.0);
    EXPECT_EQ(rot[2].v[0], -45.0);
    EXPECT_FLOAT_EQ(rot[3].v[3], -0.5f) << "the turret sits on top of its tower";
}

TEST(Escena, OnlyLivingCitiesAreDrawn) {
    float ciudades[3][3] = {{0, 1, 0}, {-0.8f, -1, 0}, {0.8f, -1, 0}};
    int vidas[3] = {100, 0, -20};
    Grabadora g;
    teselado::ciudades(g, 0.4f, ciudades, vidas);
    auto tr = g.de("translate");
    ASSERT_EQ(tr.size(), 1u);
    EXPECT_EQ(tr[0].v[1], 1.0);
    EXPECT_EQ(g.lotes().size(), 51u);
    for (const Llamada& v : g.de("vertex")) {
        EXPECT_NEAR(std::sqrt(v.v[0] * v.v[0] + v.v[1] * v.v[1] + v.v[2] * v.v[2]), 0.4, 1e-6);
    }
    int todas[3] = {1, 1, 1};
    Grabadora t;
    teselado::ciudades(t, 0.4f, ciudades, todas);
    EXPECT_EQ(t.de("translate").size(), 3u);
}

} // namespace
