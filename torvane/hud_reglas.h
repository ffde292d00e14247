// What the head-up display shows: the score digits and the health cells of each city.
#pragma once

namespace torvane {

// The four digits shown for a score (thousands, hundreds, tens, ones): the score modulo 10000.
struct DigitosPuntaje {
    int miles, centenas, decenas, unidades;
};
DigitosPuntaje digitosPuntaje(int puntaje);

enum class Celda { SANA, MEDIA, GRAVE };

// The cell picture of a city with `salud` left of `total`: low under a third, medium under half.
Celda celdaSalud(int salud, int total);

// Health panel row of a city id 0 to 3: its offset below the top; -1 for an id with no row.
int filaSalud(int id);

} // namespace torvane
