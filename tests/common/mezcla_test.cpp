// The sound room's mixer: sums and clipping, voices taken and looped, pause and switch, its cost;
// and the placement law: balance at the centre and the edges, loudness within its bounds.
#include "mezcla.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <ctime>
#include <iostream>
#include <vector>

namespace {

// A stereo sound of `frames` frames, every left sample `left` and every right one `right`.
struct TestSound {
    std::vector<std::int16_t> samples;
    TestSound(std::size_t frames, std::int16_t left, std::int16_t right) {
        for (std::size_t i = 0; i < frames; ++i) {
            samples.push_back(left);
            samples.push_back(right);
        }
    }
    explicit TestSound(std::vector<std::int16_t> s) : samples(std::move(s)) {}
    Sonido sound() const { return Sonido{samples.data(), samples.size() / 2}; }
};

std::vector<std::int16_t> mix(Mezclador& m, std::size_t frames) {
    std::vector<std::int16_t> out(2 * frames, 12345);
    m.mezclar(out.data(), frames);
    return out;
}

bool silent(const std::vector<std::int16_t>& out) {
    for (std::int16_t s : out)
        if (s != 0)
            return false;
    return true;
}

constexpr Ganancias WHOLE{1.0f, 1.0f};

} // namespace

TEST(Mezclador, SumsVoicesWithEachEarsGain) {
    Mezclador m;
    TestSound a(8, 1000, -1000), b(8, 2000, 4000);
    m.tocar(a.sound(), WHOLE, Clase::JUEGO, false);
    m.tocar(b.sound(), Ganancias{0.5f, 0.25f}, Clase::JUEGO, false);
    std::vector<std::int16_t> out = mix(m, 8);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(out[2 * i], 1000 + 1000);
        EXPECT_EQ(out[2 * i + 1], -1000 + 1000);
    }
    // One ear only: the other hears nothing of it.
    Mezclador solo;
    solo.tocar(b.sound(), Ganancias{0.0f, 1.0f}, Clase::JUEGO, false);
    out = mix(solo, 4);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 4000);
}

TEST(Mezclador, ClipsTheWideSumOnceNotEachVoice) {
    Mezclador m;
    TestSound loud(4, 30000, -30000), against(4, -30000, 30000);
    m.tocar(loud.sound(), WHOLE, Clase::JUEGO, false);
    m.tocar(loud.sound(), WHOLE, Clase::JUEGO, false);
    std::vector<std::int16_t> two = mix(m, 2);
    EXPECT_EQ(two[0], 32767);
    EXPECT_EQ(two[1], -32768);
    // 30000 + 30000 - 30000 is 30000: clipping after each voice would give 2767.
    m.tocar(against.sound(), WHOLE, Clase::JUEGO, false);
    std::vector<std::int16_t> three = mix(m, 2);
    EXPECT_EQ(three[0], 30000);
    EXPECT_EQ(three[1], -30000);
    // Sixteen voices at full scale stay in range.
    Mezclador full;
    TestSound extreme(4, -32768, 32767);
    for (int i = 0; i < VOCES; ++i)
        full.tocar(extreme.sound(), WHOLE, Clase::JUEGO, false);
    std::vector<std::int16_t> out = mix(full, 4);
    EXPECT_EQ(out[0], -32768);
    EXPECT_EQ(out[1], 32767);
}

TEST(Mezclador, GainsOutsideTheRangeAreBroughtIn) {
    TestSound s(2, 1000, 1000);
    const float nan = std::nanf("");
    struct Case {
        Ganancias g;
        std::int16_t left, right;
    } cases[] = {{{2.0f, -1.0f}, 1000, 0},
                 {{nan, INFINITY}, 0, 1000},
                 {{-INFINITY, 0.5f}, 0, 500},
                 {{1e-9f, 0.999999f}, 0, 1000}};
    for (const Case& c : cases) {
        Mezclador m;
        m.tocar(s.sound(), c.g, Clase::JUEGO, false);
        std::vector<std::int16_t> out = mix(m, 1);
        EXPECT_EQ(out[0], c.left);
        EXPECT_EQ(out[1], c.right);
    }
}

