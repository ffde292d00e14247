"""Desktop icons of both games, drawn large and scaled down to each size of the icon theme."""
import math

from PIL import Image, ImageDraw

import lienzo

TAMANOS = (16, 32, 48, 64, 128, 256)
LADO = 512


def _fondo(dibujo, arriba, abajo):
    for y in range(LADO):
        f = y / LADO
        color = tuple(int(arriba[c] + (abajo[c] - arriba[c]) * f) for c in range(3))
        dibujo.line([(0, y), (LADO, y)], fill=color + (255,))


def _redondeado(imagen):
    """Cuts the picture to a rounded square with a transparent outside."""
    mascara = Image.new("L", imagen.size, 0)
    ImageDraw.Draw(mascara).rounded_rectangle([8, 8, LADO - 8, LADO - 8], radius=90, fill=255)
    imagen.putalpha(mascara)
    return imagen


def _misil(dibujo, x, y, angulo, largo, color_cuerpo):
    """A falling missile with its nose at (x, y), pointing along angulo (degrees, 90 = down)."""
    dx, dy = math.cos(math.radians(angulo)), math.sin(math.radians(angulo))
    px, py = -dy, dx
    cola = (x - dx * largo, y - dy * largo)
    ancho = largo * 0.11
    dibujo.line([(cola[0] - dx * largo * 1.6, cola[1] - dy * largo * 1.6), cola], fill=(255, 190, 90, 255),
                width=int(ancho * 0.8))
    cuerpo = [(cola[0] + px * ancho, cola[1] + py * ancho), (x - dx * ancho * 2 + px * ancho, y - dy * ancho * 2 + py * ancho),
              (x, y), (x - dx * ancho * 2 - px * ancho, y - dy * ancho * 2 - py * ancho),
              (cola[0] - px * ancho, cola[1] - py * ancho)]
    dibujo.polygon(cuerpo, fill=color_cuerpo)
    for s in (1, -1):
        dibujo.polygon([(cola[0] + dx * ancho * 2 + s * px * ancho, cola[1] + dy * ancho * 2 + s * py * ancho),
                        (cola[0] + s * px * ancho * 2.6, cola[1] + s * py * ancho * 2.6),
                        (cola[0] + s * px * ancho, cola[1] + s * py * ancho)], fill=(200, 40, 40, 255))


def fenwar():
    """Fenwar: a brick cannon tower under a starry sky, a green city dome and a falling missile."""
    imagen = Image.new("RGBA", (LADO, LADO))
    dibujo = ImageDraw.Draw(imagen)
    _fondo(dibujo, (10, 14, 50), (40, 50, 110))
    for k in range(40):
        x, y = (k * 197) % LADO, (k * 113) % 300
        dibujo.ellipse([x - 3, y - 3, x + 3, y + 3], fill=(255, 255, 230, 255))
    dibujo.rectangle([0, 420, LADO, LADO], fill=(60, 110, 50, 255))
    dibujo.pieslice([230, 300, 490, 560], 180, 360, fill=(90, 200, 110, 255), outline=(30, 80, 40, 255), width=6)
    dibujo.rectangle([70, 230, 170, 430], fill=(170, 70, 45, 255), outline=(60, 20, 10, 255), width=6)
    for y in range(250, 430, 30):
        dibujo.line([(70, y), (170, y)], fill=(90, 35, 20, 255), width=4)
    dibujo.pieslice([75, 180, 165, 270], 180, 360, fill=(120, 130, 145, 255), outline=(40, 40, 50, 255), width=5)
    dibujo.line([(120, 215), (190, 140)], fill=(60, 65, 75, 255), width=22)
    _misil(dibujo, 360, 250, 70, 120, (215, 220, 225, 255))
    return _redondeado(imagen)


def torvane():
    """Torvane: a city block seen from a tower, a missile diving at it and the aiming cross."""
    imagen = Image.new("RGBA", (LADO, LADO))
    dibujo = ImageDraw.Draw(imagen)
    _fondo(dibujo, (60, 110, 190), (190, 215, 240))
    dibujo.rectangle([0, 400, LADO, LADO], fill=(70, 120, 60, 255))
    for x0, ancho, alto in ((80, 90, 190), (180, 80, 260), (270, 100, 150), (380, 70, 210)):
        dibujo.rectangle([x0, 420 - alto, x0 + ancho, 430], fill=(170, 165, 155, 255), outline=(60, 55, 50, 255), width=5)
        for fy in range(420 - alto + 20, 410, 36):
            for fx in range(x0 + 14, x0 + ancho - 20, 28):
                dibujo.rectangle([fx, fy, fx + 14, fy + 18], fill=(245, 215, 120, 255))
    _misil(dibujo, 300, 170, 110, 130, (230, 230, 235, 255))
    cx, cy = 256, 200
    dibujo.ellipse([cx - 70, cy - 70, cx + 70, cy + 70], outline=(255, 40, 40, 255), width=12)
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        dibujo.line([(cx + dx * 40, cy + dy * 40), (cx + dx * 100, cy + dy * 100)], fill=(255, 40, 40, 255), width=12)
    return _redondeado(imagen)


def archivos():
    """Every icon as (path under desktop/icons, PNG bytes)."""
    salida = []
    for juego, dibujar in (("fenwar", fenwar), ("torvane", torvane)):
        grande = dibujar()
        for n in TAMANOS:
            salida.append(("hicolor/%dx%d/apps/%s.png" % (n, n, juego), lienzo.png(grande.resize((n, n), Image.LANCZOS))))
    return salida
