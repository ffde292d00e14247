// Counts the frames a game shows, from outside the game: preloaded into it, this wraps
// SDL_GL_SwapBuffers and keeps the running total in the file named by FRAME_COUNT_FILE.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
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
    if (counterFile >= 0) {
        // Fixed width, written in place: a reader never sees half a number.
        char line[24];
        const int n = snprintf(line, sizeof line, "%20lu\n", frames);
        if (pwrite(counterFile, line, (size_t)n, 0) != n) {
            counterFile = -1;
        }
    }
}
