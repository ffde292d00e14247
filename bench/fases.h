// The phases of play the frame benchmarks run: what the player does, frame after frame.
#pragma once

#include <array>
#include <string>

// Still: nothing changes. Turning: the right button held and the pointer dragged every frame.
// Shooting: a shot every 0.2 s that hits. Changing: the cannon or tower changed every 0.2 s (in
// Torvane, once the travel to the last one is over). City: a missile strikes a city every 0.2 s.
enum class Fase { Quieta, Girando, Disparando, Cambiando, Ciudad };

constexpr std::array<Fase, 5> TODAS_LAS_FASES = {Fase::Quieta, Fase::Girando, Fase::Disparando,
                                                 Fase::Cambiando, Fase::Ciudad};

// Frames between two actions of the player: 0.2 s at the games' pace of 16 ms a frame.
constexpr int CUADROS_POR_ACCION = 12;

// The option's name of a phase ("quieta", "girando", "disparando", "cambiando", "ciudad").
const char* nombreFase(Fase f);
// False for any other name.
bool leerFase(const std::string& nombre, Fase& f);

// Whether the player acts on frame `cuadro` (from 0) of the phase: the first frame and every
// CUADROS_POR_ACCION-th after it.
bool tocaAccion(int cuadro);

// The pointer's vertical motion in pixels on frame `cuadro` of a drag: DRAG_PIXELES one way for
// DRAG_CUADROS frames, then as many back, so the view sweeps to and fro over the same angles.
constexpr int DRAG_PIXELES = 3;
constexpr int DRAG_CUADROS = 40;
int arrastre(int cuadro);
