// The benchmark's helpers: percentiles, result lines, options, the table's verdicts and the
// generated model files, read back by the games' own readers.
#include "generador.h"
#include "medicion.h"
#include "opciones.h"
#include "tabla.h"

#include "modelo.h"
#include "modelo3ds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

TEST(Percentile, MedianAndInterpolatedRanks) {
    EXPECT_DOUBLE_EQ(percentil({5.0, 1.0, 3.0}, 50), 3.0);
    EXPECT_DOUBLE_EQ(percentil({4.0, 1.0, 3.0, 2.0}, 50), 2.5);
    std::vector<double> cien;
    for (int i = 1; i <= 100; ++i) {
        cien.push_back(i);
    }
    EXPECT_NEAR(percentil(cien, 99), 99.01, 1e-9);
    EXPECT_DOUBLE_EQ(percentil(cien, 100), 100.0);
    EXPECT_DOUBLE_EQ(percentil(cien, 0), 1.0);
}

TEST(Percentile, EdgeCases) {
    EXPECT_DOUBLE_EQ(percentil({}, 50), 0.0);
    EXPECT_DOUBLE_EQ(percentil({7.0}, 99), 7.0);
    // Out-of-range ranks are held to the ends.
    EXPECT_DOUBLE_EQ(percentil({1.0, 2.0}, 150), 2.0);
    EXPECT_DOUBLE_EQ(percentil({1.0, 2.0}, -5), 1.0);
}

TEST(ResultLine, RoundTripsAndRejectsOtherText) {
    std::string clave;
    double valor = 0;
    ASSERT_TRUE(leerMedida(lineaMedida("fenwar_cuadro_mediana", 2.25), clave, valor));
    EXPECT_EQ(clave, "fenwar_cuadro_mediana");
    EXPECT_DOUBLE_EQ(valor, 2.25);
    EXPECT_FALSE(leerMedida("ChunkID: 4d4d", clave, valor));
    EXPECT_FALSE(leerMedida("medida sin_valor", clave, valor));
    EXPECT_FALSE(leerMedida("medida a 1 sobra", clave, valor));
    EXPECT_FALSE(leerMedida("", clave, valor));
}

OpcionesCuadros opciones(std::vector<std::string> args) {
    args.insert(args.begin(), "bench-x");
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    return leerOpciones(static_cast<int>(argv.size()), argv.data());
}

TEST(FrameOptions, AcceptsTheFourOptionsAndRejectsTheRest) {
    OpcionesCuadros o =
        opciones({"--cuadros", "40", "--sin-listas", "--foto", "a.ppm", "--sin-capa"});
    EXPECT_TRUE(o.valida);
    EXPECT_EQ(o.cuadros, 40);
    EXPECT_TRUE(o.sinListas);
    EXPECT_TRUE(o.sinCapa);
    EXPECT_FALSE(opciones({"--sin-listas"}).sinCapa);
    EXPECT_EQ(o.foto, "a.ppm");
    EXPECT_EQ(opciones({}).cuadros, 300);
    EXPECT_FALSE(opciones({"--cuadros", "0"}).valida);
    EXPECT_FALSE(opciones({"--cuadros", "12x"}).valida);
    EXPECT_FALSE(opciones({"--cuadros"}).valida);
    EXPECT_FALSE(opciones({"--foto"}).valida);
    EXPECT_FALSE(opciones({"--otra"}).valida);
}

Medidas todoCumplido() {
    return {{"fenwar_cuadro_mediana", 2.5},
            {"fenwar_cuadro_p99", 4.0},
            {"torvane_cuadro_mediana", 1.5},
            {"fenwar_arranque_mediana", 120},
            {"torvane_arranque_mediana", 150},
            {"obj_nuestro", 500},
            {"obj_tinyobjloader", 800},
            {"obj_assimp", 2000},
            {"obj_mb", 104},
            {"obj_caras", 1000000},
            {"3ds_nuestro", 1.0},
            {"3ds_lib3ds", 1.5},
            {"3ds_caras", 8000},
            {"3ds_kb", 224}};
}

TEST(Table, EveryTargetMetWithThePeerRatios) {
    const Medidas m = todoCumplido();
    EXPECT_TRUE(objetivosCumplidos(m));
    const std::string t = tablaResultados(m);
    EXPECT_EQ(t.find("**no**"), std::string::npos) << t;
    EXPECT_NE(t.find("| Fenwar play frame, median | 2.50 ms |"), std::string::npos) << t;
    EXPECT_NE(t.find("1.60x the fastest peer"), std::string::npos) << t;
    EXPECT_NE(t.find("1.50x the fastest peer"), std::string::npos) << t;
    // Measures that were not taken leave their rows out.
    EXPECT_EQ(t.find("in immediate mode"), std::string::npos) << t;
}

