// Fuzz target: any bytes as a difficulty file must give a playable record.
#include "dificultad.h"

#include <cstdint>
#include <cstdlib>

using namespace fenwar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dificultad d;
    dificultadDesdeTexto(reinterpret_cast<const char*>(data), size, d);
    if (d.DIFICULTAD <= 0)
        std::abort();
    return 0;
}
