// Counts two GL calls of a game, from outside the game: preloaded into it, this wraps the call that
// copies a kept picture (glBlitFramebuffer) and the one that replays a display list (glCallList),
// and writes both counts to standard error as the game exits.
#define _GNU_SOURCE
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <dlfcn.h>
#include <stdio.h>

static unsigned long copies, replays;

static void report(void) __attribute__((destructor));
static void report(void) {
    fprintf(stderr, "gl-calls: glBlitFramebuffer %lu glCallList %lu\n", copies, replays);
}

void glBlitFramebuffer(GLint x0, GLint y0, GLint x1, GLint y1, GLint toX0, GLint toY0, GLint toX1,
                       GLint toY1, GLbitfield mask, GLenum filter) {
    static PFNGLBLITFRAMEBUFFERPROC real;
    if (real == NULL) {
        real = (PFNGLBLITFRAMEBUFFERPROC)dlsym(RTLD_NEXT, "glBlitFramebuffer");
    }
    ++copies;
    real(x0, y0, x1, y1, toX0, toY0, toX1, toY1, mask, filter);
}

void glCallList(GLuint list) {
    static void (*real)(GLuint);
    if (real == NULL) {
        real = (void (*)(GLuint))dlsym(RTLD_NEXT, "glCallList");
    }
    ++replays;
    real(list);
}
