// Tests of the OBJ reader: line rules, number syntax, list trimming and faces that must be dropped.
#include "modelo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace fenwar;

namespace {

struct Model {
    std::vector<vertice> v;
    std::vector<textura> t;
    std::vector<vertice> n;
    std::vector<Poligono> f;
};

Model load(const std::string& text, float scale = 1.0f) {
    Model m;
    m.f = cargarObjetoDesdeTexto(text.data(), text.size(), scale, m.v, m.t, m.n);
    return m;
}

void expectVec(const vertice& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

const std::string kSquare = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";

} // namespace

TEST(ObjLines, PositionsAreScaledNormalsAndTexturesAreNot) {
    Model m = load("v 5 10 -5\nvn 0 1 0\nvt 0.25 0.75\n", 0.2f);
    ASSERT_EQ(m.v.size(), 1u);
    expectVec(m.v[0], 1, 2, -1);
    expectVec(m.n[0], 0, 1, 0);
    EXPECT_FLOAT_EQ(m.t[0].x, 0.25f);
    EXPECT_FLOAT_EQ(m.t[0].y, 0.75f);
    expectVec(load("v 1.5 2.5 -3.5\n").v[0], 1.5f, 2.5f, -3.5f);
}

TEST(ObjLines, SpacingExtraNumbersAndLineEnds) {
    Model m = load("v   1  2   3 \nv 4 5 6 7\r\nvt 1 2 3\r\nv 7 8 9");
    ASSERT_EQ(m.v.size(), 3u);
    expectVec(m.v[0], 1, 2, 3);
    expectVec(m.v[1], 4, 5, 6);
    expectVec(m.v[2], 7, 8, 9);
    EXPECT_FLOAT_EQ(m.t[0].y, 2.0f);
}

TEST(ObjLines, NumberTokensTakeTheirLongestLeadingNumber) {
    Model m = load("v 1e2 -.5 +3\nv 1.5abc 2e 7.\nv abc - 1e999\n");
    expectVec(m.v[0], 100, -0.5f, 3);
    expectVec(m.v[1], 1.5f, 2, 7);
    // Not a number, or beyond the float range: 0, never infinity.
    expectVec(m.v[2], 0, 0, 0);
}

TEST(ObjLines, ShortLinesFillWithZeroAndKeepTheNumbering) {
    Model m = load("v 1\nv\t9 9 9\nv \nvt 0.5\nvt \n");
    ASSERT_EQ(m.v.size(), 2u);
    expectVec(m.v[0], 1, 0, 0);
    expectVec(m.v[1], 0, 0, 0);
    EXPECT_FLOAT_EQ(m.t[0].x, 0.5f);
    EXPECT_FLOAT_EQ(m.t[0].y, 0.0f);
}

TEST(ObjLines, OtherLinesAreIgnored) {
    Model m = load("# comment v 1 2 3\no obj\ng grupo\ns 1\nusemtl x\nmtllib a.mtl\n\n"
                   "V 1 2 3\n v 1 2 3\nv\t1 2 3\nf\t1/1/1 1/1/1 1/1/1\nvn\t1 1 1\nvp 1 2\n");
    EXPECT_TRUE(m.v.empty());
    EXPECT_TRUE(m.t.empty());
    EXPECT_TRUE(m.n.empty());
    EXPECT_TRUE(m.f.empty());
}

TEST(ObjLists, NormalsAndTexturesFollowThePositionCount) {
    Model m = load(kSquare);
    ASSERT_EQ(m.t.size(), 4u);
    ASSERT_EQ(m.n.size(), 4u);
    expectVec(m.n[3], 0, 0, 0);
    EXPECT_FLOAT_EQ(m.t[3].x, 0.0f);

    m = load(kSquare + "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvt 5 5\nvt 6 6\nvn 0 0 1\n");
    ASSERT_EQ(m.t.size(), 4u);
    EXPECT_FLOAT_EQ(m.t[3].y, 1.0f);
    ASSERT_EQ(m.n.size(), 4u);
    expectVec(m.n[0], 0, 0, 1);
}

TEST(ObjFaces, CornersBecomeZeroBasedIndexLists) {
    Poligono p = procesarPoligono("1/1/1 2/2/2 3/3/3", 17);
    EXPECT_EQ(p.vertices, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(p.texturas, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(p.normales, (std::vector<int>{0, 1, 2}));

    Model m = load(kSquare + "f 1/2/3 2/3/4  3/4/1 4/1/2 \nf 1/1/1 2/2/2 3/3/3\r\n");
    ASSERT_EQ(m.f.size(), 2u);
    EXPECT_EQ(m.f[0].vertices, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(m.f[0].texturas, (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(m.f[0].normales, (std::vector<int>{2, 3, 0, 1}));
    EXPECT_EQ(m.f[1].normales, (std::vector<int>{0, 1, 2}));
}

TEST(ObjFaces, FacesOutsideTheSubsetOrTheListsAreDropped) {
    const char* bad[] = {
        "f 1/1/1 2/2/2 5/5/5",    // position beyond the list
        "f 1/1/1 2/2/2 3/5/3",    // texture index beyond the (trimmed) list
        "f 0/0/0 1/1/1 2/2/2",    // files count from 1
        "f -1/-1/-1 1/1/1 2/2/2", // relative indices
        "f 1//1 2//2 3//3",       // missing texture index
        "f 1/1 2/2 3/3",          // two parts
        "f 1 2 3",                // one part
        "f 1/1/1/1 2/2/2 3/3/3",  // four parts
        "f a/1/1 2/2/2 3/3/3",    // not a number
        "f 99999999999/1/1 2/2/2 3/3/3",
        "f -2147483648/1/1 2/2/2 3/3/3",
        "f 1/1/1 2/2/2", // fewer than three corners
        "f ",
    };
    for (const char* face : bad) {
        Model m = load(kSquare + face + "\nf 1/1/1 2/2/2 3/3/3\n");
        ASSERT_EQ(m.f.size(), 1u) << face;
        EXPECT_EQ(m.f[0].vertices, (std::vector<int>{0, 1, 2})) << face;
    }
}

TEST(ObjFaces, ValidityChecksEveryListAndTheCornerCount) {
    Poligono p{{0, 1, 2}, {0, 1, 2}, {0, 1, 2}};
    EXPECT_TRUE(poligonoValido(p, 3, 3, 3));
    EXPECT_FALSE(poligonoValido(p, 3, 2, 3));
    EXPECT_FALSE(poligonoValido(p, 3, 3, 2));
    p.normales.pop_back();
    EXPECT_FALSE(poligonoValido(p, 3, 3, 3));
}

TEST(ObjBytes, GarbageNeverReadsOutsideTheText) {
    const char garbage[] = "\0v 1 2\0 3\nf \xff/\0/1\nv\nf 1/1/1 2/2/2 3/";
    std::string text = kSquare + "f 1/1/1 2/2/2 3/3/3\n" + std::string(garbage, sizeof garbage - 1);
    Model m = load(text);
    EXPECT_EQ(m.v.size(), 4u);
    EXPECT_EQ(m.f.size(), 1u);
    // A face cut at the very end of the data.
    Model cut = load(kSquare + "f 1/1/1 2/2/2 3/3/");
    EXPECT_TRUE(cut.f.empty());
    Model empty = load("");
    EXPECT_TRUE(empty.v.empty());
}

TEST(ObjFile, ReadsAFileLikeTheText) {
    std::string path = testing::TempDir() + "model.obj";
    std::string text = kSquare + "vt 0 0\nvn 0 0 -1\nf 1/1/1 2/1/1 3/1/1 4/1/1\n";
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    std::vector<vertice> v, n;
    std::vector<textura> t;
    std::vector<Poligono> faces = cargarObjeto(path.c_str(), 0.5f, v, t, n);
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_EQ(faces[0].vertices.size(), 4u);
    expectVec(v[2], 0.5f, 0.5f, 0);
    expectVec(n[0], 0, 0, -1);
}

// The reader goes to the end of what it is given, whatever the size said at the start: a pipe has
// no size, and a model spanning many read blocks must arrive whole.
TEST(ObjFile, ReadsPipesAndFilesLargerThanOneBlock) {
    std::string text;
    for (int i = 0; i < 20000; ++i) {
        text += "v " + std::to_string(i) + " 1 2\n";
    }
    text += "vt 0 0\nvn 0 0 1\nf 1/1/1 20000/1/1 777/1/1\n";
    std::string path = testing::TempDir() + "big.obj";
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    std::vector<vertice> v, n;
    std::vector<textura> t;
    ASSERT_EQ(cargarObjeto(path.c_str(), 1.0f, v, t, n).size(), 1u);
    ASSERT_EQ(v.size(), 20000u);
    expectVec(v[19999], 19999, 1, 2);

    std::string fifo = testing::TempDir() + "model.fifo";
    unlink(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] {
        const int fd = open(fifo.c_str(), O_WRONLY);
        for (std::size_t done = 0; fd >= 0 && done < text.size();) {
            const ssize_t w =
                write(fd, text.data() + done, std::min<std::size_t>(4096, text.size() - done));
            if (w <= 0)
                break;
            done += static_cast<std::size_t>(w);
        }
        close(fd);
    });
    std::vector<vertice> v2, n2;
    std::vector<textura> t2;
    const std::size_t caras = cargarObjeto(fifo.c_str(), 1.0f, v2, t2, n2).size();
    writer.join();
    unlink(fifo.c_str());
    EXPECT_EQ(caras, 1u);
    EXPECT_EQ(v2.size(), 20000u);
}

TEST(ObjFileDeathTest, MissingFileEndsTheProgramWithStatusOne) {
    std::vector<vertice> v, n;
    std::vector<textura> t;
    EXPECT_EXIT(cargarObjeto("no_existe_Drone.obj", 0.2f, v, t, n), testing::ExitedWithCode(1),
                "^No se pudo abrir el archivo no_existe_Drone.obj\n$");
    std::string folder = testing::TempDir();
    EXPECT_EXIT(cargarObjeto(folder.c_str(), 0.2f, v, t, n), testing::ExitedWithCode(1),
                "No se pudo abrir el archivo");
}
