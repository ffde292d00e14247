// The benchmark's tables: the play frames of every phase beside their targets, then start-up and
// the readers beside their peers.
#include "tabla.h"

#include "fases.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double ARRANQUE_MS = 200.0;

std::string fmt(const char* formato, double v) {
    char texto[64];
    std::snprintf(texto, sizeof texto, formato, v);
    return texto;
}

const double* buscar(const Medidas& m, const std::string& clave) {
    auto it = m.find(clave);
    return it == m.end() ? nullptr : &it->second;
}

std::string ms(const Medidas& m, const std::string& clave) {
    const double* v = buscar(m, clave);
    return v == nullptr ? "-" : fmt(*v < 10.0 ? "%.2f ms" : "%.1f ms", *v);
}

std::string fila(const std::vector<std::string>& celdas) {
    std::string s = "|";
    for (const std::string& c : celdas) {
        s += " " + c + " |";
    }
    return s + "\n";
}

const char* const JUEGOS[] = {"fenwar", "torvane"};

std::string nombreJuego(const std::string& juego) {
    return juego == "fenwar" ? "Fenwar" : "Torvane";
}

// How the table names a phase; the change is of cannon in Fenwar, of tower in Torvane.
std::string nombreFaseTabla(const std::string& juego, Fase f) {
    switch (f) {
    case Fase::Girando:
        return "turning";
    case Fase::Disparando:
        return "shooting";
    case Fase::Cambiando:
        return juego == "fenwar" ? "changing cannon" : "changing tower";
    case Fase::Ciudad:
        return "city falling";
    case Fase::Quieta:
        break;
    }
    return "still";
}

// The key prefix of a phase's measures: "fenwar_girando", and "fenwar_girando_directo" with every
// piece drawn directly.
std::string claveFase(const std::string& juego, Fase f, bool rapido) {
    return juego + "_" + nombreFase(f) + (rapido ? "" : "_directo");
}

// The targets a phase drawn the fast way misses, named; empty when it meets them all or was not
// measured.
std::string fallosFase(const Medidas& m, const std::string& juego, Fase f) {
    const std::string c = claveFase(juego, f, true);
    std::string fallos;
    const double* p95 = buscar(m, c + "_p95");
    if (p95 != nullptr && !(*p95 <= CUADRO_P95_MS)) {
        fallos = "95th percentile";
    }
    const double* nucleo = buscar(m, c + "_nucleo");
    if (f == Fase::Quieta && nucleo != nullptr && !(*nucleo <= QUIETA_NUCLEO)) {
        fallos += (fallos.empty() ? "" : ", ") + std::string("core share");
    }
    return fallos;
}

std::string filaFase(const Medidas& m, const std::string& juego, Fase f, bool rapido) {
    const std::string c = claveFase(juego, f, rapido);
    const double* nucleo = buscar(m, c + "_nucleo");
    if (buscar(m, c + "_mediana") == nullptr) {
        return "";
    }
    std::string objetivo, veredicto;
    if (rapido) {
        objetivo = fmt("p95 <= %.0f ms", CUADRO_P95_MS) +
                   (f == Fase::Quieta ? fmt(", <= %.0f %%", QUIETA_NUCLEO) : "");
        const std::string fallos = fallosFase(m, juego, f);
        veredicto = fallos.empty() ? "yes" : "**no**: " + fallos;
    }
    return fila({nombreJuego(juego), nombreFaseTabla(juego, f), rapido ? "fast" : "directly",
                 ms(m, c + "_mediana"), ms(m, c + "_p95"), ms(m, c + "_cpu"),
                 nucleo == nullptr ? "-" : fmt("%.0f %%", *nucleo), objetivo, veredicto});
}

std::string tablaCuadros(const Medidas& m) {
    std::string filas;
    for (const std::string juego : JUEGOS) {
        for (Fase f : TODAS_LAS_FASES) {
            filas += filaFase(m, juego, f, true);
            filas += filaFase(m, juego, f, false);
        }
    }
    if (filas.empty()) {
        return "";
    }
    return fila({"Game", "Phase", "Drawn", "Frame work, median", "Frame work, 95th percentile",
                 "Processor time (all threads), median", "Core share", "Target", "Met"}) +
           "|---|---|---|---:|---:|---:|---:|---|---|\n" + filas;
}

// A row with a time target: the measure, empty peer columns, the target and its verdict.
std::string filaObjetivo(const Medidas& m, const std::string& nombre, const std::string& clave,
                         double objetivo) {
    const double* v = buscar(m, clave);
    if (v == nullptr) {
        return "";
    }
    return fila({nombre, ms(m, clave), "", "", "", fmt("<= %.0f ms", objetivo),
                 *v <= objetivo ? "yes" : "**no**"});
}

