// Tests of the 3DS reader: the walk, the stored mesh, the exact trace and every kind of bad file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

#include "archivo3ds.h"
#include "modelo3ds.h"

using namespace prueba3ds;
using namespace torvane;

namespace {

int countLines(const std::string& s) {
    int n = 0;
    for (char c : s) {
        n += c == '\n';
    }
    return n;
}

int countOccurrences(const std::string& s, const std::string& what) {
    int n = 0;
    for (std::size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1)) {
        ++n;
    }
    return n;
}

std::string printfF(float f) {
    char texto[80];
    std::snprintf(texto, sizeof texto, "%f", static_cast<double>(f));
    return texto;
}

const Bytes kTriangle = vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});

class Reader3ds : public ::testing::Test {
  protected:
    std::unique_ptr<obj_type> obj = std::make_unique<obj_type>();
    std::string trace;

    void read(const Bytes& b) {
        trace.clear();
        leer3DS(*obj, b.data(), b.size(), trace);
    }

    void expectNormal(int face, float x, float y, float z) {
        const vertex_type& n = obj->polygon[face].normal;
        EXPECT_FLOAT_EQ(n.x, x);
        EXPECT_FLOAT_EQ(n.y, y);
        EXPECT_FLOAT_EQ(n.z, z);
    }
};

} // namespace

TEST_F(Reader3ds, NormalFollowsTheWindingOfTheCorners) {
    read(archivo(objeto("tri", malla(concat({kTriangle, caras({{0, 1, 2}, {0, 2, 1}})})))));
    ASSERT_EQ(obj->polygons_qty, 2);
    expectNormal(0, 0, 0, 1);
    expectNormal(1, 0, 0, -1);
}

TEST_F(Reader3ds, NormalIsUnitLengthForAnyTriangle) {
    read(archivo(objeto("t", malla(concat({vertices({{1, 2, 3}, {4, -2, 7}, {-3, 5, 0.5f}}),
                                           caras({{0, 1, 2}})})))));
    const vertex_type& n = obj->polygon[0].normal;
    EXPECT_NEAR(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z), 1.0, 1e-6);
}

TEST_F(Reader3ds, StoresListsNameAndCounts) {
    read(archivo(objeto("casa", malla(concat({kTriangle, caras({{2, 1, 0}}),
                                              mapeo({{0.25f, 0.5f}, {1, 0}, {0, 1}})})))));
    EXPECT_STREQ(obj->name, "casa");
    EXPECT_EQ(obj->vertices_qty, 3);
    EXPECT_EQ(obj->polygons_qty, 1);
    EXPECT_EQ(obj->vertex[1].x, 1.0f);
    EXPECT_EQ(obj->vertex[2].y, 1.0f);
    EXPECT_EQ(obj->polygon[0].a, 2);
    EXPECT_EQ(obj->polygon[0].c, 0);
    EXPECT_EQ(obj->mapcoord[0].u, 0.25f);
    EXPECT_EQ(obj->mapcoord[0].v, 0.5f);
    EXPECT_EQ(obj->id_texture, 0);
}

TEST_F(Reader3ds, LaterObjectsOverwriteFromIndexZero) {
    const Bytes primero = objeto("primero", malla(concat({kTriangle, caras({{0, 1, 2}})})));
    const Bytes segundo = objeto("dos", malla(vertices({{7, 7, 7}, {8, 8, 8}})));
    read(archivo(concat({primero, segundo})));
    EXPECT_STREQ(obj->name, "dos");
    EXPECT_EQ(obj->vertices_qty, 2);
    EXPECT_EQ(obj->polygons_qty, 1);
    EXPECT_EQ(obj->vertex[0].x, 7.0f);
    EXPECT_EQ(obj->vertex[2].y, 1.0f);
}

TEST_F(Reader3ds, UnknownChunkIsSkippedWithItsSubchunks) {
    const Bytes desconocido = chunk(0xAFFF, concat({vertices({{9, 9, 9}}), objeto("oculto", {})}));
    read(archivo(concat({desconocido, objeto("visible", malla(kTriangle))})));
    EXPECT_STREQ(obj->name, "visible");
    EXPECT_EQ(obj->vertices_qty, 3);
    EXPECT_EQ(obj->vertex[0].x, 0.0f);
    EXPECT_NE(trace.find("ChunkID: afff\nChunkLenght: "), std::string::npos);
    EXPECT_EQ(countOccurrences(trace, "ChunkID: 4110"), 1);
}

