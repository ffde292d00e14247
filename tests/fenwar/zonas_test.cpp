// The zones the kept scenery picture is drawn again in: each holds its piece of scenery.
// A cannon whatever its barrel's angle, a city dome whatever its size, as the matrices place them.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "juego.h"
#include "teselado.h"

namespace {

// A tessellation sink that keeps where each vertex lands, the matrix calls applied as GL applies
// them (each one multiplies the current matrix on the right).
struct WorldPoints {
    struct Point {
        double x, y, z;
    };
    std::vector<Point> points;
    std::vector<std::vector<double>> stack;
    std::vector<double> m = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    void comenzar(Trazo) {}
    void terminar() {}
    void normalf(float, float, float) {}
    void normald(double, double, double) {}
    void texf(float, float) {}
    void texd(double, double) {}
    void vertice2f(float x, float y) { vertice3d(x, y, 0.0); }
    void vertice3f(float x, float y, float z) { vertice3d(x, y, z); }
    void vertice3d(double x, double y, double z) {
        points.push_back({m[0] * x + m[4] * y + m[8] * z + m[12],
                          m[1] * x + m[5] * y + m[9] * z + m[13],
                          m[2] * x + m[6] * y + m[10] * z + m[14]});
    }
    void empujar() { stack.push_back(m); }
    void sacar() {
        m = stack.back();
        stack.pop_back();
    }
    void trasladar(float x, float y, float z) {
        multiply({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1});
    }
    void rotar(float degrees, float ax, float ay, float az) {
        const double l = std::sqrt(double(ax) * ax + double(ay) * ay + double(az) * az);
        const double x = ax / l, y = ay / l, z = az / l;
        const double a = degrees * 3.141592653589793 / 180.0, c = std::cos(a), s = std::sin(a);
        const double t = 1.0 - c;
        multiply({t * x * x + c, t * x * y + s * z, t * x * z - s * y, 0, t * x * y - s * z,
                  t * y * y + c, t * y * z + s * x, 0, t * x * z + s * y, t * y * z - s * x,
                  t * z * z + c, 0, 0, 0, 0, 1});
    }
    void multiply(const std::vector<double>& b) {
        std::vector<double> r(16, 0.0);
        for (int col = 0; col < 4; ++col) {
            for (int row = 0; row < 4; ++row) {
                for (int k = 0; k < 4; ++k) {
                    r[col * 4 + row] += m[k * 4 + row] * b[col * 4 + k];
                }
            }
        }
        m = r;
    }
    double farthestFrom(double x, double y, double z) const {
        double far = 0.0;
        for (const Point& p : points) {
            far = std::fmax(far, std::sqrt((p.x - x) * (p.x - x) + (p.y - y) * (p.y - y) +
                                           (p.z - z) * (p.z - z)));
        }
        return far;
    }
};

TEST(Zones, ACannonStaysInItsZoneWhateverItsBarrelsAngle) {
    const Juego j;
    for (int h = 0; h < 4; ++h) {
        const float x = j.coordcannon[2 * h], y = j.coordcannon[2 * h + 1];
        const float z = -j.altura_tower[h];
        double farthest = 0.0;
        // The keys turn a barrel between -45 and 45 degrees, a degree at a time; more is safe too.
        for (int angle = -90; angle <= 90; angle += 3) {
            WorldPoints s;
            teselado::canon(s, x, y, z, teselado::RADIO_CANON, static_cast<float>(angle), 20);
            ASSERT_FALSE(s.points.empty());
            farthest = std::fmax(farthest, s.farthestFrom(x, y, z));
        }
        EXPECT_LE(farthest, teselado::ALCANCE_CANON) << "cannon " << h;
        // And the zone is not the world: a change redraws a little of the window.
        EXPECT_GT(farthest, 0.7 * teselado::ALCANCE_CANON) << "cannon " << h;
    }
}

TEST(Zones, ACityDomeStaysInItsZone) {
    for (float radius : {0.05f, 0.5f, 3.0f}) {
        WorldPoints s;
        teselado::cupula(s, 1.5f, -2.0f, 0.0f, radius, 100);
        EXPECT_LE(s.farthestFrom(1.5, -2.0, 0.0), teselado::ALCANCE_CUPULA * radius) << radius;
        EXPECT_GT(s.farthestFrom(1.5, -2.0, 0.0), 0.99 * radius) << radius;
    }
}

} // namespace
