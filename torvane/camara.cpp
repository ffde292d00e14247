// The tower camera: a position plus pitch and yaw, turned by the mouse, giving the view and shots.
#include "camara.h"

#include <cmath>

namespace torvane {

SF3dVector F3dVector(float x, float y, float z) {
    SF3dVector v;
    v.x = x;
    v.y = y;
    v.z = z;
    return v;
}

void AddF3dVectorToVector(SF3dVector* Dst, SF3dVector* V2) {
    Dst->x += V2->x;
    Dst->y += V2->y;
    Dst->z += V2->z;
}

CCamera::CCamera()
    : Position(F3dVector(0.0f, 0.0f, 0.0f)), ViewDir(F3dVector(0.0f, 0.0f, 0.0f)),
      ViewDirChanged(false), ViewDirCalculada(false), RotatedX(0.0f), RotatedY(0.0f),
      RotatedZ(0.0f) {}

void CCamera::Move(SF3dVector Direction) {
    AddF3dVectorToVector(&Position, &Direction);
}

void CCamera::RotateX(float Angle) {
    RotatedX += Angle;
    ViewDirChanged = true;
}

void CCamera::RotateY(float Angle) {
    RotatedY += Angle;
    ViewDirChanged = true;
}

namespace {
double radianes(double grados) {
    return grados * 3.141592653589793 / 180.0;
}
} // namespace

// The eye's forward axis (0, 0, -1) turned by the yaw, then tilted by the pitch.
SF3dVector CCamera::direccionDeLosAngulos() const {
    SF3dVector paso1;
    paso1.x = static_cast<float>(std::cos(radianes(RotatedY + 90.0)));
    paso1.z = static_cast<float>(-std::sin(radianes(RotatedY + 90.0)));
    const double cosX = std::cos(radianes(RotatedX));
    SF3dVector paso2;
    paso2.x = static_cast<float>(paso1.x * cosX);
    paso2.z = static_cast<float>(paso1.z * cosX);
    paso2.y = static_cast<float>(std::sin(radianes(RotatedX)));
    return paso2;
}

void CCamera::actualizeViewDir() {
    ViewDir = direccionDeLosAngulos();
    ViewDirCalculada = true;
}

// A shot fired before the camera was ever drawn would have no direction at all and be thrown
// away: it flies where the angles look, which is what the first picture will show.
SF3dVector CCamera::getViewDir() const {
    return ViewDirCalculada ? ViewDir : direccionDeLosAngulos();
}

} // namespace torvane
