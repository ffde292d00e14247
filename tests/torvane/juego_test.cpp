// The level and frame loops: level start, level end, game over, frame pacing, odd level files.
#include <gtest/gtest.h>

#include "combate.h"
#include "juego_prueba.h"
#include "menu.h"

using namespace torvane;

using prueba::JuegoDePrueba;

TEST(Niveles, ALevelEndsOnlyOnceAllItsMissilesAreLaunchedAndSpent) {
    JuegoDePrueba p;
    p.juego.estado = Estado::JUGANDO;
    p.juego.cant_misiles = 10;
    p.juego.tirados = 1;
    comenzarFrame(p.juego);
    EXPECT_EQ(p.juego.estado, Estado::JUGANDO);
    EXPECT_TRUE(sigueNivel(p.juego));
    p.juego.tirados = 0;
    comenzarFrame(p.juego);
    EXPECT_EQ(p.juego.estado, Estado::PASAR_NIVEL);
    EXPECT_FALSE(sigueNivel(p.juego));
}

TEST(Niveles, AWonLevelOpensTheNextOnThePauseMenuWithFullAmmunition) {
    JuegoDePrueba p;
    p.juego.estado = Estado::JUGANDO;
    p.juego.puntaje = 70;
    p.juego.velocidad = 2.0f;
    p.juego.cant_misiles = 10;
    p.juego.cant_balas = 3;
    p.balaEn(0, 5, 45, 0, 0, -1);
    p.juego.torres[0]->disparar();
    p.juego.torres[2]->disparar();
    p.juego.en_torre = 2;
    p.juego.flecha = 3;
    comenzarFrame(p.juego);
    terminarNivel(p.juego);
    empezarNivel(p.juego);
    EXPECT_EQ(p.juego.estado, Estado::PAUSA);
    EXPECT_EQ(p.juego.nivel, 2);
    EXPECT_EQ(p.juego.puntaje, 70);
    EXPECT_FLOAT_EQ(p.juego.velocidad, 2.0f);
    EXPECT_EQ(p.juego.ciudades_vivas, 3);
    EXPECT_EQ(p.juego.en_torre, 0);
    EXPECT_EQ(p.juego.flecha, 0);
    EXPECT_EQ(p.juego.cant_misiles, 0);
    EXPECT_EQ(p.juego.cant_balas, 0);
    EXPECT_TRUE(p.juego.balas.empty());
    for (Torre* t : p.juego.torres) {
        EXPECT_EQ(t->getMunicion(), 40);
    }
    EXPECT_EQ(imagenDelMenu(p.juego), ImagenMenu::SELECC_CONTINUAR);
}

TEST(Niveles, WinningTheThirdLevelShowsGameOverWithoutAPauseMenu) {
    JuegoDePrueba p;
    p.juego.nivel = 3;
    empezarNivel(p.juego);
    p.juego.estado = Estado::JUGANDO;
    p.juego.cant_misiles = 30;
    comenzarFrame(p.juego);
    ASSERT_EQ(p.juego.estado, Estado::PASAR_NIVEL);
    terminarNivel(p.juego);
    empezarNivel(p.juego);
    comenzarFrame(p.juego);
    EXPECT_EQ(p.juego.nivel, 4);
    EXPECT_EQ(p.juego.estado, Estado::GAME_OVER);
}

TEST(Niveles, PressingMThreeTimesOnTheStartScreenEndsTheGame) {
    JuegoDePrueba p;
    for (int i = 0; i < 3; ++i) {
        comenzarFrame(p.juego);
        EXPECT_EQ(p.juego.estado, Estado::INICIO);
        manejarTecla(p.juego, Tecla::M);
    }
    comenzarFrame(p.juego);
    EXPECT_EQ(p.juego.estado, Estado::GAME_OVER);
    manejarTecla(p.juego, Tecla::RETURN);
    EXPECT_EQ(p.juego.estado, Estado::FIN);
}

