"""The games' sound effects: short 16-bit mono WAV files at 44100 Hz, synthesised from fixed seeds."""
import io
import math
import struct
import wave

from azar import Azar

FRECUENCIA = 44100
# Every effect ends with a fade of this long (a quarter of the shortest), so an end never clicks.
FUNDIDO = 0.02


def _n(segundos):
    return int(round(segundos * FRECUENCIA))


def silencio(segundos):
    return [0.0] * _n(segundos)


def ruido(azar, n):
    return [azar.real() * 2.0 - 1.0 for _ in range(n)]


def _coeficiente(corte):
    return 1.0 - math.exp(-2.0 * math.pi * corte / FRECUENCIA)


def paso_bajo(x, corte, circular=False):
    """One-pole low-pass; circular runs twice round the loop so its end meets its start."""
    a = _coeficiente(corte)
    y = 0.0
    salida = []
    for _ in range(2 if circular else 1):
        salida = []
        for v in x:
            y += a * (v - y)
            salida.append(y)
    return salida


def paso_alto(x, corte):
    return [v - b for v, b in zip(x, paso_bajo(x, corte))]


def banda(x, centros, q=4.0):
    """A state-variable band-pass whose centre follows the list `centros` (Hz, one per sample)."""
    bajo = banda_v = 0.0
    salida = []
    for v, fc in zip(x, centros):
        f = 2.0 * math.sin(math.pi * min(fc, FRECUENCIA / 6.0) / FRECUENCIA)
        alto = v - bajo - banda_v / q
        banda_v += f * alto
        bajo += f * banda_v
        salida.append(banda_v)
    return salida


def tono(n, f0, f1=None, armonicos=((1, 1.0),), fase=0.0):
    """Harmonics (multiple, amplitude) of a pitch sliding exponentially from f0 to f1 over n samples."""
    f1 = f0 if f1 is None else f1
    salida = []
    for i in range(n):
        salida.append(sum(a * math.sin(k * fase) for k, a in armonicos))
        f = f0 * (f1 / f0) ** (i / max(n - 1, 1))
        fase += 2.0 * math.pi * f / FRECUENCIA
    return salida


def envolvente(n, ataque, caida, espera=0.0):
    """A linear attack of `ataque` seconds, a hold of `espera`, then a decay of time constant `caida`."""
    na, ne = max(_n(ataque), 1), _n(espera)
    salida = []
    for i in range(n):
        if i < na:
            salida.append(i / na)
        elif i < na + ne:
            salida.append(1.0)
        else:
            salida.append(math.exp(-(i - na - ne) / (caida * FRECUENCIA)))
    return salida


def por(x, y):
    return [a * b for a, b in zip(x, y)]


def escala(x, k):
    return [v * k for v in x]


def poner(base, capa, inicio=0.0, peso=1.0):
    """Adds `capa` into `base` from `inicio` seconds on (whatever passes the end is dropped)."""
    desde = _n(inicio)
    for i, v in enumerate(capa[: max(len(base) - desde, 0)]):
        base[desde + i] += v * peso
    return base


def golpe(segundos, f0, f1, caida, azar=None, ruido_peso=0.0, corte=400.0):
    """A thump: a falling low tone, with some low-passed noise, decaying."""
    n = _n(segundos)
    capa = tono(n, f0, f1)
    if azar is not None and ruido_peso:
        capa = poner(capa, escala(paso_bajo(ruido(azar, n), corte), ruido_peso * 3.0))
    return por(capa, envolvente(n, 0.002, caida))


def chasquido(azar, segundos, caida, corte=2000.0):
    """A crack: high-passed noise dying fast."""
    n = _n(segundos)
    return por(paso_alto(ruido(azar, n), corte), envolvente(n, 0.0005, caida))


def crepitar(azar, segundos, cuantos, caida_total):
    """Sparse crackles, thinning out over time."""
    n = _n(segundos)
    capa = [0.0] * n
    for _ in range(cuantos):
        t = -caida_total * math.log(1.0 - azar.real() * 0.95)
        poner(capa, chasquido(azar, 0.012, 0.002, 1500.0), t, azar.rango(0.3, 1.0) * math.exp(-t / caida_total))
    return capa


