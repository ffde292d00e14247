// The sink that records the tessellation templates' calls into a piece of scenery.
#pragma once

// Values sent in double are rounded to float as GL rounds them.

#include "grabacion.h"
#include "teselado.h"

struct SalidaGrabada {
    Grabadora& g;

    void comenzar(Trazo t) {
        switch (t) {
        case Trazo::Poligono:
            g.comenzar(Primitiva::Poligono);
            break;
        case Trazo::TiraTriangulos:
            g.comenzar(Primitiva::TiraTriangulos);
            break;
        case Trazo::TiraCuadrilateros:
            g.comenzar(Primitiva::TiraCuadrilateros);
            break;
        case Trazo::Triangulos:
            g.comenzar(Primitiva::Triangulos);
            break;
        }
    }
    void terminar() { g.terminar(); }
    void normalf(float x, float y, float z) { g.normal(x, y, z); }
    void normald(double x, double y, double z) {
        g.normal(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    }
    void texf(float s, float t) { g.textura(s, t); }
    void texd(double s, double t) { g.textura(static_cast<float>(s), static_cast<float>(t)); }
    void vertice2f(float x, float y) { g.vertice(x, y, 0.0f); }
    void vertice3f(float x, float y, float z) { g.vertice(x, y, z); }
    void vertice3d(double x, double y, double z) {
        g.vertice(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    }
    void empujar() { g.empujar(); }
    void sacar() { g.sacar(); }
    void trasladar(float x, float y, float z) { g.trasladar(x, y, z); }
    void rotar(float angulo, float x, float y, float z) { g.rotar(angulo, x, y, z); }
};
