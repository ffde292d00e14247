// The kept picture of the scenery in Mesa's off-screen GL: copied back bit for bit, colour and
// depth; refused under any other key; the drawing's leftover attributes set again; unused where
// the copy could not be exact; made again in a new context.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "capa_fija.h"
#include "offscreen_gl.h"

namespace {

// Whether the layer holds a picture.
bool kept(const CapaFija& c) {
    return std::any_of(c.fotos.begin(), c.fotos.end(), [](const FotoFija& f) { return f.valida; });
}

// Not a power of two and not square: rows and columns cannot be swapped unseen.
constexpr int W = 200, H = 150;
// Mesa's off-screen GL copies 16-bit depth between the window and a layer exactly; its 24-bit
// depth comes back a step or two off, so such a window must go without the layer (checked below).
constexpr int EXACT_DEPTH_BITS = 16;

// Colour and depth of the whole buffer, depth as the driver's full integers.
struct Picture {
    std::vector<unsigned char> colour;
    std::vector<std::uint32_t> depth;
};

Picture readPicture() {
    Picture p;
    p.colour.resize(static_cast<size_t>(W) * H * 4);
    p.depth.resize(static_cast<size_t>(W) * H);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, W, H, GL_RGBA, GL_UNSIGNED_BYTE, p.colour.data());
    glReadPixels(0, 0, W, H, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, p.depth.data());
    return p;
}

// Where two pictures differ: how many pixels, and the first one.
::testing::AssertionResult samePicture(const Picture& a, const Picture& b) {
    int colours = 0, depths = 0, first = -1;
    for (int i = 0; i < W * H; ++i) {
        bool colour = false;
        for (int k = 0; k < 4; ++k) {
            colour = colour || a.colour[4 * i + k] != b.colour[4 * i + k];
        }
        const bool depth = a.depth[i] != b.depth[i];
        colours += colour;
        depths += depth;
        if ((colour || depth) && first < 0) {
            first = i;
        }
    }
    if (first < 0) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << colours << " pixels differ in colour and " << depths << " in depth, the first at ("
           << first % W << ", " << first / W << ")";
}

