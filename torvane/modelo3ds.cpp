// Reader of 3DS mesh files: one flat walk over the chunks, printing the trace of what it meets.
#include "modelo3ds.h"

#include "archivo.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace torvane {

namespace {

// Chunk ids the reader acts on.
constexpr unsigned MAIN3DS = 0x4D4D;
constexpr unsigned EDIT3DS = 0x3D3D;
constexpr unsigned EDIT_OBJECT = 0x4000;
constexpr unsigned OBJ_TRIMESH = 0x4100;
constexpr unsigned TRI_VERTEXLIST = 0x4110;
constexpr unsigned TRI_FACELIST = 0x4120;
constexpr unsigned TRI_MAPPINGCOORS = 0x4140;

constexpr std::size_t CABECERA = 6;
constexpr std::size_t BYTES_VERTICE = 12;
constexpr std::size_t BYTES_CARA = 8;
constexpr std::size_t BYTES_MAPEO = 8;

// Little-endian reads over the file's bytes; the caller checks what is left first.
struct Lector {
    const unsigned char* datos;
    std::size_t tam;
    std::size_t pos;

    std::size_t quedan() const { return tam - pos; }
    unsigned u8() { return datos[pos++]; }
    unsigned u16() {
        const unsigned v = datos[pos] | (datos[pos + 1] << 8);
        pos += 2;
        return v;
    }
    std::uint32_t u32() {
        const std::uint32_t v = std::uint32_t(datos[pos]) | (std::uint32_t(datos[pos + 1]) << 8) |
                                (std::uint32_t(datos[pos + 2]) << 16) |
                                (std::uint32_t(datos[pos + 3]) << 24);
        pos += 4;
        return v;
    }
    float f32() {
        const std::uint32_t bits = u32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
};

// The trace lines, formatted exactly as printf's "%d", "%x" and "%f" would, without printf's cost.
// Lines gather in a block that goes, when full and at the end, to a text or to a stream.
class Traza {
  public:
    explicit Traza(std::string& salida) : texto(&salida) {}
    explicit Traza(std::FILE* salida) : flujo(salida) {}
    ~Traza() { vaciar(); }
    Traza(const Traza&) = delete;
    Traza& operator=(const Traza&) = delete;

    template <std::size_t N> void entero(const char (&etiqueta)[N], long v) {
        poner(etiqueta);
        if (v < 0) {
            bloque[usados++] = '-';
        }
        decimal(v < 0 ? 0UL - static_cast<unsigned long>(v) : static_cast<unsigned long>(v));
        bloque[usados++] = '\n';
    }

    template <std::size_t N> void hexa(const char (&etiqueta)[N], std::uint32_t v) {
        poner(etiqueta);
        char dig[8];
        int n = 0;
        do {
            dig[n++] = "0123456789abcdef"[v & 0xF];
            v >>= 4;
        } while (v != 0);
        while (n > 0) {
            bloque[usados++] = dig[--n];
        }
        bloque[usados++] = '\n';
    }

    template <std::size_t N> void flotante(const char (&etiqueta)[N], float f) {
        poner(etiqueta);
        if (!flotanteRapido(f)) {
            // printf itself for the rare values beyond the integer path: at most 47 characters.
            usados += static_cast<std::size_t>(
                std::snprintf(bloque + usados, 64, "%f", static_cast<double>(f)));
        }
        bloque[usados++] = '\n';
    }

  private:
    // Room for the longest line, label included.
    static constexpr std::size_t LINEA_MAX = 128;

    template <std::size_t N> void poner(const char (&etiqueta)[N]) {
        static_assert(N < 40, "labels are short");
        if (usados > sizeof bloque - LINEA_MAX) {
            vaciar();
        }
        std::memcpy(bloque + usados, etiqueta, N - 1);
        usados += N - 1;
    }

    void vaciar() {
        if (texto != nullptr) {
            texto->append(bloque, usados);
        } else {
            std::fwrite(bloque, 1, usados, flujo);
        }
        usados = 0;
    }

