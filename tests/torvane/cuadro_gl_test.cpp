// Whole frames of play in Mesa's off-screen GL, with the sky box and meshes from their lists and
// sent directly: the same picture in every phase of play, frame after frame, and the phase did
// what it says.
#include "offscreen_gl.h"

#include "bucle.h"
#include "ciudad.h"
#include "configuracion.h"
#include "hud.h"
#include "juego.h"
#include "juego_torvane.h"
#include "recursos.h"
#include "torre.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <unistd.h>
#include <vector>

using namespace torvane;

namespace {

constexpr int W = 640, H = 480;

// One game on level 3 in the busy scene of the benchmark, in the current context.
class Partida {
  public:
    explicit Partida(bool directo) {
        juego_.misil = misil_.get();
        juego_.cubo = cubo_.get();
        error_ = cargarConfiguracion("configuracion.xml", juego_.ciudades, juego_.torres,
                                     juego_.torres_posiciones);
        colocarCamaras(juego_);
        cargarMallas(*misil_, *cubo_);
        r_.directo = directo;
        cargarRecursos(r_, juego_);
        cargarFotoEscenario(r_);
        init(juego_.habilitar_texturas, juego_.facet_interpol);
        juego_.nivel = NIVEL;
        empezarNivel(juego_);
    }
    ~Partida() { liberarRecursos(r_); }

    // Frame `i` of the phase, as the game's loop draws it; its picture. Without `proyectiles`
    // the scene has none.
    std::vector<unsigned char> cuadro(Fase fase, int i, bool proyectiles = true) {
        if (proyectiles) {
            armarEscena(juego_);
        } else {
            juego_.misiles.clear();
            juego_.balas.clear();
        }
        jugar(fase, i, juego_, marcha_);
        comenzarFrame(juego_);
        dibujarFrame(juego_, r_);
        return readWindow(W, H).rgba;
    }

    const std::string& error() const { return error_; }
    Juego& juego() { return juego_; }
    Recursos& recursos() { return r_; }

  private:
    std::unique_ptr<obj_type> misil_ = std::make_unique<obj_type>();
    std::unique_ptr<obj_type> cubo_ = std::make_unique<obj_type>();
    Juego juego_;
    Recursos r_;
    Marcha marcha_;
    std::string error_;
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

    // Every frame of the phase both ways; what the game with lists left.
    void ambasManeras(Fase fase, int cuadros, const std::vector<unsigned char>& quieta,
                      std::unique_ptr<Partida>& conListas) {
        std::vector<std::vector<unsigned char>> pictures;
        conListas.reset();
        conListas = std::make_unique<Partida>(false);
        ASSERT_EQ(conListas->error(), "");
        ASSERT_NE(conListas->recursos().listaCielo, 0u);
        for (int i = 0; i < cuadros; ++i) {
            pictures.push_back(conListas->cuadro(fase, i));
        }
        Partida directa(true);
        ASSERT_EQ(directa.recursos().listaCielo, 0u);
        const bool cambio = framesLookTheSame(
            nombreFase(fase), pictures, [&directa, fase](int i) { return directa.cuadro(fase, i); },
            quieta, W, H);
        EXPECT_TRUE(cambio || fase == Fase::Quieta) << nombreFase(fase) << " changed nothing";
    }

    OffscreenGl gl_;
};

TEST_F(Cuadros, EveryPhaseLooksTheSameBothWays) {
    std::unique_ptr<Partida> p;
    std::vector<unsigned char> quieta;
    {
        Partida q(false);
        quieta = q.cuadro(Fase::Quieta, 0);
    }
    ambasManeras(Fase::Quieta, 4, quieta, p);
    ambasManeras(Fase::Girando, 52, quieta, p);
    ambasManeras(Fase::Disparando, 52, quieta, p);
    // A bullet of 40 for each of the five shots, each hitting three frames later.
    const Torre* torre = p->juego().torres[p->juego().en_torre];
    ASSERT_NE(torre, nullptr);
    EXPECT_EQ(torre->getMunicion(), 40 - 5);
    EXPECT_EQ(p->juego().puntaje, 10 * 5);
    // The travel to tower 1 lasts 180 frames.
    ambasManeras(Fase::Cambiando, 190, quieta, p);
    EXPECT_EQ(p->juego().en_torre, 1);
    ambasManeras(Fase::Ciudad, 52, quieta, p);
    // Five strikes of 3 on city 0 (health 15): it fell; the other three stand whole.
    EXPECT_EQ(p->juego().ciudades_vivas, 3);
}

// Full screen sets a projection of its own, and the kept picture is made anew for it; leaving a
// menu sets play's projection again (init): what follows is drawn under it, not copied from the
// picture of the other projection.
TEST_F(Cuadros, ThePictureOfAnotherProjectionIsNotCopied) {
    std::vector<std::vector<unsigned char>> cuadros[2];
    for (int manera = 0; manera < 2; ++manera) {
        Partida p(manera == 1);
        Ventana v;
        for (int i = 0; i < 12; ++i) {
            if (i == 4) {
                liberarFoto(p.recursos().foto);
                cargarFotoEscenario(p.recursos());
                glMatrixMode(GL_PROJECTION);
                glLoadIdentity();
                gluPerspective(45.0, 640.0 / 480.0, 0.1, 200.0);
                glMatrixMode(GL_MODELVIEW);
            }
            if (i == 8) {
                Efectos volver;
                volver.init = true;
                aplicarEfectos(volver, p.juego(), p.recursos(), v);
            }
            cuadros[manera].push_back(p.cuadro(Fase::Quieta, i));
        }
    }
    for (std::size_t i = 0; i < cuadros[0].size(); ++i) {
        EXPECT_TRUE(looksTheSame(cuadros[0][i], cuadros[1][i], W, H)) << "frame " << i;
    }
    EXPECT_NE(cuadros[0][7], cuadros[0][8]) << "the projection changed";
}

// Lit, the sky box takes the normal the mesh drawn last left: with projectiles flying, then with
// none, then with them again, every frame looks the same both ways.
TEST_F(Cuadros, TheLitSceneLooksTheSameBothWays) {
    std::vector<std::vector<unsigned char>> cuadros[2];
    for (int manera = 0; manera < 2; ++manera) {
        Partida p(manera == 1);
        p.juego().lumus = true;
        p.juego().green = 0.0f;
        p.juego().xil = -50.0f;
        for (int i = 0; i < 24; ++i) {
            const bool proyectiles = i < 8 || i >= 16;
            cuadros[manera].push_back(p.cuadro(Fase::Quieta, i, proyectiles));
        }
        EXPECT_EQ(p.recursos().foto.valida, manera == 0);
    }
    for (std::size_t i = 0; i < cuadros[0].size(); ++i) {
        EXPECT_TRUE(looksTheSame(cuadros[0][i], cuadros[1][i], W, H)) << "frame " << i;
    }
    EXPECT_NE(cuadros[0][7], cuadros[0][8]) << "the projectiles went";
}

} // namespace
