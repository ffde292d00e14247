// How deeply an XML text nests its elements, counted before a recursive parser sees it.
#include "anidamiento.h"

#include <algorithm>
#include <cctype>

namespace {

// The position just past `fin` searched from `desde`, or the end of the text.
std::size_t pasar(std::string_view texto, std::size_t desde, const char* fin) {
    const std::size_t p = texto.find(fin, desde);
    return p == std::string_view::npos ? texto.size() : p + std::char_traits<char>::length(fin);
}

// The position of the '>' closing the tag that starts at `desde`, quotes honoured.
std::size_t cierreDeEtiqueta(std::string_view texto, std::size_t desde) {
    char comilla = 0;
    for (std::size_t i = desde; i < texto.size(); ++i) {
        const char c = texto[i];
        if (comilla != 0) {
            comilla = c == comilla ? 0 : comilla;
        } else if (c == '"' || c == '\'') {
            comilla = c;
        } else if (c == '>') {
            return i;
        }
    }
    return texto.size();
}

bool comienzaNombre(std::string_view texto, std::size_t i) {
    if (i >= texto.size()) {
        return false;
    }
    const unsigned char c = static_cast<unsigned char>(texto[i]);
    return std::isalpha(c) != 0 || c == '_' || c >= 0x80;
}

} // namespace

int anidamientoXml(std::string_view texto) {
    int nivel = 0;
    int maximo = 0;
    std::size_t i = 0;
    while (i < texto.size()) {
        if (texto[i] != '<') {
            ++i;
            continue;
        }
        if (texto.compare(i, 4, "<!--") == 0) {
            i = pasar(texto, i + 4, "-->");
        } else if (texto.compare(i, 9, "<![CDATA[") == 0) {
            i = pasar(texto, i + 9, "]]>");
        } else if (texto.compare(i, 2, "<?") == 0) {
            i = cierreDeEtiqueta(texto, i + 2) + 1;
        } else if (texto.compare(i, 2, "</") == 0) {
            nivel = std::max(0, nivel - 1);
            i = pasar(texto, i + 2, ">");
        } else if (!comienzaNombre(texto, i + 1)) {
            // Anything else the parser keeps as an unknown node, up to the first '>'.
            i = pasar(texto, i + 1, ">");
        } else {
            const std::size_t cierre = cierreDeEtiqueta(texto, i + 1);
            const bool vacia = cierre < texto.size() && texto[cierre - 1] == '/';
            if (!vacia) {
                ++nivel;
                maximo = std::max(maximo, nivel);
            }
            i = cierre + 1;
        }
    }
    return std::max(maximo, nivel);
}

bool xmlDemasiadoAnidado(std::string_view texto) {
    return anidamientoXml(texto) > MAX_ANIDAMIENTO_XML;
}
