// The one scanner of decimal numbers in text both games' readers use.
#include "decimal.h"

namespace {

bool esDigito(const char* p, const char* fin) {
    return p < fin && *p >= '0' && *p <= '9';
}

const char* saltarDigitos(const char* p, const char* fin) {
    while (esDigito(p, fin)) {
        ++p;
    }
    return p;
}

} // namespace

const char* finDecimal(const char* p, const char* fin) {
    const char* q = p;
    if (q < fin && (*q == '+' || *q == '-')) {
        ++q;
    }
    const char* entera = q;
    q = saltarDigitos(q, fin);
    bool hayDigitos = q > entera;
    if (q < fin && *q == '.') {
        const char* fraccion = ++q;
        q = saltarDigitos(q, fin);
        hayDigitos = hayDigitos || q > fraccion;
    }
    if (!hayDigitos) {
        return p;
    }
    if (q < fin && (*q == 'e' || *q == 'E')) {
        const char* e = q + 1;
        if (e < fin && (*e == '+' || *e == '-')) {
            ++e;
        }
        if (esDigito(e, fin)) {
            q = saltarDigitos(e, fin);
        }
    }
    return q;
}
