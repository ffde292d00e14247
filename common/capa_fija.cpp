// The picture (colour and depth) of a frame's unchanging scenery, kept off screen and copied back.
#include "capa_fija.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <cstdlib>
#include <cstring>

namespace {

// Framebuffer objects with blits: GL 3.0 or the ARB extension.
bool hayFramebuffers() {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version != nullptr && std::atoi(version) >= 3) {
        return true;
    }
    const char* ext = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return ext != nullptr && std::strstr(ext, "GL_ARB_framebuffer_object") != nullptr;
}

// Copies colour and depth from the bound read framebuffer to the bound draw framebuffer, turned
// upside down, so the layer holds the picture upside down. Mesa keeps a window's rows top first
// and a framebuffer object's bottom first: a straight copy between them makes llvmpipe turn the
// rows with a shader pass, while a turned one lets it copy the rows as they lie, and copying back
// turns the picture again.
void copiarVolteado(int ancho, int alto) {
    glBlitFramebuffer(0, 0, ancho, alto, 0, alto, ancho, 0,
                      GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT, GL_NEAREST);
}

// The layer's depth format for the window's depth bits, or 0 when no exact copy is possible.
GLenum formatoProfundidad() {
    GLint bits = 0, stencil = 0;
    glGetIntegerv(GL_DEPTH_BITS, &bits);
    glGetIntegerv(GL_STENCIL_BITS, &stencil);
    if (stencil != 0) {
        return 0;
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

void anotar(std::vector<float>& clave, GLenum que, int cuantos) {
    GLfloat v[16] = {};
    glGetFloatv(que, v);
    clave.insert(clave.end(), v, v + cuantos);
}

void anotarLuz(std::vector<float>& clave, GLenum luz) {
    GLfloat v[4] = {};
    for (GLenum p : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_POSITION}) {
        glGetLightfv(luz, p, v);
        clave.insert(clave.end(), v, v + 4);
    }
    glGetLightfv(luz, GL_SPOT_DIRECTION, v);
    clave.insert(clave.end(), v, v + 3);
    for (GLenum p : {GL_SPOT_EXPONENT, GL_SPOT_CUTOFF, GL_CONSTANT_ATTENUATION,
                     GL_LINEAR_ATTENUATION, GL_QUADRATIC_ATTENUATION}) {
        glGetLightfv(luz, p, v);
        clave.push_back(v[0]);
    }
}

void anotarMaterial(std::vector<float>& clave, GLenum cara) {
    GLfloat v[4] = {};
    for (GLenum p : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_EMISSION}) {
        glGetMaterialfv(cara, p, v);
        clave.insert(clave.end(), v, v + 4);
    }
    glGetMaterialfv(cara, GL_SHININESS, v);
    clave.push_back(v[0]);
}

void leerVentana(int ancho, int alto, std::vector<GLuint>& color, std::vector<GLuint>& prof) {
    const std::size_t n = static_cast<std::size_t>(ancho) * static_cast<std::size_t>(alto);
    color.assign(n, 0);
    prof.assign(n, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, ancho, alto, GL_RGBA, GL_UNSIGNED_BYTE, color.data());
    glReadPixels(0, 0, ancho, alto, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, prof.data());
    // The window may have no alpha channel: only red, green and blue are compared.
    for (GLuint& p : color) {
        p &= 0x00ffffffu;
    }
}

// Whether a copy to the layer and back gives every colour and depth value of the window unchanged
// in this context: some drivers copy depth through floating point, a step off here and there.
// A slanted, overlapping pair of shaded quads is drawn into a corner of the back buffer, copied
// out and back, and compared; the back buffer is cleared afterwards and every GL setting restored.
bool copiaExacta(const CapaFija& c, unsigned fbo) {
    const int ancho = c.ancho < 128 ? c.ancho : 128;
    const int alto = c.alto < 128 ? c.alto : 128;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, ancho, alto);
    for (GLenum s : {GL_LIGHTING, GL_TEXTURE_2D, GL_BLEND, GL_FOG, GL_CULL_FACE, GL_ALPHA_TEST,
                     GL_SCISSOR_TEST, GL_STENCIL_TEST}) {
        glDisable(s);
    }
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.1f, 0.2f, 0.3f, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBegin(GL_QUADS);
    glColor3f(1.0f, 0.0f, 0.0f);
    glVertex3f(-0.9f, -0.9f, -0.8f);
    glColor3f(0.0f, 1.0f, 0.0f);
    glVertex3f(0.8f, -0.7f, 0.6f);
    glColor3f(0.0f, 0.0f, 1.0f);
    glVertex3f(0.9f, 0.9f, 0.95f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glVertex3f(-0.7f, 0.8f, -0.3f);
    glColor3f(0.3f, 0.6f, 0.9f);
    glVertex3f(-0.5f, -1.0f, 0.9f);
    glVertex3f(1.0f, -0.2f, -0.9f);
    glColor3f(0.9f, 0.5f, 0.1f);
    glVertex3f(0.4f, 1.0f, 0.2f);
    glVertex3f(-1.0f, 0.3f, 0.0f);
    glEnd();
    std::vector<GLuint> color, prof, color2, prof2;
    leerVentana(ancho, alto, color, prof);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, fbo);
    copiarVolteado(ancho, alto);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo);
    copiarVolteado(ancho, alto);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    leerVentana(ancho, alto, color2, prof2);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return glGetError() == GL_NO_ERROR && color == color2 && prof == prof2;
}

