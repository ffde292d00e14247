// The bar font: glyph bars, their vertex order, the score and city-health lines, the lost game.
#include "digitos.h"

#include <string>

namespace fenwar {

std::vector<Barra> barrasGlifo(char c) {
    switch (c) {
    case '0':
        return {{0, 1, 0, 0.2f}, {0.8f, 1, 0.2f, 1}, {0, 1, 0.8f, 1}, {0, 0.2f, 0.2f, 1}};
    case '1':
        return {{0.8f, 1, 0, 1}};
    case '2':
        return {{0, 1, 0.8f, 1},
                {0.8f, 1, 0.6f, 1},
                {0, 1, 0.4f, 0.6f},
                {0, 0.2f, 0, 0.4f},
                {0, 1, 0, 0.2f}};
    case '3':
        return {{0, 1, 0.8f, 1}, {0.8f, 1, 0, 1}, {0, 1, 0.4f, 0.6f}, {0, 1, 0, 0.2f}};
    case '4':
        return {{0, 0.2f, 0.6f, 1}, {0, 1, 0.4f, 0.6f}, {0.8f, 1, 0, 0.4f}, {0.8f, 1, 0.6f, 1}};
    case '5':
        return {{0, 1, 0.8f, 1},
                {0, 0.2f, 0.6f, 1},
                {0, 1, 0.4f, 0.6f},
                {0.8f, 1, 0, 0.4f},
                {0, 1, 0, 0.2f}};
    case '6':
        return {{0, 1, 0.8f, 1},    {0, 0.2f, 0.6f, 1}, {0, 1, 0.4f, 0.6f},
                {0.8f, 1, 0, 0.4f}, {0, 1, 0, 0.2f},    {0, 0.2f, 0, 0.4f}};
    case '7':
        return {{0, 1, 0.8f, 1}, {0.8f, 1, 0, 1}};
    case '8':
        return {{0, 1, 0.8f, 1}, {0, 0.2f, 0.6f, 1}, {0, 1, 0.4f, 0.6f}, {0.8f, 1, 0, 0.4f},
                {0, 1, 0, 0.2f}, {0, 0.2f, 0, 0.4f}, {0.8f, 1, 0.6f, 1}};
    case '9':
        return {{0, 1, 0.8f, 1},
                {0, 0.2f, 0.6f, 1},
                {0, 1, 0.4f, 0.6f},
                {0.8f, 1, 0, 0.4f},
                {0.8f, 1, 0.6f, 1}};
    case 'c':
        return {{0, 1, 0, 0.2f}, {0, 1, 0.8f, 1}, {0, 0.2f, 0.2f, 1}};
    case 'i':
        return {{0.4f, 0.6f, 0, 1}};
    case 't':
        return {{0, 1, 0.8f, 1}, {0.4f, 0.6f, 0, 1}};
    case 'y':
        return {{0, 0.2f, 0.6f, 1}, {0, 1, 0.4f, 0.6f}, {0.8f, 1, 0.6f, 1}, {0.4f, 0.6f, 0, 0.6f}};
    default:
        return {};
    }
}

void esquinasBarra(const Barra& b, float out[4][2]) {
    bool completa = b.fx0 == 0 && b.fx1 == 1;
    out[0][0] = b.fx0;
    out[0][1] = b.fy0;
    out[2][0] = b.fx1;
    out[2][1] = b.fy1;
    if (completa) {
        out[1][0] = b.fx0;
        out[1][1] = b.fy1;
        out[3][0] = b.fx1;
        out[3][1] = b.fy0;
    } else {
        out[1][0] = b.fx1;
        out[1][1] = b.fy0;
        out[3][0] = b.fx0;
        out[3][1] = b.fy1;
    }
}

namespace {

PasoHud glifo(char c, float x, float y) {
    return PasoHud{false, 0, 0, 0, c, x, y};
}
PasoHud color(float r, float g, float b) {
    return PasoHud{true, r, g, b, 0, 0, 0};
}

} // namespace

// Eight places padded with '0' (a '-' keeps its place and draws blank); a longer text keeps its
// last eight characters.
std::vector<PasoHud> planNumero(float aspectx, float escala, float offsetx, float offsety,
                                int& numero, bool esvida) {
    std::vector<PasoHud> plan;
    if (numero >= TOPE_MARCADOR) {
        numero -= TOPE_MARCADOR;
        return plan;
    }
    std::string texto = std::to_string(numero);
    std::string print = texto.size() >= 8 ? texto.substr(texto.size() - 8)
                                          : std::string(8 - texto.size(), '0') + texto;
    float interleaving = 0.2f * escala;
    for (int j = esvida ? 5 : 0; j < 8; j++) {
        plan.push_back(glifo(print[j], offsetx, offsety));
        offsetx += (escala + 10 + interleaving) * aspectx;
    }
    return plan;
}

void colorSalud(int h, float rgb[3]) {
    rgb[0] = h > 50 ? 0.0f : 1.0f;
    rgb[1] = h > 25 || h <= 0 ? 1.0f : 0.0f;
    rgb[2] = h <= 0 ? 1.0f : 0.0f;
}

// Each line: "city" in blue, the city's number, then its health in three digits coloured by value.
std::vector<PasoHud> planCiudades(float aspectx, float aspecty, float escala, float offsetx,
                                  float offsety, int* vidaCitys) {
    std::vector<PasoHud> plan;
    float interleaving = 0.2f * escala;
    float inicio = offsetx;
    for (int i = 0; i < 3; i++) {
        plan.push_back(color(0, 0, 1));
        plan.push_back(glifo('c', offsetx, offsety));
        offsetx += escala * aspectx;
        plan.push_back(glifo('i', offsetx, offsety));
        offsetx += escala * aspectx;
        plan.push_back(glifo('t', offsetx, offsety));
        offsetx += (escala + 4 + interleaving) * aspectx;
        plan.push_back(glifo('y', offsetx, offsety));
        offsetx += (escala + 10 + interleaving) * aspectx;
        plan.push_back(glifo(static_cast<char>('1' + i), offsetx, offsety));
        offsetx += (escala + 10 + interleaving) * aspectx;
        float rgb[3];
        colorSalud(vidaCitys[i], rgb);
        plan.push_back(color(rgb[0], rgb[1], rgb[2]));
        // The health itself goes to the number's plan, as the score does: a health of 100,000,000
        // or more draws nothing this frame and is reduced in place. Below 0 it shows as 000.
        int cero = 0;
        int& vida = vidaCitys[i] < 0 ? cero : vidaCitys[i];
        for (const PasoHud& p : planNumero(aspectx, escala, offsetx, offsety, vida, true))
            plan.push_back(p);
        offsety -= (escala + interleaving) * aspecty;
        offsetx = inicio;
    }
    return plan;
}

bool gameover(const int* vidaCitys) {
    bool resultado = true;
    for (int i = 0; i < 3; i++)
        resultado = (vidaCitys[i] <= 0) && resultado;
    return resultado;
}

} // namespace fenwar
