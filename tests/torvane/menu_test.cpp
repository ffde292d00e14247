// Keys, the start screen and the pause pages with their highlights and settings; HUD figures.
#include <gtest/gtest.h>

#include <initializer_list>

#include "hud_reglas.h"
#include "juego_prueba.h"
#include "menu.h"

using namespace torvane;

using prueba::JuegoDePrueba;

namespace {

// Presses each key in turn, bringing the highlight into range between keys as the next frame
// does; returns the effects of the last key.
Efectos teclas(Juego& juego, std::initializer_list<Tecla> lista) {
    Efectos ultimo;
    for (Tecla t : lista) {
        ultimo = manejarTecla(juego, t);
        if (juego.estado != Estado::JUGANDO) {
            imagenDelMenu(juego);
        }
    }
    return ultimo;
}

// A game paused from play, showing page 0.
struct EnPausa : ::testing::Test {
    JuegoDePrueba p;
    Juego& juego = p.juego;
    void SetUp() override {
        juego.estado = Estado::JUGANDO;
        manejarTecla(juego, Tecla::P);
    }
    void esperarJuego(const Efectos& e) {
        EXPECT_EQ(juego.estado, Estado::JUGANDO);
        EXPECT_TRUE(e.init);
        EXPECT_EQ(juego.flecha, 0);
        EXPECT_EQ(juego.yoquese, 0);
    }
};

} // namespace

TEST_F(EnPausa, ArrowsStopAtTheFirstAndLastEntries) {
    EXPECT_EQ(imagenDelMenu(juego), ImagenMenu::SELECC_CONTINUAR);
    teclas(juego, {Tecla::ARRIBA});
    EXPECT_EQ(imagenDelMenu(juego), ImagenMenu::SELECC_CONTINUAR);
    teclas(juego, {Tecla::ABAJO});
    EXPECT_EQ(imagenDelMenu(juego), ImagenMenu::SELECC_VELOCIDAD);
    teclas(juego, {Tecla::ABAJO});
    EXPECT_EQ(imagenDelMenu(juego), ImagenMenu::SELECC_ESTADOS);
    teclas(juego, {Tecla::ABAJO, Tecla::ABAJO, Tecla::ABAJO});
    EXPECT_EQ(imagenDelMenu(juego), ImagenMenu::SELECC_DIRECYCOLOR);
    EXPECT_EQ(juego.flecha, 3);
}

TEST_F(EnPausa, VelocidadOpensLentoAndThreeDownsChooseRapido) {
    teclas(juego, {Tecla::ABAJO, Tecla::RETURN});
    EXPECT_EQ(juego.yoquese, PAGINA_VELOCIDAD);
    EXPECT_EQ(imagenDelMenu(juego), ImagenMenu::VELOCIDAD_LENTO);
    teclas(juego, {Tecla::ABAJO, Tecla::ABAJO, Tecla::ABAJO});
    EXPECT_EQ(imagenDelMenu(juego), ImagenMenu::VELOCIDAD_RAPIDO);
    esperarJuego(teclas(juego, {Tecla::RETURN}));
    EXPECT_FLOAT_EQ(juego.velocidad, 2.0f);

    teclas(juego, {Tecla::P, Tecla::ABAJO, Tecla::ENTER_TECLADO});
    esperarJuego(teclas(juego, {Tecla::RETURN}));
    EXPECT_FLOAT_EQ(juego.velocidad, 0.5f);
    teclas(juego, {Tecla::P, Tecla::ABAJO, Tecla::RETURN, Tecla::ABAJO});
    EXPECT_EQ(imagenDelMenu(juego), ImagenMenu::VELOCIDAD_NORMAL);
    esperarJuego(teclas(juego, {Tecla::RETURN}));
    EXPECT_FLOAT_EQ(juego.velocidad, 1.0f);
}

