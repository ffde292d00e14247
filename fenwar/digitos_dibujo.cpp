// Draws the bar font with GL_QUADS: one glyph, the score, the three city-health lines.
#include "digitos_dibujo.h"

#include <GL/gl.h>

namespace fenwar {

void printUnNum(float aspectx, float aspecty, float escala, float offsetx, float offsety,
                float offsetz, char num) {
    glBegin(GL_QUADS);
    for (const Barra& b : barrasGlifo(num)) {
        float esquinas[4][2];
        esquinasBarra(b, esquinas);
        for (const auto& e : esquinas)
            glVertex3f(aspectx * (offsetx + e[0] * escala), aspecty * (offsety + e[1] * escala),
                       offsetz);
    }
    glEnd();
}

namespace {

void dibujarPlan(const std::vector<PasoHud>& plan, float aspectx, float aspecty, float escala,
                 float offsetz) {
    for (const PasoHud& p : plan) {
        if (p.esColor)
            glColor3f(p.r, p.g, p.b);
        else
            printUnNum(aspectx, aspecty, escala, p.offsetx, p.offsety, offsetz, p.glifo);
    }
}

} // namespace

void printNumers(float aspectx, float aspecty, float escala, float offsetx, float offsety,
                 float offsetz, int& numero, bool esvida) {
    dibujarPlan(planNumero(aspectx, escala, offsetx, offsety, numero, esvida), aspectx, aspecty,
                escala, offsetz);
}

void printCitys(float aspectx, float aspecty, float escala, float offsetx, float offsety,
                float offsetz, int* vidaCitys) {
    dibujarPlan(planCiudades(aspectx, aspecty, escala, offsetx, offsety, vidaCitys), aspectx,
                aspecty, escala, offsetz);
}

} // namespace fenwar
