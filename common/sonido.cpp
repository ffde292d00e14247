// The sound room: the games' effects played on SDL 1.2's audio device, silent when there is none.
#include "sonido.h"

#include "archivo.h"
#include "onda.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>
#include <vector>

namespace {

// 512 frames at 44100 Hz: a buffer lasts 11.6 ms, so a shot is heard within two of them.
constexpr Uint16 CUADROS_BUFFER = 512;
constexpr int CANALES = 2;

const char* const ARCHIVOS[] = {
    "disparo.wav",     "bala.wav",         "estallido.wav", "impacto.wav",      "ciudad_cae.wav",
    "motor.wav",       "avion_tocado.wav", "avion_cae.wav", "nivel_ganado.wav", "juego_perdido.wav",
    "viaje_torre.wav", "torre_vacia.wav",  "menu_paso.wav", "menu_elegir.wav",
};
static_assert(std::size(ARCHIVOS) == CANT_EFECTOS, "one file for every effect");

Mezclador mezclador;
bool abierto = false;
// Each effect as interleaved stereo frames at the device's rate; empty when silent.
std::vector<std::int16_t> efectos[CANT_EFECTOS];

// The mixer is shared with SDL's audio thread: the game's calls hold its lock while they touch it.
class Cerrojo {
  public:
    Cerrojo() {
        if (abierto)
            SDL_LockAudio();
    }
    ~Cerrojo() {
        if (abierto)
            SDL_UnlockAudio();
    }
    Cerrojo(const Cerrojo&) = delete;
    Cerrojo& operator=(const Cerrojo&) = delete;
};

// The audio back ends SDL tries write their own complaints to stderr (ALSA's "cannot find card"
// on a machine with no sound, the disk writer's warning). The games' stderr says only what their
// designs say, so stderr goes to /dev/null while SDL looks for a device.
class StderrCallado {
  public:
    StderrCallado() {
        if (fcntl(STDERR_FILENO, F_GETFD) < 0)
            return; // no stderr to keep clean
        std::fflush(stderr);
        int nulo = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (nulo < 0)
            return;
        guardado_ = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        if (guardado_ >= 0 && dup2(nulo, STDERR_FILENO) < 0) {
            close(guardado_);
            guardado_ = -1;
        }
        close(nulo);
    }
    ~StderrCallado() {
        if (guardado_ < 0)
            return;
        std::fflush(stderr);
        dup2(guardado_, STDERR_FILENO);
        close(guardado_);
    }
    StderrCallado(const StderrCallado&) = delete;
    StderrCallado& operator=(const StderrCallado&) = delete;

  private:
    int guardado_ = -1;
};

void llamadaAudio(void*, Uint8* flujo, int largo) {
    if (flujo == nullptr || largo <= 0)
        return;
    const std::size_t bytes = static_cast<std::size_t>(largo);
    const std::size_t cuadros = bytes / (CANALES * sizeof(std::int16_t));
    mezclador.mezclar(reinterpret_cast<std::int16_t*>(flujo), cuadros);
    for (std::size_t i = cuadros * CANALES * sizeof(std::int16_t); i < bytes; ++i)
        flujo[i] = 0;
}

Uint16 formatoSdl(const Onda& onda) {
    return onda.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
}

// One effect read, checked and converted to the device's format; empty when anything is amiss.
std::vector<std::int16_t> cargarEfecto(const std::string& ruta) {
    std::vector<std::int16_t> listo;
    const Archivo archivo = leerArchivo(ruta.c_str(), Admite::solo_regulares, MAYOR_ARCHIVO_ONDA);
    Onda onda;
    if (!archivo.leido() ||
        !revisarOnda(reinterpret_cast<const unsigned char*>(archivo.datos.get()), archivo.largo,
                     onda))
        return listo;
    const std::vector<unsigned char> minima = ondaMinima(onda);

    SDL_RWops* rw = SDL_RWFromConstMem(minima.data(), static_cast<int>(minima.size()));
    if (rw == nullptr)
        return listo;
    SDL_AudioSpec leido;
    Uint8* buf = nullptr;
    Uint32 largo = 0;
    if (SDL_LoadWAV_RW(rw, 1, &leido, &buf, &largo) == nullptr)
        return listo;
    // SDL read what was checked: the same format and every byte of the data.
    const bool igual = leido.format == formatoSdl(onda) && leido.channels == onda.canales &&
                       leido.freq == onda.frecuencia && largo == onda.largo && buf != nullptr;
    SDL_AudioCVT cvt;
    if (!igual ||
        SDL_BuildAudioCVT(&cvt, leido.format, leido.channels, leido.freq, AUDIO_S16SYS, CANALES,
                          FRECUENCIA_SONIDO) < 0 ||
        cvt.len_mult < 1 || cvt.len_mult > 64) {
        SDL_FreeWAV(buf);
        return listo;
    }
    std::vector<Uint8> trabajo(static_cast<std::size_t>(largo) * cvt.len_mult);
    std::copy(buf, buf + largo, trabajo.begin());
    SDL_FreeWAV(buf);
    cvt.buf = trabajo.data();
    cvt.len = static_cast<int>(largo);
    if (SDL_ConvertAudio(&cvt) < 0 || cvt.len_cvt <= 0 ||
        static_cast<std::size_t>(cvt.len_cvt) > trabajo.size())
        return listo;
    // Whole frames only: a rate change may leave a part of one at the end.
    const std::size_t cuadros = static_cast<std::size_t>(cvt.len_cvt) / (CANALES * 2);
    listo.resize(cuadros * CANALES);
    std::copy(trabajo.data(), trabajo.data() + cuadros * CANALES * 2,
              reinterpret_cast<Uint8*>(listo.data()));
    return listo;
}

Sonido sonidoDe(Efecto efecto) {
    const int i = static_cast<int>(efecto);
    if (i < 0 || i >= CANT_EFECTOS)
        return Sonido{};
    return Sonido{efectos[i].data(), efectos[i].size() / CANALES};
}

Manija iniciar(Efecto efecto, Ganancias ganancias, Clase clase, bool bucle) {
    if (!abierto)
        return Manija{};
    Cerrojo c;
    return mezclador.tocar(sonidoDe(efecto), ganancias, clase, bucle);
}

} // namespace