TEST_F(EnPausa, RenderModesToggleAndResume) {
    teclas(juego, {Tecla::ABAJO, Tecla::ABAJO, Tecla::RETURN});
    EXPECT_EQ(imagenDelMenu(juego), ImagenMenu::ESTADOS_WIREFRAME);
    Efectos e = teclas(juego, {Tecla::RETURN});
    esperarJuego(e);
    EXPECT_TRUE(juego.wire);
    EXPECT_TRUE(e.modoPoligono);

    teclas(juego, {Tecla::P, Tecla::ABAJO, Tecla::ABAJO, Tecla::RETURN, Tecla::ABAJO});
    EXPECT_EQ(imagenDelMenu(juego), ImagenMenu::ESTADOS_FACET_INTER);
    esperarJuego(teclas(juego, {Tecla::RETURN}));
    EXPECT_FALSE(juego.facet_interpol);

    teclas(juego, {Tecla::P, Tecla::ABAJO, Tecla::ABAJO, Tecla::RETURN, Tecla::ABAJO, Tecla::ABAJO,
                   Tecla::ABAJO});
    EXPECT_EQ(imagenDelMenu(juego), ImagenMenu::ESTADOS_TEXTURAS);
    e = teclas(juego, {Tecla::RETURN});
    esperarJuego(e);
    EXPECT_FALSE(juego.habilitar_texturas);
    EXPECT_TRUE(e.texturas);
    EXPECT_TRUE(juego.wire);
}

TEST_F(EnPausa, EachColourLightsTheSceneWithIt) {
    struct Caso {
        int abajo;
        ImagenMenu imagen;
        float r, g, b;
    };
    for (const Caso& c :
         {Caso{0, ImagenMenu::ROJO, 255, 0, 0}, Caso{1, ImagenMenu::AZUL, 0, 0, 255},
          Caso{2, ImagenMenu::VERDE, 0, 255, 0}, Caso{3, ImagenMenu::BLANCO, 255, 255, 255}}) {
        teclas(juego, {Tecla::ABAJO, Tecla::ABAJO, Tecla::ABAJO, Tecla::RETURN});
        for (int i = 0; i < c.abajo; ++i) {
            teclas(juego, {Tecla::ABAJO});
        }
        EXPECT_EQ(imagenDelMenu(juego), c.imagen);
        esperarJuego(teclas(juego, {Tecla::RETURN}));
        EXPECT_TRUE(juego.lumus);
        EXPECT_FLOAT_EQ(juego.red, c.r);
        EXPECT_FLOAT_EQ(juego.green, c.g);
        EXPECT_FLOAT_EQ(juego.blue, c.b);
        teclas(juego, {Tecla::P});
    }
}

TEST_F(EnPausa, WhiteThenDirecThenTheSecondTowerLightsFromTowerOne) {
    teclas(juego, {Tecla::ABAJO, Tecla::ABAJO, Tecla::ABAJO, Tecla::RETURN, Tecla::ABAJO,
                   Tecla::ABAJO, Tecla::ABAJO, Tecla::RETURN});
    EXPECT_TRUE(juego.lumus);
    teclas(juego, {Tecla::P, Tecla::ABAJO, Tecla::ABAJO, Tecla::ABAJO, Tecla::RETURN});
    teclas(juego, {Tecla::ABAJO, Tecla::ABAJO, Tecla::ABAJO, Tecla::ABAJO});
    EXPECT_EQ(imagenDelMenu(juego), ImagenMenu::DIREC);
    teclas(juego, {Tecla::RETURN});
    EXPECT_EQ(juego.yoquese, PAGINA_POSICION);
    EXPECT_EQ(imagenDelMenu(juego), ImagenMenu::TORRE1);
    teclas(juego, {Tecla::ABAJO});
    EXPECT_EQ(imagenDelMenu(juego), ImagenMenu::TORRE2);
    esperarJuego(teclas(juego, {Tecla::RETURN}));
    EXPECT_FLOAT_EQ(juego.xil, -45.0f);
    EXPECT_FLOAT_EQ(juego.yil, 5.0f);
    EXPECT_FLOAT_EQ(juego.zil, -45.0f);
    EXPECT_FLOAT_EQ(juego.red + juego.green + juego.blue, 3 * 255.0f);
}

TEST_F(EnPausa, APositionChosenBeforeAnyColourMovesTheLightButLeavesItOff) {
    teclas(juego,
           {Tecla::ABAJO, Tecla::ABAJO, Tecla::ABAJO, Tecla::RETURN, Tecla::ABAJO, Tecla::ABAJO,
            Tecla::ABAJO, Tecla::ABAJO, Tecla::RETURN, Tecla::ABAJO, Tecla::ABAJO, Tecla::ABAJO});
    EXPECT_EQ(imagenDelMenu(juego), ImagenMenu::TORRE3);
    esperarJuego(teclas(juego, {Tecla::RETURN}));
    EXPECT_FALSE(juego.lumus);
    EXPECT_FLOAT_EQ(juego.xil, 45.0f);
    EXPECT_FLOAT_EQ(juego.zil, -45.0f);
}

