// Test helper: a stand-in for the few GL calls the camera and the mesh drawer make, recording them.
#include "gl_registro.h"

#include <GL/gl.h>

namespace glregistro {

std::vector<Llamada>& llamadas() {
    static std::vector<Llamada> todas;
    return todas;
}

void clear() {
    llamadas().clear();
}

std::vector<Llamada> named(const std::string& nombre) {
    std::vector<Llamada> r;
    for (const Llamada& l : llamadas()) {
        if (l.nombre == nombre) {
            r.push_back(l);
        }
    }
    return r;
}

} // namespace glregistro

namespace {
void record(const char* nombre, std::vector<double> args) {
    glregistro::llamadas().push_back({nombre, std::move(args)});
}
} // namespace

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    record("glRotatef", {angle, x, y, z});
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    record("glTranslatef", {x, y, z});
}
void glBindTexture(GLenum target, GLuint texture) {
    record("glBindTexture", {double(target), double(texture)});
}
void glBegin(GLenum mode) {
    record("glBegin", {double(mode)});
}
void glEnd() {
    record("glEnd", {});
}
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    record("glNormal3f", {x, y, z});
}
void glTexCoord2f(GLfloat u, GLfloat v) {
    record("glTexCoord2f", {u, v});
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    record("glVertex3f", {x, y, z});
}
