// The camera's view, applied to the current OpenGL matrix.
#include "camara.h"

#include <GL/gl.h>

namespace torvane {

void CCamera::Render() {
    if (ViewDirChanged) {
        actualizeViewDir();
        ViewDirChanged = false;
    }
    glRotatef(-RotatedX, 1.0f, 0.0f, 0.0f);
    glRotatef(-RotatedY, 0.0f, 1.0f, 0.0f);
    glRotatef(-RotatedZ, 0.0f, 0.0f, 1.0f);
    glTranslatef(-Position.x, -Position.y, -Position.z);
}

} // namespace torvane
