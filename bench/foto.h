// Saves the frame just drawn as a binary PPM picture, to compare two builds pixel for pixel.
#pragma once

// Reads the back buffer of the current GL context (ancho x alto) into `archivo`; false on failure.
bool guardarFoto(const char* archivo, int ancho, int alto);
