"""Torvane's pictures under texturas/: sky box, model skins, HUD pieces and every menu screen."""
import math

from PIL import Image, ImageDraw

import datos
import lienzo
from azar import Azar

ANCHO, ALTO = 640, 480  # menu pictures cover the whole window, one texel per pixel


def cielo():
    """The four walls and the lid of the sky box: horizon haze, blue sky with clouds and far hills.
    It tiles sideways so the walls meet at the corners."""
    azar = Azar(101)
    lado = 512
    imagen, dibujo = lienzo.nuevo(lado, lado)
    for y in range(lado):
        f = y / (lado - 1)
        dibujo.line([(0, y), (lado, y)], fill=(int(40 + 150 * f), int(80 + 130 * f), int(170 + 70 * f)))
    nubes = lienzo.fractal(azar, lado, lado, 4, 5)
    mascara = nubes.point(lambda v: max(0, min(255, (v - 130) * 3)))
    imagen.paste((245, 245, 250), mask=mascara)
    fase = [azar.rango(0, 2 * math.pi) for _ in range(3)]
    colinas = []
    for x in range(lado + 1):
        a = 2 * math.pi * x / lado
        h = 30 + 12 * math.sin(3 * a + fase[0]) + 7 * math.sin(7 * a + fase[1]) + 3 * math.sin(17 * a + fase[2])
        colinas.append((x, lado - h))
    dibujo.polygon(colinas + [(lado, lado), (0, lado)], fill=(70, 100, 110))
    return imagen


def suelo():
    """The floor of the sky box, once over the 100 by 100 field: meadow and bare earth."""
    azar = Azar(111)
    lado = 512
    gris = Image.blend(lienzo.fractal(azar, lado, lado, 5, 4), lienzo.fractal(azar, lado, lado, 96, 2), 0.3)
    return lienzo.rampa(gris, [(0, (95, 80, 55)), (80, (120, 105, 70)), (105, (75, 115, 50)),
                               (190, (60, 130, 55)), (255, (130, 160, 80))])


def fachada():
    """The city block's skin: concrete walls with four by four windows per repeat, some lit.
    The bottom-left corner stays plain wall: the roofs take their colour from there."""
    azar = Azar(121)
    lado, celda = 256, 64
    gris = lienzo.fractal(azar, lado, lado, 16, 3)
    imagen = lienzo.rampa(gris, [(0, (135, 130, 120)), (255, (185, 180, 170))])
    dibujo = ImageDraw.Draw(imagen)
    for fila in range(4):
        for columna in range(4):
            x, y = columna * celda + 16, fila * celda + 8
            if azar.real() < 0.35:
                dibujo.rectangle([x, y, x + 32, y + 36], fill=(245, 215, 120))
            else:
                for k in range(37):
                    t = k / 36
                    dibujo.line([(x, y + k), (x + 32, y + k)], fill=(int(40 + 50 * t), int(60 + 60 * t), int(95 + 60 * t)))
            dibujo.rectangle([x - 2, y - 2, x + 34, y + 38], outline=(90, 85, 80), width=2)
            dibujo.line([(x + 16, y), (x + 16, y + 36)], fill=(90, 85, 80), width=2)
    return imagen


def piel_misil():
    """The missile's skin: the picture's width runs from tail to nose, its height around the body."""
    lado = 256
    imagen, dibujo = lienzo.nuevo(lado, lado, (225, 228, 232))
    dibujo.rectangle([0, 0, 14, lado], fill=(40, 40, 45))
    for x0 in (70, 150):
        dibujo.rectangle([x0, 0, x0 + 14, lado], fill=(200, 30, 30))
    dibujo.rectangle([int(0.74 * lado), 0, lado, lado], fill=(200, 30, 30))
    dibujo.rectangle([14, 0, int(0.74 * lado), 14], fill=(30, 30, 35))
    dibujo.text((40, 100), "TV-1", font=lienzo.fuente(22), fill=(30, 30, 35))
    return imagen


def digito(n):
    """One score digit: amber on a dark panel, drawn twice as wide as high as the HUD shows it."""
    imagen, dibujo = lienzo.nuevo(128, 64, (12, 16, 28))
    dibujo.rectangle([0, 0, 127, 63], outline=(70, 90, 130), width=3)
    lienzo.texto_centrado(dibujo, (64, 33), str(n), lienzo.fuente(60), (255, 195, 50))
    return imagen


