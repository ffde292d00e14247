// The tower camera: a position plus pitch and yaw, turned by the mouse, giving the view and shots.
#pragma once

namespace torvane {

// A plain three-float vector (the floats are GL's 32-bit floats).
struct SF3dVector {
    float x, y, z;
};

SF3dVector F3dVector(float x, float y, float z);
// Dst += V2, component by component.
void AddF3dVectorToVector(SF3dVector* Dst, SF3dVector* V2);

class CCamera {
  public:
    CCamera();

    // Brings the view direction up to date after a turn, then multiplies the current GL matrix by
    // the view (pitch, yaw, roll, then the eye's translation). Neither pushes nor resets it.
    void Render();

    void Move(SF3dVector Direction);
    // Angles in degrees, added up with no wrap-around and no limit.
    void RotateX(float Angle);
    void RotateY(float Angle);

    SF3dVector getPosition() const { return Position; }
    // The turns about x, y and z, in degrees.
    SF3dVector getAngulos() const { return F3dVector(RotatedX, RotatedY, RotatedZ); }
    // The direction as of the last Render: a turn shows here only after the next Render. Before
    // the first Render that computed it, the direction its angles give: (0, 0, -1) unturned.
    SF3dVector getViewDir() const;

    // Recomputes ViewDir from the angles; Render calls it after a turn.
    void actualizeViewDir();

  private:
    SF3dVector direccionDeLosAngulos() const;

    SF3dVector Position;
    SF3dVector ViewDir;
    bool ViewDirChanged;
    // Whether ViewDir has ever been computed: until then it is only the zero it starts at.
    bool ViewDirCalculada;
    float RotatedX;
    float RotatedY;
    float RotatedZ;
};

} // namespace torvane
