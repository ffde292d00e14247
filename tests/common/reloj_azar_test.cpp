// The game clock, the frame's pace and the 15-bit generator behave the same on every machine.
#include "azar.h"
#include "reloj.h"
#include "ritmo.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(Reloj, CountsMillisecondsAndCanBeHeld) {
    long a = relojMs();
    relojFijar(123456);
    EXPECT_EQ(relojMs(), 123456);
    EXPECT_EQ(relojMs(), 123456);
    relojSoltar();
    long b = relojMs();
    EXPECT_GE(b, a);
    EXPECT_LT(b - a, 10000); // milliseconds, not microseconds of processor time
    const long long us = relojUs();
    EXPECT_LE(std::llabs(us / 1000 - relojMs()), 1);
}

// A frame sleeps what is left of 16 ms since it began, to the nearest millisecond, and nothing
// once it (or a swap that waited for the display) took that long.
TEST(Ritmo, AFrameLastsSixteenMilliseconds) {
    EXPECT_EQ(esperaCuadro(1000000, 1000000), 16);
    EXPECT_EQ(esperaCuadro(1000000, 1010000), 6);
    EXPECT_EQ(esperaCuadro(1000000, 1010400), 6);
    EXPECT_EQ(esperaCuadro(1000000, 1010600), 5);
    EXPECT_EQ(esperaCuadro(1000000, 1015400), 1);
    EXPECT_EQ(esperaCuadro(1000000, 1015600), 0);
    EXPECT_EQ(esperaCuadro(1000000, 1016000), 0);
    EXPECT_EQ(esperaCuadro(1000000, 1017000), 0);
    EXPECT_EQ(esperaCuadro(1000000, 100000000), 0);
    // A clock set back (only tests do it) never asks for more than a frame.
    EXPECT_EQ(esperaCuadro(1000000, 900000), 16);
}

TEST(Azar, FifteenBitRangeAndRepeatableSequence) {
    sembrarAzar(7);
    int primeros[5];
    for (int& n : primeros)
        n = azar();
    sembrarAzar(7);
    for (int n : primeros)
        EXPECT_EQ(azar(), n);
    int mayor = 0;
    for (int i = 0; i < 100000; ++i) {
        int n = azar();
        ASSERT_GE(n, 0);
        ASSERT_LE(n, AZAR_MAX);
        mayor = n > mayor ? n : mayor;
    }
    EXPECT_GT(mayor, 32000); // the whole range is reached
}

TEST(Azar, UnseededStartsLikeSeedOne) {
    sembrarAzar(1);
    EXPECT_EQ(azar(), 16838); // the well-known first draw of the portable C generator
}
