"""The meshes of both games: Fenwar's plane and missile, Torvane's missile and city block."""
import math

from malla import Malla, caja, placa, revolucion


def rotar_z(grados):
    c, s = math.cos(math.radians(grados)), math.sin(math.radians(grados))
    f = lambda p: (p[0] * c - p[1] * s, p[0] * s + p[1] * c, p[2])
    return f, f


# Quarter turns used to lay parts built along z or in the x-y plane into place (all keep handedness).
def z_a_menos_x(p):
    return (-p[2], p[1], p[0])


def plano_xy_a_xz(p):
    return (p[0], -p[2], p[1])


def z_a_y(p):
    return (p[0], p[2], -p[1])


def misil_base(mitad=False):
    """A missile pointing along +z, 1.8 long, centred on the origin: body, nose cone, tail and four fins.

    With mitad, only the half on the +y side: 6 of the body's 12 sides and two of the fins."""
    cuerpo = revolucion([(-0.85, 0.0), (-0.85, 0.10), (-0.80, 0.12), (0.45, 0.12), (0.65, 0.10),
                         (0.80, 0.06), (0.90, 0.0)], 12, 0.0, 1.0, 6 if mitad else None)
    m = Malla()
    m.agregar(cuerpo)
    aleta = placa([(0.10, -0.85), (0.36, -0.90), (0.36, -0.70), (0.10, -0.45)], 0.03, 1.0)
    aleta = aleta.transformar(plano_xy_a_xz, plano_xy_a_xz)
    for k in range(2 if mitad else 4):
        giro = rotar_z(45 + 90 * k)
        m.agregar(aleta.transformar(*giro))
    return m


def misil_fenwar():
    """Fenwar's missile: nose down (+z is down in its world), 0.35 long once the game scales it by 0.2.

    The game draws its missile model twice, the second turned half round about the missile's axis,
    so the file holds one half: a whole missile would be drawn twice in the same place, the second
    copy hidden but for stray pixels where the two surfaces fight over the same depth."""
    return misil_base(mitad=True)


def avion_fenwar():
    """Fenwar's drone: nose along -x, up along +z (the game turns it half round about y), wings along y."""
    m = Malla()
    fuselaje = revolucion([(-1.3, 0.0), (-1.25, 0.10), (-0.9, 0.17), (-0.2, 0.22), (0.5, 0.22),
                           (0.9, 0.19), (1.15, 0.12), (1.3, 0.0)], 12)
    m.agregar(fuselaje.transformar(z_a_menos_x, z_a_menos_x))
    cupula = revolucion([(-0.3, 0.0), (-0.3, 0.08), (0.1, 0.09), (0.3, 0.0)], 8)
    cupula = cupula.transformar(z_a_menos_x, z_a_menos_x)
    m.agregar(cupula.transformar(lambda p: (p[0] - 0.6, p[1], p[2] + 0.2), lambda n: n))
    ala = [(-0.35, 0.2), (0.35, 0.2), (0.45, 1.6), (0.15, 1.6)]
    cola = [(0.9, 0.05), (1.25, 0.05), (1.3, 0.6), (1.1, 0.6)]
    for contorno in (ala, cola):
        for lado in (1, -1):
            puntos = [(x, y * lado) for x, y in contorno]
            if lado < 0:
                puntos.reverse()
            plano = placa(puntos, 0.06, 0.6)
            m.agregar(plano.transformar(lambda p: (p[0], p[1], p[2] - 0.03), lambda n: n))
    deriva = placa([(0.8, 0.12), (1.28, 0.02), (1.35, 0.75), (1.15, 0.75)], 0.05, 0.6)
    m.agregar(deriva.transformar(plano_xy_a_xz, plano_xy_a_xz))
    # Two pods under the wings.
    for lado in (1, -1):
        vaina = revolucion([(-0.35, 0.0), (-0.3, 0.07), (0.2, 0.07), (0.35, 0.0)], 8)
        vaina = vaina.transformar(z_a_menos_x, z_a_menos_x)
        m.agregar(vaina.transformar(lambda p, s=lado: (p[0] + 0.05, p[1] + 0.85 * s, p[2] - 0.13),
                                    lambda n: n))
    return m


# Torvane draws its missile at 0.001 (1.5 long in the world) and turned half round about x.
LARGO_MISIL_TORVANE = 1500.0


def misil_torvane():
    """Torvane's missile: nose along +y (the game turns it nose down), 1500 units long."""
    base = misil_base().transformar(z_a_y, z_a_y)
    (_, y0, _), (_, y1, _) = base.limites()
    return base.escalar(LARGO_MISIL_TORVANE / (y1 - y0))


# Where the roofs take their colour from: a patch of plain wall between the windows of the facade.
UV_TECHO = ((0.02, 0.02), (0.06, 0.06))

# Buildings of a city block: ground centre (x, z), footprint (width, depth) and height, y up.
EDIFICIOS = [
    ((-0.5, -0.45), (0.75, 0.8), 1.6),
    ((0.45, -0.5), (0.8, 0.7), 1.0),
    ((-0.5, 0.5), (0.7, 0.8), 0.9),
    ((0.5, 0.5), (0.7, 0.7), 2.0),
    ((0.0, 0.05), (0.45, 0.45), 0.6),
]


def manzana():
    """Torvane's city block: a few buildings on a slab about 2 units across, standing on y = 0."""
    m = Malla()
    m.agregar(caja((0.0, 0.03, 0.0), (2.2, 0.06, 2.2), 1.0, sin_fondo=True, uv_techo=UV_TECHO))
    # One repeat of the facade (four floors of four windows) per unit of wall.
    for (x, z), (ancho, fondo), alto in EDIFICIOS:
        m.agregar(caja((x, alto / 2 + 0.06, z), (ancho, alto, fondo), 1.0, sin_fondo=True,
                       uv_techo=UV_TECHO))
    return m
