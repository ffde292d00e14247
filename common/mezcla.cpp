// The sound room's rules, with no SDL: voices mixed into 16-bit stereo, and where a sound is heard.
#include "mezcla.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr std::int32_t GANANCIA_ENTERA = 32768;
// Frames summed at a time: the wide sum lives on the stack.
constexpr std::size_t TROZO = 256;

std::int32_t ganancia(float g) {
    if (!(g > 0.0f))
        return 0;
    if (g >= 1.0f)
        return GANANCIA_ENTERA;
    return static_cast<std::int32_t>(std::lround(g * GANANCIA_ENTERA));
}

std::int16_t recortar(std::int32_t v) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(v, -32768, 32767));
}

} // namespace

Manija Mezclador::tocar(const Sonido& sonido, Ganancias ganancias, Clase clase, bool bucle) {
    if (sonido.muestras == nullptr || sonido.cuadros == 0 || !encendido_ ||
        (pausado_ && clase == Clase::JUEGO))
        return Manija{};
    int i = vozParaNuevo();
    if (++turnos_ == 0)
        turnos_ = 1; // turn 0 is the default handle's
    Voz& v = voces_[i];
    v.muestras = sonido.muestras;
    v.cuadros = sonido.cuadros;
    v.posicion = 0;
    v.izquierda = ganancia(ganancias.izquierda);
    v.derecha = ganancia(ganancias.derecha);
    v.clase = clase;
    v.bucle = bucle;
    v.activa = true;
    v.turno = turnos_;
    return Manija{i, turnos_};
}

int Mezclador::vozParaNuevo() const {
    int elegida = 0;
    for (int i = 0; i < VOCES; ++i) {
        const Voz& v = voces_[i];
        if (!v.activa)
            return i;
        const Voz& e = voces_[elegida];
        std::int32_t fuerza = std::max(v.izquierda, v.derecha);
        std::int32_t fuerzaElegida = std::max(e.izquierda, e.derecha);
        // Ages count back from the last turn, so the order holds when the counter wraps.
        bool mayor = turnos_ - v.turno > turnos_ - e.turno;
        if (fuerza < fuerzaElegida || (fuerza == fuerzaElegida && mayor))
            elegida = i;
    }
    return elegida;
}

int Mezclador::viva(Manija manija) const {
    if (manija.voz < 0 || manija.voz >= VOCES)
        return -1;
    const Voz& v = voces_[manija.voz];
    return v.activa && v.turno == manija.turno ? manija.voz : -1;
}

bool Mezclador::mover(Manija manija, Ganancias ganancias) {
    int i = viva(manija);
    if (i < 0)
        return false;
    voces_[i].izquierda = ganancia(ganancias.izquierda);
    voces_[i].derecha = ganancia(ganancias.derecha);
    return true;
}

void Mezclador::parar(Manija manija) {
    int i = viva(manija);
    if (i >= 0)
        voces_[i].activa = false;
}

bool Mezclador::sonando(Manija manija) const {
    return viva(manija) >= 0;
}

void Mezclador::pausar(bool pausado) {
    pausado_ = pausado;
    if (pausado)
        for (Voz& v : voces_)
            if (v.clase == Clase::JUEGO)
                v.activa = false;
}

void Mezclador::encender(bool encendido) {
    encendido_ = encendido;
    if (!encendido)
        vaciar();
}

void Mezclador::vaciar() {
    for (Voz& v : voces_)
        v.activa = false;
}

void Mezclador::sumar(Voz& voz, std::int32_t* suma, std::size_t cuadros) {
    std::size_t hecho = 0;
    while (hecho < cuadros && voz.activa) {
        std::size_t n = std::min(voz.cuadros - voz.posicion, cuadros - hecho);
        const std::int16_t* s = voz.muestras + 2 * voz.posicion;
        std::int32_t* d = suma + 2 * hecho;
        const std::int32_t gi = voz.izquierda;
        const std::int32_t gd = voz.derecha;
        for (std::size_t k = 0; k < n; ++k) {
            d[2 * k] += (s[2 * k] * gi) >> 15;
            d[2 * k + 1] += (s[2 * k + 1] * gd) >> 15;
        }
        voz.posicion += n;
        hecho += n;
        if (voz.posicion >= voz.cuadros) {
            voz.posicion = 0;
            voz.activa = voz.bucle;
        }
    }
}

void Mezclador::mezclar(std::int16_t* salida, std::size_t cuadros) {
    std::int32_t suma[2 * TROZO];
    while (cuadros > 0) {
        std::size_t n = std::min(cuadros, TROZO);
        std::memset(suma, 0, sizeof(std::int32_t) * 2 * n);
        for (Voz& v : voces_)
            if (v.activa)
                sumar(v, suma, n);
        for (std::size_t k = 0; k < 2 * n; ++k)
            salida[k] = recortar(suma[k]);
        salida += 2 * n;
        cuadros -= n;
        mezclados_ += n;
    }
}

namespace {

constexpr double CUARTO_DE_VUELTA = 1.5707963267948966;

struct Vector {
    double x, y, z;
};

Vector vector(Punto3 p) {
    return Vector{p.x, p.y, p.z};
}

Vector restar(Vector a, Vector b) {
    return Vector{a.x - b.x, a.y - b.y, a.z - b.z};
}

Vector cruz(Vector a, Vector b) {
    return Vector{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double punto(Vector a, Vector b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

} // namespace

Ganancias colocarSonido(Punto3 ojo, Punto3 vista, Punto3 arriba, Punto3 evento, Alcance alcance) {
    const Vector hacia = restar(vector(evento), vector(ojo));
    const double distancia = std::sqrt(punto(hacia, hacia));

    double suelo = std::isfinite(alcance.suelo) ? std::clamp<double>(alcance.suelo, 0.0, 1.0) : 0.0;
    double volumen = distancia <= alcance.cerca ? 1.0 : alcance.cerca / distancia;
    if (!(volumen >= suelo)) // below the floor, or no number at all
        volumen = suelo;
    volumen = std::min(volumen, 1.0);

    // The sine of the angle off the plane of the view and its up: 0 ahead, above and behind.
    double seno = 0.0;
    const Vector derecha = cruz(vector(vista), vector(arriba));
    const double largo = std::sqrt(punto(derecha, derecha)) * distancia;
    if (std::isfinite(largo) && largo > 1e-12) {
        seno = punto(hacia, derecha) / largo;
        seno = std::isfinite(seno) ? std::clamp(seno, -1.0, 1.0) : 0.0;
    }
    const double angulo = (seno + 1.0) * CUARTO_DE_VUELTA / 2.0;
    return Ganancias{static_cast<float>(std::cos(angulo) * volumen),
                     static_cast<float>(std::sin(angulo) * volumen)};
}
