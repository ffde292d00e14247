// Difficulty and model files that once crashed a reader: nested far too deeply for the parser, or
// ending inside a character, so that the parser stepped past the end of its text.
#include "dificultad.h"
#include "modelo.h"

#include "cut_xml.h"
#include "page_end.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include <fcntl.h>
#include <unistd.h>

using namespace fenwar;

namespace {

// A file that says it holds `gib` GiB and takes no room on the disk.
std::string sparseFile(const std::string& name, int gib) {
    const std::string path = testing::TempDir() + name;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(ftruncate(fd, off_t(gib) << 30), 0);
    close(fd);
    return path;
}

std::string deeplyNested(int depth) {
    std::string text = "<r><Normal><a dificultad=\"7\"/>";
    for (int i = 0; i < depth; ++i) {
        text += "<a>";
    }
    for (int i = 0; i < depth; ++i) {
        text += "</a>";
    }
    return text + "</Normal></r>";
}

std::string writeTemp(const std::string& name, const std::string& text) {
    const std::string path = testing::TempDir() + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr);
    if (f != nullptr) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    return path;
}

bool isDefault(const dificultad& d) {
    const dificultad defecto;
    return d.RAD_CITY == defecto.RAD_CITY && d.SEPARACION_CITYS == defecto.SEPARACION_CITYS &&
           d.DIFICULTAD == defecto.DIFICULTAD && d.PUNTOS_AVION == defecto.PUNTOS_AVION &&
           d.PUNTOS_MISIL == defecto.PUNTOS_MISIL && d.CANT_HIT_AVION == defecto.CANT_HIT_AVION &&
           d.POR_HIT == defecto.POR_HIT;
}

// The text entry point over bytes that end at a page end, every allocation ending at one too.
bool readAtPageEnd(PageEnd& page, const std::string& text, dificultad& d) {
    const char* bytes = page.place(text.data(), text.size());
    PageEndAllocations allocations;
    return dificultadDesdeTexto(bytes, text.size(), d);
}

std::string readAsset(const std::string& name) {
    const char* assets = std::getenv("ASSETS");
    std::ifstream in(std::string(assets != nullptr ? assets : "assets") + "/" + name,
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

// Two hundred thousand levels overflowed the stack of the sanitized build, three million that of
// the plain one: such a file is now refused like any unloadable one.
TEST(HostileDifficultyFile, DeepNestingIsRefusedWithTheUsualMessage) {
    const std::string text = deeplyNested(300000);
    const std::string path = writeTemp("deep_dificultad.xml", text);

    testing::internal::CaptureStderr();
    const dificultad d = getDifficultad(path.c_str());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error al cargar el archivo xml " + path);
    EXPECT_EQ(d.DIFICULTAD, dificultad{}.DIFICULTAD);

    dificultad desdeTexto;
    EXPECT_FALSE(dificultadDesdeTexto(text.data(), text.size(), desdeTexto));
    EXPECT_EQ(desdeTexto.DIFICULTAD, dificultad{}.DIFICULTAD);
}

TEST(HostileDifficultyFile, ModestNestingIsStillRead) {
    const std::string text = deeplyNested(100);
    dificultad d;
    ASSERT_TRUE(dificultadDesdeTexto(text.data(), text.size(), d));
    EXPECT_EQ(d.DIFICULTAD, 7);
}

// The parser steps over a character by the length its first byte announces. A text ending in such
// a byte once sent it past the end of its copy, reading whatever lay after it. Here every byte
// the reader and the parser are handed ends at an unreadable page: a read past it stops the test.
TEST(HostileDifficultyFile, TextEndingInACutCharacterIsRefusedWithoutReadingPastIt) {
    PageEnd page(4096);
    for (const CutXml& t : textsEndingInACutCharacter()) {
        SCOPED_TRACE(t.name);
        dificultad d;
        EXPECT_FALSE(readAtPageEnd(page, t.bytes, d));
        EXPECT_TRUE(isDefault(d));

        const std::string path = writeTemp("cut_dificultad.xml", t.bytes);
        testing::internal::CaptureStderr();
        {
            PageEndAllocations allocations;
            d = getDifficultad(path.c_str());
        }
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error al cargar el archivo xml " + path);
        EXPECT_TRUE(isDefault(d));
    }
}

// Characters of every length, whole, in a file read as UTF-8 or as Latin-1, and a cut character
// after the root element (where the parser stops looking), are read as before.
TEST(HostileDifficultyFile, WholeCharactersAndBytesAfterTheRootAreReadAsBefore) {
    PageEnd page(4096);
    const std::string settings = "<d><Normal><a dificultad=\"7\" nota=\"a\xC3\xB1o \xE2\x9C\x93 "
                                 "\xF0\x9D\x84\x9E\"/></Normal></d>";
    for (const std::string& text :
         {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + settings, "\xEF\xBB\xBF" + settings,
          settings + "\n\xF4", "<?xml version=\"1.0\"?>" + settings + "\xE0",
          std::string("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<d>\r<Normal><a "
                      "dificultad=\"7\" nota=\"a\xF1o\xF4\"/></Normal></d>\xF0")}) {
        SCOPED_TRACE(text);
        dificultad d;
        EXPECT_TRUE(readAtPageEnd(page, text, d));
        EXPECT_EQ(d.DIFICULTAD, 7);
    }
}

// The OBJ reader is handed each shipped model cut at every length, the last byte always the last
// readable one: no cut makes it look past the end, and every face it keeps is whole.
TEST(HostileModelFile, ShippedModelsCutAtEveryLengthAreReadWithinTheirBytes) {
    for (const char* name : {"asca.obj", "Drone.obj"}) {
        SCOPED_TRACE(name);
        const std::string model = readAsset(name);
        ASSERT_GT(model.size(), 1000u);
        PageEnd page(model.size());
        std::size_t facesOfTheWhole = 0;
        for (std::size_t length = 0; length <= model.size(); ++length) {
            const char* bytes = page.place(model.data(), length);
            std::vector<vertice> v, n;
            std::vector<textura> t;
            const std::vector<Poligono> faces =
                cargarObjetoDesdeTexto(bytes, length, 0.2f, v, t, n);
            ASSERT_EQ(t.size(), v.size());
            ASSERT_EQ(n.size(), v.size());
            for (const Poligono& p : faces) {
                ASSERT_TRUE(poligonoValido(p, v.size(), t.size(), n.size()));
            }
            facesOfTheWhole = faces.size();
        }
        EXPECT_GT(facesOfTheWhole, 10u);
    }
}

// A file whose size says 64 GiB once made both readers ask for a buffer that large, and the refused
// allocation ended the game. Now it is too big to read: the usual message, at once.
TEST(HostileDifficultyFile, AFileTooBigToReadIsReportedAsUnloadable) {
    const std::string path = sparseFile("huge_dificultad.xml", 64);
    testing::internal::CaptureStderr();
    const dificultad d = getDifficultad(path.c_str());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error al cargar el archivo xml " + path);
    EXPECT_TRUE(isDefault(d));
    unlink(path.c_str());
}

TEST(HostileModelFileDeathTest, AFileTooBigToReadEndsTheProgramLikeAMissingOne) {
    const std::string path = sparseFile("huge.obj", 64);
    std::vector<vertice> v, n;
    std::vector<textura> t;
    EXPECT_EXIT(cargarObjeto(path.c_str(), 0.2f, v, t, n), testing::ExitedWithCode(1),
                "^No se pudo abrir el archivo " + path + "\n$");
    unlink(path.c_str());
}
