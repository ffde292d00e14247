// The recorded scenery and its kept picture in Mesa's off-screen GL.
// The same colour and depth as drawn vertex by vertex, from views that leave much of it out,
// filled and outlined, with the same attributes left; its buffer freed and made again; the kept
// picture taken only while the view rests, one for each of several views, and drawn again only
// inside the zone of what changed, with every pixel as a whole drawing gives it.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/osmesa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "decorado.h"
#include "offscreen_gl.h"

namespace {

// Whether the layer holds a picture.
bool kept(const CapaFija& c) {
    return std::any_of(c.fotos.begin(), c.fotos.end(), [](const FotoFija& f) { return f.valida; });
}

constexpr int W = 160, H = 120;

// Hands a drawing straight to GL, as the game's immediate mode does.
struct Immediate {
    void comenzar(Primitiva p) {
        switch (p) {
        case Primitiva::Poligono:
            glBegin(GL_POLYGON);
            return;
        case Primitiva::TiraTriangulos:
            glBegin(GL_TRIANGLE_STRIP);
            return;
        case Primitiva::TiraCuadrilateros:
            glBegin(GL_QUAD_STRIP);
            return;
        case Primitiva::Triangulos:
            glBegin(GL_TRIANGLES);
            return;
        }
    }
    void terminar() { glEnd(); }
    void normal(float x, float y, float z) { glNormal3f(x, y, z); }
    void textura(float s, float t) { glTexCoord2f(s, t); }
    void vertice(float x, float y, float z) { glVertex3f(x, y, z); }
    void empujar() { glPushMatrix(); }
    void sacar() { glPopMatrix(); }
    void trasladar(float x, float y, float z) { glTranslatef(x, y, z); }
    void rotar(float a, float x, float y, float z) { glRotatef(a, x, y, z); }
};

// An open tube of a triangle strip along z, `steps` around, from -half to half, its texture s
// fixed and t the height.
template <class S> void tube(S& s, int steps, float radius, float half, float texS) {
    constexpr double PI = 3.141592653589793;
    s.comenzar(Primitiva::TiraTriangulos);
    for (int j = 0; j <= steps; ++j) {
        const float a = static_cast<float>(2.0 * PI * j / steps);
        for (float h : {-half, half}) {
            s.normal(std::cos(a), std::sin(a), 0.0f);
            s.textura(texS, h);
            s.vertice(radius * std::cos(a), radius * std::sin(a), h);
        }
    }
    s.terminar();
}

// A dome of quad strips around the eye, a tube of a triangle strip beside it, a disc polygon
// without normals under them (it takes the current one): the kinds of piece the games draw.
template <class S> void scenery(S& s) {
    constexpr double PI = 3.141592653589793;
    s.empujar();
    s.trasladar(0.0f, -0.5f, 0.0f);
    for (int i = 0; i < 12; ++i) {
        s.comenzar(Primitiva::TiraCuadrilateros);
        for (int j = 0; j <= 192; ++j) {
            for (int k = 0; k < 2; ++k) {
                const double lat = PI * (i + k) / 24.0, lng = 2.0 * PI * j / 192.0;
                const float x = static_cast<float>(std::cos(lng) * std::cos(lat));
                const float z = static_cast<float>(std::sin(lng) * std::cos(lat));
                const float y = static_cast<float>(std::sin(lat));
                s.textura(static_cast<float>(j) / 48.0f, static_cast<float>(i + k) / 6.0f);
                s.normal(-x, -y, -z);
                s.vertice(20.0f * x, 20.0f * y, 20.0f * z);
            }
        }
        s.terminar();
    }
    s.sacar();
    s.empujar();
    s.trasladar(1.5f, 0.0f, -6.0f);
    s.rotar(70.0f, 1.0f, 0.2f, 0.0f);
    tube(s, 30, 0.5f, 1.0f, 0.0f);
    s.sacar();
    s.comenzar(Primitiva::Poligono);
    for (int j = 0; j < 40; ++j) {
        const float a = static_cast<float>(2.0 * PI * j / 40.0);
        s.textura(std::cos(a), std::sin(a));
        s.vertice(15.0f * std::cos(a), -1.0f, 15.0f * std::sin(a));
    }
    s.terminar();
}

// A tube the game may show or turn on its own, turning about its middle, inside POST_ZONE.
template <class S> void post(S& s, float turn) {
    s.empujar();
    s.trasladar(-1.2f, 0.3f, -5.0f);
    s.rotar(40.0f + turn, 0.3f, 1.0f, 0.0f);
    tube(s, 24, 0.3f, 0.8f, 0.5f);
    s.sacar();
}
const Zona POST_ZONE{{-1.2, 0.3, -5.0}, 0.9};

// Perspective from the origin, turned by `yaw` and `pitch`, lit and textured, or outlined.
void view(float yaw, float pitch, bool outline) {
    glViewport(0, 0, W, H);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-0.08, 0.08, -0.06, 0.06, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(yaw, 0.0f, 1.0f, 0.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_NORMALIZE);
    const GLfloat position[] = {0.3f, 1.0f, 0.2f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glPolygonMode(GL_FRONT_AND_BACK, outline ? GL_LINE : GL_FILL);
    glClearColor(0.1f, 0.0f, 0.2f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glTexCoord2f(0.5f, 0.5f);
}

struct Picture {
    std::vector<std::uint32_t> colour, depth;
    float normal[3] = {}, texture[4] = {};
    bool operator==(const Picture& o) const {
        return colour == o.colour && depth == o.depth && std::equal(normal, normal + 3, o.normal) &&
               std::equal(texture, texture + 4, o.texture);
    }
};

Picture read() {
    Picture p;
    readColourAndDepth(W, H, p.colour, p.depth);
    glGetFloatv(GL_CURRENT_NORMAL, p.normal);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, p.texture);
    return p;
}

class SceneryGl : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(gl_.open(W, H)); }
    void TearDown() override { gl_.close(); }
    OffscreenGl gl_;
};

