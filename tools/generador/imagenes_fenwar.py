"""Fenwar's ten pictures: scenery textures, the model skin, fire and its two menu screens."""
import math

from PIL import Image, ImageChops, ImageDraw

import lienzo
from azar import Azar


def ladrillo():
    """Red brick for the towers.  The tower's height runs along the picture's width, so the courses
    are drawn as columns: 16 courses of 8 bricks, staggered, tiling both ways."""
    azar = Azar(11)
    lado, hiladas, por_hilada = 256, 16, 8
    alto_hilada, largo = lado // hiladas, lado // por_hilada
    imagen, dibujo = lienzo.nuevo(lado, lado, (170, 165, 150))
    for h in range(hiladas):
        desfase = largo // 2 if h % 2 else 0
        for b in range(por_hilada + 1):
            x0 = b * largo - desfase
            tono = azar.rango(0.75, 1.1)
            color = (int(150 * tono), int(62 * tono), int(45 * tono))
            y0 = h * alto_hilada
            dibujo.rectangle([x0 + 1, y0 + 1, x0 + largo - 2, y0 + alto_hilada - 2], fill=color)
    mezcla = Image.blend(imagen, lienzo.rampa(lienzo.fractal(azar, lado, lado, 32, 3),
                                              [(0, (80, 40, 30)), (255, (200, 120, 90))]), 0.25)
    return mezcla.rotate(90)


def camuflaje():
    """Camouflage skin of the plane and the missiles: three blotch colours and panel lines."""
    azar = Azar(21)
    lado = 256
    base = Image.new("RGB", (lado, lado), (92, 104, 70))
    manchas1 = lienzo.umbral(lienzo.fractal(azar, lado, lado, 4, 3), 150)
    manchas2 = lienzo.umbral(lienzo.fractal(azar, lado, lado, 4, 3), 165)
    base.paste((60, 70, 45), mask=manchas1)
    base.paste((120, 105, 75), mask=manchas2)
    grano = lienzo.fractal(azar, lado, lado, 64, 2)
    base = Image.blend(base, lienzo.rampa(grano, [(0, (50, 55, 40)), (255, (140, 145, 120))]), 0.15)
    dibujo = ImageDraw.Draw(base)
    for k in range(0, lado, 64):
        dibujo.line([(k, 0), (k, lado)], fill=(45, 50, 35), width=1)
        dibujo.line([(0, k), (lado, k)], fill=(45, 50, 35), width=1)
        for r in range(4, lado, 16):
            dibujo.point([(k + 3, r), (r, k + 3)], fill=(150, 155, 130))
    return base


def metal_canon():
    """Gun metal for the cannons: dark steel with brushed streaks and a few bands."""
    azar = Azar(31)
    lado = 128
    cepillado = lienzo.ruido(azar, lado, lado, 2, 64)
    fino = lienzo.fractal(azar, lado, lado, 16, 3)
    gris = Image.blend(lienzo.estirar(cepillado), fino, 0.35)
    imagen = lienzo.rampa(gris, [(0, (40, 44, 52)), (128, (85, 90, 100)), (255, (150, 155, 165))])
    dibujo = ImageDraw.Draw(imagen)
    for x in (20, 22, 84, 86):
        dibujo.line([(x, 0), (x, lado)], fill=(30, 32, 38))
    for y in range(8, lado, 32):
        for x in (10, 74):
            dibujo.ellipse([x - 2, y - 2, x + 2, y + 2], fill=(170, 175, 185), outline=(30, 30, 35))
    return imagen


def greeble():
    """The cities' domes: panels of hull plating, vents and rows of lit windows, tiling around."""
    azar = Azar(41)
    lado = 512
    gris = lienzo.fractal(azar, lado, lado, 8, 4)
    imagen = lienzo.rampa(gris, [(0, (55, 60, 70)), (255, (120, 125, 135))])
    dibujo = ImageDraw.Draw(imagen)

    def rect_envuelto(x0, y0, x1, y1, **estilo):
        for dy in (-lado, 0, lado):
            dibujo.rectangle([x0, y0 + dy, x1, y1 + dy], **estilo)

    for _ in range(260):
        ancho, alto = azar.rango(12, 70), azar.rango(12, 70)
        x, y = azar.rango(0, lado - ancho), azar.rango(0, lado)
        tono = int(azar.rango(60, 150))
        rect_envuelto(x, y, x + ancho, y + alto, fill=(tono, tono + 4, tono + 12), outline=(30, 32, 40))
        rect_envuelto(x + 1, y + 1, x + ancho - 1, y + 1, fill=(tono + 40, tono + 44, tono + 50))
    for _ in range(70):
        x, y = azar.rango(0, lado - 60), azar.rango(0, lado)
        filas, columnas = 1 + azar.hasta(4), 2 + azar.hasta(8)
        for f in range(filas):
            for c in range(columnas):
                encendida = azar.real() < 0.7
                color = (255, 220, 120) if encendida else (40, 60, 90)
                rect_envuelto(x + c * 7, y + f * 8, x + c * 7 + 4, y + f * 8 + 4, fill=color)
    for _ in range(40):
        x, y = azar.rango(0, lado - 30), azar.rango(0, lado)
        for k in range(5):
            rect_envuelto(x, y + k * 4, x + 24, y + k * 4 + 1, fill=(25, 25, 30))
    return imagen


