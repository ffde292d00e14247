"""Writers of the two mesh formats the games read: the OBJ subset (v, vt, vn, f v/t/n) and 3DS chunks."""
import struct


def _numero(x):
    texto = "%.5f" % x
    return "0.00000" if texto == "-0.00000" else texto


def obj(malla, nombre, descripcion):
    """OBJ text with one v, vt and vn per distinct corner, so the three lists have the same length."""
    indices = {}
    lineas_v, lineas_vt, lineas_vn, lineas_f = [], [], [], []
    for cara in malla.caras:
        esquinas = []
        for p, uv, n in cara:
            clave = (tuple(_numero(c) for c in p), tuple(_numero(c) for c in uv), tuple(_numero(c) for c in n))
            if clave not in indices:
                indices[clave] = len(indices) + 1
                lineas_v.append("v " + " ".join(clave[0]))
                lineas_vt.append("vt " + " ".join(clave[1]))
                lineas_vn.append("vn " + " ".join(clave[2]))
            esquinas.append(indices[clave])
        lineas_f.append("f " + " ".join("%d/%d/%d" % (i, i, i) for i in esquinas))
    cabecera = ["# %s: %s" % (nombre, descripcion), "# %d vertices, %d faces" % (len(lineas_v), len(lineas_f)),
                "o " + nombre]
    return ("\n".join(cabecera + lineas_v + lineas_vt + lineas_vn + lineas_f) + "\n").encode("ascii")


def trozo(ident, contenido):
    """One 3DS chunk: 16-bit id, 32-bit length counting its own 6-byte header, then its contents."""
    return struct.pack("<HI", ident, 6 + len(contenido)) + contenido


def tres_ds(malla, nombre):
    """A 3DS file of one object: main, editor, object (name), triangle mesh with vertices, mapping, faces."""
    indices = {}
    vertices, mapeo, caras = [], [], []
    for tri in malla.triangulos():
        esquinas = []
        for p, uv, _ in tri:
            clave = (tuple(round(c, 4) for c in p), tuple(round(c, 5) for c in uv))
            if clave not in indices:
                indices[clave] = len(vertices)
                vertices.append(clave[0])
                mapeo.append(clave[1])
            esquinas.append(indices[clave])
        caras.append(esquinas)
    if len(vertices) > 8000 or len(caras) > 8000:
        raise ValueError("%s: too many vertices or faces for the game's 8000-entry lists" % nombre)
    lista_v = struct.pack("<H", len(vertices)) + b"".join(struct.pack("<3f", *v) for v in vertices)
    lista_m = struct.pack("<H", len(mapeo)) + b"".join(struct.pack("<2f", *uv) for uv in mapeo)
    lista_c = struct.pack("<H", len(caras)) + b"".join(struct.pack("<4H", a, b, c, 0) for a, b, c in caras)
    malla_3ds = trozo(0x4100, trozo(0x4110, lista_v) + trozo(0x4140, lista_m) + trozo(0x4120, lista_c))
    objeto = trozo(0x4000, nombre.encode("ascii") + b"\0" + malla_3ds)
    return trozo(0x4D4D, trozo(0x3D3D, objeto))
