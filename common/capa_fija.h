// The picture (colour and depth) of a frame's unchanging scenery, kept off screen and copied back.
#pragma once

#include <cstddef>
#include <vector>

// Software GL spends most of a frame filling the screen with scenery that is the same from one
// frame to the next. Once drawn, the window's colour and depth are copied into this layer; while
// the key (the GL state the scenery was drawn under, and what the game says it shows) stays the
// same, later frames copy the layer back instead of drawing the scenery again. Only exact copies
// are used: the layer has the window's own depth format, a window with a stencil buffer (whose
// packed depth the driver does not copy exactly) is refused, and at load a drawn test picture is
// copied out and back and must come back bit for bit; otherwise the scenery is drawn every frame.
// A layer may keep several pictures, one for each view the player comes back to.

// One kept picture: its framebuffer, the key it was taken under, and what drawing the scenery
// left behind (current colour, normal, texture coordinate, bound texture), set again when the
// picture replaces the drawing, so what follows starts the same.
struct FotoFija {
    unsigned fbo = 0, color = 0, profundidad = 0;
    bool valida = false;
    std::vector<float> clave;
    float colorFinal[4] = {}, normalFinal[3] = {}, texturaFinal[4] = {};
    unsigned enlazadaFinal = 0;
    // When it was last taken or copied back: the least recently used one is taken over first.
    unsigned long uso = 0;
};

struct CapaFija {
    // False: nothing is kept and the scenery is drawn every frame.
    bool usar = true;
    // How many pictures are kept, one for each view the player comes back to (set before
    // cargarCapaFija); each costs the window's colour and depth.
    int cuantas = 1;
    // Set by cargarCapaFija when the context offers exact copies.
    bool disponible = false;
    int ancho = 0, alto = 0;
    std::vector<FotoFija> fotos;
    unsigned long reloj = 0;
    // This frame's key and the previous frame's, and how much of it the GL state makes (see
    // escenaFija in decorado.h).
    std::vector<float> claveCuadro, claveAnterior;
    std::size_t largoEstado = 0;
    // Whether the previous frame's GL state was the one before it.
    bool quietaAntes = false;
    // While a picture is drawn again in part (see escenaFija): which one, the window pixels
    // [x0, x1) x [y0, y1) drawn again, and the scissor box the game had.
    std::size_t retocada = 0;
    int retoque[4] = {}, tijeraAntes[4] = {};
};

// Makes the layer for the current context (after every new video mode); without framebuffer
// objects or with a window format that cannot be copied exactly, the layer stays unused. Checking
// the copy draws into the back buffer and clears it: call it before a frame is drawn. A layer
// already made in this context is freed first.
void cargarCapaFija(CapaFija& c, int ancho, int alto);
// Frees what cargarCapaFija made in the current context.
void liberarCapaFija(CapaFija& c);

// Appends to `clave` the GL state that decides how scenery is drawn: matrices, viewport, clear
// values, switches, lights, materials, the current colour, texture modes.
void anotarEstadoGL(std::vector<float>& clave);
// Appends the current normal and texture coordinate and the bound texture: needed when the
// scenery draws with what an earlier drawing left (a face without its own normal, say).
void anotarAtributosActuales(std::vector<float>& clave);

// When a picture was taken under `clave`, copies it into the window, sets what its drawing left
// current, and returns true.
bool reponerCapaFija(CapaFija& c, const std::vector<float>& clave);
// Keeps the window's colour and depth as the picture of `clave`: in place of the picture taken
// under the same first `c.largoEstado` values of the key (the same GL state), or else of the
// least recently used one.
void guardarCapaFija(CapaFija& c, const std::vector<float>& clave);
// The picture taken under the same first `c.largoEstado` values as `clave` and as many values in
// all, or null.
FotoFija* fotoDelEstado(CapaFija& c, const std::vector<float>& clave);
// Copies the colour and depth of the picture `f` into the window, and nothing else.
void copiarFoto(CapaFija& c, FotoFija& f);
// Copies the picture `f` and sets what its drawing left current, as reponerCapaFija does.
void reponerFoto(CapaFija& c, FotoFija& f);
// Keeps the window pixels [x0, x1) x [y0, y1) (`caja`) in the picture `f`, which holds the rest
// of the window already, now as the picture of `clave`.
void guardarParte(CapaFija& c, FotoFija& f, const int caja[4], const std::vector<float>& clave);
