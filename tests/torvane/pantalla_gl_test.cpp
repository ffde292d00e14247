// Light, pictures, sky box, HUD, menu screen and the reloadable GL resources, drawn by Mesa's
// off-screen software GL.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "cielo.h"
#include "escena.h"
#include "hud.h"
#include "image_file.h"
#include "juego_prueba.h"
#include "luz.h"
#include "recursos.h"
#include "texturas.h"

using namespace torvane;

namespace {

constexpr int W = 640, H = 480;

class Pantalla : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(gl_.open(W, H, "/tmp/torvane-gl-XXXXXX"));
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void TearDown() override { ASSERT_NO_FATAL_FAILURE(gl_.close()); }

    std::string ruta(const std::string& nombre) const { return gl_.path(nombre); }

    // A picture of one colour, saved in the format its name says.
    void liso(const std::string& nombre, int r, int g, int b, int w = 4, int h = 4) {
        ASSERT_TRUE(writeOneColour(ruta(nombre), r, g, b, w, h)) << nombre;
    }

    // The pixel at (x, y), y counted from the top as on screen.
    Rgb pixel(int x, int y) { return gl_.read().at(x, y); }

    bool blanco(int x, int y) {
        Rgb c = pixel(x, y);
        return c.r > 250 && c.g > 250 && c.b > 250;
    }

    OffscreenGl gl_;
};

std::vector<float> luz(GLenum que) {
    std::vector<float> v(4);
    glGetLightfv(GL_LIGHT0, que, v.data());
    return v;
}

GLint entorno() {
    GLint modo = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &modo);
    return modo;
}

} // namespace

TEST_F(Pantalla, TheLightStandsTwentyAboveItsPointWithTheChosenSpecularColour) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    iluminar(1, 0, 0, 0, 0, 0);
    EXPECT_EQ(luz(GL_SPECULAR), (std::vector<float>{1, 0, 0, 1}));
    EXPECT_EQ(luz(GL_AMBIENT), (std::vector<float>{0.5f, 0.5f, 0.5f, 1}));
    EXPECT_EQ(luz(GL_POSITION), (std::vector<float>{0, 20, 0, 1}));
    EXPECT_EQ(luz(GL_DIFFUSE), (std::vector<float>{1, 1, 1, 1})) << "diffuse left alone";
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_EQ(entorno(), GL_MODULATE);
    std::vector<float> brillo(4);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, brillo.data());
    EXPECT_FLOAT_EQ(brillo[0], 1.0f);

    // The colour is passed on unclamped, as the menu gives it.
    iluminar(255, 255, 255, 10, 5, -3);
    EXPECT_EQ(luz(GL_SPECULAR), (std::vector<float>{255, 255, 255, 1}));
    EXPECT_EQ(luz(GL_POSITION), (std::vector<float>{10, 25, -3, 1}));
}

TEST_F(Pantalla, EachPictureGetsItsOwnTextureAndAMissingOneAnEmptyTexture) {
    liso("rojo.png", 255, 0, 0, 3, 2);
    unsigned a = consigueimagen(ruta("rojo.png").c_str());
    EXPECT_EQ(entorno(), GL_REPLACE);
    unsigned b = consigueimagen(ruta("rojo.png").c_str());
    unsigned falta = consigueimagen(ruta("no-esta.jpg").c_str());
    unsigned rara = consigueimagen(ruta("sin-extension").c_str());
    EXPECT_NE(a, b);
    for (unsigned t : {a, b, falta, rara}) {
        EXPECT_TRUE(glIsTexture(t)) << t;
    }
    GLint ancho = 0, alto = 0;
    glBindTexture(GL_TEXTURE_2D, a);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &ancho);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &alto);
    EXPECT_EQ(ancho, 3);
    EXPECT_EQ(alto, 2);
    glBindTexture(GL_TEXTURE_2D, falta);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &ancho);
    EXPECT_EQ(ancho, 0);
    iluminar(1, 1, 1, 0, 0, 0);
    EXPECT_EQ(entorno(), GL_MODULATE);
}