// A checkerboard of four colours, so that texturing shows in the picture.
unsigned makeTexture() {
    unsigned name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    std::vector<unsigned char> texels(8 * 8 * 3);
    for (int i = 0; i < 64; ++i) {
        const int cell = (i % 8) / 2 + (i / 8) / 2;
        texels[3 * i] = static_cast<unsigned char>(cell % 2 ? 230 : 40);
        texels[3 * i + 1] = static_cast<unsigned char>(cell % 3 ? 200 : 90);
        texels[3 * i + 2] = static_cast<unsigned char>(i * 4);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 8, 8, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return name;
}

// The state play draws its scenery under: perspective, a view, depth test, texturing, one
// positional light with a material.
void playState() {
    glViewport(0, 0, W, H);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-0.1, 0.1, -0.075, 0.075, 0.1, 200.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(10.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, -2.0f, -6.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glShadeModel(GL_SMOOTH);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    const GLfloat position[] = {3.0f, 8.0f, 2.0f, 1.0f};
    const GLfloat specular[] = {1.0f, 0.0f, 0.0f, 1.0f};
    const GLfloat shininess[] = {8.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glColor3f(0.5f, 0.5f, 0.5f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
}

// Scenery: a floor and walls running away from the eye, crossing blocks; it leaves behind the
// colour, normal, texture coordinate and texture of its last block, as the game's scenery does.
void drawScenery(unsigned floorTexture, unsigned blockTexture) {
    glBindTexture(GL_TEXTURE_2D, floorTexture);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glTexCoord2f(0, 0);
    glVertex3f(-20, 0, 10);
    glTexCoord2f(6, 0);
    glVertex3f(20, 0, 10);
    glTexCoord2f(6, 6);
    glVertex3f(20, 0, -60);
    glTexCoord2f(0, 6);
    glVertex3f(-20, 0, -60);
    glNormal3f(1.0f, 0.0f, 0.0f);
    glTexCoord2f(0, 0);
    glVertex3f(-6, 0, 10);
    glTexCoord2f(4, 0);
    glVertex3f(-6, 0, -60);
    glTexCoord2f(4, 2);
    glVertex3f(-6, 9, -60);
    glTexCoord2f(0, 2);
    glVertex3f(-6, 9, 10);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, blockTexture);
    for (int i = 0; i < 5; ++i) {
        glPushMatrix();
        glTranslatef(-3.0f + 1.6f * i, 0.0f, -2.0f - 3.0f * i);
        glRotatef(25.0f * i, 0.0f, 1.0f, 0.0f);
        glColor3f(0.2f * i, 1.0f, 0.3f);
        glBegin(GL_TRIANGLES);
        glNormal3f(0.3f, 0.6f, 0.74f);
        glTexCoord2f(0, 0);
        glVertex3f(-1, 0, 1);
        glTexCoord2f(1, 0);
        glVertex3f(1, 0, -1);
        glTexCoord2f(0.5f, 1);
        glVertex3f(0, 2.5f, 0);
        glNormal3f(-0.6f, 0.3f, 0.74f);
        glTexCoord2f(0.25f, 0.75f);
        glVertex3f(-1, 0, -1);
        glTexCoord2f(1, 1);
        glVertex3f(1, 0, 1);
        glTexCoord2f(0.8f, 0.1f);
        glVertex3f(0, 2.0f, 0.2f);
        glEnd();
        glPopMatrix();
    }
    glColor4f(0.0f, 1.0f, 0.0f, 0.75f);
    glNormal3f(0.0f, -1.0f, 0.0f);
    glTexCoord4f(0.3f, 0.7f, 0.0f, 1.0f);
}

// What is drawn over the scenery: unlit shapes in the colour, texture coordinate and texture the
// scenery left, some of them behind its blocks, so the kept depth decides what shows.
void drawOverScenery() {
    glDisable(GL_LIGHTING);
    glBegin(GL_QUADS);
    glVertex3f(-4, 0.5f, -3);
    glVertex3f(4, 0.5f, -9);
    glVertex3f(4, 1.5f, -9);
    glVertex3f(-4, 1.5f, -3);
    glEnd();
    glBegin(GL_TRIANGLES);
    glVertex3f(-8, -0.5f, -30);
    glVertex3f(8, 3, -2);
    glVertex3f(0, 4, -12);
    glEnd();
    glEnable(GL_LIGHTING);
}

// The key as Torvane makes it: the GL state and the attributes its sky box draws with.
std::vector<float> keyNow() {
    std::vector<float> key;
    anotarEstadoGL(key);
    anotarAtributosActuales(key);
    return key;
}

std::vector<float> current(GLenum what, int count) {
    std::vector<float> v(16);
    glGetFloatv(what, v.data());
    v.resize(count);
    return v;
}

GLint integer(GLenum what) {
    GLint v = 0;
    glGetIntegerv(what, &v);
    return v;
}

class KeptPicture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(gl_.open(W, H));
        ASSERT_NO_FATAL_FAILURE(newContext(EXACT_DEPTH_BITS, 0));
        floor_ = makeTexture();
        block_ = makeTexture();
        playState();
        startFrame();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        cargarCapaFija(capa_, W, H);
    }
    void TearDown() override {
        liberarCapaFija(capa_);
        ASSERT_NO_FATAL_FAILURE(gl_.close());
    }

    // What every frame finds before its scenery: the colour, normal, texture coordinate and
    // texture the end of the last frame left (the game's HUD leaves the same ones each time).
    void startFrame() {
        glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
        glNormal3f(0.0f, 0.0f, 1.0f);
        glTexCoord2f(0.0f, 0.0f);
        glBindTexture(GL_TEXTURE_2D, floor_);
    }

    // A new context on the same pixels in place of the old one, as a new video mode brings.
    void newContext(int depthBits, int stencilBits) {
        glFinish();
        OSMesaContext fresh =
            OSMesaCreateContextExt(OSMESA_RGBA, depthBits, stencilBits, 0, nullptr);
        ASSERT_NE(fresh, nullptr);
        ASSERT_TRUE(gl_.makeCurrent(fresh));
        OSMesaDestroyContext(gl_.context);
        gl_.context = fresh;
    }

    // One frame's scenery as the game does it: copied when the key matches, else drawn and kept.
    bool scenery(const std::vector<float>& key) {
        if (reponerCapaFija(capa_, key)) {
            return true;
        }
        drawScenery(floor_, block_);
        guardarCapaFija(capa_, key);
        return false;
    }

    // Clears to a colour and depth the scenery never leaves, so an absent copy shows.
    void clearToNoise() {
        glClearColor(0.9f, 0.1f, 0.6f, 1.0f);
        glClearDepth(0.25);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClearDepth(1.0);
    }

    OffscreenGl gl_;
    CapaFija capa_;
    unsigned floor_ = 0, block_ = 0;
};

} // namespace