// An arrow and RETURN in the same frame: RETURN meets an entry the page does not have.
TEST_F(EnPausa, ReturnOnAnEntryThePageLacksChangesNoSetting) {
    for (int flecha : {-1, 4}) {
        juego.flecha = flecha;
        Efectos e = manejarTecla(juego, Tecla::RETURN);
        EXPECT_EQ(juego.estado, Estado::PAUSA);
        EXPECT_EQ(juego.yoquese, PAGINA_PRINCIPAL);
        EXPECT_EQ(juego.flecha, flecha);
        EXPECT_FALSE(e.init);
    }
    for (int flecha : {2, 8}) {
        juego.yoquese = PAGINA_COLOR;
        juego.flecha = flecha;
        manejarTecla(juego, Tecla::RETURN);
        EXPECT_EQ(juego.estado, Estado::PAUSA);
        EXPECT_EQ(juego.yoquese, PAGINA_COLOR);
        EXPECT_FALSE(juego.lumus);
    }
    struct Caso {
        int pagina, flecha;
    };
    for (const Caso& c :
         {Caso{PAGINA_VELOCIDAD, 0}, Caso{PAGINA_VELOCIDAD, 4}, Caso{PAGINA_ESTADOS, 1},
          Caso{PAGINA_ESTADOS, 5}, Caso{PAGINA_POSICION, 6}, Caso{PAGINA_POSICION, 10}}) {
        juego.estado = Estado::PAUSA;
        juego.yoquese = c.pagina;
        juego.flecha = c.flecha;
        esperarJuego(manejarTecla(juego, Tecla::RETURN));
        EXPECT_FLOAT_EQ(juego.velocidad, 1.0f);
        EXPECT_FALSE(juego.wire);
        EXPECT_TRUE(juego.facet_interpol);
        EXPECT_TRUE(juego.habilitar_texturas);
        EXPECT_FLOAT_EQ(juego.xil, 100.0f);
    }
}

TEST(Teclas, PInEveryState) {
    JuegoDePrueba p;
    Juego& j = p.juego;
    struct Caso {
        Estado antes, despues;
    };
    for (const Caso& c :
         {Caso{Estado::INICIO, Estado::INICIO}, Caso{Estado::JUGANDO, Estado::PAUSA},
          Caso{Estado::PAUSA, Estado::JUGANDO}, Caso{Estado::PASAR_NIVEL, Estado::PASAR_NIVEL},
          Caso{Estado::GAME_OVER, Estado::GAME_OVER}}) {
        j.estado = c.antes;
        j.yoquese = 3;
        j.flecha = 5;
        Efectos e = manejarTecla(j, Tecla::P);
        EXPECT_EQ(j.estado, c.despues);
        EXPECT_EQ(j.yoquese, 0);
        EXPECT_EQ(j.flecha, 0);
        EXPECT_TRUE(e.init);
    }
}

TEST(Teclas, StartScreenChoosesPlayOrTheEnd) {
    JuegoDePrueba p;
    Juego& j = p.juego;
    EXPECT_EQ(imagenDelMenu(j), ImagenMenu::INICIO_COMENZAR);
    teclas(j, {Tecla::ABAJO, Tecla::ABAJO});
    EXPECT_EQ(imagenDelMenu(j), ImagenMenu::INICIO_SALIR);
    teclas(j, {Tecla::P});
    EXPECT_EQ(imagenDelMenu(j), ImagenMenu::INICIO_COMENZAR);
    EXPECT_TRUE(teclas(j, {Tecla::ENTER_TECLADO}).init);
    EXPECT_EQ(j.estado, Estado::JUGANDO);

    JuegoDePrueba salir;
    teclas(salir.juego, {Tecla::ABAJO, Tecla::RETURN});
    EXPECT_EQ(salir.juego.estado, Estado::GAME_OVER);
    EXPECT_EQ(imagenDelMenu(salir.juego), ImagenMenu::GAME_OVER_IMAGEN);
    teclas(salir.juego, {Tecla::ARRIBA, Tecla::RETURN});
    EXPECT_EQ(salir.juego.estado, Estado::FIN);
}

