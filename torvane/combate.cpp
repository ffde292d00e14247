// Rules of play: missile launches, the travelling view, bullets, hits, city strikes, firing,
// turning.
#include "combate.h"

#include <cmath>
#include <utility>

#include "azar.h"
#include "entero.h"
#include "camara.h"
#include "ciudad.h"
#include "proyectil.h"
#include "torre.h"

namespace torvane {

static float distancia(float ax, float ay, float az, float bx, float by, float bz) {
    return std::sqrt((ax - bx) * (ax - bx) + (ay - by) * (ay - by) + (az - bz) * (az - bz));
}

// One coordinate of a launch point: a random sign drawn first, then 10 to 34 units from the axis.
static float coordenadaLanzamiento() {
    float signo = azar() % 2 == 0 ? 1.0f : -1.0f;
    return signo * static_cast<float>(azar() % 25 + 10);
}

// Draws city ids until one names a living city of the level; null when none is left to aim at.
static Ciudad* elegirBlanco(const Juego& juego) {
    bool hayViva = false;
    for (Ciudad* ciudad : ciudadesDelNivel(juego, juego.nivel)) {
        hayViva = hayViva || ciudad->getActivo();
    }
    if (!hayViva) {
        return nullptr;
    }
    const auto& delNivel = juego.ciudades.at(juego.nivel);
    for (;;) {
        auto it = delNivel.find(azar() % (juego.nivel + 1));
        if (it != delNivel.end() && it->second != nullptr && it->second->getActivo()) {
            return it->second;
        }
    }
}

void lanzarMisiles(Juego& juego) {
    juego.vueltas += 1;
    if (juego.tirados >= MAX_EN_VUELO || juego.cant_misiles >= juego.nivel * MISILES_POR_NIVEL) {
        return;
    }
    int divisor = juego.nivel > 0 && juego.nivel <= 200 ? 200 / juego.nivel : 1;
    bool toca = azar() % divisor == 5;
    if (!toca && juego.vueltas <= VUELTAS_FORZADAS) {
        return;
    }
    Ciudad* blanco = elegirBlanco(juego);
    if (blanco == nullptr) {
        return;
    }
    float x = coordenadaLanzamiento();
    float y = ALTURA_LANZAMIENTO;
    float z = coordenadaLanzamiento();
    auto misil = std::make_unique<Proyectil>(juego.misil, x, y, z, blanco->getX() - x,
                                             blanco->getY() - y, blanco->getZ() - z);
    // A missile with no direction to fly (a city where no number can reach it) is born spent: it
    // counts among the level's launches but never as in flight, or the level would wait for it
    // for ever.
    if (misil->getActivo()) {
        juego.tirados += 1;
    }
    juego.misiles[juego.cant_misiles] = std::move(misil);
    juego.cant_misiles += 1;
    juego.vueltas = 0;
}

// Moves `valor` towards `destino` by at most `paso`, landing on it exactly.
static float acercar(float valor, float destino, float paso) {
    if (std::fabs(destino - valor) <= paso) {
        return destino;
    }
    return valor < destino ? valor + paso : valor - paso;
}

Vista avanzarVista(Juego& juego) {
    Vista vista;
    if (!juego.moviendo) {
        return vista;
    }
    float destinoX = juego.torres_posiciones[juego.en_torre][0];
    float destinoZ = juego.torres_posiciones[juego.en_torre][2];
    if (juego.x != destinoX || juego.z != destinoZ) {
        vista.tipo = TipoVista::VIAJE;
        vista.x = juego.x;
        vista.z = juego.z;
        juego.x = acercar(juego.x, destinoX, PASO_VIAJE_X * juego.velocidad);
        juego.z = acercar(juego.z, destinoZ, PASO_VIAJE_Z * juego.velocidad);
    } else {
        juego.moviendo = false;
        vista.tipo = TipoVista::IDENTIDAD;
    }
    return vista;
}

std::vector<Dibujo> moverBalas(Juego& juego, Sucesos* sucesos) {
    std::vector<Dibujo> dibujos;
    if (juego.moviendo) {
        return dibujos;
    }
    for (auto& par : juego.balas) {
        Proyectil& bala = *par.second;
        if (bala.getY() < 0.0f || !bala.getActivo()) {
            continue;
        }
        bala.recalcularPosicion(PASO_BALA);
        float bx = bala.getX(), by = bala.getY(), bz = bala.getZ();
        for (auto& parMisil : juego.misiles) {
            Proyectil& misil = *parMisil.second;
            if (!misil.getActivo()) {
                continue;
            }
            if (distancia(bx, by, bz, misil.getX(), misil.getY(), misil.getZ()) <
                DISTANCIA_IMPACTO) {
                juego.puntaje = sumaSaturada(juego.puntaje, PUNTOS_MISIL);
                if (sucesos != nullptr) {
                    sucesos->derribos.push_back({misil.getX(), misil.getY(), misil.getZ()});
                }
                bala.desactivar();
                misil.desactivar();
                juego.tirados -= 1;
                break;
            }
        }
        dibujos.push_back({bx, by, bz});
    }
    return dibujos;
}

// A missile within reach of a city strikes it; a city left without health falls.
static void golpearCiudades(Juego& juego, Proyectil& misil, Sucesos* sucesos) {
    float mx = misil.getX(), my = misil.getY(), mz = misil.getZ();
    for (Ciudad* ciudad : ciudadesDelNivel(juego, juego.nivel)) {
        if (!(distancia(ciudad->getX(), ciudad->getY(), ciudad->getZ(), mx, my, mz) <
              DISTANCIA_IMPACTO)) {
            continue;
        }
        bool estabaEnPie = ciudad->getActivo();
        ciudad->decrementarSalud(DANO_MISIL);
        misil.desactivar();
        juego.tirados -= 1;
        if (sucesos != nullptr) {
            sucesos->impactos.push_back({mx, my, mz});
        }
        if (estabaEnPie && ciudad->getSalud() <= 0) {
            ciudad->desactivar();
            if (sucesos != nullptr) {
                sucesos->caidas.push_back({ciudad->getX(), ciudad->getY(), ciudad->getZ()});
            }
            juego.ciudades_vivas -= 1;
            if (juego.ciudades_vivas == 0) {
                juego.estado = Estado::GAME_OVER;
            }
        }
        return;
    }
}

std::vector<Dibujo> moverMisiles(Juego& juego, Sucesos* sucesos) {
    std::vector<Dibujo> dibujos;
    float paso = juego.velocidad * PASO_MISIL + static_cast<float>(juego.nivel / 10);
    for (auto& par : juego.misiles) {
        Proyectil& misil = *par.second;
        if (misil.getY() >= 0.0f && misil.getActivo() && !juego.moviendo) {
            misil.recalcularPosicion(paso);
            golpearCiudades(juego, misil, sucesos);
            dibujos.push_back({misil.getX(), misil.getY(), misil.getZ()});
        } else if (misil.getActivo() && misil.getY() < 0.0f) {
            misil.desactivar();
            juego.tirados -= 1;
        }
    }
    return dibujos;
}

FramePlay jugarFrame(Juego& juego) {
    FramePlay frame;
    lanzarMisiles(juego);
    frame.vista = avanzarVista(juego);
    frame.balas = moverBalas(juego, &frame.sucesos);
    frame.misiles = moverMisiles(juego, &frame.sucesos);
    return frame;
}

Disparo botonApretado(Juego& juego, BotonRaton boton, bool derechoSostenido) {
    if (juego.estado != Estado::JUGANDO) {
        return Disparo::NINGUNO;
    }
    if (boton == BotonRaton::DERECHO || derechoSostenido) {
        juego.moverCam = true;
    } else if (boton == BotonRaton::IZQUIERDO) {
        return disparar(juego);
    }
    return Disparo::NINGUNO;
}

void botonSoltado(Juego& juego) {
    juego.moverCam = false;
}

void ratonMovido(Juego& juego, int xrel, int yrel) {
    Torre* torre = juego.torres[juego.en_torre];
    if (!juego.moverCam || torre == nullptr) {
        return;
    }
    torre->getCamara()->RotateX(-static_cast<float>(yrel) * GIRO_POR_PIXEL);
    torre->getCamara()->RotateY(-static_cast<float>(xrel) * GIRO_POR_PIXEL);
}

Disparo disparar(Juego& juego) {
    Torre* torre = juego.torres[juego.en_torre];
    if (torre == nullptr) {
        return Disparo::NINGUNO;
    }
    if (torre->getMunicion() <= 0) {
        return Disparo::VACIA;
    }
    torre->disparar();
    SF3dVector desde = torre->getCamara()->getPosition();
    SF3dVector dir = torre->getCamara()->getViewDir();
    juego.balas[juego.cant_balas] =
        std::make_unique<Proyectil>(juego.misil, desde.x, desde.y, desde.z, dir.x, dir.y, dir.z);
    juego.cant_balas += 1;
    return Disparo::BALA;
}

void cambiarTorre(Juego& juego, int torre) {
    if (torre < 0 || torre > 2 || juego.moviendo || torre == juego.en_torre) {
        return;
    }
    juego.x = juego.torres_posiciones[juego.en_torre][0];
    juego.z = juego.torres_posiciones[juego.en_torre][2];
    juego.en_torre = torre;
    juego.moviendo = true;
}

} // namespace torvane