TEST_F(KeptPicture, IsUsedInAContextWithDepthAndNoStencil) {
    EXPECT_EQ(integer(GL_DEPTH_BITS), EXACT_DEPTH_BITS);
    EXPECT_EQ(integer(GL_STENCIL_BITS), 0);
    EXPECT_TRUE(capa_.disponible);
    EXPECT_FALSE(kept(capa_));
    EXPECT_EQ(capa_.ancho, W);
    EXPECT_EQ(capa_.alto, H);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(KeptPicture, CopiesColourAndDepthBackBitForBit) {
    ASSERT_TRUE(capa_.disponible);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const std::vector<float> key = keyNow();
    EXPECT_FALSE(scenery(key)) << "nothing is kept before the first drawing";
    const Picture drawn = readPicture();

    // Not a trivial picture: textured and lit, with depth across the whole range.
    std::set<std::uint32_t> colours, depths;
    for (int i = 0; i < W * H; ++i) {
        colours.insert(drawn.colour[4 * i] << 16 | drawn.colour[4 * i + 1] << 8 |
                       drawn.colour[4 * i + 2]);
        depths.insert(drawn.depth[i]);
    }
    EXPECT_GT(colours.size(), 500u);
    EXPECT_GT(depths.size(), 400u);

    clearToNoise();
    EXPECT_TRUE(scenery(key));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_TRUE(samePicture(drawn, readPicture()));
    EXPECT_EQ(integer(GL_READ_FRAMEBUFFER_BINDING), 0) << "the window is read again afterwards";
    EXPECT_EQ(integer(GL_DRAW_FRAMEBUFFER_BINDING), 0) << "the window is drawn again afterwards";

    // Again: the copy itself is not spent by copying it.
    clearToNoise();
    EXPECT_TRUE(scenery(key));
    EXPECT_TRUE(samePicture(drawn, readPicture()));
}

TEST_F(KeptPicture, WhatIsDrawnOverTheCopyLooksAsOverTheDrawing) {
    ASSERT_TRUE(capa_.disponible);
    auto frame = [&]() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        startFrame();
        const bool copied = scenery(keyNow());
        drawOverScenery();
        return copied;
    };
    EXPECT_FALSE(frame());
    const Picture drawn = readPicture();
    EXPECT_TRUE(frame());
    EXPECT_TRUE(samePicture(drawn, readPicture()));

    // The shapes over the scenery are partly hidden by it: the depth test had work to do.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    startFrame();
    drawOverScenery();
    EXPECT_FALSE(samePicture(drawn, readPicture()));
}

TEST_F(KeptPicture, SetsAgainTheAttributesTheDrawingLeft) {
    ASSERT_TRUE(capa_.disponible);
    const std::vector<float> key = keyNow();
    ASSERT_FALSE(scenery(key));
    const std::vector<float> colour = current(GL_CURRENT_COLOR, 4);
    const std::vector<float> normal = current(GL_CURRENT_NORMAL, 3);
    const std::vector<float> coords = current(GL_CURRENT_TEXTURE_COORDS, 4);
    EXPECT_EQ(colour, (std::vector<float>{0.0f, 1.0f, 0.0f, 0.75f}));
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(block_));

    // The next frame starts from where the last one started; only the copy brings these back.
    startFrame();
    ASSERT_EQ(keyNow(), key);
    ASSERT_TRUE(scenery(key));
    EXPECT_EQ(current(GL_CURRENT_COLOR, 4), colour);
    EXPECT_EQ(current(GL_CURRENT_NORMAL, 3), normal);
    EXPECT_EQ(current(GL_CURRENT_TEXTURE_COORDS, 4), coords);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(block_));
}

