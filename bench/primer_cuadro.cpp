// Preloaded into a game by the benchmark: at its first buffer swap, once the picture is finished,
// writes the monotonic clock in nanoseconds to the descriptor named by BENCH_PRIMER_CUADRO_FD and
// ends the process, so the benchmark sees how long start-up took up to the first frame on screen.
#include <GL/gl.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <unistd.h>

extern "C" void SDL_GL_SwapBuffers(void) {
    using Intercambio = void (*)();
    auto real = reinterpret_cast<Intercambio>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
    if (real != nullptr) {
        real();
    }
    glFinish();
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    const char* fd = std::getenv("BENCH_PRIMER_CUADRO_FD");
    if (fd != nullptr) {
        dprintf(std::atoi(fd), "%lld\n",
                static_cast<long long>(t.tv_sec) * 1000000000LL +
                    static_cast<long long>(t.tv_nsec));
    }
    _exit(0);
}
