// Drawing a 3DS mesh with GL: one batch of flat-lit textured triangles.
#pragma once

#include "modelo3ds.h"

namespace torvane {

// Draws the mesh as flat-lit textured triangles with the current transform (faces whose corners
// are not vertices of the mesh are left out).
void drawObject(const obj_type& object);
// Sets the normal drawObject leaves current (its last valid face's); none when it has no face.
void dejarNormal(const obj_type& object);

} // namespace torvane