TEST_F(KeptPicture, RefusesAnyOtherKeyAndLeavesTheWindowAlone) {
    ASSERT_TRUE(capa_.disponible);
    const std::vector<float> key = keyNow();
    ASSERT_FALSE(scenery(key));

    struct Change {
        const char* what;
        void (*apply)();
        void (*undo)();
    };
    const Change changes[] = {
        {"modelview",
         [] {
             glPushMatrix();
             glTranslatef(0.0f, 0.0f, -0.001f);
         },
         [] { glPopMatrix(); }},
        {"projection",
         [] {
             glMatrixMode(GL_PROJECTION);
             glPushMatrix();
             glScalef(1.0f, 1.0f, 0.5f);
             glMatrixMode(GL_MODELVIEW);
         },
         [] {
             glMatrixMode(GL_PROJECTION);
             glPopMatrix();
             glMatrixMode(GL_MODELVIEW);
         }},
        {"light colour",
         [] {
             const GLfloat green[] = {0.0f, 1.0f, 0.0f, 1.0f};
             glLightfv(GL_LIGHT0, GL_SPECULAR, green);
         },
         [] {
             const GLfloat red[] = {1.0f, 0.0f, 0.0f, 1.0f};
             glLightfv(GL_LIGHT0, GL_SPECULAR, red);
         }},
        {"light position",
         [] {
             const GLfloat p[] = {3.0f, 8.0f, 2.5f, 1.0f};
             glLightfv(GL_LIGHT0, GL_POSITION, p);
         },
         [] {
             const GLfloat p[] = {3.0f, 8.0f, 2.0f, 1.0f};
             glLightfv(GL_LIGHT0, GL_POSITION, p);
         }},
        {"light off", [] { glDisable(GL_LIGHTING); }, [] { glEnable(GL_LIGHTING); }},
        {"texturing off", [] { glDisable(GL_TEXTURE_2D); }, [] { glEnable(GL_TEXTURE_2D); }},
        {"texture mode", [] { glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE); },
         [] { glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE); }},
        {"clear colour", [] { glClearColor(0.0f, 0.0f, 0.0f, 1.0f); },
         [] { glClearColor(0.0f, 0.0f, 0.0f, 0.0f); }},
        {"wire frame", [] { glPolygonMode(GL_FRONT_AND_BACK, GL_LINE); },
         [] { glPolygonMode(GL_FRONT_AND_BACK, GL_FILL); }},
        {"flat shading", [] { glShadeModel(GL_FLAT); }, [] { glShadeModel(GL_SMOOTH); }},
        {"viewport", [] { glViewport(0, 0, W - 1, H); }, [] { glViewport(0, 0, W, H); }},
        {"current colour", [] { glColor3f(0.5f, 0.5f, 0.51f); },
         [] { glColor3f(0.5f, 0.5f, 0.5f); }},
        {"depth test off", [] { glDisable(GL_DEPTH_TEST); }, [] { glEnable(GL_DEPTH_TEST); }},
        {"current normal", [] { glNormal3f(0.0f, 1.0f, 0.0f); }, [] {}},
        {"texture coordinate", [] { glTexCoord2f(0.5f, 0.0f); }, [] {}},
        {"bound texture", [] { glBindTexture(GL_TEXTURE_2D, 0); }, [] {}},
    };
    for (const Change& change : changes) {
        clearToNoise();
        const Picture window = readPicture();
        startFrame();
        change.apply();
        EXPECT_FALSE(reponerCapaFija(capa_, keyNow())) << change.what;
        EXPECT_TRUE(samePicture(window, readPicture())) << change.what << ": nothing copied";
        change.undo();
        startFrame();
        EXPECT_EQ(keyNow(), key) << change.what << " undone gives the first key again";
        EXPECT_TRUE(reponerCapaFija(capa_, key)) << change.what;
    }

    // What the game appends to the key (where the cities and towers stand) counts as much.
    std::vector<float> moved = key;
    moved.push_back(1.0f);
    std::vector<float> elsewhere = moved;
    elsewhere.back() = 2.0f;
    ASSERT_FALSE(scenery(moved));
    startFrame();
    clearToNoise();
    const Picture window = readPicture();
    EXPECT_FALSE(reponerCapaFija(capa_, elsewhere));
    EXPECT_FALSE(reponerCapaFija(capa_, key)) << "a shorter key";
    EXPECT_TRUE(samePicture(window, readPicture())) << "a refused copy draws nothing";
    EXPECT_TRUE(reponerCapaFija(capa_, moved));
}

