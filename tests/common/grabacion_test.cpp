// The recorded scenery's runs, bounds and view-volume test, without GL.
// Strips cut into runs keep every quad and triangle once and in turn; bounds hold what the
// matrices make of the vertices; the view test leaves out only what lies wholly past one plane;
// a zone's window rectangle holds every pixel the zone can show.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "grabacion.h"

namespace {

using Corners = std::vector<int>;

// The vertex at i along a wavy line, numbered in its x so a run's vertices can be told apart.
void sendStrip(Grabadora& g, Primitiva p, int n) {
    g.comenzar(p);
    for (int i = 0; i < n; ++i) {
        g.normal(0.0f, 0.0f, 1.0f);
        g.textura(0.1f * i, 0.0f);
        g.vertice(static_cast<float>(i), static_cast<float>(i % 2), 0.0f);
    }
    g.terminar();
}

// The vertex numbers of the pieces a primitive over vertices [first, first + n) draws: quads for
// a quad strip, triangles (in their turn) for a triangle strip or a list of triangles.
std::vector<Corners> pieces(Primitiva p, int first, int n) {
    std::vector<Corners> out;
    switch (p) {
    case Primitiva::TiraCuadrilateros:
        for (int k = 0; 2 * k + 3 < n; ++k) {
            const int a = first + 2 * k;
            out.push_back({a, a + 1, a + 3, a + 2});
        }
        break;
    case Primitiva::TiraTriangulos:
        for (int k = 0; k + 2 < n; ++k) {
            const int a = first + k;
            // The global parity decides the turn, as in the whole strip.
            out.push_back(a % 2 == 0 ? Corners{a, a + 1, a + 2} : Corners{a + 1, a, a + 2});
        }
        break;
    case Primitiva::Triangulos:
        for (int k = 0; 3 * k + 2 < n; ++k) {
            out.push_back({first + 3 * k, first + 3 * k + 1, first + 3 * k + 2});
        }
        break;
    case Primitiva::Poligono:
        out.push_back({first, n});
        break;
    }
    return out;
}

TEST(Recording, RunsOfAStripDrawTheSameQuadsAndTrianglesOnceEachInTurn) {
    for (Primitiva p : {Primitiva::TiraCuadrilateros, Primitiva::TiraTriangulos,
                        Primitiva::Triangulos, Primitiva::Poligono}) {
        for (int perRun : {1, 3, 8}) {
            for (int n : {0, 1, 2, 3, 4, 5, 6, 7, 17, 18, 19, 40, 602}) {
                Grabacion rec;
                Grabadora g(rec, perRun);
                sendStrip(g, p, 5); // something before, so the runs do not start at 0
                sendStrip(g, p, n);
                ASSERT_EQ(rec.pasos.size(), 2u);
                const Paso& paso = rec.pasos[1];
                std::vector<Corners> fromRuns;
                for (int t = paso.tramoPrimero; t < paso.tramoFin; ++t) {
                    const Tramo& run = rec.tramos[static_cast<size_t>(t)];
                    EXPECT_EQ((run.primero - 5) % 2, 0) << "a run starts on an even vertex";
                    if (p == Primitiva::Poligono) {
                        fromRuns.push_back({run.primero, run.cuantos});
                        continue;
                    }
                    for (const Corners& c : pieces(p, run.primero, run.cuantos)) {
                        fromRuns.push_back(c);
                    }
                    if (p != Primitiva::Triangulos) {
                        EXPECT_LE(run.cuantos, 2 * perRun + 2);
                    }
                }
                EXPECT_EQ(fromRuns, pieces(p, 5, n)) << "primitive " << static_cast<int>(p) << ", "
                                                     << perRun << " a run, " << n << " vertices";
            }
        }
    }
}

// Each vertex as the matrices would place it, computed here independently.
TEST(Recording, BoundsHoldEveryVertexWhereTheMatricesPutIt) {
    Grabacion rec;
    Grabadora g(rec, 2);
    g.empujar();
    g.trasladar(10.0f, 0.0f, -5.0f);
    g.rotar(90.0f, 0.0f, 0.0f, 2.0f); // (x, y) -> (-y, x); the axis is made of length 1
    g.empujar();
    g.trasladar(1.0f, 0.0f, 0.0f);
    sendStrip(g, Primitiva::TiraCuadrilateros, 12);
    g.sacar();
    sendStrip(g, Primitiva::TiraTriangulos, 12);
    g.sacar();
    sendStrip(g, Primitiva::Triangulos, 12);
    g.rotar(30.0f, 0.0f, 0.0f, 0.0f); // no axis: turns nothing
    sendStrip(g, Primitiva::Poligono, 12);

    const auto placed = [](int strip, int i) -> std::array<double, 3> {
        const double x = i, y = i % 2;
        switch (strip) {
        case 0:
            return {10.0 - y, x + 1.0, -5.0};
        case 1:
            return {10.0 - y, x, -5.0};
        default:
            return {x, y, 0.0};
        }
    };
    int strip = 0;
    for (const Paso& p : rec.pasos) {
        if (p.tipo != Paso::Tipo::Dibujar) {
            continue;
        }
        for (int t = p.tramoPrimero; t < p.tramoFin; ++t) {
            const Tramo& run = rec.tramos[static_cast<size_t>(t)];
            for (int v = run.primero; v < run.primero + run.cuantos; ++v) {
                const auto q = placed(strip, v - 12 * strip);
                const double d =
                    std::hypot(q[0] - run.centro[0], q[1] - run.centro[1], q[2] - run.centro[2]);
                EXPECT_LE(d, run.radio + 1e-9) << "strip " << strip << " vertex " << v;
            }
            // Tight: a run of two quads is no wider than its own vertices.
            EXPECT_LE(run.radio, std::hypot(run.cuantos / 2.0, 0.5) + 1e-9);
        }
        ++strip;
    }
    EXPECT_EQ(strip, 4);
    const int kinds[] = {static_cast<int>(Paso::Tipo::Empujar),
                         static_cast<int>(Paso::Tipo::Trasladar),
                         static_cast<int>(Paso::Tipo::Rotar), static_cast<int>(Paso::Tipo::Empujar),
                         static_cast<int>(Paso::Tipo::Trasladar)};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(static_cast<int>(rec.pasos[static_cast<size_t>(k)].tipo), kinds[k]);
    }
    EXPECT_EQ(rec.pasos[2].v[0], 90.0f) << "the values are replayed as they were sent";
    EXPECT_EQ(rec.pasos[2].v[3], 2.0f);
}