// Makes the framebuffer of one picture; false when the driver cannot.
bool hacerFoto(FotoFija& f, GLenum formato, int ancho, int alto) {
    // The colour is a texture laid out as the window's pixels are (blue, green, red, then alpha,
    // a byte each), which an unsized format given with that data layout gets: with any other
    // layout llvmpipe converts every pixel in a shader pass instead of copying memory (0.6 ms
    // against 0.05 ms a frame at 640 x 480 here).
    GLint enlazada = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &enlazada);
    glGenTextures(1, &f.color);
    glBindTexture(GL_TEXTURE_2D, f.color);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, ancho, alto, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(enlazada));
    glGenRenderbuffers(1, &f.profundidad);
    glBindRenderbuffer(GL_RENDERBUFFER, f.profundidad);
    glRenderbufferStorage(GL_RENDERBUFFER, formato, ancho, alto);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glGenFramebuffers(1, &f.fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, f.fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, f.color, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, f.profundidad);
    const bool completo = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return completo && glGetError() == GL_NO_ERROR;
}

bool mismoEstado(const std::vector<float>& a, const std::vector<float>& b, std::size_t n) {
    return a.size() == b.size() && a.size() >= n &&
           std::memcmp(a.data(), b.data(), n * sizeof(float)) == 0;
}

} // namespace

void cargarCapaFija(CapaFija& c, int ancho, int alto) {
    // Made twice in one context (a full-screen switch before the first frame), the first goes.
    liberarCapaFija(c);
    if (!c.usar || ancho <= 0 || alto <= 0 || c.cuantas < 1 || !hayFramebuffers()) {
        return;
    }
    const GLenum formato = formatoProfundidad();
    if (formato == 0) {
        return;
    }
    c.ancho = ancho;
    c.alto = alto;
    c.fotos.resize(static_cast<std::size_t>(c.cuantas));
    for (FotoFija& f : c.fotos) {
        if (!hacerFoto(f, formato, ancho, alto)) {
            liberarCapaFija(c);
            return;
        }
    }
    if (!copiaExacta(c, c.fotos.front().fbo)) {
        liberarCapaFija(c);
        return;
    }
    c.disponible = true;
}

void liberarCapaFija(CapaFija& c) {
    for (FotoFija& f : c.fotos) {
        if (f.fbo != 0) {
            glDeleteFramebuffers(1, &f.fbo);
        }
        if (f.color != 0) {
            glDeleteTextures(1, &f.color);
        }
        if (f.profundidad != 0) {
            glDeleteRenderbuffers(1, &f.profundidad);
        }
    }
    c.fotos.clear();
    c.disponible = false;
    c.claveCuadro.clear();
    c.claveAnterior.clear();
    c.quietaAntes = false;
}

