// Pictures of the game: turning an image file into a texture, and every texture the game shows.
#pragma once

#include "menu.h"

// A new texture holding the picture in `archivo`; a missing or unreadable file gives an empty one.
unsigned consigueimagen(const char* archivo);

// Every picture the game shows, in load order. Runs of digits, city labels and sky faces are
// consecutive, so the n-th of a run is found from its first (see Texturas::de).
enum class Textura {
    CIUDAD,
    MISIL,
    GAME_OVER,
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
    SELECC_CONTINUAR,
    SELECC_VELOCIDAD,
    SELECC_ESTADOS,
    SELECC_DIRECYCOLOR,
    VELOCIDAD_LENTO,
    VELOCIDAD_NORMAL,
    VELOCIDAD_RAPIDO,
    ESTADOS_WIREFRAME,
    ESTADOS_FACET_INTER,
    ESTADOS_TEXTURAS,
    ROJO,
    AZUL,
    VERDE,
    BLANCO,
    DIREC,
    INICIO_COMENZAR,
    INICIO_SALIR,
    MENU_TORRE1,
    MENU_TORRE2,
    MENU_TORRE3,
};
constexpr int CANT_TEXTURAS = static_cast<int>(Textura::MENU_TORRE3) + 1;

// The texture name of every picture (0 for none yet), loaded together and released together.
struct Texturas {
    unsigned nombre[CANT_TEXTURAS] = {};

    unsigned& operator[](Textura t) { return nombre[static_cast<int>(t)]; }
    unsigned operator[](Textura t) const { return nombre[static_cast<int>(t)]; }
    // The `n`-th picture of the run of `cuantas` that starts at `primera`; 0 for an `n` outside it.
    unsigned de(Textura primera, int n, int cuantas) const {
        return n >= 0 && n < cuantas ? nombre[static_cast<int>(primera) + n] : 0;
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
