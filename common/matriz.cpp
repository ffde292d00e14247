// The arithmetic of a view: the matrices GLU and GL multiply by, computed from the game's values.
#include "matriz.h"

#include <cmath>

namespace {

constexpr double PI = 3.141592653589793;

Matriz identidad() {
    return Matriz{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
}

void normalizar(double v[3]) {
    const double largo = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    for (int i = 0; i < 3 && largo > 0.0; ++i) {
        v[i] /= largo;
    }
}

} // namespace

Matriz operator*(const Matriz& a, const Matriz& b) {
    Matriz r{};
    for (int c = 0; c < 4; ++c) {
        for (int f = 0; f < 4; ++f) {
            for (int k = 0; k < 4; ++k) {
                r.m[c * 4 + f] += a.m[k * 4 + f] * b.m[c * 4 + k];
            }
        }
    }
    return r;
}

Matriz perspectiva(double campoGrados, double aspecto, double cerca, double lejos) {
    const double f = 1.0 / std::tan(campoGrados * PI / 360.0);
    Matriz r{};
    r.m[0] = f / aspecto;
    r.m[5] = f;
    r.m[10] = (lejos + cerca) / (cerca - lejos);
    r.m[11] = -1.0;
    r.m[14] = 2.0 * lejos * cerca / (cerca - lejos);
    return r;
}

Matriz mirar(const double ojo[3], const double centro[3], const double arriba[3]) {
    double f[3] = {centro[0] - ojo[0], centro[1] - ojo[1], centro[2] - ojo[2]};
    normalizar(f);
    double s[3] = {f[1] * arriba[2] - f[2] * arriba[1], f[2] * arriba[0] - f[0] * arriba[2],
                   f[0] * arriba[1] - f[1] * arriba[0]};
    normalizar(s);
    const double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2],
                         s[0] * f[1] - s[1] * f[0]};
    Matriz r = identidad();
    for (int i = 0; i < 3; ++i) {
        r.m[i * 4] = s[i];
        r.m[i * 4 + 1] = u[i];
        r.m[i * 4 + 2] = -f[i];
    }
    return r * traslacion(-ojo[0], -ojo[1], -ojo[2]);
}

// About the axis made of length 1; a null axis turns nothing.
Matriz rotacion(double grados, double x, double y, double z) {
    double e[3] = {x, y, z};
    if (std::sqrt(x * x + y * y + z * z) <= 1e-4) {
        return identidad();
    }
    normalizar(e);
    const double a = grados * PI / 180.0, c = std::cos(a), s = std::sin(a), u = 1.0 - c;
    return Matriz{{e[0] * e[0] * u + c, e[1] * e[0] * u + e[2] * s, e[0] * e[2] * u - e[1] * s, 0,
                   e[0] * e[1] * u - e[2] * s, e[1] * e[1] * u + c, e[1] * e[2] * u + e[0] * s, 0,
                   e[0] * e[2] * u + e[1] * s, e[1] * e[2] * u - e[0] * s, e[2] * e[2] * u + c, 0,
                   0, 0, 0, 1}};
}

Matriz traslacion(double x, double y, double z) {
    Matriz r = identidad();
    r.m[12] = x;
    r.m[13] = y;
    r.m[14] = z;
    return r;
}

std::array<double, 3> aplicar(const Matriz& m, double x, double y, double z) {
    const double* a = m.m;
    return {a[0] * x + a[4] * y + a[8] * z + a[12], a[1] * x + a[5] * y + a[9] * z + a[13],
            a[2] * x + a[6] * y + a[10] * z + a[14]};
}