std::string filaInformativa(const Medidas& m, const std::string& nombre, const std::string& clave) {
    return buscar(m, clave) == nullptr ? "" : fila({nombre, ms(m, clave), "", "", "", "", ""});
}

// The fastest of the peers measured, or null when none was.
const double* masRapido(const Medidas& m, const std::vector<std::string>& pares) {
    const double* mejor = nullptr;
    for (const std::string& p : pares) {
        const double* v = buscar(m, p);
        if (v != nullptr && (mejor == nullptr || *v < *mejor)) {
            mejor = v;
        }
    }
    return mejor;
}

// A reader's time on a file of `mb` megabytes, with the throughput it makes.
std::string lectura(const Medidas& m, const std::string& clave, double mb) {
    const double* v = buscar(m, clave);
    if (v == nullptr || !(*v > 0) || !(mb > 0)) {
        return ms(m, clave);
    }
    return ms(m, clave) + fmt(", %.0f MB/s", mb / (*v / 1000.0));
}

// A reader row: ours, then the peer columns (tinyobjloader, assimp, lib3ds); the target is the
// fastest peer, and the ratio says how many times faster ours is.
std::string filaLector(const Medidas& m, const std::string& nombre, const std::string& formato,
                       double mb) {
    const double* nuestro = buscar(m, formato + "_nuestro");
    if (nuestro == nullptr) {
        return "";
    }
    const std::vector<std::string> pares = {formato + "_tinyobjloader", formato + "_assimp",
                                            formato + "_lib3ds"};
    const double* mejor = masRapido(m, pares);
    std::string veredicto = "no peer measured";
    if (mejor != nullptr) {
        veredicto = *nuestro <= *mejor ? "yes" : "**no**";
        veredicto += fmt(", %.2fx the fastest peer's speed", *nuestro > 0 ? *mejor / *nuestro : 0);
    }
    return fila({nombre, lectura(m, formato + "_nuestro", mb), lectura(m, pares[0], mb),
                 lectura(m, pares[1], mb), lectura(m, pares[2], mb), "<= fastest peer", veredicto});
}

} // namespace

std::string tablaResultados(const Medidas& m) {
    std::string s;
    s += filaObjetivo(m, "Fenwar start-up to first frame, median", "fenwar_arranque_mediana",
                      ARRANQUE_MS);
    s += filaInformativa(m, "Fenwar start-up to first frame, slowest", "fenwar_arranque_max");
    s += filaObjetivo(m, "Torvane start-up to first frame, median", "torvane_arranque_mediana",
                      ARRANQUE_MS);
    s += filaInformativa(m, "Torvane start-up to first frame, slowest", "torvane_arranque_max");
    const double* mb = buscar(m, "obj_mb");
    const double* carasObj = buscar(m, "obj_caras");
    s += filaLector(m,
                    "OBJ reader: " + fmt("%.0f faces", carasObj ? *carasObj : 0) + ", " +
                        fmt("%.0f MB", mb ? *mb : 0),
                    "obj", mb ? *mb : 0);
    const double* kb = buscar(m, "3ds_kb");
    const double* caras3ds = buscar(m, "3ds_caras");
    s += filaLector(m,
                    "3DS reader: " + fmt("%.0f vertices and faces", caras3ds ? *caras3ds : 0) +
                        ", " + fmt("%.0f KB, trace included", kb ? *kb : 0),
                    "3ds", kb ? *kb / 1000.0 : 0);
    if (!s.empty()) {
        s = fila({"Measure", "Ours", "tinyobjloader", "assimp", "lib3ds", "Target", "Met"}) +
            "|---|---:|---:|---:|---:|---|---|\n" + s;
    }
    const std::string cuadros = tablaCuadros(m);
    return cuadros + (!cuadros.empty() && !s.empty() ? "\n" : "") + s;
}

bool objetivosCumplidos(const Medidas& m) {
    for (const std::string juego : JUEGOS) {
        for (Fase f : TODAS_LAS_FASES) {
            if (!fallosFase(m, juego, f).empty()) {
                return false;
            }
        }
    }
    const std::vector<std::pair<std::string, double>> tiempos = {
        {"fenwar_arranque_mediana", ARRANQUE_MS},
        {"torvane_arranque_mediana", ARRANQUE_MS},
    };
    for (const auto& [clave, objetivo] : tiempos) {
        const double* v = buscar(m, clave);
        if (v != nullptr && *v > objetivo) {
            return false;
        }
    }
    for (const std::string formato : {"obj", "3ds"}) {
        const double* nuestro = buscar(m, formato + "_nuestro");
        const double* mejor =
            masRapido(m, {formato + "_tinyobjloader", formato + "_assimp", formato + "_lib3ds"});
        if (nuestro != nullptr && mejor != nullptr && *nuestro > *mejor) {
            return false;
        }
    }
    return true;
}