TEST(Mezclador, OneShotEndsAcrossBuffersAndItsHandleGoesStale) {
    Mezclador m;
    std::vector<std::int16_t> ramp;
    for (int i = 0; i < 700; ++i) {
        ramp.push_back(static_cast<std::int16_t>(i));
        ramp.push_back(static_cast<std::int16_t>(-i));
    }
    TestSound s(ramp);
    Manija h = m.tocar(s.sound(), WHOLE, Clase::JUEGO, false);
    EXPECT_TRUE(m.sonando(h));
    // Odd buffer sizes, across the mixer's own chunks.
    std::vector<std::int16_t> heard;
    for (std::size_t n : {1, 300, 255, 200}) {
        std::vector<std::int16_t> out = mix(m, n);
        heard.insert(heard.end(), out.begin(), out.end());
    }
    ASSERT_EQ(heard.size(), 2u * 756);
    for (int i = 0; i < 700; ++i)
        ASSERT_EQ(heard[2 * i], i);
    for (std::size_t k = 2 * 700; k < heard.size(); ++k)
        ASSERT_EQ(heard[k], 0);
    EXPECT_FALSE(m.sonando(h));
    EXPECT_FALSE(m.mover(h, WHOLE));
    EXPECT_EQ(m.cuadrosMezclados(), 756u);
}

TEST(Mezclador, LoopPlaysUntilStoppedAndItsGainsMoveWhilePlaying) {
    Mezclador m;
    TestSound s(std::vector<std::int16_t>{100, 100, 200, 200, 300, 300});
    Manija h = m.tocar(s.sound(), Ganancias{1.0f, 0.0f}, Clase::JUEGO, true);
    std::vector<std::int16_t> out = mix(m, 7);
    const int expected[] = {100, 200, 300, 100, 200, 300, 100};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(out[2 * i], expected[i]);
        EXPECT_EQ(out[2 * i + 1], 0);
    }
    // The engine moves across: from the left ear to the right one, where the loop goes on.
    EXPECT_TRUE(m.mover(h, Ganancias{0.0f, 0.5f}));
    out = mix(m, 2);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 100);
    EXPECT_EQ(out[3], 150);
    // Many loops later it still plays, then stops at once.
    mix(m, 100000);
    EXPECT_TRUE(m.sonando(h));
    m.parar(h);
    EXPECT_FALSE(m.sonando(h));
    EXPECT_TRUE(silent(mix(m, 10)));
    m.parar(h); // twice is harmless
}

TEST(Mezclador, NewSoundTakesAFreeVoiceThenTheQuietest) {
    Mezclador m;
    TestSound s(1000, 1000, 1000), fresh(1000, 3, 3);
    std::vector<Manija> handles;
    // Loudness (the louder ear) decreasing, but voice 9 the quietest.
    for (int i = 0; i < VOCES; ++i) {
        float g = i == 9 ? 0.05f : 1.0f - 0.04f * i;
        handles.push_back(m.tocar(s.sound(), Ganancias{g, g / 2}, Clase::JUEGO, false));
        ASSERT_EQ(handles.back().voz, i); // free voices first
    }
    Manija taken = m.tocar(fresh.sound(), WHOLE, Clase::JUEGO, false);
    EXPECT_EQ(taken.voz, 9);
    EXPECT_FALSE(m.sonando(handles[9]));
    EXPECT_FALSE(m.mover(handles[9], WHOLE)); // the old handle no longer moves the new sound
    EXPECT_TRUE(m.sonando(taken));
    for (int i = 0; i < VOCES; ++i) {
        if (i != 9) {
            EXPECT_TRUE(m.sonando(handles[i])) << i;
        }
    }

    // Of equally quiet voices the older goes; the right ear counts as much as the left.
    Mezclador e;
    for (int i = 0; i < VOCES; ++i)
        handles[i] = e.tocar(s.sound(), i % 2 ? Ganancias{0.0f, 0.3f} : Ganancias{0.3f, 0.0f},
                             Clase::JUEGO, false);
    EXPECT_EQ(e.tocar(fresh.sound(), WHOLE, Clase::JUEGO, false).voz, 0);
    EXPECT_EQ(e.tocar(fresh.sound(), WHOLE, Clase::JUEGO, false).voz, 1);
    EXPECT_EQ(e.tocar(fresh.sound(), WHOLE, Clase::JUEGO, false).voz, 2);
}

