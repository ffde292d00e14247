// Pictures of the game: turning an image file into a texture, and every texture the game shows.
#pragma once

#include "menu.h"

namespace torvane {

// A new texture holding the picture in `archivo`; a missing or unreadable file gives an empty one.
unsigned consigueimagen(const char* archivo);

// The texture name of every picture, loaded together and released together.
struct Texturas {
    unsigned textura_ciudad = 0;
    unsigned textura_misil = 0;
    unsigned textura_game_over = 0;
    unsigned textura_digito[10] = {};
    unsigned textura_bala = 0;
    unsigned textura_vida[4] = {};
    unsigned textura_torresana = 0;
    unsigned textura_torremedia = 0;
    unsigned textura_torregrave = 0;
    unsigned sky_box_textura[6] = {};
    unsigned MENU_Selecc_Continuar = 0;
    unsigned MENU_Selecc_Velocidad = 0;
    unsigned MENU_Selecc_Estados = 0;
    unsigned MENU_Selecc_DirecyColor = 0;
    unsigned MENU_VELOCIDAD_Lento = 0;
    unsigned MENU_VELOCIDAD_Normal = 0;
    unsigned MENU_VELOCIDAD_Rapido = 0;
    unsigned MENU_ESTADOS_Selecc_Wireframe = 0;
    unsigned MENU_ESTADOS_Selecc_Facet_Inter = 0;
    unsigned MENU_ESTADOS_Selecc_Texturas = 0;
    unsigned MENU_ROJO = 0;
    unsigned MENU_AZUL = 0;
    unsigned MENU_VERDE = 0;
    unsigned MENU_BLANCO = 0;
    unsigned MENU_DIREC = 0;
    unsigned MENU_inicio_comenzar = 0;
    unsigned MENU_inicio_salir = 0;
    unsigned menu_torre[3] = {};
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
