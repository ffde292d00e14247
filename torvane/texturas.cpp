// Pictures of the game: turning an image file into a texture, and every texture the game shows.
#include "texturas.h"

#include <GL/gl.h>
#include <string>

#include "imagen_textura.h"

namespace torvane {

unsigned consigueimagen(const char* archivo) {
    GLuint nombre = 0;
    glGenTextures(1, &nombre);
    imagenATextura(archivo, nombre);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    return nombre;
}

// Every texture name of `t` with the file it holds, in load order. The menu pictures past the
// start screen are marked `alMostrarse`: they are loaded when first shown, not at start-up.
template <typename Visita> static void recorrer(Texturas& t, Visita visita) {
    visita(t.textura_ciudad, "canon.png", false);
    visita(t.textura_misil, "missileTexture.jpg", false);
    visita(t.textura_game_over, "gameover.png", true);
    for (int i = 0; i < 10; ++i) {
        visita(t.textura_digito[i], std::to_string(i) + ".png", false);
    }
    visita(t.textura_bala, "bala.png", false);
    for (int i = 0; i < 4; ++i) {
        visita(t.textura_vida[i], "torre" + std::to_string(i + 1) + ".png", false);
    }
    visita(t.textura_torresana, "vidallena.png", false);
    visita(t.textura_torremedia, "vidamedia.png", false);
    visita(t.textura_torregrave, "vidabaja.png", false);
    for (int i = 0; i < 4; ++i) {
        visita(t.sky_box_textura[i], "cielo.jpg", false);
    }
    visita(t.sky_box_textura[4], "texturaSuelo.jpg", false);
    visita(t.sky_box_textura[5], "cielo.jpg", false);
    visita(t.MENU_Selecc_Continuar, "MENU_Selecc_Continuar.jpg", true);
    visita(t.MENU_Selecc_Velocidad, "MENU_Selecc_Velocidad.jpg", true);
    visita(t.MENU_Selecc_Estados, "MENU_Selecc_Estados.jpg", true);
    visita(t.MENU_Selecc_DirecyColor, "MENU_Selecc_DirecyColor.jpg", true);
    visita(t.MENU_VELOCIDAD_Lento, "MENU_VELOCIDAD_Lento.png", true);
    visita(t.MENU_VELOCIDAD_Normal, "MENU_VELOCIDAD_Normal.png", true);
    visita(t.MENU_VELOCIDAD_Rapido, "MENU_VELOCIDAD_Rapido.png", true);
    visita(t.MENU_ESTADOS_Selecc_Wireframe, "MENU_ESTADOS_Selecc_Wireframe.png", true);
    visita(t.MENU_ESTADOS_Selecc_Facet_Inter, "MENU_ESTADOS_Selecc_Facet_Inter.png", true);
    visita(t.MENU_ESTADOS_Selecc_Texturas, "MENU_ESTADOS_Selecc_Texturas.png", true);
    visita(t.MENU_ROJO, "MENU_ROJO.png", true);
    visita(t.MENU_AZUL, "MENU_AZUL.png", true);
    visita(t.MENU_VERDE, "MENU_VERDE.png", true);
    visita(t.MENU_BLANCO, "MENU_BLANCO.png", true);
    visita(t.MENU_DIREC, "MENU_DIREC.png", true);
    visita(t.MENU_inicio_comenzar, "inicio_comenzar.png", false);
    visita(t.MENU_inicio_salir, "inicio_salir.png", false);
    for (int i = 0; i < 3; ++i) {
        visita(t.menu_torre[i], "torre" + std::to_string(i + 1) + "d.jpg", true);
    }
}

void cargarTexturas(Texturas& t) {
    recorrer(t, [](unsigned& nombre, const std::string& archivo, bool alMostrarse) {
        if (!alMostrarse) {
            nombre = consigueimagen(("texturas/" + archivo).c_str());
        }
    });
}

void cargarTexturasMenu(Texturas& t) {
    recorrer(t, [](unsigned& nombre, const std::string& archivo, bool) {
        if (nombre == 0) {
            nombre = consigueimagen(("texturas/" + archivo).c_str());
        }
    });
}

void liberarTexturas(Texturas& t) {
    recorrer(t, [](unsigned& nombre, const std::string&, bool) {
        GLuint n = nombre;
        if (n != 0) {
            glDeleteTextures(1, &n);
        }
        nombre = 0;
    });
}

// The name slot of a menu picture, or null for none.
static unsigned* nombreMenu(Texturas& t, ImagenMenu imagen) {
    switch (imagen) {
    case ImagenMenu::INICIO_COMENZAR:
        return &t.MENU_inicio_comenzar;
    case ImagenMenu::INICIO_SALIR:
        return &t.MENU_inicio_salir;
    case ImagenMenu::SELECC_CONTINUAR:
        return &t.MENU_Selecc_Continuar;
    case ImagenMenu::SELECC_VELOCIDAD:
        return &t.MENU_Selecc_Velocidad;
    case ImagenMenu::SELECC_ESTADOS:
        return &t.MENU_Selecc_Estados;
    case ImagenMenu::SELECC_DIRECYCOLOR:
        return &t.MENU_Selecc_DirecyColor;
    case ImagenMenu::VELOCIDAD_LENTO:
        return &t.MENU_VELOCIDAD_Lento;
    case ImagenMenu::VELOCIDAD_NORMAL:
        return &t.MENU_VELOCIDAD_Normal;
    case ImagenMenu::VELOCIDAD_RAPIDO:
        return &t.MENU_VELOCIDAD_Rapido;
    case ImagenMenu::ESTADOS_WIREFRAME:
        return &t.MENU_ESTADOS_Selecc_Wireframe;
    case ImagenMenu::ESTADOS_FACET_INTER:
        return &t.MENU_ESTADOS_Selecc_Facet_Inter;
    case ImagenMenu::ESTADOS_TEXTURAS:
        return &t.MENU_ESTADOS_Selecc_Texturas;
    case ImagenMenu::ROJO:
        return &t.MENU_ROJO;
    case ImagenMenu::AZUL:
        return &t.MENU_AZUL;
    case ImagenMenu::VERDE:
        return &t.MENU_VERDE;
    case ImagenMenu::BLANCO:
        return &t.MENU_BLANCO;
    case ImagenMenu::DIREC:
        return &t.MENU_DIREC;
    case ImagenMenu::TORRE1:
        return &t.menu_torre[0];
    case ImagenMenu::TORRE2:
        return &t.menu_torre[1];
    case ImagenMenu::TORRE3:
        return &t.menu_torre[2];
    case ImagenMenu::GAME_OVER_IMAGEN:
        return &t.textura_game_over;
    case ImagenMenu::NINGUNA:
        return nullptr;
    }
    return nullptr;
}

unsigned texturaMenu(Texturas& t, ImagenMenu imagen) {
    unsigned* nombre = nombreMenu(t, imagen);
    if (nombre == nullptr) {
        return 0;
    }
    if (*nombre == 0) {
        recorrer(t, [nombre](unsigned& n, const std::string& archivo, bool) {
            if (&n == nombre) {
                n = consigueimagen(("texturas/" + archivo).c_str());
            }
        });
    }
    return *nombre;
}

} // namespace torvane
