// Whole data files read into memory: one reader for the XML files and the models of both games.
#pragma once

#include <cstddef>
#include <memory>

// No data file of the games comes near this size; a larger one (or a stream that never ends) is
// refused before it can take the machine's memory.
constexpr std::size_t MAX_ARCHIVO = std::size_t(1) << 30;

// The bytes of a whole file, or why there are none.
struct Archivo {
    enum class Estado {
        leido,
        // The file cannot be opened (it is missing, or not ours to read): `error` says why.
        no_se_abre,
        // It is a folder, a pipe or device the reader does not take, or reading it failed part
        // way: `error` says why.
        no_se_lee,
        // It holds more than the reader takes.
        demasiado_grande,
    };

    Estado estado = Estado::no_se_abre;
    int error = 0;
    std::unique_ptr<char[]> datos;
    std::size_t largo = 0;

    bool leido() const { return estado == Estado::leido; }
};

// Which files a reader takes besides regular ones.
enum class Admite {
    // Pipes and devices too, read until they end.
    cualquiera,
    // Nothing else: a pipe or a device is refused (no_se_lee, EINVAL) before a byte is read.
    solo_regulares,
};

// Opens `nombre` and reads it to its end. A regular file is read at the size its status gives and
// on past it if it grew; one that shrank gives the bytes it still had. More than `maximo` bytes
// (at most MAX_ARCHIVO) is refused.
Archivo leerArchivo(const char* nombre, Admite admite = Admite::cualquiera,
                    std::size_t maximo = MAX_ARCHIVO);

// The same over a descriptor already open, read from where it stands; the caller closes it.
Archivo leerDescriptor(int fd, Admite admite = Admite::cualquiera,
                       std::size_t maximo = MAX_ARCHIVO);