TEST_F(Pantalla, SkyBoxFacesShowTheirOwnPicturesUpright) {
    // Back red, front blue, left and right grey, floor green, top white.
    const char* nombres[6] = {"atras.png", "frente.png", "izq.png",
                              "der.png",   "suelo.png",  "techo.png"};
    const int colores[6][3] = {{255, 0, 0},  {0, 0, 255}, {90, 90, 90},
                               {90, 90, 90}, {0, 255, 0}, {255, 255, 255}};
    const Textura cara[6] = {Textura::CIELO_ATRAS,     Textura::CIELO_FRENTE,
                             Textura::CIELO_IZQUIERDA, Textura::CIELO_DERECHA,
                             Textura::SUELO,           Textura::CIELO_ARRIBA};
    Texturas caras;
    for (int i = 0; i < 6; ++i) {
        liso(nombres[i], colores[i][0], colores[i][1], colores[i][2]);
        caras[cara[i]] = consigueimagen(ruta(nombres[i]).c_str());
    }
    init(true, true);
    glLoadIdentity();
    drawSkyBox(caras);
    Rgb atras = pixel(W / 2, H / 2);
    EXPECT_EQ(atras.r, 255);
    EXPECT_EQ(atras.g + atras.b, 0);

    // Looking down from 10 up: the floor; looking up: the top; turned around: the front.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0, 10, 0, 0, 0, 0, 0, 0, -1);
    drawSkyBox(caras);
    EXPECT_EQ(pixel(W / 2, H / 2).g, 255);
    EXPECT_EQ(pixel(W / 2, H / 2).r, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0, 10, 0, 0, 20, 0, 0, 0, -1);
    drawSkyBox(caras);
    EXPECT_EQ(pixel(W / 2, H / 2).r + pixel(W / 2, H / 2).b, 510);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0, 10, 0, 0, 10, 1, 0, 1, 0);
    drawSkyBox(caras);
    EXPECT_EQ(pixel(W / 2, H / 2).b, 255);
    EXPECT_EQ(pixel(W / 2, H / 2).r, 0);
}

TEST_F(Pantalla, HudShowsDigitsAmmunitionAimAndOneHealthRowPerCity) {
    prueba::JuegoDePrueba p(10, 12);
    p.ciudad(1).decrementarSalud(6);
    // Level 1 plays cities 0 and 1 only: a city 2 written for it is left out of play.
    p.juego.ciudades[1][2] = new Ciudad(0.0f, 0.0f, 0.0f, 10);
    // With no pictures loaded, every HUD piece is a plain white rectangle.
    init(false, true);
    glLoadIdentity();
    glEnable(GL_LIGHTING);
    Texturas t;
    dibujarHud(p.juego, t);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));

    // HUD x in pixels is 4/3 of a unit, y from the top 3/4 of a unit.
    EXPECT_TRUE(blanco(2, 2));    // thousands digit, x 0 to 35, top 30 units
    EXPECT_TRUE(blanco(160, 20)); // ones digit ends at 125 units = 166 px
    EXPECT_FALSE(blanco(170, 20));
    EXPECT_TRUE(blanco(268, 407)); // first ammunition mark at x 200, y 40 to 100
    EXPECT_TRUE(blanco(345, 446)); // twelve marks end at x 260 = 346.7 px
    EXPECT_FALSE(blanco(349, 430));
    EXPECT_TRUE(blanco(319, 243)); // aiming mark around the screen centre
    EXPECT_FALSE(blanco(319, 250));
    // City 0: label then ten cells up to x 223 units; city 1: four cells up to 145 units.
    EXPECT_TRUE(blanco(20, 40));
    EXPECT_TRUE(blanco(295, 40));
    EXPECT_FALSE(blanco(300, 40));
    EXPECT_TRUE(blanco(190, 55));
    EXPECT_FALSE(blanco(197, 55));
    EXPECT_FALSE(blanco(20, 70)) << "city 2 is not in level 1: no row of its own";
    EXPECT_FALSE(blanco(100, 70));
}

