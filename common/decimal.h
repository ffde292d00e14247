// The one scanner of decimal numbers in text both games' readers use.
#pragma once

// The end of the decimal number at the start of [p, fin): an optional sign, digits with an
// optional fraction (at least one digit in all), then an exponent only when it has digits. p
// itself when no number starts there. Never reads at or past `fin`; takes no "nan", "inf" or hex.
const char* finDecimal(const char* p, const char* fin);
