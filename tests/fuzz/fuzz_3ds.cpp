// Fuzz target: any bytes walked as a 3DS file leave a mesh record that is safe to draw.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "modelo3ds.h"

using namespace torvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
    static std::unique_ptr<obj_type> obj = std::make_unique<obj_type>();
    static std::string traza;
    traza.clear();
    leer3DS(*obj, datos, tam, traza);

    if (obj->vertices_qty < 0 || obj->vertices_qty > MAX_VERTICES || obj->polygons_qty < 0 ||
        obj->polygons_qty > MAX_POLYGONS) {
        __builtin_trap();
    }
    bool terminado = false;
    for (char c : obj->name) {
        terminado = terminado || c == '\0';
    }
    if (!terminado) {
        __builtin_trap();
    }
    for (int k = 0; k < obj->polygons_qty; ++k) {
        const vertex_type& n = obj->polygon[k].normal;
        if (std::isnan(n.x) || std::isnan(n.y) || std::isnan(n.z)) {
            __builtin_trap();
        }
    }
    return 0;
}