TEST(Recording, KeepsWhatWasSentAndWhatTheDrawingLeftCurrent) {
    Grabacion bare;
    Grabadora g(bare);
    g.comenzar(Primitiva::Poligono);
    g.vertice(1.0f, 2.0f, 3.0f);
    g.terminar();
    EXPECT_FALSE(bare.conNormales) << "the vertices take the current normal, as drawn";
    EXPECT_FALSE(bare.conTextura);

    Grabacion rec;
    Grabadora h(rec);
    h.comenzar(Primitiva::Triangulos);
    h.normal(0.0f, 1.0f, 0.0f);
    h.textura(0.25f, 0.5f);
    h.vertice(1.0f, 2.0f, 3.0f);
    h.normal(0.0f, 0.0f, -1.0f); // after the last vertex: still what the drawing leaves
    h.textura(0.75f, 1.0f);
    h.terminar();
    ASSERT_TRUE(rec.conNormales && rec.conTextura);
    const std::vector<float> vertex = {1, 2, 3, 0, 1, 0, 0.25f, 0.5f};
    EXPECT_EQ(rec.vertices, vertex);
    EXPECT_EQ(rec.normalFinal[2], -1.0f);
    EXPECT_EQ(rec.texturaFinal[0], 0.75f);
    EXPECT_EQ(rec.texturaFinal[1], 1.0f);
}

// gluPerspective(90, 1, 1, 100) looking down -z from the origin.
const float PERSPECTIVE[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -101.0f / 99, -1, 0, 0, -200.0f / 99,
                               0};
