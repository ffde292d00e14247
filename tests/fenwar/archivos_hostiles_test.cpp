// Difficulty files found by the hostile-file runs: nested far too deeply for the parser.
#include "dificultad.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

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

} // namespace

// Two hundred thousand levels overflowed the stack of the sanitized build, three million that of
// the plain one: such a file is now refused like any unloadable one.
TEST(HostileDifficultyFile, DeepNestingIsRefusedWithTheUsualMessage) {
    const std::string path = testing::TempDir() + "deep_dificultad.xml";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const std::string text = deeplyNested(300000);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);

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
