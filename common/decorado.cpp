// Unchanging scenery drawn fast with the same pixels: buffers without what is out of view.
#include "decorado.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

GLenum modo(Primitiva p) {
    switch (p) {
    case Primitiva::Poligono:
        return GL_POLYGON;
    case Primitiva::TiraTriangulos:
        return GL_TRIANGLE_STRIP;
    case Primitiva::TiraCuadrilateros:
        return GL_QUAD_STRIP;
    case Primitiva::Triangulos:
        break;
    }
    return GL_TRIANGLES;
}

// After drawing from arrays GL leaves the current values undefined: they are set to what the
// last vertex sent left, as the vertex-by-vertex drawing leaves them.
void dejarAtributos(const Grabacion& g) {
    if (g.conNormales) {
        glNormal3fv(g.normalFinal);
    }
    if (g.conTextura) {
        glTexCoord2fv(g.texturaFinal);
    }
}

const void* desplazamiento(int flotantes) {
    return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(flotantes) * sizeof(float));
}

// The ranges gathered so far, in one call: they follow each other under the same matrix.
void enviar(Decorado& d, GLenum m) {
    if (!d.primeros.empty()) {
        glMultiDrawArrays(m, d.primeros.data(), d.cuantos.data(),
                          static_cast<GLsizei>(d.primeros.size()));
    }
    d.primeros.clear();
    d.cuantos.clear();
}

} // namespace

void subirDecorado(Decorado& d) {
    if (d.buffer == 0) {
        glGenBuffers(1, &d.buffer);
    }
    glBindBuffer(GL_ARRAY_BUFFER, d.buffer);
    glBufferData(GL_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(d.grabacion.vertices.size() * sizeof(float)),
                 d.grabacion.vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void liberarDecorado(Decorado& d) {
    if (d.buffer != 0) {
        glDeleteBuffers(1, &d.buffer);
    }
    d.buffer = 0;
}

void dibujarDecorado(Decorado& d) {
    const Grabacion& g = d.grabacion;
    GLfloat proyeccion[16], modelo[16];
    glGetFloatv(GL_PROJECTION_MATRIX, proyeccion);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelo);
    // Under a scissor only its pixels can be drawn: the view volume is theirs, and with none
    // there is nothing to send.
    if (glIsEnabled(GL_SCISSOR_TEST)) {
        GLint vista[4], tijera[4];
        glGetIntegerv(GL_VIEWPORT, vista);
        glGetIntegerv(GL_SCISSOR_BOX, tijera);
        const Rectangulo r{tijera[0], tijera[1], tijera[0] + tijera[2], tijera[1] + tijera[3]};
        if (vacio(r)) {
            dejarAtributos(g);
            return;
        }
        recortarProyeccion(proyeccion, vista, r);
    }
    const VolumenVista vista = volumenVista(proyeccion, modelo);

    const GLsizei paso = FLOTANTES_VERTICE * sizeof(float);
    glBindBuffer(GL_ARRAY_BUFFER, d.buffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, paso, desplazamiento(0));
    if (g.conNormales) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, paso, desplazamiento(3));
    }
    if (g.conTextura) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, paso, desplazamiento(6));
    }
    GLenum actual = GL_TRIANGLES;
    for (const Paso& p : g.pasos) {
        if (p.tipo == Paso::Tipo::Dibujar) {
            if (modo(p.primitiva) != actual) {
                enviar(d, actual);
                actual = modo(p.primitiva);
            }
            rangosVisibles(g, p, vista, d.primeros, d.cuantos);
            continue;
        }
        enviar(d, actual);
        switch (p.tipo) {
        case Paso::Tipo::Empujar:
            glPushMatrix();
            break;
        case Paso::Tipo::Sacar:
            glPopMatrix();
            break;
        case Paso::Tipo::Trasladar:
            glTranslatef(p.v[0], p.v[1], p.v[2]);
            break;
        case Paso::Tipo::Rotar:
            glRotatef(p.v[0], p.v[1], p.v[2], p.v[3]);
            break;
        case Paso::Tipo::Dibujar:
            break;
        }
    }
    enviar(d, actual);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    dejarAtributos(g);
}

