// Tests of the difficulty reader: the walk to the settings, value syntax and unusable files.
#include "dificultad.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>

using namespace fenwar;

namespace {

std::string writeTemp(const std::string& name, const std::string& text) {
    std::string path = testing::TempDir() + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    return path;
}

dificultad fromText(const std::string& text) {
    dificultad d;
    EXPECT_TRUE(dificultadDesdeTexto(text.data(), text.size(), d));
    return d;
}

void expectDefaults(const dificultad& d) {
    EXPECT_FLOAT_EQ(d.RAD_CITY, DEFECTO_RAD_CITY);
    EXPECT_FLOAT_EQ(d.SEPARACION_CITYS, DEFECTO_SEPARACION_CITYS);
    EXPECT_EQ(d.DIFICULTAD, DEFECTO_DIFICULTAD);
    EXPECT_EQ(d.PUNTOS_AVION, DEFECTO_PUNTOS_AVION);
    EXPECT_EQ(d.PUNTOS_MISIL, DEFECTO_PUNTOS_MISIL);
    EXPECT_EQ(d.CANT_HIT_AVION, DEFECTO_CANT_HIT_AVION);
    EXPECT_EQ(d.POR_HIT, DEFECTO_POR_HIT);
}

const char* kFull = "<juego><Normal><valores rad_city=\"0.3\" separacion_city=\"2.5\" "
                    "dificultad=\"7\" puntos_avion=\"40\" puntos_misil=\"4\" "
                    "cant_hit_avion=\"3\" por_hit=\"20\"/></Normal></juego>";

} // namespace

TEST(DifficultyWalk, ReadsAllSevenValuesFromAFile) {
    dificultad d = getDifficultad(writeTemp("full.xml", kFull).c_str());
    EXPECT_FLOAT_EQ(d.RAD_CITY, 0.3f);
    EXPECT_FLOAT_EQ(d.SEPARACION_CITYS, 2.5f);
    EXPECT_EQ(d.DIFICULTAD, 7);
    EXPECT_EQ(d.PUNTOS_AVION, 40);
    EXPECT_EQ(d.PUNTOS_MISIL, 4);
    EXPECT_EQ(d.CANT_HIT_AVION, 3);
    EXPECT_EQ(d.POR_HIT, 20);
}

TEST(DifficultyWalk, LaterElementsOverrideOnlyWhatTheyCarry) {
    dificultad d = fromText("<r><Otro por_hit=\"99\"/><Normal><a rad_city=\"0.3\" "
                            "separacion_city=\"2.5\" dificultad=\"7\" puntos_avion=\"40\" "
                            "puntos_misil=\"4\" cant_hit_avion=\"3\" por_hit=\"20\">texto</a>"
                            "<!-- nota --><b por_hit=\"35\"/></Normal></r>");
    EXPECT_FLOAT_EQ(d.RAD_CITY, 0.3f);
    EXPECT_EQ(d.DIFICULTAD, 7);
    EXPECT_EQ(d.CANT_HIT_AVION, 3);
    EXPECT_EQ(d.POR_HIT, 35);
}

TEST(DifficultyWalk, SettingsOutsideTheExpectedPathAreNotFound) {
    // A comment, or text, before the first element of Normal hides every setting.
    expectDefaults(fromText("<r><Normal><!-- c --><a dificultad=\"9\"/></Normal></r>"));
    expectDefaults(fromText("<r><Normal>hola<a dificultad=\"9\"/></Normal></r>"));
    // Normal must be a direct child of the root.
    expectDefaults(fromText("<r><x><Normal><a dificultad=\"9\"/></Normal></x></r>"));
    // No Normal, an empty Normal, or a lower-case name.
    expectDefaults(fromText("<r><a dificultad=\"9\"/></r>"));
    expectDefaults(fromText("<r><Normal/></r>"));
    expectDefaults(fromText("<r><normal><a dificultad=\"9\"/></normal></r>"));
    // Only the first Normal counts; the root's name does not.
    dificultad d = fromText("<cualquiera><Normal><a dificultad=\"8\"/></Normal>"
                            "<Normal><a dificultad=\"9\"/></Normal></cualquiera>");
    EXPECT_EQ(d.DIFICULTAD, 8);
}

