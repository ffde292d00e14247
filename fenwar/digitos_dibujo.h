// Drawing the bar font with GL: one glyph, the score, the three city-health lines.
#pragma once

#include "digitos.h"

namespace fenwar {

// Drawing with GL_QUADS in the current colour.
void printUnNum(float aspectx, float aspecty, float escala, float offsetx, float offsety,
                float offsetz, char num);
void printNumers(float aspectx, float aspecty, float escala, float offsetx, float offsety,
                 float offsetz, int& numero, bool esvida);
void printCitys(float aspectx, float aspecty, float escala, float offsetx, float offsety,
                float offsetz, int* vidaCitys);

} // namespace fenwar
