// The one light of the scene and the material of everything it lights.
#pragma once

namespace torvane {

// Light 0 with specular colour (red, green, blue), 20 units above (x, y, z) in the coordinates
// current at the call; switches lighting on, and textures on to be shaded by it.
void iluminar(float red, float green, float blue, float x, float y, float z);

} // namespace torvane
