// The sky box: a textured box 100 wide and 60 high around the field, floor at y = -1.
#pragma once

#include "texturas.h"

namespace torvane {

// Draws the box with its six pictures: back, front, left, right, floor and top.
void drawSkyBox(const Texturas& t);

} // namespace torvane