def galaxia():
    """The sky dome: a starry deep-blue sky with a band of the galaxy.  The picture's width runs
    from the zenith (left) to the horizon (right) and its height once around; the dome is four
    times longer around than from zenith to horizon, so the picture is four times taller than wide."""
    azar = Azar(51)
    ancho, alto = 256, 1024
    nube = lienzo.ruido(azar, ancho, alto, 4, 16)
    for k, peso in ((1, 0.5), (2, 0.25), (3, 0.125)):
        nube = Image.blend(nube, lienzo.ruido(azar, ancho, alto, 4 << k, 16 << k), peso / (1 + peso))
    nube = lienzo.estirar(nube)
    banda = Image.new("L", (ancho, alto))
    banda.putdata([int(255 * math.exp(-((x / ancho - 0.55 - 0.22 * math.sin(2 * math.pi * y / alto)) / 0.13) ** 2))
                   for y in range(alto) for x in range(ancho)])
    brillo = ImageChops.multiply(nube, banda)
    cielo = lienzo.rampa(brillo, [(0, (2, 4, 18)), (90, (30, 40, 110)), (170, (120, 90, 170)), (255, (230, 210, 240))])
    niebla = lienzo.rampa(nube, [(0, (0, 0, 0)), (255, (20, 30, 70))])
    cielo = ImageChops.add(cielo, niebla)
    dibujo = ImageDraw.Draw(cielo)
    for _ in range(1500):
        x, y = azar.hasta(ancho), azar.hasta(alto)
        luz = int(azar.rango(120, 256))
        dibujo.point((x, y), fill=(luz, luz, min(255, luz + 20)))
    for _ in range(80):
        x, y = azar.rango(2, ancho - 2), azar.rango(2, alto - 2)
        r = azar.rango(0.8, 1.6)
        dibujo.ellipse([x - r, y - r, x + r, y + r], fill=(255, 255, 240))
    return cielo


def suelo():
    """Ground: grass with darker and drier patches and bare earth, 20 world units per repeat."""
    azar = Azar(61)
    lado = 512
    grande = lienzo.fractal(azar, lado, lado, 6, 4)
    fino = lienzo.fractal(azar, lado, lado, 128, 2)
    gris = Image.blend(grande, fino, 0.25)
    imagen = lienzo.rampa(gris, [(0, (70, 60, 40)), (70, (110, 95, 60)), (100, (70, 105, 45)),
                                 (180, (55, 120, 50)), (255, (120, 150, 70))])
    return imagen


def fuego():
    """Flames for the explosion sparks."""
    azar = Azar(71)
    lado = 128
    llama = lienzo.fractal(azar, lado, lado, 8, 4)
    degradado = Image.new("L", (lado, lado))
    degradado.putdata([255 - y * 2 for y in range(lado) for _ in range(lado)])
    gris = ImageChops.multiply(llama, degradado)
    return lienzo.rampa(lienzo.estirar(gris), [(0, (60, 0, 0)), (90, (200, 40, 0)), (170, (255, 150, 20)),
                                              (255, (255, 250, 200))])


