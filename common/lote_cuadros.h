// Textured quads sent in batches: the quads of one texture that follow each other in one draw.
#pragma once

// Software GL pays for every draw, and a glBegin cut by a change of texture is one: a HUD of fifty
// small quads costs more in draws than in pixels. A batch sends the quads of the same texture that
// come one after another between one glBegin and glEnd. Each quad is still its own two triangles,
// split as when it is sent alone, and the quads come in the same order, so every pixel is the same;
// the texture, colour and texture coordinate left current are those of the last quad too.
class LoteCuadros {
  public:
    // `juntar` false: each quad in a glBegin of its own, as drawn one by one.
    explicit LoteCuadros(bool juntar);
    // A quad of `textura`: four corners (x, y, z) with their texture coordinates (s, t).
    void cuadro(unsigned textura, const float (&esquinas)[4][5]);
    // Ends the last batch.
    void terminar();

  private:
    bool juntar_;
    bool abierto_ = false;
    unsigned textura_ = 0;
};
