// The benchmark: play frames in every phase of play, start-up to the first frame and the readers,
// in software GL inside a private Xvfb, printed as two tables. Run: build/bin/bench [--corto]
// [--cuadros N]
#include "fases.h"
#include "medicion.h"
#include "tabla.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int ARRANQUES = 9;

struct Opciones {
    bool corto = false;
    int cuadros = 300;
    std::string assets = BENCH_ASSETS;
    bool valida = true;
};

Opciones leer(int argc, char** argv) {
    Opciones o;
    if (const char* a = std::getenv("ASSETS")) {
        o.assets = a;
    }
    for (int i = 1; i < argc && o.valida; ++i) {
        const std::string arg = argv[i];
        if (arg == "--corto") {
            o.corto = true;
            o.cuadros = 30;
        } else if (arg == "--cuadros" && i + 1 < argc) {
            o.cuadros = std::atoi(argv[++i]);
            o.valida = o.cuadros >= 1 && o.cuadros <= 100000;
        } else if (arg == "--assets" && i + 1 < argc) {
            o.assets = argv[++i];
        } else {
            o.valida = false;
        }
    }
    return o;
}

// The folder this program was started from: the other benchmark programs and the games sit there.
std::string carpetaPropia() {
    char ruta[4096];
    const ssize_t n = readlink("/proc/self/exe", ruta, sizeof ruta - 1);
    if (n <= 0) {
        return ".";
    }
    std::string s(ruta, static_cast<std::size_t>(n));
    return s.substr(0, s.find_last_of('/'));
}