TEST(Table, AMissedTargetIsMarked) {
    for (const char* clave : {"fenwar_cuadro_mediana", "torvane_cuadro_mediana",
                              "fenwar_arranque_mediana", "torvane_arranque_mediana"}) {
        Medidas m = todoCumplido();
        m[clave] = 1000;
        EXPECT_FALSE(objetivosCumplidos(m)) << clave;
        EXPECT_NE(tablaResultados(m).find("**no**"), std::string::npos) << clave;
    }
    // A target is met exactly at its limit.
    Medidas limite = todoCumplido();
    limite["fenwar_cuadro_mediana"] = 3.0;
    EXPECT_TRUE(objetivosCumplidos(limite));
}

TEST(Table, AReaderSlowerThanTheFastestPeerMissesItsTarget) {
    Medidas m = todoCumplido();
    m["obj_assimp"] = 400; // now faster than ours, though tinyobjloader is not
    EXPECT_FALSE(objetivosCumplidos(m));
    EXPECT_NE(tablaResultados(m).find("**no**, 0.80x"), std::string::npos);
    // Without any peer there is nothing to compare with: no verdict against the reader.
    Medidas solo = todoCumplido();
    solo.erase("obj_tinyobjloader");
    solo.erase("obj_assimp");
    EXPECT_TRUE(objetivosCumplidos(solo));
    const std::string t = tablaResultados(solo);
    EXPECT_NE(t.find("no peer measured"), std::string::npos) << t;
    EXPECT_NE(t.find("| 500.0 ms, 208 MB/s | - | - | - |"), std::string::npos) << t;
}

TEST(GeneratedFiles, TheObjHasExactlyTheFacesAskedForAndAllAreValid) {
    for (int caras : {1, 2, 1999, 2000, 2001, 5000}) {
        const std::string texto = generarObj(caras);
        std::vector<vertice> v, n;
        std::vector<textura> t;
        const std::vector<Poligono> leidas =
            cargarObjetoDesdeTexto(texto.data(), texto.size(), 1.0f, v, t, n);
        EXPECT_EQ(leidas.size(), static_cast<std::size_t>(caras)) << caras;
        // One texture coordinate and one normal were written for every position.
        const std::size_t lineasVt =
            static_cast<std::size_t>(std::count(texto.begin(), texto.end(), 't'));
        EXPECT_EQ(lineasVt, v.size()) << caras;
        EXPECT_EQ(t.size(), v.size());
        EXPECT_EQ(n.size(), v.size());
    }
    EXPECT_TRUE(generarObj(0).find("\nf ") == std::string::npos);
}

TEST(GeneratedFiles, The3dsFillsTheWholeRecordAndTracesEveryEntry) {
    const std::string archivo = generar3ds(MAX_VERTICES, MAX_POLYGONS);
    auto o = std::make_unique<obj_type>();
    std::string traza;
    leer3DS(*o, reinterpret_cast<const unsigned char*>(archivo.data()), archivo.size(), traza);
    EXPECT_STREQ(o->name, "grilla");
    EXPECT_EQ(o->vertices_qty, MAX_VERTICES);
    EXPECT_EQ(o->polygons_qty, MAX_POLYGONS);
    for (int k = 0; k < MAX_POLYGONS; ++k) {
        ASSERT_TRUE(caraValida(*o, o->polygon[k])) << k;
    }
    const auto lineas = std::count(traza.begin(), traza.end(), '\n');
    // Eight chunks of two lines each, the two counts, 3 + 2 lines per vertex, 4 per face.
    EXPECT_EQ(lineas, 8 * 2 + 2 + 5 * MAX_VERTICES + 4 * MAX_POLYGONS);
}

TEST(GeneratedFiles, The3dsCountsAreCutToWhatAChunkCanHold) {
    const std::string vacio = generar3ds(-3, 0);
    auto o = std::make_unique<obj_type>();
    std::string traza;
    leer3DS(*o, reinterpret_cast<const unsigned char*>(vacio.data()), vacio.size(), traza);
    EXPECT_EQ(o->vertices_qty, 0);
    EXPECT_EQ(o->polygons_qty, 0);
    // 70000 faces do not fit a 16-bit count: the file says 65535.
    const std::string grande = generar3ds(10, 70000);
    EXPECT_EQ(grande.size(), generar3ds(10, 65535).size());
}

} // namespace
