// XML text handed to TinyXML so that the parser can never read past the end of it.
#include "texto_xml.h"

#include "anidamiento.h"

#include <cstring>
#include <string_view>
#include <vector>

namespace {

// Writes the text as TinyXML's LoadFile would parse it: cut at the first zero byte, line ends as
// LF. It is never longer than the text.
void comoArchivo(const char* texto, std::size_t largo, char* destino) {
    std::size_t escritos = 0;
    for (std::size_t i = 0; i < largo && texto[i] != '\0'; ++i) {
        if (texto[i] == '\r') {
            destino[escritos++] = '\n';
            if (i + 1 < largo && texto[i + 1] == '\n') {
                ++i;
            }
        } else {
            destino[escritos++] = texto[i];
        }
    }
}

} // namespace

bool parsearXml(TiXmlDocument& doc, const char* texto, std::size_t largo, FormaXml forma) {
    // The parser walks nested elements on the stack: a file nested without end would overflow it.
    if (xmlDemasiadoAnidado(std::string_view(texto, largo))) {
        return false;
    }
    std::vector<char> copia(largo + CEROS_TRAS_XML, '\0');
    if (forma == FormaXml::como_archivo) {
        comoArchivo(texto, largo, copia.data());
    } else if (largo > 0) {
        std::memcpy(copia.data(), texto, largo);
    }
    doc.Parse(copia.data(), nullptr, TIXML_DEFAULT_ENCODING);
    return true;
}