TEST_F(KeptPicture, NothingIsKeptWhereTheCopyWouldNotBeExactOrIsNotWanted) {
    // A window with a stencil buffer: its packed depth is not copied exactly.
    liberarCapaFija(capa_);
    ASSERT_NO_FATAL_FAILURE(newContext(24, 8));
    EXPECT_GT(integer(GL_STENCIL_BITS), 0);
    CapaFija stencil;
    cargarCapaFija(stencil, W, H);
    EXPECT_FALSE(stencil.disponible);
    EXPECT_TRUE(stencil.fotos.empty());
    playState();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const std::vector<float> key = keyNow();
    drawScenery(0, 0);
    guardarCapaFija(stencil, key);
    EXPECT_FALSE(kept(stencil));
    EXPECT_FALSE(reponerCapaFija(stencil, key));
    liberarCapaFija(stencil);

    // Turned off by the game (its build without the copy), or a window of no size.
    CapaFija off;
    off.usar = false;
    cargarCapaFija(off, W, H);
    EXPECT_FALSE(off.disponible);
    guardarCapaFija(off, key);
    EXPECT_FALSE(reponerCapaFija(off, key));
    CapaFija empty;
    cargarCapaFija(empty, 0, H);
    EXPECT_FALSE(empty.disponible);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Mesa's llvmpipe rounds the depth of a 24-bit window a step or two off on its way into the layer
// (Mesa 22.3: every drawn pixel of this scene). The layer must either copy such a window exactly
// or leave it unused, as it does a window with a stencil buffer.
TEST_F(KeptPicture, TwentyFourBitDepthIsCopiedExactlyOrNotKept) {
    ASSERT_NO_FATAL_FAILURE(newContext(24, 0));
    ASSERT_EQ(integer(GL_DEPTH_BITS), 24);
    CapaFija deep;
    cargarCapaFija(deep, W, H);
    const unsigned texture = makeTexture();
    playState();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const std::vector<float> key = keyNow();
    drawScenery(texture, texture);
    const Picture drawn = readPicture();
    guardarCapaFija(deep, key);
    clearToNoise();
    const Picture noise = readPicture();
    if (deep.disponible) {
        EXPECT_TRUE(reponerCapaFija(deep, key));
        EXPECT_TRUE(samePicture(drawn, readPicture()));
    } else {
        // Refused at load: nothing is kept, nothing is copied, the game draws the scenery itself.
        EXPECT_FALSE(kept(deep));
        EXPECT_FALSE(reponerCapaFija(deep, key));
        EXPECT_TRUE(samePicture(noise, readPicture()));
        EXPECT_TRUE(deep.fotos.empty());
    }
    liberarCapaFija(deep);
}

// The layer's colour is a texture of its own: making it must not change what the game has bound.
TEST_F(KeptPicture, LoadingKeepsTheBoundTexture) {
    glBindTexture(GL_TEXTURE_2D, block_);
    cargarCapaFija(capa_, W, H);
    ASSERT_TRUE(capa_.disponible);
    ASSERT_EQ(capa_.fotos.size(), 1u);
    EXPECT_NE(capa_.fotos[0].color, block_);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(block_));
}

TEST_F(KeptPicture, ReleasedAndLoadedAgainInANewContextAsAfterFullScreen) {
    ASSERT_TRUE(capa_.disponible);
    const std::vector<float> key = keyNow();
    ASSERT_FALSE(scenery(key));
    const Picture drawn = readPicture();

    // F11: everything made in the old context goes before the new video mode.
    liberarCapaFija(capa_);
    EXPECT_FALSE(capa_.disponible);
    EXPECT_FALSE(kept(capa_));
    EXPECT_TRUE(capa_.fotos.empty());
    EXPECT_FALSE(reponerCapaFija(capa_, key));
    liberarCapaFija(capa_); // twice is harmless
    ASSERT_NO_FATAL_FAILURE(newContext(EXACT_DEPTH_BITS, 0));

    // The pictures first, as the game loads them, so they get the names they had.
    floor_ = makeTexture();
    block_ = makeTexture();
    cargarCapaFija(capa_, W, H);
    EXPECT_TRUE(capa_.disponible);
    playState();
    startFrame();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ASSERT_EQ(keyNow(), key) << "the same state in the new context";
    EXPECT_FALSE(scenery(key)) << "the new context has nothing kept yet";
    EXPECT_TRUE(samePicture(drawn, readPicture()));
    startFrame();
    clearToNoise();
    EXPECT_TRUE(scenery(key));
    EXPECT_TRUE(samePicture(drawn, readPicture()));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
