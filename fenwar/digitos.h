// The bar font of the score and city health, and the lost-game test.
#pragma once

#include <vector>

namespace fenwar {

// One bar of a glyph: a rectangle of the unit cell, fy = 0 at the bottom.
struct Barra {
    float fx0, fx1, fy0, fy1;
};

// The bars of glyph c in drawing order ('0'-'9', 'c', 'i', 't', 'y'); none for other characters.
std::vector<Barra> barrasGlifo(char c);
// The four cell corners of a bar in sending order: full-width bars left-bottom, left-top,
// right-top, right-bottom; the others left-bottom, right-bottom, right-top, left-top.
void esquinasBarra(const Barra& b, float out[4][2]);

// A glyph to draw, or a colour to set, at one step of a HUD line.
struct PasoHud {
    bool esColor;
    float r, g, b;
    char glifo;
    float offsetx, offsety;
};

// A score of this or more draws nothing and is reduced by it in place.
constexpr int TOPE_MARCADOR = 100000000;

// The glyphs printNumers draws for numero: eight digits, or the last three when esvida. A value
// of 100,000,000 or more draws nothing and is reduced by 100,000,000 in place.
std::vector<PasoHud> planNumero(float aspectx, float escala, float offsetx, float offsety,
                                int& numero, bool esvida);
// The colour of a city's health: green above 50, yellow from 26, red from 1, white at 0 or below.
void colorSalud(int h, float rgb[3]);
// The colours and glyphs of the three city lines. Each health of 0 or more goes through
// planNumero itself, so one of 100,000,000 or more is reduced in place as the score is.
std::vector<PasoHud> planCiudades(float aspectx, float aspecty, float escala, float offsetx,
                                  float offsety, int* vidaCitys);

// True when all three cities have health 0 or below.
bool gameover(const int* vidaCitys);

} // namespace fenwar
