// The space both games draw their overlay in: 480 units across and 640 up, over the whole window.
#pragma once

// Loads the orthographic 480 x 640 projection (depth -1 to 1) and an identity model-view, which
// is left selected. Whoever must keep the matrices in force pushes them first.
void proyeccionSuperpuesta();
