// Reads models in our OBJ subset from a file or from memory, never reading outside a line.
#include "modelo.h"

#include "archivo.h"
#include "decimal.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace fenwar {

namespace {

// White space as stream extraction skips it in the "C" locale the games run in.
bool esBlanco(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool esDigito(char c) {
    return c >= '0' && c <= '9';
}

// Reads a number like stream extraction: leading white space skipped, the longest decimal
// prefix (sign, fraction, exponent) taken, the rest of the token ignored. No number, or one
// beyond the float range, gives 0.
float aFlotante(const char* p, const char* fin) {
    while (p < fin && esBlanco(*p))
        p++;
    const char* finNumero = finDecimal(p, fin);
    if (finNumero == p)
        return 0.0f;
    const bool negativo = *p == '-';
    if (*p == '+' || *p == '-')
        p++;
    float v = 0.0f;
    if (std::from_chars(p, finNumero, v).ec != std::errc())
        return 0.0f;
    return negativo ? -v : v;
}

// Reads an integer like stream extraction; false when there is none or it does not fit an int.
bool aEntero(const char* p, const char* fin, int& v) {
    // Most indices are plain digits filling the whole token: read them without from_chars.
    if (p < fin && fin - p <= 9 && esDigito(*p)) {
        int n = 0;
        const char* q = p;
        while (q < fin && esDigito(*q))
            n = n * 10 + (*q++ - '0');
        if (q == fin) {
            v = n;
            return true;
        }
    }
    while (p < fin && esBlanco(*p))
        p++;
    if (p < fin && *p == '+' && p + 1 < fin && *(p + 1) != '-')
        p++;
    auto r = std::from_chars(p, fin, v);
    return r.ec == std::errc();
}

// Splits the text of a number line at runs of spaces and reads up to n numbers; missing numbers
// are 0, extra ones are ignored.
void numeros(const char* p, const char* fin, float* out, int n) {
    for (int k = 0; k < n; k++) {
        while (p < fin && *p == ' ')
            p++;
        const char* token = p;
        while (p < fin && *p != ' ')
            p++;
        out[k] = aFlotante(token, p);
    }
}

bool empieza(const char* linea, std::size_t largo, const char* prefijo, std::size_t n) {
    return largo >= n && std::string::traits_type::compare(linea, prefijo, n) == 0;
}

// The '\n' that ends the line starting at p, or fin.
const char* finDeLinea(const char* p, const char* fin) {
    const void* n = std::memchr(p, '\n', static_cast<std::size_t>(fin - p));
    return n != nullptr ? static_cast<const char*>(n) : fin;
}

// Counts the lines of each kind first, so that every list is allocated once.
void reservar(const char* p, const char* fin, std::vector<Poligono>& caras,
              std::vector<vertice>& vertices, std::vector<textura>& texturas,
              std::vector<vertice>& normales) {
    std::size_t nv = 0, nt = 0, nn = 0, nf = 0;
    while (p < fin) {
        const std::size_t n = static_cast<std::size_t>(fin - p);
        if (n >= 2 && p[1] == ' ') {
            nv += p[0] == 'v' ? 1 : 0;
            nf += p[0] == 'f' ? 1 : 0;
        } else if (n >= 3 && p[0] == 'v' && p[2] == ' ') {
            nt += p[1] == 't' ? 1 : 0;
            nn += p[1] == 'n' ? 1 : 0;
        }
        p = finDeLinea(p, fin);
        if (p < fin)
            p++;
    }
    caras.reserve(nf);
    vertices.reserve(vertices.size() + nv);
    texturas.reserve(std::max(texturas.size() + nt, vertices.size() + nv));
    normales.reserve(std::max(normales.size() + nn, vertices.size() + nv));
}

} // namespace

vertice procesarVertice(const char* linea, std::size_t largo, float escalamiento) {
    float v[3];
    numeros(linea, linea + largo, v, 3);
    return vertice{v[0] * escalamiento, v[1] * escalamiento, v[2] * escalamiento};
}

vertice procesarNormal(const char* linea, std::size_t largo) {
    float v[3];
    numeros(linea, linea + largo, v, 3);
    return vertice{v[0], v[1], v[2]};
}

textura procesarTextura(const char* linea, std::size_t largo) {
    float v[2];
    numeros(linea, linea + largo, v, 2);
    return textura{v[0], v[1]};
}

// Corners are runs of non-space characters, each three integers joined by two slashes; the file
// counts from 1, the lists from 0.
Poligono procesarPoligono(const char* linea, std::size_t largo) {
    Poligono pol;
    const char* p = linea;
    const char* fin = linea + largo;
    // Count the corners first so each list is allocated once.
    std::size_t esquinas = 0;
    for (const char* q = p; q < fin; q++)
        esquinas += *q != ' ' && (q == p || *(q - 1) == ' ') ? 1 : 0;
    pol.vertices.reserve(esquinas);
    pol.texturas.reserve(esquinas);
    pol.normales.reserve(esquinas);
    while (p < fin) {
        while (p < fin && *p == ' ')
            p++;
        if (p == fin)
            break;
        const char* esquina = p;
        while (p < fin && *p != ' ')
            p++;
        // Where each of the three numbers starts and ends, all within the corner.
        const char* inicios[3] = {esquina, nullptr, nullptr};
        const char* finales[3] = {nullptr, nullptr, p};
        int barras = 0;
        for (const char* q = esquina; q < p; q++) {
            if (*q == '/') {
                if (barras < 2) {
                    finales[barras] = q;
                    inicios[barras + 1] = q + 1;
                }
                barras++;
            }
        }
        int indices[3];
        bool bien = barras == 2;
        for (int k = 0; bien && k < 3; k++)
            bien = aEntero(inicios[k], finales[k], indices[k]) && indices[k] > INT_MIN;
        if (!bien)
            return Poligono{};
        pol.vertices.push_back(indices[0] - 1);
        pol.texturas.push_back(indices[1] - 1);
        pol.normales.push_back(indices[2] - 1);
    }
    return pol;
}

bool poligonoValido(const Poligono& p, std::size_t nVertices, std::size_t nTexturas,
                    std::size_t nNormales) {
    std::size_t n = p.vertices.size();
    if (n < 3 || p.texturas.size() != n || p.normales.size() != n)
        return false;
    auto dentro = [](int i, std::size_t largo) {
        return i >= 0 && static_cast<std::size_t>(i) < largo;
    };
    for (std::size_t k = 0; k < n; k++) {
        if (!dentro(p.vertices[k], nVertices) || !dentro(p.texturas[k], nTexturas) ||
            !dentro(p.normales[k], nNormales))
            return false;
    }
    return true;
}

std::vector<Poligono> cargarObjetoDesdeTexto(const char* datos, std::size_t largo,
                                             float escalamiento, std::vector<vertice>& vertices,
                                             std::vector<textura>& texturas,
                                             std::vector<vertice>& normales) {
    std::vector<Poligono> caras;
    const char* p = datos;
    const char* fin = datos + largo;
    reservar(datos, fin, caras, vertices, texturas, normales);
    while (p < fin) {
        const char* linea = p;
        p = finDeLinea(p, fin);
        const char* finLinea = p;
        if (p < fin)
            p++;
        while (finLinea > linea && *(finLinea - 1) == '\r')
            finLinea--;
        std::size_t n = static_cast<std::size_t>(finLinea - linea);
        if (empieza(linea, n, "v ", 2))
            vertices.push_back(procesarVertice(linea + 2, n - 2, escalamiento));
        else if (empieza(linea, n, "f ", 2))
            caras.push_back(procesarPoligono(linea + 2, n - 2));
        else if (empieza(linea, n, "vt ", 3))
            texturas.push_back(procesarTextura(linea + 3, n - 3));
        else if (empieza(linea, n, "vn ", 3))
            normales.push_back(procesarNormal(linea + 3, n - 3));
    }
    // Texture coordinates and normals are cut or padded to one per position.
    normales.resize(vertices.size(), vertice{0.0f, 0.0f, 0.0f});
    texturas.resize(vertices.size(), textura{0.0f, 0.0f});

    // Faces that are malformed or point outside the lists are dropped.
    caras.erase(std::remove_if(caras.begin(), caras.end(),
                               [&](const Poligono& c) {
                                   return !poligonoValido(c, vertices.size(), texturas.size(),
                                                          normales.size());
                               }),
                caras.end());
    return caras;
}

std::vector<Poligono> cargarObjeto(const char* filename, float escalamiento,
                                   std::vector<vertice>& vertices, std::vector<textura>& texturas,
                                   std::vector<vertice>& normales) {
    // Read whole, to its end whatever its size said at the start: a file that grows or shrinks
    // while it is read gives what was read, and a pipe works too.
    const Archivo archivo = leerArchivo(filename);
    if (!archivo.leido()) {
        std::fprintf(stderr, "No se pudo abrir el archivo %s\n", filename);
        std::exit(1);
    }
    return cargarObjetoDesdeTexto(archivo.datos.get(), archivo.largo, escalamiento, vertices,
                                  texturas, normales);
}

} // namespace fenwar
