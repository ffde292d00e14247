// Counts the frames a game shows, from outside the game: preloaded into it, this wraps
// SDL_GL_SwapBuffers and keeps the running total, with the bytes the allocator has handed out, in
// the file named by FRAME_COUNT_FILE.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <malloc.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

static unsigned long frames;
static int counterFile = -2;

void SDL_GL_SwapBuffers(void) {
    static void (*swap)(void);
    if (swap == NULL) {
        swap = (void (*)(void))dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers");
    }
    if (swap != NULL) {
        swap();
    }
    ++frames;
    if (counterFile == -2) {
        const char* path = getenv("FRAME_COUNT_FILE");
        counterFile = path != NULL ? open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644) : -1;
    }
    // Heap bytes in use, from the allocator itself: a leak makes it climb, while resident memory
    // also moves with freed pages the allocator keeps. Blocks the allocator maps on their own
    // (large pictures and buffers, until its threshold rises) count too, so a block counts the
    // same wherever it lives. Asked once a second or so: it locks the heap.
    static size_t inUse;
    if (frames % 60 == 1) {
        const struct mallinfo2 heap = mallinfo2();
        inUse = heap.uordblks + heap.hblkhd;
    }
    if (counterFile >= 0) {
        // Fixed width, written in place: a reader never sees half a line.
        char line[48];
        const int n = snprintf(line, sizeof line, "%20lu %20zu\n", frames, inUse);
        if (pwrite(counterFile, line, (size_t)n, 0) != n) {
            counterFile = -1;
        }
    }
}
