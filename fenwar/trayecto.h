// The unit direction of a straight flight from its launch point to its aim point.
#pragma once

#include <cmath>

// Writes the unit vector from (xi, yi, zi) towards (xf, yf, zf) into dir; a flight of no length
// gets the zero vector, so whatever flies it stays where it is.
inline void direccionVuelo(float xi, float yi, float zi, float xf, float yf, float zf,
                           float dir[3]) {
    double ddx = xf - xi;
    double ddy = yf - yi;
    double ddz = zf - zi;
    double largo = std::sqrt(std::pow(ddx, 2) + std::pow(ddy, 2) + std::pow(ddz, 2));
    dir[0] = largo > 0 ? static_cast<float>(ddx / largo) : 0.0f;
    dir[1] = largo > 0 ? static_cast<float>(ddy / largo) : 0.0f;
    dir[2] = largo > 0 ? static_cast<float>(ddz / largo) : 0.0f;
}
