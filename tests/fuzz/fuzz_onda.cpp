// Fuzz target: any bytes as a sound file; what passes the check lies inside the bytes, and the
// minimal file made from it passes again with the same sound.
#include "onda.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Onda onda;
    if (!revisarOnda(data, size, onda))
        return 0;
    const std::size_t bloque = static_cast<std::size_t>(onda.canales) * onda.bits / 8;
    if (onda.datos < data || onda.largo == 0 || onda.largo % bloque != 0 ||
        onda.largo > size - static_cast<std::size_t>(onda.datos - data))
        std::abort();
    const std::vector<unsigned char> minima = ondaMinima(onda);
    Onda otra;
    if (!revisarOnda(minima.data(), minima.size(), otra) || otra.canales != onda.canales ||
        otra.bits != onda.bits || otra.frecuencia != onda.frecuencia || otra.largo != onda.largo ||
        std::memcmp(otra.datos, onda.datos, onda.largo) != 0)
        std::abort();
    return 0;
}
