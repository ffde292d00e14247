// Test helper: the polygons a piece of drawing hands to GL, recorded by GL's own feedback mode.
#pragma once

#include <functional>
#include <vector>

// One corner as it reached the rasteriser: window coordinates (x right, y up, depth 0 to 1) and
// its texture coordinates.
struct Corner {
    float x, y, z;
    float s, t;
};

// One filled polygon (a triangle unless clipping cut it) with its corners in the order drawn.
struct DrawnPolygon {
    std::vector<Corner> corners;
};

// Runs `draw` in GL's feedback mode and returns every filled polygon it sent, after the current
// matrices, view port, culling and clipping, in order; nothing reaches the window. `draw` runs
// again with a larger buffer when the first one was too small.
std::vector<DrawnPolygon> polygonsDrawn(const std::function<void()>& draw);
