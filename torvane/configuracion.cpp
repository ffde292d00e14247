// Reader of the level file: cities per level, their health, the towers and their ammunition.
#include "configuracion.h"

#include <cctype>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <tinyxml.h>

#include "anidamiento.h"
#include "archivo.h"
#include "decimal.h"
#include "camara.h"
#include "ciudad.h"
#include "texto_xml.h"
#include "torre.h"

namespace torvane {

namespace {

constexpr int TORRES = 3;
// The far plane of the view: a city or tower farther than this from the origin is out of every
// tower's sight, and a missile aimed at such a city flies for minutes, or for ever.
constexpr double ALCANCE = 200.0;

struct DatosCiudad {
    int lvl;
    int id;
    float x, y, z;
};

struct DatosTorre {
    bool definida = false;
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

// Everything the file holds, checked before any object is created.
struct Datos {
    int salud = 0;
    int municion = 0;
    std::vector<DatosCiudad> ciudades;
    DatosTorre torres[TORRES];
};

// Reads one attribute as a number; false (with the reason) when the element lacks it.
bool atributo(const TiXmlElement* e, const char* nombre, double& valor, std::string& motivo) {
    const char* texto = e->Attribute(nombre);
    if (texto == nullptr) {
        motivo = std::string("al elemento ") + e->Value() + " (línea " + std::to_string(e->Row()) +
                 ") le falta el atributo " + nombre;
        return false;
    }
    valor = numeroAtof(texto);
    // Every number ends up in a float or an int: one beyond a float's range would turn into an
    // infinity, and a city or tower there could never be reached.
    if (!(std::fabs(valor) <= FLT_MAX)) {
        motivo = std::string("el atributo ") + nombre + " del elemento " + e->Value() + " (línea " +
                 std::to_string(e->Row()) + ") es un número demasiado grande";
        return false;
    }
    return true;
}

int truncar(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    if (v >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (v <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(v);
}

// Reads the element `hijo` of `padre` for its attribute `nombre` as an int.
bool leerUnico(const TiXmlElement* padre, const char* hijo, const char* nombre, int& valor,
               std::string& motivo) {
    const TiXmlElement* e = padre->FirstChildElement(hijo);
    if (e == nullptr) {
        motivo = std::string("falta el elemento ") + hijo + " dentro de " + padre->Value();
        return false;
    }
    double v;
    if (!atributo(e, nombre, v, motivo)) {
        return false;
    }
    valor = truncar(v);
    return true;
}

bool leerPosicion(const TiXmlElement* e, float& x, float& y, float& z, std::string& motivo) {
    double vx, vy, vz;
    if (!atributo(e, "x", vx, motivo) || !atributo(e, "y", vy, motivo) ||
        !atributo(e, "z", vz, motivo)) {
        return false;
    }
    x = static_cast<float>(vx);
    y = static_cast<float>(vy);
    z = static_cast<float>(vz);
    // Measured on the floats the game keeps; squares of floats do not overflow a double.
    const double cx = x, cy = y, cz = z;
    if (cx * cx + cy * cy + cz * cz > ALCANCE * ALCANCE) {
        motivo = std::string("la posición del elemento ") + e->Value() + " (línea " +
                 std::to_string(e->Row()) + ") está a más de " +
                 std::to_string(static_cast<int>(ALCANCE)) + " unidades del origen";
        return false;
    }
    return true;
}

bool leerNiveles(const TiXmlElement* niveles, Datos& d, std::string& motivo) {
    if (!leerUnico(niveles, "salud", "valor", d.salud, motivo)) {
        return false;
    }
    for (const TiXmlElement* e = niveles->FirstChildElement("ciudad"); e != nullptr;
         e = e->NextSiblingElement("ciudad")) {
        DatosCiudad c;
        double lvl, id;
        if (!atributo(e, "lvl", lvl, motivo) || !atributo(e, "id", id, motivo) ||
            !leerPosicion(e, c.x, c.y, c.z, motivo)) {
            return false;
        }
        c.lvl = truncar(lvl);
        c.id = truncar(id);
        d.ciudades.push_back(c);
    }
    return true;
}

bool leerTorres(const TiXmlElement* torres, Datos& d, std::string& motivo) {
    if (!leerUnico(torres, "municion", "cant", d.municion, motivo)) {
        return false;
    }
    for (const TiXmlElement* e = torres->FirstChildElement("torre"); e != nullptr;
         e = e->NextSiblingElement("torre")) {
        double valor;
        if (!atributo(e, "id", valor, motivo)) {
            return false;
        }
        const int id = truncar(valor);
        if (id < 0 || id >= TORRES) {
            motivo = "la torre de la línea " + std::to_string(e->Row()) + " tiene el id " +
                     std::to_string(id) + ", fuera de 0 a 2";
            return false;
        }
        DatosTorre& t = d.torres[id];
        if (!leerPosicion(e, t.x, t.y, t.z, motivo)) {
            return false;
        }
        t.definida = true;
    }
    for (int i = 0; i < TORRES; ++i) {
        if (!d.torres[i].definida) {
            motivo = "falta la torre de id " + std::to_string(i);
            return false;
        }
    }
    return true;
}

bool leerDatos(const char* texto, std::size_t largo, Datos& d, std::string& motivo) {
    TiXmlDocument doc;
    if (!parsearXml(doc, texto, largo, FormaXml::tal_cual)) {
        motivo = "no es XML válido: anida elementos a más de " +
                 std::to_string(MAX_ANIDAMIENTO_XML) + " niveles";
        return false;
    }
    if (doc.Error() && doc.ErrorId() != TiXmlBase::TIXML_ERROR_DOCUMENT_EMPTY) {
        std::string detalle = doc.ErrorDesc();
        if (!detalle.empty() && detalle.back() == '.') {
            detalle.pop_back();
        }
        // A fault met at the very end of the text comes with no line (the parser says line 0).
        motivo = doc.ErrorRow() > 0 ? "no es XML válido en la línea " +
                                          std::to_string(doc.ErrorRow()) + ": " + detalle
                                    : "no es XML válido: " + detalle;
        return false;
    }
    if (doc.FirstChildElement() == nullptr) {
        motivo = "no es XML válido: no contiene ningún elemento";
        return false;
    }
    const TiXmlElement* niveles = doc.FirstChildElement("niveles");
    if (niveles == nullptr) {
        motivo = "falta el elemento niveles";
        return false;
    }
    const TiXmlElement* torres = doc.FirstChildElement("torres");
    if (torres == nullptr) {
        motivo = "falta el elemento torres";
        return false;
    }
    return leerNiveles(niveles, d, motivo) && leerTorres(torres, d, motivo);
}

} // namespace

double numeroAtof(const char* texto) {
    const char* p = texto;
    while (std::isspace(static_cast<unsigned char>(*p))) {
        ++p;
    }
    const char* fin = finDecimal(p, p + std::strlen(p));
    if (fin == p) {
        return 0.0;
    }
    // Only the decimal prefix reaches strtod, which would also take "nan", "inf" and "0x1p3".
    return std::strtod(std::string(p, fin).c_str(), nullptr);
}

int enteroAtof(const char* texto) {
    return truncar(numeroAtof(texto));
}

std::string cargarConfiguracion(const char* nombre, std::map<int, std::map<int, Ciudad*>>& ciudades,
                                Torre* torres[3], float torres_posiciones[3][3]) {
    const Archivo archivo = leerArchivo(nombre);
    std::string motivo;
    switch (archivo.estado) {
    case Archivo::Estado::leido:
        return configuracionDesdeTexto(nombre, archivo.datos.get(), archivo.largo, ciudades, torres,
                                       torres_posiciones);
    case Archivo::Estado::no_se_abre:
        motivo = std::string("no se pudo abrir (") + std::strerror(archivo.error) + ")";
        break;
    case Archivo::Estado::no_se_lee:
        motivo = "no se pudo leer";
        break;
    case Archivo::Estado::demasiado_grande:
        motivo = "es demasiado grande (más de " + std::to_string(MAX_ARCHIVO >> 20) + " MB)";
        break;
    }
    return std::string("Error en el archivo de configuración ") + nombre + ": " + motivo;
}

std::string configuracionDesdeTexto(const char* nombre, const char* texto, std::size_t largo,
                                    std::map<int, std::map<int, Ciudad*>>& ciudades,
                                    Torre* torres[3], float torres_posiciones[3][3]) {
    Datos d;
    std::string motivo;
    if (!leerDatos(texto, largo, d, motivo)) {
        return std::string("Error en el archivo de configuración ") + nombre + ": " + motivo;
    }
    // The file is sound: now create the objects. A repeated level and id keeps the later city.
    for (const DatosCiudad& c : d.ciudades) {
        Ciudad*& lugar = ciudades[c.lvl][c.id];
        delete lugar;
        lugar = new Ciudad(c.x, c.y, c.z, d.salud);
    }
    for (int i = 0; i < TORRES; ++i) {
        torres_posiciones[i][0] = d.torres[i].x;
        torres_posiciones[i][1] = d.torres[i].y;
        torres_posiciones[i][2] = d.torres[i].z;
        torres[i] = new Torre(new CCamera(), d.municion);
    }
    return std::string();
}

} // namespace torvane
