// Everything a run of the game keeps: the world, the camera, the screens and the loaded models.
#pragma once

#include "avion.h"
#include "dificultad.h"
#include "misiles.h"
#include "modelo.h"

#include <vector>

namespace fenwar {

// Eye height above the cannons.
constexpr float ALTURA_OJO = 2.025f;

struct Juego {
    // World
    dificultad d;
    float coordCitys[10][3] = {};
    int vidaCitys[3] = {100, 100, 100};
    int cantmisiles = 0;
    int cantvivos = 0;
    long ultimogenerado = 0;
    long ultimoavgenerado = 0;
    // The clock at the top of the last game frame, and whether a menu screen has been shown since:
    // the world's clocks stand still while it is.
    long ultimoCuadro = 0;
    bool relojesDetenidos = false;
    float coordavion[3] = {2.5f, 1.5f, 2.0f};
    int canthitrest = 0;
    Avion av = {};
    bool hayavion = false;
    int puntaje = 0;
    Misil buffmisiles[MAX_MISILES] = {};
    // Eye at (x, y, -z), above the selected cannon
    float x = 2.0f, y = 0.0f, z = ALTURA_OJO;

    // Cannons and view
    float coordcannon[8] = {0.0f, 2.0f, 2.0f, 0.0f, -2.0f, 0.0f, 0.0f, -2.0f};
    float anglecannon[4] = {0.0f, 90.0f, 180.0f, 270.0f};
    float altura_tower[4] = {0.7f, 0.7f, 0.7f, 0.7f};
    float angulo_canion[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    int nro_canion = 1;
    float zoom = 1.0f;
    float angb = 0.0f, lz = 0.0f;
    bool moverCam = false;

    // Display and light settings
    bool wireframe = false;
    bool texturas = true;
    bool luz = true;
    float verdeluz = 0.0f, azulluz = 0.0f;
    float xluz = 0.0f, yluz = 0.0f;

    // Screens
    bool pausa = false;
    bool config = false;
    bool start = false;
    bool fin = false;
    bool hitavion = false;

    // Pick: the world point under the pointer and the pointer in window coordinates
    double posiX = 0.0, posiY = 0.0, posiZ = 0.0;
    double winX = 0.0, winY = 0.0;

    // Models, loaded at start-up
    std::vector<fenwar::textura> tAvion, tMisil;
    std::vector<vertice> nAvion, vAvion, nMisil, vMisil;
    std::vector<Poligono> oAvion, oMisil;
};

// A place in the world where something happened.
struct Lugar {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

// What happened in one game frame: the rules step fills the launches and strikes, the frame's
// events the shots. Whoever shows or plays the frame reads it; the rules do not.
struct Sucesos {
    bool misilLanzado = false;
    bool avionLanzado = false;
    // Strikes of missiles on cities, and cities whose health this frame brought to 0 or below.
    int ciudadesGolpeadas = 0;
    int ciudadesCaidas = 0;
    // Where each missile that struck was (once per missile), and which cities fell.
    std::vector<Lugar> golpes;
    bool ciudadCaida[3] = {false, false, false};
    // The last standing city fell: the next frame resets the game on the pause screen.
    bool partidaPerdida = false;
    int disparos = 0;
    int misilesDerribados = 0;
    // Where each missile shot down was.
    std::vector<Lugar> derribos;
    // The plane's armour took a hit, or the plane fell.
    bool avionGolpeado = false;
    bool avionDerribado = false;
    // Where the plane flies after the rules step, or where a shot hit it.
    Lugar avion;
};

// Adds the events of `mas` to `s`.
void sumarSucesos(Sucesos& s, const Sucesos& mas);

// The three city centres from the spacing S: (0, S/2), (-kS, -S/2), (kS, -S/2), k = sqrt(3)/4.
void colocarCiudades(float separacion, float (*coordCitys)[3]);
// Start values of a run with difficulty d, the spawn clocks set to `ahora`.
void iniciarJuego(Juego& j, const dificultad& d, long ahora);
// A new game: full cities, score 0, no missiles. The plane, clocks, camera and settings stay.
void reiniciarPartida(Juego& j);
// The pause and configuration screens stop the world: called on each of their frames.
void detenerRelojes(Juego& j);
// Called at the top of every game frame with the clock. After a menu screen, the launch times of
// the flying missiles and of the plane and both launch clocks move on by the time away, so the
// world resumes where it stood in the last game frame; bursts count frames and need nothing.
void reanudarRelojes(Juego& j, long ahora);
// The test at the top of every frame: a lost game is reset and waits on the pause screen.
void pruebaPartidaPerdida(Juego& j);

// The rules of a game frame before it is drawn: launches by the clock, then the flight of the
// missiles (with their strikes) and of the plane.
Sucesos jugarCuadro(Juego& j);
// What the game advances as it draws a frame: each missile's burst and the plane's red ball take
// one step, and a hit the plane's armour absorbed is cleared. True when such a hit stalls this
// frame for a moment (the caller waits).
bool avanzarAlDibujar(Juego& j);

} // namespace fenwar