TEST_F(Reader3ds, SubchunksAfterTheFacesAreSkipped) {
    const Bytes material = chunk(0x4130, {'m', 'a', 't', 0, 1, 0, 0, 0});
    read(archivo(
        objeto("x", malla(concat({kTriangle, caras({{0, 1, 2}}, material), mapeo({{5, 6}})})))));
    EXPECT_EQ(countOccurrences(trace, "ChunkID: 4130"), 1);
    EXPECT_EQ(obj->mapcoord[0].u, 5.0f);
}

TEST_F(Reader3ds, NineteenCharacterNameKeepsItsZero) {
    const std::string nombre = "abcdefghijklmnopqrs";
    read(archivo(objeto(nombre, malla(kTriangle))));
    EXPECT_EQ(std::string(obj->name), nombre);
    EXPECT_EQ(obj->name[19], '\0');
    EXPECT_EQ(obj->vertices_qty, 3);
}

TEST_F(Reader3ds, LongNameIsCutAndTheWalkGoesOnAfterIt) {
    read(archivo(objeto("un_nombre_de_treinta_caracter", malla(kTriangle))));
    EXPECT_EQ(std::string(obj->name), "un_nombre_de_treint");
    EXPECT_EQ(obj->vertices_qty, 3);
    EXPECT_EQ(obj->vertex[1].x, 1.0f);
}

TEST_F(Reader3ds, TraceHasTheExactText) {
    const Bytes archivoTri = archivo(objeto(
        "tri",
        malla(concat(
            {vertices({{-1.5f, 0.1f, 1234.5678f}, {0, 0, -0.0f}, {16777216.0f, 1e-7f, -3e-7f}}),
             caras({{0, 1, 2}}), mapeo({{0.0078125f, 1}, {0, 0}, {1, 0}})}))));
    read(archivoTri);
    const std::string esperado = "ChunkID: 4d4d\nChunkLenght: 78\n"
                                 "ChunkID: 3d3d\nChunkLenght: 72\n"
                                 "ChunkID: 4000\nChunkLenght: 6c\n"
                                 "ChunkID: 4100\nChunkLenght: 62\n"
                                 "ChunkID: 4110\nChunkLenght: 2c\n"
                                 "Number of vertices: 3\n"
                                 "Vertices list x: -1.500000\n"
                                 "Vertices list y: 0.100000\n"
                                 "Vertices list z: 1234.567749\n"
                                 "Vertices list x: 0.000000\n"
                                 "Vertices list y: 0.000000\n"
                                 "Vertices list z: -0.000000\n"
                                 "Vertices list x: 16777216.000000\n"
                                 "Vertices list y: 0.000000\n"
                                 "Vertices list z: -0.000000\n"
                                 "ChunkID: 4120\nChunkLenght: 10\n"
                                 "Number of polygons: 1\n"
                                 "Polygon point a: 0\n"
                                 "Polygon point b: 1\n"
                                 "Polygon point c: 2\n"
                                 "Face flags: 7\n"
                                 "ChunkID: 4140\nChunkLenght: 20\n"
                                 "Mapping list u: 0.007812\n"
                                 "Mapping list v: 1.000000\n"
                                 "Mapping list u: 0.000000\n"
                                 "Mapping list v: 0.000000\n"
                                 "Mapping list u: 1.000000\n"
                                 "Mapping list v: 0.000000\n";
    EXPECT_EQ(trace, esperado);
}

