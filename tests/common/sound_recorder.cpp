// Test helper: drives the sound room as a game would and prints where each call lands in the mix.
// Usage: sound_recorder SOUND_FOLDER quiet|play|files. Lines on stdout: "sdl 1.2.N", "open 0|1",
// "loaded NAME 0|1" and "mark NAME FRAME"; with SDL's disk driver the recording shows the rest.
#include "mezcla.h"
#include "sonido.h"

#include <SDL.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Unpausing the device, starting a sound: what a mark is put before is mixed from that frame on.
void mark(const char* name) {
    std::printf("mark %s %llu\n", name, static_cast<unsigned long long>(cuadrosSonados()));
}

// Waits (up to 5 s) until the sound has played out.
void waitForEnd(Manija m) {
    for (int i = 0; i < 500 && efectoSonando(m); ++i)
        SDL_Delay(10);
}

// Seen from the eye at the origin looking along -z with y up, at `degrees` to the right.
Ganancias at(float degrees, float distance) {
    const float a = degrees * 3.14159265f / 180.0f;
    return colocarSonido(Punto3{0, 0, 0}, Punto3{0, 0, -1}, Punto3{0, 1, 0},
                         Punto3{distance * std::sin(a), 0, -distance * std::cos(a)},
                         Alcance{10.0f, 0.2f});
}

void play() {
    SDL_Delay(150);
    mark("left");
    waitForEnd(tocarEfecto(Efecto::ESTALLIDO, at(-60.0f, 5.0f)));
    mark("left_end");
    SDL_Delay(50);
    mark("right");
    waitForEnd(tocarEfecto(Efecto::IMPACTO, at(70.0f, 20.0f)));
    mark("right_end");
    SDL_Delay(50);
    mark("engine");
    Manija engine = tocarBucle(Efecto::MOTOR, at(-80.0f, 30.0f));
    SDL_Delay(100);
    moverEfecto(engine, at(0.0f, 8.0f)); // the plane comes overhead
    mark("engine_centre");
    SDL_Delay(150);
    mark("pause");
    pausarSonido(true);
    tocarEfecto(Efecto::DISPARO, at(0.0f, 1.0f)); // a shot in the pause is never heard
    SDL_Delay(60);
    mark("menu");
    tocarEfecto(Efecto::MENU_PASO, Ganancias{1.0f, 1.0f}, Clase::MENU);
    SDL_Delay(250);
    mark("resume");
    pausarSonido(false);
    SDL_Delay(200);
    mark("shot");
    waitForEnd(tocarEfecto(Efecto::DISPARO, at(0.0f, 1.0f)));
    mark("shot_end");
    SDL_Delay(50);
    mark("off");
    alternarSonido();
    tocarEfecto(Efecto::IMPACTO, at(0.0f, 1.0f));
    tocarEfecto(Efecto::MENU_ELEGIR, Ganancias{1.0f, 1.0f}, Clase::MENU);
    SDL_Delay(200);
    mark("on");
    alternarSonido();
    SDL_Delay(150);
    mark("end");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: sound_recorder SOUND_FOLDER quiet|play|files\n");
        return 2;
    }
    const std::string script = argv[2];
    const SDL_version* v = SDL_Linked_Version();
    std::printf("sdl %d.%d.%d\n", v->major, v->minor, v->patch);
    if (SDL_Init(0) < 0)
        return 3;
    std::printf("open %d\n", abrirSonido(argv[1]) ? 1 : 0);
    if (script == "files") {
        for (int i = 0; i < CANT_EFECTOS; ++i)
            std::printf("loaded %s %d\n", archivoEfecto(static_cast<Efecto>(i)),
                        efectoCargado(static_cast<Efecto>(i)) ? 1 : 0);
    } else if (script == "play") {
        play();
    }
    std::fflush(stdout);
    cerrarSonido();
    // Every frame mixed is in the recording by now: its length less this is the device's own
    // silence before the first mix.
    std::printf("mark total %llu\n", static_cast<unsigned long long>(cuadrosSonados()));
    SDL_Quit();
    return 0;
}
