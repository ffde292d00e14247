// Scenery as the vertices its drawing sent, cut into runs with bounds, and the view test (no GL).
#pragma once

// The buffer and the drawing are in decorado.

#include <vector>

enum class Primitiva { Poligono, TiraTriangulos, TiraCuadrilateros, Triangulos };

// Vertices [primero, primero + cuantos) of a recording, all inside the sphere given in the space
// the recording started in.
struct Tramo {
    int primero = 0, cuantos = 0;
    double centro[3] = {};
    double radio = 0.0;
};

// One step of a recording, replayed in order: a matrix change with the values it was sent with,
// or a primitive cut into the runs [tramoPrimero, tramoFin).
struct Paso {
    enum class Tipo { Empujar, Sacar, Trasladar, Rotar, Dibujar };
    Tipo tipo = Tipo::Dibujar;
    float v[4] = {};
    Primitiva primitiva = Primitiva::Triangulos;
    int tramoPrimero = 0, tramoFin = 0;
};

// Position, normal, texture s and t of each vertex.
constexpr int FLOTANTES_VERTICE = 8;

struct Grabacion {
    std::vector<float> vertices;
    std::vector<Tramo> tramos;
    std::vector<Paso> pasos;
    // Whether any normal or texture coordinate was sent: without, the vertices take the current
    // one, as they did when drawn.
    bool conNormales = false, conTextura = false;
    // The last normal and texture coordinate sent: what the drawing left current.
    float normalFinal[3] = {}, texturaFinal[2] = {};
};

// Records a drawing as GL would receive it, values rounded to float as GL rounds them. Strips are
// cut at even vertices, so each run holds whole quads or triangles of the same turn, and adjacent
// runs share their two edge vertices; triangles are cut between triangles; a polygon stays whole.
// A drawing that sends normals (or texture coordinates) sends one before its first vertex.
class Grabadora {
  public:
    // `cuadrosPorTramo`: quads (or pairs of triangles) a run of a strip holds.
    explicit Grabadora(Grabacion& g, int cuadrosPorTramo = 8);
    void comenzar(Primitiva p);
    void terminar();
    void normal(float x, float y, float z);
    void textura(float s, float t);
    void vertice(float x, float y, float z);
    void empujar();
    void sacar();
    void trasladar(float x, float y, float z);
    void rotar(float angulo, float x, float y, float z);

  private:
    void agregarTramo(int primero, int cuantos);

    Grabacion& g_;
    int paso_;
    Primitiva primitiva_ = Primitiva::Triangulos;
    int comienzo_ = 0;
    float normal_[3] = {}, textura_[2] = {};
    // The matrix from the recording's own space to the space it started in, and its stack.
    std::vector<double> pila_;
    double matriz_[16];
};

// A part of the scenery that the game shows or changes on its own (a city, a cannon's barrel): a
// sphere, in the space the scenery is drawn in, that holds it whatever it shows.
struct Zona {
    double centro[3] = {};
    double radio = 0.0;
};

// The window pixels [x0, x1) x [y0, y1), rows counted from the bottom as glScissor takes them.
struct Rectangulo {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
// The six planes of the view volume of projection x modelview (column-major, as GL gives them),
// each a x + b y + c z + d >= 0 inside, scaled so (a, b, c) has length 1.
struct VolumenVista {
    double planos[6][4] = {};
};
VolumenVista volumenVista(const float proyeccion[16], const float modelo[16]);

// The projection `proyeccion` narrowed to the pixels [x0, x1) x [y0, y1) of the viewport `vista`
// (x, y, width, height): its view volume is what those pixels show. Unchanged when the
// rectangle is empty or holds the whole viewport.
void recortarProyeccion(float proyeccion[16], const int vista[4], const Rectangulo& r);

// True only when the run lies wholly outside one of the planes, by more than rounding could
// move it: nothing of it can be drawn.
bool fueraDeVista(const VolumenVista& v, const Tramo& t);

// The vertex ranges of the drawing step `p` that can show: its runs that are not out of view,
// adjacent ones joined, appended to `primeros` and `cuantos`.
void rangosVisibles(const Grabacion& g, const Paso& p, const VolumenVista& v,
                    std::vector<int>& primeros, std::vector<int>& cuantos);

bool vacio(const Rectangulo& r);
// The smallest rectangle that holds both (an empty one adds nothing).
Rectangulo unir(const Rectangulo& a, const Rectangulo& b);

// The pixels of the viewport `vista` (x, y, width, height) that anything inside the zone can
// cover under projection x modelview, with two pixels to spare for rounding: none when the zone
// lies wholly outside the view volume, the whole viewport when it reaches the plane of the eye.
Rectangulo rectanguloZona(const float proyeccion[16], const float modelo[16], const int vista[4],
                          const Zona& z);
