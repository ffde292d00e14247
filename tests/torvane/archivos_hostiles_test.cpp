// Level and model files that once crashed a reader: nested far too deeply for the parser, or
// ending inside a character, so that the parser stepped past the end of its text.
#include "ciudad.h"
#include "configuracion.h"
#include "modelo3ds.h"
#include "torre.h"

#include "cut_xml.h"
#include "page_end.h"
#include "temp_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include <unistd.h>

using namespace torvane;

namespace {

// What one reading of a level file left: the message and whatever was created (freed at the end).
struct Level {
    std::map<int, std::map<int, Ciudad*>> ciudades;
    Torre* torres[3] = {nullptr, nullptr, nullptr};
    float posiciones[3][3] = {};

    ~Level() {
        for (auto& nivel : ciudades) {
            for (auto& c : nivel.second) {
                delete c.second;
            }
        }
        for (Torre* t : torres) {
            delete t;
        }
    }

    bool nothingCreated() const {
        return ciudades.empty() && torres[0] == nullptr && torres[1] == nullptr &&
               torres[2] == nullptr;
    }
};

const std::string kLevels = "<niveles><salud valor=\"5\"/><ciudad lvl=\"1\" id=\"0\" x=\"1\" "
                            "y=\"0\" z=\"2\" nota=\"a\xC3\xB1o \xE2\x9C\x93 \xF0\x9D\x84\x9E\"/>"
                            "</niveles>\n<torres><municion cant=\"9\"/><torre id=\"0\" x=\"0\" "
                            "y=\"0\" z=\"0\"/><torre id=\"1\" x=\"0\" y=\"0\" z=\"0\"/><torre "
                            "id=\"2\" x=\"0\" y=\"0\" z=\"0\"/></torres>";

} // namespace

