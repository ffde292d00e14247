// Test helper: picture files written for the games' texture loaders to read.
#include "image_file.h"

#include <FreeImage.h>

#include <cstddef>

bool writeImage(const std::string& path, int w, int h, const std::vector<Rgb>& rows) {
    const FREE_IMAGE_FORMAT format = FreeImage_GetFIFFromFilename(path.c_str());
    if (w <= 0 || h <= 0 || rows.size() != static_cast<std::size_t>(w) * h ||
        format == FIF_UNKNOWN) {
        return false;
    }
    FIBITMAP* bitmap = FreeImage_Allocate(w, h, 24);
    if (bitmap == nullptr) {
        return false;
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Rgb& c = rows[static_cast<std::size_t>(y) * w + x];
            RGBQUAD q = {static_cast<BYTE>(c.b), static_cast<BYTE>(c.g), static_cast<BYTE>(c.r), 0};
            // FreeImage counts rows from the bottom.
            FreeImage_SetPixelColor(bitmap, x, h - 1 - y, &q);
        }
    }
    const bool written = FreeImage_Save(format, bitmap, path.c_str(), 0);
    FreeImage_Unload(bitmap);
    return written;
}

bool writeOneColour(const std::string& path, int r, int g, int b, int w, int h) {
    if (w <= 0 || h <= 0) {
        return false;
    }
    return writeImage(path, w, h, std::vector<Rgb>(static_cast<std::size_t>(w) * h, Rgb{r, g, b}));
}