// A private X server the size of the game window; its pid, or -1. The display name goes to
// `pantalla`.
pid_t abrirXvfb(std::string& pantalla) {
    int tubo[2];
    if (pipe(tubo) != 0) {
        return -1;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(tubo[0]);
        const int nulo = open("/dev/null", O_RDWR);
        dup2(nulo, STDOUT_FILENO);
        dup2(nulo, STDERR_FILENO);
        const std::string fd = std::to_string(tubo[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten",
               "tcp", "+extension", "GLX", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(tubo[1]);
    std::string numero;
    char c;
    while (pid > 0 && read(tubo[0], &c, 1) == 1 && c != '\n') {
        numero += c;
    }
    close(tubo[0]);
    if (pid > 0 && numero.empty()) {
        waitpid(pid, nullptr, 0);
    }
    if (pid < 0 || numero.empty()) {
        return -1;
    }
    pantalla = ":" + numero;
    return pid;
}

// Runs a program in `carpeta` and collects the "medida" lines of its standard output into `m`.
bool correr(const std::vector<std::string>& args, const std::string& carpeta, Medidas& m) {
    int tubo[2];
    if (pipe(tubo) != 0) {
        return false;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(tubo[0]);
        dup2(tubo[1], STDOUT_FILENO);
        if (chdir(carpeta.c_str()) != 0) {
            _exit(127);
        }
        std::vector<char*> argv;
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(tubo[1]);
    std::string salida;
    char bloque[4096];
    ssize_t n;
    while ((n = read(tubo[0], bloque, sizeof bloque)) > 0 || (n < 0 && errno == EINTR)) {
        salida.append(bloque, static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
    }
    close(tubo[0]);
    int estado = 0;
    waitpid(pid, &estado, 0);
    std::size_t desde = 0;
    while (desde < salida.size()) {
        std::size_t hasta = salida.find('\n', desde);
        if (hasta == std::string::npos) {
            hasta = salida.size();
        }
        std::string clave;
        double valor;
        if (leerMedida(salida.substr(desde, hasta - desde), clave, valor)) {
            m[clave] = valor;
        }
        desde = hasta + 1;
    }
    const bool bien = WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
    if (!bien) {
        std::fprintf(stderr, "bench: %s failed\n", args[0].c_str());
    }
    return bien;
}

// Start-up of the real game up to its first frame on screen: from just before it is started to
// the moment the preloaded library sees the first swap finished. -1 when it did not get there.
double arranque(const std::string& juego, const std::string& biblioteca,
                const std::string& carpeta) {
    int tubo[2];
    if (pipe(tubo) != 0) {
        return -1;
    }
    const std::int64_t t0 = ahoraNs();
    const pid_t pid = fork();
    if (pid == 0) {
        close(tubo[0]);
        const int nulo = open("/dev/null", O_WRONLY);
        dup2(nulo, STDOUT_FILENO);
        if (chdir(carpeta.c_str()) != 0) {
            _exit(127);
        }
        setenv("LD_PRELOAD", biblioteca.c_str(), 1);
        setenv("BENCH_PRIMER_CUADRO_FD", std::to_string(tubo[1]).c_str(), 1);
        execl(juego.c_str(), juego.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(tubo[1]);
    std::string linea;
    char c;
    while (pid > 0 && read(tubo[0], &c, 1) == 1 && c != '\n') {
        linea += c;
    }
    close(tubo[0]);
    int estado = 0;
    if (pid > 0) {
        waitpid(pid, &estado, 0);
    }
    if (linea.empty()) {
        return -1;
    }
    return msEntre(t0, std::strtoll(linea.c_str(), nullptr, 10));
}

bool medirArranque(const std::string& nombre, const std::string& bin, const std::string& assets,
                   Medidas& m) {
    std::vector<double> ms;
    // The first start fills the file cache; it is not counted.
    for (int i = 0; i <= ARRANQUES; ++i) {
        const double t = arranque(bin + "/" + nombre, bin + "/libbench_primer_cuadro.so", assets);
        if (t < 0) {
            std::fprintf(stderr, "bench: %s never drew a frame\n", nombre.c_str());
            return false;
        }
        if (i > 0) {
            ms.push_back(t);
        }
    }
    m[nombre + "_arranque_mediana"] = percentil(ms, 50);
    m[nombre + "_arranque_max"] = percentil(ms, 100);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const Opciones op = leer(argc, argv);
    if (!op.valida) {
        std::fprintf(stderr,
                     "usage: bench [--corto] [--cuadros N] [--assets DIR]\n"
                     "  --corto  only a short run of the play frames in every phase, drawn\n"
                     "           the fast way (the test suite)\n");
        return 2;
    }
    const std::string bin = carpetaPropia();
    std::string pantalla;
    const pid_t xvfb = abrirXvfb(pantalla);
    if (xvfb < 0) {
        std::fprintf(stderr, "bench: Xvfb did not start\n");
        return 1;
    }
    setenv("DISPLAY", pantalla.c_str(), 1);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    Medidas m;
    const std::string n = std::to_string(op.cuadros);
    // Drawn directly a frame is slower and only tells how much the fast way saves: fewer frames.
    const std::string pocos = std::to_string(std::max(op.cuadros / 5, 1));
    bool bien = true;
    for (Fase f : TODAS_LAS_FASES) {
        const std::string fase = nombreFase(f);
        bien =
            correr({bin + "/bench-fenwar", "--cuadros", n, "--fase", fase}, op.assets, m) && bien;
        bien =
            correr({bin + "/bench-torvane", "--cuadros", n, "--fase", fase}, op.assets, m) && bien;
        if (!op.corto) {
            bien = correr({bin + "/bench-fenwar", "--cuadros", pocos, "--fase", fase, "--directo"},
                          op.assets, m) &&
                   bien;
            bien = correr({bin + "/bench-torvane", "--cuadros", pocos, "--fase", fase, "--directo"},
                          op.assets, m) &&
                   bien;
        }
    }
    if (!op.corto) {
        bien = medirArranque("fenwar", bin, op.assets, m) && bien;
        bien = medirArranque("torvane", bin, op.assets, m) && bien;
        bien = correr({bin + "/bench-lectores"}, "/tmp", m) && bien;
    }
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);

    std::printf("%s", tablaResultados(m).c_str());
    if (!op.corto) {
        std::printf("\nAll targets met: %s\n", objetivosCumplidos(m) ? "yes" : "no");
    }
    return bien ? 0 : 1;
}
