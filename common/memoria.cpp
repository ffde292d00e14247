// Asking the C library's allocator to give the memory a game has freed back to the system.
#include "memoria.h"

// Any C library header defines __GLIBC__ on glibc; without one the test below would be false.
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

void ajustarAsignador() {
#ifdef __GLIBC__
    // Left to itself the allocator raises this limit to the size of each such block it frees, so
    // the pictures read again after a change of video mode would land inside the heap, whose
    // pages it keeps. The blocks the driver takes and frees while drawing are smaller: a frame
    // of either game's busiest scene makes no mapping.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
#endif
}

void devolverMemoriaLibre() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
