// What Fenwar's player hears: which effect each event of a game frame starts, where it is placed
// from the cannon's view, the plane's engine, the lost game, pause silence and the S key.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "juego.h"
#include "matriz.h"
#include "mira.h"
#include "offscreen_gl.h"
#include "oido.h"
#include "support/sonido_anotado.h"

using namespace fenwar;

using anotado::tocados;

namespace {

const float CENTRO = std::sqrt(0.5f);

std::unique_ptr<Juego> nuevoJuego() {
    auto j = std::make_unique<Juego>();
    dificultad d;
    iniciarJuego(*j, d, 0);
    anotado::olvidar();
    return j;
}

// The view from cannon n, as the cannon keys leave it.
void enCanion(Juego& j, int n, float lz) {
    j.nro_canion = n;
    j.x = j.coordcannon[2 * n];
    j.y = j.coordcannon[2 * n + 1];
    j.lz = lz;
}

// How far to the right of the view (-1 to 1) the gains put a sound.
double sideHeard(Ganancias g) {
    return std::atan2(g.derecha, g.izquierda) * 4.0 / M_PI - 1.0;
}

double loudness(Ganancias g) {
    return std::sqrt(g.izquierda * g.izquierda + g.derecha * g.derecha);
}

} // namespace

TEST(OidoFenwar, EachEventOfAFramePlaysItsEffectInOrder) {
    auto j = nuevoJuego();
    abrirOido();
    EXPECT_TRUE(anotado::abierto);
    Sucesos s;
    s.disparos = 2;
    s.derribos.push_back({0.0f, 0.5f, -1.5f});
    s.golpes.push_back({j->coordCitys[2][0], j->coordCitys[2][1], 0.0f});
    s.ciudadCaida[1] = true;
    Oido o;
    oirCuadro(o, *j, s);
    const Efecto esperados[] = {Efecto::DISPARO, Efecto::DISPARO, Efecto::ESTALLIDO,
                                Efecto::IMPACTO, Efecto::CIUDAD_CAE};
    ASSERT_EQ(tocados.size(), 5u);
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(tocados[i].efecto, esperados[i]) << i;
        EXPECT_EQ(tocados[i].clase, Clase::JUEGO) << i;
        EXPECT_FALSE(tocados[i].bucle) << i;
    }
    // The shot leaves the eye: centred and whole.
    EXPECT_NEAR(tocados[0].ganancias.izquierda, CENTRO, 1e-5);
    EXPECT_NEAR(tocados[0].ganancias.derecha, CENTRO, 1e-5);
    EXPECT_FALSE(anotado::pausado);
    EXPECT_TRUE(anotado::movidos.empty()) << "no plane, no engine";

    // A frame where nothing happened is silent.
    anotado::olvidar();
    oirCuadro(o, *j, Sucesos{});
    EXPECT_TRUE(tocados.empty());
    cerrarOido();
    EXPECT_FALSE(anotado::abierto);
}

// The side heard is the side drawn: the frame's view is the cannon's look-at turned by the
// cannon's angle about the line to the eye, and the gains must follow the whole of it.
TEST(OidoFenwar, ASoundIsHeardOnTheSideOfTheScreenItIsDrawnOn) {
    OffscreenGl gl;
    ASSERT_NO_FATAL_FAILURE(gl.open(8, 8));
    auto j = nuevoJuego();
    unsigned semilla = 29;
    auto azar = [&](float lo, float hi) {
        semilla = semilla * 1103515245u + 12345u;
        return lo + (hi - lo) * static_cast<float>((semilla >> 8) & 0xFFFF) / 65535.0f;
    };
    int lados[2] = {0, 0};
    for (int i = 0; i < 200; i++) {
        enCanion(*j, i % 4, azar(-40.0f, 40.0f));
        const Lugar p{azar(-3, 3), azar(-3, 3), azar(-3, 0)};
        const Vista v = vistaCanion(j->nro_canion, j->coordcannon, j->x, j->y, j->z, j->lz);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(v.ojo[0], v.ojo[1], v.ojo[2], v.centro[0], v.centro[1], v.centro[2], v.arriba[0],
                  v.arriba[1], v.arriba[2]);
        glRotatef(j->anglecannon[j->nro_canion], j->x, j->y, -j->z);
        Matriz m;
        glGetDoublev(GL_MODELVIEW_MATRIX, m.m);
        const auto [x, y, z] = aplicar(m, p.x, p.y, p.z);
        const double distancia = std::sqrt(x * x + y * y + z * z);
        const Ganancias g = oir(*j, p);
        EXPECT_NEAR(sideHeard(g), x / distancia, 1e-3) << i;
        // Whole within 2.5 of the eye, then falling with the distance, never below a quarter.
        const double esperado = std::max(0.25, std::min(1.0, 2.5 / distancia));
        EXPECT_NEAR(loudness(g), esperado, 1e-3) << i;
        lados[x > 0 ? 1 : 0]++;
    }
    EXPECT_GT(lados[0], 20) << "both sides were tried";
    EXPECT_GT(lados[1], 20) << "both sides were tried";
    ASSERT_NO_FATAL_FAILURE(gl.close());
}

