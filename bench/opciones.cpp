// The command line of the frame benchmarks: --cuadros N, --fase NAME, --directo, --foto FILE.
#include "opciones.h"

#include <cstdlib>
#include <cstring>

OpcionesCuadros leerOpciones(int argc, char** argv) {
    OpcionesCuadros o;
    for (int i = 1; i < argc && o.valida; ++i) {
        const bool hayValor = i + 1 < argc;
        if (std::strcmp(argv[i], "--cuadros") == 0 && hayValor) {
            char* fin = nullptr;
            const long n = std::strtol(argv[++i], &fin, 10);
            o.valida = *fin == '\0' && n >= 1 && n <= 1000000;
            o.cuadros = static_cast<int>(o.valida ? n : 0);
        } else if (std::strcmp(argv[i], "--fase") == 0 && hayValor) {
            o.valida = leerFase(argv[++i], o.fase);
        } else if (std::strcmp(argv[i], "--directo") == 0) {
            o.directo = true;
        } else if (std::strcmp(argv[i], "--foto") == 0 && hayValor) {
            o.foto = argv[++i];
        } else {
            o.valida = false;
        }
    }
    return o;
}
