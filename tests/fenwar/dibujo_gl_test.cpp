// Textures, the menu picture, the recorded scenery and models, drawn by Mesa's off-screen software
// GL.
#include "offscreen_gl.h"
#include "escenario.h"
#include "menu.h"
#include "misiles.h"
#include "modelo.h"
#include "primitivas.h"
#include "salida_gl.h"
#include "texturas.h"
#include "triangulos.h"

#include <FreeImage.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int W = 640, H = 480;

class GlTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(gl_.open(W, H, "/tmp/fenwar-gl-XXXXXX")); }
    void TearDown() override { ASSERT_NO_FATAL_FAILURE(gl_.close()); }

    std::string ruta(const char* nombre) const { return gl_.path(nombre); }

    // The pixel at (x, y), y counted from the top as on screen.
    std::vector<int> pixel(int x, int y) {
        unsigned char p[4];
        glReadPixels(x, H - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return {p[0], p[1], p[2]};
    }

    std::vector<unsigned char> imagen() {
        std::vector<unsigned char> p(W * H * 4);
        glReadPixels(0, 0, W, H, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
        return p;
    }

    // Texel rows of texture slot i as RGB, bottom row first.
    std::vector<unsigned char> texeles(unsigned nombre, int& ancho, int& alto) {
        glBindTexture(GL_TEXTURE_2D, nombre);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &ancho);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &alto);
        std::vector<unsigned char> t(static_cast<size_t>(ancho * alto * 3) + 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, t.data());
        return t;
    }

    OffscreenGl gl_;
};

void guardarPng(FIBITMAP* bmp, const std::string& ruta) {
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, bmp, ruta.c_str(), 0));
    FreeImage_Unload(bmp);
}

// A picture of one colour, 24 bits, saved in the format its name says.
void guardarLiso(const std::string& ruta, int w, int h, BYTE r, BYTE g, BYTE b) {
    FIBITMAP* bmp = FreeImage_Allocate(w, h, 24);
    RGBQUAD c = {b, g, r, 0};
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            FreeImage_SetPixelColor(bmp, x, y, &c);
        }
    }
    ASSERT_TRUE(FreeImage_Save(FreeImage_GetFIFFromFilename(ruta.c_str()), bmp, ruta.c_str(), 0));
    FreeImage_Unload(bmp);
}

TEST_F(GlTest, ImagesBecomeOpaqueRgbTexturesBottomRowFirst) {
    // 3 x 2 with alpha: bottom row red then green then blue, top row all half-transparent white.
    FIBITMAP* rgba = FreeImage_Allocate(3, 2, 32);
    RGBQUAD abajo[3] = {{0, 0, 255, 255}, {0, 255, 0, 10}, {255, 0, 0, 0}};
    RGBQUAD arriba = {255, 255, 255, 128};
    for (int x = 0; x < 3; x++) {
        FreeImage_SetPixelColor(rgba, x, 0, &abajo[x]);
        FreeImage_SetPixelColor(rgba, x, 1, &arriba);
    }
    guardarPng(rgba, ruta("alfa.png"));
    // 8-bit palette picture: index 0 grey, index 1 orange.
    FIBITMAP* paleta = FreeImage_Allocate(2, 2, 8);
    RGBQUAD* pal = FreeImage_GetPalette(paleta);
    pal[0] = {128, 128, 128, 0};
    pal[1] = {0, 128, 255, 0};
    BYTE uno = 1;
    FreeImage_SetPixelIndex(paleta, 1, 0, &uno);
    guardarPng(paleta, ruta("paleta.png"));

    unsigned nombres[CANT_TEXTURAS];
    glGenTextures(CANT_TEXTURAS, nombres);
    loadTexture(ruta("alfa.png").c_str(), nombres, 3);
    loadTexture(ruta("paleta.png").c_str(), nombres, 4);
    int w = 0, h = 0;
    auto t = texeles(nombres[3], w, h);
    ASSERT_EQ(w, 3) << "sizes that are not powers of two are uploaded unchanged";
    ASSERT_EQ(h, 2);
    EXPECT_EQ(std::vector<int>(t.begin(), t.begin() + 9),
              (std::vector<int>{255, 0, 0, 0, 255, 0, 0, 0, 255}));
    EXPECT_EQ(t[9], 255) << "alpha is dropped, not blended";
    auto p = texeles(nombres[4], w, h);
    ASSERT_EQ(w, 2);
    EXPECT_EQ(std::vector<int>(p.begin(), p.begin() + 6),
              (std::vector<int>{128, 128, 128, 255, 128, 0}));
    GLint modo = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &modo);
    EXPECT_EQ(modo, GL_MODULATE);
    GLint filtro = 0;
    glBindTexture(GL_TEXTURE_2D, nombres[3]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filtro);
    EXPECT_EQ(filtro, GL_LINEAR);
}

