// The fast drawing in Mesa's off-screen GL: the games' own matrices are GL's, a piece left out
// could not have drawn a pixel, a piece drawn from its list is the piece, and the kept picture
// comes back exactly, only while the view rests.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <GL/osmesa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "dibujo_rapido.h"
#include "offscreen_gl.h"

namespace {

constexpr int W = 160, H = 120;
constexpr double PI = 3.141592653589793;

Matriz leida(GLenum que) {
    Matriz m;
    glGetDoublev(que, m.m);
    return m;
}

void esperarIgual(const Matriz& a, const Matriz& b, const char* que) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(a.m[i], b.m[i], 1e-5 * (1.0 + std::fabs(b.m[i]))) << que << " element " << i;
    }
}

class Gl : public OffscreenTest<W, H> {};

// The projection, the look, the turns and moves the games make, as GLU and GL make them.
TEST_F(Gl, TheGamesMatricesAreGlsOwn) {
    struct Caso {
        double campo, aspecto, cerca, lejos;
        double ojo[3], centro[3], arriba[3];
        double giro, eje[3];
    };
    const Caso casos[] = {
        {45.0,
         4.0 / 3.0,
         0.1,
         100.0,
         {2, 0, -2.025},
         {1, 1.5, -1.0125},
         {0, 1, 0},
         90,
         {2, 0, -2.025}},
        {21.7, 1.3333334, 0.1, 100.0, {0, 2, -2.025}, {0, -5, -1}, {0, -1, 0}, 0, {0, 0, 1}},
        {45.0, 0.75, 0.1, 200.0, {-30, 5, 12}, {0, 0, 0}, {0, 1, 0}, -37.5, {0.3, -1, 0.2}},
        // A turn about no axis turns nothing, as in GL.
        {60.0, 1.0, 1.0, 10.0, {1, 2, 3}, {3, 2, 1}, {0, 0, 1}, 45, {0, 0, 0}},
    };
    for (const Caso& c : casos) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(c.campo, c.aspecto, c.cerca, c.lejos);
        esperarIgual(perspectiva(c.campo, c.aspecto, c.cerca, c.lejos), leida(GL_PROJECTION_MATRIX),
                     "projection");
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(c.ojo[0], c.ojo[1], c.ojo[2], c.centro[0], c.centro[1], c.centro[2], c.arriba[0],
                  c.arriba[1], c.arriba[2]);
        glRotated(c.giro, c.eje[0], c.eje[1], c.eje[2]);
        glTranslated(0.5, -1.5, 2.5);
        esperarIgual(mirar(c.ojo, c.centro, c.arriba) *
                         rotacion(c.giro, c.eje[0], c.eje[1], c.eje[2]) *
                         traslacion(0.5, -1.5, 2.5),
                     leida(GL_MODELVIEW_MATRIX), "view");
    }
}

// Points drawn as small quads, nothing else in the window: whether any pixel was touched.
bool algoDibujado(const std::vector<double>& puntos) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1, 1, 1);
    glBegin(GL_TRIANGLES);
    for (std::size_t i = 0; i + 8 < puntos.size(); i += 9) {
        glVertex3d(puntos[i], puntos[i + 1], puntos[i + 2]);
        glVertex3d(puntos[i + 3], puntos[i + 4], puntos[i + 5]);
        glVertex3d(puntos[i + 6], puntos[i + 7], puntos[i + 8]);
    }
    glEnd();
    std::vector<std::uint32_t> colour, depth;
    readColourAndDepth(W, H, colour, depth);
    for (std::uint32_t c : colour) {
        if ((c & 0x00ffffffu) != 0) {
            return true;
        }
    }
    return false;
}

