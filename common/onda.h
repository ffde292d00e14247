// The check of a WAV file before SDL reads it: plain PCM of a sane format, every length inside it.
#pragma once

#include <cstddef>
#include <vector>

// The largest sound file read: the effects are short.
constexpr std::size_t MAYOR_ARCHIVO_ONDA = 4 * 1024 * 1024;
// The longest sound kept, in seconds.
constexpr int MAYOR_DURACION_ONDA = 10;

// What a checked file holds.
struct Onda {
    int canales = 0;                      // 1 or 2
    int bits = 0;                         // 8 (unsigned) or 16 (signed, little-endian)
    int frecuencia = 0;                   // frames a second, 8000 to 96000
    const unsigned char* datos = nullptr; // the samples, inside the file's bytes
    std::size_t largo = 0;                // bytes of whole frames, more than none
};

// True when the `n` bytes of `archivo` are a RIFF WAVE file of plain PCM (no compression) with a
// format chunk before a data chunk, every chunk inside the file, and at most MAYOR_DURACION_ONDA
// seconds of sound; a last partial frame is left out. Fills `onda` only when true.
bool revisarOnda(const unsigned char* archivo, std::size_t n, Onda& onda);

// The checked sound as a minimal WAV file (a format chunk, then the data): the only bytes SDL is
// given to read, so it never meets anything the check has not seen.
std::vector<unsigned char> ondaMinima(const Onda& onda);
