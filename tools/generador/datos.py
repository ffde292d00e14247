"""The two XML data files: Fenwar's difficulty and Torvane's levels, cities and towers."""

# Fenwar: missiles fly at 0.5 to 0.6 units a second from difficulty 5 to 9; 5 launches one every 2 s.
DIFICULTAD = {
    "rad_city": "0.5",
    "separacion_city": "1.8",
    "dificultad": "5",
    "puntos_avion": "50",
    "puntos_misil": "10",
    "cant_hit_avion": "2",
    "por_hit": "5",
}


def dificultad_xml():
    atributos = " ".join('%s="%s"' % par for par in DIFICULTAD.items())
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            "<!-- Dificultad de Fenwar: radio y separacion de las ciudades, ritmo de los misiles (5 a 9),\n"
            "     puntos por avion y por misil, impactos que aguanta el avion, salud que quita cada misil. -->\n"
            "<dificultad>\n"
            "  <Normal>\n"
            "    <valores %s/>\n"
            "  </Normal>\n"
            "</dificultad>\n" % atributos).encode("utf-8")


# Torvane: a 100 by 100 field centred on the origin, y up, ground at y = 0.
SALUD = 15
MUNICION = 40

# Cities of each level (ids 0 to n), close enough to the centre that every tower sees them all.
CIUDADES = {
    1: [(-6.0, 2.0), (6.0, -2.0)],
    2: [(-8.0, 4.0), (8.0, 4.0), (0.0, -7.0)],
    3: [(-9.0, -6.0), (9.0, -6.0), (-7.0, 8.0), (7.0, 8.0)],
}

# Towers on the edge of the field, 5 units up, each placed where its camera's start heading crosses
# the centre: tower 0 looks along -z, tower 1 (turned 225 degrees) towards +x +z, tower 2 (135) towards -x +z.
TORRES = [(0.0, 5.0, 45.0), (-45.0, 5.0, -45.0), (45.0, 5.0, -45.0)]
RUMBO_INICIAL = [0.0, 225.0, 135.0]


def _n(x):
    return ("%.1f" % x).rstrip("0").rstrip(".")


def configuracion_xml():
    lineas = ['<?xml version="1.0" encoding="UTF-8"?>',
              "<!-- Niveles de Torvane: la salud de cada ciudad, las ciudades de cada nivel (ids 0 a n),",
              "     la municion de cada torre y la posicion de las tres torres (y hacia arriba). -->",
              "<niveles>",
              '  <salud valor="%d"/>' % SALUD]
    for nivel, ciudades in sorted(CIUDADES.items()):
        for ident, (x, z) in enumerate(ciudades):
            lineas.append('  <ciudad lvl="%d" id="%d" x="%s" y="0" z="%s"/>' % (nivel, ident, _n(x), _n(z)))
    lineas += ["</niveles>", "<torres>", '  <municion cant="%d"/>' % MUNICION]
    for ident, (x, y, z) in enumerate(TORRES):
        lineas.append('  <torre id="%d" x="%s" y="%s" z="%s"/>' % (ident, _n(x), _n(y), _n(z)))
    lineas.append("</torres>")
    return ("\n".join(lineas) + "\n").encode("utf-8")
