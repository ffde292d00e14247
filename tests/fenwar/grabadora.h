// A sink for the tessellation templates that records every call, for the geometry tests.
#pragma once

#include "teselado.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

using namespace fenwar;

struct Llamada {
    std::string
        op; // "begin", "end", "normal", "tex", "vertex", "push", "pop", "translate", "rotate"
    double v[4];
    int componentes;
};

struct Grabadora {
    std::vector<Llamada> llamadas;

    void comenzar(Trazo t) { add("begin", static_cast<double>(static_cast<int>(t)), 0, 0, 0, 1); }
    void terminar() { add("end", 0, 0, 0, 0, 0); }
    void normalf(float x, float y, float z) { add("normal", x, y, z, 0, 3); }
    void normald(double x, double y, double z) { add("normal", x, y, z, 0, 3); }
    void texf(float s, float t) { add("tex", s, t, 0, 0, 2); }
    void texd(double s, double t) { add("tex", s, t, 0, 0, 2); }
    void vertice2f(float x, float y) { add("vertex", x, y, 0, 0, 2); }
    void vertice3f(float x, float y, float z) { add("vertex", x, y, z, 0, 3); }
    void vertice3d(double x, double y, double z) { add("vertex", x, y, z, 0, 3); }
    void empujar() { add("push", 0, 0, 0, 0, 0); }
    void sacar() { add("pop", 0, 0, 0, 0, 0); }
    void trasladar(float x, float y, float z) { add("translate", x, y, z, 0, 3); }
    void rotar(float a, float x, float y, float z) { add("rotate", a, x, y, z, 4); }

    std::vector<Llamada> de(const std::string& op) const {
        std::vector<Llamada> r;
        for (const Llamada& l : llamadas) {
            if (l.op == op) {
                r.push_back(l);
            }
        }
        return r;
    }
    // The vertices of each begin/end batch, in order.
    std::vector<std::vector<Llamada>> lotes() const {
        std::vector<std::vector<Llamada>> r;
        for (const Llamada& l : llamadas) {
            if (l.op == "begin") {
                r.emplace_back();
            } else if (l.op == "vertex" && !r.empty()) {
                r.back().push_back(l);
            }
        }
        return r;
    }
    // Calls other than the vertex data, in order ("push", "translate", "begin", ...).
    std::vector<std::string> estructura() const {
        std::vector<std::string> r;
        for (const Llamada& l : llamadas) {
            if (l.op != "normal" && l.op != "tex" && l.op != "vertex") {
                r.push_back(l.op);
            }
        }
        return r;
    }

    // The vertices of each begin/end batch where the recorded moves and turns put them, as GL
    // would: glTranslate and glRotate multiply the current matrix on the right, a vertex sent in
    // double is rounded to float.
    std::vector<std::vector<std::array<double, 3>>> lotesEnElMundo() const {
        using M = std::array<double, 16>; // column-major, as GL keeps it
        const M identidad = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        auto por = [](const M& a, const M& b) {
            M r{};
            for (int c = 0; c < 4; c++)
                for (int f = 0; f < 4; f++)
                    for (int k = 0; k < 4; k++)
                        r[c * 4 + f] += a[k * 4 + f] * b[c * 4 + k];
            return r;
        };
        std::vector<M> pila = {identidad};
        std::vector<std::vector<std::array<double, 3>>> lotes;
        for (const Llamada& l : llamadas) {
            M& m = pila.back();
            if (l.op == "push") {
                pila.push_back(m);
            } else if (l.op == "pop") {
                pila.pop_back();
            } else if (l.op == "translate") {
                M t = identidad;
                t[12] = l.v[0];
                t[13] = l.v[1];
                t[14] = l.v[2];
                m = por(m, t);
            } else if (l.op == "rotate") {
                m = por(m, giro(l.v[0], l.v[1], l.v[2], l.v[3]));
            } else if (l.op == "begin") {
                lotes.emplace_back();
            } else if (l.op == "vertex" && !lotes.empty()) {
                const double v[3] = {static_cast<float>(l.v[0]), static_cast<float>(l.v[1]),
                                     static_cast<float>(l.v[2])};
                std::array<double, 3> p{};
                for (int f = 0; f < 3; f++)
                    p[f] = m[f] * v[0] + m[4 + f] * v[1] + m[8 + f] * v[2] + m[12 + f];
                lotes.back().push_back(p);
            }
        }
        return lotes;
    }

  private:
    // The matrix GL makes for glRotate(grados, x, y, z).
    static std::array<double, 16> giro(double grados, double x, double y, double z) {
        const double largo = std::sqrt(x * x + y * y + z * z);
        x /= largo;
        y /= largo;
        z /= largo;
        const double a = grados * 3.141592653589793 / 180;
        const double c = std::cos(a), s = std::sin(a), t = 1 - c;
        return {t * x * x + c,
                t * x * y + s * z,
                t * x * z - s * y,
                0,
                t * x * y - s * z,
                t * y * y + c,
                t * y * z + s * x,
                0,
                t * x * z + s * y,
                t * y * z - s * x,
                t * z * z + c,
                0,
                0,
                0,
                0,
                1};
    }

    void add(const char* op, double a, double b, double c, double d, int n) {
        llamadas.push_back({op, {a, b, c, d}, n});
    }
};