TEST(Niveles, CamerasStandAtTheirTowersAndTwoOfThemFaceTheField) {
    JuegoDePrueba p;
    SF3dVector pos = p.juego.torres[1]->getCamara()->getPosition();
    EXPECT_FLOAT_EQ(pos.x, -45.0f);
    EXPECT_FLOAT_EQ(pos.y, 5.0f);
    EXPECT_FLOAT_EQ(pos.z, -45.0f);
    // Tower 0 looks along -z until turned, at the field; towers 1 and 2 look towards its middle,
    // already before their cameras are first drawn.
    SF3dVector cero = p.juego.torres[0]->getCamara()->getViewDir();
    EXPECT_NEAR(cero.x, 0.0f, 1e-7);
    EXPECT_EQ(cero.z, -1.0f);
    const SF3dVector antesDeDibujar = p.juego.torres[1]->getCamara()->getViewDir();
    EXPECT_NEAR(antesDeDibujar.x, 0.7071f, 1e-4);
    EXPECT_NEAR(antesDeDibujar.z, 0.7071f, 1e-4);
    SF3dVector uno = prueba::direccion(*p.juego.torres[1]);
    EXPECT_NEAR(uno.x, 0.7071f, 1e-4);
    EXPECT_NEAR(uno.z, 0.7071f, 1e-4);
    SF3dVector dos = prueba::direccion(*p.juego.torres[2]);
    EXPECT_NEAR(dos.x, -0.7071f, 1e-4);
    EXPECT_NEAR(dos.z, 0.7071f, 1e-4);
}

TEST(Configuracion, MissingLevelsAndCitiesAreNamedAndOddIdsIgnored) {
    MapaCiudades ciudades;
    Ciudad a(0, 0, 0, 5), b(1, 0, 0, 5), c(2, 0, 0, 5), d(3, 0, 0, 5);
    ciudades[1][0] = &a;
    ciudades[1][1] = &b;
    ciudades[3][0] = &c;
    ciudades[3][7] = &d;
    ciudades[9][0] = &a;
    std::vector<std::string> avisos = revisarNiveles(ciudades);
    std::string todo;
    for (const std::string& s : avisos) {
        todo += s + "\n";
    }
    EXPECT_NE(todo.find("nivel 9"), std::string::npos) << todo;
    EXPECT_NE(todo.find("ciudad 7 del nivel 3"), std::string::npos) << todo;
    EXPECT_NE(todo.find("falta el nivel 2"), std::string::npos) << todo;
    EXPECT_NE(todo.find("falta la ciudad 1 del nivel 3"), std::string::npos) << todo;
    EXPECT_EQ(avisos.size(), 6u) << todo; // level 9, city 7, level 2, cities 1 to 3 of level 3
    ciudades.clear();
    EXPECT_EQ(revisarNiveles(ciudades).size(), 3u);
}

TEST(Configuracion, LevelsWithoutCitiesArePassedOverAndPartialLevelsPlayWhatTheyHave) {
    auto malla = std::make_unique<obj_type>();
    Juego juego;
    juego.misil = malla.get();
    juego.ciudades[1][0] = new Ciudad(-8, 0, 0, 10);
    juego.ciudades[1][1] = new Ciudad(8, 0, 0, 10);
    juego.ciudades[3][2] = new Ciudad(0, 0, 8, 10);
    juego.ciudades[3][9] = new Ciudad(0, 0, -8, 10);
    for (int i = 0; i < 3; ++i) {
        juego.torres[i] = new Torre(new CCamera(), 5);
    }
    empezarNivel(juego);
    EXPECT_EQ(juego.nivel, 1);
    juego.nivel = 2;
    empezarNivel(juego);
    EXPECT_EQ(juego.nivel, 3);
    EXPECT_EQ(juego.ciudades_vivas, 1);
    ASSERT_EQ(ciudadesDelNivel(juego, 3).size(), 1u);

    // Every launch aims at city 2, the only one the level can play.
    juego.estado = Estado::JUGANDO;
    for (int i = 0; i < 5; ++i) {
        juego.vueltas = 300;
        lanzarMisiles(juego);
    }
    EXPECT_EQ(juego.cant_misiles, 5);
    for (int frame = 0; frame < 2000 && juego.tirados > 0; ++frame) {
        moverMisiles(juego);
    }
    EXPECT_EQ(juego.tirados, 0);
    EXPECT_EQ(juego.ciudades.at(3).at(2)->getSalud(), 10 - 5 * 3);
    EXPECT_EQ(juego.ciudades_vivas, 0);
    EXPECT_EQ(juego.estado, Estado::GAME_OVER);

    // A file with no playable level ends at the first frame.
    Juego vacio;
    empezarNivel(vacio);
    comenzarFrame(vacio);
    EXPECT_EQ(vacio.estado, Estado::GAME_OVER);
}
