// The decimal scanner: what a number is, where it ends, and never a byte past the end given.
#include "decimal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// How many characters of `texto` the scanner takes as a number.
size_t taken(const std::string& texto) {
    return static_cast<size_t>(finDecimal(texto.data(), texto.data() + texto.size()) -
                               texto.data());
}

TEST(Decimal, TakesTheLongestNumberAtTheStart) {
    EXPECT_EQ(taken("12"), 2u);
    EXPECT_EQ(taken("-1.5x"), 4u);
    EXPECT_EQ(taken("+.5"), 3u);
    EXPECT_EQ(taken("7."), 2u);
    EXPECT_EQ(taken("1e5"), 3u);
    EXPECT_EQ(taken("1.25E-3/2"), 7u);
    EXPECT_EQ(taken("3e"), 1u) << "an exponent without digits is not part of it";
    EXPECT_EQ(taken("3e+"), 1u);
    EXPECT_EQ(taken("3e-x"), 1u);
}

TEST(Decimal, NoDigitsIsNoNumber) {
    for (const char* texto : {"", "-", "+", ".", "-.", "e5", " 1", "nan", "inf", "x1"}) {
        EXPECT_EQ(taken(texto), 0u) << '"' << texto << '"';
    }
    EXPECT_EQ(taken("0x1p3"), 1u) << "hexadecimal stops at the x";
}

// The end given is the end: digits that follow it in memory are not read, even in the exponent.
TEST(Decimal, StopsAtTheEndItIsGiven) {
    const char texto[] = "-12.5e+33";
    for (size_t n = 0; n <= std::strlen(texto); ++n) {
        const char* fin = finDecimal(texto, texto + n);
        EXPECT_LE(fin, texto + n) << n;
    }
    EXPECT_EQ(finDecimal(texto, texto + 6), texto + 5) << "\"-12.5e\": the e is left";
    EXPECT_EQ(finDecimal(texto, texto + 7), texto + 5) << "\"-12.5e+\"";
    EXPECT_EQ(finDecimal(texto, texto + 8), texto + 8);
}

} // namespace
