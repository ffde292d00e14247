// Rules of play: missile launches, the travelling view, bullets, hits, city strikes, firing,
// turning.
#pragma once

#include <vector>

#include "juego.h"

namespace torvane {

// Distances and steps, in world units per frame.
constexpr float DISTANCIA_IMPACTO = 1.0f;
constexpr float PASO_BALA = 2.5f;
constexpr float PASO_MISIL = 0.15f;
constexpr float PASO_VIAJE_X = 0.25f;
constexpr float PASO_VIAJE_Z = 0.5f;
constexpr float ALTURA_LANZAMIENTO = 100.0f;
constexpr int PUNTOS_MISIL = 10;
constexpr int DANO_MISIL = 3;
constexpr float GIRO_POR_PIXEL = 0.25f;
constexpr int VUELTAS_FORZADAS = 300;

// How the view is placed this frame.
enum class TipoVista { CAMARA, VIAJE, IDENTIDAD };

struct Vista {
    TipoVista tipo = TipoVista::CAMARA;
    float x = 0.0f; // eye of a travelling view, at height 0, looking at the origin
    float z = 0.0f;
};

// A projectile to draw this frame, where it stands after its step.
struct Dibujo {
    float x, y, z;
};

// What one frame of play did that is heard, each where it happened: missiles shot down, missiles
// striking cities, cities falling.
struct Sucesos {
    std::vector<Dibujo> derribos;
    std::vector<Dibujo> impactos;
    std::vector<Dibujo> caidas;
};

// What one frame of play leaves to draw and to hear.
struct FramePlay {
    Vista vista;
    std::vector<Dibujo> balas;
    std::vector<Dibujo> misiles;
    Sucesos sucesos;
};

// What a click did: nothing, a bullet fired, or a click on a tower with no ammunition left.
enum class Disparo { NINGUNO, BALA, VACIA };

// Launch step: counts the frame and maybe launches one missile towards a living city.
void lanzarMisiles(Juego& juego);

// View step: the camera of the current tower, or one frame of travel towards the new tower.
Vista avanzarVista(Juego& juego);

// Bullets fly and hit missiles; returns where the moving bullets are drawn. Where a missile is shot
// down goes to `sucesos` when one is given.
std::vector<Dibujo> moverBalas(Juego& juego, Sucesos* sucesos = nullptr);

// Missiles fly and strike cities; returns where the moving missiles are drawn. Strikes and fallen
// cities go to `sucesos` when one is given.
std::vector<Dibujo> moverMisiles(Juego& juego, Sucesos* sucesos = nullptr);

// The rules part of one play frame: launch, view, bullets, missiles.
FramePlay jugarFrame(Juego& juego);

enum class BotonRaton { IZQUIERDO, DERECHO, OTRO };

// A mouse button went down; `derechoSostenido` tells whether the right button is held now.
Disparo botonApretado(Juego& juego, BotonRaton boton, bool derechoSostenido);

// Any mouse button went up.
void botonSoltado(Juego& juego);

// The mouse moved by (xrel, yrel) pixels: turns the current tower's camera while dragging.
void ratonMovido(Juego& juego, int xrel, int yrel);

// Fires one bullet from the current tower along its camera's view, if it has ammunition.
Disparo disparar(Juego& juego);

// Starts the travel to tower `torre` (0 to 2), unless already there or travelling.
void cambiarTorre(Juego& juego, int torre);

} // namespace torvane
