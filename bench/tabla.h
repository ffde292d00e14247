// The benchmark's one table: every measure beside its target, the readers beside their peers.
#pragma once

#include <map>
#include <string>

// Measures by key, as the benchmark programs report them (times in ms).
using Medidas = std::map<std::string, double>;

// A markdown table of the measures present; rows whose measures are missing are left out, and a
// peer that was not measured shows as "-". The last column says whether each target is met.
std::string tablaResultados(const Medidas& m);

// True when every target with a measure in `m` is met.
bool objetivosCumplidos(const Medidas& m);
