// Reader of the level file: cities per level, their health, the towers and their ammunition.
#pragma once

#include <cstddef>
#include <map>
#include <string>

namespace torvane {

class Ciudad;
class Torre;

// Reads `nombre` (two top-level elements, `niveles` and `torres`). On success it adds every city
// to `ciudades` under its level and id (a repeated level and id replaces, and deletes, the earlier
// city), fills `torres` and `torres_posiciones` by tower id (each tower with a new camera at the
// origin) and returns an empty text. On failure it changes nothing and returns one line naming
// the file and what is wrong; the entry prints it on standard error and exits with status 1.
std::string cargarConfiguracion(const char* nombre, std::map<int, std::map<int, Ciudad*>>& ciudades,
                                Torre* torres[3], float torres_posiciones[3][3]);

// The same over the bytes of the file `nombre` already held in memory (any bytes).
std::string configuracionDesdeTexto(const char* nombre, const char* texto, std::size_t largo,
                                    std::map<int, std::map<int, Ciudad*>>& ciudades,
                                    Torre* torres[3], float torres_posiciones[3][3]);

// A number read as atof does (leading blanks, the longest decimal prefix: sign, digits, fraction,
// exponent; 0 when there is none). Only decimal numbers: "nan", "inf" and hexadecimal give 0.
double numeroAtof(const char* texto);
// That number truncated towards zero, held within int's range (NaN gives 0).
int enteroAtof(const char* texto);

} // namespace torvane
