"""Regenerates every asset of both games (sounds too), the fuzz seeds and the desktop icons: generar.py <root>."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import datos  # noqa: E402
import formatos  # noqa: E402
import iconos  # noqa: E402
import imagenes_fenwar  # noqa: E402
import imagenes_torvane  # noqa: E402
import modelos  # noqa: E402
import semillas  # noqa: E402
import sonidos  # noqa: E402


def archivos():
    """Every generated file as (path relative to the repository root, bytes)."""
    salida = [
        ("assets/dificultad.xml", datos.dificultad_xml()),
        ("assets/Drone.obj", formatos.obj(modelos.avion_fenwar(), "Drone", "the enemy plane of Fenwar")),
        ("assets/asca.obj", formatos.obj(modelos.misil_fenwar(), "asca", "the enemy missile of Fenwar")),
        ("assets/configuracion.xml", datos.configuracion_xml()),
        ("assets/missile.3DS", formatos.tres_ds(modelos.misil_torvane(), "misil")),
        ("assets/cubo.3DS", formatos.tres_ds(modelos.manzana(), "manzana")),
    ]
    salida += [("assets/" + nombre, contenido) for nombre, contenido in imagenes_fenwar.archivos()]
    salida += [("assets/texturas/" + nombre, contenido) for nombre, contenido in imagenes_torvane.archivos()]
    salida += [("assets/sonidos/" + nombre, contenido) for nombre, contenido in sonidos.archivos()]
    salida += [("desktop/icons/" + ruta, contenido) for ruta, contenido in iconos.archivos()]
    for carpeta, semillas_de in (("dificultad", semillas.dificultad), ("obj", semillas.obj),
                                 ("3ds", semillas.tres_ds), ("configuracion", semillas.configuracion),
                                 ("wav", semillas.onda)):
        for nombre, contenido in sorted(semillas_de().items()):
            salida.append(("tests/fuzz/corpus/%s/%s" % (carpeta, nombre), contenido))
    return salida


def escribir(raiz):
    for ruta, contenido in archivos():
        destino = os.path.join(raiz, ruta)
        os.makedirs(os.path.dirname(destino), exist_ok=True)
        with open(destino, "wb") as f:
            f.write(contenido)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: generar.py <repository root>")
    escribir(sys.argv[1])