TEST_F(Reader3ds, TraceFloatsMatchPrintfForAnyBitPattern) {
    std::mt19937 azar(12345);
    std::vector<float> valores = {0.0f,    -0.0f,    0.0078125f,      0.5f,       2.5e-6f,
                                  4.5e-7f, 1e-45f,   1.17549435e-38f, 8388608.5f, 17592186044416.0f,
                                  3.4e38f, -3.4e38f, INFINITY,        -INFINITY,  NAN};
    for (int i = 0; i < 20000; ++i) {
        const std::uint32_t bits = azar();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        valores.push_back(f);
        valores.push_back(static_cast<float>(azar() % 2000000) / 1024.0f - 1000.0f);
        valores.push_back(static_cast<float>(azar() % 100000) * 5e-7f);
    }
    std::vector<V> vs;
    std::string esperado;
    for (std::size_t i = 0; i + 2 < valores.size() && vs.size() < 8000; i += 3) {
        vs.push_back({valores[i], valores[i + 1], valores[i + 2]});
        esperado += "Vertices list x: " + printfF(valores[i]) + "\n";
        esperado += "Vertices list y: " + printfF(valores[i + 1]) + "\n";
        esperado += "Vertices list z: " + printfF(valores[i + 2]) + "\n";
    }
    read(vertices(vs));
    const std::string cabeza = "Number of vertices: " + std::to_string(vs.size()) + "\n";
    const std::size_t inicio = trace.find(cabeza);
    ASSERT_NE(inicio, std::string::npos);
    EXPECT_TRUE(trace.compare(inicio + cabeza.size(), std::string::npos, esperado) == 0);
}

TEST_F(Reader3ds, TraceLineCountForNVerticesAndMFaces) {
    for (const auto& [n, m] : {std::pair{3, 1}, std::pair{40, 25}, std::pair{200, 3}}) {
        std::vector<V> vs;
        std::vector<UV> uvs;
        for (int k = 0; k < n; ++k) {
            vs.push_back({float(k), float(k * k), 1.0f});
            uvs.push_back({0.5f, float(k)});
        }
        std::vector<Cara> cs;
        for (int k = 0; k < m; ++k) {
            cs.push_back({unsigned(k % n), unsigned((k + 1) % n), unsigned((k + 2) % n)});
        }
        read(archivo(objeto("malla", malla(concat({vertices(vs), caras(cs), mapeo(uvs)})))));
        EXPECT_EQ(countLines(trace), 2 * 7 + 1 + 3 * n + 1 + 4 * m + 2 * n) << n << " " << m;
    }
}

TEST_F(Reader3ds, ListsAboveCapacityAreCutAndTheWalkGoesOn) {
    std::vector<V> vs(MAX_VERTICES + 5, V{1, 2, 3});
    vs[MAX_VERTICES - 1] = {4, 5, 6};
    std::vector<Cara> cs(MAX_POLYGONS + 2, Cara{0, 1, 2});
    std::vector<UV> uvs(MAX_VERTICES + 1, UV{0.5f, 0.5f});
    read(archivo(
        objeto("grande", malla(concat({vertices(vs), caras(cs), mapeo(uvs), chunk(0x4100, {})})))));
    EXPECT_EQ(obj->vertices_qty, MAX_VERTICES);
    EXPECT_EQ(obj->polygons_qty, MAX_POLYGONS);
    EXPECT_EQ(obj->vertex[MAX_VERTICES - 1].z, 6.0f);
    EXPECT_NE(trace.find("Number of vertices: 8000\n"), std::string::npos);
    EXPECT_EQ(countOccurrences(trace, "Vertices list x"), MAX_VERTICES);
    EXPECT_EQ(countOccurrences(trace, "Mapping list u"), MAX_VERTICES);
    EXPECT_EQ(countOccurrences(trace, "ChunkID: "), 8);
}

// The walk never needs the length of a container chunk: one that claims too much or too little
// is entered all the same, and what it holds is read.
TEST_F(Reader3ds, ContainerChunksAreEnteredWhateverTheirLength) {
    for (std::uint32_t largo : {0u, 5u, 0xFFFFFFFFu, 1000u}) {
        for (unsigned contenedor : {0x4D4Du, 0x3D3Du, 0x4100u}) {
            obj = std::make_unique<obj_type>();
            read(concat({cabecera(contenedor, largo), kTriangle}));
            EXPECT_EQ(obj->vertices_qty, 3) << std::hex << contenedor << std::dec << " " << largo;
            EXPECT_EQ(countOccurrences(trace, "ChunkID: "), 2);
        }
        obj = std::make_unique<obj_type>();
        Bytes nombre = cabecera(0x4000, largo);
        nombre.insert(nombre.end(), {'c', 'u', 'b', 'o', 0});
        read(concat({nombre, kTriangle}));
        EXPECT_STREQ(obj->name, "cubo");
        EXPECT_EQ(obj->vertices_qty, 3) << largo;
    }
}

