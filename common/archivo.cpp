// Whole data files read into memory: one reader for the XML files and the models of both games.
#include "archivo.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// First buffer for a file whose status gives no size (a pipe, a device, a file of /proc).
constexpr std::size_t BLOQUE_SIN_TAMANO = std::size_t(1) << 16;

Archivo fallido(Archivo::Estado estado, int error) {
    Archivo a;
    a.estado = estado;
    a.error = error;
    return a;
}

} // namespace

Archivo leerDescriptor(int fd, Admite admite, std::size_t maximo) {
    maximo = std::min(maximo, MAX_ARCHIVO);
    struct stat info;
    if (fstat(fd, &info) != 0) {
        return fallido(Archivo::Estado::no_se_lee, errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return fallido(Archivo::Estado::no_se_lee, EISDIR);
    }
    const bool regular = S_ISREG(info.st_mode);
    if (!regular && admite == Admite::solo_regulares) {
        return fallido(Archivo::Estado::no_se_lee, EINVAL);
    }
    Archivo a;
    // One byte more than the size given, so that a file that grew shows it without a copy; never
    // more than one byte past the most that is taken, which is how a longer file shows.
    std::size_t capacidad = BLOQUE_SIN_TAMANO;
    if (regular && info.st_size > 0) {
        if (static_cast<std::uintmax_t>(info.st_size) > maximo) {
            return fallido(Archivo::Estado::demasiado_grande, EFBIG);
        }
        capacidad = static_cast<std::size_t>(info.st_size) + 1;
    }
    capacidad = std::min(capacidad, maximo + 1);
    try {
        // Not zero-filled: a model can be a hundred megabytes, and every byte is read over.
        a.datos.reset(new char[capacidad]);
        for (;;) {
            if (a.largo == capacidad) {
                if (capacidad > maximo) {
                    return fallido(Archivo::Estado::demasiado_grande, EFBIG);
                }
                const std::size_t mayor = std::min(capacidad * 2, maximo + 1);
                std::unique_ptr<char[]> nuevo(new char[mayor]);
                std::memcpy(nuevo.get(), a.datos.get(), a.largo);
                a.datos = std::move(nuevo);
                capacidad = mayor;
            }
            const ssize_t n = read(fd, a.datos.get() + a.largo, capacidad - a.largo);
            if (n == 0) {
                break;
            }
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return fallido(Archivo::Estado::no_se_lee, errno);
            }
            a.largo += static_cast<std::size_t>(n);
        }
    } catch (const std::bad_alloc&) {
        return fallido(Archivo::Estado::no_se_lee, ENOMEM);
    }
    a.estado = Archivo::Estado::leido;
    return a;
}

Archivo leerArchivo(const char* nombre, Admite admite, std::size_t maximo) {
    // Opened without waiting, so that a named pipe with no writer cannot hold the game at start-up
    // where only regular files are read; where pipes are read, it is opened again to wait for its
    // writer as a pipe is meant to be read.
    int fd = open(nombre, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return fallido(Archivo::Estado::no_se_abre, errno);
    }
    struct stat info;
    if (admite == Admite::cualquiera && fstat(fd, &info) == 0 && S_ISFIFO(info.st_mode)) {
        const int esperando = open(nombre, O_RDONLY | O_CLOEXEC);
        const int error = errno;
        close(fd);
        if (esperando < 0) {
            return fallido(Archivo::Estado::no_se_abre, error);
        }
        fd = esperando;
    } else {
        const int estado = fcntl(fd, F_GETFL);
        if (estado < 0 || fcntl(fd, F_SETFL, estado & ~O_NONBLOCK) < 0) {
            const int error = errno;
            close(fd);
            return fallido(Archivo::Estado::no_se_lee, error);
        }
    }
    Archivo a = leerDescriptor(fd, admite, maximo);
    close(fd);
    return a;
}
