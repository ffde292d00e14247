// Turning the game's image files into OpenGL textures.
#pragma once

namespace fenwar {

// Images of texture slots 0 to 9, in load order.
constexpr int CANT_IMAGENES = 10;
constexpr const char* ARCHIVOS_TEXTURA[CANT_IMAGENES] = {
    "Brick_pattern2.jpg",
    "avion.jpg",
    "canon.png",
    "JLGreebleProof-CorrelateIMG_0006.jpg",
    "ralternatebluegalaxyprint_shop_preview.png",
    "morwicksp1.jpg",
    "menu.jpg",
    "menu3.jpg",
    "fuego.jpg",
    "gameover.jpg",
};
// Slots the drawing binds.
enum SlotTextura {
    TEX_TORRES = 0,
    TEX_AVION = 1,
    TEX_CANIONES = 2,
    TEX_CIUDADES = 3,
    TEX_CIELO = 4,
    TEX_SUELO = 5,
    TEX_MENU = 6,
    TEX_CONFIG = 7,
    TEX_FUEGO = 8,
    TEX_GAMEOVER = 9,
};

// Fills texture name textura[i] with the image in `archivo` (24-bit RGB, linear, repeating).
// An image that cannot be read leaves an empty texture and prints nothing.
void loadTexture(const char* archivo, unsigned* textura, int i);
// Creates `cantidad` texture names and loads the ten images into slots 0 to 9. Called when the
// GL context has been re-created.
void cargarTexturas(unsigned* textura, int cantidad);
// The same in two steps, so that start-up reaches its first frame sooner: the names and the
// images of the game frame, then the pictures of the menu screens (slots 6, 7 and 9).
void cargarTexturasJuego(unsigned* textura, int cantidad);
void cargarTexturasMenu(unsigned* textura);

} // namespace fenwar
