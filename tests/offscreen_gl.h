// Test helper: an off-screen Mesa GL context with its pixel buffer and a temporary folder.
#pragma once

#include <GL/osmesa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

// Mesa keeps a few allocations of a destroyed context until the process ends. Defined here, not
// inline: every test program includes this header from one source file only.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libOSMesa.so\n";
}

// Every colour (RGBA, a byte each) and depth value of the w x h window.
inline void readColourAndDepth(int w, int h, std::vector<std::uint32_t>& colour,
                               std::vector<std::uint32_t>& depth) {
    colour.resize(static_cast<size_t>(w) * h);
    depth.resize(static_cast<size_t>(w) * h);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, colour.data());
    glReadPixels(0, 0, w, h, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, depth.data());
}

// How two RGBA pictures of w x h pixels differ: how many pixels, the largest difference of one
// channel, and whether some 4 x 4 block differs in every pixel.
struct PictureDifference {
    std::size_t pixels = 0;
    int largest = 0;
    bool wholeBlock = false;
};

inline PictureDifference differenceOf(const std::vector<unsigned char>& a,
                                      const std::vector<unsigned char>& b, int w, int h) {
    PictureDifference d;
    std::vector<unsigned char> differs(static_cast<size_t>(w) * h, 0);
    for (size_t p = 0; p < differs.size(); ++p) {
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
                count += differs[static_cast<size_t>(y + k / 4) * w + x + k % 4];
            }
            d.wholeBlock = count == 16;
        }
    }
    return d;
}

// Two ways of drawing one thing show the same picture: at most 0.5 % of the pixels differ, each
// by at most a few levels of a channel, and only along edges (no 4 x 4 block differs whole). In
// the outline mode the picture is all edges, and where two edges of a piece lie on each other
// with different texture coordinates (the seam of a tube) either may show: there a differing
// pixel may differ by any amount.
constexpr int FEW_LEVELS = 4;
inline ::testing::AssertionResult looksTheSame(const std::vector<unsigned char>& a,
                                               const std::vector<unsigned char>& b, int w, int h,
                                               bool outline = false) {
    if (a.size() != b.size() || a.size() < static_cast<size_t>(w) * h * 4) {
        return ::testing::AssertionFailure() << "pictures of different sizes";
    }
    const PictureDifference d = differenceOf(a, b, w, h);
    const bool few = d.pixels * 200 <= static_cast<size_t>(w) * h;
    if (few && (outline || d.largest <= FEW_LEVELS) && !d.wholeBlock) {
        return ::testing::AssertionSuccess() << d.pixels << " pixels differ";
    }
    return ::testing::AssertionFailure()
           << d.pixels << " pixels differ, by up to " << d.largest
           << (d.wholeBlock ? ", a whole 4 x 4 block among them" : "");
}

// A `side` x `side` RGB texture of noise from `seed`, filtered linearly, bound and returned: a
// picture in which any texel drawn out of place shows. `side` is a multiple of 4, so that its
// rows keep GL's default alignment.
inline unsigned noiseTexture(int side, unsigned seed) {
    std::vector<unsigned char> t(static_cast<size_t>(side) * side * 3);
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

// An RGBA context drawing into `pixels` (width x height). With a folder template ("/tmp/x-XXXXXX")
// it also makes a temporary folder, and can work inside it; close() goes back to the folder the
// test started in, finishes the drawing, destroys the context and removes the folder.
// open() and close() use fatal assertions: call them through ASSERT_NO_FATAL_FAILURE.
class OffscreenGl {
  public:
    void open(int w, int h, const char* folderTemplate = nullptr, bool enterFolder = false) {
        width = w;
        height = h;
        context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
        ASSERT_NE(context, nullptr);
        pixels.assign(static_cast<size_t>(w) * h * 4, 0);
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

    // Makes `c` current on this buffer (the test's own context, or another one).
    bool makeCurrent(OSMesaContext c) {
        return OSMesaMakeCurrent(c, pixels.data(), GL_UNSIGNED_BYTE, width, height);
    }

    void close() {
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

    // A path inside the temporary folder.
    std::string path(const std::string& name) const { return folder + "/" + name; }

    OSMesaContext context = nullptr;
    std::vector<unsigned char> pixels;
    int width = 0, height = 0;
    std::string folder;
    std::string startFolder;
};