TEST(Mezclador, EmptySoundsAndStrayHandlesDoNothing) {
    Mezclador m;
    std::vector<std::int16_t> none;
    EXPECT_EQ(m.tocar(Sonido{}, WHOLE, Clase::JUEGO, false).voz, -1);
    EXPECT_EQ(m.tocar(Sonido{none.data(), 0}, WHOLE, Clase::MENU, true).voz, -1);
    for (Manija h : {Manija{}, Manija{-3, 1}, Manija{VOCES, 1}, Manija{0, 0}, Manija{0, 77}}) {
        EXPECT_FALSE(m.sonando(h));
        EXPECT_FALSE(m.mover(h, WHOLE));
        m.parar(h);
    }
    EXPECT_TRUE(silent(mix(m, 300)));
}

TEST(Mezclador, PauseSilencesPlayAndResumesWithoutBacklog) {
    Mezclador m;
    TestSound play(10000, 1000, 1000), menu(10000, 7, 7);
    Manija engine = m.tocar(play.sound(), WHOLE, Clase::JUEGO, true);
    Manija burst = m.tocar(play.sound(), WHOLE, Clase::JUEGO, false);
    mix(m, 100);
    m.pausar(true);
    EXPECT_TRUE(m.pausado());
    EXPECT_FALSE(m.sonando(engine));
    EXPECT_FALSE(m.sonando(burst));
    EXPECT_TRUE(silent(mix(m, 500)));
    // Play asked for during the pause is refused, not kept for later; menu steps are heard.
    EXPECT_EQ(m.tocar(play.sound(), WHOLE, Clase::JUEGO, false).voz, -1);
    Manija step = m.tocar(menu.sound(), WHOLE, Clase::MENU, false);
    std::vector<std::int16_t> during = mix(m, 50);
    EXPECT_EQ(during[0], 7);
    EXPECT_EQ(during[99], 7);
    m.pausar(true); // every frame of the pause may say so again
    EXPECT_TRUE(m.sonando(step));
    m.parar(step);
    m.pausar(false);
    EXPECT_TRUE(silent(mix(m, 20000)));
    // Play starts again with new sounds only.
    Manija again = m.tocar(play.sound(), WHOLE, Clase::JUEGO, false);
    EXPECT_TRUE(m.sonando(again));
    EXPECT_EQ(mix(m, 1)[0], 1000);
}

TEST(Mezclador, SwitchedOffNothingIsHeardUntilItIsOnAgain) {
    Mezclador m;
    TestSound s(10000, 1000, 1000);
    Manija menu = m.tocar(s.sound(), WHOLE, Clase::MENU, false);
    Manija loop = m.tocar(s.sound(), WHOLE, Clase::JUEGO, true);
    m.encender(false);
    EXPECT_FALSE(m.encendido());
    EXPECT_FALSE(m.sonando(menu));
    EXPECT_FALSE(m.sonando(loop));
    EXPECT_EQ(m.tocar(s.sound(), WHOLE, Clase::MENU, false).voz, -1);
    EXPECT_EQ(m.tocar(s.sound(), WHOLE, Clase::JUEGO, true).voz, -1);
    EXPECT_TRUE(silent(mix(m, 1000)));
    m.encender(true);
    EXPECT_TRUE(silent(mix(m, 1000))); // nothing comes back
    m.tocar(s.sound(), WHOLE, Clase::JUEGO, false);
    EXPECT_EQ(mix(m, 1)[1], 1000);
    // Off during a pause, then on: still paused.
    m.pausar(true);
    m.encender(false);
    m.encender(true);
    EXPECT_TRUE(m.pausado());
    EXPECT_EQ(m.tocar(s.sound(), WHOLE, Clase::JUEGO, false).voz, -1);
}

