// Drawing a loaded model with GL: from its display list or face by face.
#pragma once

#include "modelo.h"

namespace fenwar {

// The model from its display list when there is one, otherwise sent with dibujarObjeto.
void modelo(unsigned lista, const std::vector<Poligono>& pols, const std::vector<vertice>& vertices,
            const std::vector<textura>& texturado, const std::vector<vertice>& normales);
// Draws every valid face as one GL polygon with the current GL state.
void dibujarObjeto(const std::vector<Poligono>& pols, const std::vector<vertice>& vertices,
                   const std::vector<textura>& texturado, const std::vector<vertice>& normales);

} // namespace fenwar
