// The whole state of a Torvane run and the rules of its level and frame loops.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ciudad.h"
#include "modelo3ds.h"
#include "proyectil.h"
#include "torre.h"

namespace torvane {

enum class Estado { INICIO, PASAR_NIVEL, JUGANDO, PAUSA, GAME_OVER, FIN };

// Levels the game plays, and the fixed figures of a level.
constexpr int PRIMER_NIVEL = 1;
constexpr int ULTIMO_NIVEL = 3;
constexpr int MISILES_POR_NIVEL = 10;
constexpr int MAX_EN_VUELO = 5;

using MapaCiudades = std::map<int, std::map<int, Ciudad*>>;
using MapaProyectiles = std::map<int, std::unique_ptr<Proyectil>>;

// Everything the game keeps for the whole run; the entry owns one and lends it by reference.
struct Juego {
    Estado estado = Estado::INICIO;
    int nivel = PRIMER_NIVEL;
    int puntaje = 0;
    float velocidad = 1.0f;

    Torre* torres[3] = {nullptr, nullptr, nullptr};
    float torres_posiciones[3][3] = {};
    MapaCiudades ciudades;
    MapaProyectiles misiles;
    MapaProyectiles balas;
    obj_type* misil = nullptr;
    obj_type* cubo = nullptr;

    int en_torre = 0;
    bool moviendo = false;
    float x = 0.0f;
    float z = 0.0f;
    bool moverCam = false;

    int cant_misiles = 0;
    int cant_balas = 0;
    int tirados = 0;
    int vueltas = 0;
    int ciudades_vivas = PRIMER_NIVEL + 1;

    int flecha = 0;
    int yoquese = 0;

    bool wire = false;
    bool habilitar_texturas = true;
    bool facet_interpol = true;
    bool lumus = false;
    float red = 255.0f;
    float green = 255.0f;
    float blue = 255.0f;
    float xil = 100.0f;
    float yil = 100.0f;
    float zil = 100.0f;

    Juego() = default;
    Juego(const Juego&) = delete;
    Juego& operator=(const Juego&) = delete;
    ~Juego();
};

// Whether the city `id` of level `nivel` takes part in play (and has a health row): ids 0 to
// `nivel`. The level file's checks leave every other city out.
bool ciudadEnNivel(int id, int nivel);

// The cities of level `nivel` that take part in play, in id order.
std::vector<Ciudad*> ciudadesDelNivel(const Juego& juego, int nivel);

// Checks the configured levels: one line per level or city that is missing or cannot be played.
std::vector<std::string> revisarNiveles(const MapaCiudades& ciudades);

// Places each tower's camera at its tower and turns towers 1 and 2 towards the field.
void colocarCamaras(Juego& juego);

// Level start: counters, projectiles and ammunition reset; levels without cities are passed over.
void empezarNivel(Juego& juego);

// Frame start: the level is won once all its missiles are spent; past the last level the game ends.
void comenzarFrame(Juego& juego);

// After the frame loop of a level: a won level opens the next one on the pause menu.
void terminarNivel(Juego& juego);

// The frame loop of one level goes on while this holds.
bool sigueNivel(const Juego& juego);

} // namespace torvane
