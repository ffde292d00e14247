// Test helper: files made in the test's temporary folder, and the games' data files read whole.
#include "temp_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <unistd.h>

std::string writeTemp(const std::string& name, const std::string& bytes) {
    const std::string path = testing::TempDir() + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr) << path;
    if (f != nullptr) {
        EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size()) << path;
        EXPECT_EQ(std::fclose(f), 0) << path;
    }
    return path;
}

std::string sparseFile(const std::string& name, int gib) {
    const std::string path = testing::TempDir() + name;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    EXPECT_GE(fd, 0) << path;
    if (fd >= 0) {
        EXPECT_EQ(ftruncate(fd, off_t(gib) << 30), 0) << path;
        close(fd);
    }
    return path;
}

std::string readAsset(const std::string& name) {
    const char* assets = std::getenv("ASSETS");
    std::ifstream in(std::string(assets != nullptr ? assets : "assets") + "/" + name,
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
