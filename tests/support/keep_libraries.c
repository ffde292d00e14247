// Keeps every shared library loaded until the process ends: the GL driver is otherwise unloaded
// at exit, and the leak checker could no longer name the module its leftovers come from.
#include <dlfcn.h>

int dlclose(void* library) {
    (void)library;
    return 0;
}