TEST(Teclas, EscapeAndQEndTheGameFromAnyScreenAndNothingRevivesTheEnd) {
    for (Tecla t : {Tecla::ESCAPE, Tecla::Q}) {
        for (Estado e : {Estado::INICIO, Estado::PASAR_NIVEL, Estado::JUGANDO, Estado::PAUSA,
                         Estado::GAME_OVER}) {
            JuegoDePrueba p;
            p.juego.estado = e;
            manejarTecla(p.juego, t);
            EXPECT_EQ(p.juego.estado, Estado::GAME_OVER);
        }
    }
    JuegoDePrueba p;
    p.juego.estado = Estado::FIN;
    for (Tecla t : {Tecla::ESCAPE, Tecla::Q, Tecla::P, Tecla::RETURN}) {
        manejarTecla(p.juego, t);
        EXPECT_EQ(p.juego.estado, Estado::FIN);
    }
}

TEST(Teclas, RenderAndTowerKeysWorkOnEveryScreenArrowsOnlyInMenus) {
    JuegoDePrueba p;
    Juego& j = p.juego;
    j.estado = Estado::PAUSA;
    Efectos e = manejarTecla(j, Tecla::ESPACIO);
    EXPECT_TRUE(j.wire);
    EXPECT_TRUE(e.modoPoligono);
    e = manejarTecla(j, Tecla::T);
    EXPECT_FALSE(j.habilitar_texturas);
    EXPECT_TRUE(e.texturas);
    EXPECT_TRUE(manejarTecla(j, Tecla::F11).pantallaCompleta);
    manejarTecla(j, Tecla::TRES);
    EXPECT_EQ(j.en_torre, 2);
    EXPECT_TRUE(j.moviendo);

    j.estado = Estado::JUGANDO;
    manejarTecla(j, Tecla::ABAJO);
    EXPECT_EQ(j.flecha, 0);
    Efectos nada = manejarTecla(j, Tecla::RETURN);
    EXPECT_EQ(j.estado, Estado::JUGANDO);
    EXPECT_FALSE(nada.init || nada.modoPoligono || nada.texturas || nada.pantallaCompleta);
    manejarTecla(j, Tecla::OTRA);
    EXPECT_EQ(j.estado, Estado::JUGANDO);
}

TEST(Hud, ScoreShowsFourDigitsModuloTenThousand) {
    struct Caso {
        int puntaje, m, c, d, u;
    };
    for (const Caso& k : {Caso{0, 0, 0, 0, 0}, Caso{1230, 1, 2, 3, 0}, Caso{10050, 0, 0, 5, 0},
                          Caso{9999, 9, 9, 9, 9}}) {
        DigitosPuntaje d = digitosPuntaje(k.puntaje);
        EXPECT_EQ(d.miles, k.m);
        EXPECT_EQ(d.centenas, k.c);
        EXPECT_EQ(d.decenas, k.d);
        EXPECT_EQ(d.unidades, k.u);
    }
}

TEST(Hud, HealthCellsTurnMediumUnderHalfAndLowUnderAThird) {
    for (int s = 10; s >= 5; --s) {
        EXPECT_EQ(celdaSalud(s, 10), Celda::SANA) << s;
    }
    EXPECT_EQ(celdaSalud(4, 10), Celda::MEDIA);
    EXPECT_EQ(celdaSalud(3, 10), Celda::MEDIA);
    EXPECT_EQ(celdaSalud(2, 10), Celda::GRAVE);
    EXPECT_EQ(celdaSalud(1, 10), Celda::GRAVE);
    for (int s = 9; s >= 4; --s) {
        EXPECT_EQ(celdaSalud(s, 9), Celda::SANA) << s;
    }
    EXPECT_EQ(celdaSalud(3, 9), Celda::MEDIA);
    EXPECT_EQ(celdaSalud(2, 9), Celda::GRAVE);
    EXPECT_EQ(celdaSalud(1, 9), Celda::GRAVE);
    EXPECT_EQ(filaSalud(0), 50);
    EXPECT_EQ(filaSalud(3), 110);
    EXPECT_EQ(filaSalud(4), -1);
    EXPECT_EQ(filaSalud(-1), -1);
}
