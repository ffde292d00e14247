// Drawing of a 3DS mesh: one batch of flat-lit textured triangles.
#include "modelo3ds_dibujo.h"

#include <algorithm>

#include <GL/gl.h>

namespace torvane {

void drawObject(const obj_type& object) {
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(object.id_texture));
    glBegin(GL_TRIANGLES);
    const int caras = std::clamp(object.polygons_qty, 0, MAX_POLYGONS);
    for (int l_index = 0; l_index < caras; ++l_index) {
        const polygon_type& cara = object.polygon[l_index];
        if (!caraValida(object, cara)) {
            continue;
        }
        glNormal3f(cara.normal.x, cara.normal.y, cara.normal.z);
        for (const int esquina : {cara.a, cara.b, cara.c}) {
            glTexCoord2f(object.mapcoord[esquina].u, object.mapcoord[esquina].v);
            glVertex3f(object.vertex[esquina].x, object.vertex[esquina].y,
                       object.vertex[esquina].z);
        }
    }
    glEnd();
}

void dejarNormal(const obj_type& object) {
    for (int l_index = std::clamp(object.polygons_qty, 0, MAX_POLYGONS) - 1; l_index >= 0;
         --l_index) {
        const polygon_type& cara = object.polygon[l_index];
        if (caraValida(object, cara)) {
            glNormal3f(cara.normal.x, cara.normal.y, cara.normal.z);
            return;
        }
    }
}

} // namespace torvane
