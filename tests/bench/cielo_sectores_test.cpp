// The sky dome replayed by sectors: only sectors wholly outside the view are left out, so every
// view shows exactly the pixels of the whole dome sent in immediate mode.
#include "escenario.h"

#include <GL/glu.h>
#include <GL/osmesa.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

// Mesa keeps a few allocations of a destroyed context until the process ends.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libOSMesa.so\n";
}

namespace {

constexpr int W = 640, H = 480;

class SkySectors : public ::testing::Test {
  protected:
    void SetUp() override {
        ctx_ = OSMesaCreateContextExt(OSMESA_RGBA, 32, 0, 0, nullptr);
        ASSERT_NE(ctx_, nullptr);
        buffer_.assign(W * H * 4, 0);
        ASSERT_TRUE(OSMesaMakeCurrent(ctx_, buffer_.data(), GL_UNSIGNED_BYTE, W, H));
    }
    void TearDown() override { OSMesaDestroyContext(ctx_); }

    // Projection times modelview of a view from `ojo` towards `mira`, z up as in the game.
    static void vista(const double ojo[3], const double mira[3], double fov) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(fov, 4.0 / 3.0, 0.1, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const double arriba = (mira[0] == ojo[0] && mira[1] == ojo[1]) ? 0.0 : -1.0;
        gluLookAt(ojo[0], ojo[1], ojo[2], mira[0], mira[1], mira[2], arriba == 0.0 ? 1.0 : 0.0, 0,
                  arriba);
    }

    static void matrizVista(double pm[16]) {
        double mv[16], pr[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, mv);
        glGetDoublev(GL_PROJECTION_MATRIX, pr);
        for (int c = 0; c < 4; c++) {
            for (int f = 0; f < 4; f++) {
                pm[4 * c + f] = pr[f] * mv[4 * c] + pr[4 + f] * mv[4 * c + 1] +
                                pr[8 + f] * mv[4 * c + 2] + pr[12 + f] * mv[4 * c + 3];
            }
        }
    }

    std::vector<unsigned char> cielo(const Escenario& e) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        escenaCielo(e);
        glGetDoublev(GL_CURRENT_NORMAL, normal_);
        glGetDoublev(GL_CURRENT_TEXTURE_COORDS, tex_);
        std::vector<unsigned char> p(W * H * 4);
        glReadPixels(0, 0, W, H, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
        return p;
    }

    OSMesaContext ctx_ = nullptr;
    std::vector<unsigned char> buffer_;
    double normal_[3] = {};
    double tex_[4] = {};
};

TEST_F(SkySectors, BoxesInsideOrAcrossTheViewShowAndBoxesBeyondAPlaneDoNot) {
    const double ojo[3] = {0, 0, -2}, mira[3] = {10, 0, -2};
    vista(ojo, mira, 45.0);
    double pm[16];
    matrizVista(pm);
    const float cero[3] = {0, 0, 0};
    EXPECT_TRUE(cajaALaVista({{9, -1, -3}, {10, 1, -1}}, cero, pm)) << "straight ahead";
    EXPECT_FALSE(cajaALaVista({{-10, -1, -3}, {-9, 1, -1}}, cero, pm)) << "behind the eye";
    EXPECT_FALSE(cajaALaVista({{9, 20, -3}, {10, 21, -1}}, cero, pm)) << "far to one side";
    EXPECT_FALSE(cajaALaVista({{200, -1, -3}, {201, 1, -1}}, cero, pm)) << "beyond the far plane";
    EXPECT_TRUE(cajaALaVista({{9, 3, -3}, {10, 21, -1}}, cero, pm)) << "across a side plane";
    EXPECT_TRUE(cajaALaVista({{-50, -50, -50}, {50, 50, 50}}, cero, pm)) << "around the eye";
    // The offset moves the box: the same box put behind the eye goes out of the view.
    const float atras[3] = {-19, 0, 0};
    EXPECT_FALSE(cajaALaVista({{9, -1, -3}, {10, 1, -1}}, atras, pm));
}

TEST_F(SkySectors, EveryViewDrawsTheSamePixelsAsTheWholeDome) {
    auto j = std::make_unique<Juego>();
    iniciarJuego(*j, dificultad{}, 0);
    Escenario sectores;
    Escenario entero;
    entero.usarListas = false;
    cargarEscenario(sectores, *j);
    ASSERT_TRUE(sectores.usarListas);

    // A lit, textured dome, so that normals and texture coordinates both show in the pixels.
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const GLfloat pos[] = {0.3f, 0.2f, -1.5f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, pos);
    unsigned char damero[8 * 8 * 3];
    for (int i = 0; i < 64; i++) {
        const unsigned char v = ((i / 8 + i % 8) % 2) != 0 ? 255 : 40;
        damero[3 * i] = v;
        damero[3 * i + 1] = static_cast<unsigned char>(255 - v);
        damero[3 * i + 2] = 128;
    }
    GLuint tex = 0;
    glGenTextures(1, &tex);
    glBindTexture(GL_TEXTURE_2D, tex);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 8, 8, 0, GL_RGB, GL_UNSIGNED_BYTE, damero);
    glEnable(GL_TEXTURE_2D);

    struct Caso {
        double ojo[3], mira[3], fov;
    };
    const Caso casos[] = {
        {{2, 0, -2}, {-2, 0, -1}, 45}, // from a cannon over the field
        {{0, 0, -1}, {0, 0, -30}, 45}, // up at the top of the dome
        {{0, 0, -1}, {30, 0, -1}, 45}, // along the horizon, four ways
        {{0, 0, -1}, {0, 30, -1}, 45},  {{0, 0, -1}, {-30, 0, -1}, 45},
        {{0, 0, -1}, {0, -30, -1}, 45}, {{0, 2, -2}, {5, 5, -12}, 45 / 4.0}, // zoomed in
        {{1, 1, -0.5}, {3, 2, -8}, 90},                                      // wide
    };
    for (bool contorno : {false, true}) {
        glPolygonMode(GL_FRONT_AND_BACK, contorno ? GL_LINE : GL_FILL);
        for (const Caso& c : casos) {
            vista(c.ojo, c.mira, c.fov);
            const auto a = cielo(sectores);
            const double normalA[3] = {normal_[0], normal_[1], normal_[2]};
            const double texA[2] = {tex_[0], tex_[1]};
            const auto b = cielo(entero);
            EXPECT_TRUE(a == b) << "view towards " << c.mira[0] << "," << c.mira[1] << ","
                                << c.mira[2] << " outline " << contorno;
            // What the dome leaves current is the same too: the next drawing may rely on it.
            for (int k = 0; k < 3; k++) {
                EXPECT_EQ(normalA[k], normal_[k]);
            }
            EXPECT_EQ(texA[0], tex_[0]);
            EXPECT_EQ(texA[1], tex_[1]);
        }
    }
}

TEST_F(SkySectors, AViewOfTheFieldLeavesMostSectorsOut) {
    auto j = std::make_unique<Juego>();
    iniciarJuego(*j, dificultad{}, 0);
    Escenario e;
    cargarEscenario(e, *j);
    const double ojo[3] = {2, 0, -2}, mira[3] = {-2, 0, -1};
    vista(ojo, mira, 45.0);
    double pm[16];
    matrizVista(pm);
    int enVista = 0;
    for (const CajaSector& caja : e.cajasCielo) {
        enVista += cajaALaVista(caja, e.trasladoCielo, pm) ? 1 : 0;
    }
    EXPECT_GT(enVista, 0);
    EXPECT_LT(enVista, SECTORES_CIELO / 4);
}

} // namespace
