// Textures, the menu picture, and each piece of scenery and each model from its list against its
// drawing, in Mesa's off-screen software GL; the spheres that hold the pieces.
#include "image_file.h"
#include "offscreen_gl.h"
#include "escenario.h"
#include "grabadora.h"
#include "menu.h"
#include "mira.h"
#include "misiles.h"
#include "modelo_dibujo.h"
#include "recursos.h"
#include "primitivas.h"
#include "texturas.h"

#include <FreeImage.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using namespace fenwar;

namespace {

constexpr int W = 640, H = 480;

class GlTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(gl_.open(W, H, "/tmp/fenwar-gl-XXXXXX")); }
    void TearDown() override { ASSERT_NO_FATAL_FAILURE(gl_.close()); }

    std::string ruta(const char* nombre) const { return gl_.path(nombre); }

    // The pixel at (x, y), y counted from the top as on screen.
    std::vector<int> pixel(int x, int y) {
        const Rgb c = gl_.read().at(x, y);
        return {c.r, c.g, c.b};
    }

    std::vector<unsigned char> imagen() { return gl_.read().rgba; }

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
    ASSERT_TRUE(writeOneColour(ruta("bien.png"), 1, 2, 3, 4, 4));
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
    ASSERT_TRUE(writeOneColour("canon.png", 9, 9, 9, 2, 2));
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
    dibujarPantallaMenu(textura);
}

TEST_F(GlTest, AWhiteMenuShowsAsFlatDarkGreenWhateverOutlineAndZoom) {
    ASSERT_TRUE(writeOneColour(ruta("blanco.jpg"), 255, 255, 255, 64, 64));
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

// Every vertex a drawing sends, placed in the world by its own matrix calls.
std::vector<std::array<double, 3>> enElMundo(const Grabadora& g) {
    std::vector<std::array<double, 3>> puntos;
    for (const auto& lote : g.lotesEnElMundo()) {
        puntos.insert(puntos.end(), lote.begin(), lote.end());
    }
    return puntos;
}

// The farthest vertex of a drawing lies inside the sphere, and not far inside: a sphere much too
// large would cull nothing.
void esperarDentro(const Grabadora& g, const Esfera& e, const std::string& que) {
    const auto puntos = enElMundo(g);
    ASSERT_FALSE(puntos.empty()) << que;
    double lejos = 0.0;
    for (const auto& p : puntos) {
        lejos =
            std::max(lejos, std::hypot(p[0] - e.centro[0], p[1] - e.centro[1], p[2] - e.centro[2]));
    }
    EXPECT_LE(lejos, e.radio * (1.0 + 1e-6) + 1e-6) << que;
    EXPECT_GT(lejos, 0.6 * e.radio) << que;
}

// Towers, cannons at every barrel angle the game allows, cities of odd sizes and every sector of
// the sky lie inside their spheres.
TEST(Esferas, HoldEveryVertexOfTheirPieces) {
    auto j = std::make_unique<Juego>();
    iniciarJuego(*j, dificultad{}, 0);
    for (int h = 0; h < 4; h++) {
        Grabadora torre;
        teselado::torreNumero(torre, j->coordcannon, j->altura_tower, h);
        esperarDentro(torre, esferaTorre(*j, h), "tower " + std::to_string(h));
        for (float angulo = -45.0f; angulo <= 45.0f; angulo += 5.0f) {
            j->angulo_canion[h] = angulo;
            Grabadora canon;
            teselado::canonNumero(canon, j->coordcannon, j->altura_tower, j->angulo_canion, h);
            esperarDentro(canon, esferaCanion(*j, h),
                          "cannon " + std::to_string(h) + " at " + std::to_string(angulo));
        }
    }
    for (float radio : {0.5f, 0.05f, 3.0f, -0.7f}) {
        j->d.RAD_CITY = radio;
        for (int i = 0; i < 3; i++) {
            Grabadora ciudad;
            teselado::ciudadNumero(ciudad, j->d.RAD_CITY, j->coordCitys, i);
            esperarDentro(ciudad, esferaCiudad(*j, i),
                          "city " + std::to_string(i) + " of radius " + std::to_string(radio));
        }
    }
    for (int k = 0; k < SECTORES_CIELO; k++) {
        Grabadora sector;
        teselado::sectorCupula(sector, 0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO, sectorCielo(k));
        esperarDentro(sector, esferaSector(k), "sector " + std::to_string(k));
    }
}

// Under the game's light and a textured look from above a cannon.
void vista(const double ojo[3], const double centro[3], bool contorno) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 1.3333334f, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(ojo[0], ojo[1], ojo[2], centro[0], centro[1], centro[2], 0, 0, -1);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glEnable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, contorno ? GL_LINE : GL_FILL);
    GLfloat amb[] = {0.0f, 0.2f, 0.1f, 1.0f};
    GLfloat dif[] = {1.0f, 0.8f, 0.6f, 1.0f};
    GLfloat pos[] = {0.3f, 0.2f, -1.5f, 0.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, amb);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, dif);
    glLightfv(GL_LIGHT0, GL_SPECULAR, dif);
    glLightfv(GL_LIGHT0, GL_POSITION, pos);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, dif);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, dif);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 50.0f);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
}