TEST_F(Pantalla, HudStaysFilledPicturesInEveryRenderModeAndHandsTheSceneItsModesBack) {
    prueba::JuegoDePrueba p(10, 12);
    // One picture, green, for every piece of the HUD.
    GLuint verde = 0;
    glGenTextures(1, &verde);
    glBindTexture(GL_TEXTURE_2D, verde);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    const unsigned char texeles[4 * 4] = {10, 200, 30, 255, 10, 200, 30, 255,
                                          10, 200, 30, 255, 10, 200, 30, 255};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texeles);
    Texturas t;
    for (unsigned& nombre : t.nombre) {
        nombre = verde;
    }

    struct Modo {
        bool wire, texturas;
    };
    std::vector<unsigned char> primera;
    for (Modo modo : {Modo{false, true}, Modo{false, false}, Modo{true, true}, Modo{true, false}}) {
        SCOPED_TRACE(testing::Message()
                     << "outlines " << modo.wire << ", textures " << modo.texturas);
        // The scene's modes, set as the game sets them from its record.
        p.juego.wire = modo.wire;
        p.juego.habilitar_texturas = modo.texturas;
        glDisable(GL_TEXTURE_2D);
        init(modo.texturas, true);
        glPolygonMode(GL_FRONT_AND_BACK, modo.wire ? GL_LINE : GL_FILL);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

        dibujarHud(p.juego, t);
        // Inside a digit, an ammunition mark, a city label and a health cell: the picture.
        for (auto [x, y] :
             {std::pair{20, 12}, std::pair{270, 420}, std::pair{40, 45}, std::pair{140, 45}}) {
            Rgb c = pixel(x, y);
            EXPECT_EQ(c.r, 10) << x << "," << y;
            EXPECT_EQ(c.g, 200) << x << "," << y;
        }
        std::vector<unsigned char> foto(static_cast<size_t>(W) * H * 4);
        glReadPixels(0, 0, W, H, GL_RGBA, GL_UNSIGNED_BYTE, foto.data());
        if (primera.empty()) {
            primera = foto;
        }
        EXPECT_EQ(differenceOf(primera, foto, W, H).pixels, 0u) << "the HUD looks the same";

        GLint poligono[2];
        glGetIntegerv(GL_POLYGON_MODE, poligono);
        EXPECT_EQ(poligono[0], modo.wire ? GL_LINE : GL_FILL);
        EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D) == GL_TRUE, modo.texturas);
    }
    glDeleteTextures(1, &verde);
}

TEST_F(Pantalla, MenuScreenFillsTheWindowAndLeavesPlaysModesAsTheyWere) {
    ASSERT_EQ(chdir(gl_.folder.c_str()), 0);
    ASSERT_EQ(mkdir("texturas", 0755), 0);
    liso("texturas/gameover.png", 200, 30, 10);
    liso("texturas/inicio_comenzar.png", 10, 200, 30);
    auto malla = std::make_unique<obj_type>();
    Juego juego;
    juego.misil = juego.cubo = malla.get();
    Recursos r;
    cargarRecursos(r, juego);
    init(true, true);
    juego.wire = true;
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glEnable(GL_LIGHTING);

    dibujarMenu(juego, r.texturas);
    for (Rgb c : {pixel(0, 0), pixel(W - 1, H - 1), pixel(W / 2, H / 2)}) {
        EXPECT_EQ(c.r, 10);
        EXPECT_EQ(c.g, 200);
    }
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    GLint modos[2];
    glGetIntegerv(GL_POLYGON_MODE, modos);
    EXPECT_EQ(modos[0], GL_LINE);

    juego.estado = Estado::GAME_OVER;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    dibujarMenu(juego, r.texturas);
    EXPECT_EQ(pixel(W / 2, H / 2).r, 200);
    GLint pila = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &pila);
    EXPECT_EQ(pila, 1);
    liberarRecursos(r);
}

