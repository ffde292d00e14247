// Whole game frames in Mesa's off-screen GL, the fast way (pieces in lists left out when out of
// view, the kept picture) and with every piece drawn directly: the same picture in every phase of
// play, frame after frame, and the phase did what it says.
#include "offscreen_gl.h"

#include "cuadro.h"
#include "dificultad.h"
#include "escenario.h"
#include "juego.h"
#include "juego_fenwar.h"
#include "modelo.h"
#include "recursos.h"
#include "reloj.h"
#include "texturas.h"
#include "ventana.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using namespace fenwar;

namespace {

constexpr int W = ANCHO_VENTANA, H = ALTO_VENTANA;
// Frames of each phase: the player acts on 0, 12, 24, 36 and 48.
constexpr int CUADROS = 52;

// One game in the busy scene of the benchmark, in the current context.
class Partida {
  public:
    explicit Partida(bool directo) {
        relojFijar(RELOJ_FIJO);
        iniciarJuego(*j_, getDifficultad("dificultad.xml"), RELOJ_FIJO);
        j_->oAvion = cargarObjeto("Drone.obj", 0.2f, j_->vAvion, j_->tAvion, j_->nAvion);
        j_->oMisil = cargarObjeto("asca.obj", 0.2f, j_->vMisil, j_->tMisil, j_->nMisil);
        r_.escenario.directo = directo;
        iniciarGL(r_, *j_);
        cargarRecursos(r_, *j_);
        armarEscena(*j_);
        guardar(*j_, escena_);
    }
    ~Partida() {
        liberarRecursos(r_);
        relojSoltar();
    }

    // Frame `i` of the phase, as the game's loop draws it; its picture.
    std::vector<unsigned char> cuadro(Fase fase, int i) {
        reponer(*j_, escena_);
        jugar(fase, i, *j_);
        glLoadIdentity();
        pruebaPartidaPerdida(*j_);
        cuadroJuego(*j_, r_);
        return readWindow(W, H).rgba;
    }

    Juego& juego() { return *j_; }
    const Escenario& escenario() const { return r_.escenario; }

  private:
    std::unique_ptr<Juego> j_ = std::make_unique<Juego>();
    Recursos r_;
    std::unique_ptr<Escena> escena_ptr_ = std::make_unique<Escena>();
    Escena& escena_ = *escena_ptr_;
};

class Cuadros : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* assets = std::getenv("ASSETS");
        ASSERT_NE(assets, nullptr);
        ASSERT_NO_FATAL_FAILURE(gl_.open(W, H));
        ASSERT_EQ(chdir(assets), 0);
    }
    void TearDown() override { ASSERT_NO_FATAL_FAILURE(gl_.close()); }

    // Every frame of the phase both ways; what the fast game left, for the phase's own checks.
    void ambasManeras(Fase fase, const std::vector<unsigned char>& quieta,
                      std::unique_ptr<Partida>& rapida) {
        std::vector<std::vector<unsigned char>> cuadros;
        rapida.reset();
        rapida = std::make_unique<Partida>(false);
        for (int i = 0; i < CUADROS; ++i) {
            cuadros.push_back(rapida->cuadro(fase, i));
        }
        Partida directa(true);
        bool cambio = false;
        PictureDifference peor;
        for (int i = 0; i < CUADROS; ++i) {
            const std::vector<unsigned char> directo = directa.cuadro(fase, i);
            EXPECT_TRUE(looksTheSame(cuadros[i], directo, W, H))
                << nombreFase(fase) << ", frame " << i;
            const PictureDifference d = differenceOf(cuadros[i], directo, W, H);
            peor.pixels = std::max(peor.pixels, d.pixels);
            peor.largest = std::max(peor.largest, d.largest);
            cambio = cambio || cuadros[i] != quieta;
        }
        EXPECT_TRUE(cambio || fase == Fase::Quieta) << nombreFase(fase) << " changed nothing";
        std::printf("%s: at most %zu pixels of a frame differ, by up to %d\n", nombreFase(fase),
                    peor.pixels, peor.largest);
    }

    OffscreenGl gl_;
};

TEST_F(Cuadros, EveryPhaseLooksTheSameBothWays) {
    std::unique_ptr<Partida> p;
    std::vector<unsigned char> quieta;
    {
        Partida q(false);
        for (int i = 0; i < 4; ++i) {
            quieta = q.cuadro(Fase::Quieta, i);
        }
        EXPECT_TRUE(q.escenario().foto.valida) << "the still view was kept";
    }
    ambasManeras(Fase::Quieta, quieta, p);
    ambasManeras(Fase::Girando, quieta, p);
    // The view tilted 1.2 degrees a frame for the first 40 frames, then back.
    EXPECT_NEAR(p->juego().angb, 1.2f * 40 - 1.2f * (CUADROS - 40), 1e-3);
    ambasManeras(Fase::Disparando, quieta, p);
    // Every shot hit at least the missile under the cross.
    EXPECT_GE(p->juego().puntaje, 10 * 5);
    ambasManeras(Fase::Cambiando, quieta, p);
    EXPECT_EQ(p->juego().nro_canion, (1 + 5) % 4);
    ambasManeras(Fase::Ciudad, quieta, p);
    // Cities 0 and 1 fell and stood again; city 2 was never struck.
    EXPECT_EQ(p->juego().vidaCitys[2], 100);
    EXPECT_LT(p->juego().vidaCitys[0] + p->juego().vidaCitys[1], 40);
}

// The settings a player changes, each for a few frames still (the picture kept and copied) and
// then on another cannon: the same picture both ways.
TEST_F(Cuadros, EverySettingLooksTheSameBothWays) {
    const std::pair<const char*, void (*)(Juego&)> ajustes[] = {
        {"outlined", [](Juego& j) { j.wireframe = true; }},
        {"untextured", [](Juego& j) { j.texturas = false; }},
        {"unlit", [](Juego& j) { j.luz = false; }},
        {"zoomed", [](Juego& j) { j.zoom = 2.0736f; }},
        {"light moved and coloured",
         [](Juego& j) {
             j.xluz = 0.7f;
             j.yluz = -0.4f;
             j.verdeluz = 0.3f;
             j.azulluz = -0.2f;
         }},
        {"looking up", [](Juego& j) { j.angb = j.lz = 60.0f; }},
    };
    for (const auto& [nombre, ajustar] : ajustes) {
        std::vector<std::vector<unsigned char>> cuadros[2];
        for (int manera = 0; manera < 2; ++manera) {
            Partida p(manera == 1);
            ajustar(p.juego());
            for (int i = 0; i < 8; ++i) {
                if (i == 5) {
                    Juego& j = p.juego();
                    j.nro_canion = 3;
                    j.x = j.coordcannon[6];
                    j.y = j.coordcannon[7];
                }
                cuadros[manera].push_back(p.cuadro(Fase::Quieta, i));
            }
            EXPECT_EQ(p.escenario().foto.valida, manera == 0) << nombre;
        }
        for (std::size_t i = 0; i < cuadros[0].size(); ++i) {
            EXPECT_TRUE(looksTheSame(cuadros[0][i], cuadros[1][i], W, H, nombre[0] == 'o'))
                << nombre << ", frame " << i;
        }
    }
}

} // namespace
