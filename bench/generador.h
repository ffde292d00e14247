// Large model files for the readers' benchmark, made up on the spot: a rippled grid of triangles.
#pragma once

#include <string>

// An OBJ text of exactly `caras` triangles ("f v/t/n v/t/n v/t/n") over a grid of positions, with
// one texture coordinate and one normal per position, numbers written with six decimals. The grid
// is two positions wide per face row, so there are about half as many positions as faces.
std::string generarObj(int caras);

// A 3DS file of one object with `vertices` positions, as many mapping coordinates and `caras`
// triangles (corners taken from a strip over the positions). Counts above 65535 are cut there.
std::string generar3ds(int vertices, int caras);
