// Test helper: an off-screen Mesa GL context, the reader of its window and picture comparisons.
#include "offscreen_gl.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// Mesa keeps a few allocations of a destroyed context until the process ends. Every program that
// opens an off-screen context links this file, and with it this list.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libOSMesa.so\n";
}

Rgb Picture::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") outside a " << width << " x " << height
                      << " picture";
        return {-1, -1, -1};
    }
    const std::size_t p = 4 * (static_cast<std::size_t>(height - 1 - y) * width + x);
    return {rgba[p], rgba[p + 1], rgba[p + 2]};
}

Picture readWindow(int w, int h) {
    Picture picture;
    picture.width = w;
    picture.height = h;
    picture.rgba.resize(static_cast<std::size_t>(w) * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, picture.rgba.data());
    return picture;
}

void readColourAndDepth(int w, int h, std::vector<std::uint32_t>& colour,
                        std::vector<std::uint32_t>& depth) {
    colour.resize(static_cast<std::size_t>(w) * h);
    depth.resize(static_cast<std::size_t>(w) * h);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, colour.data());
    glReadPixels(0, 0, w, h, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, depth.data());
}

PictureDifference differenceOf(const std::vector<unsigned char>& a,
                               const std::vector<unsigned char>& b, int w, int h) {
    PictureDifference d;
    std::vector<unsigned char> differs(static_cast<std::size_t>(w) * h, 0);
    for (std::size_t p = 0; p < differs.size(); ++p) {
        for (int c = 0; c < 3; ++c) {
            const int delta = std::abs(a[4 * p + c] - b[4 * p + c]);
            d.largest = std::max(d.largest, delta);
            differs[p] |= delta != 0;
        }
        d.pixels += differs[p];
    }
    for (int y = 0; y + 4 <= h && !d.wholeBlock; ++y) {
        for (int x = 0; x + 4 <= w && !d.wholeBlock; ++x) {
            int count = 0;
            for (int k = 0; k < 16; ++k) {
                count += differs[static_cast<std::size_t>(y + k / 4) * w + x + k % 4];
            }
            d.wholeBlock = count == 16;
        }
    }
    return d;
}

::testing::AssertionResult looksTheSame(const std::vector<unsigned char>& a,
                                        const std::vector<unsigned char>& b, int w, int h,
                                        bool outline) {
    if (a.size() != b.size() || a.size() < static_cast<std::size_t>(w) * h * 4) {
        return ::testing::AssertionFailure() << "pictures of different sizes";
    }
    const PictureDifference d = differenceOf(a, b, w, h);
    const bool few = d.pixels * 200 <= static_cast<std::size_t>(w) * h;
    if (few && (outline || d.largest <= FEW_LEVELS) && !d.wholeBlock) {
        return ::testing::AssertionSuccess() << d.pixels << " pixels differ";
    }
    return ::testing::AssertionFailure()
           << d.pixels << " pixels differ, by up to " << d.largest
           << (d.wholeBlock ? ", a whole 4 x 4 block among them" : "");
}

::testing::AssertionResult looksTheSame(const Picture& a, const Picture& b, bool outline) {
    if (a.width != b.width || a.height != b.height) {
        return ::testing::AssertionFailure() << "pictures of different sizes";
    }
    return looksTheSame(a.rgba, b.rgba, a.width, a.height, outline);
}

bool framesLookTheSame(const std::string& label,
                       const std::vector<std::vector<unsigned char>>& first,
                       const std::function<std::vector<unsigned char>(int)>& second,
                       const std::vector<unsigned char>& still, int w, int h) {
    bool changed = false;
    PictureDifference worst;
    for (std::size_t i = 0; i < first.size(); ++i) {
        const std::vector<unsigned char> other = second(static_cast<int>(i));
        EXPECT_TRUE(looksTheSame(first[i], other, w, h)) << label << ", frame " << i;
        const PictureDifference d = differenceOf(first[i], other, w, h);
        worst.pixels = std::max(worst.pixels, d.pixels);
        worst.largest = std::max(worst.largest, d.largest);
        changed = changed || first[i] != still;
    }
    std::printf("%s: at most %zu pixels of a frame differ, by up to %d\n", label.c_str(),
                worst.pixels, worst.largest);
    return changed;
}

unsigned noiseTexture(int side, unsigned seed) {
    std::vector<unsigned char> t(static_cast<std::size_t>(side) * side * 3);
    for (unsigned char& c : t) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<unsigned char>(seed >> 16);
    }
    unsigned name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE, t.data());
    return name;
}

void OffscreenGl::open(int w, int h, const char* folderTemplate, bool enterFolder) {
    width = w;
    height = h;
    context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
    ASSERT_NE(context, nullptr);
    pixels.assign(static_cast<std::size_t>(w) * h * 4, 0);
    ASSERT_TRUE(makeCurrent(context));
    if (folderTemplate == nullptr) {
        return;
    }
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    startFolder = here;
    std::string name = folderTemplate;
    ASSERT_NE(mkdtemp(&name[0]), nullptr);
    folder = name;
    if (enterFolder) {
        ASSERT_EQ(chdir(folder.c_str()), 0);
    }
}

bool OffscreenGl::makeCurrent(OSMesaContext c) {
    return OSMesaMakeCurrent(c, pixels.data(), GL_UNSIGNED_BYTE, width, height);
}

void OffscreenGl::close() {
    if (context != nullptr) {
        // Mesa may still be drawing: finish before the context goes.
        glFinish();
        OSMesaDestroyContext(context);
        context = nullptr;
    }
    if (!startFolder.empty()) {
        ASSERT_EQ(chdir(startFolder.c_str()), 0);
    }
    if (!folder.empty()) {
        const std::string command = "rm -rf " + folder;
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
}
