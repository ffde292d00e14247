// Counts the GL objects a game holds, from outside the game: preloaded into it, this wraps the
// calls that make and free textures, display lists, buffers, framebuffers and renderbuffers, and
// keeps the live count of each in the file named by GL_OBJECTS_FILE. Names are per context: names
// still held when a new video mode replaces the context are lost with it, and stay counted.
#define _GNU_SOURCE
#include <GL/gl.h>
#include <SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

enum { TEXTURES, LISTS, BUFFERS, FRAMEBUFFERS, RENDERBUFFERS, KINDS };
static const char* const kindNames[KINDS] = {"textures", "lists", "buffers", "framebuffers",
                                             "renderbuffers"};

// The live names of each kind in the current context, as a plain growing array.
static GLuint* live[KINDS];
static size_t liveCount[KINDS], capacity[KINDS];
// Names held by contexts that are gone.
static unsigned long lost[KINDS];

static void writeCounts(void) {
    const char* path = getenv("GL_OBJECTS_FILE");
    if (path == NULL) {
        return;
    }
    char text[256];
    int n = 0;
    for (int k = 0; k < KINDS; k++) {
        n += snprintf(text + n, sizeof text - (size_t)n, "%s %lu\n", kindNames[k],
                      (unsigned long)liveCount[k] + lost[k]);
    }
    // Written whole under another name, then renamed: a reader never sees half a file.
    char temporary[4096];
    snprintf(temporary, sizeof temporary, "%s.tmp", path);
    const int fd = open(temporary, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) {
        return;
    }
    const ssize_t written = write(fd, text, (size_t)n);
    close(fd);
    if (written == n) {
        rename(temporary, path);
    }
}

static void noteMade(int kind, GLsizei n, const GLuint* names) {
    for (GLsizei i = 0; i < n; i++) {
        if (liveCount[kind] == capacity[kind]) {
            capacity[kind] = capacity[kind] ? 2 * capacity[kind] : 64;
            live[kind] = realloc(live[kind], capacity[kind] * sizeof(GLuint));
        }
        live[kind][liveCount[kind]++] = names[i];
    }
    writeCounts();
}

static void noteFreed(int kind, GLsizei n, const GLuint* names) {
    for (GLsizei i = 0; i < n; i++) {
        for (size_t k = 0; k < liveCount[kind]; k++) {
            if (live[kind][k] == names[i]) {
                live[kind][k] = live[kind][--liveCount[kind]];
                break;
            }
        }
    }
    writeCounts();
}

#define NEXT(type, name) ((type)dlsym(RTLD_NEXT, name))

#define PAIR(gen, del, kind)                                                                       \
    void gen(GLsizei n, GLuint* names) {                                                           \
        static void (*real)(GLsizei, GLuint*);                                                     \
        if (real == NULL) {                                                                        \
            real = NEXT(void (*)(GLsizei, GLuint*), #gen);                                         \
        }                                                                                          \
        real(n, names);                                                                            \
        noteMade(kind, n, names);                                                                  \
    }                                                                                              \
    void del(GLsizei n, const GLuint* names) {                                                     \
        static void (*real)(GLsizei, const GLuint*);                                               \
        if (real == NULL) {                                                                        \
            real = NEXT(void (*)(GLsizei, const GLuint*), #del);                                   \
        }                                                                                          \
        noteFreed(kind, n, names);                                                                 \
        real(n, names);                                                                            \
    }

PAIR(glGenTextures, glDeleteTextures, TEXTURES)
PAIR(glGenBuffers, glDeleteBuffers, BUFFERS)
PAIR(glGenFramebuffers, glDeleteFramebuffers, FRAMEBUFFERS)
PAIR(glGenRenderbuffers, glDeleteRenderbuffers, RENDERBUFFERS)

GLuint glGenLists(GLsizei n) {
    static GLuint (*real)(GLsizei);
    if (real == NULL) {
        real = NEXT(GLuint(*)(GLsizei), "glGenLists");
    }
    const GLuint first = real(n);
    if (first != 0) {
        for (GLsizei i = 0; i < n; i++) {
            const GLuint name = first + (GLuint)i;
            noteMade(LISTS, 1, &name);
        }
    }
    return first;
}

void glDeleteLists(GLuint list, GLsizei n) {
    static void (*real)(GLuint, GLsizei);
    if (real == NULL) {
        real = NEXT(void (*)(GLuint, GLsizei), "glDeleteLists");
    }
    for (GLsizei i = 0; i < n; i++) {
        const GLuint name = list + (GLuint)i;
        noteFreed(LISTS, 1, &name);
    }
    real(list, n);
}

// A new video mode comes with a new context on X11: what the old one still held is lost.
SDL_Surface* SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags) {
    static SDL_Surface* (*real)(int, int, int, Uint32);
    if (real == NULL) {
        real = NEXT(SDL_Surface * (*)(int, int, int, Uint32), "SDL_SetVideoMode");
    }
    for (int k = 0; k < KINDS; k++) {
        lost[k] += liveCount[k];
        liveCount[k] = 0;
    }
    SDL_Surface* s = real(width, height, bpp, flags);
    writeCounts();
    return s;
}