TEST_F(GlTest, AnUnreadableImageLeavesAnEmptyTextureSilently) {
    guardarLiso(ruta("bien.png"), 4, 4, 1, 2, 3);
    FILE* roto = std::fopen(ruta("roto.jpg").c_str(), "wb");
    ASSERT_NE(roto, nullptr);
    std::fputs("not a picture", roto);
    std::fclose(roto);
    unsigned nombres[CANT_TEXTURAS];
    glGenTextures(CANT_TEXTURAS, nombres);
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    loadTexture(ruta("falta.jpg").c_str(), nombres, 0);
    loadTexture(ruta("roto.jpg").c_str(), nombres, 1);
    loadTexture(ruta("raro.xyz").c_str(), nombres, 2);
    loadTexture(ruta("bien.png").c_str(), nombres, 3);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    for (int i = 0; i < 3; i++) {
        EXPECT_TRUE(glIsTexture(nombres[i]));
        int w = -1, h = -1;
        texeles(nombres[i], w, h);
        EXPECT_EQ(w, 0);
        EXPECT_EQ(h, 0);
    }
    int w = 0, h = 0;
    auto t = texeles(nombres[3], w, h);
    EXPECT_EQ(w, 4) << "the other slots load normally";
    EXPECT_EQ(t[2], 3);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GlTest, LoadingAllTexturesFillsTheTenSlotsFromTheWorkingDirectory) {
    char antes[4096];
    ASSERT_NE(getcwd(antes, sizeof antes), nullptr);
    ASSERT_EQ(chdir(gl_.folder.c_str()), 0);
    guardarLiso("canon.png", 2, 2, 9, 9, 9);
    unsigned nombres[CANT_TEXTURAS] = {};
    cargarTexturas(nombres, CANT_TEXTURAS);
    ASSERT_EQ(chdir(antes), 0);
    for (int i = 0; i < CANT_TEXTURAS; i++) {
        EXPECT_NE(nombres[i], 0u);
    }
    int w = 0, h = 0;
    texeles(nombres[TEX_CANIONES], w, h);
    EXPECT_EQ(w, 2);
    texeles(nombres[TEX_TORRES], w, h);
    EXPECT_EQ(w, 0);
}

// The pause screen drawn after a game frame with outline mode and the largest zoom.
void dibujarMenuTras(unsigned textura, bool contorno, float zoom) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0f / zoom, 1.3333334f, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glPolygonMode(GL_FRONT_AND_BACK, contorno ? GL_LINE : GL_FILL);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    pantallaMenu(textura);
}

TEST_F(GlTest, AWhiteMenuShowsAsFlatDarkGreenWhateverOutlineAndZoom) {
    guardarLiso(ruta("blanco.jpg"), 64, 64, 255, 255, 255);
    unsigned nombres[CANT_TEXTURAS];
    glGenTextures(CANT_TEXTURAS, nombres);
    loadTexture(ruta("blanco.jpg").c_str(), nombres, TEX_MENU);
    const std::vector<int> verde = {10, 87, 20};
    for (bool contorno : {false, true}) {
        for (float zoom : {1.0f, 2.0736f}) {
            dibujarMenuTras(nombres[TEX_MENU], contorno, zoom);
            for (auto xy : {std::pair<int, int>{0, 0}, {639, 479}, {320, 240}, {5, 470}}) {
                auto p = pixel(xy.first, xy.second);
                for (int c = 0; c < 3; c++) {
                    EXPECT_NEAR(p[c], verde[c], 1)
                        << "outline " << contorno << " zoom " << zoom << " at " << xy.first;
                }
            }
        }
    }
    // The game keeps its own projection for its next frame.
    GLdouble proyeccion[16];
    glGetDoublev(GL_PROJECTION_MATRIX, proyeccion);
    EXPECT_NEAR(proyeccion[5], 1.0 / std::tan(45.0 / 2.0736 / 2 * 3.141592653589793 / 180), 1e-4);
    GLint modo = 0;
    glGetIntegerv(GL_MATRIX_MODE, &modo);
    EXPECT_EQ(modo, GL_MODELVIEW);
}

