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

bool vacio(const Rectangulo& r) {
    return r.x1 <= r.x0 || r.y1 <= r.y0;
}

Rectangulo unir(const Rectangulo& a, const Rectangulo& b) {
    if (vacio(a)) {
        return b;
    }
    if (vacio(b)) {
        return a;
    }
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

Rectangulo rectanguloZona(const float proyeccion[16], const float modelo[16], const int vista[4],
                          const Zona& z) {
    const Rectangulo todo{vista[0], vista[1], vista[0] + vista[2], vista[1] + vista[3]};
    if (vacio(todo) || !std::isfinite(z.radio) || z.radio < 0.0) {
        return todo;
    }
    Tramo esfera;
    std::copy(z.centro, z.centro + 3, esfera.centro);
    esfera.radio = z.radio;
    if (fueraDeVista(volumenVista(proyeccion, modelo), esfera)) {
        return {};
    }
    double m[16], b[16];
    std::copy(proyeccion, proyeccion + 16, m);
    std::copy(modelo, modelo + 16, b);
    multiplicar(m, b);
    // The cube around the sphere: the window holds its picture between its corners' pictures,
    // as long as every corner lies in front of the eye.
    double xMin = 1e300, xMax = -1e300, yMin = 1e300, yMax = -1e300;
    for (int k = 0; k < 8; ++k) {
        const double p[3] = {z.centro[0] + ((k & 1) ? z.radio : -z.radio),
                             z.centro[1] + ((k & 2) ? z.radio : -z.radio),
                             z.centro[2] + ((k & 4) ? z.radio : -z.radio)};
        double c[4];
        for (int f = 0; f < 4; ++f) {
            c[f] = m[f] * p[0] + m[4 + f] * p[1] + m[8 + f] * p[2] + m[12 + f];
        }
        if (!(c[3] > 1e-6)) {
            return todo;
        }
        const double x = vista[0] + (c[0] / c[3] + 1.0) * 0.5 * vista[2];
        const double y = vista[1] + (c[1] / c[3] + 1.0) * 0.5 * vista[3];
        if (!std::isfinite(x) || !std::isfinite(y)) {
            return todo;
        }
        xMin = std::min(xMin, x);
        xMax = std::max(xMax, x);
        yMin = std::min(yMin, y);
        yMax = std::max(yMax, y);
    }
    // Clamped to the viewport before turning into pixels, so a huge picture cannot overflow.
    const auto pixel = [](double v, double desde, double hasta) {
        return static_cast<int>(std::min(std::max(v, desde), hasta));
    };
    Rectangulo r{pixel(std::floor(xMin) - 2.0, todo.x0, todo.x1),
                 pixel(std::floor(yMin) - 2.0, todo.y0, todo.y1),
                 pixel(std::ceil(xMax) + 2.0, todo.x0, todo.x1),
                 pixel(std::ceil(yMax) + 2.0, todo.y0, todo.y1)};
    return vacio(r) ? Rectangulo{} : r;
}

void recortarProyeccion(float proyeccion[16], const int vista[4], const Rectangulo& r) {
    if (vacio(r) || vista[2] <= 0 || vista[3] <= 0) {
        return;
    }
    // The rectangle in normalised device coordinates, stretched back to -1 .. 1.
    const double a = 2.0 * (r.x0 - vista[0]) / vista[2] - 1.0;
    const double b = 2.0 * (r.x1 - vista[0]) / vista[2] - 1.0;
    const double c = 2.0 * (r.y0 - vista[1]) / vista[3] - 1.0;
    const double d = 2.0 * (r.y1 - vista[1]) / vista[3] - 1.0;
    if (a <= -1.0 && b >= 1.0 && c <= -1.0 && d >= 1.0) {
        return;
    }
    const double sx = 2.0 / (b - a), tx = -(a + b) / (b - a);
    const double sy = 2.0 / (d - c), ty = -(c + d) / (d - c);
    for (int col = 0; col < 4; ++col) {
        float* m = proyeccion + 4 * col;
        const double w = m[3];
        m[0] = static_cast<float>(sx * m[0] + tx * w);
        m[1] = static_cast<float>(sy * m[1] + ty * w);
    }
}
