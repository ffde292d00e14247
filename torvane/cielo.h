// The sky box: a textured box 100 wide and 60 high around the field, floor at y = -1.
#pragma once

namespace torvane {

// Draws the box with textures back, front, left, right, floor, top (`textura`[0] to [5]).
void drawSkyBox(const unsigned* textura);

} // namespace torvane
