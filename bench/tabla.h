// The benchmark's tables: the play frames of every phase beside their targets, then start-up and
// the readers beside their peers.
#pragma once

#include <map>
#include <string>

// Measures by key, as the benchmark programs report them (times in ms).
using Medidas = std::map<std::string, double>;

// The targets of a play frame, in every phase: the median and 95th percentile of the frame's own
// work, and the share of a core its processor time takes at the game's pace. Torvane's still
// scene keeps the stricter median it met before the phases were measured.
constexpr double CUADRO_MEDIANA_MS = 3.0;
constexpr double TORVANE_QUIETA_MEDIANA_MS = 2.0;
constexpr double CUADRO_P95_MS = 5.0;
constexpr double CUADRO_NUCLEO = 30.0;

// Two markdown tables of the measures present. The first has a row for each game, phase and way
// (caches on, caches off) measured: median, 95th percentile, processor time and core share, and
// for the caches on, the targets and whether they are met. The second holds start-up and the
// readers, each peer that was not measured shown as "-". Rows without measures are left out.
std::string tablaResultados(const Medidas& m);

// True when every target with a measure in `m` is met.
bool objetivosCumplidos(const Medidas& m);
