// Polygons and strips turned into one batch of independent triangles, for quick display lists.
#pragma once

#include "teselado.h"

#include <cstddef>
#include <vector>

// Mesa replays a display list of separate polygons or strips one primitive at a time, at a cost
// for each, while it merges independent triangles into a single draw. This sink stands in front of
// another (see teselado.h) and hands it the same corners as triangles: each primitive split as
// Mesa's software rasteriser splits it, every triangle's corners in the same order, so every
// filled pixel comes out the same (in the outline mode the inner edges would show). Consecutive
// primitives share one batch; a matrix call ends it. cerrar() ends the last one and leaves current
// the normal and texture coordinate the primitives last set, as drawing them would.
template <class S> class Triangulador {
  public:
    explicit Triangulador(S& salida) : s_(salida) {}

    void comenzar(Trazo t) {
        trazo_ = t;
        esquinas_.clear();
    }
    void terminar() {
        triangular();
        esquinas_.clear();
    }
    void normalf(float x, float y, float z) { fijar(actual_.normal, x, y, z, false); }
    void normald(double x, double y, double z) { fijar(actual_.normal, x, y, z, true); }
    void texf(float s, float t) { fijar(actual_.tex, s, t, 0.0, false); }
    void texd(double s, double t) { fijar(actual_.tex, s, t, 0.0, true); }
    void vertice2f(float x, float y) { esquina(x, y, 0.0, Posicion::Plana); }
    void vertice3f(float x, float y, float z) { esquina(x, y, z, Posicion::Simple); }
    void vertice3d(double x, double y, double z) { esquina(x, y, z, Posicion::Doble); }
    void empujar() {
        cerrar();
        s_.empujar();
    }
    void sacar() {
        cerrar();
        s_.sacar();
    }
    void trasladar(float x, float y, float z) {
        cerrar();
        s_.trasladar(x, y, z);
    }
    void rotar(float angulo, float x, float y, float z) {
        cerrar();
        s_.rotar(angulo, x, y, z);
    }

    void cerrar() {
        if (abierto_) {
            s_.terminar();
            abierto_ = false;
        }
        if (pendiente_) {
            enviarAtributos(actual_);
            pendiente_ = false;
        }
    }

  private:
    // A normal or texture coordinate as it was sent: its values and whether in double precision.
    struct Dato {
        double v[3] = {};
        bool doble = false;
        bool hay = false;
    };
    enum class Posicion { Plana, Simple, Doble };
    struct Atributos {
        Dato normal, tex;
    };
    struct Esquina {
        Atributos a;
        double p[3];
        Posicion tipo;
    };

    void fijar(Dato& d, double x, double y, double z, bool doble) {
        d.v[0] = x;
        d.v[1] = y;
        d.v[2] = z;
        d.doble = doble;
        d.hay = true;
        pendiente_ = true;
    }

    void esquina(double x, double y, double z, Posicion tipo) {
        esquinas_.push_back({actual_, {x, y, z}, tipo});
    }

    void enviarAtributos(const Atributos& a) {
        const Dato& n = a.normal;
        if (n.hay && n.doble) {
            s_.normald(n.v[0], n.v[1], n.v[2]);
        } else if (n.hay) {
            s_.normalf(static_cast<float>(n.v[0]), static_cast<float>(n.v[1]),
                       static_cast<float>(n.v[2]));
        }
        const Dato& t = a.tex;
        if (t.hay && t.doble) {
            s_.texd(t.v[0], t.v[1]);
        } else if (t.hay) {
            s_.texf(static_cast<float>(t.v[0]), static_cast<float>(t.v[1]));
        }
    }

    void enviar(std::size_t k) {
        const Esquina& e = esquinas_[k];
        enviarAtributos(e.a);
        switch (e.tipo) {
        case Posicion::Plana:
            s_.vertice2f(static_cast<float>(e.p[0]), static_cast<float>(e.p[1]));
            break;
        case Posicion::Simple:
            s_.vertice3f(static_cast<float>(e.p[0]), static_cast<float>(e.p[1]),
                         static_cast<float>(e.p[2]));
            break;
        case Posicion::Doble:
            s_.vertice3d(e.p[0], e.p[1], e.p[2]);
            break;
        }
    }

    void triangulo(std::size_t a, std::size_t b, std::size_t c) {
        if (!abierto_) {
            s_.comenzar(Trazo::Triangulos);
            abierto_ = true;
        }
        enviar(a);
        enviar(b);
        enviar(c);
    }

    void triangular() {
        const std::size_t n = esquinas_.size();
        switch (trazo_) {
        case Trazo::Poligono:
            // A fan about the first corner, which comes last in each triangle.
            for (std::size_t i = 1; i + 1 < n; ++i) {
                triangulo(i, i + 1, 0);
            }
            break;
        case Trazo::TiraCuadrilateros:
            // Each quad k, k + 1, k + 3, k + 2 split along k to k + 3.
            for (std::size_t k = 0; k + 3 < n; k += 2) {
                triangulo(k + 2, k, k + 3);
                triangulo(k, k + 1, k + 3);
            }
            break;
        case Trazo::TiraTriangulos:
            // Every other triangle has its first two corners swapped, so all turn the same way.
            for (std::size_t i = 2; i < n; ++i) {
                if (i % 2 == 1) {
                    triangulo(i - 1, i - 2, i);
                } else {
                    triangulo(i - 2, i - 1, i);
                }
            }
            break;
        case Trazo::Triangulos:
            for (std::size_t i = 2; i < n; i += 3) {
                triangulo(i - 2, i - 1, i);
            }
            break;
        }
    }

    S& s_;
    Trazo trazo_ = Trazo::Triangulos;
    std::vector<Esquina> esquinas_;
    Atributos actual_;
    bool abierto_ = false;
    bool pendiente_ = false;
};