// Sphere after sphere, near every plane of the view and behind the eye, filled with triangles out
// to its edge: whenever the test leaves a sphere out, its triangles draw no pixel; and the spheres
// that show something are never left out.
TEST_F(Gl, WhatIsLeftOutCouldNotHaveDrawnAPixel) {
    const double ojo[3] = {0.5, -0.4, 2.0}, centro[3] = {0, 0, 0}, arriba[3] = {0, 1, 0};
    const Matriz proyeccion = perspectiva(40.0, 4.0 / 3.0, 0.5, 20.0);
    const Matriz vista = mirar(ojo, centro, arriba);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(proyeccion.m);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(vista.m);
    glEnable(GL_DEPTH_TEST);
    const VolumenVista v = volumenVista(proyeccion, vista);
    unsigned semilla = 7;
    const auto azar = [&semilla] {
        semilla = semilla * 1103515245u + 12345u;
        return static_cast<double>((semilla >> 8) & 0xffff) / 65535.0;
    };
    int fuera = 0, dentro = 0;
    for (int k = 0; k < 400; ++k) {
        Esfera e;
        for (double& c : e.centro) {
            c = -6.0 + 12.0 * azar();
        }
        e.radio = 0.05 + 1.5 * azar();
        // Triangles whose corners lie on the sphere, all round it.
        std::vector<double> puntos;
        for (int t = 0; t < 60 * 3; ++t) {
            const double a = 2 * PI * azar(), b = PI * (azar() - 0.5);
            puntos.insert(puntos.end(), {e.centro[0] + e.radio * std::cos(a) * std::cos(b),
                                         e.centro[1] + e.radio * std::sin(a) * std::cos(b),
                                         e.centro[2] + e.radio * std::sin(b)});
        }
        const bool dibujado = algoDibujado(puntos);
        if (fueraDeVista(v, e)) {
            ++fuera;
            EXPECT_FALSE(dibujado) << "sphere " << k << " was left out but shows";
        } else {
            dentro += dibujado ? 1 : 0;
        }
    }
    // The cases were not all of one kind.
    EXPECT_GT(fuera, 100);
    EXPECT_GT(dentro, 50);
    // A degenerate matrix leaves nothing out.
    EXPECT_FALSE(fueraDeVista(volumenVista(Matriz{}, vista), Esfera{{100, 100, 100}, 1}));
}

// A lit, textured fan under a turned view, from its list or sent directly: the same pixels; out
// of view nothing; the list freed.
TEST_F(Gl, APieceDrawsWhatItsDrawingDrawsUnlessOutOfView) {
    noiseTexture(32, 99);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const auto abanico = [] {
        glPushMatrix();
        glTranslatef(0.1f, 0.0f, 0.0f);
        glBegin(GL_QUAD_STRIP);
        for (int j = 0; j <= 12; ++j) {
            const float a = static_cast<float>(j * PI / 12);
            glNormal3f(std::cos(a), 0.3f, std::sin(a));
            glTexCoord2f(j / 12.0f, 0.0f);
            glVertex3f(std::cos(a), -0.5f, std::sin(a) - 2.0f);
            glTexCoord2f(j / 12.0f, 1.0f);
            glVertex3f(std::cos(a), 0.5f, std::sin(a) - 2.0f);
        }
        glEnd();
        glPopMatrix();
    };
    Pieza p;
    hacerPieza(p, Esfera{{0.1, 0.0, -2.0}, 1.2}, abanico);
    ASSERT_NE(p.lista, 0u);
    const Matriz proyeccion = perspectiva(60.0, 4.0 / 3.0, 0.1, 10.0);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(proyeccion.m);
    glMatrixMode(GL_MODELVIEW);
    std::vector<std::uint32_t> directo, lista, depth;
    for (double giro : {0.0, 20.0, -35.0}) {
        const Matriz vista = rotacion(giro, 0, 1, 0);
        glLoadMatrixd(vista.m);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        abanico();
        readColourAndDepth(W, H, directo, depth);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        dibujarPieza(p, volumenVista(proyeccion, vista));
        readColourAndDepth(W, H, lista, depth);
        EXPECT_EQ(directo, lista) << "turned " << giro;
    }
    // Looking away.
    const Matriz atras = rotacion(180.0, 0, 1, 0);
    glLoadMatrixd(atras.m);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    EXPECT_TRUE(fueraDeVista(volumenVista(proyeccion, atras), p.esfera));
    dibujarPieza(p, volumenVista(proyeccion, atras));
    readColourAndDepth(W, H, lista, depth);
    EXPECT_EQ(lista, std::vector<std::uint32_t>(W * H, lista[0]));
    const unsigned nombre = p.lista;
    liberarPieza(p);
    EXPECT_EQ(p.lista, 0u);
    EXPECT_FALSE(glIsList(nombre));
}

