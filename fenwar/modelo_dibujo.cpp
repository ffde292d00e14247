// Draws a loaded model: one GL polygon per face, normal, texture coordinate and position per
// corner.
#include "modelo_dibujo.h"
#include "salida_gl.h"

namespace fenwar {

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
    SalidaGL s;
    trazarObjeto(s, pols, vertices, texturado, normales);
}

} // namespace fenwar
