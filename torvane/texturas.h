// Pictures of the game: turning an image file into a texture, and every texture the game shows.
#pragma once

#include "menu.h"

namespace torvane {

// A new texture holding the picture in `archivo`; a missing or unreadable file gives an empty one.
unsigned consigueimagen(const char* archivo);

// The pictures of play. Runs of digits, city labels and sky faces are consecutive, so the n-th
// of a run is found from its first (see Texturas::de). The menu pictures follow them, in the
// order of ImagenMenu.
enum class Textura {
    CIUDAD,
    MISIL,
    DIGITO_0,
    DIGITO_1,
    DIGITO_2,
    DIGITO_3,
    DIGITO_4,
    DIGITO_5,
    DIGITO_6,
    DIGITO_7,
    DIGITO_8,
    DIGITO_9,
    BALA,
    VIDA_1,
    VIDA_2,
    VIDA_3,
    VIDA_4,
    TORRE_SANA,
    TORRE_MEDIA,
    TORRE_GRAVE,
    CIELO_ATRAS,
    CIELO_FRENTE,
    CIELO_IZQUIERDA,
    CIELO_DERECHA,
    SUELO,
    CIELO_ARRIBA,
};
constexpr int CANT_TEXTURAS_JUEGO = static_cast<int>(Textura::CIELO_ARRIBA) + 1;
constexpr int CANT_TEXTURAS = CANT_TEXTURAS_JUEGO + static_cast<int>(ImagenMenu::NINGUNA);

// The texture name of every picture (0 for none yet), loaded together and released together:
// the pictures of play, then the menu pictures.
struct Texturas {
    unsigned nombre[CANT_TEXTURAS] = {};

    // Where a picture's name is kept; ImagenMenu::NINGUNA has none and must not be asked for.
    static constexpr int indice(Textura t) { return static_cast<int>(t); }
    static constexpr int indice(ImagenMenu m) { return CANT_TEXTURAS_JUEGO + static_cast<int>(m); }

    unsigned& operator[](Textura t) { return nombre[indice(t)]; }
    unsigned operator[](Textura t) const { return nombre[indice(t)]; }
    unsigned& operator[](ImagenMenu m) { return nombre[indice(m)]; }
    // The `n`-th picture of the run of `cuantas` that starts at `primera`; 0 for an `n` outside it.
    unsigned de(Textura primera, int n, int cuantas) const {
        return n >= 0 && n < cuantas ? nombre[indice(primera) + n] : 0;
    }
};

// Loads the pictures of play and of the start screen from "texturas/" (in the GL context now
// current); the other menu pictures wait until texturaMenu first shows them.
void cargarTexturas(Texturas& t);

// Loads the menu pictures still missing; the game calls it once its first frame is on screen.
void cargarTexturasMenu(Texturas& t);

// Deletes every texture of `t` and zeroes the names.
void liberarTexturas(Texturas& t);

// The texture of a menu picture (0 for none), loaded from its file the first time it is asked for.
unsigned texturaMenu(Texturas& t, ImagenMenu imagen);

} // namespace torvane
