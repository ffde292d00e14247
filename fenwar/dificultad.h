// The difficulty record and the reader of "dificultad.xml".
#pragma once

#include <cstddef>

namespace fenwar {

// Values used when the file does not give one (or gives an unusable one).
constexpr float DEFECTO_RAD_CITY = 0.5f;
constexpr float DEFECTO_SEPARACION_CITYS = 2.0f;
constexpr int DEFECTO_DIFICULTAD = 5;
constexpr int DEFECTO_PUNTOS_AVION = 100;
constexpr int DEFECTO_PUNTOS_MISIL = 10;
constexpr int DEFECTO_CANT_HIT_AVION = 2;
constexpr int DEFECTO_POR_HIT = 10;

// What makes a game easy or hard. Every field starts playable; the file overrides what it gives.
struct dificultad {
    float RAD_CITY = DEFECTO_RAD_CITY;
    float SEPARACION_CITYS = DEFECTO_SEPARACION_CITYS;
    int DIFICULTAD = DEFECTO_DIFICULTAD;
    int PUNTOS_AVION = DEFECTO_PUNTOS_AVION;
    int PUNTOS_MISIL = DEFECTO_PUNTOS_MISIL;
    int CANT_HIT_AVION = DEFECTO_CANT_HIT_AVION;
    int POR_HIT = DEFECTO_POR_HIT;
};

// Speed factor of missiles and the plane: DIFICULTAD / 5 in whole numbers, but at least 1, so
// that difficulties 1 to 4 play at the pace of 5 instead of leaving everything hanging in the air.
constexpr int factorVelocidad(int DIFICULTAD) {
    return DIFICULTAD / 5 > 1 ? DIFICULTAD / 5 : 1;
}

// Reads the named file. A file that cannot be loaded writes "Error al cargar el archivo xml "
// and the name (no line end) to stderr; the result then holds the defaults.
dificultad getDifficultad(const char* file);

// The same over the bytes of a file held in memory (any bytes; read as the file would be, up to
// the first zero byte), with no message. Returns false when they are not well-formed XML or nest
// too deeply.
bool dificultadDesdeTexto(const char* texto, std::size_t largo, dificultad& d);

} // namespace fenwar
