// Times the games' OBJ and 3DS readers on large generated files, beside the peer readers found
// at build time (tinyobjloader and assimp for OBJ, lib3ds and assimp for 3DS).
#include "generador.h"
#include "medicion.h"

#include "modelo.h"
#include "modelo3ds.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#ifdef BENCH_TINYOBJLOADER
#include <tiny_obj_loader.h>
#endif
#ifdef BENCH_ASSIMP
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#endif
#ifdef BENCH_LIB3DS
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#endif

namespace {

bool escribir(const std::string& ruta, const std::string& datos) {
    std::FILE* f = std::fopen(ruta.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    const bool bien = std::fwrite(datos.data(), 1, datos.size(), f) == datos.size();
    return std::fclose(f) == 0 && bien;
}

// Our 3DS reader writes its trace on standard output: during its runs it goes to /dev/null.
class SalidaNula {
  public:
    SalidaNula() {
        std::fflush(stdout);
        guardada = dup(STDOUT_FILENO);
        nula = std::freopen("/dev/null", "w", stdout) != nullptr;
    }
    ~SalidaNula() {
        std::fflush(stdout);
        if (nula && guardada >= 0) {
            dup2(guardada, STDOUT_FILENO);
        }
        if (guardada >= 0) {
            close(guardada);
        }
    }
    SalidaNula(const SalidaNula&) = delete;
    SalidaNula& operator=(const SalidaNula&) = delete;

  private:
    int guardada = -1;
    bool nula = false;
};

// One reader under test: `leer` reads the file and returns the number of faces it found.
struct Lector {
    std::string clave;
    std::function<long()> leer;
    bool trazaAlNulo = false;
};

// Every reader reads the file once per round, `veces` rounds, so that a change in the machine's
// load falls on all of them alike; each reports its median. A reader that finds a number of faces
// other than `caras` is reported as failed, not timed: reading less must not pass for speed.
bool medirRondas(const std::vector<Lector>& lectores, int veces, long caras) {
    std::vector<std::vector<double>> ms(lectores.size());
    std::vector<bool> fallo(lectores.size(), false);
    for (int r = 0; r < veces; ++r) {
        for (std::size_t i = 0; i < lectores.size(); ++i) {
            if (fallo[i]) {
                continue;
            }
            long leidas;
            std::int64_t t0, t1;
            if (lectores[i].trazaAlNulo) {
                SalidaNula nula;
                t0 = ahoraNs();
                leidas = lectores[i].leer();
                t1 = ahoraNs();
            } else {
                t0 = ahoraNs();
                leidas = lectores[i].leer();
                t1 = ahoraNs();
            }
            ms[i].push_back(msEntre(t0, t1));
            if (leidas != caras) {
                std::fprintf(stderr, "bench: %s found %ld faces instead of %ld\n",
                             lectores[i].clave.c_str(), leidas, caras);
                fallo[i] = true;
            }
        }
    }
    bool bien = true;
    for (std::size_t i = 0; i < lectores.size(); ++i) {
        if (fallo[i]) {
            bien = false;
        } else {
            informar(lectores[i].clave, percentil(ms[i], 50));
        }
    }
    return bien;
}

#ifdef BENCH_ASSIMP
long carasAssimp(const std::string& ruta) {
    Assimp::Importer importador;
    const aiScene* escena = importador.ReadFile(ruta, 0);
    long n = 0;
    for (unsigned i = 0; escena != nullptr && i < escena->mNumMeshes; ++i) {
        n += escena->mMeshes[i]->mNumFaces;
    }
    return escena != nullptr ? n : -1L;
}
#endif

bool medirObj(const std::string& ruta, long caras, int veces) {
    std::vector<Lector> lectores;
    lectores.push_back({"obj_nuestro", [&] {
                            std::vector<fenwar::vertice> v, n;
                            std::vector<fenwar::textura> t;
                            return static_cast<long>(
                                fenwar::cargarObjeto(ruta.c_str(), 1.0f, v, t, n).size());
                        }});
#ifdef BENCH_TINYOBJLOADER
    lectores.push_back({"obj_tinyobjloader", [&] {
                            tinyobj::attrib_t atributos;
                            std::vector<tinyobj::shape_t> formas;
                            std::vector<tinyobj::material_t> materiales;
                            std::string aviso, error;
                            if (!tinyobj::LoadObj(&atributos, &formas, &materiales, &aviso, &error,
                                                  ruta.c_str(), nullptr, false)) {
                                return -1L;
                            }
                            long n = 0;
                            for (const tinyobj::shape_t& f : formas) {
                                n += static_cast<long>(f.mesh.num_face_vertices.size());
                            }
                            return n;
                        }});
#endif
#ifdef BENCH_ASSIMP
    lectores.push_back({"obj_assimp", [&] { return carasAssimp(ruta); }});
#endif
    return medirRondas(lectores, veces, caras);
}

bool medir3ds(const std::string& ruta, long caras, int veces) {
    auto objeto = std::make_unique<torvane::obj_type>();
    std::vector<Lector> lectores;
    lectores.push_back({"3ds_nuestro",
                        [&] {
                            return torvane::Load3DS(objeto.get(), ruta.c_str()) == 1
                                       ? static_cast<long>(objeto->polygons_qty)
                                       : -1L;
                        },
                        true});
#ifdef BENCH_LIB3DS
    lectores.push_back({"3ds_lib3ds", [&] {
                            Lib3dsFile* archivo = lib3ds_file_load(ruta.c_str());
                            if (archivo == nullptr) {
                                return -1L;
                            }
                            long n = 0;
                            for (Lib3dsMesh* m = archivo->meshes; m != nullptr; m = m->next) {
                                n += static_cast<long>(m->faces);
                            }
                            lib3ds_file_free(archivo);
                            return n;
                        }});
#endif
#ifdef BENCH_ASSIMP
    lectores.push_back({"3ds_assimp", [&] { return carasAssimp(ruta); }});
#endif
    return medirRondas(lectores, veces, caras);
}

} // namespace

int main(int argc, char** argv) {
    long carasObj = 1000000;
    int vecesObj = 3, veces3ds = 30;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--caras-obj") == 0) {
            carasObj = std::strtol(argv[i + 1], nullptr, 10);
        } else if (std::strcmp(argv[i], "--veces") == 0) {
            vecesObj = std::atoi(argv[i + 1]);
            veces3ds = 10 * vecesObj;
        }
    }
    if (carasObj < 1 || carasObj > 20000000 || vecesObj < 1 || vecesObj > 100 || argc % 2 == 0) {
        std::fprintf(stderr, "usage: bench-lectores [--caras-obj N] [--veces N]\n");
        return 2;
    }
    char plantilla[] = "/tmp/bench-lectores-XXXXXX";
    if (mkdtemp(plantilla) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string dir = plantilla;
    const std::string obj = dir + "/grilla.obj", tds = dir + "/grilla.3ds";
    const int CANT_3DS = torvane::MAX_VERTICES;
    const std::string textoObj = generarObj(static_cast<int>(carasObj));
    const std::string binario3ds = generar3ds(CANT_3DS, CANT_3DS);
    bool bien = escribir(obj, textoObj) && escribir(tds, binario3ds);
    if (bien) {
        informar("obj_mb", static_cast<double>(textoObj.size()) / 1e6);
        informar("obj_caras", static_cast<double>(carasObj));
        informar("3ds_kb", static_cast<double>(binario3ds.size()) / 1e3);
        informar("3ds_caras", CANT_3DS);
        bien = medirObj(obj, carasObj, vecesObj);
        bien = medir3ds(tds, CANT_3DS, veces3ds) && bien;
    } else {
        std::fprintf(stderr, "bench: could not write the files in %s\n", dir.c_str());
    }
    std::remove(obj.c_str());
    std::remove(tds.c_str());
    rmdir(dir.c_str());
    return bien ? 0 : 1;
}
