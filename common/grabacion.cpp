// Scenery as the vertices its drawing sent, cut into runs with bounds, and the view test.
#include "grabacion.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr double IDENTIDAD[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
constexpr double PI = 3.141592653589793;

// a = a x b, column-major.
void multiplicar(double* a, const double* b) {
    double r[16];
    for (int c = 0; c < 4; ++c) {
        for (int f = 0; f < 4; ++f) {
            double s = 0.0;
            for (int k = 0; k < 4; ++k) {
                s += a[k * 4 + f] * b[c * 4 + k];
            }
            r[c * 4 + f] = s;
        }
    }
    std::memcpy(a, r, sizeof r);
}

// Far enough past a plane that the float arithmetic of the GL pipeline cannot bring any point of
// the run back in: a ten-thousandth of the run's size and distance, and a little more.
double margen(const Tramo& t) {
    const double lejos = std::sqrt(t.centro[0] * t.centro[0] + t.centro[1] * t.centro[1] +
                                   t.centro[2] * t.centro[2]);
    return 1e-4 * (t.radio + lejos) + 1e-5;
}

} // namespace

Grabadora::Grabadora(Grabacion& g, int cuadrosPorTramo)
    : g_(g), paso_(2 * std::max(1, cuadrosPorTramo)) {
    std::memcpy(matriz_, IDENTIDAD, sizeof matriz_);
}

void Grabadora::comenzar(Primitiva p) {
    primitiva_ = p;
    comienzo_ = static_cast<int>(g_.vertices.size() / FLOTANTES_VERTICE);
}

void Grabadora::terminar() {
    Paso p;
    p.primitiva = primitiva_;
    p.tramoPrimero = static_cast<int>(g_.tramos.size());
    const int n = static_cast<int>(g_.vertices.size() / FLOTANTES_VERTICE) - comienzo_;
    switch (primitiva_) {
    case Primitiva::Poligono:
        agregarTramo(comienzo_, n);
        break;
    case Primitiva::Triangulos: {
        const int paso = 3 * paso_;
        for (int a = 0; a < n; a += paso) {
            agregarTramo(comienzo_ + a, std::min(paso, n - a));
        }
        break;
    }
    case Primitiva::TiraTriangulos:
    case Primitiva::TiraCuadrilateros: {
        int a = 0;
        do {
            agregarTramo(comienzo_ + a, std::min(paso_ + 2, n - a));
            a += paso_;
        } while (a + 2 < n);
        break;
    }
    }
    p.tramoFin = static_cast<int>(g_.tramos.size());
    g_.pasos.push_back(p);
}

void Grabadora::agregarTramo(int primero, int cuantos) {
    Tramo t;
    t.primero = primero;
    t.cuantos = std::max(0, cuantos);
    double menor[3] = {}, mayor[3] = {};
    std::vector<double> puntos;
    puntos.reserve(static_cast<std::size_t>(t.cuantos) * 3);
    for (int i = 0; i < t.cuantos; ++i) {
        const float* v = &g_.vertices[static_cast<std::size_t>(primero + i) * FLOTANTES_VERTICE];
        for (int f = 0; f < 3; ++f) {
            const double x =
                matriz_[f] * v[0] + matriz_[4 + f] * v[1] + matriz_[8 + f] * v[2] + matriz_[12 + f];
            puntos.push_back(x);
            menor[f] = i == 0 ? x : std::min(menor[f], x);
            mayor[f] = i == 0 ? x : std::max(mayor[f], x);
        }
    }
    for (int f = 0; f < 3; ++f) {
        t.centro[f] = 0.5 * (menor[f] + mayor[f]);
    }
    for (std::size_t i = 0; i < puntos.size(); i += 3) {
        const double dx = puntos[i] - t.centro[0], dy = puntos[i + 1] - t.centro[1],
                     dz = puntos[i + 2] - t.centro[2];
        t.radio = std::max(t.radio, std::sqrt(dx * dx + dy * dy + dz * dz));
    }
    g_.tramos.push_back(t);
}

void Grabadora::normal(float x, float y, float z) {
    normal_[0] = x;
    normal_[1] = y;
    normal_[2] = z;
    std::memcpy(g_.normalFinal, normal_, sizeof normal_);
    g_.conNormales = true;
}

