// The sound room: the games' effects played on SDL 1.2's audio device, silent when there is none.
#pragma once

#include "mezcla.h"

#include <cstdint>
#include <string>

// Every effect of both games; each is read from its file in the sound folder.
enum class Efecto {
    DISPARO,       // Fenwar's cannon fires
    BALA,          // a tower of Torvane fires a bullet
    ESTALLIDO,     // a missile bursts in the air
    IMPACTO,       // a missile strikes a city (heavier than a burst)
    CIUDAD_CAE,    // a city's health runs out
    MOTOR,         // the plane's engine (a seamless loop)
    AVION_TOCADO,  // the plane takes a hit
    AVION_CAE,     // the plane falls
    NIVEL_GANADO,  // a level is won
    JUEGO_PERDIDO, // the game is lost
    VIAJE_TORRE,   // the view travels to another tower
    TORRE_VACIA,   // a click on a tower with no ammunition
    MENU_PASO,     // a step between menu entries
    MENU_ELEGIR,   // a menu entry chosen
};
constexpr int CANT_EFECTOS = static_cast<int>(Efecto::MENU_ELEGIR) + 1;

// The folder of the effects, relative to the working directory the games run in.
constexpr const char* CARPETA_SONIDOS = "sonidos";
// An effect's file name in that folder ("disparo.wav"...).
const char* archivoEfecto(Efecto efecto);

// Opens the device (44100 Hz, 16-bit stereo, 512 frames a buffer) and reads every effect from
// `carpeta`. Call once after SDL_Init. Without a device the room stays silent and prints nothing;
// a missing, unreadable or odd file leaves that effect silent. True when the device is open.
bool abrirSonido(const std::string& carpeta = CARPETA_SONIDOS);
// Closes the device and frees the effects; harmless when nothing is open.
void cerrarSonido();
// True when the device is open and the effect was read (tests and the first wiring check this).
bool efectoCargado(Efecto efecto);

// Starts an effect with the gains of colocarSonido (or Ganancias{1, 1} for one not placed).
// Gives a handle that names no voice when nothing starts: no device, the effect silent, the switch
// off, or a sound of play during a pause.
Manija tocarEfecto(Efecto efecto, Ganancias ganancias, Clase clase = Clase::JUEGO);
// Starts an effect of play that loops until stopped (the plane's engine).
Manija tocarBucle(Efecto efecto, Ganancias ganancias);
// New gains for a sound still playing; false when it has ended, was stopped or dropped.
bool moverEfecto(Manija manija, Ganancias ganancias);
void pararEfecto(Manija manija);
bool efectoSonando(Manija manija);

// Pause: every sound of play stops at once, none starts until the pause ends, and play resumes
// from silence. Menu sounds go on. May be called every frame.
void pausarSonido(bool pausado);
// The player's switch (S): off silences everything for as long as it stays off.
void alternarSonido();
bool sonidoEncendido();

// Frames the device has been given so far: where a call lands in a recording (tests).
std::uint64_t cuadrosSonados();