    void decimal(unsigned long v) {
        char dig[24];
        int n = 0;
        do {
            dig[n++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0);
        while (n > 0) {
            bloque[usados++] = dig[--n];
        }
    }

    // "%f" of a float below 2^44: its exact value times 10^6, rounded half to even, in integers.
    // Returns false for values it leaves to snprintf (infinities, NaN, huge magnitudes).
    bool flotanteRapido(float f) {
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        const unsigned exponente = (bits >> 23) & 0xFF;
        const std::uint64_t fraccion = bits & 0x7FFFFF;
        if (exponente == 0xFF || exponente > 150 + 20) {
            return false;
        }
        const std::uint64_t mantisa = exponente == 0 ? fraccion : (fraccion | 0x800000);
        const int potencia = exponente == 0 ? -149 : static_cast<int>(exponente) - 150;
        // mantisa * 10^6 < 2^44, so a left shift of up to 20 still fits in 64 bits.
        const std::uint64_t escalado = mantisa * 1000000ULL;
        std::uint64_t millonesimas = 0;
        if (potencia >= 0) {
            millonesimas = escalado << potencia;
        } else if (-potencia < 46) {
            const int corrimiento = -potencia;
            millonesimas = escalado >> corrimiento;
            const std::uint64_t resto = escalado & ((std::uint64_t(1) << corrimiento) - 1);
            const std::uint64_t mitad = std::uint64_t(1) << (corrimiento - 1);
            if (resto > mitad || (resto == mitad && (millonesimas & 1) != 0)) {
                ++millonesimas;
            }
        }
        if (bits >> 31) {
            bloque[usados++] = '-';
        }
        decimal(static_cast<unsigned long>(millonesimas / 1000000));
        bloque[usados++] = '.';
        std::uint64_t parte = millonesimas % 1000000;
        for (int i = 5; i >= 0; --i) {
            bloque[usados + static_cast<std::size_t>(i)] = static_cast<char>('0' + parte % 10);
            parte /= 10;
        }
        usados += 6;
        return true;
    }

    std::string* texto = nullptr;
    std::FILE* flujo = nullptr;
    char bloque[1 << 16];
    std::size_t usados = 0;
};

// The unit normal of the triangle A, B, C (counter-clockwise seen from its tip), or zero when the
// corners are not vertices of the mesh yet or the triangle has no area.
vertex_type normalCara(const obj_type& o, const polygon_type& cara) {
    vertex_type n = {0.0f, 0.0f, 0.0f};
    if (!caraValida(o, cara)) {
        return n;
    }
    const vertex_type& a = o.vertex[cara.a];
    const vertex_type& b = o.vertex[cara.b];
    const vertex_type& c = o.vertex[cara.c];
    const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    const float vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    const float nx = uy * vz - uz * vy;
    const float ny = uz * vx - ux * vz;
    const float nz = ux * vy - uy * vx;
    const double cuadrados = double(nx) * nx + double(ny) * ny + double(nz) * nz;
    const float largo = static_cast<float>(std::sqrt(cuadrados));
    if (!(largo > 0.0f) || !std::isfinite(largo)) {
        return n;
    }
    n.x = nx / largo;
    n.y = ny / largo;
    n.z = nz / largo;
    return n;
}

// Object name: bytes up to and including a zero byte; the first 19 are kept. False when the file
// ends inside the name.
bool leerNombre(Lector& l, obj_type& o) {
    int guardados = 0;
    while (l.quedan() > 0) {
        const char c = static_cast<char>(l.u8());
        if (c == '\0') {
            o.name[guardados] = '\0';
            return true;
        }
        if (guardados < MAX_NOMBRE - 1) {
            o.name[guardados++] = c;
        }
    }
    o.name[guardados] = '\0';
    return false;
}

// Moves past the entries of a list beyond the capacity. False when the file ends first.
bool saltarResto(Lector& l, unsigned cuenta, int guardadas, std::size_t bytes) {
    const std::size_t resto = (cuenta - static_cast<std::size_t>(guardadas)) * bytes;
    if (resto > l.quedan()) {
        return false;
    }
    l.pos += resto;
    return true;
}

// Each list below returns false when it is cut short by the end of the file (the walk ends then).

bool leerVertices(Lector& l, obj_type& o, Traza& t) {
    if (l.quedan() < 2) {
        return false;
    }
    const unsigned cuenta = l.u16();
    const int qty = std::min<int>(static_cast<int>(cuenta), MAX_VERTICES);
    o.vertices_qty = qty;
    t.entero("Number of vertices: ", qty);
    const int completos = static_cast<int>(std::min<std::size_t>(qty, l.quedan() / BYTES_VERTICE));
    for (int k = 0; k < completos; ++k) {
        vertex_type& v = o.vertex[k];
        v.x = l.f32();
        t.flotante("Vertices list x: ", v.x);
        v.y = l.f32();
        t.flotante("Vertices list y: ", v.y);
        v.z = l.f32();
        t.flotante("Vertices list z: ", v.z);
    }
    if (completos < qty) {
        o.vertices_qty = completos;
        return false;
    }
    return saltarResto(l, cuenta, qty, BYTES_VERTICE);
}

bool leerCaras(Lector& l, obj_type& o, Traza& t) {
    if (l.quedan() < 2) {
        return false;
    }
    const unsigned cuenta = l.u16();
    const int qty = std::min<int>(static_cast<int>(cuenta), MAX_POLYGONS);
    o.polygons_qty = qty;
    t.entero("Number of polygons: ", qty);
    const int completas = static_cast<int>(std::min<std::size_t>(qty, l.quedan() / BYTES_CARA));
    for (int k = 0; k < completas; ++k) {
        polygon_type& p = o.polygon[k];
        p.a = static_cast<int>(l.u16());
        t.entero("Polygon point a: ", p.a);
        p.b = static_cast<int>(l.u16());
        t.entero("Polygon point b: ", p.b);
        p.c = static_cast<int>(l.u16());
        t.entero("Polygon point c: ", p.c);
        t.hexa("Face flags: ", l.u16());
        p.normal = normalCara(o, p);
    }
    if (completas < qty) {
        o.polygons_qty = completas;
        return false;
    }
    return saltarResto(l, cuenta, qty, BYTES_CARA);
}

bool leerMapeo(Lector& l, obj_type& o, Traza& t) {
    if (l.quedan() < 2) {
        return false;
    }
    const unsigned cuenta = l.u16();
    const int qty = std::min<int>(static_cast<int>(cuenta), MAX_VERTICES);
    const int completos = static_cast<int>(std::min<std::size_t>(qty, l.quedan() / BYTES_MAPEO));
    for (int k = 0; k < completos; ++k) {
        mapcoord_type& m = o.mapcoord[k];
        m.u = l.f32();
        t.flotante("Mapping list u: ", m.u);
        m.v = l.f32();
        t.flotante("Mapping list v: ", m.v);
    }
    if (completos < qty) {
        return false;
    }
    return saltarResto(l, cuenta, qty, BYTES_MAPEO);
}

} // namespace

bool caraValida(const obj_type& objeto, const polygon_type& cara) {
    const int n = std::min(objeto.vertices_qty, MAX_VERTICES);
    return cara.a >= 0 && cara.a < n && cara.b >= 0 && cara.b < n && cara.c >= 0 && cara.c < n;
}

namespace {

void recorrer(obj_type& objeto, const unsigned char* datos, std::size_t tam, Traza& t) {
    Lector l = {datos, tam, 0};
    // Container chunks are entered by reading on after their header, and lists are read by their
    // own counts: neither needs the chunk's length, so a file cut short keeps every complete entry
    // before the cut. Only a chunk that is jumped over needs its length to be sound.
    while (l.quedan() >= CABECERA) {
        const unsigned id = l.u16();
        t.hexa("ChunkID: ", id);
        const std::uint32_t largo = l.u32();
        t.hexa("ChunkLenght: ", largo);
        bool sigue = true;
        switch (id) {
        case MAIN3DS:
        case EDIT3DS:
        case OBJ_TRIMESH:
            break;
        case EDIT_OBJECT:
            sigue = leerNombre(l, objeto);
            break;
        case TRI_VERTEXLIST:
            sigue = leerVertices(l, objeto, t);
            break;
        case TRI_FACELIST:
            sigue = leerCaras(l, objeto, t);
            break;
        case TRI_MAPPINGCOORS:
            sigue = leerMapeo(l, objeto, t);
            break;
        default:
            // A length below the header's would walk back; one past the end leaves nothing after.
            if (largo < CABECERA || largo - CABECERA > l.quedan()) {
                return;
            }
            l.pos += largo - CABECERA;
            break;
        }
        if (!sigue) {
            return;
        }
    }
}

} // namespace

void leer3DS(obj_type& objeto, const unsigned char* datos, std::size_t tam, std::string& traza) {
    Traza t(traza);
    recorrer(objeto, datos, tam, t);
}

int filelength(int f) {
    struct stat estado;
    if (fstat(f, &estado) != 0 || estado.st_size < 0) {
        return 0;
    }
    return static_cast<int>(std::min<off_t>(estado.st_size, INT32_MAX));
}

char Load3DS(obj_type_ptr p_object, const char* p_filename) {
    const int fd = open(p_filename, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    // The walk ends at the size the file had when it was opened, or where it ends if it shrank.
    const std::size_t tam = static_cast<std::size_t>(filelength(fd));
    const Archivo archivo = leerDescriptor(fd);
    close(fd);
    if (!archivo.leido()) {
        return 0;
    }
    Traza t(stdout);
    recorrer(*p_object, reinterpret_cast<const unsigned char*>(archivo.datos.get()),
             std::min(tam, archivo.largo), t);
    return 1;
}

} // namespace torvane