void Grabadora::textura(float s, float t) {
    textura_[0] = s;
    textura_[1] = t;
    std::memcpy(g_.texturaFinal, textura_, sizeof textura_);
    g_.conTextura = true;
}

void Grabadora::vertice(float x, float y, float z) {
    g_.vertices.insert(g_.vertices.end(),
                       {x, y, z, normal_[0], normal_[1], normal_[2], textura_[0], textura_[1]});
}

void Grabadora::empujar() {
    pila_.insert(pila_.end(), matriz_, matriz_ + 16);
    g_.pasos.push_back(Paso{Paso::Tipo::Empujar, {}, Primitiva::Triangulos, 0, 0});
}

void Grabadora::sacar() {
    if (pila_.size() >= 16) {
        std::copy(pila_.end() - 16, pila_.end(), matriz_);
        pila_.resize(pila_.size() - 16);
    }
    g_.pasos.push_back(Paso{Paso::Tipo::Sacar, {}, Primitiva::Triangulos, 0, 0});
}

void Grabadora::trasladar(float x, float y, float z) {
    double t[16];
    std::memcpy(t, IDENTIDAD, sizeof t);
    t[12] = x;
    t[13] = y;
    t[14] = z;
    multiplicar(matriz_, t);
    g_.pasos.push_back(Paso{Paso::Tipo::Trasladar, {x, y, z, 0.0f}, Primitiva::Triangulos, 0, 0});
}

// As glRotate: degrees about the axis (x, y, z), made of length 1; a null axis turns nothing.
void Grabadora::rotar(float angulo, float x, float y, float z) {
    g_.pasos.push_back(Paso{Paso::Tipo::Rotar, {angulo, x, y, z}, Primitiva::Triangulos, 0, 0});
    const double largo = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
    if (largo <= 1e-4) {
        return;
    }
    const double a = angulo * PI / 180.0, c = std::cos(a), s = std::sin(a), u = 1.0 - c;
    const double ex = x / largo, ey = y / largo, ez = z / largo;
    const double r[16] = {ex * ex * u + c,
                          ey * ex * u + ez * s,
                          ex * ez * u - ey * s,
                          0,
                          ex * ey * u - ez * s,
                          ey * ey * u + c,
                          ey * ez * u + ex * s,
                          0,
                          ex * ez * u + ey * s,
                          ey * ez * u - ex * s,
                          ez * ez * u + c,
                          0,
                          0,
                          0,
                          0,
                          1};
    multiplicar(matriz_, r);
}

VolumenVista volumenVista(const float proyeccion[16], const float modelo[16]) {
    double m[16], b[16];
    std::copy(proyeccion, proyeccion + 16, m);
    std::copy(modelo, modelo + 16, b);
    multiplicar(m, b);
    VolumenVista v;
    // Left, right, bottom, top, near, far: the last row plus or minus rows 0, 1 and 2.
    for (int k = 0; k < 6; ++k) {
        const int fila = k / 2;
        const double signo = k % 2 == 0 ? 1.0 : -1.0;
        double* p = v.planos[k];
        for (int c = 0; c < 4; ++c) {
            p[c] = m[c * 4 + 3] + signo * m[c * 4 + fila];
        }
        const double largo = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
        for (int c = 0; c < 4; ++c) {
            p[c] = largo > 0.0 ? p[c] / largo : 0.0;
        }
    }
    return v;
}

bool fueraDeVista(const VolumenVista& v, const Tramo& t) {
    const double lejos = t.radio + margen(t);
    for (const auto& p : v.planos) {
        // A plane of a degenerate matrix is all zeros and leaves nothing out.
        if (p[0] * t.centro[0] + p[1] * t.centro[1] + p[2] * t.centro[2] + p[3] < -lejos) {
            return true;
        }
    }
    return false;
}

void rangosVisibles(const Grabacion& g, const Paso& p, const VolumenVista& v,
                    std::vector<int>& primeros, std::vector<int>& cuantos) {
    bool abierto = false;
    for (int i = p.tramoPrimero; i < p.tramoFin; ++i) {
        const Tramo& t = g.tramos[static_cast<std::size_t>(i)];
        if (fueraDeVista(v, t)) {
            abierto = false;
            continue;
        }
        if (abierto) {
            cuantos.back() = t.primero + t.cuantos - primeros.back();
        } else {
            primeros.push_back(t.primero);
            cuantos.push_back(t.cuantos);
            abierto = true;
        }
    }
}
