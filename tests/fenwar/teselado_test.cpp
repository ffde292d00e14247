// Geometry of the primitives and scenery: vertex counts and coordinates, and where the pieces of
// the scenery stand in the world once their moves and turns are applied.
#include "grabadora.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

using namespace fenwar;

namespace {

const double PI = 3.141592653589793;

using Punto = std::array<double, 3>;

std::vector<std::vector<Punto>> enElMundo(const Grabadora& g) {
    return g.lotesEnElMundo();
}

std::vector<Punto> todos(const std::vector<std::vector<Punto>>& lotes) {
    std::vector<Punto> r;
    for (const auto& l : lotes)
        r.insert(r.end(), l.begin(), l.end());
    return r;
}

// The middle of the box that holds the points.
Punto centro(const std::vector<Punto>& ps) {
    Punto menor = ps.at(0), mayor = ps.at(0);
    for (const Punto& p : ps) {
        for (int k = 0; k < 3; k++) {
            menor[k] = std::min(menor[k], p[k]);
            mayor[k] = std::max(mayor[k], p[k]);
        }
    }
    return {(menor[0] + mayor[0]) / 2, (menor[1] + mayor[1]) / 2, (menor[2] + mayor[2]) / 2};
}

double distancia(const Punto& a, const Punto& b) {
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                     (a[2] - b[2]) * (a[2] - b[2]));
}

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
    EXPECT_EQ(g.lotes().size(), 1u) << "one polygon";
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

// In the world the tower is a tube about its point, from the ground (z = 0) up to its height
// (up is -z), its inner wall of its radius and its outer wall of 0.15, the rim on top.
TEST(Torre, StandsOnTheGroundWithTheFixedOuterWall) {
    Grabadora g;
    teselado::torre(g, 0.0f, 2.0f, 0.0f, 0.1f, 0.7f, 100);
    const auto lotes = enElMundo(g);
    ASSERT_EQ(lotes.size(), 3u) << "inner wall, outer wall, rim";
    const double radios[2] = {0.1, 0.15};
    for (int k = 0; k < 2; k++) {
        double alto = 0, bajo = -1;
        for (const Punto& p : lotes[k]) {
            EXPECT_NEAR(std::hypot(p[0], p[1] - 2.0), radios[k], 1e-6);
            alto = std::min(alto, p[2]);
            bajo = std::max(bajo, p[2]);
        }
        EXPECT_NEAR(alto, -0.7, 1e-6) << "wall " << k << " reaches the top";
        EXPECT_NEAR(bajo, 0.0, 1e-6) << "wall " << k << " stands on the ground";
    }
    ASSERT_EQ(lotes[2].size(), 202u);
    for (const Punto& p : lotes[2]) {
        EXPECT_NEAR(p[2], -0.7, 1e-6) << "the rim is on top";
        const double r = std::hypot(p[0], p[1] - 2.0);
        EXPECT_TRUE(std::abs(r - 0.1) < 1e-6 || std::abs(r - 0.15) < 1e-6) << r;
    }
}

TEST(Torre, TooManyStepsForTheRingsDrawsNothing) {
    Grabadora g;
    teselado::torre(g, 0, 0, 0, 0.1f, 0.7f, teselado::MAX_PASOS + 1);
    teselado::canon(g, 0, 0, 0, 0.1f, 0.0f, 0);
    EXPECT_TRUE(g.llamadas.empty());
}