const char* archivoEfecto(Efecto efecto) {
    const int i = static_cast<int>(efecto);
    return i >= 0 && i < CANT_EFECTOS ? ARCHIVOS[i] : "";
}

bool abrirSonido(const std::string& carpeta) {
    if (abierto)
        return true;
    {
        StderrCallado callado;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0)
            return false;
        SDL_AudioSpec deseado = {};
        deseado.freq = FRECUENCIA_SONIDO;
        deseado.format = AUDIO_S16SYS;
        deseado.channels = CANALES;
        deseado.samples = CUADROS_BUFFER;
        deseado.callback = llamadaAudio;
        // No format asked back: SDL converts to whatever the device wants; the mix is always this.
        if (SDL_OpenAudio(&deseado, nullptr) < 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
    }
    const std::string base = carpeta.empty() || carpeta.back() == '/' ? carpeta : carpeta + "/";
    for (int i = 0; i < CANT_EFECTOS; ++i)
        efectos[i] = cargarEfecto(base + ARCHIVOS[i]);
    abierto = true;
    SDL_PauseAudio(0);
    return true;
}

void cerrarSonido() {
    if (!abierto)
        return;
    SDL_CloseAudio();
    abierto = false;
    mezclador.vaciar(); // no voice may point at the effects freed below
    for (std::vector<std::int16_t>& e : efectos)
        std::vector<std::int16_t>().swap(e);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool efectoCargado(Efecto efecto) {
    return abierto && sonidoDe(efecto).cuadros > 0;
}

Manija tocarEfecto(Efecto efecto, Ganancias ganancias, Clase clase) {
    return iniciar(efecto, ganancias, clase, false);
}

Manija tocarBucle(Efecto efecto, Ganancias ganancias) {
    return iniciar(efecto, ganancias, Clase::JUEGO, true);
}

bool moverEfecto(Manija manija, Ganancias ganancias) {
    Cerrojo c;
    return mezclador.mover(manija, ganancias);
}

void pararEfecto(Manija manija) {
    Cerrojo c;
    mezclador.parar(manija);
}

bool efectoSonando(Manija manija) {
    Cerrojo c;
    return mezclador.sonando(manija);
}

void pausarSonido(bool pausado) {
    Cerrojo c;
    mezclador.pausar(pausado);
}

void alternarSonido() {
    Cerrojo c;
    mezclador.encender(!mezclador.encendido());
}

bool sonidoEncendido() {
    Cerrojo c;
    return mezclador.encendido();
}

std::uint64_t cuadrosSonados() {
    Cerrojo c;
    return mezclador.cuadrosMezclados();
}
