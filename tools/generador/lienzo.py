"""Shared picture helpers: deterministic noise, colour ramps, fonts, text and file encoding."""
import io

from PIL import Image, ImageDraw, ImageFont

FUENTES = "/usr/share/fonts/truetype/dejavu/"


def fuente(tamano, negrita=True, condensada=False):
    nombre = "DejaVuSans%s%s.ttf" % ("Condensed" if condensada else "", "-Bold" if negrita else "")
    return ImageFont.truetype(FUENTES + nombre, tamano)


def ruido(azar, ancho, alto, celdas_x, celdas_y=None):
    """Smooth value noise that tiles in both directions: a random grid of celdas_x by celdas_y
    values blown up with bicubic filtering (the grid is wrapped so the edges meet)."""
    celdas_y = celdas_y or celdas_x
    grilla = Image.new("L", (celdas_x, celdas_y))
    grilla.putdata([azar.hasta(256) for _ in range(celdas_x * celdas_y)])
    mosaico = Image.new("L", (celdas_x * 3, celdas_y * 3))
    for i in range(3):
        for j in range(3):
            mosaico.paste(grilla, (i * celdas_x, j * celdas_y))
    grande = mosaico.resize((ancho * 3, alto * 3), Image.BICUBIC)
    return grande.crop((ancho, alto, ancho * 2, alto * 2))


def fractal(azar, ancho, alto, celdas, octavas, persistencia=0.5):
    """Octaves of noise, each with twice the cells and persistencia times the weight of the last."""
    total = ruido(azar, ancho, alto, celdas)
    peso_total, peso = 1.0, 1.0
    for k in range(1, octavas):
        peso *= persistencia
        capa = ruido(azar, ancho, alto, celdas * 2 ** k)
        total = Image.blend(total, capa, peso / (peso_total + peso))
        peso_total += peso
    return estirar(total)


def estirar(gris):
    """Stretches a grey picture so its darkest pixel is 0 and its brightest 255."""
    bajo, alto = gris.getextrema()
    if alto <= bajo:
        return gris
    return gris.point(lambda v: (v - bajo) * 255 // (alto - bajo))


def rampa(gris, paradas):
    """Colours a grey picture through a ramp of (level 0..255, (r, g, b)) stops."""
    tablas = ([], [], [])
    for v in range(256):
        for (a, ca), (b, cb) in zip(paradas, paradas[1:]):
            if a <= v <= b:
                f = (v - a) / (b - a) if b > a else 0.0
                for c in range(3):
                    tablas[c].append(int(round(ca[c] + (cb[c] - ca[c]) * f)))
                break
        else:
            extremo = paradas[0][1] if v < paradas[0][0] else paradas[-1][1]
            for c in range(3):
                tablas[c].append(extremo[c])
    return Image.merge("RGB", [gris.point(t) for t in tablas])


def umbral(gris, nivel):
    return gris.point(lambda v: 255 if v >= nivel else 0)


def texto_centrado(dibujo, centro, texto, letra, color, **extra):
    dibujo.text(centro, texto, font=letra, fill=color, anchor="mm", **extra)


def ancho_texto(letra, texto):
    caja = letra.getbbox(texto)
    return caja[2] - caja[0]


def jpeg(imagen, calidad=90, nitido=False):
    """JPEG bytes; nitido keeps full colour resolution (for pictures with text)."""
    salida = io.BytesIO()
    imagen.convert("RGB").save(salida, "JPEG", quality=calidad, subsampling=0 if nitido else 2)
    return salida.getvalue()


def png(imagen, colores=None):
    """PNG bytes; with colores the picture is reduced to a palette of that many colours."""
    if colores:
        imagen = imagen.convert("RGB").quantize(colors=colores, method=Image.MEDIANCUT, dither=Image.FLOYDSTEINBERG)
    salida = io.BytesIO()
    imagen.save(salida, "PNG", compress_level=9)
    return salida.getvalue()


def nuevo(ancho, alto, color=(0, 0, 0)):
    imagen = Image.new("RGB", (ancho, alto), color)
    return imagen, ImageDraw.Draw(imagen)
