// Drawing fast by ordinary means: unchanging pieces in display lists, left out when out of view.
#include "dibujo_rapido.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <cmath>
#include <utility>

VolumenVista volumenVista(const Matriz& proyeccion, const Matriz& vista) {
    const Matriz m = proyeccion * vista;
    VolumenVista v;
    // Left, right, bottom, top, near, far: the last row plus or minus rows 0, 1 and 2.
    for (int k = 0; k < 6; ++k) {
        const int fila = k / 2;
        const double signo = k % 2 == 0 ? 1.0 : -1.0;
        double* p = v.planos[k];
        for (int c = 0; c < 4; ++c) {
            p[c] = m.m[c * 4 + 3] + signo * m.m[c * 4 + fila];
        }
        const double largo = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
        for (int c = 0; c < 4; ++c) {
            p[c] = largo > 0.0 ? p[c] / largo : 0.0;
        }
    }
    return v;
}

bool fueraDeVista(const VolumenVista& v, const Esfera& e) {
    // A ten-thousandth of the sphere's size and distance, and a little more: far beyond what float
    // rounding moves a vertex.
    const double lejos = std::sqrt(e.centro[0] * e.centro[0] + e.centro[1] * e.centro[1] +
                                   e.centro[2] * e.centro[2]);
    const double margen = e.radio + 1e-4 * (e.radio + lejos) + 1e-5;
    for (const auto& p : v.planos) {
        // A plane of a degenerate matrix is all zeros and leaves nothing out.
        if (p[0] * e.centro[0] + p[1] * e.centro[1] + p[2] * e.centro[2] + p[3] < -margen) {
            return true;
        }
    }
    return false;
}

void hacerPieza(Pieza& p, const Esfera& e, std::function<void()> trazar) {
    p.esfera = e;
    p.trazar = std::move(trazar);
    compilarPieza(p);
}

unsigned compilarLista(const std::function<void()>& trazar) {
    const unsigned lista = glGenLists(1);
    if (lista != 0) {
        glNewList(lista, GL_COMPILE);
        trazar();
        glEndList();
    }
    return lista;
}

void liberarLista(unsigned& lista) {
    if (lista != 0) {
        glDeleteLists(lista, 1);
    }
    lista = 0;
}

void compilarPieza(Pieza& p) {
    liberarPieza(p);
    p.lista = compilarLista(p.trazar);
}

void liberarPieza(Pieza& p) {
    liberarLista(p.lista);
}

void dibujarPieza(const Pieza& p, const VolumenVista& v) {
    if (!fueraDeVista(v, p.esfera)) {
        glCallList(p.lista);
    }
}

namespace {

// A depth copy needs the window's own depth format; 0 when there is none to copy.
GLenum formatoProfundidad() {
    GLint bits = 0, stencil = 0;
    glGetIntegerv(GL_DEPTH_BITS, &bits);
    glGetIntegerv(GL_STENCIL_BITS, &stencil);
    if (stencil != 0) {
        return bits == 24 && stencil == 8 ? GL_DEPTH24_STENCIL8 : 0;
    }
    switch (bits) {
    case 16:
        return GL_DEPTH_COMPONENT16;
    case 24:
        return GL_DEPTH_COMPONENT24;
    case 32:
        return GL_DEPTH_COMPONENT32;
    default:
        return 0;
    }
}

// The whole window into the bound draw framebuffer or back, upside down: see "The kept picture"
// in docs/performance.md.
void copiarVolteado(int ancho, int alto) {
    glBlitFramebuffer(0, 0, ancho, alto, 0, alto, ancho, 0,
                      GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT, GL_NEAREST);
}

} // namespace

void cargarFoto(FotoFija& f, int ancho, int alto) {
    liberarFoto(f);
    // Errors left by earlier calls would be taken for the copy's.
    for (int k = 0; k < 8 && glGetError() != GL_NO_ERROR; ++k) {
    }
    const GLenum formato = ancho > 0 && alto > 0 ? formatoProfundidad() : 0;
    if (formato == 0) {
        return;
    }
    f.ancho = ancho;
    f.alto = alto;
    // The colour in the window's own byte order: see "The kept picture" in docs/performance.md.
    glGenTextures(1, &f.color);
    glBindTexture(GL_TEXTURE_2D, f.color);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, ancho, alto, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenRenderbuffers(1, &f.profundidad);
    glBindRenderbuffer(GL_RENDERBUFFER, f.profundidad);
    glRenderbufferStorage(GL_RENDERBUFFER, formato, ancho, alto);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glGenFramebuffers(1, &f.fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, f.fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, f.color, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER,
                              formato == GL_DEPTH24_STENCIL8 ? GL_DEPTH_STENCIL_ATTACHMENT
                                                             : GL_DEPTH_ATTACHMENT,
                              GL_RENDERBUFFER, f.profundidad);
    const bool completo = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    // One copy tried now: a driver that cannot copy this window's depth says so here, not later.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, f.fbo);
    copiarVolteado(ancho, alto);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    f.disponible = completo && glGetError() == GL_NO_ERROR;
    if (!f.disponible) {
        liberarFoto(f);
    }
}

void liberarFoto(FotoFija& f) {
    if (f.fbo != 0) {
        glDeleteFramebuffers(1, &f.fbo);
    }
    if (f.color != 0) {
        glDeleteTextures(1, &f.color);
    }
    if (f.profundidad != 0) {
        glDeleteRenderbuffers(1, &f.profundidad);
    }
    f = FotoFija{};
}

namespace {

// Counts the frames in a row with the same key.
void contar(FotoFija& f, const std::vector<float>& clave) {
    f.quietos = f.anterior == clave ? f.quietos + 1 : 0;
    f.anterior = clave;
}

} // namespace

bool reponerFoto(FotoFija& f, const std::vector<float>& clave) {
    if (!f.valida || f.clave != clave) {
        return false;
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, f.fbo);
    copiarVolteado(f.ancho, f.alto);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    contar(f, clave);
    return true;
}

void guardarFoto(FotoFija& f, const std::vector<float>& clave) {
    contar(f, clave);
    if (f.disponible && f.quietos >= 2) {
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, f.fbo);
        copiarVolteado(f.ancho, f.alto);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        f.clave = clave;
        f.valida = true;
        return;
    }
    // The drawing handed over at once, so that it is filled while what moves is sent: see "The
    // scenery handed over early" in docs/performance.md.
    glFlush();
}
