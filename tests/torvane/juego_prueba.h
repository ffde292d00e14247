// Test helper: a game state with three levels of cities and three towers, as the level file gives.
#pragma once

#include <memory>

#include "camara.h"
#include "juego.h"

using namespace torvane;

namespace prueba {

// Level n holds cities 0..n spread on a circle of radius 8 at height 0; towers stand far out.
inline void llenarJuego(Juego& juego, obj_type* malla, int salud = 10, int municion = 40) {
    juego.misil = malla;
    juego.cubo = malla;
    for (int nivel = 1; nivel <= 3; ++nivel) {
        for (int id = 0; id <= nivel; ++id) {
            float x = id % 2 == 0 ? -8.0f : 8.0f;
            float z = id < 2 ? -8.0f : 8.0f;
            juego.ciudades[nivel][id] = new Ciudad(x, 0.0f, z, salud);
        }
    }
    const float posiciones[3][3] = {{0, 5, 45}, {-45, 5, -45}, {45, 5, -45}};
    for (int i = 0; i < 3; ++i) {
        for (int k = 0; k < 3; ++k) {
            juego.torres_posiciones[i][k] = posiciones[i][k];
        }
        juego.torres[i] = new Torre(new CCamera(), municion);
    }
}

// Where the tower's camera looks after its latest turns.
inline SF3dVector direccion(Torre& torre) {
    torre.getCamara()->actualizeViewDir();
    return torre.getCamara()->getViewDir();
}

// A game as the entry leaves it after start-up and the first level start.
struct JuegoDePrueba {
    std::unique_ptr<obj_type> malla = std::make_unique<obj_type>();
    Juego juego;

    explicit JuegoDePrueba(int salud = 10, int municion = 40) {
        llenarJuego(juego, malla.get(), salud, municion);
        colocarCamaras(juego);
        empezarNivel(juego);
    }

    // Puts a missile in flight at (x, y, z) flying along (dx, dy, dz), as a launch does.
    Proyectil& misilEn(float x, float y, float z, float dx, float dy, float dz) {
        int clave = juego.cant_misiles;
        juego.misiles[clave] = std::make_unique<Proyectil>(malla.get(), x, y, z, dx, dy, dz);
        juego.cant_misiles += 1;
        juego.tirados += 1;
        return *juego.misiles[clave];
    }

    Proyectil& balaEn(float x, float y, float z, float dx, float dy, float dz) {
        int clave = juego.cant_balas;
        juego.balas[clave] = std::make_unique<Proyectil>(malla.get(), x, y, z, dx, dy, dz);
        juego.cant_balas += 1;
        return *juego.balas[clave];
    }

    Ciudad& ciudad(int id) { return *juego.ciudades.at(juego.nivel).at(id); }
};

} // namespace prueba
