// Unchanging scenery drawn fast with the same pixels: buffers without what is out of view.
#pragma once

// A piece is recorded once into a vertex buffer and replayed with only the runs the view can see;
// a whole scenery is kept as a picture while nothing in it changes.

#include "capa_fija.h"
#include "grabacion.h"

#include <vector>

// One recorded piece of scenery and its buffer in the current context.
struct Decorado {
    Grabacion grabacion;
    unsigned buffer = 0;
    // The ranges of this frame's replay.
    std::vector<int> primeros, cuantos;
};

// Puts the recording into a buffer of the current context (the one it has is filled anew).
void subirDecorado(Decorado& d);
// Records what `trazar` sends to the Grabadora it is given, and puts it into its buffer.
template <class F> void grabarDecorado(Decorado& d, F trazar) {
    d.grabacion = Grabacion{};
    Grabadora g(d.grabacion);
    trazar(g);
    subirDecorado(d);
}
// Frees the buffer (the recording stays, for subirDecorado in a new context).
void liberarDecorado(Decorado& d);

// Draws the piece as it was sent, under the current matrices and state, leaving out the runs that
// lie wholly outside the view volume (which would have drawn nothing). It leaves the current
// normal and texture coordinate as drawing it vertex by vertex would.
void dibujarDecorado(Decorado& d);

// The scenery of a frame: drawn by `dibujar`, or copied from a kept picture when the GL state
// and `valores` (what the game says the scenery shows) are those the picture was taken under.
// With `heredaAtributos` the scenery draws with the normal, texture coordinate or texture an
// earlier drawing left, which then go into the key too. The picture is taken only while the view
// rests: when this frame's GL state is the previous frame's (also when only the game's values
// changed), or when the previous frame's was the one before it (a jump from rest); while the view
// keeps moving nothing is copied either way.
//
// `zonas[k]` holds all the scenery `valores[k]` decides (values past the zones have none). When
// a picture was taken under the same GL state and differs only in values with zones, it is copied
// and the scenery is drawn again only inside the window rectangle those zones can cover (cleared
// and drawn there as a whole frame would be, so every pixel comes out the same): a city that
// falls, or a barrel that turns, costs its own pixels instead of the whole window.
enum class Reposicion { Copiada, Retocar, Dibujar };
Reposicion reponerEscena(CapaFija& c, const std::vector<float>& valores,
                         const std::vector<Zona>& zonas, bool heredaAtributos);
// After `Retocar` and the drawing: the scissor as it was, and the picture kept.
void terminarRetoque(CapaFija& c);
// After `Dibujar` and the drawing.
void guardarEscena(CapaFija& c);
template <class F>
void escenaFija(CapaFija& c, const std::vector<float>& valores, const std::vector<Zona>& zonas,
                bool heredaAtributos, F dibujar) {
    if (!c.disponible) {
        dibujar();
        return;
    }
    switch (reponerEscena(c, valores, zonas, heredaAtributos)) {
    case Reposicion::Copiada:
        return;
    case Reposicion::Retocar:
        dibujar();
        terminarRetoque(c);
        return;
    case Reposicion::Dibujar:
        dibujar();
        guardarEscena(c);
        return;
    }
}
