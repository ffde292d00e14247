// Drawing fast by ordinary means: unchanging pieces in display lists, left out when out of view.
#pragma once

// What the games do only for speed lives here and in dibujo_rapido.cpp; the findings about one
// driver it depends on are in docs/performance.md.

#include "matriz.h"

#include <functional>
#include <vector>

struct Esfera {
    double centro[3] = {};
    double radio = 0.0;
};

// The six planes of what a projection and a view show, a x + b y + c z + d >= 0 inside.
struct VolumenVista {
    double planos[6][4] = {};
};
VolumenVista volumenVista(const Matriz& proyeccion, const Matriz& vista);
// True only when the sphere lies wholly outside one of the planes, by more than the float
// arithmetic of the pipeline could move a vertex: nothing inside it can show.
bool fueraDeVista(const VolumenVista& v, const Esfera& e);

// A display list compiled from `trazar` in the current context (0 when GL gives none), and its
// release, which leaves 0.
unsigned compilarLista(const std::function<void()>& trazar);
void liberarLista(unsigned& lista);

// A piece of scenery that never changes: the code that draws it directly, a sphere that holds
// it, and a display list compiled from that code once per GL context.
struct Pieza {
    unsigned lista = 0;
    Esfera esfera;
    std::function<void()> trazar;
};
// Makes the piece and compiles its list in the current context.
void hacerPieza(Pieza& p, const Esfera& e, std::function<void()> trazar);
// Compiles the list again (after what the drawing reads has changed).
void compilarPieza(Pieza& p);
void liberarPieza(Pieza& p);
// From its list, unless it lies wholly outside the view.
void dibujarPieza(const Pieza& p, const VolumenVista& v);

// One picture of a frame's scenery (colour and depth), kept off screen: while the game's values
// that decide the scenery (the key) stay the same, it is copied into the window instead of
// drawing the scenery; the copy covers every pixel, so that frame clears nothing.
struct FotoFija {
    unsigned fbo = 0, color = 0, profundidad = 0;
    int ancho = 0, alto = 0;
    bool disponible = false, valida = false;
    std::vector<float> clave;
    // The last frame's key, and how many frames before it had the same one.
    std::vector<float> anterior;
    int quietos = 0;
};
// Makes the picture's buffers for a window of that size in the current context (after every new
// video mode); when the window's depth cannot be copied, none is kept and the scenery is drawn
// every frame. No texture is left bound.
void cargarFoto(FotoFija& f, int ancho, int alto);
void liberarFoto(FotoFija& f);
// The scenery of a frame: copied from the picture kept under `clave`, or drawn by `dibujar` onto
// a window it clears itself. A drawing is kept on the third frame in a row with the same key:
// keeping waits for the drawing to be done, which a turning view (resting a frame now and then,
// between two motions of the mouse) would pay without using it.
template <class F> void escenaFija(FotoFija& f, const std::vector<float>& clave, F dibujar);

bool reponerFoto(FotoFija& f, const std::vector<float>& clave);
void guardarFoto(FotoFija& f, const std::vector<float>& clave);

template <class F> void escenaFija(FotoFija& f, const std::vector<float>& clave, F dibujar) {
    if (!reponerFoto(f, clave)) {
        dibujar();
        guardarFoto(f, clave);
    }
}