TEST(OidoFenwar, TheEngineLoopsWhileThePlaneFliesAndComesBackAfterAPause) {
    auto j = nuevoJuego();
    Oido o;
    j->hayavion = true;
    Sucesos s;
    s.avion = {0.0f, 2.0f, -1.5f};
    oirCuadro(o, *j, s);
    ASSERT_EQ(tocados.size(), 1u);
    EXPECT_EQ(tocados[0].efecto, Efecto::MOTOR);
    EXPECT_TRUE(tocados[0].bucle);
    const Ganancias primero = tocados[0].ganancias;

    // It moves across with the plane rather than starting again.
    s.avion = {0.0f, -2.0f, -1.5f};
    oirCuadro(o, *j, s);
    EXPECT_EQ(tocados.size(), 1u);
    // movidos[0] is the first frame's try on a handle that named nothing yet.
    ASSERT_EQ(anotado::movidos.size(), 2u);
    EXPECT_LT(sideHeard(primero), -0.5);
    EXPECT_GT(sideHeard(anotado::movidos[1]), 0.5) << "the engine did not move across";

    // A pause drops it: once play resumes it is started again, once.
    pausarSonido(true);
    pausarSonido(false);
    oirCuadro(o, *j, s);
    oirCuadro(o, *j, s);
    ASSERT_EQ(tocados.size(), 2u);
    EXPECT_EQ(tocados[1].efecto, Efecto::MOTOR);

    // A hit the armour takes, where the plane was hit.
    s.avionGolpeado = true;
    oirCuadro(o, *j, s);
    ASSERT_EQ(tocados.size(), 3u);
    EXPECT_EQ(tocados[2].efecto, Efecto::AVION_TOCADO);
    EXPECT_FALSE(tocados[2].bucle);
    EXPECT_EQ(anotado::parados, 0);

    // It falls: the engine stops and the fall is heard.
    s.avionGolpeado = false;
    s.avionDerribado = true;
    j->hayavion = false;
    oirCuadro(o, *j, s);
    EXPECT_EQ(anotado::parados, 1);
    ASSERT_EQ(tocados.size(), 4u);
    EXPECT_EQ(tocados[3].efecto, Efecto::AVION_CAE);
    EXPECT_NEAR(sideHeard(tocados[3].ganancias), sideHeard(anotado::movidos.back()), 1e-6);
}

TEST(OidoFenwar, APlaneThatLeavesStopsItsEngineSilently) {
    auto j = nuevoJuego();
    Oido o;
    j->hayavion = true;
    Sucesos s;
    s.avion = {0.0f, 1.0f, -2.0f};
    oirCuadro(o, *j, s);
    j->hayavion = false;
    oirCuadro(o, *j, Sucesos{});
    oirCuadro(o, *j, Sucesos{});
    EXPECT_EQ(anotado::parados, 1);
    EXPECT_EQ(tocados.size(), 1u) << "no fall for a plane that left";
}

// The lost game waits on the pause screen: play is silenced first and the notice is a menu sound
// that the pause lets ring on.
TEST(OidoFenwar, TheLostGameIsAMenuNoticeAfterSilence) {
    auto j = nuevoJuego();
    Oido o;
    Sucesos s;
    s.golpes.push_back({0.0f, 0.9f, 0.0f});
    s.ciudadCaida[0] = true;
    s.partidaPerdida = true;
    oirCuadro(o, *j, s);
    EXPECT_TRUE(anotado::pausado);
    ASSERT_EQ(tocados.size(), 3u);
    EXPECT_EQ(tocados[2].efecto, Efecto::JUEGO_PERDIDO);
    EXPECT_EQ(tocados[2].clase, Clase::MENU);
    EXPECT_FLOAT_EQ(tocados[2].ganancias.izquierda, 1.0f);
    EXPECT_FLOAT_EQ(tocados[2].ganancias.derecha, 1.0f);
}

TEST(OidoFenwar, ThePauseAndConfigurationScreensAreSilent) {
    auto j = nuevoJuego();
    const struct {
        bool pausa, config, silencio;
    } casos[] = {{false, false, false}, {true, false, true}, {false, true, true}};
    for (const auto& c : casos) {
        j->pausa = c.pausa;
        j->config = c.config;
        anotado::pausado = !c.silencio;
        oirPantalla(*j);
        EXPECT_EQ(anotado::pausado, c.silencio) << c.pausa << c.config;
    }
}

// Keys repeat while held (the game turns key repeat on): a held S switches once.
TEST(OidoFenwar, SSwitchesOncePerPressHoweverLongItIsHeld) {
    anotado::olvidar();
    TeclaSonido t;
    teclaSonido(t, true);
    teclaSonido(t, true);
    teclaSonido(t, true);
    EXPECT_EQ(anotado::alternados, 1);
    teclaSonido(t, false);
    teclaSonido(t, false);
    EXPECT_EQ(anotado::alternados, 1);
    teclaSonido(t, true);
    EXPECT_EQ(anotado::alternados, 2);
}
