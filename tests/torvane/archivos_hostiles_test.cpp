// Level files found by the hostile-file runs: nested far too deeply for the parser.
#include "ciudad.h"
#include "configuracion.h"
#include "torre.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

// Two hundred thousand levels overflowed the stack of the sanitized build: such a file is now
// refused with one line, and nothing is created.
TEST(HostileLevelFile, DeepNestingIsRefusedWithOneLine) {
    std::string text = "<niveles><salud valor=\"5\"/>";
    for (int i = 0; i < 200000; ++i) {
        text += "<a>";
    }
    const std::string path = testing::TempDir() + "deep_configuracion.xml";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);

    std::map<int, std::map<int, Ciudad*>> ciudades;
    Torre* torres[3] = {nullptr, nullptr, nullptr};
    float posiciones[3][3] = {};
    const std::string error = cargarConfiguracion(path.c_str(), ciudades, torres, posiciones);
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_NE(error.find("niveles"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_TRUE(ciudades.empty());
    EXPECT_EQ(torres[0], nullptr);
}
