// Test helper: an off-screen Mesa GL context with its pixel buffer and a temporary folder.
#pragma once

#include <GL/osmesa.h>
#include <gtest/gtest.h>

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
