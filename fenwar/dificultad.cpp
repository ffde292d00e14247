// Reads "dificultad.xml": the Normal element's settings, over playable defaults.
#include "dificultad.h"

#include "anidamiento.h"

#include <tinyxml.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {

// An integer attribute read like "%d": blanks skipped, longest leading number taken, the rest
// ignored; a text that does not begin with a number leaves the field alone. Values beyond the
// int range are clamped.
void leerEntero(const TiXmlElement* e, const char* nombre, int& campo) {
    const char* texto = e->Attribute(nombre);
    if (!texto)
        return;
    char* fin = nullptr;
    long v = std::strtol(texto, &fin, 10);
    if (fin == texto)
        return;
    if (v > INT_MAX)
        v = INT_MAX;
    if (v < INT_MIN)
        v = INT_MIN;
    campo = static_cast<int>(v);
}

// A decimal attribute read like "%lf" and stored as float.
void leerDecimal(const TiXmlElement* e, const char* nombre, float& campo) {
    const char* texto = e->Attribute(nombre);
    if (!texto)
        return;
    char* fin = nullptr;
    double v = std::strtod(texto, &fin);
    if (fin == texto)
        return;
    campo = static_cast<float>(v);
}

// The walk: root, its first "Normal" child, that element's first child node (which must be an
// element), then it and its following sibling elements.
void recorrer(TiXmlDocument& doc, dificultad& d) {
    TiXmlHandle raiz = TiXmlHandle(&doc).FirstChildElement();
    TiXmlNode* primero = raiz.FirstChild("Normal").FirstChild().ToNode();
    if (!primero || !primero->ToElement())
        return;
    for (const TiXmlElement* e = primero->ToElement(); e; e = e->NextSiblingElement()) {
        leerDecimal(e, "rad_city", d.RAD_CITY);
        leerDecimal(e, "separacion_city", d.SEPARACION_CITYS);
        leerEntero(e, "dificultad", d.DIFICULTAD);
        leerEntero(e, "puntos_avion", d.PUNTOS_AVION);
        leerEntero(e, "puntos_misil", d.PUNTOS_MISIL);
        leerEntero(e, "cant_hit_avion", d.CANT_HIT_AVION);
        leerEntero(e, "por_hit", d.POR_HIT);
    }
}

// Values no game can use fall back to the defaults: the level divides the spawn intervals, and
// an infinite or undefined size would put the cities nowhere.
void sanear(dificultad& d) {
    if (d.DIFICULTAD <= 0)
        d.DIFICULTAD = DEFECTO_DIFICULTAD;
    if (!std::isfinite(d.RAD_CITY))
        d.RAD_CITY = DEFECTO_RAD_CITY;
    if (!std::isfinite(d.SEPARACION_CITYS))
        d.SEPARACION_CITYS = DEFECTO_SEPARACION_CITYS;
}

// True when the open file nests its elements deeper than the parser can safely walk.
bool demasiadoAnidado(FILE* f) {
    std::string texto;
    char bloque[65536];
    std::size_t leidos;
    while ((leidos = std::fread(bloque, 1, sizeof bloque, f)) > 0)
        texto.append(bloque, leidos);
    std::rewind(f);
    return xmlDemasiadoAnidado(texto);
}

// Loads a regular file; a directory or other special file counts as not loadable, and so does a
// file nested too deeply to parse.
bool cargar(const char* file, TiXmlDocument& doc) {
    FILE* f = std::fopen(file, "rb");
    if (!f)
        return false;
    struct stat info;
    bool ok = fstat(fileno(f), &info) == 0 && S_ISREG(info.st_mode) && !demasiadoAnidado(f) &&
              doc.LoadFile(f, TIXML_DEFAULT_ENCODING);
    std::fclose(f);
    return ok;
}

} // namespace

dificultad getDifficultad(const char* file) {
    dificultad d;
    TiXmlDocument doc;
    if (!cargar(file, doc)) {
        std::fprintf(stderr, "Error al cargar el archivo xml %s", file);
        return d;
    }
    recorrer(doc, d);
    sanear(d);
    return d;
}

bool dificultadDesdeTexto(const char* texto, std::size_t largo, dificultad& d) {
    TiXmlDocument doc;
    std::string copia(texto, largo);
    if (xmlDemasiadoAnidado(copia))
        return false;
    doc.Parse(copia.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    if (doc.Error())
        return false;
    recorrer(doc, d);
    sanear(d);
    return true;
}