TEST_F(SceneryGl, DrawsTheSamePixelsAndLeavesTheSameAttributesAsVertexByVertex) {
    const unsigned texture = noiseTexture(32, 777);
    Decorado d;
    grabarDecorado(d, [](Grabadora& g) { scenery(g); });
    ASSERT_NE(d.buffer, 0u);
    const int runs = static_cast<int>(d.grabacion.tramos.size());
    struct View {
        float yaw, pitch;
    };
    for (bool outline : {false, true}) {
        for (View v : {View{0, 0}, View{90, 10}, View{200, -30}, View{-40, 60}, View{10, -80}}) {
            view(v.yaw, v.pitch, outline);
            glBindTexture(GL_TEXTURE_2D, texture);
            Immediate immediate;
            scenery(immediate);
            glColor3f(1.0f, 1.0f, 0.0f); // and what follows draws the same too
            glBegin(GL_LINES);
            glVertex3f(-1.0f, -0.2f, -3.0f);
            glVertex3f(1.0f, 0.3f, -3.0f);
            glEnd();
            const Picture expected = read();

            view(v.yaw, v.pitch, outline);
            dibujarDecorado(d);
            glColor3f(1.0f, 1.0f, 0.0f);
            glBegin(GL_LINES);
            glVertex3f(-1.0f, -0.2f, -3.0f);
            glVertex3f(1.0f, 0.3f, -3.0f);
            glEnd();
            EXPECT_TRUE(read() == expected)
                << "yaw " << v.yaw << " pitch " << v.pitch << " outline " << outline;
            EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        }
    }
    // Those views do leave most of it out.
    view(0, 0, false);
    GLfloat p[16], m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const VolumenVista vista = volumenVista(p, m);
    int drawn = 0;
    for (const Tramo& t : d.grabacion.tramos) {
        drawn += fueraDeVista(vista, t) ? 0 : 1;
    }
    EXPECT_LT(drawn, runs / 2);
    EXPECT_GT(drawn, 0);
    GLint bound = -1;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY) || glIsEnabled(GL_NORMAL_ARRAY) ||
                 glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    liberarDecorado(d);
}

TEST_F(SceneryGl, TheBufferIsFreedAndMadeAgainInANewContext) {
    Decorado d;
    grabarDecorado(d, [](Grabadora& g) { scenery(g); });
    const unsigned first = d.buffer;
    ASSERT_TRUE(glIsBuffer(first));
    grabarDecorado(d, [](Grabadora& g) { scenery(g); });
    EXPECT_EQ(d.buffer, first) << "recorded again into the buffer it has";
    liberarDecorado(d);
    EXPECT_FALSE(glIsBuffer(first));
    EXPECT_EQ(d.buffer, 0u);
    liberarDecorado(d);

    OSMesaContext other = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(gl_.makeCurrent(other));
    subirDecorado(d);
    view(0, 0, false);
    dibujarDecorado(d);
    const Picture again = read();
    view(0, 0, false);
    Immediate immediate;
    scenery(immediate);
    EXPECT_TRUE(read() == again);
    liberarDecorado(d);
    glFinish();
    OSMesaDestroyContext(other);
    ASSERT_TRUE(gl_.makeCurrent(gl_.context));
}

