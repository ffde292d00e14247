// Test helper: picture files written for the games' texture loaders to read.
#pragma once

#include <string>
#include <vector>

#include "offscreen_gl.h"

// Writes a w x h picture in the format the file name's extension says (".png", ".jpg", ".bmp"),
// 24 bits a pixel. `rows` holds w x h colours, the top row first as on screen. False when the
// picture cannot be written.
bool writeImage(const std::string& path, int w, int h, const std::vector<Rgb>& rows);

// A w x h picture of one colour.
bool writeOneColour(const std::string& path, int r, int g, int b, int w = 4, int h = 4);
