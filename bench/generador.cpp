// Large model files for the readers' benchmark, made up on the spot: a rippled grid of triangles.
#include "generador.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// Height of the grid at column i, row k: gentle waves, so the numbers vary in length and sign.
float altura(int i, int k) {
    return 0.75f * std::sin(0.37f * static_cast<float>(i)) *
           std::cos(0.21f * static_cast<float>(k));
}

// One line of up to three numbers; a format with fewer conversions leaves the rest unused.
void anadir(std::string& s, const char* formato, double a, double b, double c) {
    char linea[128];
    const int n = std::snprintf(linea, sizeof linea, formato, a, b, c);
    s.append(linea, static_cast<std::size_t>(n));
}

void u16(std::string& s, unsigned v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void u32(std::string& s, std::uint32_t v) {
    u16(s, v & 0xFFFF);
    u16(s, v >> 16);
}

void f32(std::string& s, float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    u32(s, bits);
}

// A chunk: id, length counting its 6-byte header, then the body.
std::string trozo(unsigned id, const std::string& cuerpo) {
    std::string s;
    u16(s, id);
    u32(s, static_cast<std::uint32_t>(cuerpo.size() + 6));
    return s + cuerpo;
}

} // namespace

std::string generarObj(int caras) {
    caras = std::max(caras, 0);
    // Columns of 2 x `filas` triangles each; one more column of positions than of quads.
    const int filas = 1000;
    const int columnas = (caras + 2 * filas - 1) / (2 * filas);
    const int ancho = columnas + 1;
    const int alto = filas + 1;
    std::string s = "# rippled grid\no grilla\n";
    s.reserve(static_cast<std::size_t>(caras) * 72 + static_cast<std::size_t>(ancho) * alto * 110);
    for (int i = 0; i < ancho; i++) {
        for (int k = 0; k < alto; k++) {
            anadir(s, "v %.6f %.6f %.6f\n", 0.01 * i, altura(i, k), -0.01 * k);
        }
    }
    for (int i = 0; i < ancho; i++) {
        for (int k = 0; k < alto; k++) {
            anadir(s, "vt %.6f %.6f\n", static_cast<double>(i) / ancho,
                   static_cast<double>(k) / alto, 0.0);
        }
    }
    for (int i = 0; i < ancho; i++) {
        for (int k = 0; k < alto; k++) {
            const float h = altura(i, k);
            const double largo = std::sqrt(1.0 + h * h);
            anadir(s, "vn %.6f %.6f %.6f\n", -h / largo, 1.0 / largo, 0.0);
        }
    }
    int escritas = 0;
    char linea[128];
    for (int i = 0; i < columnas && escritas < caras; i++) {
        for (int k = 0; k < filas && escritas < caras; k++) {
            // The quad's corners, counting from 1 as the file does.
            const int a = i * alto + k + 1, b = a + 1, c = a + alto, e = c + 1;
            int n = std::snprintf(linea, sizeof linea, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a, c,
                                  c, c, b, b, b);
            s.append(linea, static_cast<std::size_t>(n));
            if (++escritas == caras) {
                break;
            }
            n = std::snprintf(linea, sizeof linea, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", b, b, b, c, c,
                              c, e, e, e);
            s.append(linea, static_cast<std::size_t>(n));
            ++escritas;
        }
    }
    return s;
}

std::string generar3ds(int vertices, int caras) {
    vertices = std::clamp(vertices, 0, 65535);
    caras = std::clamp(caras, 0, 65535);
    const int ancho = 100;
    std::string lista;
    u16(lista, static_cast<unsigned>(vertices));
    for (int k = 0; k < vertices; k++) {
        f32(lista, 0.1f * static_cast<float>(k % ancho));
        f32(lista, altura(k % ancho, k / ancho));
        f32(lista, -0.1f * static_cast<float>(k / ancho));
    }
    std::string mapeo;
    u16(mapeo, static_cast<unsigned>(vertices));
    for (int k = 0; k < vertices; k++) {
        f32(mapeo, static_cast<float>(k % ancho) / ancho);
        f32(mapeo, static_cast<float>(k / ancho) / ancho);
    }
    // A strip: face k joins positions k, k + 1 and k + 2 (wrapping inside the list).
    std::string lados;
    u16(lados, static_cast<unsigned>(caras));
    const int n = std::max(vertices, 1);
    for (int k = 0; k < caras; k++) {
        const bool par = k % 2 == 0;
        u16(lados, static_cast<unsigned>(k % n));
        u16(lados, static_cast<unsigned>((par ? k + 1 : k + 2) % n));
        u16(lados, static_cast<unsigned>((par ? k + 2 : k + 1) % n));
        u16(lados, 7);
    }
    const std::string malla = trozo(0x4110, lista) + trozo(0x4140, mapeo) + trozo(0x4120, lados);
    const std::string objeto = trozo(0x4000, std::string("grilla", 7) + trozo(0x4100, malla));
    std::string version;
    u32(version, 3);
    return trozo(0x4D4D, trozo(0x0002, version) + trozo(0x3D3D, objeto));
}
