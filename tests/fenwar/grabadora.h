// A sink for the tessellation templates that records every call, for the geometry tests.
#pragma once

#include "teselado.h"

#include <string>
#include <vector>

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

  private:
    void add(const char* op, double a, double b, double c, double d, int n) {
        llamadas.push_back({op, {a, b, c, d}, n});
    }
};
