// The arithmetic of a view: the matrices GLU and GL multiply by, computed from the game's values.
#pragma once

#include <array>

// A 4 x 4 matrix as GL takes it, column by column. Fenwar computes its view and projection from
// its own values with the arithmetic of GLU and GL, to place its sounds and to leave out of a
// frame what its view does not show; nothing is read back from GL.
struct Matriz {
    double m[16];
};
Matriz operator*(const Matriz& a, const Matriz& b);
// What gluPerspective, gluLookAt, glRotatef and glTranslatef multiply by.
Matriz perspectiva(double campoGrados, double aspecto, double cerca, double lejos);
Matriz mirar(const double ojo[3], const double centro[3], const double arriba[3]);
Matriz rotacion(double grados, double x, double y, double z);
Matriz traslacion(double x, double y, double z);
// Where `m` carries the point (x, y, z), as GL carries a vertex (w = 1, no division).
std::array<double, 3> aplicar(const Matriz& m, double x, double y, double z);