const float IDENTITY[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

Tramo ball(double x, double y, double z, double r) {
    Tramo t;
    t.centro[0] = x;
    t.centro[1] = y;
    t.centro[2] = z;
    t.radio = r;
    return t;
}

TEST(ViewVolume, LeavesOutOnlyWhatLiesWhollyPastOnePlane) {
    const VolumenVista v = volumenVista(PERSPECTIVE, IDENTITY);
    EXPECT_FALSE(fueraDeVista(v, ball(0, 0, -10, 1))) << "ahead";
    EXPECT_TRUE(fueraDeVista(v, ball(0, 0, 10, 1))) << "behind the eye";
    EXPECT_TRUE(fueraDeVista(v, ball(0, 0, -0.2, 0.1))) << "before the near plane";
    EXPECT_TRUE(fueraDeVista(v, ball(0, 0, -150, 10))) << "past the far plane";
    EXPECT_TRUE(fueraDeVista(v, ball(-30, 0, -10, 1))) << "left";
    EXPECT_TRUE(fueraDeVista(v, ball(0, 30, -10, 1))) << "above";
    // The left plane is x = z: a ball 1.5 from it, of radius 2, reaches in.
    const double s = 1.5 / std::sqrt(0.5);
    EXPECT_FALSE(fueraDeVista(v, ball(-10 - s, 0, -10, 2))) << "across the plane";
    // Past a corner yet inside each plane on its own: not left out (it may still show).
    EXPECT_FALSE(fueraDeVista(v, ball(-10.5, 10.5, -10, 0.6)));
    // Just past the plane by less than rounding could move it: kept.
    const double d = 1.0 + 1e-6;
    EXPECT_FALSE(fueraDeVista(v, ball(-10 - d * std::sqrt(2.0), 0, -10, 1)));
    EXPECT_TRUE(fueraDeVista(v, ball(-10 - 1.01 * std::sqrt(2.0), 0, -10, 1)));
}

TEST(ViewVolume, FollowsTheModelviewAndLeavesAllInUnderADegenerateMatrix) {
    // The eye turned to look down +x: a ball there is ahead, one down -z now to the side.
    const float turned[16] = {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    const VolumenVista v = volumenVista(PERSPECTIVE, turned);
    EXPECT_FALSE(fueraDeVista(v, ball(10, 0, 0, 1)));
    EXPECT_TRUE(fueraDeVista(v, ball(0, 0, -10, 1)));
    const float zero[16] = {};
    const VolumenVista nothing = volumenVista(zero, zero);
    EXPECT_FALSE(fueraDeVista(nothing, ball(0, 0, 10, 1)));
}

// A long quad strip along x under the eye's view down -z: only runs within the view are drawn,
// adjacent ones in one range that is a piece of the strip itself.
TEST(ViewVolume, VisibleRunsJoinIntoPiecesOfTheStrip) {
    Grabacion rec;
    Grabadora g(rec, 2);
    g.comenzar(Primitiva::TiraCuadrilateros);
    for (int i = 0; i <= 100; ++i) {
        g.vertice(static_cast<float>(i - 50), -1.0f, -5.0f);
        g.vertice(static_cast<float>(i - 50), 1.0f, -5.0f);
    }
    g.terminar();
    const VolumenVista v = volumenVista(PERSPECTIVE, IDENTITY);
    std::vector<int> first, count;
    rangosVisibles(rec, rec.pasos[0], v, first, count);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0] % 2, 0);
    EXPECT_EQ(count[0] % 2, 0);
    // x from -5 to 5 is in view at z = -5: those vertices are drawn, those far out are not.
    EXPECT_LE(first[0], 2 * 45);
    EXPECT_GE(first[0] + count[0], 2 * 56);
    EXPECT_GT(first[0], 2 * 40);
    EXPECT_LT(first[0] + count[0], 2 * 61);

    // Two separate windows: the eye looking down -z sees the middle; a strip folded so its
    // middle runs pass behind the eye gives two ranges, in order.
    Grabacion folded;
    Grabadora h(folded, 1);
    h.comenzar(Primitiva::TiraCuadrilateros);
    for (int i = 0; i <= 30; ++i) {
        const float z = i >= 10 && i <= 20 ? 5.0f : -5.0f;
        h.vertice(0.1f * static_cast<float>(i - 15), -1.0f, z);
        h.vertice(0.1f * static_cast<float>(i - 15), 1.0f, z);
    }
    h.terminar();
    first.clear();
    count.clear();
    rangosVisibles(folded, folded.pasos[0], v, first, count);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0], 0);
    EXPECT_LT(first[0] + count[0], first[1]);
    EXPECT_EQ(first[1] + count[1], 62);
}

// Where a point lands in a 200 x 100 viewport at (10, 20), under PERSPECTIVE.
const int VIEWPORT[4] = {10, 20, 200, 100};
bool inRect(const Rectangulo& r, double x, double y, double z) {
    const double w = -z;
    const double px = VIEWPORT[0] + (x / w + 1.0) * 0.5 * VIEWPORT[2];
    const double py = VIEWPORT[1] + (y / w + 1.0) * 0.5 * VIEWPORT[3];
    // A pixel is drawn when its centre is covered: the rectangle must hold the pixels around.
    return px - 1.0 >= r.x0 && px + 1.0 <= r.x1 && py - 1.0 >= r.y0 && py + 1.0 <= r.y1;
}