// The kept picture in a context it can copy exactly (16-bit depth, no stencil).
class KeptScenery : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(gl_.open(W, H));
        exact_ = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
        ASSERT_NE(exact_, nullptr);
        ASSERT_TRUE(gl_.makeCurrent(exact_));
        view(0, 0, false);
        cargarCapaFija(capa_, W, H);
        if (!capa_.disponible) {
            GTEST_SKIP() << "this GL cannot copy a 16-bit depth window exactly";
        }
        grabarDecorado(d_, [](Grabadora& g) { scenery(g); });
    }
    void TearDown() override {
        liberarDecorado(d_);
        liberarCapaFija(capa_);
        if (exact_ != nullptr) {
            glFinish();
            OSMesaDestroyContext(exact_);
        }
        gl_.makeCurrent(gl_.context);
        gl_.close();
    }
    // One frame's scenery under the view, with `shown` as the game's own values.
    Picture frame(float yaw, const std::vector<float>& shown) {
        view(yaw, 0, false);
        escenaFija(capa_, shown, {}, true, [&] {
            ++draws_;
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            dibujarDecorado(d_);
        });
        return read();
    }
    OffscreenGl gl_;
    OSMesaContext exact_ = nullptr;
    CapaFija capa_;
    Decorado d_;
    int draws_ = 0;
};

TEST_F(KeptScenery, TakenOnlyWhileTheViewRestsAndUsedWhileNothingChanges) {
    // Turning every frame: drawn every frame, nothing kept.
    for (int i = 0; i < 4; ++i) {
        frame(100.0f + 10.0f * i, {1.0f});
    }
    EXPECT_EQ(draws_, 4);
    EXPECT_FALSE(kept(capa_)) << "no copy made while the view moves";
    // At rest: the first frame under the last view is drawn and kept, the next copied.
    const Picture drawn = frame(130.0f, {1.0f});
    EXPECT_EQ(draws_, 5);
    EXPECT_TRUE(kept(capa_));
    EXPECT_TRUE(frame(130.0f, {1.0f}) == drawn) << "the copy, attributes included";
    EXPECT_EQ(draws_, 5);
    // What the game shows changed under the same view: drawn, kept at once, then copied.
    const Picture changed = frame(130.0f, {0.0f});
    EXPECT_EQ(draws_, 6);
    EXPECT_TRUE(frame(130.0f, {0.0f}) == changed);
    EXPECT_EQ(draws_, 6);
    // A jump of the view from rest (another cannon): kept at once.
    const Picture jumped = frame(200.0f, {0.0f});
    EXPECT_EQ(draws_, 7);
    EXPECT_TRUE(frame(200.0f, {0.0f}) == jumped);
    EXPECT_EQ(draws_, 7);
    // A turn from rest: only its first frame is kept.
    for (int i = 1; i <= 3; ++i) {
        frame(200.0f + 10.0f * i, {0.0f});
    }
    EXPECT_EQ(draws_, 10);
    frame(210.0f, {0.0f});
    EXPECT_EQ(draws_, 10) << "the first frame of the turn was the one kept";
    frame(230.0f, {0.0f});
    EXPECT_EQ(draws_, 11);
    // Another current normal for the scenery to start with, another length: other keys.
    view(230.0f, 0, false);
    glNormal3f(1.0f, 0.0f, 0.0f);
    escenaFija(capa_, {0.0f}, {}, true, [&] { ++draws_; });
    EXPECT_EQ(draws_, 12);
    escenaFija(capa_, {0.0f}, {}, false, [&] { ++draws_; });
    EXPECT_EQ(draws_, 13);
}

TEST_F(KeptScenery, NotWantedOrNotExactMeansDrawnEveryFrame) {
    liberarCapaFija(capa_);
    for (int i = 0; i < 3; ++i) {
        frame(0.0f, {1.0f});
    }
    EXPECT_EQ(draws_, 3);
    CapaFija unwanted;
    unwanted.usar = false;
    cargarCapaFija(unwanted, W, H);
    EXPECT_FALSE(unwanted.disponible);
}

// Whether a frame's drawing ran under a scissor, and its box.
struct Scissor {
    bool on = false;
    GLint box[4] = {};
};

class PartlyDrawn : public KeptScenery {
  protected:
    // One frame with the post shown or not and turned, its two values given `zones`.
    Picture framePost(float yaw, float shown, float turn, const std::vector<Zona>& zones) {
        view(yaw, 0, false);
        escenaFija(capa_, {shown, turn}, zones, true, [&] {
            ++draws_;
            scissor_.on = glIsEnabled(GL_SCISSOR_TEST);
            glGetIntegerv(GL_SCISSOR_BOX, scissor_.box);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            dibujarDecorado(d_);
            if (shown > 0.0f) {
                Immediate immediate;
                post(immediate, turn);
            }
        });
        return read();
    }
    // Two frames of the same view: the second finds the view at rest and keeps its picture.
    Picture atRest(float yaw, float shown, float turn, const std::vector<Zona>& zones) {
        framePost(yaw, shown, turn, zones);
        return framePost(yaw, shown, turn, zones);
    }
    // The same frame drawn whole, with nothing kept.
    Picture drawnWhole(float yaw, float shown, float turn) {
        view(yaw, 0, false);
        dibujarDecorado(d_);
        if (shown > 0.0f) {
            Immediate immediate;
            post(immediate, turn);
        }
        return read();
    }
    Scissor scissor_;
};