TEST(DifficultyValues, ReadLikeAFormattedScan) {
    dificultad d = fromText("<r><Normal><a dificultad=\"7.9\" rad_city=\" 0.25\" "
                            "puntos_misil=\"12abc\" puntos_avion=\"abc\" por_hit=\"-4\" "
                            "separacion_city=\"1e1\" cant_hit_avion=\"\"/></Normal></r>");
    EXPECT_EQ(d.DIFICULTAD, 7);
    EXPECT_FLOAT_EQ(d.RAD_CITY, 0.25f);
    EXPECT_EQ(d.PUNTOS_MISIL, 12);
    EXPECT_EQ(d.PUNTOS_AVION, DEFECTO_PUNTOS_AVION);
    EXPECT_EQ(d.POR_HIT, -4);
    EXPECT_FLOAT_EQ(d.SEPARACION_CITYS, 10.0f);
    EXPECT_EQ(d.CANT_HIT_AVION, DEFECTO_CANT_HIT_AVION);
}

TEST(DifficultyValues, UnplayableValuesAreReplaced) {
    // The level divides the spawn intervals: zero or below must never reach the rules.
    EXPECT_EQ(fromText("<r><Normal><a dificultad=\"0\"/></Normal></r>").DIFICULTAD,
              DEFECTO_DIFICULTAD);
    EXPECT_EQ(fromText("<r><Normal><a dificultad=\"-3\"/></Normal></r>").DIFICULTAD,
              DEFECTO_DIFICULTAD);
    EXPECT_EQ(fromText("<r><Normal><a dificultad=\"0.9\"/></Normal></r>").DIFICULTAD,
              DEFECTO_DIFICULTAD);
    dificultad d = fromText("<r><Normal><a rad_city=\"nan\" separacion_city=\"1e99\" "
                            "puntos_misil=\"99999999999\" por_hit=\"-99999999999\"/></Normal></r>");
    EXPECT_FLOAT_EQ(d.RAD_CITY, DEFECTO_RAD_CITY);
    EXPECT_FLOAT_EQ(d.SEPARACION_CITYS, DEFECTO_SEPARACION_CITYS);
    EXPECT_EQ(d.PUNTOS_MISIL, 2147483647);
    EXPECT_EQ(d.POR_HIT, -2147483647 - 1);
}

TEST(DifficultyFiles, UnloadableFileReportsWithoutLineEndAndKeepsDefaults) {
    std::string dir = testing::TempDir() + "no_such_dir_xyz/";
    std::string missing = dir + "dificultad.xml";
    testing::internal::CaptureStderr();
    dificultad d = getDifficultad(missing.c_str());
    std::fprintf(stderr, "despues");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error al cargar el archivo xml " + missing + "despues");
    expectDefaults(d);

    for (const char* text : {"", "no es xml", "<r><Normal><a dificultad=\"9\"/></Normal>"}) {
        std::string path = writeTemp("bad.xml", text);
        testing::internal::CaptureStderr();
        expectDefaults(getDifficultad(path.c_str()));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error al cargar el archivo xml " + path);
    }

    // A directory or a device is not a difficulty file.
    std::string folder = testing::TempDir() + "dir.xml";
    mkdir(folder.c_str(), 0700);
    for (const std::string& path : {folder, std::string("/dev/null")}) {
        testing::internal::CaptureStderr();
        expectDefaults(getDifficultad(path.c_str()));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error al cargar el archivo xml " + path);
    }
}

TEST(DifficultyFiles, WellFormedFileWithoutSettingsSaysNothing) {
    std::string path = writeTemp("empty.xml", "<r/>");
    testing::internal::CaptureStderr();
    expectDefaults(getDifficultad(path.c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(DifficultyFiles, CrLfLinesAreRead) {
    dificultad d = getDifficultad(
        writeTemp("crlf.xml", "<r>\r\n<Normal>\r\n<a dificultad=\"9\"\r\n por_hit=\"3\"/>\r\n"
                              "</Normal>\r\n</r>\r\n")
            .c_str());
    EXPECT_EQ(d.DIFICULTAD, 9);
    EXPECT_EQ(d.POR_HIT, 3);
}
