// What Torvane's player hears: which effect each event of play, menu, travel and level end starts,
// and where it is placed.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "juego_prueba.h"
#include "menu.h"
#include "oido.h"
#include "support/sonido_anotado.h"

using namespace torvane;

using anotado::tocados;
using prueba::JuegoDePrueba;

namespace {

const float CENTRO = std::sqrt(0.5f);

// The effects started, in order.
using Heard = std::vector<Efecto>;

// A key handled as the game handles it, heard as the game hears it; the effects it started.
Heard tecla(Juego& juego, Tecla t) {
    tocados.clear();
    const AntesDeTecla antes = antesDeTecla(juego);
    manejarTecla(juego, t);
    oirTecla(antes, juego, t);
    Heard efectos;
    for (const anotado::Tocado& x : tocados) {
        efectos.push_back(x.efecto);
    }
    return efectos;
}

} // namespace

TEST(OidoJuego, ABurstOnTheLeftOfTheTowerIsLouderLeftAndAFarStrikeFainter) {
    JuegoDePrueba p;
    FramePlay frame; // tower 0 at (0, 5, 45) looking along -z
    frame.sucesos.derribos.push_back({-20.0f, 5.0f, 45.0f - 20.0f});
    frame.sucesos.impactos.push_back({0.0f, 5.0f, 45.0f - 100.0f});
    frame.sucesos.caidas.push_back({30.0f, 5.0f, 45.0f});
    tocados.clear();
    oirFrame(p.juego, frame);
    ASSERT_EQ(tocados.size(), 3u);
    EXPECT_EQ(tocados[0].efecto, Efecto::ESTALLIDO);
    EXPECT_GT(tocados[0].ganancias.izquierda, 2 * tocados[0].ganancias.derecha);
    EXPECT_EQ(tocados[0].clase, Clase::JUEGO);
    // Straight ahead, 100 units away: centred, at 30 / 100.
    EXPECT_EQ(tocados[1].efecto, Efecto::IMPACTO);
    EXPECT_NEAR(tocados[1].ganancias.izquierda, CENTRO * 0.3f, 1e-4);
    EXPECT_NEAR(tocados[1].ganancias.derecha, CENTRO * 0.3f, 1e-4);
    // Fully to the right of the eye.
    EXPECT_EQ(tocados[2].efecto, Efecto::CIUDAD_CAE);
    EXPECT_NEAR(tocados[2].ganancias.izquierda, 0.0f, 1e-4);
    EXPECT_NEAR(tocados[2].ganancias.derecha, 1.0f, 1e-4);
}

TEST(OidoJuego, TheViewTurnedOrTravellingIsWhereItIsHeardFrom) {
    JuegoDePrueba p;
    // Turned 90° to the right, tower 0 has the origin on its left, 45 units away.
    p.juego.torres[0]->getCamara()->RotateY(-90.0f);
    p.juego.torres[0]->getCamara()->actualizeViewDir();
    FramePlay frame;
    frame.sucesos.impactos.push_back({0.0f, 5.0f, 0.0f});
    tocados.clear();
    oirFrame(p.juego, frame);
    ASSERT_EQ(tocados.size(), 1u);
    EXPECT_NEAR(tocados[0].ganancias.izquierda, 30.0f / 45.0f, 1e-3);
    EXPECT_NEAR(tocados[0].ganancias.derecha, 0.0f, 1e-3);
    // The travelling eye looks at the origin: a strike there is straight ahead.
    frame.vista = Vista{TipoVista::VIAJE, -40.0f, 10.0f};
    tocados.clear();
    oirFrame(p.juego, frame);
    ASSERT_EQ(tocados.size(), 1u);
    EXPECT_NEAR(tocados[0].ganancias.izquierda, tocados[0].ganancias.derecha, 1e-4);
}

TEST(OidoJuego, AClickIsABulletAtTheEyeOrADryClickAndNothingElseIsHeard) {
    tocados.clear();
    oirDisparo(Disparo::NINGUNO);
    EXPECT_TRUE(tocados.empty());
    oirDisparo(Disparo::BALA);
    oirDisparo(Disparo::VACIA);
    ASSERT_EQ(tocados.size(), 2u);
    EXPECT_EQ(tocados[0].efecto, Efecto::BALA);
    EXPECT_EQ(tocados[1].efecto, Efecto::TORRE_VACIA);
    for (const anotado::Tocado& t : tocados) {
        EXPECT_NEAR(t.ganancias.izquierda, CENTRO, 1e-5);
        EXPECT_NEAR(t.ganancias.derecha, CENTRO, 1e-5);
        EXPECT_EQ(t.clase, Clase::JUEGO);
    }
}

