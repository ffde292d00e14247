// Draws a loaded model: one GL polygon per face, normal, texture coordinate and position per
// corner.
#include "modelo.h"

#include <GL/gl.h>

void modelo(unsigned lista, const std::vector<Poligono>& pols, const std::vector<vertice>& vertices,
            const std::vector<textura>& texturado, const std::vector<vertice>& normales) {
    if (lista != 0) {
        glCallList(lista);
    } else {
        dibujarObjeto(pols, vertices, texturado, normales);
    }
}

void dibujarObjeto(const std::vector<Poligono>& pols, const std::vector<vertice>& vertices,
                   const std::vector<textura>& texturado, const std::vector<vertice>& normales) {
    for (const Poligono& p : pols) {
        if (!poligonoValido(p, vertices.size(), texturado.size(), normales.size()))
            continue;
        glBegin(GL_POLYGON);
        for (std::size_t k = 0; k < p.vertices.size(); k++) {
            const vertice& n = normales[static_cast<std::size_t>(p.normales[k])];
            const textura& t = texturado[static_cast<std::size_t>(p.texturas[k])];
            const vertice& v = vertices[static_cast<std::size_t>(p.vertices[k])];
            glNormal3f(n.x, n.y, n.z);
            glTexCoord2f(t.x, t.y);
            glVertex3f(v.x, v.y, v.z);
        }
        glEnd();
    }
}