def terminar(x, pico, bucle=False):
    """Scales to the given peak (of full scale); a one-shot also fades out over its last samples."""
    mayor = max(abs(v) for v in x) or 1.0
    x = [v * pico / mayor for v in x]
    if not bucle:
        nf = min(_n(FUNDIDO), len(x) // 4)
        for i in range(nf):
            x[len(x) - nf + i] *= (nf - 1 - i) / nf
    return x


def wav(x):
    datos = struct.pack("<%dh" % len(x), *(max(-32767, min(32767, int(round(v * 32767)))) for v in x))
    salida = io.BytesIO()
    with wave.open(salida, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(FRECUENCIA)
        w.writeframes(datos)
    return salida.getvalue()


# Each effect's own seed: changing one effect leaves the others' bytes alone.
def disparo():
    """Fenwar's cannon: a sharp crack over a short low thump."""
    azar = Azar(2901)
    x = silencio(0.28)
    poner(x, chasquido(azar, 0.1, 0.018, 2500.0), 0.0, 0.9)
    poner(x, golpe(0.28, 160.0, 55.0, 0.06, azar, 0.5, 700.0))
    return terminar(x, 0.8)


def bala():
    """A tower's bullet: a quick falling whistle."""
    azar = Azar(2902)
    n = _n(0.16)
    x = por(tono(n, 1700.0, 320.0, ((1, 1.0), (3, 0.25))), envolvente(n, 0.001, 0.045))
    poner(x, chasquido(azar, 0.02, 0.003, 3000.0), 0.0, 0.5)
    return terminar(x, 0.6)


def estallido():
    """A missile bursting in the air: a bright burst of noise with crackles."""
    azar = Azar(2903)
    n = _n(0.55)
    x = por(escala(paso_bajo(ruido(azar, n), 2200.0), 1.8), envolvente(n, 0.002, 0.13))
    poner(x, crepitar(azar, 0.55, 40, 0.18), 0.01, 0.8)
    poner(x, golpe(0.3, 120.0, 50.0, 0.06), 0.0, 0.25)
    return terminar(x, 0.72)


def impacto():
    """A missile striking a city: heavier, lower and longer than a burst in the air."""
    azar = Azar(2904)
    n = _n(0.75)
    x = por(paso_bajo(paso_bajo(ruido(azar, n), 700.0), 700.0), envolvente(n, 0.004, 0.18))
    x = escala(x, 7.0)
    poner(x, golpe(0.75, 90.0, 38.0, 0.2), 0.0, 0.9)
    poner(x, chasquido(azar, 0.06, 0.012, 1500.0), 0.0, 0.45)
    poner(x, crepitar(azar, 0.7, 18, 0.25), 0.05, 0.35)
    return terminar(x, 0.89)


def ciudad_cae():
    """A city falling: a rumble with blocks crashing down one after another."""
    azar = Azar(2905)
    n = _n(0.8)
    retumbo = paso_bajo(paso_bajo(ruido(azar, n), 300.0), 300.0)
    x = por(escala(retumbo, 6.0), envolvente(n, 0.06, 0.18, 0.1))
    t = 0.0
    for _ in range(9):
        t += azar.rango(0.04, 0.09)
        poner(x, golpe(0.2, azar.rango(90.0, 170.0), 45.0, 0.05, azar, 0.4, 900.0), t,
              0.8 * math.exp(-t / 0.5))
    grava = por(paso_alto(ruido(azar, n), 2500.0), envolvente(n, 0.05, 0.15, 0.1))
    poner(x, grava, 0.0, 0.12)
    return terminar(x, 0.85)


def motor():
    """The plane's engine: a buzzing drone that loops without a seam (whole cycles of every part)."""
    azar = Azar(2906)
    n = _n(0.5)
    # 96 Hz makes 48 cycles and the 12 Hz throb 6 in half a second.
    zumbido = tono(n, 96.0, None, tuple((k, 1.0 / k) for k in range(1, 8)))
    latido = [1.0 - 0.25 * (1.0 + math.cos(2.0 * math.pi * 12.0 * i / FRECUENCIA)) / 2.0 for i in range(n)]
    x = por(zumbido, latido)
    soplo = paso_bajo(ruido(azar, n), 900.0, circular=True)
    poner(x, escala(soplo, 3.0), 0.0, 0.5)
    return terminar(x, 0.5, bucle=True)


def avion_tocado():
    """The plane hit: a metallic clang."""
    azar = Azar(2907)
    n = _n(0.3)
    x = [0.0] * n
    for f, a, caida in ((430.0, 1.0, 0.12), (1180.0, 0.7, 0.08), (1710.0, 0.5, 0.06), (2630.0, 0.35, 0.04)):
        poner(x, por(tono(n, f, f * 0.99), envolvente(n, 0.001, caida)), 0.0, a)
    poner(x, chasquido(azar, 0.03, 0.004, 3000.0), 0.0, 0.8)
    return terminar(x, 0.7)


def avion_cae():
    """The plane's fall: a falling whine, then the crash."""
    azar = Azar(2908)
    n = _n(0.8)
    nc = _n(0.64)
    caida = tono(nc, 1100.0, 160.0, ((1, 1.0), (2, 0.3)))
    forma = [math.sin(math.pi * min(i / nc * 1.6, 1.0) / 2.0) * (1.0 - 0.4 * i / nc) for i in range(nc)]
    x = poner(silencio(0.8), por(caida, forma), 0.0, 0.55)
    poner(x, por(paso_bajo(ruido(azar, nc), 1200.0), forma), 0.0, 0.6)
    poner(x, golpe(0.16, 80.0, 35.0, 0.05, azar, 0.6, 500.0), 0.63, 1.0)
    poner(x, chasquido(azar, 0.05, 0.01, 1200.0), 0.63, 0.5)
    return terminar(x[:n], 0.8)


def _nota(segundos, f, caida, armonicos):
    n = _n(segundos)
    return por(tono(n, f, None, armonicos), envolvente(n, 0.005, caida))


def nivel_ganado():
    """A level won: a bright rising arpeggio."""
    x = silencio(0.62)
    brillo = ((1, 1.0), (2, 0.15), (3, 0.3))
    for k, f in enumerate((523.25, 659.25, 783.99, 1046.5)):
        poner(x, _nota(0.62 - 0.13 * k, f, 0.09 if k < 3 else 0.16, brillo), 0.13 * k)
    return terminar(x, 0.6)


def juego_perdido():
    """The game lost: a slow falling minor line ending on a low held note."""
    x = silencio(0.8)
    oscuro = ((1, 1.0), (2, 0.4))
    for k, f in enumerate((392.0, 311.13, 261.63)):
        poner(x, _nota(0.3, f, 0.12, oscuro), 0.15 * k)
        poner(x, _nota(0.3, f * 1.006, 0.12, oscuro), 0.15 * k, 0.5)
    poner(x, _nota(0.35, 130.81, 0.14, oscuro), 0.45, 1.2)
    return terminar(x, 0.6)


def viaje_torre():
    """Travel between towers: a whoosh whose pitch rises and falls."""
    azar = Azar(2909)
    n = _n(0.45)
    centros = [300.0 * (2500.0 / 300.0) ** math.sin(math.pi * i / n) for i in range(n)]
    forma = [math.sin(math.pi * i / n) ** 1.5 for i in range(n)]
    x = por(banda(ruido(azar, n), centros, 3.0), forma)
    return terminar(x, 0.55)


def torre_vacia():
    """A click on an empty tower: a short dry click, nothing fired."""
    azar = Azar(2910)
    n = _n(0.06)
    x = por(tono(n, 900.0), envolvente(n, 0.0005, 0.006))
    poner(x, por(tono(n, 2400.0), envolvente(n, 0.0005, 0.004)), 0.0, 0.5)
    poner(x, chasquido(azar, 0.01, 0.0015, 3000.0), 0.0, 0.8)
    return terminar(x, 0.5)


def menu_paso():
    """A step between menu entries: a soft tick."""
    n = _n(0.05)
    return terminar(por(tono(n, 1500.0), envolvente(n, 0.001, 0.01)), 0.4)


def menu_elegir():
    """A menu entry chosen: two rising notes."""
    x = silencio(0.2)
    poner(x, _nota(0.08, 880.0, 0.04, ((1, 1.0), (2, 0.2))))
    poner(x, _nota(0.13, 1318.5, 0.05, ((1, 1.0), (2, 0.2))), 0.07)
    return terminar(x, 0.45)


# File name and maker of every effect, in the order the games number them.
EFECTOS = [
    ("disparo.wav", disparo),
    ("bala.wav", bala),
    ("estallido.wav", estallido),
    ("impacto.wav", impacto),
    ("ciudad_cae.wav", ciudad_cae),
    ("motor.wav", motor),
    ("avion_tocado.wav", avion_tocado),
    ("avion_cae.wav", avion_cae),
    ("nivel_ganado.wav", nivel_ganado),
    ("juego_perdido.wav", juego_perdido),
    ("viaje_torre.wav", viaje_torre),
    ("torre_vacia.wav", torre_vacia),
    ("menu_paso.wav", menu_paso),
    ("menu_elegir.wav", menu_elegir),
]


def archivos():
    return [(nombre, wav(hacer())) for nombre, hacer in EFECTOS]
