"""Polygon meshes built from simple solids, with per-corner texture coordinates and normals."""
import math


def unitario(v):
    n = math.sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2])
    return (v[0] / n, v[1] / n, v[2] / n) if n > 0 else (0.0, 0.0, 0.0)


def normal_cara(puntos):
    """Normal of a planar polygon, from its counter-clockwise corner order (Newell's method)."""
    nx = ny = nz = 0.0
    for i, a in enumerate(puntos):
        b = puntos[(i + 1) % len(puntos)]
        nx += (a[1] - b[1]) * (a[2] + b[2])
        ny += (a[2] - b[2]) * (a[0] + b[0])
        nz += (a[0] - b[0]) * (a[1] + b[1])
    return unitario((nx, ny, nz))


class Malla:
    """Faces as lists of corners; a corner is (position, texture coordinate, normal)."""

    def __init__(self):
        self.caras = []

    def cara(self, puntos, uvs, normales=None):
        """Adds one face; without normals the face is lit flat."""
        if normales is None:
            n = normal_cara(puntos)
            normales = [n] * len(puntos)
        self.caras.append(list(zip(puntos, uvs, normales)))

    def agregar(self, otra):
        self.caras.extend(otra.caras)

    def transformar(self, funcion_punto, funcion_normal):
        """A new mesh with every position and normal mapped (the mapping must keep orientation)."""
        nueva = Malla()
        for cara in self.caras:
            nueva.caras.append([(funcion_punto(p), uv, unitario(funcion_normal(n))) for p, uv, n in cara])
        return nueva

    def escalar(self, k):
        return self.transformar(lambda p: (p[0] * k, p[1] * k, p[2] * k), lambda n: n)

    def triangulos(self):
        """Each face cut into a fan of triangles."""
        for cara in self.caras:
            for i in range(1, len(cara) - 1):
                yield (cara[0], cara[i], cara[i + 1])

    def limites(self):
        puntos = [p for cara in self.caras for p, _, _ in cara]
        return (tuple(min(p[i] for p in puntos) for i in range(3)),
                tuple(max(p[i] for p in puntos) for i in range(3)))


def revolucion(perfil, lados, u0=0.0, u1=1.0, hechos=None):
    """A solid of revolution about the z axis; perfil is a list of (z, radius) from one end to the other.

    Only the first `hechos` of the `lados` sides are made when it is given (a part of the turn).

    A radius of 0 closes the end in a point.  Normals are smooth around and follow the profile slope;
    the texture wraps once around (v) and runs along the profile (u from u0 to u1)."""
    m = Malla()
    largo = [0.0]
    for (za, ra), (zb, rb) in zip(perfil, perfil[1:]):
        largo.append(largo[-1] + math.hypot(zb - za, rb - ra))
    for k in range(len(perfil) - 1):
        (za, ra), (zb, rb) = perfil[k], perfil[k + 1]
        # The profile normal of this band in the (z, r) plane: outward when z grows along the list.
        dz, dr = zb - za, rb - ra
        nr, nz = dz, -dr
        ua = u0 + (u1 - u0) * largo[k] / largo[-1]
        ub = u0 + (u1 - u0) * largo[k + 1] / largo[-1]
        for j in range(lados if hechos is None else hechos):
            a0 = 2 * math.pi * j / lados
            a1 = 2 * math.pi * (j + 1) / lados
            c0, s0, c1, s1 = math.cos(a0), math.sin(a0), math.cos(a1), math.sin(a1)
            n0 = unitario((nr * c0, nr * s0, nz))
            n1 = unitario((nr * c1, nr * s1, nz))
            esquinas = [((ra * c0, ra * s0, za), (ua, j / lados), n0),
                        ((ra * c1, ra * s1, za), (ua, (j + 1) / lados), n1),
                        ((rb * c1, rb * s1, zb), (ub, (j + 1) / lados), n1),
                        ((rb * c0, rb * s0, zb), (ub, j / lados), n0)]
            # Drop the corners that collapse into a pole.
            unicos = []
            for e in esquinas:
                if not any(e[0] == u[0] for u in unicos):
                    unicos.append(e)
            if len(unicos) >= 3:
                m.caras.append(unicos)
    return m


def caja(centro, medida, escala_uv=1.0, sin_fondo=False, uv_techo=None):
    """An axis-aligned box, faces outward; texture coordinates in world units times escala_uv."""
    cx, cy, cz = centro
    hx, hy, hz = medida[0] / 2, medida[1] / 2, medida[2] / 2
    x0, x1, y0, y1, z0, z1 = cx - hx, cx + hx, cy - hy, cy + hy, cz - hz, cz + hz
    m = Malla()
    k = escala_uv

    def quad(p, ancho, alto, techo=False):
        if techo and uv_techo is not None:
            (ua, va), (ub, vb) = uv_techo
            m.cara(p, [(ua, va), (ub, va), (ub, vb), (ua, vb)])
        else:
            m.cara(p, [(0, 0), (ancho * k, 0), (ancho * k, alto * k), (0, alto * k)])

    quad([(x0, y0, z1), (x1, y0, z1), (x1, y1, z1), (x0, y1, z1)], medida[0], medida[1])  # +z
    quad([(x1, y0, z0), (x0, y0, z0), (x0, y1, z0), (x1, y1, z0)], medida[0], medida[1])  # -z
    quad([(x1, y0, z1), (x1, y0, z0), (x1, y1, z0), (x1, y1, z1)], medida[2], medida[1])  # +x
    quad([(x0, y0, z0), (x0, y0, z1), (x0, y1, z1), (x0, y1, z0)], medida[2], medida[1])  # -x
    quad([(x0, y1, z1), (x1, y1, z1), (x1, y1, z0), (x0, y1, z0)], medida[0], medida[2], True)  # +y
    if not sin_fondo:
        quad([(x0, y0, z0), (x1, y0, z0), (x1, y0, z1), (x0, y0, z1)], medida[0], medida[2], True)  # -y
    return m


def placa(contorno, espesor, escala_uv=1.0):
    """A flat plate: the polygon contorno (x, y pairs, counter-clockwise seen from +z) given thickness along z."""
    m = Malla()
    h = espesor / 2
    arriba = [(x, y, h) for x, y in contorno]
    abajo = [(x, y, -h) for x, y in reversed(contorno)]
    m.cara(arriba, [(x * escala_uv, y * escala_uv) for x, y in contorno])
    m.cara(abajo, [(x * escala_uv, y * escala_uv) for x, y in reversed(contorno)])
    for i, (xa, ya) in enumerate(contorno):
        xb, yb = contorno[(i + 1) % len(contorno)]
        lado = math.hypot(xb - xa, yb - ya) * escala_uv
        m.cara([(xa, ya, -h), (xb, yb, -h), (xb, yb, h), (xa, ya, h)],
               [(0, 0), (lado, 0), (lado, espesor * escala_uv), (0, espesor * escala_uv)])
    return m
