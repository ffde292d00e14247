// Refuses video modes, as a desktop that cannot show 640x480 full screen does: preloaded into a
// game, SDL_SetVideoMode fails whenever full screen is asked for, and with REFUSE_VIDEO_AFTER=n
// every call after the n-th fails too.
#define _GNU_SOURCE
#include <SDL.h>
#include <dlfcn.h>
#include <stdlib.h>

SDL_Surface* SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags) {
    static SDL_Surface* (*real)(int, int, int, Uint32);
    static int calls;
    if (real == NULL) {
        real = (SDL_Surface * (*)(int, int, int, Uint32)) dlsym(RTLD_NEXT, "SDL_SetVideoMode");
    }
    ++calls;
    const char* after = getenv("REFUSE_VIDEO_AFTER");
    if ((flags & SDL_FULLSCREEN) != 0 || (after != NULL && calls > atoi(after))) {
        SDL_SetError("mode %dx%d refused", width, height);
        return NULL;
    }
    return real(width, height, bpp, flags);
}