// A scenery of two slanted, overlapping quads of smooth colour, drawn on a cleared window.
void escenario(int& veces, float corrimiento) {
    ++veces;
    glClearColor(0.1f, 0.2f, 0.3f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBegin(GL_QUADS);
    glColor3f(1, 0, 0);
    glVertex3f(-0.9f + corrimiento, -0.9f, -0.8f);
    glColor3f(0, 1, 0);
    glVertex3f(0.8f, -0.7f, 0.6f);
    glColor3f(0, 0, 1);
    glVertex3f(0.9f, 0.9f, 0.95f);
    glColor3f(1, 1, 1);
    glVertex3f(-0.7f, 0.8f, -0.3f);
    glColor3f(0.3f, 0.6f, 0.9f);
    glVertex3f(-0.5f, -1.0f, 0.9f);
    glVertex3f(1.0f, -0.2f, -0.9f);
    glColor3f(0.9f, 0.5f, 0.1f);
    glVertex3f(0.4f, 1.0f, 0.2f);
    glVertex3f(-1.0f, 0.3f, 0.0f);
    glEnd();
}

class Foto : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        gl_.width = W;
        gl_.height = H;
        gl_.pixels.assign(static_cast<std::size_t>(W) * H * 4, 0);
        gl_.context = OSMesaCreateContextExt(OSMESA_RGBA, GetParam(), 0, 0, nullptr);
        ASSERT_NE(gl_.context, nullptr);
        ASSERT_TRUE(gl_.makeCurrent(gl_.context));
        glEnable(GL_DEPTH_TEST);
    }
    void TearDown() override { ASSERT_NO_FATAL_FAILURE(gl_.close()); }
    OffscreenGl gl_;
};

// Frame by frame: the third frame in a row with one key draws and keeps; from then on the picture
// comes back, every colour and depth value as drawn. A view that moves, resting a frame now and
// then between two motions, never keeps.
TEST_P(Foto, KeptOnlyWhileTheViewRestsAndCopiedBackExactly) {
    FotoFija f;
    cargarFoto(f, W, H);
    ASSERT_TRUE(f.disponible) << GetParam() << "-bit depth";
    int veces = 0;
    std::vector<std::uint32_t> dibujado, dibujadoProf, copiado, copiadoProf;
    const std::vector<float> quieta = {1.0f, 2.0f};
    for (int k = 0; k < 3; ++k) {
        escenaFija(f, quieta, [&] { escenario(veces, 0.0f); });
        EXPECT_EQ(f.valida, k == 2) << "frame " << k;
    }
    readColourAndDepth(W, H, dibujado, dibujadoProf);
    EXPECT_EQ(veces, 3);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    escenaFija(f, quieta, [&] { escenario(veces, 0.0f); });
    readColourAndDepth(W, H, copiado, copiadoProf);
    EXPECT_EQ(veces, 3) << "the picture was copied, not drawn";
    EXPECT_EQ(copiado, dibujado);
    EXPECT_EQ(copiadoProf, dibujadoProf);

    // Turning, each view shown for two frames: every frame draws, and the picture stays the one
    // of the rest before.
    for (int k = 1; k <= 6; ++k) {
        const std::vector<float> girando = {1.0f, 2.0f + static_cast<float>(k)};
        for (int vez = 0; vez < 2; ++vez) {
            escenaFija(f, girando, [&] { escenario(veces, 0.01f * static_cast<float>(k)); });
        }
    }
    EXPECT_EQ(veces, 15);
    EXPECT_EQ(f.clave, quieta);
    // Back where it rested: copied at once.
    escenaFija(f, quieta, [&] { escenario(veces, 0.0f); });
    EXPECT_EQ(veces, 15);
    readColourAndDepth(W, H, copiado, copiadoProf);
    EXPECT_EQ(copiado, dibujado);

    liberarFoto(f);
    EXPECT_FALSE(f.disponible);
    for (int k = 0; k < 4; ++k) {
        escenaFija(f, quieta, [&] { escenario(veces, 0.0f); });
    }
    EXPECT_EQ(veces, 19) << "without the picture every frame draws";
}

INSTANTIATE_TEST_SUITE_P(Depth, Foto, ::testing::Values(16, 24, 32));

// A window without depth has nothing to copy depth into: no picture is kept, every frame draws.
TEST(FotoSinProfundidad, EveryFrameDraws) {
    OffscreenGl gl;
    gl.width = W;
    gl.height = H;
    gl.pixels.assign(static_cast<std::size_t>(W) * H * 4, 0);
    gl.context = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
    ASSERT_NE(gl.context, nullptr);
    ASSERT_TRUE(gl.makeCurrent(gl.context));
    FotoFija f;
    cargarFoto(f, W, H);
    EXPECT_FALSE(f.disponible);
    int veces = 0;
    for (int k = 0; k < 3; ++k) {
        escenaFija(f, {1.0f}, [&] { escenario(veces, 0.0f); });
    }
    EXPECT_EQ(veces, 3);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    ASSERT_NO_FATAL_FAILURE(gl.close());
}

} // namespace