TEST(Mezclador, MixingEveryVoiceCostsWellUnderOnePercentOfACore) {
    std::vector<std::int16_t> noise(2 * 30000);
    unsigned seed = 1;
    for (std::int16_t& v : noise) {
        seed = seed * 1103515245u + 12345u;
        v = static_cast<std::int16_t>(seed >> 16);
    }
    TestSound s(noise);
    Mezclador m;
    for (int i = 0; i < VOCES; ++i)
        m.tocar(s.sound(), Ganancias{0.1f + 0.05f * i, 0.9f - 0.05f * i}, Clase::JUEGO, true);
    constexpr int SECONDS = 20;
    constexpr std::size_t BUFFER = 512;
    std::vector<std::int16_t> out(2 * BUFFER);
    timespec start, end;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    long long check = 0;
    for (std::size_t done = 0; done < std::size_t{SECONDS} * FRECUENCIA_SONIDO; done += BUFFER) {
        m.mezclar(out.data(), BUFFER);
        check += out[done % (2 * BUFFER)];
    }
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    const double seconds = (end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) * 1e-9;
    const double share = 100.0 * seconds / SECONDS;
    std::cout << "mixing " << VOCES << " voices: " << share << " % of a core (" << check << ")\n";
    RecordProperty("percent_of_a_core", std::to_string(share));
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(share, 1.0);
#else
    EXPECT_LT(share, 10.0); // unoptimised or sanitized: only a gross slowdown fails
#endif
}

namespace {

constexpr float COS45 = 0.70710678f;
constexpr Alcance NEAR_WHOLE{2.0f, 0.1f};

void expectGains(Ganancias g, float left, float right, float tol = 1e-5f) {
    EXPECT_NEAR(g.izquierda, left, tol);
    EXPECT_NEAR(g.derecha, right, tol);
}

} // namespace

TEST(ColocarSonido, CentreAndEdgesOfTheBalance) {
    // An eye at the origin looking along -z with y up, as an unturned GL camera: right is +x.
    const Punto3 eye{0, 0, 0}, view{0, 0, -1}, up{0, 1, 0};
    expectGains(colocarSonido(eye, view, up, Punto3{0, 0, -1}, NEAR_WHOLE), COS45, COS45);
    expectGains(colocarSonido(eye, view, up, Punto3{1, 0, 0}, NEAR_WHOLE), 0.0f, 1.0f);
    expectGains(colocarSonido(eye, view, up, Punto3{-1, 0, 0}, NEAR_WHOLE), 1.0f, 0.0f);
    // Straight above, below and behind: centred.
    for (Punto3 p : {Punto3{0, 1, 0}, Punto3{0, -1, 0}, Punto3{0, 0, 1}})
        expectGains(colocarSonido(eye, view, up, p, NEAR_WHOLE), COS45, COS45);
    // Behind on the left is still on the left.
    Ganancias g = colocarSonido(eye, view, up, Punto3{-1, 0, 1}, NEAR_WHOLE);
    EXPECT_GT(g.izquierda, 0.9f);
    // Only the part of up across the view counts, and its length does not matter.
    expectGains(colocarSonido(eye, view, Punto3{0, 5, 3}, Punto3{1, 0, 0}, NEAR_WHOLE), 0.0f, 1.0f);
}

TEST(ColocarSonido, BalanceKeepsThePowerConstantAndFollowsTheSide) {
    const Punto3 eye{3, -2, 1}, view{1, 1, 0}, up{0, 0, 1};
    float lastRight = -1.0f;
    // Round from the right-hand side of the view (at -45°), ahead (45°), to its left (135°).
    for (int deg = -90; deg <= 90; deg += 5) {
        const double a = (deg + 45) * M_PI / 180.0;
        Punto3 at{static_cast<float>(3 + std::cos(a)), static_cast<float>(-2 + std::sin(a)), 1};
        Ganancias g = colocarSonido(eye, view, up, at, NEAR_WHOLE);
        EXPECT_NEAR(g.izquierda * g.izquierda + g.derecha * g.derecha, 1.0f, 1e-5f) << deg;
        if (lastRight >= 0) {
            EXPECT_LT(g.derecha, lastRight) << deg;
        }
        lastRight = g.derecha;
    }
}

