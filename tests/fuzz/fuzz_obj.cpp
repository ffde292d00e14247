// Fuzz target: any bytes as an OBJ model; every kept face must index inside the lists.
#include "modelo.h"

#include <cstdint>
#include <cstdlib>

using namespace fenwar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<vertice> v;
    std::vector<textura> t;
    std::vector<vertice> n;
    std::vector<Poligono> caras =
        cargarObjetoDesdeTexto(reinterpret_cast<const char*>(data), size, 0.2f, v, t, n);
    if (t.size() != v.size() || n.size() != v.size())
        std::abort();
    for (const Poligono& p : caras) {
        if (!poligonoValido(p, v.size(), t.size(), n.size()))
            std::abort();
    }
    return 0;
}
