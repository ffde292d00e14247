// The pause and configuration screens: one tinted picture over the whole window.
#pragma once

namespace fenwar {

// The menu quad at z = -2.2 in eye space, tinted dark green, with whatever texture is bound.
void menu();
// A whole menu screen with the picture of texture name `imagen`: always filled and seen
// through the unzoomed lens, whatever outline mode and zoom the game frame left.
void dibujarPantallaMenu(unsigned imagen);

} // namespace fenwar
