// Integer sums that stay within int's range: a result past either end is held at that end.
#include "entero.h"

#include <climits>

int acotarEntero(long long v) {
    return v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : static_cast<int>(v));
}

int sumaSaturada(int a, int b) {
    return acotarEntero(static_cast<long long>(a) + b);
}

int restaSaturada(int a, int b) {
    return acotarEntero(static_cast<long long>(a) - b);
}