// Two hundred thousand levels overflowed the stack of the sanitized build: such a file is now
// refused with one line, and nothing is created.
TEST(HostileLevelFile, DeepNestingIsRefusedWithOneLine) {
    std::string text = "<niveles><salud valor=\"5\"/>";
    for (int i = 0; i < 200000; ++i) {
        text += "<a>";
    }
    const std::string path = writeTemp("deep_configuracion.xml", text);

    Level level;
    const std::string error =
        cargarConfiguracion(path.c_str(), level.ciudades, level.torres, level.posiciones);
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_NE(error.find("niveles"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_TRUE(level.nothingCreated());
}

// The parser steps over a character by the length its first byte announces. A text ending in such
// a byte once sent it past the end of its copy, reading whatever lay after it. Here every byte
// the reader and the parser are handed ends at an unreadable page: a read past it stops the test.
TEST(HostileLevelFile, TextEndingInACutCharacterIsRefusedWithoutReadingPastIt) {
    PageEnd page(4096);
    for (const CutXml& t : textsEndingInACutCharacter()) {
        SCOPED_TRACE(t.name);
        const char* bytes = page.place(t.bytes.data(), t.bytes.size());
        Level fromText;
        std::string error;
        {
            PageEndAllocations allocations;
            error = configuracionDesdeTexto("nivel.xml", bytes, t.bytes.size(), fromText.ciudades,
                                            fromText.torres, fromText.posiciones);
        }
        EXPECT_EQ(
            error.rfind("Error en el archivo de configuración nivel.xml: no es XML válido", 0), 0u)
            << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
        EXPECT_EQ(error.find("línea 0"), std::string::npos) << error;
        EXPECT_TRUE(fromText.nothingCreated());

        const std::string path = writeTemp("cut_configuracion.xml", t.bytes);
        Level fromFile;
        {
            PageEndAllocations allocations;
            error = cargarConfiguracion(path.c_str(), fromFile.ciudades, fromFile.torres,
                                        fromFile.posiciones);
        }
        EXPECT_EQ(
            error.rfind("Error en el archivo de configuración " + path + ": no es XML válido", 0),
            0u)
            << error;
        EXPECT_TRUE(fromFile.nothingCreated());
    }
}

// A level file cut inside a character, in the value of a city's attribute, is reported with the
// line of that city, as any other fault would be.
TEST(HostileLevelFile, ACutCharacterIsReportedWithItsLine) {
    PageEnd page(4096);
    const std::string text =
        "<?xml version=\"1.0\"?>\n" + kLevels.substr(0, kLevels.find("nota=") + 7) + "\xEE";
    const char* bytes = page.place(text.data(), text.size());
    Level level;
    PageEndAllocations allocations;
    const std::string error = configuracionDesdeTexto("c.xml", bytes, text.size(), level.ciudades,
                                                      level.torres, level.posiciones);
    EXPECT_EQ(error, "Error en el archivo de configuración c.xml: no es XML válido en la línea 2: "
                     "Error parsing Element");
}

// Characters of every length, whole, and a cut character after the last element (where the parser
// stops looking), are read as before.
TEST(HostileLevelFile, WholeCharactersAndBytesAfterTheLastElementAreReadAsBefore) {
    PageEnd page(4096);
    for (const std::string& text :
         {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + kLevels, "\xEF\xBB\xBF" + kLevels,
          kLevels + "\n\xF4", "<?xml version=\"1.0\"?>" + kLevels + "\xE0"}) {
        SCOPED_TRACE(text);
        const char* bytes = page.place(text.data(), text.size());
        Level level;
        std::string error;
        {
            PageEndAllocations allocations;
            error = configuracionDesdeTexto("c.xml", bytes, text.size(), level.ciudades,
                                            level.torres, level.posiciones);
        }
        EXPECT_EQ(error, "");
        ASSERT_EQ(level.ciudades.size(), 1u);
        EXPECT_EQ(level.ciudades[1][0]->getZ(), 2.0f);
        ASSERT_NE(level.torres[2], nullptr);
        EXPECT_EQ(level.torres[2]->getMunicion(), 9);
    }
}

// The 3DS reader is handed each shipped model cut at every length, the last byte always the last
// readable one: no cut makes it look past the end, and the mesh stays within its arrays.
TEST(HostileModelFile, ShippedModelsCutAtEveryLengthAreReadWithinTheirBytes) {
    auto objeto = std::make_unique<obj_type>();
    std::string traza;
    for (const char* name : {"missile.3DS", "cubo.3DS"}) {
        SCOPED_TRACE(name);
        const std::string model = readAsset(name);
        ASSERT_GT(model.size(), 1000u);
        PageEnd page(model.size());
        int facesOfTheWhole = 0;
        for (std::size_t length = 0; length <= model.size(); ++length) {
            const auto* bytes =
                reinterpret_cast<const unsigned char*>(page.place(model.data(), length));
            *objeto = obj_type{};
            traza.clear();
            leer3DS(*objeto, bytes, length, traza);
            ASSERT_GE(objeto->vertices_qty, 0);
            ASSERT_LE(objeto->vertices_qty, MAX_VERTICES);
            ASSERT_GE(objeto->polygons_qty, 0);
            ASSERT_LE(objeto->polygons_qty, MAX_POLYGONS);
            facesOfTheWhole = objeto->polygons_qty;
        }
        EXPECT_GT(facesOfTheWhole, 10);
    }
}

// A level file whose size says 64 GiB was read on and on until memory ran out; one of 2 GiB made
// the 3DS reader take and zero 2 GiB. Both are now refused from their size, before any read.
TEST(HostileLevelFile, AFileTooBigToReadIsReportedWithOneLine) {
    const std::string path = sparseFile("huge_configuracion.xml", 64);
    Level level;
    EXPECT_EQ(cargarConfiguracion(path.c_str(), level.ciudades, level.torres, level.posiciones),
              "Error en el archivo de configuración " + path +
                  ": es demasiado grande (más de 1024 MB)");
    EXPECT_TRUE(level.nothingCreated());
    unlink(path.c_str());
}

TEST(HostileModelFile, AFileTooBigToReadIsNotLoaded) {
    const std::string path = sparseFile("huge.3DS", 2);
    auto objeto = std::make_unique<obj_type>();
    testing::internal::CaptureStdout();
    EXPECT_EQ(Load3DS(objeto.get(), path.c_str()), 0);
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(objeto->vertices_qty, 0);
    unlink(path.c_str());
}