TEST(OidoMenu, AStepOnlyWhenTheHighlightMovesAndAChoiceOnEveryMenuScreen) {
    JuegoDePrueba p;
    Juego& j = p.juego; // the start screen, comenzar highlighted
    EXPECT_EQ(tecla(j, Tecla::ARRIBA), Heard{});
    imagenDelMenu(j);
    EXPECT_EQ(tecla(j, Tecla::ABAJO), Heard{Efecto::MENU_PASO});
    imagenDelMenu(j);
    EXPECT_EQ(tecla(j, Tecla::ABAJO), Heard{}); // salir is the last entry
    // Two arrows in one frame, before the picture brings the highlight back: one step.
    EXPECT_EQ(tecla(j, Tecla::ARRIBA), Heard{});
    EXPECT_EQ(tecla(j, Tecla::ARRIBA), Heard{Efecto::MENU_PASO});
    imagenDelMenu(j);
    EXPECT_EQ(tecla(j, Tecla::RETURN), Heard{Efecto::MENU_ELEGIR});
    ASSERT_EQ(j.estado, Estado::JUGANDO);
    EXPECT_EQ(tocados[0].clase, Clase::MENU);
    // In play the arrows and RETURN are no menu.
    EXPECT_EQ(tecla(j, Tecla::ABAJO), Heard{});
    EXPECT_EQ(tecla(j, Tecla::RETURN), Heard{});
    // The pause menu: p itself is silent, its entries are not.
    EXPECT_EQ(tecla(j, Tecla::P), Heard{});
    EXPECT_EQ(tecla(j, Tecla::ABAJO), Heard{Efecto::MENU_PASO});
    EXPECT_EQ(tecla(j, Tecla::ENTER_TECLADO), Heard{Efecto::MENU_ELEGIR});
    EXPECT_EQ(j.yoquese, PAGINA_VELOCIDAD);
    // The game-over screen's RETURN ends the program: nothing to hear.
    j.estado = Estado::GAME_OVER;
    EXPECT_EQ(tecla(j, Tecla::RETURN), Heard{});
}

TEST(OidoMenu, TheTravelIsHeardOnlyWhenItStarts) {
    JuegoDePrueba p;
    Juego& j = p.juego;
    j.estado = Estado::JUGANDO;
    EXPECT_EQ(tecla(j, Tecla::UNO), Heard{}); // already on tower 1
    EXPECT_EQ(tecla(j, Tecla::DOS), Heard{Efecto::VIAJE_TORRE});
    EXPECT_EQ(tocados[0].clase, Clase::JUEGO);
    EXPECT_EQ(tecla(j, Tecla::TRES), Heard{}); // still travelling
    // Keys that change nothing heard stay silent, S among them (the frame code switches sound).
    EXPECT_EQ(tecla(j, Tecla::OTRA), Heard{});
    EXPECT_EQ(tecla(j, Tecla::T), Heard{});
}

TEST(OidoNivel, ALevelWonALostGameAndThePauseAreHeardAsTheyHappen) {
    JuegoDePrueba p;
    Juego& j = p.juego;
    struct Caso {
        Estado antes, despues;
        int nivel;
        Heard oidos;
        bool pausa;
    };
    const Caso casos[] = {
        {Estado::JUGANDO, Estado::JUGANDO, 1, {}, false},
        {Estado::JUGANDO, Estado::PAUSA, 1, {}, true},
        {Estado::PAUSA, Estado::PAUSA, 1, {}, true},
        {Estado::JUGANDO, Estado::PASAR_NIVEL, 1, {Efecto::NIVEL_GANADO}, false},
        {Estado::JUGANDO,
         Estado::GAME_OVER,
         1,
         {Efecto::JUEGO_PERDIDO},
         false}, // cities fallen, or ESCAPE
        {Estado::PAUSA,
         Estado::GAME_OVER,
         2,
         {Efecto::JUEGO_PERDIDO},
         false},                                           // q in the pause menu
        {Estado::INICIO, Estado::GAME_OVER, 1, {}, false}, // Salir on the start screen
        {Estado::PAUSA, Estado::GAME_OVER, ULTIMO_NIVEL + 1, {}, false}, // past the last level: won
        {Estado::GAME_OVER, Estado::GAME_OVER, 1, {}, false},
    };
    for (const Caso& c : casos) {
        j.estado = c.despues;
        j.nivel = c.nivel;
        anotado::pausado = !c.pausa;
        tocados.clear();
        oirEstado(c.antes, j);
        Heard oidos;
        for (const anotado::Tocado& t : tocados) {
            oidos.push_back(t.efecto);
            EXPECT_EQ(t.clase, Clase::MENU) << "a notice must ring through the pause";
        }
        const std::string caso = "state " + std::to_string(static_cast<int>(c.antes)) + " -> " +
                                 std::to_string(static_cast<int>(c.despues)) + " on level " +
                                 std::to_string(c.nivel);
        EXPECT_EQ(oidos, c.oidos) << caso;
        EXPECT_EQ(anotado::pausado, c.pausa) << caso;
    }
}
