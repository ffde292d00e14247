// Draws the models, missiles and bar-font digits into Mesa's off-screen GL and reads the pixels.
#include "offscreen_gl.h"
#include "digitos_dibujo.h"
#include "juego.h"
#include "misiles_dibujo.h"
#include "modelo_dibujo.h"
#include "recursos.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace fenwar;

namespace {

constexpr int W = 640, H = 480;

class WorldGlTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(gl_.open(W, H));
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    void TearDown() override { gl_.close(); }

    // The pixel at (x, y), y counted from the top as on screen.
    std::vector<int> pixel(int x, int y) {
        const Rgb c = gl_.read().at(x, y);
        return {c.r, c.g, c.b};
    }

    // The game's overlay space: 480 wide, 640 high, stretched over the window.
    void overlay() {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 480, 0, 640, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    OffscreenGl gl_;
};

const std::vector<int> kBlack = {0, 0, 0}, kGreen = {0, 255, 0}, kWhite = {255, 255, 255},
                       kBlue = {0, 0, 255};

} // namespace

TEST_F(WorldGlTest, ScoreDigitsLandOnWindowPixels) {
    overlay();
    glColor3f(0, 1, 0);
    int score = 8;
    printNumers(0.75f, 1.3333334f, 20, 10, 480 - 20 * 1.3333334f, 0, score, false);
    // The eighth place, an '8', starts 7 x 25.5 pixels right of the first.
    EXPECT_EQ(pixel(198, 8), kGreen);  // top bar
    EXPECT_EQ(pixel(198, 16), kGreen); // middle bar
    EXPECT_EQ(pixel(198, 12), kBlack); // between them
    // The first place, a '0': left bar lit, hollow middle.
    EXPECT_EQ(pixel(12, 12), kGreen);
    EXPECT_EQ(pixel(20, 16), kBlack);
    EXPECT_EQ(score, 8);

    glClear(GL_COLOR_BUFFER_BIT);
    score = 100000000; // wraps: nothing this frame
    printNumers(0.75f, 1.3333334f, 20, 10, 480 - 20 * 1.3333334f, 0, score, false);
    EXPECT_EQ(pixel(12, 12), kBlack);
    EXPECT_EQ(score, 0);
    printUnNum(0.75f, 1.3333334f, 20, 10, 450, 0, 'x');
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(WorldGlTest, CityLinesShowLabelAndColouredHealth) {
    overlay();
    int health[3] = {100, 50, -20};
    printCitys(0.75f, 1.3333334f, 15, 490, 460, 0, health);
    EXPECT_EQ(pixel(497, 18), kBlue);  // the bottom bar of the first 'c'
    EXPECT_EQ(pixel(584, 12), kGreen); // the '1' of 100
    EXPECT_EQ(pixel(572, 58), kWhite); // the first '0' of the third line
    EXPECT_EQ(health[2], -20);
}

TEST_F(WorldGlTest, ModelsDrawTheirFacesAndSkipBadOnes) {
    std::vector<vertice> v = {
        {-0.5f, -0.5f, 0}, {0.5f, -0.5f, 0}, {0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}};
    std::vector<textura> t(4, textura{0, 0});
    std::vector<vertice> n(4, vertice{0, 0, 1});
    std::vector<Poligono> faces = {
        {{0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 2, 3}},
        {{0, 1, 1000000}, {0, 1, 2}, {0, 1, 2}},
        {{0, 1, 2}, {0, 1, -3}, {0, 1, 2}},
        {{0, 1, 2}, {0, 1, 2}, {0, 1}},
    };
    glColor3f(1, 1, 1);
    dibujarObjeto(faces, v, t, n);
    EXPECT_EQ(pixel(320, 240), kWhite);
    EXPECT_EQ(pixel(100, 100), kBlack);
}

TEST_F(WorldGlTest, MissileDrawingStaysInsideTheBufferAndEndsBursts) {
    auto juego = std::make_unique<Juego>();
    Misil* slots = juego->buffmisiles;
    slots[5].explotando = true;
    slots[5].explosionesrestantes = EXPLOSIONES_MISIL;
    slots[9].vivo = true;
    Recursos r;
    juego->cantmisiles = MAX_MISILES + 50; // never visits past the last slot
    int frames = 0;
    while (slots[5].explotando && frames < 100) {
        avanzarAlDibujar(*juego);
        drawmisiles(*juego, r);
        frames++;
    }
    EXPECT_EQ(frames, 27); // 26 drawn frames, the 27th step ends the burst
    EXPECT_TRUE(slots[9].vivo);
}

namespace {

// One texel of one colour.
unsigned plainTexture(unsigned char r, unsigned char g, unsigned char b) {
    unsigned name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    const unsigned char texel[4] = {r, g, b, 255};
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    return name;
}

} // namespace

// Every spark of a burst is drawn in red with the fire picture, and the burst leaves the plane's
// picture bound and the colour white, as the plane that follows is drawn with them.
TEST_F(WorldGlTest, ABurstDrawsItsSparksWithTheFirePictureAndLeavesThePlanes) {
    Recursos r;
    unsigned* names = r.textura;
    names[8] = plainTexture(255, 255, 255);
    names[1] = plainTexture(0, 0, 0);
    // Close up: a spark is 60 pixels across.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-0.02, 0.02, -0.02, 0.02, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, names[1]);
    auto juego = std::make_unique<Juego>();
    Misil& m = juego->buffmisiles[0];
    m.explotando = true;
    m.explosionesrestantes = EXPLOSIONES_MISIL;
    for (int k = 0; k < MISIL_PARTICLES; ++k) {
        m.x_particle[k] = 0.0005f * static_cast<float>(k);
        m.y_particle[k] = 0.0f;
    }
    juego->cantmisiles = 1;
    drawmisiles(*juego, r);
    EXPECT_EQ(pixel(W / 2, H / 2), (std::vector<int>{255, 0, 0})) << "a spark, red with fire";
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, static_cast<GLint>(names[1]));
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[1], 1.0f);
    EXPECT_EQ(colour[2], 1.0f);
    glDisable(GL_TEXTURE_2D);
}
