// The game clock and the 15-bit generator behave the same on every machine.
#include "azar.h"
#include "reloj.h"

#include <gtest/gtest.h>

TEST(Reloj, CountsMillisecondsAndCanBeHeld) {
    long a = relojMs();
    relojFijar(123456);
    EXPECT_EQ(relojMs(), 123456);
    EXPECT_EQ(relojMs(), 123456);
    relojSoltar();
    long b = relojMs();
    EXPECT_GE(b, a);
    EXPECT_LT(b - a, 10000); // milliseconds, not microseconds of processor time
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
