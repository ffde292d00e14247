// Reads "dificultad.xml": the Normal element's settings, over playable defaults.
#include "dificultad.h"

#include "archivo.h"
#include "entero.h"
#include "texto_xml.h"

#include <tinyxml.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace fenwar {

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
    campo = acotarEntero(v);
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

} // namespace

dificultad getDifficultad(const char* file) {
    dificultad d;
    // A folder, a pipe or a device is no difficulty file: reported like a missing one.
    const Archivo archivo = leerArchivo(file, Admite::solo_regulares);
    if (!archivo.leido() || !dificultadDesdeTexto(archivo.datos.get(), archivo.largo, d)) {
        std::fprintf(stderr, "Error al cargar el archivo xml %s", file);
    }
    return d;
}

bool dificultadDesdeTexto(const char* texto, std::size_t largo, dificultad& d) {
    TiXmlDocument doc;
    if (!parsearXml(doc, texto, largo, FormaXml::como_archivo) || doc.Error())
        return false;
    recorrer(doc, d);
    sanear(d);
    return true;
}

} // namespace fenwar