TEST(ColocarSonido, LoudnessFallsWithDistanceBetweenCeilingAndFloor) {
    const Punto3 eye{0, 0, 0}, view{0, 0, -1}, up{0, 1, 0};
    auto loudness = [&](float d, Alcance a) {
        Ganancias g = colocarSonido(eye, view, up, Punto3{0, 0, -d}, a);
        EXPECT_NEAR(g.izquierda, g.derecha, 1e-6f);
        return g.izquierda / COS45;
    };
    EXPECT_NEAR(loudness(0.0f, NEAR_WHOLE), 1.0f, 1e-5f); // at the eye: the ceiling, no blow-up
    EXPECT_NEAR(loudness(1.0f, NEAR_WHOLE), 1.0f, 1e-5f);
    EXPECT_NEAR(loudness(2.0f, NEAR_WHOLE), 1.0f, 1e-5f);
    EXPECT_NEAR(loudness(4.0f, NEAR_WHOLE), 0.5f, 1e-5f);
    EXPECT_NEAR(loudness(10.0f, NEAR_WHOLE), 0.2f, 1e-5f);
    EXPECT_NEAR(loudness(1000.0f, NEAR_WHOLE), 0.1f, 1e-5f); // far behind is still faintly heard
    float last = 2.0f;
    for (float d = 0.5f; d < 100.0f; d *= 1.3f) {
        float l = loudness(d, NEAR_WHOLE);
        EXPECT_LE(l, last);
        EXPECT_GE(l, 0.1f - 1e-6f);
        last = l;
    }
    // Odd bounds: a floor above 1 is 1, a floor below 0 or not a number is 0, no reach is the
    // floor.
    EXPECT_NEAR(loudness(50.0f, Alcance{2.0f, 3.0f}), 1.0f, 1e-5f);
    EXPECT_NEAR(loudness(50.0f, Alcance{2.0f, -1.0f}), 0.04f, 1e-5f);
    EXPECT_NEAR(loudness(50.0f, Alcance{2.0f, std::nanf("")}), 0.04f, 1e-5f);
    EXPECT_NEAR(loudness(50.0f, Alcance{-2.0f, 0.3f}), 0.3f, 1e-5f);
    EXPECT_NEAR(loudness(50.0f, Alcance{std::nanf(""), 0.3f}), 0.3f, 1e-5f);
}

TEST(ColocarSonido, BadNumbersGiveTheCentre) {
    const float nan = std::nanf("");
    const Punto3 eye{0, 0, 0}, view{0, 0, -1}, up{0, 1, 0};
    // An event that is not a number: centred, at the floor.
    expectGains(colocarSonido(eye, view, up, Punto3{nan, 0, 0}, NEAR_WHOLE), 0.1f * COS45,
                0.1f * COS45);
    expectGains(colocarSonido(eye, view, up, Punto3{INFINITY, 0, 0}, NEAR_WHOLE), 0.1f * COS45,
                0.1f * COS45);
    // No direction across the view (no view, no up, or up along it): centred, loudness kept.
    for (Punto3 v : {Punto3{0, 0, 0}, Punto3{0, 1, 0}, Punto3{nan, 0, 0}})
        expectGains(colocarSonido(eye, v, up, Punto3{1, 0, 0}, NEAR_WHOLE), COS45, COS45);
    expectGains(colocarSonido(eye, view, Punto3{0, 0, 0}, Punto3{1, 0, 0}, NEAR_WHOLE), COS45,
                COS45);
    // Huge but finite coordinates stay finite.
    Ganancias g = colocarSonido(eye, view, up, Punto3{3e38f, 3e38f, 3e38f}, NEAR_WHOLE);
    EXPECT_TRUE(std::isfinite(g.izquierda) && std::isfinite(g.derecha));
}
