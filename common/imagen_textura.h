// An image file read with FreeImage and uploaded into an OpenGL texture, for both games.
#pragma once

// Binds texture name `nombre` and fills it with the image in `archivo` as 24-bit RGB, filtered
// linearly and repeating. A missing or unreadable file, or a format FreeImage cannot read, leaves
// an empty texture and prints nothing. The texture environment is left to the caller.
void imagenATextura(const char* archivo, unsigned nombre);