TEST_F(Pantalla, ResourcesCanBeReleasedAndMadeAgainForANewContext) {
    ASSERT_EQ(chdir(gl_.folder.c_str()), 0);
    ASSERT_EQ(mkdir("texturas", 0755), 0);
    liso("texturas/missileTexture.jpg", 0, 0, 255);
    auto malla = std::make_unique<obj_type>();
    auto cubo = std::make_unique<obj_type>();
    Juego juego;
    juego.misil = malla.get();
    juego.cubo = cubo.get();
    Recursos r;
    cargarRecursos(r, juego);
    EXPECT_EQ(static_cast<unsigned>(malla->id_texture), r.texturas[Textura::MISIL]);
    EXPECT_EQ(static_cast<unsigned>(cubo->id_texture), r.texturas[Textura::CIUDAD]);
    EXPECT_TRUE(glIsList(r.listaCielo) && glIsList(r.listaMisil) && glIsList(r.listaCubo));
    liberarRecursos(r);
    EXPECT_EQ(r.listaCielo, 0u);
    EXPECT_EQ(r.texturas[Textura::MISIL], 0u);

    // A new context, as F11 brings: everything is made there again.
    OSMesaContext otro = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
    ASSERT_TRUE(gl_.makeCurrent(otro));
    cargarRecursos(r, juego);
    EXPECT_TRUE(glIsTexture(r.texturas[Textura::MISIL]));
    EXPECT_TRUE(glIsList(r.listaMisil));
    EXPECT_EQ(static_cast<unsigned>(malla->id_texture), r.texturas[Textura::MISIL]);
    liberarRecursos(r);
    gl_.makeCurrent(gl_.context);
    OSMesaDestroyContext(otro);
}

// What play's set-up shows: a square 5 units ahead fills a box 16:9 wide on the 640 x 480 window
// (the lens is 0.75 wide for 1 high), a nearer face hides a farther one whatever the order, and
// facets are flat or smoothly shaded as asked.
TEST_F(Pantalla, InitSetsPlaysShadingDepthAndProjection) {
    auto cuadrado = [](float lado, float z) {
        glBegin(GL_QUADS);
        glVertex3f(-lado, -lado, z);
        glVertex3f(lado, -lado, z);
        glVertex3f(lado, lado, z);
        glVertex3f(-lado, lado, z);
        glEnd();
    };
    init(false, true);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1, 1, 1);
    cuadrado(0.5f, -5.0f);
    int izquierda = W, derecha = -1, arriba = H, abajo = -1;
    const auto cuadro = gl_.read();
    for (int y = 0; y < H; y += 2) {
        for (int x = 0; x < W; x += 2) {
            const Rgb c = cuadro.at(x, y);
            if (c.r > 250 && c.g > 250 && c.b > 250) {
                izquierda = std::min(izquierda, x);
                derecha = std::max(derecha, x);
                arriba = std::min(arriba, y);
                abajo = std::max(abajo, y);
            }
        }
    }
    ASSERT_GT(derecha, izquierda);
    const double ancho = derecha - izquierda, alto = abajo - arriba;
    EXPECT_NEAR(ancho / alto, 16.0 / 9.0, 0.06) << ancho << " x " << alto;
    EXPECT_NEAR(alto, 480 / 2.0 * 2.41421356 * 0.2, 4) << "45 degrees high";

    // Red near, then green far: the red stays in front.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1, 0, 0);
    cuadrado(0.2f, -3.0f);
    glColor3f(0, 1, 0);
    cuadrado(1.0f, -6.0f);
    const Rgb medio = pixel(W / 2, H / 2);
    EXPECT_EQ(medio.r, 255);
    EXPECT_EQ(medio.g, 0);

    // One face from a red, a green and a blue corner: one colour flat, many smooth.
    auto colores = [&](bool facetas) {
        init(false, facetas);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glBegin(GL_TRIANGLES);
        glColor3f(1, 0, 0);
        glVertex3f(-1, -1, -4);
        glColor3f(0, 1, 0);
        glVertex3f(1, -1, -4);
        glColor3f(0, 0, 1);
        glVertex3f(0, 1, -4);
        glEnd();
        std::vector<int> vistos;
        const auto cara = gl_.read();
        for (int x = 250; x < 390; x += 10) {
            const Rgb c = cara.at(x, H / 2 + 20);
            vistos.push_back(c.r * 65536 + c.g * 256 + c.b);
        }
        std::sort(vistos.begin(), vistos.end());
        return std::unique(vistos.begin(), vistos.end()) - vistos.begin();
    };
    EXPECT_EQ(colores(true), 1);
    EXPECT_GT(colores(false), 5);
}
