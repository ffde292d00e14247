/* Preloaded into a game: its buffer swap behaves as a driver's that syncs to a 60 Hz display, and
 * every swap is written down with the refresh that shows its picture.
 *
 * SYNC_MODE=queue: a picture is shown at the next refresh after its swap, and one may wait in
 * a queue; a swap that finds a picture still waiting waits until that one is shown (drivers with
 * one frame queued). SYNC_MODE=wait: every swap waits for the refresh that shows it
 * (drivers that queue none). SYNC_MODE=free: no swap waits (the display the game runs on,
 * Xvfb); only the record is written.
 * SYNC_LOG names the file that gets one line for the start of the refreshes,
 * "inicio <ns> <period ns>", then one line per swap, "<refresh number> <ns of the swap> <ns of
 * work> <ns overslept>", the times on the monotonic clock; the work is the time from the return of
 * the last swap to the end of the driver's own swap, less what the game slept in SDL_Delay on the
 * thread that swaps, and what it overslept is how much longer than asked those sleeps took. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static const int64_t PERIODO = 1000000000LL / 60;

static int64_t ahora(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (int64_t)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static void dormirHasta(int64_t ns) {
    struct timespec t = {(time_t)(ns / 1000000000LL), (long)(ns % 1000000000LL)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, NULL) != 0) {
    }
}

static int registro = -1;
/* The thread that swaps, known from the first swap on (when `inicio` is set): only its sleeps are
 * the game's (the sound thread sleeps in SDL_Delay too). */
static pthread_t hiloJuego;
/* When the last swap returned, what the game has slept since and how much longer than it asked. */
static int64_t ultimoRegreso = -1, dormido = 0, demas = 0;
static int64_t inicio = -1;
/* The refresh the waiting picture is shown at (queue mode), or -1. */
static int64_t enCola = -1;

static void escribir(const char* texto) {
    size_t largo = strlen(texto);
    while (registro >= 0 && largo > 0) {
        ssize_t n = write(registro, texto, largo);
        if (n <= 0) {
            return;
        }
        texto += n;
        largo -= (size_t)n;
    }
}

/* The first refresh after `t`: a swap on a refresh's very instant is shown at the next one. */
static int64_t siguiente(int64_t t) {
    return (t - inicio) / PERIODO + 1;
}

static int64_t momento(int64_t refresco) {
    return inicio + refresco * PERIODO;
}

void SDL_Delay(uint32_t ms) {
    static void (*real)(uint32_t);
    if (real == NULL) {
        real = (void (*)(uint32_t))dlsym(RTLD_NEXT, "SDL_Delay");
    }
    if (inicio < 0 || !pthread_equal(pthread_self(), hiloJuego)) {
        real(ms);
        return;
    }
    int64_t antes = ahora();
    real(ms);
    const int64_t durmio = ahora() - antes;
    dormido += durmio;
    if (durmio > (int64_t)ms * 1000000LL) {
        demas += durmio - (int64_t)ms * 1000000LL;
    }
}

void SDL_GL_SwapBuffers(void) {
    static void (*real)(void);
    if (real == NULL) {
        real = (void (*)(void))dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers");
    }
    real();
    const char* modo = getenv("SYNC_MODE");
    const int espera = modo != NULL && strcmp(modo, "wait") == 0;
    const int libre = modo != NULL && strcmp(modo, "free") == 0;
    char linea[96];
    int64_t t = ahora();
    const int64_t trabajo = ultimoRegreso < 0 ? 0 : t - ultimoRegreso - dormido;
    if (inicio < 0) {
        hiloJuego = pthread_self();
        const char* nombre = getenv("SYNC_LOG");
        registro = nombre ? open(nombre, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
        inicio = t;
        snprintf(linea, sizeof linea, "inicio %lld %lld\n", (long long)inicio, (long long)PERIODO);
        escribir(linea);
    }
    int64_t refresco;
    if (libre) {
        refresco = siguiente(t);
    } else if (espera) {
        refresco = siguiente(t);
        dormirHasta(momento(refresco));
    } else {
        if (enCola >= 0 && momento(enCola) > t) {
            dormirHasta(momento(enCola));
            refresco = enCola + 1;
        } else {
            refresco = siguiente(t);
        }
        enCola = refresco;
    }
    snprintf(linea, sizeof linea, "%lld %lld %lld %lld\n", (long long)refresco, (long long)t,
             (long long)trabajo, (long long)demas);
    escribir(linea);
    ultimoRegreso = ahora();
    dormido = 0;
    demas = 0;
}
