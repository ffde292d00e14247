// Sums held within int's range: at both ends, across them, and what stays inside untouched.
#include "entero.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(Entero, SumsStopAtTheEndsOfTheRange) {
    EXPECT_EQ(sumaSaturada(INT_MAX, 1), INT_MAX);
    EXPECT_EQ(sumaSaturada(INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(sumaSaturada(INT_MIN, -1), INT_MIN);
    EXPECT_EQ(sumaSaturada(INT_MIN, INT_MIN), INT_MIN);
    EXPECT_EQ(restaSaturada(INT_MIN, 1), INT_MIN);
    EXPECT_EQ(restaSaturada(INT_MAX, -1), INT_MAX);
    EXPECT_EQ(restaSaturada(0, INT_MIN), INT_MAX) << "0 - INT_MIN does not fit";
    EXPECT_EQ(restaSaturada(-1, INT_MIN), INT_MAX);
}

TEST(Entero, SumsInsideTheRangeAreExact) {
    EXPECT_EQ(sumaSaturada(INT_MAX - 5, 5), INT_MAX);
    EXPECT_EQ(sumaSaturada(INT_MAX, INT_MIN), -1);
    EXPECT_EQ(restaSaturada(100, 30), 70);
    EXPECT_EQ(restaSaturada(-5, -5), 0);
    EXPECT_EQ(acotarEntero(1LL << 40), INT_MAX);
    EXPECT_EQ(acotarEntero(-(1LL << 40)), INT_MIN);
    EXPECT_EQ(acotarEntero(-7), -7);
}

} // namespace