def bala():
    """One ammunition mark: an upright cartridge, tall and thin like its place in the HUD."""
    imagen, dibujo = lienzo.nuevo(16, 128, (12, 16, 28))
    dibujo.rectangle([3, 44, 12, 122], fill=(200, 160, 60), outline=(120, 90, 30))
    dibujo.polygon([(3, 44), (12, 44), (10, 18), (7.5, 8), (5, 18)], fill=(190, 110, 60))
    dibujo.line([(5, 48), (5, 118)], fill=(250, 220, 130))
    return imagen


def etiqueta(n):
    """The label of city n in the health panel."""
    imagen, dibujo = lienzo.nuevo(256, 32, (12, 16, 28))
    dibujo.rectangle([0, 0, 255, 31], outline=(70, 90, 130), width=2)
    lienzo.texto_centrado(dibujo, (128, 17), "CIUDAD %d" % n, lienzo.fuente(24), (255, 255, 255))
    return imagen


def celda(color):
    """One health cell: a bevelled block of the given colour."""
    imagen, dibujo = lienzo.nuevo(32, 32, (12, 16, 28))
    claro = tuple(min(255, c + 70) for c in color)
    oscuro = tuple(c // 2 for c in color)
    dibujo.rectangle([3, 3, 28, 28], fill=color)
    dibujo.line([(3, 3), (28, 3)], fill=claro, width=3)
    dibujo.line([(3, 3), (3, 28)], fill=claro, width=3)
    dibujo.line([(3, 28), (28, 28)], fill=oscuro, width=3)
    dibujo.line([(28, 3), (28, 28)], fill=oscuro, width=3)
    return imagen


# Menu screens -------------------------------------------------------------------------------------

RESALTE = (255, 200, 40)
CAJA = (28, 42, 86)
BORDE = (80, 100, 150)


def _fondo():
    imagen, dibujo = lienzo.nuevo(ANCHO, ALTO)
    for y in range(ALTO):
        f = y / ALTO
        dibujo.line([(0, y), (ANCHO, y)], fill=(int(8 + 10 * f), int(14 + 14 * f), int(36 + 20 * f)))
    return imagen, dibujo


def _titulo(dibujo, titulo, subtitulo):
    lienzo.texto_centrado(dibujo, (ANCHO // 2, 52), titulo, lienzo.fuente(44), (255, 255, 255),
                          stroke_width=2, stroke_fill=(20, 40, 100))
    if subtitulo:
        lienzo.texto_centrado(dibujo, (ANCHO // 2, 96), subtitulo, lienzo.fuente(18, negrita=False), (190, 205, 235))
    dibujo.line([(60, 116), (ANCHO - 60, 116)], fill=BORDE, width=2)


def _pie(dibujo, texto):
    dibujo.line([(40, ALTO - 44), (ANCHO - 40, ALTO - 44)], fill=BORDE, width=1)
    lienzo.texto_centrado(dibujo, (ANCHO // 2, ALTO - 24), texto, lienzo.fuente(16, condensada=True), (200, 210, 235))


def _entradas(dibujo, entradas, elegida, caja):
    """Entries as boxes stacked in caja (left, top, right, bottom); the chosen one is filled bright
    with dark text and arrows, the others are dark with light text.  An entry is (name, note, swatch)."""
    izq, arriba, der, abajo = caja
    paso = (abajo - arriba) / len(entradas)
    alto = min(62, paso - 10)
    for k, (nombre, nota, muestra) in enumerate(entradas):
        y0 = arriba + k * paso + (paso - alto) / 2
        y1 = y0 + alto
        activa = k == elegida
        relleno, borde = (RESALTE, (255, 255, 255)) if activa else (CAJA, BORDE)
        dibujo.rounded_rectangle([izq, y0, der, y1], radius=10, fill=relleno, outline=borde, width=3 if activa else 2)
        color_nombre = (10, 10, 20) if activa else (215, 225, 245)
        color_nota = (60, 45, 10) if activa else (150, 165, 200)
        texto_x = izq + 48
        if muestra:
            dibujo.rectangle([texto_x, y0 + 14, texto_x + alto - 28, y1 - 14], fill=muestra, outline=(255, 255, 255))
            texto_x += alto - 14
        centro = (y0 + y1) / 2
        if nota:
            grande = alto >= 56
            dibujo.text((texto_x, centro + (-3 if grande else 0)), nombre, font=lienzo.fuente(26 if grande else 22),
                        fill=color_nombre, anchor="ls")
            dibujo.text((texto_x, centro + (6 if grande else 4)), nota, font=lienzo.fuente(15 if grande else 13, negrita=False),
                        fill=color_nota, anchor="lt")
        else:
            dibujo.text((texto_x, centro), nombre, font=lienzo.fuente(26), fill=color_nombre, anchor="lm")
        if activa:
            dibujo.polygon([(izq + 14, centro - 11), (izq + 32, centro), (izq + 14, centro + 11)], fill=(10, 10, 20))
            dibujo.polygon([(der - 14, centro - 11), (der - 32, centro), (der - 14, centro + 11)], fill=(10, 10, 20))


PIE_PAUSA = "↑ ↓ elegir     ENTER aceptar     P seguir jugando     ESC / Q terminar"


def pagina(titulo, subtitulo, entradas, elegida, caja=(110, 130, 530, 420)):
    imagen, dibujo = _fondo()
    _titulo(dibujo, titulo, subtitulo)
    _entradas(dibujo, entradas, elegida, caja)
    _pie(dibujo, PIE_PAUSA)
    return imagen


PAUSA = ("PAUSA", "Elige una opción", [
    ("Continuar", "volver a la partida", None),
    ("Velocidad", "lento, normal o rápido", None),
    ("Estados", "alambre, sombreado, texturas", None),
    ("Direc y Color", "color y posición de la luz", None)])
VELOCIDAD = ("VELOCIDAD", "Rapidez de los misiles enemigos", [
    ("Lento", "los misiles a media marcha", None),
    ("Normal", "la marcha de siempre", None),
    ("Rápido", "los misiles al doble", None)])
ESTADOS = ("ESTADOS", "Cómo se dibuja la escena", [
    ("Alambre", "sólo las líneas: sí / no", None),
    ("Facetado / Suave", "cambia el sombreado", None),
    ("Texturas", "con o sin texturas", None)])
LUZ = ("LUZ", "Enciende la luz y elige su color", [
    ("Rojo", None, (230, 40, 40)),
    ("Azul", None, (50, 90, 240)),
    ("Verde", None, (40, 200, 70)),
    ("Blanco", None, (250, 250, 250)),
    ("Dirección", "elegir la torre de la luz", None)])


def mapa(dibujo, caja, elegida):
    """A map of the field from above (x to the right, z downwards): the cities of the last level,
    the three towers with their start headings, the chosen one ringed as the light's place."""
    izq, arriba, der, abajo = caja
    dibujo.rectangle(caja, fill=(40, 80, 45), outline=(200, 210, 235), width=2)
    margen = 26  # room for the ring of a tower on the field's edge
    escala = (der - izq - 2 * margen) / 100.0

    def punto(x, z):
        return (izq + margen + (x + 50) * escala, arriba + margen + (z + 50) * escala)

    for x, z in datos.CIUDADES[max(datos.CIUDADES)]:
        cx, cy = punto(x, z)
        dibujo.rectangle([cx - 5, cy - 5, cx + 5, cy + 5], fill=(200, 60, 50), outline=(255, 255, 255))
    for k, ((x, _, z), rumbo) in enumerate(zip(datos.TORRES, datos.RUMBO_INICIAL)):
        cx, cy = punto(x, z)
        dx, dz = -math.sin(math.radians(rumbo)), -math.cos(math.radians(rumbo))
        dibujo.line([(cx, cy), (cx + dx * 40, cy + dz * 40)], fill=(255, 255, 255), width=2)
        radio = 15 if k == elegida else 11
        dibujo.ellipse([cx - radio, cy - radio, cx + radio, cy + radio],
                       fill=RESALTE if k == elegida else CAJA, outline=(255, 255, 255), width=2)
        lienzo.texto_centrado(dibujo, (cx, cy + 1), str(k + 1), lienzo.fuente(16),
                              (10, 10, 20) if k == elegida else (255, 255, 255))
        if k == elegida:
            dibujo.ellipse([cx - 24, cy - 24, cx + 24, cy + 24], outline=RESALTE, width=3)


def pagina_torres(elegida):
    imagen, dibujo = _fondo()
    _titulo(dibujo, "POSICIÓN DE LA LUZ", "La luz se coloca sobre la torre elegida")
    entradas = [("Torre %d" % (k + 1), None, None) for k in range(3)]
    _entradas(dibujo, entradas, elegida, (40, 150, 320, 400))
    mapa(dibujo, (345, 145, 600, 400), elegida)
    _pie(dibujo, PIE_PAUSA)
    return imagen


def inicio(elegida):
    imagen, dibujo = _fondo()
    lienzo.texto_centrado(dibujo, (ANCHO // 2, 62), "TORVANE", lienzo.fuente(72), (255, 210, 70),
                          stroke_width=3, stroke_fill=(120, 40, 0))
    lienzo.texto_centrado(dibujo, (ANCHO // 2, 118), "Defiende las ciudades desde las torres",
                          lienzo.fuente(20, negrita=False), (200, 215, 240))
    _entradas(dibujo, [("Comenzar", None, None), ("Salir", None, None)], elegida, (170, 140, 470, 270))
    dibujo.rounded_rectangle([30, 285, ANCHO - 30, ALTO - 50], radius=8, outline=BORDE, width=2)
    controles = [
        ([("Botón izquierdo", "disparar"), ("Botón der. + ratón", "girar la torre"), ("1  2  3", "cambiar de torre"),
          ("P", "pausa y menú"), ("ESC  Q", "terminar")], 48, 165),
        ([("ESPACIO", "alambre sí / no"), ("T", "texturas sí / no"), ("M", "saltar de nivel"),
          ("F11", "pantalla completa"), ("S", "sonido sí / no")], 360, 90),
    ]
    letra_tecla, letra_texto = lienzo.fuente(15), lienzo.fuente(15, negrita=False)
    for filas, x, sangria in controles:
        for k, (tecla, texto) in enumerate(filas):
            y = 298 + k * 24
            dibujo.text((x, y), tecla, font=letra_tecla, fill=(255, 210, 70))
            dibujo.text((x + sangria, y), texto, font=letra_texto, fill=(220, 230, 245))
    _pie(dibujo, "↑ ↓ elegir     ENTER aceptar")
    return imagen


def fin_del_juego():
    imagen, dibujo = lienzo.nuevo(ANCHO, ALTO)
    for y in range(ALTO):
        f = y / ALTO
        dibujo.line([(0, y), (ANCHO, y)], fill=(int(30 + 120 * f), int(6 + 20 * f), 12))
    azar = Azar(131)
    x = 0
    while x < ANCHO:
        ancho, alto = azar.rango(24, 70), azar.rango(40, 150)
        dibujo.rectangle([x, ALTO - alto, x + ancho, ALTO], fill=(14, 8, 8))
        x += ancho + azar.rango(0, 12)
    lienzo.texto_centrado(dibujo, (ANCHO // 2, 150), "FIN DEL JUEGO", lienzo.fuente(64), (255, 235, 210),
                          stroke_width=3, stroke_fill=(70, 0, 0))
    lienzo.texto_centrado(dibujo, (ANCHO // 2, 230), "Pulsa ENTER para salir", lienzo.fuente(26),
                          (255, 220, 160), stroke_width=2, stroke_fill=(40, 0, 0))
    return imagen


def archivos():
    """Every picture as (name under texturas/, bytes)."""
    salida = [
        ("canon.png", lienzo.png(fachada())),
        ("missileTexture.jpg", lienzo.jpeg(piel_misil())),
        ("gameover.png", lienzo.png(fin_del_juego())),
        ("bala.png", lienzo.png(bala())),
        ("vidallena.png", lienzo.png(celda((40, 200, 60)))),
        ("vidamedia.png", lienzo.png(celda((235, 200, 40)))),
        ("vidabaja.png", lienzo.png(celda((220, 40, 30)))),
        ("cielo.jpg", lienzo.jpeg(cielo())),
        ("texturaSuelo.jpg", lienzo.jpeg(suelo())),
        ("inicio_comenzar.png", lienzo.png(inicio(0))),
        ("inicio_salir.png", lienzo.png(inicio(1))),
    ]
    salida += [("%d.png" % n, lienzo.png(digito(n))) for n in range(10)]
    salida += [("torre%d.png" % (n + 1), lienzo.png(etiqueta(n + 1))) for n in range(4)]
    for nombre, k in (("Continuar", 0), ("Velocidad", 1), ("Estados", 2), ("DirecyColor", 3)):
        salida.append(("MENU_Selecc_%s.jpg" % nombre, lienzo.jpeg(pagina(PAUSA[0], PAUSA[1], PAUSA[2], k), 92, True)))
    for nombre, k in (("Lento", 0), ("Normal", 1), ("Rapido", 2)):
        salida.append(("MENU_VELOCIDAD_%s.png" % nombre, lienzo.png(pagina(*VELOCIDAD, k))))
    for nombre, k in (("Wireframe", 0), ("Facet_Inter", 1), ("Texturas", 2)):
        salida.append(("MENU_ESTADOS_Selecc_%s.png" % nombre, lienzo.png(pagina(*ESTADOS, k))))
    for nombre, k in (("ROJO", 0), ("AZUL", 1), ("VERDE", 2), ("BLANCO", 3), ("DIREC", 4)):
        salida.append(("MENU_%s.png" % nombre, lienzo.png(pagina(*LUZ, k, caja=(110, 124, 530, 428)))))
    for k in range(3):
        salida.append(("torre%dd.jpg" % (k + 1), lienzo.jpeg(pagina_torres(k), 92, True)))
    return salida