TEST_F(GlTest, AMenuPictureThatFailedToLoadIsTheFlatTint) {
    unsigned nombres[CANT_TEXTURAS];
    glGenTextures(CANT_TEXTURAS, nombres);
    loadTexture(ruta("falta.jpg").c_str(), nombres, TEX_MENU);
    dibujarMenuTras(nombres[TEX_MENU], false, 1.0f);
    EXPECT_EQ(pixel(320, 240), (std::vector<int>{10, 87, 20}));
}

// A scene under the game's light with the scenery of Escenario, lists on or off.
// A cleared window seen from `ojo` towards `centro` (z down the screen), depth-tested, filled or
// outlined, under one directional light of these colours.
void vistaConLuz(const GLdouble ojo[3], const GLdouble centro[3], bool contorno, const GLfloat* amb,
                 const GLfloat* dif, const GLfloat* pos) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 1.3333334f, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(ojo[0], ojo[1], ojo[2], centro[0], centro[1], centro[2], 0, 0, -1);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, contorno ? GL_LINE : GL_FILL);
    glLightfv(GL_LIGHT0, GL_AMBIENT, amb);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, dif);
    glLightfv(GL_LIGHT0, GL_POSITION, pos);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
}

std::vector<unsigned char> escena(Escenario& e, Juego& j, bool contorno) {
    const GLdouble ojo[3] = {3.5, -3.5, -2.5}, centro[3] = {0, 0, -0.5};
    GLfloat amb[] = {0.0f, 0.2f, 0.1f, 1.0f};
    GLfloat dif[] = {1.0f, 0.8f, 0.6f, 1.0f};
    GLfloat pos[] = {0.3f, 0.2f, -1.5f, 0.0f};
    vistaConLuz(ojo, centro, contorno, amb, dif, pos);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, dif);
    escenaTorres(e, j);
    escenaCaniones(e, j);
    escenaCiudades(e, j);
    escenaCielo(e);
    glDisable(GL_LIGHTING);
    escenaSuelo(e);
    std::vector<unsigned char> p(W * H * 4);
    glReadPixels(0, 0, W, H, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    return p;
}

TEST_F(GlTest, RecordedSceneryDrawsTheSamePixelsAsImmediateMode) {
    auto j = std::make_unique<Juego>();
    iniciarJuego(*j, dificultad{}, 0);
    Escenario listas;
    Escenario inmediato;
    inmediato.usarListas = false;
    cargarEscenario(listas, *j);
    cargarEscenario(inmediato, *j);
    ASSERT_TRUE(listas.usarListas);
    ASSERT_EQ(inmediato.cielo.buffer, 0u) << "no buffers without the cache";
    for (bool contorno : {false, true}) {
        auto a = escena(listas, *j, contorno);
        auto b = escena(inmediato, *j, contorno);
        EXPECT_TRUE(a == b) << "outline " << contorno;
    }
    // A turned barrel and a destroyed city show in both at once.
    auto antes = escena(listas, *j, false);
    j->angulo_canion[1] = 30.0f;
    j->vidaCitys[2] = 0;
    auto a = escena(listas, *j, false);
    auto b = escena(inmediato, *j, false);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == antes);
    EXPECT_EQ(listas.angulosGrabados[1], 30.0f);
}

// One thing close up, lit, with a texture of scattered texels (so that any other way of
// interpolating a corner's values shows), then a line like a missile's trail, drawn with the
// normal and texture coordinate the thing left current; the colour and depth of every pixel.
template <class F> std::vector<GLuint> deCerca(bool contorno, float escala, F dibujar) {
    const GLdouble ojo[3] = {0.35, -0.3, -0.25}, centro[3] = {0, 0, 0};
    GLfloat amb[] = {0.1f, 0.2f, 0.1f, 1.0f};
    GLfloat dif[] = {1.0f, 0.9f, 0.7f, 1.0f};
    GLfloat pos[] = {0.3f, 0.5f, -1.5f, 0.0f};
    vistaConLuz(ojo, centro, contorno, amb, dif, pos);
    glEnable(GL_TEXTURE_2D);
    glLightfv(GL_LIGHT0, GL_SPECULAR, dif);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, dif);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 50.0f);
    glPushMatrix();
    glScalef(escala, escala, escala);
    dibujar();
    glPopMatrix();
    glBegin(GL_LINES);
    glVertex3f(-0.2f, 0.2f, -0.2f);
    glVertex3f(0.2f, -0.1f, 0.1f);
    glEnd();
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    std::vector<GLuint> p(static_cast<size_t>(W * H * 2));
    glReadPixels(0, 0, W, H, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    glReadPixels(0, 0, W, H, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, p.data() + W * H);
    return p;
}

