// Sets the view from the chosen cannon on the current modelview matrix.
#include "mira.h"

#include <GL/glu.h>

namespace fenwar {

void calcularLookAt(int nro_canion, float /*comp*/, float* coordcannon, float x, float y, float z,
                    float lz) {
    Vista v = vistaCanion(nro_canion, coordcannon, x, y, z, lz);
    gluLookAt(v.ojo[0], v.ojo[1], v.ojo[2], v.centro[0], v.centro[1], v.centro[2], v.arriba[0],
              v.arriba[1], v.arriba[2]);
}

} // namespace fenwar