TEST(ZoneRectangle, HoldsEveryPointOfTheZoneThatShowsAndLittleMore) {
    const Zona z{{1.0, -0.5, -6.0}, 0.5};
    const Rectangulo r = rectanguloZona(PERSPECTIVE, IDENTITY, VIEWPORT, z);
    ASSERT_FALSE(vacio(r));
    for (int i = 0; i < 20; ++i) {
        for (int k = 0; k < 20; ++k) {
            const double a = 3.141592653589793 * i / 19, b = 6.283185307179586 * k / 20;
            EXPECT_TRUE(inRect(r, 1.0 + 0.5 * std::sin(a) * std::cos(b),
                               -0.5 + 0.5 * std::sin(a) * std::sin(b), -6.0 + 0.5 * std::cos(a)))
                << i << " " << k;
        }
    }
    // The sphere spans about 17 pixels across at that distance: the rectangle is not the window.
    EXPECT_LT(r.x1 - r.x0, 40);
    EXPECT_LT(r.y1 - r.y0, 25);
    EXPECT_GE(r.x0, VIEWPORT[0]);
    EXPECT_GE(r.y0, VIEWPORT[1]);
}

TEST(ZoneRectangle, NoneOutOfViewWholeViewportWhenItReachesTheEyeAndClampedAtTheEdges) {
    EXPECT_TRUE(vacio(rectanguloZona(PERSPECTIVE, IDENTITY, VIEWPORT, Zona{{0, 0, 10}, 1})))
        << "behind the eye";
    EXPECT_TRUE(vacio(rectanguloZona(PERSPECTIVE, IDENTITY, VIEWPORT, Zona{{-30, 0, -10}, 1})))
        << "left of the view";
    const Rectangulo all{10, 20, 210, 120};
    for (const Zona& z : {Zona{{0, 0, -1.5}, 1.0}, Zona{{0.5, 0, 0}, 1.0},
                          Zona{{0, 0, -5}, std::nan("")}, Zona{{0, 0, -5}, -1.0}}) {
        const Rectangulo r = rectanguloZona(PERSPECTIVE, IDENTITY, VIEWPORT, z);
        EXPECT_EQ(r.x0, all.x0);
        EXPECT_EQ(r.y0, all.y0);
        EXPECT_EQ(r.x1, all.x1);
        EXPECT_EQ(r.y1, all.y1);
    }
    // Half out of the window's left edge: cut at the viewport.
    const Rectangulo edge = rectanguloZona(PERSPECTIVE, IDENTITY, VIEWPORT, Zona{{-5, 0, -5}, 1});
    ASSERT_FALSE(vacio(edge));
    EXPECT_EQ(edge.x0, VIEWPORT[0]);
    EXPECT_LT(edge.x1, VIEWPORT[0] + 40);
}

TEST(ZoneRectangle, JoinedRectanglesHoldBoth) {
    const Rectangulo a{0, 0, 10, 10}, b{20, 5, 30, 40}, none{};
    const Rectangulo u = unir(a, b);
    EXPECT_EQ(u.x0, 0);
    EXPECT_EQ(u.y0, 0);
    EXPECT_EQ(u.x1, 30);
    EXPECT_EQ(u.y1, 40);
    EXPECT_EQ(unir(none, b).x0, 20) << "an empty one adds nothing";
    EXPECT_EQ(unir(a, none).x1, 10);
    EXPECT_TRUE(vacio(unir(none, none)));
}

// Narrowed to a rectangle of the viewport, the view volume leaves out what only the rest shows.
TEST(ZoneRectangle, ANarrowedProjectionSeesOnlyItsRectangle) {
    float narrow[16];
    std::copy(PERSPECTIVE, PERSPECTIVE + 16, narrow);
    // The right half of the viewport, its lower half.
    recortarProyeccion(narrow, VIEWPORT, {110, 20, 210, 70});
    const VolumenVista v = volumenVista(narrow, IDENTITY);
    EXPECT_FALSE(fueraDeVista(v, ball(5, -5, -10, 1))) << "right, low";
    EXPECT_TRUE(fueraDeVista(v, ball(-5, -5, -10, 1))) << "left";
    EXPECT_TRUE(fueraDeVista(v, ball(5, 5, -10, 1))) << "high";
    EXPECT_FALSE(fueraDeVista(v, ball(-0.5, -5, -10, 1))) << "across the middle";
    // The same depth: nearer than the near plane stays out.
    EXPECT_TRUE(fueraDeVista(v, ball(0.1, -0.1, -0.5, 0.1)));
    // An empty or whole rectangle leaves the projection as it was.
    float same[16];
    std::copy(PERSPECTIVE, PERSPECTIVE + 16, same);
    recortarProyeccion(same, VIEWPORT, {});
    recortarProyeccion(same, VIEWPORT, {10, 20, 210, 120});
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(same[i], PERSPECTIVE[i]);
    }
}

} // namespace
