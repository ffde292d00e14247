// The whole state of a Torvane run and the rules of its level and frame loops.
#include "juego.h"

#include "camara.h"
#include "ciudad.h"
#include "proyectil.h"
#include "torre.h"

namespace torvane {

Juego::~Juego() {
    balas.clear();
    misiles.clear();
    for (Torre*& torre : torres) {
        delete torre;
        torre = nullptr;
    }
    for (auto& nivelCiudades : ciudades) {
        for (auto& par : nivelCiudades.second) {
            delete par.second;
        }
    }
}

bool ciudadEnNivel(int id, int nivel) {
    return id >= 0 && id <= nivel;
}

std::vector<Ciudad*> ciudadesDelNivel(const Juego& juego, int nivel) {
    std::vector<Ciudad*> lista;
    auto it = juego.ciudades.find(nivel);
    if (it == juego.ciudades.end()) {
        return lista;
    }
    for (const auto& par : it->second) {
        if (ciudadEnNivel(par.first, nivel) && par.second != nullptr) {
            lista.push_back(par.second);
        }
    }
    return lista;
}

std::vector<std::string> revisarNiveles(const MapaCiudades& ciudades) {
    std::vector<std::string> avisos;
    for (const auto& nivelCiudades : ciudades) {
        int nivel = nivelCiudades.first;
        if (nivel < PRIMER_NIVEL || nivel > ULTIMO_NIVEL) {
            avisos.push_back("configuracion.xml: se ignora el nivel " + std::to_string(nivel));
            continue;
        }
        for (const auto& par : nivelCiudades.second) {
            if (!ciudadEnNivel(par.first, nivel)) {
                avisos.push_back("configuracion.xml: se ignora la ciudad " +
                                 std::to_string(par.first) + " del nivel " + std::to_string(nivel));
            }
        }
    }
    for (int nivel = PRIMER_NIVEL; nivel <= ULTIMO_NIVEL; ++nivel) {
        auto it = ciudades.find(nivel);
        if (it == ciudades.end()) {
            avisos.push_back("configuracion.xml: falta el nivel " + std::to_string(nivel) +
                             ", no se juega");
            continue;
        }
        for (int id = 0; id <= nivel; ++id) {
            if (it->second.count(id) == 0) {
                avisos.push_back("configuracion.xml: falta la ciudad " + std::to_string(id) +
                                 " del nivel " + std::to_string(nivel));
            }
        }
    }
    return avisos;
}

void colocarCamaras(Juego& juego) {
    for (int i = 0; i < 3; ++i) {
        if (juego.torres[i] == nullptr) {
            continue;
        }
        const float* p = juego.torres_posiciones[i];
        juego.torres[i]->getCamara()->Move(F3dVector(p[0], p[1], p[2]));
    }
    if (juego.torres[1] != nullptr) {
        juego.torres[1]->getCamara()->RotateY(225.0f);
    }
    if (juego.torres[2] != nullptr) {
        juego.torres[2]->getCamara()->RotateY(135.0f);
    }
}

static int ciudadesActivas(const Juego& juego) {
    int vivas = 0;
    for (Ciudad* ciudad : ciudadesDelNivel(juego, juego.nivel)) {
        if (ciudad->getActivo()) {
            ++vivas;
        }
    }
    return vivas;
}

void empezarNivel(Juego& juego) {
    while (juego.nivel <= ULTIMO_NIVEL && ciudadesDelNivel(juego, juego.nivel).empty()) {
        ++juego.nivel;
    }
    juego.moverCam = false;
    juego.flecha = 0;
    juego.en_torre = 0;
    juego.cant_misiles = 0;
    juego.cant_balas = 0;
    juego.ciudades_vivas = ciudadesActivas(juego);
    juego.balas.clear();
    juego.misiles.clear();
    for (Torre* torre : juego.torres) {
        if (torre != nullptr) {
            torre->reestablecerMunicion();
        }
    }
    juego.tirados = 0;
    juego.vueltas = 0;
}

void comenzarFrame(Juego& juego) {
    if (juego.nivel * MISILES_POR_NIVEL == juego.cant_misiles && juego.tirados == 0) {
        juego.estado = Estado::PASAR_NIVEL;
    }
    if (juego.nivel > ULTIMO_NIVEL) {
        juego.estado = Estado::GAME_OVER;
    }
}

bool sigueNivel(const Juego& juego) {
    return juego.estado != Estado::PASAR_NIVEL && juego.estado != Estado::GAME_OVER &&
           juego.estado != Estado::FIN;
}

void terminarNivel(Juego& juego) {
    if (juego.estado == Estado::PASAR_NIVEL) {
        juego.nivel += 1;
        juego.estado = Estado::PAUSA;
    }
}

} // namespace torvane
