// The benchmark's tables: the play frames of every phase beside their targets, then start-up and
// the readers beside their peers.
#pragma once

#include <map>
#include <string>

// Measures by key, as the benchmark programs report them (times in ms).
using Medidas = std::map<std::string, double>;

// The targets of a play frame drawn the fast way: in every phase the 95th percentile of the
// frame's own work fits the 16 ms frame (the pace holds), and a still frame takes at most a fifth
// of a core at the game's pace.
constexpr double CUADRO_P95_MS = 16.0;
constexpr double QUIETA_NUCLEO = 20.0;

// Two markdown tables of the measures present. The first has a row for each game, phase and way
// (fast, or every piece drawn directly) measured: median, 95th percentile, processor time and
// core share, and for the fast way the targets and whether they are met. The second holds
// start-up and the readers, each peer that was not measured shown as "-". Rows without measures
// are left out.
std::string tablaResultados(const Medidas& m);

// True when every target with a measure in `m` is met.
bool objetivosCumplidos(const Medidas& m);