TEST_F(PartlyDrawn, WhatChangesInItsZoneIsDrawnThereOnlyAndComesOutAsDrawnWhole) {
    const std::vector<Zona> zones{POST_ZONE, POST_ZONE};
    // At rest: the second frame is kept.
    atRest(0, 1, 0, zones);
    framePost(0, 1, 0, zones);
    ASSERT_EQ(draws_, 2);
    struct Step {
        float shown, turn;
    };
    // Taken away, back, turned, turned and taken away at once.
    for (Step s : {Step{0, 0}, Step{1, 0}, Step{1, 25}, Step{0, -10}, Step{1, 5}}) {
        const int before = draws_;
        const Picture got = framePost(0, s.shown, s.turn, zones);
        EXPECT_EQ(draws_, before + 1);
        EXPECT_TRUE(got == drawnWhole(0, s.shown, s.turn))
            << "shown " << s.shown << " turn " << s.turn;
        ASSERT_TRUE(scissor_.on) << "drawn in part";
        EXPECT_LT(scissor_.box[2] * scissor_.box[3], W * H / 4);
        // Then kept as it is now: the next frame is a copy.
        EXPECT_TRUE(framePost(0, s.shown, s.turn, zones) == got);
        EXPECT_EQ(draws_, before + 1);
        EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST)) << "the game's scissor as it was";
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(PartlyDrawn, ChangesOutOfViewCostNothingAndValuesWithoutAZoneDrawAll) {
    const std::vector<Zona> zones{POST_ZONE, POST_ZONE};
    // Looking away from the post: its change is not in view. The drawing runs under an empty
    // scissor, for what it leaves current (the post drew last), and changes no pixel.
    atRest(180, 1, 0, zones);
    ASSERT_EQ(draws_, 2);
    EXPECT_TRUE(framePost(180, 0, 0, zones) == drawnWhole(180, 0, 0));
    EXPECT_EQ(draws_, 3);
    EXPECT_TRUE(scissor_.on);
    EXPECT_EQ(scissor_.box[2] * scissor_.box[3], 0);
    EXPECT_TRUE(framePost(180, 0, 0, zones) == drawnWhole(180, 0, 0));
    EXPECT_EQ(draws_, 3);
    // Only the first value has a zone: a turn is drawn whole. (A jump from rest is kept at once.)
    const std::vector<Zona> first{POST_ZONE};
    atRest(0, 1, 0, first);
    ASSERT_EQ(draws_, 4);
    EXPECT_TRUE(framePost(0, 1, 30, first) == drawnWhole(0, 1, 30));
    EXPECT_EQ(draws_, 5);
    EXPECT_FALSE(scissor_.on);
    // The first value alone changes: in part again.
    EXPECT_TRUE(framePost(0, 0, 30, first) == drawnWhole(0, 0, 30));
    EXPECT_EQ(draws_, 6);
    EXPECT_TRUE(scissor_.on);
}

TEST_F(PartlyDrawn, OnePictureForEachViewTheLeastRecentlyUsedGivesWay) {
    liberarCapaFija(capa_);
    capa_.cuantas = 2;
    cargarCapaFija(capa_, W, H);
    ASSERT_TRUE(capa_.disponible);
    ASSERT_EQ(capa_.fotos.size(), 2u);
    const std::vector<Zona> zones{POST_ZONE, POST_ZONE};
    const Picture ahead = atRest(0, 1, 0, zones);
    const Picture aside = framePost(90, 1, 0, zones);
    ASSERT_EQ(draws_, 3);
    EXPECT_TRUE(framePost(0, 1, 0, zones) == ahead) << "back to a view kept before";
    EXPECT_TRUE(framePost(90, 1, 0, zones) == aside);
    EXPECT_TRUE(framePost(0, 1, 0, zones) == ahead);
    EXPECT_EQ(draws_, 3);
    // A third view takes the place of the one used longest ago (90 degrees).
    framePost(200, 1, 0, zones);
    EXPECT_EQ(draws_, 4);
    framePost(0, 1, 0, zones);
    EXPECT_EQ(draws_, 4);
    framePost(90, 1, 0, zones);
    EXPECT_EQ(draws_, 5);
    // A change under a view kept before: that view's picture, drawn again in part.
    EXPECT_TRUE(framePost(0, 0, 0, zones) == drawnWhole(0, 0, 0));
    EXPECT_EQ(draws_, 6);
    EXPECT_TRUE(scissor_.on);
}

} // namespace
