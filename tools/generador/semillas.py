"""Seed files for the fuzz targets: a few small valid inputs and a few slightly broken ones."""
import struct

import datos
import formatos
import sonidos
from malla import Malla
from formatos import trozo


def _triangulo():
    m = Malla()
    m.cara([(0, 0, 0), (1, 0, 0), (0, 1, 0)], [(0, 0), (1, 0), (0, 1)])
    return m


def dificultad():
    valido = datos.dificultad_xml()
    return {
        "generado-valido.xml": valido,
        "generado-dos-elementos.xml": b'<d><Normal><a rad_city="0.4" dificultad="7.9"/><b por_hit=" 12abc"/></Normal></d>',
        "generado-comentario-primero.xml": b'<d><Normal><!-- x --><a dificultad="6"/></Normal></d>',
        "generado-dificultad-cero.xml": b'<d><Normal><a dificultad="0" rad_city="x"/></Normal></d>',
        "generado-cortado.xml": valido[: len(valido) // 2],
    }


def obj():
    valido = formatos.obj(_triangulo(), "triangulo", "one triangle")
    return {
        "generado-triangulo.obj": valido,
        "generado-crlf.obj": valido.replace(b"\n", b"\r\n"),
        "generado-cuadrado.obj": b"v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n"
                                 b"f 1/1/1  2/1/1 3/1/1 4/1/1 \n",
        "generado-indices-malos.obj": b"v 1 2\nv 0 0 0\nf 1/1/1 9/9/9 -1/-1/-1\nf 1//1 2\nf 1/1/1 2/2/2 3/3/\n",
        "generado-basura.obj": b"v \xff\xfe 1e999 nan\nvt\nf /// //\nvn 1 1 1 1 1\n\x00f 1/1/1\n",
    }


def tres_ds():
    valido = formatos.tres_ds(_triangulo(), "tri")
    desconocido = trozo(0x4D4D, trozo(0xAFFF, trozo(0xA000, b"rojo\0")) + trozo(0x3D3D, b""))
    nombre_largo = trozo(0x4D4D, trozo(0x4000, b"un-nombre-de-mas-de-veinte-letras\0"
                                        + trozo(0x4100, trozo(0x4110, struct.pack("<H", 0)))))
    caras_primero = trozo(0x4D4D, trozo(0x4120, struct.pack("<H4H", 1, 0, 1, 2, 0)))
    largo_malo = struct.pack("<HI", 0x4D4D, 3) + struct.pack("<HI", 0x1234, 0xFFFFFFF0)
    lista_cortada = trozo(0x4D4D, struct.pack("<HIH", 0x4110, 6 + 2 + 12 * 9000, 9000) + b"\0" * 40)
    return {
        "generado-triangulo.3ds": valido,
        "generado-trozo-desconocido.3ds": desconocido + valido,
        "generado-nombre-largo.3ds": nombre_largo,
        "generado-caras-sin-vertices.3ds": caras_primero,
        "generado-largo-malo.3ds": largo_malo,
        "generado-lista-cortada.3ds": lista_cortada,
    }


def configuracion():
    valido = datos.configuracion_xml()
    return {
        "generado-valido.xml": valido,
        "generado-sin-torres.xml": valido.split(b"<torres>")[0],
        "generado-torre-fuera.xml": b'<niveles><salud valor="10"/><ciudad lvl="2.9" id="0" x="1" y="0" z="1"/>'
                                    b'<otro/></niveles><torres><municion cant="5"/><torre id="7" x="0" y="1" z="0"/>'
                                    b'<torre id="-1"/></torres>',
        "generado-no-xml.xml": b"ciudad lvl=1 <<",
    }


def _riff(*trozos):
    cuerpo = b"WAVE" + b"".join(trozos)
    return b"RIFF" + struct.pack("<I", len(cuerpo)) + cuerpo


def _wav_trozo(ident, contenido):
    return ident + struct.pack("<I", len(contenido)) + contenido + (b"\0" if len(contenido) % 2 else b"")


def _fmt(etiqueta, canales, frecuencia, bits):
    bloque = canales * bits // 8
    return _wav_trozo(b"fmt ", struct.pack("<HHIIHH", etiqueta, canales, frecuencia, frecuencia * bloque, bloque, bits))


def onda():
    valido = sonidos.wav([0.0, 0.5, -0.5, 0.25] * 8)
    return {
        "generado-valido.wav": valido,
        "generado-estereo-8bits.wav": _riff(_fmt(1, 2, 22050, 8), _wav_trozo(b"data", bytes(range(0, 250, 5)))),
        "generado-lista-impar.wav": _riff(_wav_trozo(b"LIST", b"abc"), _fmt(1, 1, 44100, 16),
                                          _wav_trozo(b"data", b"\1\0\2\0\3")),
        "generado-adpcm.wav": _riff(_fmt(2, 1, 44100, 4), _wav_trozo(b"data", b"\x77" * 64)),
        "generado-datos-antes.wav": _riff(_wav_trozo(b"data", b"\0\1" * 8), _fmt(1, 1, 44100, 16)),
        "generado-largo-enorme.wav": (_riff(_fmt(1, 1, 44100, 16)) + b"data" + struct.pack("<I", 0xFFFFFFF0)
                                      + b"\0" * 16),
        "generado-cortado.wav": valido[: len(valido) - 7],
    }
