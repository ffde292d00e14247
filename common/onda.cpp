// The check of a WAV file before SDL reads it: plain PCM of a sane format, every length inside it.
#include "onda.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr int PCM = 1;

std::uint32_t leer32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

unsigned leer16(const unsigned char* p) {
    return static_cast<unsigned>(p[0]) | static_cast<unsigned>(p[1]) << 8;
}

void escribir32(std::vector<unsigned char>& v, std::uint32_t x) {
    for (int i = 0; i < 4; ++i)
        v.push_back(static_cast<unsigned char>(x >> (8 * i)));
}

void escribir16(std::vector<unsigned char>& v, unsigned x) {
    v.push_back(static_cast<unsigned char>(x));
    v.push_back(static_cast<unsigned char>(x >> 8));
}

void escribirId(std::vector<unsigned char>& v, const char* id) {
    v.insert(v.end(), id, id + 4);
}

// The fields of a format chunk: false unless it is plain PCM of a format the games play.
bool revisarFormato(const unsigned char* p, std::size_t largo, Onda& onda) {
    if (largo < 16 || leer16(p) != PCM)
        return false;
    const unsigned canales = leer16(p + 2);
    const std::uint32_t frecuencia = leer32(p + 4);
    const std::uint32_t porSegundo = leer32(p + 8);
    const unsigned bloque = leer16(p + 12);
    const unsigned bits = leer16(p + 14);
    if ((canales != 1 && canales != 2) || (bits != 8 && bits != 16) || frecuencia < 8000 ||
        frecuencia > 96000 || bloque != canales * bits / 8 || porSegundo != frecuencia * bloque)
        return false;
    onda.canales = static_cast<int>(canales);
    onda.bits = static_cast<int>(bits);
    onda.frecuencia = static_cast<int>(frecuencia);
    return true;
}

} // namespace

bool revisarOnda(const unsigned char* archivo, std::size_t n, Onda& onda) {
    if (archivo == nullptr || n < 12 || n > MAYOR_ARCHIVO_ONDA ||
        std::memcmp(archivo, "RIFF", 4) != 0 || std::memcmp(archivo + 8, "WAVE", 4) != 0)
        return false;
    Onda leida;
    bool conFormato = false;
    std::size_t pos = 12;
    while (n - pos >= 8) {
        const unsigned char* trozo = archivo + pos;
        const std::size_t largo = leer32(trozo + 4);
        const std::size_t quedan = n - pos - 8;
        if (largo > quedan)
            return false; // cut short
        const unsigned char* cuerpo = trozo + 8;
        if (std::memcmp(trozo, "fmt ", 4) == 0) {
            if (conFormato || !revisarFormato(cuerpo, largo, leida))
                return false;
            conFormato = true;
        } else if (std::memcmp(trozo, "data", 4) == 0) {
            if (!conFormato)
                return false;
            const std::size_t bloque = static_cast<std::size_t>(leida.canales) * leida.bits / 8;
            const std::size_t cuadros = largo / bloque;
            if (cuadros == 0 ||
                cuadros > static_cast<std::size_t>(leida.frecuencia) * MAYOR_DURACION_ONDA)
                return false;
            leida.datos = cuerpo;
            leida.largo = cuadros * bloque;
            onda = leida;
            return true;
        }
        // Chunks are padded to an even length; a pad missing at the very end is forgiven.
        pos += 8 + largo;
        if ((largo & 1) != 0 && pos < n)
            ++pos;
    }
    return false;
}

std::vector<unsigned char> ondaMinima(const Onda& onda) {
    const unsigned bloque = static_cast<unsigned>(onda.canales * onda.bits / 8);
    std::vector<unsigned char> v;
    v.reserve(44 + onda.largo);
    escribirId(v, "RIFF");
    escribir32(v, static_cast<std::uint32_t>(36 + onda.largo));
    escribirId(v, "WAVE");
    escribirId(v, "fmt ");
    escribir32(v, 16);
    escribir16(v, PCM);
    escribir16(v, static_cast<unsigned>(onda.canales));
    escribir32(v, static_cast<std::uint32_t>(onda.frecuencia));
    escribir32(v, static_cast<std::uint32_t>(onda.frecuencia) * bloque);
    escribir16(v, bloque);
    escribir16(v, static_cast<unsigned>(onda.bits));
    escribirId(v, "data");
    escribir32(v, static_cast<std::uint32_t>(onda.largo));
    v.insert(v.end(), onda.datos, onda.datos + onda.largo);
    return v;
}
