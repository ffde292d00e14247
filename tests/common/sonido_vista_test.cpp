// A sound is heard on the side of the screen it is drawn on: the placement law against the view
// that gluLookAt makes from the same eye, centre and up, in either game's world frame.
#include "matriz.h"
#include "mezcla.h"
#include "offscreen_gl.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Lcg {
    unsigned state;
    float next(float lo, float hi) {
        state = state * 1103515245u + 12345u;
        return lo + (hi - lo) * static_cast<float>((state >> 8) & 0xFFFF) / 65535.0f;
    }
};

// How far to the right of the view (-1 to 1) the gains put a sound: the inverse of the balance.
double sideHeard(Ganancias g) {
    return std::atan2(g.derecha, g.izquierda) * 4.0 / M_PI - 1.0;
}

} // namespace

TEST(ColocarSonidoConVista, SideHeardIsTheSideDrawn) {
    OffscreenGl gl;
    ASSERT_NO_FATAL_FAILURE(gl.open(8, 8));
    Lcg rnd{29};
    for (int i = 0; i < 300; ++i) {
        // Mostly Fenwar-like views (up along -z, ground z = 0), then Torvane-like (y up) and any.
        Punto3 up = i < 100   ? Punto3{0, 0, -1}
                    : i < 200 ? Punto3{0, 1, 0}
                              : Punto3{rnd.next(-1, 1), rnd.next(-1, 1), rnd.next(-1, 1)};
        Punto3 eye{rnd.next(-3, 3), rnd.next(-3, 3), rnd.next(-3, 3)};
        Punto3 centre{rnd.next(-3, 3), rnd.next(-3, 3), rnd.next(-3, 3)};
        Punto3 event{rnd.next(-50, 50), rnd.next(-50, 50), rnd.next(-50, 50)};
        Punto3 view{centre.x - eye.x, centre.y - eye.y, centre.z - eye.z};

        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, up.x, up.y, up.z);
        Matriz m;
        glGetDoublev(GL_MODELVIEW_MATRIX, m.m);
        // The event in eye coordinates: x is the screen's right.
        const auto [x, y, z] = aplicar(m, event.x, event.y, event.z);
        const double distance = std::sqrt(x * x + y * y + z * z);

        Ganancias g = colocarSonido(eye, view, up, event, Alcance{1000.0f, 0.0f});
        ASSERT_NEAR(g.izquierda * g.izquierda + g.derecha * g.derecha, 1.0, 1e-5);
        EXPECT_NEAR(sideHeard(g), x / distance, 2e-4) << i;
    }
    ASSERT_NO_FATAL_FAILURE(gl.close());
}