// The barrel stands on the turret's centre and tilts about it: another angle moves the barrel,
// keeps every barrel point at its distance from the centre, and leaves the turret where it was.
TEST(Canon, BarrelTiltsAboutItsOwnPositionThenTheTurret) {
    const Punto turret = {2.0, 0.0, -0.7};
    auto piezas = [](float angulo) {
        Grabadora g;
        teselado::canon(g, 2.0f, 0.0f, -0.7f, 0.1f, angulo, 20);
        const auto lotes = enElMundo(g);
        return std::make_pair(todos({lotes.begin(), lotes.begin() + 3}),
                              todos({lotes.begin() + 3, lotes.end()}));
    };
    const auto [canion0, torreta0] = piezas(0.0f);
    const auto [canion30, torreta30] = piezas(30.0f);
    ASSERT_EQ(canion0.size(), canion30.size());
    ASSERT_FALSE(torreta0.empty());
    // Upright, the barrel is a tube of radius 0.03 to 0.033 rising 0.2 from the turret centre.
    for (const Punto& p : canion0) {
        EXPECT_LE(std::hypot(p[0] - 2.0, p[1]), 0.033 + 1e-6);
        EXPECT_LE(p[2], -0.7 + 1e-6);
        EXPECT_GE(p[2], -0.9 - 1e-6);
    }
    double movido = 0;
    for (size_t k = 0; k < canion0.size(); k++) {
        EXPECT_NEAR(distancia(canion0[k], turret), distancia(canion30[k], turret), 1e-5);
        movido = std::max(movido, distancia(canion0[k], canion30[k]));
    }
    EXPECT_GT(movido, 0.05) << "the barrel tilted";
    ASSERT_EQ(torreta0.size(), torreta30.size());
    for (size_t k = 0; k < torreta0.size(); k++) {
        EXPECT_LT(distancia(torreta0[k], torreta30[k]), 1e-9);
        EXPECT_LE(distancia(torreta0[k], turret), 0.1 + 1e-6) << "within the turret's radius";
    }
}

// Each tower rises from the ground at its cannon's point to its own height; each turret sits on
// top of its tower.
TEST(Escena, TowersAndCannonsStandAtTheCannonPositions) {
    float coord[8] = {0, 2, 2, 0, -2, 0, 0, -2};
    float alturas[4] = {0.7f, 0.7f, 0.7f, 0.5f};
    float angulos[4] = {0, 45, -45, 10};
    Grabadora g;
    teselado::torres(g, coord, alturas);
    const auto torres = enElMundo(g);
    ASSERT_EQ(torres.size(), 12u);
    for (int h = 0; h < 4; h++) {
        const auto tubo = todos({torres.begin() + 3 * h, torres.begin() + 3 * h + 3});
        const Punto c = centro(tubo);
        EXPECT_NEAR(c[0], coord[2 * h], 1e-3) << h;
        EXPECT_NEAR(c[1], coord[2 * h + 1], 1e-3) << h;
        double alto = 0;
        for (const Punto& p : tubo)
            alto = std::min(alto, p[2]);
        EXPECT_NEAR(alto, -alturas[h], 1e-6) << h;
    }
    Grabadora c;
    teselado::canones(c, coord, alturas, angulos);
    const auto canones = enElMundo(c);
    ASSERT_EQ(canones.size() % 4, 0u);
    const size_t porCanon = canones.size() / 4;
    for (int h = 0; h < 4; h++) {
        // The turret's base disc, the fourth piece of each cannon.
        const Punto base = centro(canones[h * porCanon + 3]);
        EXPECT_NEAR(base[0], coord[2 * h], 1e-3) << h;
        EXPECT_NEAR(base[1], coord[2 * h + 1], 1e-3) << h;
        EXPECT_NEAR(base[2], -alturas[h], 1e-6) << "the turret sits on top of tower " << h;
    }
}

TEST(Escena, OnlyLivingCitiesAreDrawn) {
    float ciudades[3][3] = {{0, 1, 0}, {-0.8f, -1, 0}, {0.8f, -1, 0}};
    int vidas[3] = {100, 0, -20};
    Grabadora g;
    teselado::ciudades(g, 0.4f, ciudades, vidas);
    const auto una = enElMundo(g);
    EXPECT_EQ(una.size(), 51u);
    for (const Punto& p : todos(una)) {
        EXPECT_NEAR(distancia(p, {0, 1, 0}), 0.4, 1e-6) << "a dome of 0.4 about city 1";
    }
    int todas[3] = {1, 1, 1};
    Grabadora t;
    teselado::ciudades(t, 0.4f, ciudades, todas);
    const auto tres = enElMundo(t);
    ASSERT_EQ(tres.size(), 3 * 51u);
    for (int i = 0; i < 3; i++) {
        for (const Punto& p : todos({tres.begin() + 51 * i, tres.begin() + 51 * i + 51})) {
            EXPECT_NEAR(distancia(p, {ciudades[i][0], ciudades[i][1], ciudades[i][2]}), 0.4, 1e-5);
        }
    }
}

} // namespace
