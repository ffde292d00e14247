// Timing helpers shared by the benchmark programs: a nanosecond clock, percentiles, result lines.
#include "medicion.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <sstream>

std::int64_t ahoraNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

std::int64_t cpuNs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

double msEntre(std::int64_t desde, std::int64_t hasta) {
    return static_cast<double>(hasta - desde) / 1e6;
}

double percentil(std::vector<double> muestras, double p) {
    if (muestras.empty()) {
        return 0.0;
    }
    std::sort(muestras.begin(), muestras.end());
    const double pos = std::clamp(p, 0.0, 100.0) / 100.0 * static_cast<double>(muestras.size() - 1);
    const std::size_t abajo = static_cast<std::size_t>(std::floor(pos));
    const std::size_t arriba = std::min(abajo + 1, muestras.size() - 1);
    const double f = pos - static_cast<double>(abajo);
    return muestras[abajo] + (muestras[arriba] - muestras[abajo]) * f;
}

std::string lineaMedida(const std::string& clave, double valor) {
    char texto[64];
    std::snprintf(texto, sizeof texto, "%.6f", valor);
    return "medida " + clave + " " + texto;
}

void informar(const std::string& clave, double valor) {
    std::printf("%s\n", lineaMedida(clave, valor).c_str());
    std::fflush(stdout);
}

double periodoAlRitmo(double trabajo, double ritmo) {
    return std::max(trabajo, ritmo);
}

double parteDeNucleo(double cpu, double periodo) {
    return periodo > 0 ? 100.0 * cpu / periodo : 0.0;
}

void informarCuadros(const std::string& clave, const std::vector<double>& ms,
                     const std::vector<double>& cpu, double (*periodo)(double trabajo)) {
    const double mediana = percentil(ms, 50), cpuMediana = percentil(cpu, 50);
    informar(clave + "_mediana", mediana);
    informar(clave + "_p95", percentil(ms, 95));
    informar(clave + "_p99", percentil(ms, 99));
    informar(clave + "_cpu", cpuMediana);
    informar(clave + "_nucleo", parteDeNucleo(cpuMediana, periodo(mediana)));
    informar(clave + "_cuadros", static_cast<double>(ms.size()));
}

bool leerMedida(const std::string& linea, std::string& clave, double& valor) {
    std::istringstream in(linea);
    std::string palabra, resto;
    if (!(in >> palabra >> clave >> valor) || palabra != "medida") {
        return false;
    }
    return !(in >> resto);
}
