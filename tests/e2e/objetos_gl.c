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

enum { TEXTURAS, LISTAS, BUFFERS, FRAMEBUFFERS, RENDERBUFFERS, CLASES };
static const char* const nombres[CLASES] = {"textures", "lists", "buffers", "framebuffers",
                                            "renderbuffers"};

// The live names of each kind in the current context, as a plain growing array.
static GLuint* vivos[CLASES];
static size_t cuantos[CLASES], capacidad[CLASES];
// Names held by contexts that are gone.
static unsigned long perdidos[CLASES];

static void escribir(void) {
    const char* ruta = getenv("GL_OBJECTS_FILE");
    if (ruta == NULL) {
        return;
    }
    char texto[256];
    int n = 0;
    for (int k = 0; k < CLASES; k++) {
        n += snprintf(texto + n, sizeof texto - (size_t)n, "%s %lu\n", nombres[k],
                      (unsigned long)cuantos[k] + perdidos[k]);
    }
    // Written whole under another name, then renamed: a reader never sees half a file.
    char temporal[4096];
    snprintf(temporal, sizeof temporal, "%s.tmp", ruta);
    const int fd = open(temporal, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) {
        return;
    }
    const ssize_t escritos = write(fd, texto, (size_t)n);
    close(fd);
    if (escritos == n) {
        rename(temporal, ruta);
    }
}

static void anotar(int clase, GLsizei n, const GLuint* nuevos) {
    for (GLsizei i = 0; i < n; i++) {
        if (cuantos[clase] == capacidad[clase]) {
            capacidad[clase] = capacidad[clase] ? 2 * capacidad[clase] : 64;
            vivos[clase] = realloc(vivos[clase], capacidad[clase] * sizeof(GLuint));
        }
        vivos[clase][cuantos[clase]++] = nuevos[i];
    }
    escribir();
}

static void borrar(int clase, GLsizei n, const GLuint* viejos) {
    for (GLsizei i = 0; i < n; i++) {
        for (size_t k = 0; k < cuantos[clase]; k++) {
            if (vivos[clase][k] == viejos[i]) {
                vivos[clase][k] = vivos[clase][--cuantos[clase]];
                break;
            }
        }
    }
    escribir();
}

#define SIGUIENTE(tipo, nombre) ((tipo)dlsym(RTLD_NEXT, nombre))

#define PAR(gen, del, clase)                                                                       \
    void gen(GLsizei n, GLuint* nombresGl) {                                                       \
        static void (*real)(GLsizei, GLuint*);                                                     \
        if (real == NULL) {                                                                        \
            real = SIGUIENTE(void (*)(GLsizei, GLuint*), #gen);                                    \
        }                                                                                          \
        real(n, nombresGl);                                                                        \
        anotar(clase, n, nombresGl);                                                               \
    }                                                                                              \
    void del(GLsizei n, const GLuint* nombresGl) {                                                 \
        static void (*real)(GLsizei, const GLuint*);                                               \
        if (real == NULL) {                                                                        \
            real = SIGUIENTE(void (*)(GLsizei, const GLuint*), #del);                              \
        }                                                                                          \
        borrar(clase, n, nombresGl);                                                               \
        real(n, nombresGl);                                                                        \
    }

PAR(glGenTextures, glDeleteTextures, TEXTURAS)
PAR(glGenBuffers, glDeleteBuffers, BUFFERS)
PAR(glGenFramebuffers, glDeleteFramebuffers, FRAMEBUFFERS)
PAR(glGenRenderbuffers, glDeleteRenderbuffers, RENDERBUFFERS)

GLuint glGenLists(GLsizei n) {
    static GLuint (*real)(GLsizei);
    if (real == NULL) {
        real = SIGUIENTE(GLuint(*)(GLsizei), "glGenLists");
    }
    const GLuint primera = real(n);
    if (primera != 0) {
        for (GLsizei i = 0; i < n; i++) {
            const GLuint nombre = primera + (GLuint)i;
            anotar(LISTAS, 1, &nombre);
        }
    }
    return primera;
}

void glDeleteLists(GLuint lista, GLsizei n) {
    static void (*real)(GLuint, GLsizei);
    if (real == NULL) {
        real = SIGUIENTE(void (*)(GLuint, GLsizei), "glDeleteLists");
    }
    for (GLsizei i = 0; i < n; i++) {
        const GLuint nombre = lista + (GLuint)i;
        borrar(LISTAS, 1, &nombre);
    }
    real(lista, n);
}

// A new video mode comes with a new context on X11: what the old one still held is lost.
SDL_Surface* SDL_SetVideoMode(int ancho, int alto, int bits, Uint32 flags) {
    static SDL_Surface* (*real)(int, int, int, Uint32);
    if (real == NULL) {
        real = SIGUIENTE(SDL_Surface * (*)(int, int, int, Uint32), "SDL_SetVideoMode");
    }
    for (int k = 0; k < CLASES; k++) {
        perdidos[k] += cuantos[k];
        cuantos[k] = 0;
    }
    SDL_Surface* s = real(ancho, alto, bits, flags);
    escribir();
    return s;
}
