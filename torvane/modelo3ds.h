// Torvane's meshes: the in-memory record of a 3DS model and its reader.
#pragma once

#include <cstddef>
#include <string>

namespace torvane {

// Capacity of every list of a mesh; longer lists in a file are cut here.
constexpr int MAX_VERTICES = 8000;
constexpr int MAX_POLYGONS = 8000;
// Stored bytes of an object name, the terminating zero included.
constexpr int MAX_NOMBRE = 20;

struct vertex_type {
    float x, y, z;
};

struct mapcoord_type {
    float u, v;
};

// One triangle: three indices into `vertex` (and `mapcoord`) and its unit normal.
struct polygon_type {
    int a, b, c;
    vertex_type normal;
};

// One mesh. A record declared without initialiser is all zeros, so it draws nothing until loaded.
struct obj_type {
    char name[MAX_NOMBRE] = {};
    int vertices_qty = 0;
    int polygons_qty = 0;
    vertex_type vertex[MAX_VERTICES] = {};
    polygon_type polygon[MAX_POLYGONS] = {};
    mapcoord_type mapcoord[MAX_VERTICES] = {};
    // Texture bound when drawing; set by the owner after loading, never by the reader.
    int id_texture = 0;
};

typedef obj_type* obj_type_ptr;

// Reads a 3DS file into `p_object`, printing the chunk trace on standard output. Returns 1 once
// the file was opened and walked, 0 when it cannot be opened or read, or holds more than
// MAX_ARCHIVO bytes (nothing printed, record untouched). Container chunks and lists do not depend
// on their chunk length, so a file cut short keeps every complete entry before the cut. The walk
// ends at a chunk header cut short, at a list cut short by the end of the file (its complete
// entries kept), at a name the file ends inside, and at a chunk to be skipped whose length is below
// 6 or past the end of the file. Lists longer than 8000 entries keep their first 8000. Names keep
// at most 19 bytes.
char Load3DS(obj_type_ptr p_object, const char* p_filename);

// The same walk over bytes already in memory; the trace is appended to `traza`.
void leer3DS(obj_type& objeto, const unsigned char* datos, std::size_t tam, std::string& traza);

// Size in bytes of the open file with descriptor `f`, or 0 when it cannot be known.
int filelength(int f);

// True when the three corners of `cara` are vertices the mesh holds, so it may be drawn.
bool caraValida(const obj_type& objeto, const polygon_type& cara);

} // namespace torvane
