// Rules of the start screen, the pause pages, the game-over screen and every key of the game.
#pragma once

#include "juego.h"

namespace torvane {

// The keys the game answers; the SDL side maps its key codes to these.
enum class Tecla {
    RETURN,
    ENTER_TECLADO,
    ARRIBA,
    ABAJO,
    P,
    ESCAPE,
    Q,
    ESPACIO,
    T,
    M,
    UNO,
    DOS,
    TRES,
    F11,
    OTRA
};

// The pictures shown on the screens that are not play.
enum class ImagenMenu {
    INICIO_COMENZAR,
    INICIO_SALIR,
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
    TORRE1,
    TORRE2,
    TORRE3,
    GAME_OVER_IMAGEN,
    NINGUNA
};

// What the drawing side must do after a key: the rules change only the game state.
struct Efectos {
    bool init = false;             // set play's GL state again (resume)
    bool modoPoligono = false;     // apply `wire` to the polygon mode
    bool texturas = false;         // apply `habilitar_texturas` to 2D texturing
    bool pantallaCompleta = false; // toggle full screen
};

// Pause pages.
constexpr int PAGINA_PRINCIPAL = 0;
constexpr int PAGINA_VELOCIDAD = 1;
constexpr int PAGINA_ESTADOS = 2;
constexpr int PAGINA_COLOR = 3;
constexpr int PAGINA_POSICION = 4;

// First and last entry of the current screen (start screen or pause page).
int primeraEntrada(const Juego& juego);
int ultimaEntrada(const Juego& juego);

// Brings the highlight into the current screen's range and names the picture to show.
ImagenMenu imagenDelMenu(Juego& juego);

// One key press, in any state.
Efectos manejarTecla(Juego& juego, Tecla tecla);

} // namespace torvane
