// A city of a level: its position and the health the missiles wear down.
#pragma once

namespace torvane {

class Ciudad {
  public:
    Ciudad(float x, float y, float z, int salud);

    float getX() const { return x; }
    float getY() const { return y; }
    float getZ() const { return z; }
    bool getActivo() const { return activo; }
    int getSalud() const { return salud_actual; }
    int getSaludTot() const { return salud_total; }

    // Health may go below zero; the city does not switch itself off.
    void decrementarSalud(int salud);
    void desactivar() { activo = false; }

  private:
    bool activo;
    float x, y, z;
    int salud_total;
    int salud_actual;
};

} // namespace torvane
