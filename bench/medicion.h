// Timing helpers shared by the benchmark programs: a nanosecond clock, percentiles, result lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Monotonic nanoseconds; the clock is the same for every process of the machine, so a reading
// taken in one process can be compared with one taken in another.
std::int64_t ahoraNs();

// Processor time of the whole process (all its threads) in nanoseconds.
std::int64_t cpuNs();

// Milliseconds between two readings of ahoraNs.
double msEntre(std::int64_t desde, std::int64_t hasta);

// The p-th percentile (0 to 100) of the samples, interpolating between the two nearest ranks;
// 0 without samples. percentil(m, 50) is the median.
double percentil(std::vector<double> muestras, double p);

// One result on standard output as the driver reads it: "medida <clave> <valor>".
std::string lineaMedida(const std::string& clave, double valor);
void informar(const std::string& clave, double valor);
// A frame's period under the games' pace, from the frame's own work in ms: they sleep what is left
// of their frame time `ritmo` (none when the work took longer).
double periodoAlRitmo(double trabajo, double ritmo);

// The share of one core, in percent, that `cpu` ms of processor time take in every `periodo` ms;
// 0 for a period that is not positive.
double parteDeNucleo(double cpu, double periodo);

// The results of a frame run under `clave`: median, 95th and 99th percentile of the frame times,
// median processor time, the share of a core that median takes in the period `periodo` gives the
// median frame (see periodoAlRitmo), and the number of frames.
void informarCuadros(const std::string& clave, const std::vector<double>& ms,
                     const std::vector<double>& cpu, double (*periodo)(double trabajo));

// Reads a result line back; false for any other line.
bool leerMedida(const std::string& linea, std::string& clave, double& valor);
