// Test helper: a stand-in for the few GL calls the camera and the mesh drawer make, recording them.
#pragma once

#include <string>
#include <vector>

namespace glregistro {

struct Llamada {
    std::string nombre;
    std::vector<double> args;
};

// Every call made since the last clear(), in order.
std::vector<Llamada>& llamadas();
void clear();
// The calls named `nombre`, in order.
std::vector<Llamada> named(const std::string& nombre);

} // namespace glregistro
