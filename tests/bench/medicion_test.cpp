// The benchmark's helpers: percentiles, result lines, core shares, phases, options, the tables'
// verdicts and the generated model files, read back by the games' own readers.
#include "fases.h"
#include "generador.h"
#include "medicion.h"
#include "opciones.h"
#include "tabla.h"

#include "modelo.h"
#include "modelo3ds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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

TEST(CoreShare, TheGamesPace) {
    // The games sleep what is left of 16 ms: a 4 ms frame still takes 16, a 20 ms one 20.
    EXPECT_DOUBLE_EQ(periodoAlRitmo(4.0, 16.0), 16.0);
    EXPECT_DOUBLE_EQ(periodoAlRitmo(20.0, 16.0), 20.0);
    EXPECT_DOUBLE_EQ(parteDeNucleo(8.0, periodoAlRitmo(4.0, 16.0)), 50.0);
    // Two drawing threads can make the processor time longer than the period.
    EXPECT_DOUBLE_EQ(parteDeNucleo(30.0, 20.0), 150.0);
    EXPECT_DOUBLE_EQ(parteDeNucleo(3.0, 0.0), 0.0);
}

TEST(Phases, NamesRoundTripAndUnknownOnesAreRefused) {
    for (Fase f : TODAS_LAS_FASES) {
        Fase leida = Fase::Quieta;
        EXPECT_TRUE(leerFase(nombreFase(f), leida)) << nombreFase(f);
        EXPECT_EQ(leida, f);
    }
    Fase f = Fase::Ciudad;
    EXPECT_FALSE(leerFase("", f));
    EXPECT_FALSE(leerFase("Girando", f));
    EXPECT_FALSE(leerFase("still", f));
    EXPECT_EQ(f, Fase::Ciudad);
}

TEST(Phases, ThePlayerActsEveryFifthOfASecondFromTheFirstFrame) {
    EXPECT_TRUE(tocaAccion(0));
    EXPECT_FALSE(tocaAccion(1));
    EXPECT_FALSE(tocaAccion(CUADROS_POR_ACCION - 1));
    EXPECT_TRUE(tocaAccion(CUADROS_POR_ACCION));
    EXPECT_TRUE(tocaAccion(5 * CUADROS_POR_ACCION));
    EXPECT_FALSE(tocaAccion(-CUADROS_POR_ACCION));
    int acciones = 0;
    for (int i = 0; i < 300; ++i) {
        acciones += tocaAccion(i) ? 1 : 0;
    }
    EXPECT_EQ(acciones, 25);
}

TEST(Phases, TheDragSweepsToAndFroOverTheSameAngles) {
    int suma = 0, minimo = 0, maximo = 0;
    for (int i = 0; i < 2 * DRAG_CUADROS; ++i) {
        EXPECT_EQ(std::abs(arrastre(i)), DRAG_PIXELES) << i;
        suma += arrastre(i);
        minimo = std::min(minimo, suma);
        maximo = std::max(maximo, suma);
    }
    // Back where it began after one sweep each way, having gone DRAG_CUADROS steps out.
    EXPECT_EQ(suma, 0);
    EXPECT_EQ(maximo - minimo, DRAG_PIXELES * DRAG_CUADROS);
    EXPECT_EQ(arrastre(2 * DRAG_CUADROS), arrastre(0));
    EXPECT_NE(arrastre(DRAG_CUADROS - 1), arrastre(DRAG_CUADROS));
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
        opciones({"--cuadros", "40", "--directo", "--foto", "a.ppm", "--fase", "ciudad"});
    EXPECT_TRUE(o.valida);
    EXPECT_EQ(o.cuadros, 40);
    EXPECT_EQ(o.fase, Fase::Ciudad);
    EXPECT_EQ(opciones({}).fase, Fase::Quieta);
    EXPECT_FALSE(opciones({"--fase", "corriendo"}).valida);
    EXPECT_FALSE(opciones({"--fase"}).valida);
    EXPECT_TRUE(o.directo);
    EXPECT_FALSE(opciones({}).directo);
    EXPECT_FALSE(opciones({"--sin-listas"}).valida);
    EXPECT_EQ(o.foto, "a.ppm");
    EXPECT_EQ(opciones({}).cuadros, 300);
    EXPECT_FALSE(opciones({"--cuadros", "0"}).valida);
    EXPECT_FALSE(opciones({"--cuadros", "12x"}).valida);
    EXPECT_FALSE(opciones({"--cuadros"}).valida);
    EXPECT_FALSE(opciones({"--foto"}).valida);
    EXPECT_FALSE(opciones({"--otra"}).valida);
}

