// Models read from our OBJ subset (v, vt, vn, f with v/t/n corners), traced face by face.
#pragma once

#include "teselado.h"

#include <cstddef>
#include <vector>

namespace fenwar {

// A position or a normal.
struct vertice {
    float x, y, z;
};

// A texture coordinate (u in x, v in y).
struct textura {
    float x, y;
};

// One face: entry k of each list belongs to corner k; indices count from 0.
struct Poligono {
    std::vector<int> vertices;
    std::vector<int> texturas;
    std::vector<int> normales;
};

// Reads a whole OBJ file; appends positions (times escalamiento), texture coordinates and
// normals to the lists and returns the faces. A file that cannot be opened writes
// "No se pudo abrir el archivo <name>" to stderr and ends the program with status 1.
std::vector<Poligono> cargarObjeto(const char* filename, float escalamiento,
                                   std::vector<vertice>& vertices, std::vector<textura>& texturas,
                                   std::vector<vertice>& normales);

// The same reader over text held in memory (any bytes, not NUL-terminated).
std::vector<Poligono> cargarObjetoDesdeTexto(const char* datos, std::size_t largo,
                                             float escalamiento, std::vector<vertice>& vertices,
                                             std::vector<textura>& texturas,
                                             std::vector<vertice>& normales);

// Line parsers; each gets the line without its prefix ("v ", "vn ", "vt ", "f ").
vertice procesarVertice(const char* linea, std::size_t largo, float escalamiento);
vertice procesarNormal(const char* linea, std::size_t largo);
textura procesarTextura(const char* linea, std::size_t largo);
// A face with a corner that is not three integers joined by slashes comes back with no corner.
Poligono procesarPoligono(const char* linea, std::size_t largo);

// True when the face has at least three corners and every index falls inside its list.
bool poligonoValido(const Poligono& p, std::size_t nVertices, std::size_t nTexturas,
                    std::size_t nNormales);

// Sends every valid face to a sink (see teselado.h) as one polygon, each corner with its normal,
// texture coordinate and position; faces with an index outside the lists are skipped.
template <class S>
void trazarObjeto(S& s, const std::vector<Poligono>& pols, const std::vector<vertice>& vertices,
                  const std::vector<textura>& texturado, const std::vector<vertice>& normales) {
    for (const Poligono& p : pols) {
        if (!poligonoValido(p, vertices.size(), texturado.size(), normales.size())) {
            continue;
        }
        s.comenzar(Trazo::Poligono);
        for (std::size_t k = 0; k < p.vertices.size(); k++) {
            const vertice& n = normales[static_cast<std::size_t>(p.normales[k])];
            const textura& t = texturado[static_cast<std::size_t>(p.texturas[k])];
            const vertice& v = vertices[static_cast<std::size_t>(p.vertices[k])];
            s.normalf(n.x, n.y, n.z);
            s.texf(t.x, t.y);
            s.vertice3f(v.x, v.y, v.z);
        }
        s.terminar();
    }
}

} // namespace fenwar
