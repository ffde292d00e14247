// Test helper: an off-screen Mesa GL context, the reader of its window and picture comparisons.
#pragma once

#include <GL/osmesa.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One colour of a picture, a byte a channel.
struct Rgb {
    int r, g, b;
};

// What the window of the current GL context shows: w x h RGBA pixels, a byte a channel, rows
// bottom-up as GL keeps them.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;

    // The pixel at (x, y), y counted from the top as on screen.
    Rgb at(int x, int y) const;
};

// Reads back the window (w x h) of the current GL context.
Picture readWindow(int w, int h);

// Every colour (RGBA, a byte each) and depth value of the w x h window.
void readColourAndDepth(int w, int h, std::vector<std::uint32_t>& colour,
                        std::vector<std::uint32_t>& depth);

// How two RGBA pictures of w x h pixels differ: how many pixels, the largest difference of one
// channel, and whether some 4 x 4 block differs in every pixel.
struct PictureDifference {
    std::size_t pixels = 0;
    int largest = 0;
    bool wholeBlock = false;
};

PictureDifference differenceOf(const std::vector<unsigned char>& a,
                               const std::vector<unsigned char>& b, int w, int h);

// Two ways of drawing one thing show the same picture: at most 0.5 % of the pixels differ, each
// by at most a few levels of a channel, and only along edges (no 4 x 4 block differs whole). In
// the outline mode the picture is all edges, and where two edges of a piece lie on each other
// with different texture coordinates (the seam of a tube) either may show: there a differing
// pixel may differ by any amount.
constexpr int FEW_LEVELS = 4;
::testing::AssertionResult looksTheSame(const std::vector<unsigned char>& a,
                                        const std::vector<unsigned char>& b, int w, int h,
                                        bool outline = false);
::testing::AssertionResult looksTheSame(const Picture& a, const Picture& b, bool outline = false);

// Frames of one scene drawn two ways: each of `first` looks the same as the frame `second` draws
// for its number (a failure names `label` and the frame). Prints the largest difference of a frame
// under `label`; returns whether some frame of `first` differs from `still`.
bool framesLookTheSame(const std::string& label,
                       const std::vector<std::vector<unsigned char>>& first,
                       const std::function<std::vector<unsigned char>(int)>& second,
                       const std::vector<unsigned char>& still, int w, int h);

// A `side` x `side` RGB texture of noise from `seed`, filtered linearly, bound and returned: a
// picture in which any texel drawn out of place shows. `side` is a multiple of 4, so that its
// rows keep GL's default alignment.
unsigned noiseTexture(int side, unsigned seed);

// An RGBA context drawing into `pixels` (width x height). With a folder template ("/tmp/x-XXXXXX")
// it also makes a temporary folder, and can work inside it; close() goes back to the folder the
// test started in, finishes the drawing, destroys the context and removes the folder.
// open() and close() use fatal assertions: call them through ASSERT_NO_FATAL_FAILURE.
class OffscreenGl {
  public:
    void open(int w, int h, const char* folderTemplate = nullptr, bool enterFolder = false);
    // Makes `c` current on this buffer (the test's own context, or another one).
    bool makeCurrent(OSMesaContext c);
    void close();

    // A path inside the temporary folder.
    std::string path(const std::string& name) const { return folder + "/" + name; }
    // What the window shows now.
    Picture read() const { return readWindow(width, height); }

    OSMesaContext context = nullptr;
    std::vector<unsigned char> pixels;
    int width = 0, height = 0;
    std::string folder;
    std::string startFolder;
};

// A test case that draws in a window of its own, w x h pixels, opened before the case and closed
// after it.
template <int w, int h> class OffscreenTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(gl_.open(w, h)); }
    void TearDown() override { ASSERT_NO_FATAL_FAILURE(gl_.close()); }

    OffscreenGl gl_;
};