// A chunk that is jumped over needs its length: below the header's or past the end, it ends the
// walk.
TEST_F(Reader3ds, BadLengthOfASkippedChunkEndsTheWalk) {
    for (std::uint32_t largo : {0u, 5u, 0xFFFFFFFFu, 1000u}) {
        obj = std::make_unique<obj_type>();
        read(concat({cabecera(0xAFFF, largo), kTriangle}));
        EXPECT_EQ(obj->vertices_qty, 0) << largo;
        EXPECT_EQ(countLines(trace), 2) << largo;
    }
}

// A whole file cut anywhere keeps every complete entry before the cut.
TEST_F(Reader3ds, AFileCutShortKeepsWhatItHolds) {
    std::vector<V> vs;
    std::vector<Cara> cs;
    for (unsigned k = 0; k < 40; ++k) {
        vs.push_back({static_cast<float>(k), static_cast<float>(k * k), 1.0f});
        cs.push_back({k, (k + 1) % 40, (k + 2) % 40});
    }
    const Bytes entero = archivo(objeto("cubo", malla(concat({vertices(vs), caras(cs)}))));
    for (std::size_t largo = 0; largo <= entero.size(); ++largo) {
        obj = std::make_unique<obj_type>();
        read(Bytes(entero.begin(), entero.begin() + static_cast<long>(largo)));
        // Header bytes: main, editor, object and name, mesh, vertex list and its count.
        const long antesDeVertices = 6 + 6 + 6 + 5 + 6 + 6 + 2;
        const long completos = std::max(0L, (static_cast<long>(largo) - antesDeVertices) / 12);
        EXPECT_EQ(obj->vertices_qty, largo < static_cast<std::size_t>(antesDeVertices)
                                         ? 0
                                         : static_cast<int>(std::min(completos, 40L)))
            << largo;
        const long antesDeCaras = antesDeVertices + 40 * 12 + 6 + 2;
        const long caras = std::max(0L, (static_cast<long>(largo) - antesDeCaras) / 8);
        EXPECT_EQ(obj->polygons_qty, largo < static_cast<std::size_t>(antesDeCaras)
                                         ? 0
                                         : static_cast<int>(std::min(caras, 40L)))
            << largo;
    }
}

TEST_F(Reader3ds, ChunkLengthReachingExactlyTheEndIsRead) {
    const Bytes b = chunk(0x1234, Bytes(10, 0xEE));
    read(concat({kTriangle, b}));
    EXPECT_EQ(obj->vertices_qty, 3);
    EXPECT_EQ(countOccurrences(trace, "ChunkID: "), 2);
}

TEST_F(Reader3ds, ShortHeaderAtTheEndIsIgnored) {
    read(concat({kTriangle, Bytes{0x10, 0x41, 0x20}}));
    EXPECT_EQ(obj->vertices_qty, 3);
    EXPECT_EQ(countOccurrences(trace, "ChunkID: "), 1);
}

TEST_F(Reader3ds, TruncatedListsKeepTheirCompleteEntriesAndEndTheWalk) {
    // The chunk lengths claim only the count: the entries run on to the end of the file.
    Bytes cortado = vertices({{1, 1, 1}, {2, 2, 2}, {3, 3, 3}});
    cortado.resize(cortado.size() - 7);
    cortado[2] = 8;
    read(cortado);
    EXPECT_EQ(obj->vertices_qty, 2);
    EXPECT_EQ(obj->vertex[1].y, 2.0f);
    EXPECT_EQ(countOccurrences(trace, "Vertices list "), 6);

    Bytes carasCortadas = caras({{0, 1, 2}, {0, 2, 1}});
    carasCortadas.resize(carasCortadas.size() - 1);
    carasCortadas[2] = 8;
    read(concat({vertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}), carasCortadas}));
    EXPECT_EQ(obj->polygons_qty, 1);
    expectNormal(0, 0, 0, 1);

    Bytes sinCuenta = cabecera(0x4140, 6);
    sinCuenta.push_back(3);
    read(sinCuenta);
    EXPECT_EQ(countLines(trace), 2);
}

TEST_F(Reader3ds, TruncatedOverflowingListEndsTheWalk) {
    Bytes d;
    u16(d, 9000);
    for (int i = 0; i < MAX_VERTICES + 10; ++i) {
        f32(d, 1.0f);
        f32(d, 2.0f);
        f32(d, 3.0f);
    }
    read(concat(
        {cabecera(0x4110, 6 + static_cast<std::uint32_t>(d.size())), d, vertices({{9, 9, 9}})}));
    EXPECT_EQ(obj->vertices_qty, MAX_VERTICES);
    EXPECT_EQ(obj->vertex[0].x, 1.0f);
    EXPECT_EQ(countOccurrences(trace, "ChunkID: "), 1);
}

