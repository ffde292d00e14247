// Test helper: builds small 3DS files byte by byte, chunk by chunk.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace prueba3ds {

using Bytes = std::vector<unsigned char>;

inline void u16(Bytes& b, unsigned v) {
    b.push_back(static_cast<unsigned char>(v & 0xFF));
    b.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

inline void u32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b.push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xFF));
    }
}

inline void f32(Bytes& b, float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    u32(b, bits);
}

inline Bytes concat(std::initializer_list<Bytes> partes) {
    Bytes b;
    for (const Bytes& p : partes) {
        b.insert(b.end(), p.begin(), p.end());
    }
    return b;
}

// A chunk whose length counts its header, its data and its sub-chunks.
inline Bytes chunk(unsigned id, const Bytes& contenido) {
    Bytes b;
    u16(b, id);
    u32(b, static_cast<std::uint32_t>(contenido.size() + 6));
    b.insert(b.end(), contenido.begin(), contenido.end());
    return b;
}

// A chunk header with a length of our choosing, whatever follows it.
inline Bytes cabecera(unsigned id, std::uint32_t largo) {
    Bytes b;
    u16(b, id);
    u32(b, largo);
    return b;
}

struct V {
    float x, y, z;
};
struct Cara {
    unsigned a, b, c;
};
struct UV {
    float u, v;
};

inline Bytes vertices(const std::vector<V>& vs) {
    Bytes d;
    u16(d, static_cast<unsigned>(vs.size()));
    for (const V& v : vs) {
        f32(d, v.x);
        f32(d, v.y);
        f32(d, v.z);
    }
    return chunk(0x4110, d);
}

inline Bytes caras(const std::vector<Cara>& cs, const Bytes& subchunks = {}) {
    Bytes d;
    u16(d, static_cast<unsigned>(cs.size()));
    for (const Cara& c : cs) {
        u16(d, c.a);
        u16(d, c.b);
        u16(d, c.c);
        u16(d, 0x7);
    }
    d.insert(d.end(), subchunks.begin(), subchunks.end());
    return chunk(0x4120, d);
}

inline Bytes mapeo(const std::vector<UV>& uvs) {
    Bytes d;
    u16(d, static_cast<unsigned>(uvs.size()));
    for (const UV& m : uvs) {
        f32(d, m.u);
        f32(d, m.v);
    }
    return chunk(0x4140, d);
}

inline Bytes malla(const Bytes& listas) {
    return chunk(0x4100, listas);
}

inline Bytes objeto(const std::string& nombre, const Bytes& contenido) {
    Bytes d(nombre.begin(), nombre.end());
    d.push_back(0);
    d.insert(d.end(), contenido.begin(), contenido.end());
    return chunk(0x4000, d);
}

// A whole file: main chunk around the editor chunk around the objects.
inline Bytes archivo(const Bytes& objetos) {
    return chunk(0x4D4D, chunk(0x3D3D, objetos));
}

} // namespace prueba3ds
