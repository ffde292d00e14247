// Asking the C library's allocator to give the memory a game has freed back to the system.
#pragma once

// Called first thing in a game: every block of 1 MiB or more (a menu page read from disk, the
// driver's copy of it as a texture) gets a mapping of its own, returned to the system the moment
// it is freed.
void ajustarAsignador();

// Hands the free pages inside the heap back to the system. Called after a change of video mode,
// which frees every picture and texture.
void devolverMemoriaLibre();