namespace {

// The rectangle of the window that the zones whose values differ between the keys can cover; false
// when a value without a zone differs, or when the scissor is the game's own.
bool zonasCambiadas(const CapaFija& c, const std::vector<float>& antes,
                    const std::vector<float>& ahora, const std::vector<Zona>& zonas,
                    Rectangulo& r) {
    if (glIsEnabled(GL_SCISSOR_TEST)) {
        return false;
    }
    GLfloat proyeccion[16], modelo[16];
    GLint vista[4];
    glGetFloatv(GL_PROJECTION_MATRIX, proyeccion);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelo);
    glGetIntegerv(GL_VIEWPORT, vista);
    r = Rectangulo{};
    for (std::size_t k = c.largoEstado; k < ahora.size(); ++k) {
        if (std::memcmp(&antes[k], &ahora[k], sizeof(float)) == 0) {
            continue;
        }
        const std::size_t i = k - c.largoEstado;
        if (i >= zonas.size()) {
            return false;
        }
        r = unir(r, rectanguloZona(proyeccion, modelo, vista, zonas[i]));
    }
    return true;
}

} // namespace

Reposicion reponerEscena(CapaFija& c, const std::vector<float>& valores,
                         const std::vector<Zona>& zonas, bool heredaAtributos) {
    std::vector<float>& clave = c.claveCuadro;
    clave.clear();
    anotarEstadoGL(clave);
    if (heredaAtributos) {
        anotarAtributosActuales(clave);
    }
    c.largoEstado = clave.size();
    clave.insert(clave.end(), valores.begin(), valores.end());
    if (reponerCapaFija(c, clave)) {
        std::swap(c.claveAnterior, clave);
        c.quietaAntes = true;
        return Reposicion::Copiada;
    }
    FotoFija* f = fotoDelEstado(c, clave);
    Rectangulo r;
    if (f == nullptr || !zonasCambiadas(c, f->clave, clave, zonas, r)) {
        return Reposicion::Dibujar;
    }
    // The picture of this view, with what the game shows changed in some zones only. The
    // attributes stay as they are: the drawing in part starts where a whole one would. When
    // nothing that changed is in view the rectangle is empty: the drawing then changes no pixel
    // but still leaves what it leaves current.
    copiarFoto(c, *f);
    c.retocada = static_cast<std::size_t>(f - c.fotos.data());
    c.retoque[0] = r.x0;
    c.retoque[1] = r.y0;
    c.retoque[2] = r.x1;
    c.retoque[3] = r.y1;
    glGetIntegerv(GL_SCISSOR_BOX, c.tijeraAntes);
    glEnable(GL_SCISSOR_TEST);
    glScissor(r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
    return Reposicion::Retocar;
}

void terminarRetoque(CapaFija& c) {
    glDisable(GL_SCISSOR_TEST);
    glScissor(c.tijeraAntes[0], c.tijeraAntes[1], c.tijeraAntes[2], c.tijeraAntes[3]);
    // Outside the rectangle the picture holds what the window shows already.
    guardarParte(c, c.fotos[c.retocada], c.retoque, c.claveCuadro);
    std::swap(c.claveAnterior, c.claveCuadro);
    c.quietaAntes = true;
}

// Kept when the GL state is the previous frame's (the view rests), or when the previous frame's
// was the one before it: a view that jumps from rest (another cannon or tower) rests again at
// once, while one that keeps moving pays a copy only on its first frame. A scenery not kept is
// handed to the driver at once: software GL (llvmpipe) fills the pixels on threads of its own
// only from a flush on, so they fill the scenery while the moving things are sent, instead of
// after (the copy into the picture waits for the filling anyway).
void guardarEscena(CapaFija& c) {
    const std::size_t n = c.largoEstado;
    const bool quieta =
        c.claveAnterior.size() >= n &&
        std::memcmp(c.claveCuadro.data(), c.claveAnterior.data(), n * sizeof(float)) == 0;
    if (quieta || c.quietaAntes) {
        guardarCapaFija(c, c.claveCuadro);
    } else {
        glFlush();
    }
    c.quietaAntes = quieta;
    std::swap(c.claveAnterior, c.claveCuadro);
}
