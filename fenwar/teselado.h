// Vertex generation of the primitives and scenery, written to any sink (GL or a test recorder).
#pragma once

#include <cmath>

namespace fenwar {

// A sink receives what would be OpenGL calls, with the GL precision of each call kept:
//   comenzar(Trazo) / terminar()             glBegin / glEnd
//   normalf, normald, texf, texd             glNormal3f/3d, glTexCoord2f/2d
//   vertice2f, vertice3f, vertice3d          glVertex2f/3f/3d
//   empujar / sacar, trasladar, rotar        glPushMatrix / glPopMatrix, glTranslatef, glRotatef
enum class Trazo { Poligono, TiraTriangulos, TiraCuadrilateros, Triangulos };

namespace teselado {

constexpr double PI = 3.141592653589793;
constexpr double DOS_PI = 6.283185307179586;
// The disc turns degrees into radians with 3.1416 / 180.
constexpr double GRADO_DISCO = 0.017453333333333335;
// Largest ring a tower or cannon stores on the stack; larger counts draw no tube.
constexpr int MAX_PASOS = 1024;
// A cannon's turret radius.
constexpr float RADIO_CANON = 0.1f;

// Disc of 180 vertices, one every 2 degrees; the texture repeats every 20 units.
template <class S> void circulo(S& s, float radius) {
    const float texture_patter_coef = 0.05f;
    s.comenzar(Trazo::Poligono);
    for (int angle = 0; angle < 360; angle += 2) {
        float radian = static_cast<float>(angle * GRADO_DISCO);
        float x = std::cos(radian) * radius;
        float y = std::sin(radian) * radius;
        s.texf(texture_patter_coef * x, texture_patter_coef * y);
        s.vertice2f(x, y);
    }
    s.terminar();
}

// Open tube from z = -hl to +hl; the ring's x and y go to arrX/arrY (numSteps + 1 entries).
template <class S>
void cilindro(S& s, int numSteps, float radius, float hl, float* arrX, float* arrY) {
    if (numSteps < 1) {
        return;
    }
    float step = static_cast<float>(DOS_PI / numSteps);
    float a = 0.0f;
    s.comenzar(Trazo::TiraTriangulos);
    for (int i = 0; i <= numSteps; i++) {
        float x = std::cos(a) * radius;
        float y = std::sin(a) * radius;
        arrX[i] = x;
        arrY[i] = y;
        float t = static_cast<float>(2.0 * i * radius * PI / numSteps);
        s.normalf(x / radius, y / radius, 0.0f);
        s.texf(0.0f, t);
        s.vertice3f(x, y, -hl);
        s.normalf(x / radius, y / radius, 0.0f);
        s.texf(2.0f * hl, t);
        s.vertice3f(x, y, hl);
        a += step;
    }
    s.terminar();
}

// Flat ring at z = -hl between the stored rings 1 and 2.
template <class S>
void aro(S& s, int numSteps, const float* arrX_1, const float* arrX_2, const float* arrY_1,
         const float* arrY_2, float hl, float r) {
    if (numSteps < 1) {
        return;
    }
    s.comenzar(Trazo::TiraCuadrilateros);
    for (int j = 0; j <= numSteps; j++) {
        float t = static_cast<float>(2.0 * j * r * PI / numSteps);
        s.normalf(0.0f, 0.0f, -hl);
        s.texf(0.0f, t);
        s.vertice3f(arrX_1[j], arrY_1[j], -hl);
        s.normalf(0.0f, 0.0f, -hl);
        s.texf(0.2f * r, t);
        s.vertice3f(arrX_2[j], arrY_2[j], -hl);
    }
    s.terminar();
}

// Part of a sphere's bands: bands banda0..banda1 between vertex columns columna0..columna1, the
// quads between those columns (all of them: 0..lats or 0..lats/2, and 0..longs).
struct Sector {
    int banda0, banda1, columna0, columna1;
};

// The bands of a sector, each its own quad strip; the texture s is i / sDivisor.
template <class S> void bandas(S& s, int lats, int longs, float r, double sDivisor, Sector k) {
    for (int i = k.banda0; i <= k.banda1; i++) {
        double lat0 = PI * (-0.5 + static_cast<double>(i - 1) / lats);
        double z0 = std::sin(lat0);
        double zr0 = std::cos(lat0);
        double lat1 = PI * (-0.5 + static_cast<double>(i) / lats);
        double z1 = std::sin(lat1);
        double zr1 = std::cos(lat1);
        s.comenzar(Trazo::TiraCuadrilateros);
        for (int j = k.columna0; j <= k.columna1; j++) {
            double lng = DOS_PI * static_cast<double>(j - 1) / longs;
            double x = std::cos(lng);
            double y = std::sin(lng);
            double tj = static_cast<double>(j) / longs;
            s.texd(i / sDivisor, tj);
            s.normald(x * zr0, y * zr0, z0);
            s.vertice3d(r * x * zr0, r * y * zr0, r * z0);
            s.texd((i + 1) / sDivisor, tj);
            s.normald(x * zr1, y * zr1, z1);
            s.vertice3d(r * x * zr1, r * y * zr1, r * z1);
        }
        s.terminar();
    }
}

template <class S> void esfera(S& s, int lats, int longs, float r) {
    if (lats < 1 || longs < 1) {
        return;
    }
    bandas(s, lats, longs, r, lats, Sector{0, lats, 0, longs});
}

// The z <= 0 half: bands 0..lats/2, latitudes still divided by the full lats. A sector of it
// draws the quads of the half that lie in both its bands and its columns.
template <class S> void sectorMediaEsfera(S& s, int lats, int longs, float r, Sector k) {
    int halfLats = lats / 2;
    if (halfLats < 1 || longs < 1) {
        return;
    }
    k.banda0 = k.banda0 < 0 ? 0 : k.banda0;
    k.banda1 = k.banda1 > halfLats ? halfLats : k.banda1;
    k.columna0 = k.columna0 < 0 ? 0 : k.columna0;
    k.columna1 = k.columna1 > longs ? longs : k.columna1;
    if (k.columna1 > k.columna0) {
        bandas(s, lats, longs, r, halfLats, k);
    }
}

template <class S> void mediaEsfera(S& s, int lats, int longs, float r) {
    sectorMediaEsfera(s, lats, longs, r, Sector{0, lats / 2, 0, longs});
}

// A sector of a dome standing at a point; the whole dome is the body of both the cities and the
// sky.
template <class S>
void sectorCupula(S& s, float posx, float posy, float posz, float radius, int pasos, Sector k) {
    s.empujar();
    s.trasladar(posx, posy, posz);
    sectorMediaEsfera(s, pasos, pasos, radius, k);
    s.sacar();
}

template <class S> void cupula(S& s, float posx, float posy, float posz, float radius, int pasos) {
    sectorCupula(s, posx, posy, posz, radius, pasos, Sector{0, pasos / 2, 0, pasos});
}

template <class S> void suelo(S& s, float posx, float posy, float posz, float radius) {
    s.empujar();
    s.trasladar(posx, posy, posz);
    circulo(s, radius);
    s.sacar();
}

// Hollow tube standing on z = posz and reaching up to posz - length, with its rim on top.
template <class S>
void torre(S& s, float posx, float posy, float posz, float radius, float length, int numSteps) {
    if (numSteps < 1 || numSteps > MAX_PASOS) {
        return;
    }
    float arrX_1[MAX_PASOS + 1], arrY_1[MAX_PASOS + 1];
    float arrX_2[MAX_PASOS + 1], arrY_2[MAX_PASOS + 1];
    float hl = length * 0.5f;
    s.empujar();
    s.trasladar(0.0f, 0.0f, -hl);
    s.trasladar(posx, posy, posz);
    s.rotar(90.0f, 0.0f, 0.0f, 1.0f);
    cilindro(s, numSteps, radius, hl, arrX_2, arrY_2);
    cilindro(s, numSteps, 0.15f, hl, arrX_1, arrY_1);
    aro(s, numSteps, arrX_1, arrX_2, arrY_1, arrY_2, hl, 0.15f);
    s.sacar();
}

// Barrel tilted by `angulo` about the line from the origin through the turret, then the turret.
template <class S>
void canon(S& s, float posx, float posy, float posz, float crad, float angulo, int numSteps) {
    if (numSteps < 1 || numSteps > MAX_PASOS) {
        return;
    }
    float arrX_1[MAX_PASOS + 1], arrY_1[MAX_PASOS + 1];
    float arrX_2[MAX_PASOS + 1], arrY_2[MAX_PASOS + 1];
    float hl = crad;
    float ri = 0.3f * crad;
    float ro = crad * 1.1f * 0.3f;
    s.empujar();
    s.rotar(angulo, posx, posy, posz);
    s.trasladar(0.0f, 0.0f, -hl);
    s.trasladar(posx, posy, posz);
    cilindro(s, numSteps, ri, hl, arrX_2, arrY_2);
    cilindro(s, numSteps, ro, hl, arrX_1, arrY_1);
    aro(s, numSteps, arrX_1, arrX_2, arrY_1, arrY_2, hl, ro);
    s.sacar();
    s.empujar();
    s.trasladar(posx, posy, posz);
    circulo(s, crad);
    mediaEsfera(s, numSteps, numSteps, crad);
    s.sacar();
}

// Tower h of four, cannon h of four and city i of three, as the scenery places them.
constexpr int PASOS_TORRE = 100;
constexpr float RADIO_TORRE = 0.1f;
constexpr int PASOS_CANON = 20;
constexpr int PASOS_CIUDAD = 100;

template <class S>
void torreNumero(S& s, const float* coordcannon, const float* altura_tower, int h) {
    torre(s, coordcannon[2 * h], coordcannon[2 * h + 1], 0.0f, RADIO_TORRE, altura_tower[h],
          PASOS_TORRE);
}

template <class S>
void canonNumero(S& s, const float* coordcannon, const float* altura_tower,
                 const float* angulo_canion, int h) {
    canon(s, coordcannon[2 * h], coordcannon[2 * h + 1], -altura_tower[h], RADIO_CANON,
          angulo_canion[h], PASOS_CANON);
}

template <class S> void ciudadNumero(S& s, float radCity, const float (*coordCitys)[3], int i) {
    cupula(s, coordCitys[i][0], coordCitys[i][1], coordCitys[i][2], radCity, PASOS_CIUDAD);
}

template <class S> void torres(S& s, const float* coordcannon, const float* altura_tower) {
    for (int h = 0; h < 4; h++) {
        torreNumero(s, coordcannon, altura_tower, h);
    }
}

template <class S>
void canones(S& s, const float* coordcannon, const float* altura_tower,
             const float* angulo_canion) {
    for (int h = 0; h < 4; h++) {
        canonNumero(s, coordcannon, altura_tower, angulo_canion, h);
    }
}

// The city domes are drawn only while the city has health left.
template <class S>
void ciudades(S& s, float radCity, const float (*coordCitys)[3], const int* vidaCitys) {
    for (int i = 0; i < 3; i++) {
        if (vidaCitys[i] > 0) {
            ciudadNumero(s, radCity, coordCitys, i);
        }
    }
}

} // namespace teselado

} // namespace fenwar
