// Fuzz target: any level file either loads whole (three towers, cities by level) or is refused.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <unistd.h>

#include "ciudad.h"
#include "configuracion.h"
#include "torre.h"

namespace {

// One scratch file per fuzzing process, removed when it ends.
const std::string& scratchFile() {
    static const std::string ruta = [] {
        std::string r = "/tmp/fuzz_configuracion_XXXXXX";
        const int fd = mkstemp(r.data());
        if (fd < 0) {
            std::abort();
        }
        close(fd);
        std::atexit([] { std::remove(scratchFile().c_str()); });
        return r;
    }();
    return ruta;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
    const std::string& ruta = scratchFile();
    std::FILE* f = std::fopen(ruta.c_str(), "wb");
    if (f == nullptr) {
        std::abort();
    }
    std::fwrite(datos, 1, tam, f);
    std::fclose(f);

    std::map<int, std::map<int, Ciudad*>> ciudades;
    Torre* torres[3] = {nullptr, nullptr, nullptr};
    float posiciones[3][3] = {};
    const std::string error = cargarConfiguracion(ruta.c_str(), ciudades, torres, posiciones);

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
