// Test helper: the polygons a piece of drawing hands to GL, recorded by GL's own feedback mode.
#include "gl_feedback.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstddef>

namespace {

// Floats of one vertex in GL_3D_COLOR_TEXTURE feedback of an RGBA window: position (3), colour
// (4), texture coordinates (4).
constexpr std::size_t VERTEX_FLOATS = 11;

Corner cornerAt(const std::vector<GLfloat>& b, std::size_t i) {
    return {b[i], b[i + 1], b[i + 2], b[i + 7], b[i + 8]};
}

// The polygons among the first `used` floats of a feedback buffer; false when a token is unknown
// or a record runs past them.
bool parse(const std::vector<GLfloat>& b, std::size_t used, std::vector<DrawnPolygon>& out) {
    std::size_t i = 0;
    while (i < used) {
        const GLint token = static_cast<GLint>(b[i++]);
        std::size_t vertices = 0;
        switch (token) {
        case GL_PASS_THROUGH_TOKEN:
            ++i;
            continue;
        case GL_POINT_TOKEN:
        case GL_BITMAP_TOKEN:
        case GL_DRAW_PIXEL_TOKEN:
        case GL_COPY_PIXEL_TOKEN:
            vertices = 1;
            break;
        case GL_LINE_TOKEN:
        case GL_LINE_RESET_TOKEN:
            vertices = 2;
            break;
        case GL_POLYGON_TOKEN:
            if (i >= used || !(b[i] >= 0 && b[i] <= static_cast<GLfloat>(used))) {
                return false;
            }
            vertices = static_cast<std::size_t>(b[i++]);
            break;
        default:
            return false;
        }
        if (vertices > (used - i) / VERTEX_FLOATS) {
            return false;
        }
        if (token == GL_POLYGON_TOKEN) {
            DrawnPolygon p;
            for (std::size_t k = 0; k < vertices; ++k) {
                p.corners.push_back(cornerAt(b, i + k * VERTEX_FLOATS));
            }
            out.push_back(p);
        }
        i += vertices * VERTEX_FLOATS;
    }
    return true;
}

} // namespace

std::vector<DrawnPolygon> polygonsDrawn(const std::function<void()>& draw) {
    for (std::size_t size = 1 << 16; size <= (std::size_t{1} << 26); size *= 4) {
        std::vector<GLfloat> buffer(size);
        glFeedbackBuffer(static_cast<GLsizei>(size), GL_3D_COLOR_TEXTURE, buffer.data());
        glRenderMode(GL_FEEDBACK);
        draw();
        const GLint used = glRenderMode(GL_RENDER);
        if (used < 0) {
            continue;
        }
        std::vector<DrawnPolygon> polygons;
        if (!parse(buffer, static_cast<std::size_t>(used), polygons)) {
            ADD_FAILURE() << "GL's feedback buffer holds a record it cannot read";
        }
        return polygons;
    }
    ADD_FAILURE() << "more drawing than a feedback buffer of 64 Mi floats holds";
    return {};
}