void anotarEstadoGL(std::vector<float>& clave) {
    anotar(clave, GL_MODELVIEW_MATRIX, 16);
    anotar(clave, GL_PROJECTION_MATRIX, 16);
    anotar(clave, GL_TEXTURE_MATRIX, 16);
    anotar(clave, GL_VIEWPORT, 4);
    anotar(clave, GL_DEPTH_RANGE, 2);
    anotar(clave, GL_COLOR_CLEAR_VALUE, 4);
    anotar(clave, GL_DEPTH_CLEAR_VALUE, 1);
    for (GLenum s : {GL_LIGHTING,
                     GL_TEXTURE_2D,
                     GL_DEPTH_TEST,
                     GL_CULL_FACE,
                     GL_BLEND,
                     GL_FOG,
                     GL_COLOR_MATERIAL,
                     GL_NORMALIZE,
                     GL_RESCALE_NORMAL,
                     GL_ALPHA_TEST,
                     GL_POLYGON_OFFSET_FILL,
                     GL_POLYGON_OFFSET_LINE,
                     GL_LINE_SMOOTH,
                     GL_POLYGON_SMOOTH,
                     GL_POINT_SMOOTH,
                     GL_TEXTURE_GEN_S,
                     GL_TEXTURE_GEN_T,
                     GL_SCISSOR_TEST,
                     GL_STENCIL_TEST,
                     GL_COLOR_LOGIC_OP}) {
        clave.push_back(glIsEnabled(s) ? 1.0f : 0.0f);
    }
    for (GLenum e :
         {GL_POLYGON_MODE, GL_SHADE_MODEL, GL_DEPTH_FUNC, GL_DEPTH_WRITEMASK, GL_FRONT_FACE,
          GL_CULL_FACE_MODE, GL_BLEND_SRC, GL_BLEND_DST, GL_COLOR_MATERIAL_FACE,
          GL_COLOR_MATERIAL_PARAMETER, GL_LINE_WIDTH, GL_POINT_SIZE, GL_LIGHT_MODEL_TWO_SIDE,
          GL_LIGHT_MODEL_LOCAL_VIEWER, GL_POLYGON_OFFSET_FACTOR, GL_POLYGON_OFFSET_UNITS}) {
        anotar(clave, e, e == GL_POLYGON_MODE ? 2 : 1);
    }
    anotar(clave, GL_COLOR_WRITEMASK, 4);
    anotar(clave, GL_LIGHT_MODEL_AMBIENT, 4);
    anotar(clave, GL_CURRENT_COLOR, 4);
    GLfloat entorno[4] = {};
    glGetTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, entorno);
    clave.push_back(entorno[0]);
    glGetTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, entorno);
    clave.insert(clave.end(), entorno, entorno + 4);
    for (GLenum luz = GL_LIGHT0; luz <= GL_LIGHT7; ++luz) {
        const bool encendida = glIsEnabled(luz);
        clave.push_back(encendida ? 1.0f : 0.0f);
        if (encendida) {
            anotarLuz(clave, luz);
        }
    }
    anotarMaterial(clave, GL_FRONT);
    anotarMaterial(clave, GL_BACK);
    if (glIsEnabled(GL_FOG)) {
        for (GLenum p : {GL_FOG_MODE, GL_FOG_DENSITY, GL_FOG_START, GL_FOG_END}) {
            anotar(clave, p, 1);
        }
        anotar(clave, GL_FOG_COLOR, 4);
    }
}

void anotarAtributosActuales(std::vector<float>& clave) {
    anotar(clave, GL_CURRENT_NORMAL, 3);
    anotar(clave, GL_CURRENT_TEXTURE_COORDS, 4);
    anotar(clave, GL_TEXTURE_BINDING_2D, 1);
}

void copiarFoto(CapaFija& c, FotoFija& f) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, f.fbo);
    copiarVolteado(c.ancho, c.alto);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    f.uso = ++c.reloj;
}

void reponerFoto(CapaFija& c, FotoFija& f) {
    copiarFoto(c, f);
    glColor4fv(f.colorFinal);
    glNormal3fv(f.normalFinal);
    glTexCoord4fv(f.texturaFinal);
    glBindTexture(GL_TEXTURE_2D, f.enlazadaFinal);
}

bool reponerCapaFija(CapaFija& c, const std::vector<float>& clave) {
    if (!c.disponible) {
        return false;
    }
    for (FotoFija& f : c.fotos) {
        if (f.valida && mismoEstado(f.clave, clave, clave.size())) {
            reponerFoto(c, f);
            return true;
        }
    }
    return false;
}

FotoFija* fotoDelEstado(CapaFija& c, const std::vector<float>& clave) {
    if (!c.disponible || c.largoEstado == 0) {
        return nullptr;
    }
    for (FotoFija& f : c.fotos) {
        if (f.valida && mismoEstado(f.clave, clave, c.largoEstado)) {
            return &f;
        }
    }
    return nullptr;
}

namespace {

// What the drawing left current, and the key, as the picture's.
void anotarFinal(CapaFija& c, FotoFija& f, const std::vector<float>& clave) {
    glGetFloatv(GL_CURRENT_COLOR, f.colorFinal);
    glGetFloatv(GL_CURRENT_NORMAL, f.normalFinal);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, f.texturaFinal);
    GLint enlazada = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &enlazada);
    f.enlazadaFinal = static_cast<unsigned>(enlazada);
    f.clave = clave;
    f.valida = true;
    f.uso = ++c.reloj;
}

} // namespace

void guardarCapaFija(CapaFija& c, const std::vector<float>& clave) {
    if (!c.disponible) {
        return;
    }
    FotoFija* f = fotoDelEstado(c, clave);
    if (f == nullptr) {
        f = &c.fotos.front();
        for (FotoFija& otra : c.fotos) {
            if (!otra.valida || otra.uso < f->uso) {
                f = &otra;
            }
            if (!f->valida) {
                break;
            }
        }
    }
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, f->fbo);
    copiarVolteado(c.ancho, c.alto);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    anotarFinal(c, *f, clave);
}

void guardarParte(CapaFija& c, FotoFija& f, const int caja[4], const std::vector<float>& clave) {
    // The picture is kept upside down: window row y is its row alto - 1 - y.
    if (caja[2] > caja[0] && caja[3] > caja[1]) {
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, f.fbo);
        glBlitFramebuffer(caja[0], caja[1], caja[2], caja[3], caja[0], c.alto - caja[1], caja[2],
                          c.alto - caja[3], GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT, GL_NEAREST);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    }
    anotarFinal(c, f, clave);
}