TEST_F(Reader3ds, NoNanNormalForFacesWithoutVerticesOrArea) {
    read(archivo(objeto("vacio", malla(concat({caras({{0, 1, 2}}), kTriangle})))));
    expectNormal(0, 0, 0, 0);
    read(vertices({{1, 1, 1}, {2, 2, 2}, {3, 3, 3}}));
    read(caras({{0, 1, 2}, {0, 0, 1}, {0, 1, 60000}}));
    expectNormal(0, 0, 0, 0);
    expectNormal(1, 0, 0, 0);
    expectNormal(2, 0, 0, 0);
    EXPECT_EQ(obj->polygon[2].c, 60000);
    read(vertices({{NAN, 0, 0}, {INFINITY, 1, 0}, {3e38f, -3e38f, 0}}));
    read(caras({{0, 1, 2}, {1, 2, 0}}));
    for (int k = 0; k < 2; ++k) {
        EXPECT_FALSE(std::isnan(obj->polygon[k].normal.x + obj->polygon[k].normal.y +
                                obj->polygon[k].normal.z));
    }
}

TEST(Load3ds, ReadsTheFileAndPrintsTheTraceOnStandardOutput) {
    const std::string ruta = ::testing::TempDir() + "torvane_tri_" + std::to_string(getpid());
    const Bytes b = archivo(objeto("tri", malla(concat({kTriangle, caras({{0, 1, 2}})}))));
    std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
    auto obj = std::make_unique<obj_type>();
    std::string esperado;
    leer3DS(*obj, b.data(), b.size(), esperado);
    obj = std::make_unique<obj_type>();

    ::testing::internal::CaptureStdout();
    const char resultado = Load3DS(obj.get(), ruta.c_str());
    std::fflush(stdout);
    const std::string salida = ::testing::internal::GetCapturedStdout();
    std::remove(ruta.c_str());

    EXPECT_EQ(resultado, 1);
    EXPECT_EQ(salida, esperado);
    EXPECT_EQ(obj->polygons_qty, 1);
    EXPECT_FLOAT_EQ(obj->polygon[0].normal.z, 1.0f);
}

TEST(Load3ds, MissingOrUnreadableFileReturnsZeroQuietly) {
    for (const std::string& ruta : {std::string("no/existe.3DS"), ::testing::TempDir()}) {
        auto obj = std::make_unique<obj_type>();
        obj->id_texture = 42;
        ::testing::internal::CaptureStdout();
        const char resultado = Load3DS(obj.get(), ruta.c_str());
        std::fflush(stdout);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << ruta;
        EXPECT_EQ(resultado, 0) << ruta;
        EXPECT_EQ(obj->vertices_qty, 0);
        EXPECT_EQ(obj->polygons_qty, 0);
        EXPECT_EQ(obj->name[0], '\0');
        EXPECT_EQ(obj->id_texture, 42);
    }
}

TEST(Load3ds, EmptyFileIsWalkedWithNothingToPrint) {
    const std::string ruta = ::testing::TempDir() + "torvane_vacio_" + std::to_string(getpid());
    std::ofstream(ruta, std::ios::binary).close();
    auto obj = std::make_unique<obj_type>();
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(Load3DS(obj.get(), ruta.c_str()), 1);
    std::fflush(stdout);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    std::remove(ruta.c_str());
}

TEST(CaraValida, CornersMustBeVerticesOfTheMesh) {
    auto obj = std::make_unique<obj_type>();
    obj->vertices_qty = 3;
    EXPECT_TRUE(caraValida(*obj, polygon_type{0, 1, 2, {}}));
    EXPECT_FALSE(caraValida(*obj, polygon_type{0, 3, 2, {}}));
    EXPECT_FALSE(caraValida(*obj, polygon_type{-1, 1, 2, {}}));
    obj->vertices_qty = 50000;
    EXPECT_FALSE(caraValida(*obj, polygon_type{0, 1, MAX_VERTICES, {}}));
    EXPECT_TRUE(caraValida(*obj, polygon_type{0, 1, MAX_VERTICES - 1, {}}));
}
