// The triangle batches the model lists are recorded with: corners, order and what stays current.
#include "grabadora.h"
#include "modelo.h"
#include "triangulos.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The x of each vertex sent, which the tests use as the corner's number.
std::vector<int> esquinas(const Grabadora& g) {
    std::vector<int> r;
    for (const Llamada& l : g.de("vertex")) {
        r.push_back(static_cast<int>(l.v[0]));
    }
    return r;
}

void primitiva(Triangulador<Grabadora>& t, Trazo trazo, int n) {
    t.comenzar(trazo);
    for (int k = 0; k < n; k++) {
        t.normalf(0.0f, 0.0f, static_cast<float>(k));
        t.texf(static_cast<float>(k), 0.5f);
        t.vertice3f(static_cast<float>(k), 0.0f, 0.0f);
    }
    t.terminar();
}

TEST(Triangulador, SplitsEachPrimitiveAsTheSoftwareRasteriserDoes) {
    Grabadora g;
    Triangulador<Grabadora> t(g);
    primitiva(t, Trazo::Poligono, 5);
    t.cerrar();
    // A fan about corner 0, which comes last.
    EXPECT_EQ(esquinas(g), (std::vector<int>{1, 2, 0, 2, 3, 0, 3, 4, 0}));

    Grabadora q;
    Triangulador<Grabadora> tq(q);
    primitiva(tq, Trazo::TiraCuadrilateros, 6);
    tq.cerrar();
    EXPECT_EQ(esquinas(q), (std::vector<int>{2, 0, 3, 0, 1, 3, 4, 2, 5, 2, 3, 5}));

    Grabadora s;
    Triangulador<Grabadora> ts(s);
    primitiva(ts, Trazo::TiraTriangulos, 5);
    primitiva(ts, Trazo::Triangulos, 3);
    ts.cerrar();
    EXPECT_EQ(esquinas(s), (std::vector<int>{0, 1, 2, 2, 1, 3, 2, 3, 4, 0, 1, 2}));
}

TEST(Triangulador, EveryCornerKeepsItsOwnNormalAndTextureCoordinateAndPrecision) {
    Grabadora g;
    Triangulador<Grabadora> t(g);
    t.comenzar(Trazo::TiraCuadrilateros);
    for (int k = 0; k < 4; k++) {
        t.texd(0.1 * k, 0.25);
        t.normald(0.0, 1.0, 0.3 * k);
        t.vertice3d(k, 0.5, 0.125);
    }
    t.terminar();
    t.cerrar();
    const std::vector<Llamada>& ll = g.llamadas;
    ASSERT_EQ(ll.size(), 1u + 6u * 3u + 1u + 2u);
    const int orden[6] = {2, 0, 3, 0, 1, 3};
    for (int i = 0; i < 6; i++) {
        const Llamada* c = &ll[1 + 3 * i];
        EXPECT_EQ(c[0].op, "normal");
        EXPECT_DOUBLE_EQ(c[0].v[2], 0.3 * orden[i]);
        EXPECT_EQ(c[1].op, "tex");
        EXPECT_DOUBLE_EQ(c[1].v[0], 0.1 * orden[i]);
        EXPECT_EQ(c[2].op, "vertex");
        EXPECT_DOUBLE_EQ(c[2].v[0], orden[i]);
        EXPECT_DOUBLE_EQ(c[2].v[2], 0.125);
    }
}

TEST(Triangulador, PrimitivesShareOneBatchUntilAMatrixCall) {
    Grabadora g;
    Triangulador<Grabadora> t(g);
    primitiva(t, Trazo::Poligono, 3);
    primitiva(t, Trazo::Poligono, 4);
    t.empujar();
    t.trasladar(1.0f, 2.0f, 3.0f);
    primitiva(t, Trazo::TiraCuadrilateros, 4);
    t.sacar();
    t.cerrar();
    EXPECT_EQ(g.estructura(), (std::vector<std::string>{"begin", "end", "push", "translate",
                                                        "begin", "end", "pop"}));
    ASSERT_EQ(g.lotes().size(), 2u);
    EXPECT_EQ(g.lotes()[0].size(), 9u);
    EXPECT_EQ(g.lotes()[1].size(), 6u);
    EXPECT_EQ(g.de("begin")[0].v[0], static_cast<int>(Trazo::Triangulos));
}

// GL draws nothing for a polygon of two corners or a strip of three, but keeps the normal and
// texture coordinate they set.
TEST(Triangulador, TooFewCornersDrawNothingButLeaveTheirAttributesCurrent) {
    Grabadora g;
    Triangulador<Grabadora> t(g);
    primitiva(t, Trazo::Poligono, 2);
    primitiva(t, Trazo::TiraCuadrilateros, 3);
    t.cerrar();
    EXPECT_TRUE(g.de("vertex").empty());
    EXPECT_TRUE(g.de("begin").empty());
    ASSERT_EQ(g.de("normal").size(), 1u);
    EXPECT_EQ(g.de("normal")[0].v[2], 2.0);
    EXPECT_EQ(g.de("tex")[0].v[0], 2.0);
}

// After the batch, the normal and texture coordinate the last corner sent are current again, as
// after the polygons: a missile's trail is drawn with them.
TEST(Triangulador, LeavesCurrentWhatTheLastCornerSent) {
    Grabadora g;
    Triangulador<Grabadora> t(g);
    primitiva(t, Trazo::Poligono, 4);
    t.cerrar();
    const std::vector<Llamada>& ll = g.llamadas;
    ASSERT_GE(ll.size(), 3u);
    const Llamada& fin = ll[ll.size() - 3];
    EXPECT_EQ(fin.op, "end");
    EXPECT_EQ(ll[ll.size() - 2].op, "normal");
    EXPECT_EQ(ll[ll.size() - 2].v[2], 3.0);
    EXPECT_EQ(ll.back().op, "tex");
    EXPECT_EQ(ll.back().v[0], 3.0);
    // Closing again sends nothing more.
    t.cerrar();
    EXPECT_EQ(g.llamadas.size(), ll.size());
}

TEST(Triangulador, AModelFaceWithABadIndexIsLeftOutAsWhenDrawn) {
    std::vector<vertice> v = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    std::vector<textura> tx = {{0, 0}};
    std::vector<vertice> n = {{0, 0, 1}};
    std::vector<Poligono> caras = {{{0, 1, 2, 3}, {0, 0, 0, 0}, {0, 0, 0, 0}},
                                   {{0, 1, 9}, {0, 0, 0}, {0, 0, 0}}};
    Grabadora poligonos;
    trazarObjeto(poligonos, caras, v, tx, n);
    EXPECT_EQ(poligonos.lotes().size(), 1u);
    Grabadora g;
    Triangulador<Grabadora> t(g);
    trazarObjeto(t, caras, v, tx, n);
    t.cerrar();
    ASSERT_EQ(g.lotes().size(), 1u);
    EXPECT_EQ(g.lotes()[0].size(), 6u);
}

} // namespace
