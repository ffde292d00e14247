// Integer sums that stay within int's range: a result past either end is held at that end.
#pragma once

// v brought into int's range.
int acotarEntero(long long v);
// a + b, held within int's range.
int sumaSaturada(int a, int b);
// a - b, held within int's range.
int restaSaturada(int a, int b);
