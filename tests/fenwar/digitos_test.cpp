// Tests of the bar font rules: glyph bars and vertex order, the score and health text, lost game.
#include "digitos.h"

#include <gtest/gtest.h>

#include <string>

using namespace fenwar;

namespace {

std::string glyphs(const std::vector<PasoHud>& plan) {
    std::string s;
    for (const PasoHud& p : plan) {
        if (!p.esColor)
            s += p.glifo;
    }
    return s;
}

std::string text(int numero, bool esvida) {
    return glyphs(planNumero(0.75f, 20, 10, 0, numero, esvida));
}

} // namespace

TEST(BarFont, GlyphsHaveTheirBarsInsideTheCell) {
    const std::string chars = "0123456789city";
    const size_t counts[] = {4, 1, 5, 4, 4, 5, 6, 2, 7, 5, 3, 1, 2, 4};
    for (size_t k = 0; k < chars.size(); k++) {
        std::vector<Barra> bars = barrasGlifo(chars[k]);
        EXPECT_EQ(bars.size(), counts[k]) << chars[k];
        for (const Barra& b : bars) {
            EXPECT_LT(b.fx0, b.fx1);
            EXPECT_LT(b.fy0, b.fy1);
            EXPECT_GE(b.fx0, 0.0f);
            EXPECT_LE(b.fy1, 1.0f);
        }
    }
    EXPECT_TRUE(barrasGlifo('x').empty());
    EXPECT_TRUE(barrasGlifo('-').empty());
    EXPECT_TRUE(barrasGlifo('\0').empty());
    // The last bar of 'y' is its stem.
    Barra stem = barrasGlifo('y')[3];
    EXPECT_FLOAT_EQ(stem.fx0, 0.4f);
    EXPECT_FLOAT_EQ(stem.fy1, 0.6f);
    // '2' draws its lower-left bar fourth.
    Barra low = barrasGlifo('2')[3];
    EXPECT_FLOAT_EQ(low.fx1, 0.2f);
    EXPECT_FLOAT_EQ(low.fy1, 0.4f);
}

TEST(BarFont, VertexOrderDependsOnTheBarWidth) {
    float c[4][2];
    esquinasBarra(Barra{0, 1, 0.8f, 1}, c); // full width: LB, LT, RT, RB
    const float wide[4][2] = {{0, 0.8f}, {0, 1}, {1, 1}, {1, 0.8f}};
    for (int k = 0; k < 4; k++) {
        EXPECT_FLOAT_EQ(c[k][0], wide[k][0]);
        EXPECT_FLOAT_EQ(c[k][1], wide[k][1]);
    }
    esquinasBarra(Barra{0.8f, 1, 0, 1}, c); // other bars: LB, RB, RT, LT
    const float narrow[4][2] = {{0.8f, 0}, {1, 0}, {1, 1}, {0.8f, 1}};
    for (int k = 0; k < 4; k++) {
        EXPECT_FLOAT_EQ(c[k][0], narrow[k][0]);
        EXPECT_FLOAT_EQ(c[k][1], narrow[k][1]);
    }
}

TEST(ScoreText, PaddedToEightOrThreeDigits) {
    EXPECT_EQ(text(42, false), "00000042");
    EXPECT_EQ(text(42, true), "042");
    EXPECT_EQ(text(0, false), "00000000");
    EXPECT_EQ(text(99999999, false), "99999999");
    EXPECT_EQ(text(100, true), "100");
    // A minus keeps its place and draws blank.
    EXPECT_EQ(text(-7, true), "0-7");
    EXPECT_EQ(text(-7, false), "000000-7");
    // Texts longer than eight keep their last eight characters.
    EXPECT_EQ(text(-12345678, false), "12345678");
    EXPECT_EQ(text(-2147483647 - 1, false), "47483648");
}

TEST(ScoreText, HundredMillionWrapsAndDrawsNothing) {
    int n = 100000000;
    EXPECT_TRUE(planNumero(0.75f, 20, 10, 0, n, false).empty());
    EXPECT_EQ(n, 0);
    n = 2147483647;
    EXPECT_TRUE(planNumero(0.75f, 20, 10, 0, n, false).empty());
    EXPECT_EQ(n, 2047483647);
    n = 99999999;
    planNumero(0.75f, 20, 10, 0, n, false);
    EXPECT_EQ(n, 99999999);
}

