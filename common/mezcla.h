// The sound room's rules, with no SDL: voices mixed into 16-bit stereo, and where a sound is heard.
#pragma once

#include <cstddef>
#include <cstdint>

// Voices heard at once; a sound started while all are busy takes the quietest.
constexpr int VOCES = 16;
// Frames a second of every sound once it is ready to play, and of the device.
constexpr int FRECUENCIA_SONIDO = 44100;

// A sound ready to play: `cuadros` stereo frames of interleaved 16-bit samples (left, right). The
// samples belong to the caller and must outlive every voice playing them.
struct Sonido {
    const std::int16_t* muestras = nullptr;
    std::size_t cuadros = 0;
};

// The gain of each ear, from 0 (silent) to 1 (as recorded); anything else is brought into range,
// and what is not a number is silence.
struct Ganancias {
    float izquierda = 0.0f;
    float derecha = 0.0f;
};

// Sounds of play fall silent in a pause; menu sounds and notices (a lost game) go on through it.
enum class Clase { JUEGO, MENU };

// What the game keeps of a sound it started: its voice and the turn it started on, so a voice since
// given to another sound no longer answers to it. The default handle names no voice.
struct Manija {
    int voz = -1;
    std::uint32_t turno = 0;
};

// A fixed set of voices summed wide and clipped once. Not locked: the device layer calls it from
// the game's thread and the audio thread under SDL's audio lock.
class Mezclador {
  public:
    // Starts `sonido` on a free voice, else on the quietest one (the older of two equally quiet).
    // Gives the default handle, starting nothing, for an empty sound, a sound of play during a
    // pause, or any sound while the switch is off.
    Manija tocar(const Sonido& sonido, Ganancias ganancias, Clase clase, bool bucle);
    // New gains for a voice still playing (the plane's engine moving across); false when the sound
    // has ended, was stopped or its voice was taken.
    bool mover(Manija manija, Ganancias ganancias);
    // Stops the sound at once; nothing happens when it has already ended.
    void parar(Manija manija);
    bool sonando(Manija manija) const;

    // In a pause every voice of play is dropped, not held: when the pause ends, play starts again
    // from silence rather than a backlog. Menu voices go on.
    void pausar(bool pausado);
    bool pausado() const { return pausado_; }
    // The player's switch: off drops every voice and starts none until it is turned on again.
    void encender(bool encendido);
    bool encendido() const { return encendido_; }
    // Drops every voice, of play or not: the sounds they play are about to be freed.
    void vaciar();

    // Writes the next `cuadros` stereo frames (2 × cuadros samples) of the mix to `salida`.
    void mezclar(std::int16_t* salida, std::size_t cuadros);
    // Frames mixed so far: where in a recording a call lands.
    std::uint64_t cuadrosMezclados() const { return mezclados_; }

  private:
    struct Voz {
        const std::int16_t* muestras = nullptr;
        std::size_t cuadros = 0;
        std::size_t posicion = 0;
        // Gains in 1/32768ths: 32768 passes a sample unchanged.
        std::int32_t izquierda = 0;
        std::int32_t derecha = 0;
        Clase clase = Clase::JUEGO;
        bool bucle = false;
        bool activa = false;
        std::uint32_t turno = 0;
    };

    // The voice a handle names while its sound plays, else -1.
    int viva(Manija manija) const;
    int vozParaNuevo() const;
    static void sumar(Voz& voz, std::int32_t* suma, std::size_t cuadros);

    Voz voces_[VOCES];
    std::uint32_t turnos_ = 0;
    bool pausado_ = false;
    bool encendido_ = true;
    std::uint64_t mezclados_ = 0;
};

// A point or a direction in a game's world frame.
struct Punto3 {
    float x, y, z;
};

// How loudness falls with the distance from the eye: whole up to `cerca`, then cerca / distance,
// never below `suelo` (0 to 1), so that a burst far behind is still faintly heard.
struct Alcance {
    float cerca;
    float suelo;
};

// The gains of a sound at `evento` heard from `ojo` looking along `vista`, `arriba` being the
// view's up as handed to gluLookAt (only its part across the view counts). Right is vista × arriba,
// the screen's right. The balance is constant-power: with s the sine of the angle between the
// direction to the event and the plane of vista and arriba (negative on the left), the angle
// a = (s + 1)·45° gives left cos a and right sin a, so the centre has cos 45° in both ears, fully
// left 1 and 0, fully right 0 and 1. Both are then scaled by the distance law. A sound at the eye,
// straight ahead, above or behind is centred; numbers that are not finite, or a view without a
// direction across it, give the centre.
Ganancias colocarSonido(Punto3 ojo, Punto3 vista, Punto3 arriba, Punto3 evento, Alcance alcance);
