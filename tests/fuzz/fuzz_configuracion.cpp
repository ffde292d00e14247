// Fuzz target: any level file either loads whole (three towers, cities by level) or is refused.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "ciudad.h"
#include "configuracion.h"
#include "torre.h"

using namespace torvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
    std::map<int, std::map<int, Ciudad*>> ciudades;
    Torre* torres[3] = {nullptr, nullptr, nullptr};
    float posiciones[3][3] = {};
    const std::string error =
        configuracionDesdeTexto("configuracion.xml", reinterpret_cast<const char*>(datos), tam,
                                ciudades, torres, posiciones);

    const bool completas = torres[0] != nullptr && torres[1] != nullptr && torres[2] != nullptr;
    if (error.empty() != completas || (!error.empty() && !ciudades.empty()) ||
        error.find('\n') != std::string::npos) {
        __builtin_trap();
    }
    for (auto& nivel : ciudades) {
        for (auto& c : nivel.second) {
            if (c.second == nullptr || c.second->getSalud() != c.second->getSaludTot()) {
                __builtin_trap();
            }
            delete c.second;
        }
    }
    for (Torre* t : torres) {
        delete t;
    }
    return 0;
}