template <class F> std::vector<unsigned char> dibujo(F dibujar) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    dibujar();
    return readWindow(W, H).rgba;
}

// Each piece from its list draws what its own drawing draws, with its own picture, filled and
// outlined, from above a cannon and from the middle of the field; every sector of the sky looked
// at from the middle of the field.
TEST_F(GlTest, EachPieceFromItsListDrawsWhatItsDrawingDraws) {
    const char* assets = std::getenv("ASSETS");
    ASSERT_NE(assets, nullptr);
    ASSERT_EQ(chdir(assets), 0);
    unsigned textura[CANT_TEXTURAS] = {};
    cargarTexturasJuego(textura, CANT_TEXTURAS);
    auto j = std::make_unique<Juego>();
    iniciarJuego(*j, dificultad{}, 0);
    j->angulo_canion[2] = 30.0f;
    Escenario e;
    cargarEscenario(e, *j);
    const auto igual = [](const Pieza& p, int slot, const unsigned* t, const std::string& que,
                          bool contorno) {
        glBindTexture(GL_TEXTURE_2D, t[slot]);
        EXPECT_TRUE(
            looksTheSame(dibujo([&] { glCallList(p.lista); }), dibujo(p.trazar), W, H, contorno))
            << que << (contorno ? " outlined" : "");
    };
    // Above cannon 1 looking at the field, and from the middle of the field looking at cannon 1.
    const double alto[3] = {2.6, 0.7, -1.0}, medio[3] = {0.0, 0.0, -0.5};
    const double* vistas[2][2] = {{alto, medio}, {medio, alto}};
    for (bool contorno : {false, true}) {
        for (const auto& v : vistas) {
            vista(v[0], v[1], contorno);
            for (int h = 0; h < 4; h++) {
                igual(e.torres[h], TEX_TORRES, textura, "tower " + std::to_string(h), contorno);
                igual(e.caniones[h], TEX_CANIONES, textura, "cannon " + std::to_string(h),
                      contorno);
            }
            for (int i = 0; i < 3; i++) {
                igual(e.ciudades[i], TEX_CIUDADES, textura, "city " + std::to_string(i), contorno);
            }
            igual(e.suelo, TEX_SUELO, textura, "ground", contorno);
        }
    }
    // The sectors are all drawn by one code: every one filled, and outlined every seventh.
    for (int k = 0; k < SECTORES_CIELO; k++) {
        for (bool contorno : {false, true}) {
            if (contorno && k % 7 != 0) {
                continue;
            }
            const double ojo[3] = {0.0, 0.0, -1.0};
            vista(ojo, e.cielo[k].esfera.centro, contorno);
            igual(e.cielo[k], TEX_CIELO, textura, "sector " + std::to_string(k), contorno);
        }
    }
    descargarEscenario(e);
    glDeleteTextures(CANT_TEXTURAS, textura);
}

