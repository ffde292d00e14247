// The rules of the game, pause and configuration screens for keys, buttons and mouse motion.
#include "mandos.h"

#include "mira.h"

namespace fenwar {

void cambiarCanion(Juego& j, int sentido) {
    float& angulo = j.angulo_canion[j.nro_canion];
    if (sentido < 0) {
        if (angulo < 45.0f) {
            angulo += 1.0f;
        }
        j.nro_canion = (j.nro_canion + 3) % 4;
    } else {
        if (angulo > -45.0f) {
            angulo -= 1.0f;
        }
        j.nro_canion = (j.nro_canion + 1) % 4;
    }
    j.angb = 0.0f;
    j.lz = 0.0f;
    j.x = j.coordcannon[2 * j.nro_canion];
    j.y = j.coordcannon[2 * j.nro_canion + 1];
}

void acercar(Juego& j) {
    if (j.zoom < 2.0f) {
        j.zoom = j.zoom * 1.2f;
    }
}

void alejar(Juego& j) {
    if (j.zoom > 1.0f) {
        j.zoom = j.zoom / 1.2f;
    }
}

Sucesos disparar(Juego& j) {
    Sucesos s;
    s.disparos = 1;
    const float ex = j.x, ey = j.y, ez = -j.z;
    const float px = static_cast<float>(j.posiX);
    const float py = static_cast<float>(j.posiY);
    const float pz = static_cast<float>(j.posiZ);
    for (int i = 0; i < j.cantmisiles && i < MAX_MISILES; i++) {
        const Misil& m = j.buffmisiles[i];
        if (m.vivo && isHit(ex, ey, ez, px, py, pz, m.xActual, m.yActual, m.zActual, 0.2f)) {
            s.derribos.push_back({m.xActual, m.yActual, m.zActual});
            hitMisil(j.d, i, j.buffmisiles, j.cantvivos, j.puntaje, true);
            s.misilesDerribados++;
        }
    }
    if (j.hayavion &&
        isHit(ex, ey, ez, px, py, pz, j.av.xActual, j.av.yActual, j.av.zActual, 0.3f)) {
        s.avion = {j.av.xActual, j.av.yActual, j.av.zActual};
        hitAvion(j.d, j.av, j.canthitrest, j.puntaje);
        if (!j.av.vivo) {
            j.hayavion = false;
            s.avionDerribado = true;
        } else {
            j.hitavion = true;
            s.avionGolpeado = true;
        }
    }
    return s;
}

namespace {

// Light keys of the game screen: each nudges one setting by 0.1.
bool teclaLuz(Juego& j, int t) {
    switch (t) {
    case 'y':
        j.verdeluz += 0.1f;
        return true;
    case 't':
        j.verdeluz -= 0.1f;
        return true;
    case 'h':
        j.azulluz += 0.1f;
        return true;
    case 'g':
        j.azulluz -= 0.1f;
        return true;
    case 'm':
        j.xluz += 0.1f;
        return true;
    case 'u':
        j.xluz -= 0.1f;
        return true;
    case 'k':
        j.yluz += 0.1f;
        return true;
    case 'j':
        j.yluz -= 0.1f;
        return true;
    default:
        return false;
    }
}

Efecto teclaJuego(Juego& j, int t) {
    Efecto ef;
    switch (t) {
    case tecla::ESCAPE:
        j.fin = true;
        break;
    case 'p':
        j.pausa = true;
        ef.espera = 200;
        break;
    case tecla::IZQUIERDA:
        cambiarCanion(j, -1);
        ef.espera = 200;
        break;
    case tecla::DERECHA:
        cambiarCanion(j, 1);
        ef.espera = 200;
        break;
    case tecla::ARRIBA:
        acercar(j);
        ef.espera = 50;
        break;
    case tecla::ABAJO:
        alejar(j);
        ef.espera = 50;
        break;
    case tecla::F11:
        ef.pantallaCompleta = true;
        break;
    default:
        if (teclaLuz(j, t)) {
            ef.espera = 5;
        }
        break;
    }
    return ef;
}

} // namespace

Efecto reglasJuego(Juego& j, const Evento& e) {
    Efecto ef;
    switch (e.tipo) {
    case TipoEvento::Tecla:
        return teclaJuego(j, e.tecla);
    case TipoEvento::BotonAbajo:
        if (e.botones & HELD_DERECHO) {
            j.moverCam = true;
        }
        // A quick click may be released before the frame handles it: the press itself fires.
        if ((e.botones & HELD_IZQUIERDO) || e.boton == BOTON_IZQUIERDO) {
            ef.sucesos = disparar(j);
        }
        break;
    case TipoEvento::BotonArriba:
        j.moverCam = false;
        break;
    case TipoEvento::Movimiento:
        if (j.moverCam) {
            j.angb = j.angb - e.yrel * 0.4f;
            j.lz = j.angb;
        }
        break;
    case TipoEvento::Salir:
        j.fin = true;
        break;
    case TipoEvento::Otro:
        break;
    }
    return ef;
}

Efecto reglasPausa(Juego& j, const Evento& e) {
    Efecto ef;
    if (e.tipo == TipoEvento::Salir) {
        j.fin = true;
    } else if (e.tipo == TipoEvento::Tecla) {
        switch (e.tecla) {
        case 'p':
            j.pausa = false;
            ef.espera = 110;
            break;
        case 'q':
            j.fin = true;
            break;
        case 'c':
            j.config = true;
            j.pausa = false;
            break;
        case tecla::ESPACIO:
            // A new game, played at once.
            reiniciarPartida(j);
            j.pausa = false;
            ef.espera = 100;
            break;
        default:
            break;
        }
    }
    return ef;
}

Efecto reglasConfig(Juego& j, const Evento& e) {
    Efecto ef;
    if (e.tipo == TipoEvento::Salir) {
        j.fin = true;
    } else if (e.tipo == TipoEvento::Tecla) {
        switch (e.tecla) {
        case 'p':
            j.pausa = true;
            j.config = false;
            ef.espera = 200;
            break;
        case 'w':
            j.wireframe = !j.wireframe;
            ef.espera = 200;
            break;
        case 't':
            j.texturas = !j.texturas;
            ef.espera = 200;
            break;
        case 'l':
            j.luz = !j.luz;
            ef.espera = 200;
            break;
        default:
            break;
        }
    }
    return ef;
}

Efecto reglas(Pantalla pantalla, Juego& j, const Evento& e) {
    switch (pantalla) {
    case Pantalla::Pausa:
        return reglasPausa(j, e);
    case Pantalla::Configuracion:
        return reglasConfig(j, e);
    case Pantalla::Juego:
        break;
    }
    return reglasJuego(j, e);
}

} // namespace fenwar