def fin_del_juego():
    """A game-over picture: the cities in ruins under a red sky."""
    ancho, alto = 512, 512
    imagen, dibujo = lienzo.nuevo(ancho, alto)
    for y in range(alto):
        f = y / alto
        dibujo.line([(0, y), (ancho, y)], fill=(int(40 + 140 * f), int(5 + 30 * f), 10))
    azar = Azar(81)
    x = 0
    while x < ancho:
        w, h = azar.rango(20, 60), azar.rango(40, 160)
        dibujo.rectangle([x, alto - h, x + w, alto], fill=(15, 10, 10))
        x += w + azar.rango(0, 10)
    lienzo.texto_centrado(dibujo, (ancho // 2, 170), "FIN DEL", lienzo.fuente(72), (255, 230, 200),
                          stroke_width=3, stroke_fill=(60, 0, 0))
    lienzo.texto_centrado(dibujo, (ancho // 2, 250), "JUEGO", lienzo.fuente(72), (255, 230, 200),
                          stroke_width=3, stroke_fill=(60, 0, 0))
    return imagen


# The menu quad is 2.5 by 1.95 units at 2.2 in front of the eye; at zoom 1 the window shows the
# middle 97.2% of its width and the part from 4.6% to 98% of its height, measured from the bottom.
ANCHO_MENU, ALTO_MENU = 658, 514
VISIBLE_X = (0.014, 0.986)
VISIBLE_Y = (0.020, 0.954)  # from the top of the picture


def zona_visible():
    """The rectangle of the menu picture (left, top, right, bottom in pixels) that the window shows."""
    return (math.ceil(VISIBLE_X[0] * ANCHO_MENU), math.ceil(VISIBLE_Y[0] * ALTO_MENU),
            math.floor(VISIBLE_X[1] * ANCHO_MENU), math.floor(VISIBLE_Y[1] * ALTO_MENU))


def _menu(titulo, secciones, pie=None):
    """A menu screen in white on black: the game draws it tinted dark green, so only light on dark
    survives.  secciones: list of (heading, [(key, meaning)], column x, font size)."""
    imagen, dibujo = lienzo.nuevo(ANCHO_MENU, ALTO_MENU)
    izq, arriba, der, abajo = zona_visible()
    dibujo.rectangle([izq + 8, arriba + 8, der - 8, abajo - 8], outline=(200, 200, 200), width=3)
    lienzo.texto_centrado(dibujo, (ANCHO_MENU // 2, arriba + 48), titulo, lienzo.fuente(40), (255, 255, 255))
    dibujo.line([(izq + 40, arriba + 80), (der - 40, arriba + 80)], fill=(255, 255, 255), width=2)
    for encabezado, filas, x, tam in secciones:
        y = arriba + 96
        dibujo.text((x, y), encabezado, font=lienzo.fuente(24), fill=(255, 255, 255))
        y += 40
        letra_tecla, letra_texto = lienzo.fuente(tam), lienzo.fuente(tam, condensada=True)
        ancho_tecla = max(lienzo.ancho_texto(letra_tecla, t) for t, _ in filas) + 12
        for tecla, significado in filas:
            dibujo.text((x, y), tecla, font=letra_tecla, fill=(255, 255, 255))
            dibujo.text((x + ancho_tecla, y), significado, font=letra_texto, fill=(235, 235, 235))
            y += int(tam * 1.5)
    if pie:
        lienzo.texto_centrado(dibujo, (ANCHO_MENU // 2, abajo - 40), pie, lienzo.fuente(20, negrita=False),
                              (230, 230, 230))
    return imagen


def menu_pausa():
    return _menu("FENWAR · PAUSA", [
        ("En pausa", [("P", "volver al juego"), ("C", "configuración"), ("ESPACIO", "partida nueva"),
                      ("Q", "salir"), ("S", "sonido sí / no")], 40, 20),
        ("Jugando", [("Ratón", "apuntar"), ("Botón izq.", "disparar"), ("Botón der.", "mirar arriba/abajo"),
                     ("← →", "cambiar de cañón"), ("↑ ↓", "acercar / alejar"), ("Y  T", "más / menos verde"),
                     ("H  G", "más / menos azul"), ("M  U", "luz a un lado / al otro"),
                     ("K  J", "luz arriba / abajo"), ("F11", "pantalla completa"), ("P", "pausa"),
                     ("ESC", "salir")], 310, 17),
    ])


def menu_configuracion():
    return _menu("CONFIGURACIÓN", [
        ("Teclas", [("W", "dibujo en líneas: sí / no"), ("T", "texturas: sí / no"),
                    ("L", "luz del juego: sí / no"), ("P", "volver a la pausa")], 110, 30),
    ], "Los cambios se ven al volver al juego")


def archivos():
    return [
        ("Brick_pattern2.jpg", lienzo.jpeg(ladrillo())),
        ("avion.jpg", lienzo.jpeg(camuflaje())),
        ("canon.png", lienzo.png(metal_canon())),
        ("JLGreebleProof-CorrelateIMG_0006.jpg", lienzo.jpeg(greeble())),
        ("ralternatebluegalaxyprint_shop_preview.png", lienzo.png(galaxia(), colores=256)),
        ("morwicksp1.jpg", lienzo.jpeg(suelo())),
        ("menu.jpg", lienzo.jpeg(menu_pausa(), 92, nitido=True)),
        ("menu3.jpg", lienzo.jpeg(menu_configuracion(), 92, nitido=True)),
        ("fuego.jpg", lienzo.jpeg(fuego())),
        ("gameover.jpg", lienzo.jpeg(fin_del_juego(), nitido=True)),
    ]