// The sky's sectors together draw the dome, from above each cannon looking out and up.
TEST_F(GlTest, TheSectorsOfTheSkyDrawTheDome) {
    auto j = std::make_unique<Juego>();
    iniciarJuego(*j, dificultad{}, 0);
    noiseTexture(64, 777);
    Escenario e;
    cargarEscenario(e, *j);
    for (int canon = 0; canon < 4; canon++) {
        for (float lz : {0.0f, 40.0f, -30.0f}) {
            j->nro_canion = canon;
            j->x = j->coordcannon[2 * canon];
            j->y = j->coordcannon[2 * canon + 1];
            j->lz = lz;
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            gluPerspective(45.0f / j->zoom, 1.3333334f, 0.1, 100.0);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            calcularLookAt(j->nro_canion, 0.0f, j->coordcannon, j->x, j->y, j->z, j->lz);
            glRotatef(j->anglecannon[j->nro_canion], j->x, j->y, -j->z);
            glEnable(GL_DEPTH_TEST);
            glEnable(GL_TEXTURE_2D);
            prepararVista(e, *j);
            EXPECT_TRUE(looksTheSame(
                dibujo([&] { escenaCielo(e); }),
                dibujo([] { cielitoLindo(0.0f, 0.0f, 0.0f, RADIO_MUNDO, PASOS_CIELO); }), W, H))
                << "cannon " << canon << " looking " << lz;
        }
    }
    descargarEscenario(e);
}

// The models and the spark from their lists draw what their faces draw, the trail after them too.
TEST_F(GlTest, ModelsFromTheirListsDrawWhatTheirFacesDraw) {
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
    const double ojo[3] = {0.35, -0.3, -0.25}, centro[3] = {0, 0, 0};
    const Juego& m = *j;
    for (bool contorno : {false, true}) {
        vista(ojo, centro, contorno);
        const auto deCerca = [](float escala, auto dibujar) {
            return dibujo([&] {
                glPushMatrix();
                glScalef(escala, escala, escala);
                dibujar();
                glPopMatrix();
                glBegin(GL_LINES);
                glVertex3f(-0.2f, 0.2f, -0.2f);
                glVertex3f(0.2f, -0.1f, 0.1f);
                glEnd();
            });
        };
        EXPECT_TRUE(looksTheSame(
            deCerca(1.0f, [&] { modelo(e.misil, m.oMisil, m.vMisil, m.tMisil, m.nMisil); }),
            deCerca(1.0f, [&] { modelo(0, m.oMisil, m.vMisil, m.tMisil, m.nMisil); }), W, H,
            contorno))
            << "missile" << (contorno ? " outlined" : "");
        EXPECT_TRUE(looksTheSame(
            deCerca(0.6f, [&] { modelo(e.avion, m.oAvion, m.vAvion, m.tAvion, m.nAvion); }),
            deCerca(0.6f, [&] { modelo(0, m.oAvion, m.vAvion, m.tAvion, m.nAvion); }), W, H,
            contorno))
            << "plane" << (contorno ? " outlined" : "");
        EXPECT_TRUE(looksTheSame(
            deCerca(40.0f, [&] { glCallList(e.chispa); }),
            deCerca(40.0f, [] { drawSphere(PASOS_CHISPA, PASOS_CHISPA, RADIO_CHISPA); }), W, H,
            contorno))
            << "spark" << (contorno ? " outlined" : "");
    }
    descargarEscenario(e);
}

// Made again in a new context, as after F11: the lists are new and draw the same.
TEST_F(GlTest, TheSceneryIsMadeAgainInANewContext) {
    auto j = std::make_unique<Juego>();
    iniciarJuego(*j, dificultad{}, 0);
    Escenario e;
    cargarEscenario(e, *j);
    const double ojo[3] = {2.6, 0.7, -1.0}, centro[3] = {0.0, 0.0, -0.5};
    vista(ojo, centro, false);
    const auto antes = dibujo([&] {
        glCallList(e.cielo[40].lista);
        glCallList(e.torres[1].lista);
    });
    const unsigned listaCielo = e.cielo[40].lista;
    descargarEscenario(e);
    EXPECT_FALSE(glIsList(listaCielo));
    EXPECT_EQ(e.torres[1].lista, 0u);
    OSMesaContext otro = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
    ASSERT_NE(otro, nullptr);
    ASSERT_TRUE(gl_.makeCurrent(otro));
    cargarEscenario(e, *j);
    vista(ojo, centro, false);
    EXPECT_TRUE(looksTheSame(dibujo([&] {
                                 glCallList(e.cielo[40].lista);
                                 glCallList(e.torres[1].lista);
                             }),
                             antes, W, H));
    descargarEscenario(e);
    ASSERT_TRUE(gl_.makeCurrent(gl_.context));
    OSMesaDestroyContext(otro);
}

} // namespace
