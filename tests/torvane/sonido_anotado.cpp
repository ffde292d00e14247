// Test helper: the sound room's calls that Torvane's frame code makes, written down, not played.
#include "sonido_anotado.h"

namespace anotado {
std::vector<Tocado> tocados;
bool pausado = false;
} // namespace anotado

Manija tocarEfecto(Efecto efecto, Ganancias ganancias, Clase clase) {
    anotado::tocados.push_back({efecto, ganancias, clase});
    return Manija{};
}

void pausarSonido(bool pausado) {
    anotado::pausado = pausado;
}