// The models and the spark are recorded as batches of triangles when filled and as their polygons
// in the outline mode; either way they draw what the polygons draw, to the last bit of colour and
// depth, the trail after them included.
TEST_F(GlTest, RecordedModelsAndSparkDrawTheSamePixelsAsTheirPolygons) {
    const char* assets = std::getenv("ASSETS");
    ASSERT_NE(assets, nullptr);
    auto j = std::make_unique<Juego>();
    iniciarJuego(*j, dificultad{}, 0);
    j->oMisil = cargarObjeto((std::string(assets) + "/asca.obj").c_str(), 0.2f, j->vMisil,
                             j->tMisil, j->nMisil);
    j->oAvion = cargarObjeto((std::string(assets) + "/Drone.obj").c_str(), 0.2f, j->vAvion,
                             j->tAvion, j->nAvion);
    ASSERT_FALSE(j->oMisil.empty());
    ASSERT_FALSE(j->oAvion.empty());
    noiseTexture(64, 12345);
    Escenario e;
    cargarEscenario(e, *j);
    ASSERT_TRUE(e.usarListas);
    for (bool contorno : {false, true}) {
        j->wireframe = contorno;
        prepararModelos(e, *j);
        EXPECT_EQ(e.modelosContorno, contorno);
        const Juego& m = *j;
        auto misil = [&](unsigned lista) {
            return deCerca(contorno, 1.0f,
                           [&] { modelo(lista, m.oMisil, m.vMisil, m.tMisil, m.nMisil); });
        };
        auto avion = [&](unsigned lista) {
            return deCerca(contorno, 0.6f,
                           [&] { modelo(lista, m.oAvion, m.vAvion, m.tAvion, m.nAvion); });
        };
        auto chispa = [&](bool lista) {
            return deCerca(contorno, 40.0f, [&] {
                if (lista) {
                    glCallList(e.chispa);
                } else {
                    drawSphere(PASOS_CHISPA, PASOS_CHISPA, RADIO_CHISPA);
                }
            });
        };
        const auto misilPoligonos = misil(0);
        EXPECT_TRUE(misil(e.misil) == misilPoligonos) << "outline " << contorno;
        EXPECT_TRUE(avion(e.avion) == avion(0)) << "outline " << contorno;
        EXPECT_TRUE(chispa(true) == chispa(false)) << "outline " << contorno;
        // The comparison sees the smallest change: the same model a hair turned.
        auto girado = deCerca(contorno, 1.0f, [&] {
            glRotatef(0.05f, 0.0f, 0.0f, 1.0f);
            modelo(e.misil, m.oMisil, m.vMisil, m.tMisil, m.nMisil);
        });
        EXPECT_FALSE(girado == misilPoligonos);
    }
}

// Strips too: a tube sent as a triangle strip and recorded as triangles draws the same.
TEST_F(GlTest, ATriangleStripRecordedAsTrianglesDrawsTheSamePixels) {
    noiseTexture(64, 12345);
    float x[41], y[41];
    const unsigned lista = glGenLists(1);
    glNewList(lista, GL_COMPILE);
    SalidaGL gl;
    Triangulador<SalidaGL> t(gl);
    teselado::cilindro(t, 40, 0.1f, 0.2f, x, y);
    t.cerrar();
    glEndList();
    auto grabado = deCerca(false, 1.0f, [&] { glCallList(lista); });
    auto tira = deCerca(false, 1.0f, [&] { drawCylinder(40, 0.1f, 0.2f, x, y); });
    EXPECT_TRUE(grabado == tira);
    glDeleteLists(lista, 1);
}

} // namespace
