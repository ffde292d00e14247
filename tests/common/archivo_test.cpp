// Tests of the whole-file reader: every kind of file, sizes that lie, and the most it takes.
#include "archivo.h"
#include "temp_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string contents(const Archivo& a) {
    return std::string(a.datos.get(), a.largo);
}

} // namespace

TEST(WholeFile, RegularFilesAreReadWholeEmptyOnesToo) {
    std::string bytes(200000, 'x');
    bytes[0] = '\0';
    bytes[199999] = '\xEE';
    const Archivo a = leerArchivo(writeTemp("whole.bin", bytes).c_str());
    ASSERT_TRUE(a.leido());
    EXPECT_EQ(contents(a), bytes);

    const Archivo empty = leerArchivo(writeTemp("empty.bin", "").c_str());
    ASSERT_TRUE(empty.leido());
    EXPECT_EQ(empty.largo, 0u);
}

TEST(WholeFile, MissingFilesAndFoldersAreNotRead) {
    const Archivo missing = leerArchivo((testing::TempDir() + "no_such_file.xml").c_str());
    EXPECT_EQ(missing.estado, Archivo::Estado::no_se_abre);
    EXPECT_EQ(missing.error, ENOENT);
    EXPECT_FALSE(missing.datos);

    const Archivo folder = leerArchivo(testing::TempDir().c_str());
    EXPECT_EQ(folder.estado, Archivo::Estado::no_se_lee);
    EXPECT_EQ(folder.error, EISDIR);
    EXPECT_FALSE(folder.datos);
}

// Files whose status gives no size, or the wrong one, are read to their end all the same.
TEST(WholeFile, SizesThatLieAreReadToTheRealEnd) {
    const Archivo status = leerArchivo("/proc/self/status");
    ASSERT_TRUE(status.leido());
    EXPECT_NE(contents(status).find("Name:"), std::string::npos);

    // A file of /sys says 4096 bytes and holds a few: the read is short, and what it gave is the
    // file.
    const char* online = "/sys/devices/system/cpu/online";
    struct stat info;
    if (stat(online, &info) != 0 || info.st_size != 4096) {
        GTEST_SKIP() << online << " is not here, or does not give the page size as its own";
    }
    const Archivo cpus = leerArchivo(online);
    ASSERT_TRUE(cpus.leido());
    EXPECT_GT(cpus.largo, 0u);
    EXPECT_LT(cpus.largo, 4096u);
    EXPECT_EQ(contents(cpus).back(), '\n');
}

// Pipes and devices: read until they end when taken, refused before any read when not.
TEST(WholeFile, PipesAndDevicesAreReadOrRefusedAsAsked) {
    const Archivo null = leerArchivo("/dev/null");
    ASSERT_TRUE(null.leido());
    EXPECT_EQ(null.largo, 0u);
    const Archivo refused = leerArchivo("/dev/null", Admite::solo_regulares);
    EXPECT_EQ(refused.estado, Archivo::Estado::no_se_lee);
    EXPECT_EQ(refused.error, EINVAL);

    int tubo[2];
    ASSERT_EQ(pipe(tubo), 0);
    const std::string bytes(300000, 'p');
    std::thread writer([&] {
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t w = write(tubo[1], bytes.data() + done, bytes.size() - done);
            if (w <= 0) {
                break;
            }
            done += static_cast<std::size_t>(w);
        }
        close(tubo[1]);
    });
    const Archivo piped = leerDescriptor(tubo[0]);
    writer.join();
    close(tubo[0]);
    ASSERT_TRUE(piped.leido());
    EXPECT_EQ(contents(piped), bytes);
}

// A named pipe nobody writes to, left by a player as a data file, neither holds the game at
// start-up nor passes for a file when only regular files are taken.
// Where only files are read, a named pipe is refused at once; where pipes are read (the models),
// the reader waits for the pipe's writer, as ObjFile's pipe test shows.
TEST(WholeFile, ANamedPipeWithNoWriterIsRefusedWithoutWaitingWhereOnlyFilesAreRead) {
    const std::string path = testing::TempDir() + "fifo.xml";
    unlink(path.c_str());
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    const Archivo refused = leerArchivo(path.c_str(), Admite::solo_regulares);
    const auto waited = std::chrono::steady_clock::now() - start;
    unlink(path.c_str());
    EXPECT_EQ(refused.estado, Archivo::Estado::no_se_lee);
    EXPECT_LT(waited, std::chrono::seconds(2));
}

// More than the most is refused: a regular file at once from its size, without a read (a sparse
// file of 64 GiB takes no time), a stream once it has given one byte too many.
TEST(WholeFile, MoreThanTheMostIsRefused) {
    const std::string path = writeTemp("limit.bin", std::string(1000, 'a'));
    EXPECT_TRUE(leerArchivo(path.c_str(), Admite::cualquiera, 1000).leido());
    const Archivo over = leerArchivo(path.c_str(), Admite::cualquiera, 999);
    EXPECT_EQ(over.estado, Archivo::Estado::demasiado_grande);
    EXPECT_FALSE(over.datos);

    const std::string sparse = sparseFile("sparse.bin", 64);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(leerArchivo(sparse.c_str()).estado, Archivo::Estado::demasiado_grande);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    unlink(sparse.c_str());

    const Archivo endless = leerArchivo("/dev/zero", Admite::cualquiera, 1 << 20);
    EXPECT_EQ(endless.estado, Archivo::Estado::demasiado_grande);
    EXPECT_FALSE(endless.datos);
}

TEST(WholeFile, ADescriptorIsReadFromWhereItStands) {
    const std::string path = writeTemp("offset.bin", "0123456789");
    const int fd = open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(lseek(fd, 4, SEEK_SET), 4);
    const Archivo rest = leerDescriptor(fd);
    close(fd);
    ASSERT_TRUE(rest.leido());
    EXPECT_EQ(contents(rest), "456789");
}