// Every phase of both games measured the fast way, within the targets, and the still scene drawn
// directly (slower, with no target).
Medidas todoCumplido() {
    Medidas m = {{"fenwar_quieta_directo_mediana", 13.5},
                 {"fenwar_quieta_directo_p95", 15.0},
                 {"fenwar_quieta_directo_cpu", 14.0},
                 {"fenwar_quieta_directo_nucleo", 47.0},
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
    for (const std::string juego : {"fenwar", "torvane"}) {
        for (Fase f : TODAS_LAS_FASES) {
            const std::string c = juego + "_" + nombreFase(f);
            m[c + "_mediana"] = 5.5;
            m[c + "_p95"] = 9.0;
            m[c + "_cpu"] = 8.0;
            m[c + "_nucleo"] = 50.0;
        }
        m[juego + "_quieta_mediana"] = 2.5;
        m[juego + "_quieta_p95"] = 4.0;
        m[juego + "_quieta_cpu"] = 2.0;
        m[juego + "_quieta_nucleo"] = 12.0;
    }
    return m;
}

TEST(Table, EveryTargetMetWithThePeerRatios) {
    const Medidas m = todoCumplido();
    EXPECT_TRUE(objetivosCumplidos(m));
    const std::string t = tablaResultados(m);
    EXPECT_EQ(t.find("**no**"), std::string::npos) << t;
    EXPECT_NE(t.find("| Fenwar | still | fast | 2.50 ms | 4.00 ms | 2.00 ms | 12 % | "
                     "p95 <= 16 ms, <= 20 % | yes |"),
              std::string::npos)
        << t;
    // Drawn directly: the measures, no target.
    EXPECT_NE(t.find("| Fenwar | still | directly | 13.5 ms | 15.0 ms | 14.0 ms | 47 % |  |  |"),
              std::string::npos)
        << t;
    EXPECT_NE(t.find("| Torvane | changing tower | fast |"), std::string::npos) << t;
    // Only the still frame has a target for its share of a core.
    EXPECT_NE(t.find("| Fenwar | turning | fast | 5.50 ms | 9.00 ms | 8.00 ms | 50 % | "
                     "p95 <= 16 ms | yes |"),
              std::string::npos)
        << t;
    EXPECT_NE(t.find("1.60x the fastest peer"), std::string::npos) << t;
    EXPECT_NE(t.find("1.50x the fastest peer"), std::string::npos) << t;
    // Measures that were not taken leave their rows out.
    EXPECT_EQ(t.find("| Torvane | still | directly |"), std::string::npos) << t;
    // Ten phases of play the fast way, one drawn directly; then the start-up and reader table.
    EXPECT_EQ(std::count(t.begin(), t.end(), '\n'), 2 + 11 + 1 + 2 + 4) << t;
}

TEST(Table, AMissedTargetIsMarkedAndNamed) {
    const std::pair<const char*, const char*> casos[] = {
        {"fenwar_girando_p95", "**no**: 95th percentile |"},
        {"torvane_disparando_p95", "**no**: 95th percentile |"},
        {"fenwar_quieta_nucleo", "**no**: core share |"},
        {"torvane_quieta_nucleo", "**no**: core share |"},
        {"fenwar_arranque_mediana", "**no** |"},
        {"torvane_arranque_mediana", "**no** |"},
    };
    for (const auto& [clave, marca] : casos) {
        Medidas m = todoCumplido();
        m[clave] = 1000;
        EXPECT_FALSE(objetivosCumplidos(m)) << clave;
        EXPECT_NE(tablaResultados(m).find(marca), std::string::npos) << clave;
    }
    // Two missed at once are both named.
    Medidas dos = todoCumplido();
    dos["torvane_quieta_p95"] = 30;
    dos["torvane_quieta_nucleo"] = 31;
    EXPECT_NE(tablaResultados(dos).find("**no**: 95th percentile, core share |"),
              std::string::npos);
    // A phase in motion may take more of a core than a still one; the medians have no target.
    Medidas girando = todoCumplido();
    girando["fenwar_girando_nucleo"] = 90;
    girando["torvane_girando_mediana"] = 15;
    EXPECT_TRUE(objetivosCumplidos(girando));
    // The phases drawn directly have no target.
    Medidas directo = todoCumplido();
    directo["fenwar_quieta_directo_p95"] = 1000;
    EXPECT_TRUE(objetivosCumplidos(directo));
    // A target is met exactly at its limit.
    Medidas limite = todoCumplido();
    limite["fenwar_girando_p95"] = 16.0;
    limite["torvane_quieta_nucleo"] = 20.0;
    EXPECT_TRUE(objetivosCumplidos(limite));
}

TEST(Table, OnlyThePlayFramesOfAShortRun) {
    Medidas m;
    m["torvane_ciudad_mediana"] = 1.0;
    m["torvane_ciudad_p95"] = 2.0;
    m["torvane_ciudad_cpu"] = 1.0;
    const std::string t = tablaResultados(m);
    // No core share measured: a dash. No start-up or reader table at all.
    EXPECT_NE(t.find("| Torvane | city falling | fast | 1.00 ms | 2.00 ms | 1.00 ms | - |"),
              std::string::npos)
        << t;
    EXPECT_EQ(t.find("tinyobjloader"), std::string::npos) << t;
    EXPECT_EQ(tablaResultados({}), "");
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
        std::vector<fenwar::vertice> v, n;
        std::vector<fenwar::textura> t;
        const std::vector<fenwar::Poligono> leidas =
            fenwar::cargarObjetoDesdeTexto(texto.data(), texto.size(), 1.0f, v, t, n);
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
    const std::string archivo = generar3ds(torvane::MAX_VERTICES, torvane::MAX_POLYGONS);
    auto o = std::make_unique<torvane::obj_type>();
    std::string traza;
    torvane::leer3DS(*o, reinterpret_cast<const unsigned char*>(archivo.data()), archivo.size(),
                     traza);
    EXPECT_STREQ(o->name, "grilla");
    EXPECT_EQ(o->vertices_qty, torvane::MAX_VERTICES);
    EXPECT_EQ(o->polygons_qty, torvane::MAX_POLYGONS);
    for (int k = 0; k < torvane::MAX_POLYGONS; ++k) {
        ASSERT_TRUE(torvane::caraValida(*o, o->polygon[k])) << k;
    }
    const auto lineas = std::count(traza.begin(), traza.end(), '\n');
    // Eight chunks of two lines each, the two counts, 3 + 2 lines per vertex, 4 per face.
    EXPECT_EQ(lineas, 8 * 2 + 2 + 5 * torvane::MAX_VERTICES + 4 * torvane::MAX_POLYGONS);
}

TEST(GeneratedFiles, The3dsCountsAreCutToWhatAChunkCanHold) {
    const std::string vacio = generar3ds(-3, 0);
    auto o = std::make_unique<torvane::obj_type>();
    std::string traza;
    torvane::leer3DS(*o, reinterpret_cast<const unsigned char*>(vacio.data()), vacio.size(), traza);
    EXPECT_EQ(o->vertices_qty, 0);
    EXPECT_EQ(o->polygons_qty, 0);
    // 70000 faces do not fit a 16-bit count: the file says 65535.
    const std::string grande = generar3ds(10, 70000);
    EXPECT_EQ(grande.size(), generar3ds(10, 65535).size());
}

} // namespace