TEST(ScoreText, DigitsAdvanceByTheScaledStep) {
    int n = 12;
    std::vector<PasoHud> plan = planNumero(0.75f, 20, 10, 453.33334f, n, false);
    ASSERT_EQ(plan.size(), 8u);
    for (size_t k = 0; k < plan.size(); k++) {
        EXPECT_NEAR(plan[k].offsetx, 10 + k * (20 + 10 + 4) * 0.75f, 1e-3f);
        EXPECT_FLOAT_EQ(plan[k].offsety, 453.33334f);
    }
}

TEST(CityLines, ColoursFollowTheHealth) {
    const struct {
        int h;
        float rgb[3];
    } cases[] = {{100, {0, 1, 0}}, {51, {0, 1, 0}}, {50, {1, 1, 0}}, {26, {1, 1, 0}},
                 {25, {1, 0, 0}},  {1, {1, 0, 0}},  {0, {1, 1, 1}},  {-20, {1, 1, 1}}};
    for (const auto& c : cases) {
        float rgb[3];
        colorSalud(c.h, rgb);
        for (int k = 0; k < 3; k++)
            EXPECT_EQ(rgb[k], c.rgb[k]) << c.h;
    }
}

TEST(CityLines, LabelNumberAndHealthOnThreeLines) {
    int health[3] = {100, 50, -20};
    std::vector<PasoHud> plan = planCiudades(0.75f, 1.3333334f, 15, 490, 460, health);
    EXPECT_EQ(glyphs(plan), "city1100city2050city3000");
    ASSERT_EQ(plan.size(), 30u);
    // Blue label, then the health colour: green, yellow, white.
    EXPECT_TRUE(plan[0].esColor);
    EXPECT_EQ(plan[0].b, 1.0f);
    EXPECT_EQ(plan[0].g, 0.0f);
    EXPECT_TRUE(plan[6].esColor);
    EXPECT_EQ(plan[6].r, 0.0f);
    EXPECT_EQ(plan[6].g, 1.0f);
    EXPECT_EQ(plan[16].r, 1.0f);
    EXPECT_EQ(plan[16].b, 0.0f);
    EXPECT_EQ(plan[26].b, 1.0f);

    // Advances: c, i by the scale; t by scale + 4 + gap; y and the number by scale + 10 + gap.
    const float s = 0.75f;
    EXPECT_FLOAT_EQ(plan[1].offsetx, 490);
    EXPECT_FLOAT_EQ(plan[2].offsetx, 490 + 15 * s);
    EXPECT_FLOAT_EQ(plan[3].offsetx, 490 + 30 * s);
    EXPECT_FLOAT_EQ(plan[4].offsetx, 490 + (30 + 22) * s);
    EXPECT_FLOAT_EQ(plan[5].offsetx, 490 + (30 + 22 + 28) * s);
    EXPECT_FLOAT_EQ(plan[7].offsetx, 490 + (30 + 22 + 28 + 28) * s);
    EXPECT_FLOAT_EQ(plan[8].offsetx, 490 + (30 + 22 + 28 + 28 + 28) * s);
    // The next line starts again at the left, one line lower.
    EXPECT_FLOAT_EQ(plan[11].offsetx, 490);
    EXPECT_FLOAT_EQ(plan[11].offsety, 460 - 18 * 1.3333334f);
    EXPECT_FLOAT_EQ(plan[21].offsety, 460 - 2 * 18 * 1.3333334f);
}

TEST(LostGame, OnlyAllThreeCitiesDownEndTheGame) {
    const int lost[][3] = {{0, 0, 0}, {-5, 0, -20}, {-1, -1, -1}};
    for (const auto& h : lost)
        EXPECT_TRUE(gameover(h));
    const int playing[][3] = {{0, 0, 1}, {100, 100, 100}, {1, -5, -5}, {-5, 1, -5}};
    for (const auto& h : playing)
        EXPECT_FALSE(gameover(h));
}

// A health of a hundred million or more is treated as the score is: that frame shows no number
// for the city and the health is reduced, the next frame shows what is left. A health below 0 is
// shown as 000 and kept.
TEST(CityLines, AHundredMillionHealthWrapsAsTheScoreDoes) {
    int health[3] = {100000005, 2147483647, -20};
    EXPECT_EQ(glyphs(planCiudades(0.75f, 1.3333334f, 15, 490, 460, health)), "city1city2city3000");
    EXPECT_EQ(health[0], 5);
    EXPECT_EQ(health[1], 2047483647);
    EXPECT_EQ(health[2], -20);
    EXPECT_EQ(glyphs(planCiudades(0.75f, 1.3333334f, 15, 490, 460, health)),
              "city1005city2city3000");
    EXPECT_EQ(health[1], 1947483647);
}
