// Rules of the start screen, the pause pages, the game-over screen and every key of the game.
#include "menu.h"

#include "combate.h"

namespace torvane {

// Entries are numbered across the pause pages: a page's first entry has the number of the page.
static const int ULTIMA_DE_PAGINA[] = {3, 3, 4, 7, 9};
static const int PRIMERA_DE_PAGINA[] = {0, 1, 2, 3, 7};

static int paginaValida(int yoquese) {
    return yoquese < PAGINA_PRINCIPAL || yoquese > PAGINA_POSICION ? PAGINA_PRINCIPAL : yoquese;
}

int primeraEntrada(const Juego& juego) {
    if (juego.estado != Estado::PAUSA) {
        return 0;
    }
    return PRIMERA_DE_PAGINA[paginaValida(juego.yoquese)];
}

int ultimaEntrada(const Juego& juego) {
    if (juego.estado != Estado::PAUSA) {
        return 1;
    }
    return ULTIMA_DE_PAGINA[paginaValida(juego.yoquese)];
}

ImagenMenu imagenDelMenu(Juego& juego) {
    if (juego.estado == Estado::GAME_OVER) {
        return ImagenMenu::GAME_OVER_IMAGEN;
    }
    if (juego.estado != Estado::INICIO && juego.estado != Estado::PAUSA) {
        return ImagenMenu::NINGUNA;
    }
    if (juego.flecha < primeraEntrada(juego)) {
        juego.flecha = primeraEntrada(juego);
    }
    if (juego.flecha > ultimaEntrada(juego)) {
        juego.flecha = ultimaEntrada(juego);
    }
    if (juego.estado == Estado::INICIO) {
        return juego.flecha == 0 ? ImagenMenu::INICIO_COMENZAR : ImagenMenu::INICIO_SALIR;
    }
    static const ImagenMenu pagina0[] = {ImagenMenu::SELECC_CONTINUAR, ImagenMenu::SELECC_VELOCIDAD,
                                         ImagenMenu::SELECC_ESTADOS,
                                         ImagenMenu::SELECC_DIRECYCOLOR};
    static const ImagenMenu pagina1[] = {ImagenMenu::VELOCIDAD_LENTO, ImagenMenu::VELOCIDAD_NORMAL,
                                         ImagenMenu::VELOCIDAD_RAPIDO};
    static const ImagenMenu pagina2[] = {ImagenMenu::ESTADOS_WIREFRAME,
                                         ImagenMenu::ESTADOS_FACET_INTER,
                                         ImagenMenu::ESTADOS_TEXTURAS};
    static const ImagenMenu pagina3[] = {ImagenMenu::ROJO, ImagenMenu::AZUL, ImagenMenu::VERDE,
                                         ImagenMenu::BLANCO, ImagenMenu::DIREC};
    static const ImagenMenu pagina4[] = {ImagenMenu::TORRE1, ImagenMenu::TORRE2,
                                         ImagenMenu::TORRE3};
    static const ImagenMenu* paginas[] = {pagina0, pagina1, pagina2, pagina3, pagina4};
    int pagina = paginaValida(juego.yoquese);
    return paginas[pagina][juego.flecha - PRIMERA_DE_PAGINA[pagina]];
}

// Back to play: the menu's highlight and page start afresh the next time it opens.
static void volverAJugar(Juego& juego, Efectos& efectos) {
    juego.estado = Estado::JUGANDO;
    efectos.init = true;
    juego.flecha = 0;
    juego.yoquese = 0;
}

static void alternarAlambre(Juego& juego, Efectos& efectos) {
    juego.wire = !juego.wire;
    efectos.modoPoligono = true;
}

static void alternarTexturas(Juego& juego, Efectos& efectos) {
    juego.habilitar_texturas = !juego.habilitar_texturas;
    efectos.texturas = true;
}

static void elegirColor(Juego& juego, float r, float g, float b) {
    juego.lumus = true;
    juego.red = r;
    juego.green = g;
    juego.blue = b;
}

// RETURN on a pause page. An entry the page does not have (an arrow and RETURN in one frame,
// before the highlight is brought into range) changes no setting.
static void elegirEnPausa(Juego& juego, Efectos& efectos) {
    int f = juego.flecha;
    switch (juego.yoquese) {
    case PAGINA_PRINCIPAL:
        if (f == 0) {
            volverAJugar(juego, efectos);
        } else if (f >= 1 && f <= 3) {
            juego.yoquese = f;
        }
        return;
    case PAGINA_VELOCIDAD:
        if (f == 1) {
            juego.velocidad = 0.5f;
        } else if (f == 2) {
            juego.velocidad = 1.0f;
        } else if (f == 3) {
            juego.velocidad = 2.0f;
        }
        volverAJugar(juego, efectos);
        return;
    case PAGINA_ESTADOS:
        if (f == 2) {
            alternarAlambre(juego, efectos);
        } else if (f == 3) {
            juego.facet_interpol = !juego.facet_interpol;
        } else if (f == 4) {
            alternarTexturas(juego, efectos);
        }
        volverAJugar(juego, efectos);
        return;
    case PAGINA_COLOR:
        if (f == 3) {
            elegirColor(juego, 255.0f, 0.0f, 0.0f);
        } else if (f == 4) {
            elegirColor(juego, 0.0f, 0.0f, 255.0f);
        } else if (f == 5) {
            elegirColor(juego, 0.0f, 255.0f, 0.0f);
        } else if (f == 6) {
            elegirColor(juego, 255.0f, 255.0f, 255.0f);
        } else if (f == 7) {
            juego.yoquese = PAGINA_POSICION;
            return;
        } else {
            return;
        }
        volverAJugar(juego, efectos);
        return;
    case PAGINA_POSICION:
        if (f >= 7 && f <= 9) {
            const float* p = juego.torres_posiciones[f - 7];
            juego.xil = p[0];
            juego.yil = p[1];
            juego.zil = p[2];
        }
        volverAJugar(juego, efectos);
        return;
    default:
        return;
    }
}

static void seleccionar(Juego& juego, Efectos& efectos) {
    switch (juego.estado) {
    case Estado::PAUSA:
        elegirEnPausa(juego, efectos);
        return;
    case Estado::INICIO:
    case Estado::PASAR_NIVEL:
        if (juego.flecha == 0) {
            volverAJugar(juego, efectos);
        } else if (juego.flecha == 1) {
            juego.estado = Estado::GAME_OVER;
        }
        return;
    case Estado::GAME_OVER:
        juego.estado = Estado::FIN;
        return;
    case Estado::JUGANDO:
    case Estado::FIN:
        return;
    }
}

Efectos manejarTecla(Juego& juego, Tecla tecla) {
    Efectos efectos;
    switch (tecla) {
    case Tecla::RETURN:
    case Tecla::ENTER_TECLADO:
        seleccionar(juego, efectos);
        break;
    case Tecla::ARRIBA:
    case Tecla::ABAJO:
        if (juego.estado == Estado::PAUSA || juego.estado == Estado::INICIO) {
            juego.flecha += tecla == Tecla::ARRIBA ? -1 : 1;
        }
        break;
    case Tecla::P:
        if (juego.estado == Estado::JUGANDO) {
            juego.estado = Estado::PAUSA;
        } else if (juego.estado == Estado::PAUSA) {
            juego.estado = Estado::JUGANDO;
        }
        juego.yoquese = 0;
        juego.flecha = 0;
        efectos.init = true;
        break;
    case Tecla::ESCAPE:
    case Tecla::Q:
        if (juego.estado != Estado::FIN) {
            juego.estado = Estado::GAME_OVER;
        }
        break;
    case Tecla::ESPACIO:
        alternarAlambre(juego, efectos);
        break;
    case Tecla::T:
        alternarTexturas(juego, efectos);
        break;
    case Tecla::M:
        juego.nivel += 1;
        break;
    case Tecla::UNO:
    case Tecla::DOS:
    case Tecla::TRES:
        cambiarTorre(juego, static_cast<int>(tecla) - static_cast<int>(Tecla::UNO));
        break;
    case Tecla::F11:
        efectos.pantallaCompleta = true;
        break;
    case Tecla::OTRA:
        break;
    }
    return efectos;
}

} // namespace torvane
