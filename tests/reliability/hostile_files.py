"""Every data file of a game replaced by hostile input: missing, empty, truncated, garbage, the
wrong type, out-of-range values and huge counts. Each case starts the game on a private copy of
the assets, plays a little when a window opens (taking screenshots of its screens), closes it, and
checks what the case says happens: either the game stops at start-up with status 1, no window and
its one line, or it plays, ends with 0 and shows what the case says (what standard error says,
what the 3DS reader traced, which screens are drawn as with the shipped files, untextured or
changed). The shipped files are played first, as the reference. Run on the sanitized build, any memory fault or leak fails the case too.

    hostile_files.py GAME [--markdown]   (--markdown prints the table instead of running it)
"""

import argparse
import base64
import os
import random
import shutil
import struct
import sys
import time
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player import (CHECKER_BROKE, SANITIZER_REPORT, Game, XServer,  # noqa: E402
                    sanitizer_env)
from pictures import distinct_colours, quick_difference  # noqa: E402

GARBAGE = random.Random(8).randbytes(4096)
# The difficulty file the fuzzer found: it ends in 0xEE, the parser once read on past its end.
FOUND_DIFFICULTY = base64.b64decode(
    "PD94bWwgdmU9IlVURi04Ij8gY2FkYSBtaXNtaXNpLi0tPgo8ZGlmaWN1bHRhZD4KICA8Tm9ybWFsPgogICAgPHZhbG9y"
    "ZXMgcmFkX2NpdHk9Iv////////////////8wLjUiIHNlcGFyYWNpb25fY2l0eT0iLy44IiBkaWZpY3VsdGFkPSI1IiBp"
    "dKphdmlvbj0iMiIgaXQ9IjUiLz4KICA8L05vcm1hbD6MZGlmaWN1bHRhZD7u")


# --- what a case does to the assets folder ---
def missing(name):
    def change(folder):
        path = os.path.join(folder, name)
        shutil.rmtree(path) if os.path.isdir(path) else os.remove(path)
    return change


def content(name, data):
    def change(folder):
        mode = "wb" if isinstance(data, bytes) else "w"
        with open(os.path.join(folder, name), mode) as f:
            f.write(data)
    return change


def truncated(name, keep=0.5):
    def change(folder):
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            data = f.read()
        with open(path, "wb") as f:
            f.write(data[:int(len(data) * keep)])
    return change


def cut_in_a_character(name, before):
    """The shipped file up to the last `before`, then 0xEE: the first byte of a three-byte
    character that the file never finishes."""
    def change(folder):
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            data = f.read()
        with open(path, "wb") as f:
            f.write(data[:data.rindex(before)] + b"\xee")
    return change


def sparse(name, gib):
    """A file whose size says `gib` GiB, taking no room on the disk."""
    def change(folder):
        with open(os.path.join(folder, name), "wb") as f:
            f.truncate(gib << 30)
    return change


def directory(name):
    def change(folder):
        os.remove(os.path.join(folder, name))
        os.mkdir(os.path.join(folder, name))
    return change


def copied(source, name):
    def change(folder):
        shutil.copyfile(os.path.join(folder, source), os.path.join(folder, name))
    return change


def every(names, make):
    def change(folder):
        for n in names:
            make(n)(folder)
    return change


def png_claiming(width, height):
    """A PNG header for a huge picture followed by a few bytes of pixels."""
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(b"\0" * 300)) + chunk(b"IEND", b""))


def nested(root, depth):
    return f"<{root}>" + "<a>" * depth + "</a>" * depth + f"</{root}>"


def chunk3ds(ident, body):
    return struct.pack("<HI", ident, 6 + len(body)) + body


def mesh3ds(vertices, faces, claimed_vertices=None, claimed_faces=None):
    """A 3DS file of one object: its vertex list and face list may claim more than they hold."""
    v = struct.pack("<H", claimed_vertices if claimed_vertices is not None else len(vertices))
    v += b"".join(struct.pack("<fff", *p) for p in vertices)
    f = struct.pack("<H", claimed_faces if claimed_faces is not None else len(faces))
    f += b"".join(struct.pack("<HHHH", a, b, c, 0) for a, b, c in faces)
    mesh = chunk3ds(0x4110, v) + chunk3ds(0x4120, f)
    obj = chunk3ds(0x4000, b"hostil\0" + chunk3ds(0x4100, mesh))
    return chunk3ds(0x4D4D, chunk3ds(0x3D3D, obj))


def obj_model(vertices, faces):
    lines = [f"v {i % 7} {i % 11} {i % 13}" for i in range(vertices)]
    lines += ["vt 0 0", "vn 0 0 1"]
    lines += [f"f {i % vertices + 1}/1/1 {(i + 1) % vertices + 1}/1/1 {(i + 2) % vertices + 1}/1/1"
              for i in range(faces)]
    return "\n".join(lines) + "\n"


FENWAR_IMAGES = ["Brick_pattern2.jpg", "avion.jpg", "canon.png",
                 "JLGreebleProof-CorrelateIMG_0006.jpg",
                 "ralternatebluegalaxyprint_shop_preview.png", "morwicksp1.jpg", "menu.jpg",
                 "menu3.jpg", "fuego.jpg", "gameover.jpg"]

LEVELS = """<niveles><salud valor="{salud}"/>{ciudades}</niveles>
<torres><municion cant="{municion}"/><torre id="0" x="{x}" y="5" z="45"/>
<torre id="1" x="-45" y="5" z="-45"/><torre id="2" x="45" y="5" z="-45"/></torres>"""
CITIES = ('<ciudad lvl="1" id="0" x="-6" y="0" z="2"/><ciudad lvl="1" id="1" x="6" y="0" z="-2"/>'
          '<ciudad lvl="2" id="0" x="-8" y="0" z="0"/><ciudad lvl="2" id="1" x="0" y="0" z="8"/>'
          '<ciudad lvl="2" id="2" x="8" y="0" z="0"/><ciudad lvl="3" id="0" x="-9" y="0" z="-6"/>'
          '<ciudad lvl="3" id="1" x="9" y="0" z="-6"/><ciudad lvl="3" id="2" x="-7" y="0" z="8"/>'
          '<ciudad lvl="3" id="3" x="7" y="0" z="8"/>')


def levels(salud="10", municion="40", x="0", ciudades=CITIES):
    return LEVELS.format(salud=salud, municion=municion, x=x, ciudades=ciudades)


# --- what a case must show ---
# Parts of the screen the checks look at.
FENWAR_SKY, FENWAR_GROUND, FENWAR_CANNON = (0, 40, 640, 240), (0, 330, 640, 400), (290, 400, 350, 480)
TORVANE_SKY, TORVANE_AMMO, TORVANE_HUD = (300, 40, 640, 200), (280, 405, 520, 440), (0, 0, 260, 60)


def stops(line):
    """Stops at start-up: status 1, no window, and `line` alone on standard error."""
    def check(seen, reference):
        assert seen.status == 1, f"status {seen.status}, expected 1"
        assert not seen.window, "a window opened"
        assert seen.lines() == [line], seen.lines()[:5]
    check.stops = True
    check.outcome = f"status 1, no window: \"{line}\""
    return check


def plays(*checks):
    """Opens its window, plays, ends with status 0 when closed, and shows what `checks` say."""
    def check(seen, reference):
        assert seen.status == 0, f"status {seen.status}, expected 0: {seen.err[-2000:]}"
        assert seen.window, "no window opened"
        for c in checks:
            c(seen, reference)
    check.stops = False
    check.outcome = "plays, status 0"
    return check


def says(*lines):
    """Standard error holds exactly these lines (none: says nothing)."""
    def check(seen, _):
        assert seen.lines() == list(lines), seen.lines()[:5]
    return check


def says_for_each(template, values):
    """Standard error holds one line for each value, in order."""
    def check(seen, _):
        expected = [template.format(v) for v in values]
        got = seen.lines()
        assert got == expected, (len(got), got[:3], got[-3:])
    return check


def traces(*counts):
    """The 3DS reader's trace on standard output names these vertex and face counts, in order."""
    def check(seen, _):
        got = [line for line in seen.out.splitlines() if line.startswith("Number of")]
        assert got == list(counts), got
    return check


def vertices(n):
    return f"Number of vertices: {n}"


def faces(n):
    return f"Number of polygons: {n}"


def as_reference(shot, box=None):
    """The screenshot (or a box of it) is the one the shipped files give."""
    def check(seen, reference):
        d = quick_difference(seen.shots[shot], reference.shots[shot], box)
        assert d < 0.05, f"{shot} {box or ''} differs from the shipped files' picture by {d:.2f}"
    return check


def unlike_reference(shot, box=None, least=0.2):
    def check(seen, reference):
        d = quick_difference(seen.shots[shot], reference.shots[shot], box)
        assert d >= least, f"{shot} {box or ''} is the shipped files' picture (difference {d:.2f})"
    return check


def flat(shot, box=None):
    """Untextured: the screenshot (or a box of it) is one colour."""
    def check(seen, _):
        n = distinct_colours(seen.shots[shot], box)
        assert n == 1, f"{shot} {box or ''} shows {n} colours, expected one (untextured)"
    return check


def textured(shot, box=None, least=100):
    def check(seen, _):
        n = distinct_colours(seen.shots[shot], box)
        assert n >= least, f"{shot} {box or ''} shows only {n} colours: not textured"
    return check


# Missiles may be launched in the sky by the time of the first screenshot: the game screen is
# compared where they do not fly.
FENWAR_SAME = [as_reference("juego", FENWAR_GROUND), as_reference("juego", FENWAR_CANNON),
               as_reference("pausa"), as_reference("config")]
XML_ERROR = "Error al cargar el archivo xml dificultad.xml"
NO_DRONE = "No se pudo abrir el archivo Drone.obj"
CONFIG_ERROR = "Error en el archivo de configuración configuracion.xml: "
TORVANE_SAME = [as_reference(s) for s in ("inicio", "juego", "pausa", "fin")]
MISSILE, CUBE = [vertices(185), faces(168)], [vertices(120), faces(60)]
# Without the cube the cities and the other towers are not drawn; sky and HUD are untouched.
NO_CUBES = [unlike_reference("juego"), as_reference("juego", TORVANE_SKY),
            as_reference("juego", TORVANE_HUD)]

# (file, hostile input, change, what the game must show, what happens)
CASES = {
    "fenwar": [
        ("dificultad.xml", "missing", missing("dificultad.xml"), plays(says(XML_ERROR), *FENWAR_SAME),
         "says \"Error al cargar el archivo xml dificultad.xml\", plays with the built-in values"),
        ("dificultad.xml", "empty", content("dificultad.xml", ""),
         plays(says(XML_ERROR), *FENWAR_SAME), "the same message, built-in values"),
        ("dificultad.xml", "truncated", truncated("dificultad.xml"), plays(says(), *FENWAR_SAME),
         "no message (the parser accepts the cut comment), no settings found: built-in values"),
        ("dificultad.xml", "garbage bytes", content("dificultad.xml", GARBAGE),
         plays(says(XML_ERROR), *FENWAR_SAME), "the same message, built-in values"),
        ("dificultad.xml", "cut inside a character: the fuzzer's file, ending in 0xEE",
         content("dificultad.xml", FOUND_DIFFICULTY), plays(says(XML_ERROR), *FENWAR_SAME),
         "the same message, built-in values; nothing is read past the file"),
        ("dificultad.xml", "a directory", directory("dificultad.xml"),
         plays(says(XML_ERROR), *FENWAR_SAME), "the same message, built-in values"),
        ("dificultad.xml", "huge size: a sparse file of 64 GiB", sparse("dificultad.xml", 64),
         plays(says(XML_ERROR), *FENWAR_SAME),
         "refused from its size, before any read (the message above), built-in values"),
        ("dificultad.xml", "out-of-range values",
         content("dificultad.xml", '<d><Normal><v dificultad="0" rad_city="1e30" '
                 'separacion_city="-5" puntos_misil="99999999999" por_hit="-7" '
                 'dificultad_avion="-3" puntos_avion="nan"/></Normal></d>'),
         plays(says(), *FENWAR_SAME),
         "a level of 0 falls back to the built-in one, integers are clamped to their type, "
         "\"nan\" is not a number; the rest (huge cities, negative damage) is played as written"),
        ("dificultad.xml", "huge count: 200000 settings elements",
         content("dificultad.xml", "<d><Normal>" + '<v dificultad="3"/>' * 200000
                 + "</Normal></d>"), plays(says(), *FENWAR_SAME),
         "reads them all, the last value wins"),
        ("dificultad.xml", "nested 100000 deep", content("dificultad.xml", nested("d", 100000)),
         plays(says(XML_ERROR), *FENWAR_SAME),
         "refused as too deeply nested (the message above), built-in values"),
        ("Drone.obj", "missing", missing("Drone.obj"), stops(NO_DRONE),
         "\"No se pudo abrir el archivo Drone.obj\", no window"),
        ("Drone.obj", "huge size: a sparse file of 64 GiB", sparse("Drone.obj", 64),
         stops(NO_DRONE), "refused from its size, before any read: the same message, no window"),
        ("Drone.obj", "a directory", directory("Drone.obj"), stops(NO_DRONE),
         "the same message, no window"),
        ("Drone.obj", "empty", content("Drone.obj", ""), plays(says(), *FENWAR_SAME),
         "plays; the plane has no faces"),
        ("asca.obj", "truncated", truncated("asca.obj"), plays(says(), *FENWAR_SAME),
         "plays; faces cut short or naming lost vertices are dropped"),
        ("asca.obj", "garbage bytes", content("asca.obj", GARBAGE), plays(says(), *FENWAR_SAME),
         "plays; nothing recognisable is kept"),
        ("asca.obj", "out-of-range indices",
         content("asca.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n"
                 "f 1/1/1 2/1/1 9/1/1\nf 0/1/1 2/1/1 3/1/1\nf -1/1/1 2/1/1 3/1/1\n"
                 "f 1/1/1 2/1/1 99999999999/1/1\nf 1/1/1 2/1/1 3/1/1\n"),
         plays(says(), *FENWAR_SAME), "plays; only the face inside the lists is kept"),
        ("Drone.obj", "huge counts: 300000 vertices, 300000 faces",
         content("Drone.obj", obj_model(300000, 300000)), plays(says(), *FENWAR_SAME),
         "plays, slower while the plane is drawn"),
        ("pictures", "all ten missing", every(FENWAR_IMAGES, missing),
         plays(says(), flat("juego", FENWAR_GROUND), unlike_reference("juego", FENWAR_SKY),
               flat("pausa"), flat("config")),
         "plays with untextured surfaces (the ground one colour) and one-colour menus"),
        ("menu.jpg", "garbage bytes", content("menu.jpg", GARBAGE),
         plays(says(), flat("pausa"), *FENWAR_SAME[:2], as_reference("config")),
         "the pause screen is one colour; the rest as shipped"),
        ("Brick_pattern2.jpg", "truncated", truncated("Brick_pattern2.jpg"),
         plays(says(), unlike_reference("juego", FENWAR_CANNON),
               textured("juego", FENWAR_CANNON), as_reference("juego", FENWAR_GROUND)),
         "the decoder keeps what it could read: the cannon is textured, differently"),
        ("canon.png", "wrong type: a JPEG named .png", copied("avion.jpg", "canon.png"),
         plays(says(), unlike_reference("juego", FENWAR_CANNON, least=3),
               as_reference("juego", FENWAR_GROUND)),
         "not decoded: the cannon is untextured"),
        ("fuego.jpg", "a directory", directory("fuego.jpg"), plays(says(), *FENWAR_SAME),
         "bursts untextured; the screens as shipped"),
        ("gameover.jpg", "huge dimensions: a 20000 x 20000 header",
         content("gameover.jpg", png_claiming(20000, 20000)), plays(says(), *FENWAR_SAME),
         "not decoded (a PNG under a JPEG name): an untextured game-over screen"),
        ("canon.png", "huge dimensions: a 20000 x 20000 header",
         content("canon.png", png_claiming(20000, 20000)),
         plays(says(), unlike_reference("juego", FENWAR_CANNON, least=3),
               as_reference("juego", FENWAR_GROUND)),
         "not decoded, or too big for GL: the cannon is untextured"),
    ],
    "torvane": [
        ("configuracion.xml", "missing", missing("configuracion.xml"),
         stops(CONFIG_ERROR + "no se pudo abrir (No such file or directory)"),
         "one line naming the file (cannot be opened), no window"),
        ("configuracion.xml", "empty", content("configuracion.xml", ""),
         stops(CONFIG_ERROR + "no es XML válido: no contiene ningún elemento"),
         "one line: the file has no elements"),
        ("configuracion.xml", "truncated", truncated("configuracion.xml"),
         stops(CONFIG_ERROR + "no es XML válido en la línea 9: Error parsing Element"),
         "one line: not XML, with the line"),
        ("configuracion.xml", "garbage bytes", content("configuracion.xml", GARBAGE),
         stops(CONFIG_ERROR + "no es XML válido: no contiene ningún elemento"),
         "one line: not XML"),
        ("configuracion.xml", "cut inside a character: ending in 0xEE",
         cut_in_a_character("configuracion.xml", b"</torres>"),
         stops(CONFIG_ERROR + "no es XML válido: Error reading Element value"),
         "one line: not XML, with no line (the fault is at the very end); nothing is read past "
         "the file"),
        ("configuracion.xml", "a directory", directory("configuracion.xml"),
         stops(CONFIG_ERROR + "no se pudo leer"), "one line: cannot be read"),
        ("configuracion.xml", "huge size: a sparse file of 64 GiB", sparse("configuracion.xml", 64),
         stops(CONFIG_ERROR + "es demasiado grande (más de 1024 MB)"),
         "one line: too big, refused from its size before any read"),
        ("configuracion.xml", "wrong types: words for numbers",
         content("configuracion.xml", levels(salud="mucha", municion="diez", x="lejos")),
         plays(says(), unlike_reference("juego", TORVANE_AMMO, least=10)),
         "decimal numbers only: words count as 0 (cities of no health, towers with no shots)"),
        ("configuracion.xml", "out-of-range values",
         content("configuracion.xml", levels(salud="-5", municion="1e12", x="nan",
                                             ciudades=CITIES + '<ciudad lvl="99" id="-4" '
                                             'x="150" y="0" z="0"/>')),
         plays(says("configuracion.xml: se ignora el nivel 99")),
         "level 99 is named on standard error and ignored; \"nan\" is not a number (0); the rest "
         "is played"),
        ("configuracion.xml", "huge number: 1e39",
         content("configuracion.xml", levels(x="1e39")),
         stops(CONFIG_ERROR + "el atributo x del elemento torre (línea 2) es un número "
               "demasiado grande"), "one line: the number on line 2 is too large"),
        ("configuracion.xml", "far city: 1000 units out",
         content("configuracion.xml", levels(ciudades=CITIES + '<ciudad lvl="2" id="0" '
                                             'x="1000" y="0" z="0"/>')),
         stops(CONFIG_ERROR + "la posición del elemento ciudad (línea 1) está a más de 200 "
               "unidades del origen"),
         "one line: a city no tower sees and no missile reaches, whose level would never end"),
        ("configuracion.xml", "missing tower", content("configuracion.xml", levels().replace(
            '<torre id="2" x="45" y="5" z="-45"/>', "")),
         stops(CONFIG_ERROR + "falta la torre de id 2"), "one line: tower 2 is missing"),
        ("configuracion.xml", "huge count: 20000 cities",
         content("configuracion.xml", levels(ciudades=CITIES + "".join(
             f'<ciudad lvl="1" id="{i}" x="{i % 50}" y="0" z="{i % 37}"/>'
             for i in range(2, 20000)))),
         plays(says_for_each("configuracion.xml: se ignora la ciudad {} del nivel 1",
                             range(2, 20000))),
         "cities beyond the level's own ids are named on standard error and never played"),
        ("configuracion.xml", "nested 100000 deep",
         content("configuracion.xml", nested("niveles", 100000)),
         stops(CONFIG_ERROR + "no es XML válido: anida elementos a más de 256 niveles"),
         "one line: too deeply nested"),
        ("missile.3DS", "missing", missing("missile.3DS"),
         plays(says(), traces(*CUBE), *TORVANE_SAME),
         "plays; missiles and bullets have no mesh (nothing drawn)"),
        ("missile.3DS", "empty", content("missile.3DS", b""),
         plays(says(), traces(*CUBE), *TORVANE_SAME), "plays; empty mesh"),
        ("cubo.3DS", "truncated", truncated("cubo.3DS"),
         plays(says(), traces(*MISSILE, vertices(120)), *NO_CUBES),
         "plays; the vertices before the cut are kept, the face list cut short ends the walk: "
         "no cube is drawn"),
        ("cubo.3DS", "garbage bytes", content("cubo.3DS", GARBAGE),
         plays(says(), traces(*MISSILE), *NO_CUBES),
         "plays; a chunk to skip with an impossible length ends the walk: empty mesh"),
        ("cubo.3DS", "a directory", directory("cubo.3DS"),
         plays(says(), traces(*MISSILE), *NO_CUBES), "plays; empty mesh"),
        ("cubo.3DS", "huge size: a sparse file of 2 GiB", sparse("cubo.3DS", 2),
         plays(says(), traces(*MISSILE), *NO_CUBES),
         "plays; refused from its size before any read: empty mesh"),
        ("missile.3DS", "out-of-range face corners",
         content("missile.3DS", mesh3ds([(0, 0, 0), (1, 0, 0), (0, 1, 0)],
                                        [(0, 1, 2), (0, 1, 60000)])),
         plays(says(), traces(vertices(3), faces(2), *CUBE), *TORVANE_SAME),
         "plays; both faces are kept, the one naming a missing vertex is not drawn"),
        ("cubo.3DS", "huge counts: 65535 vertices and faces claimed",
         content("cubo.3DS", mesh3ds([(0, 0, 0)] * 9000, [(0, 0, 0)] * 10,
                                     claimed_vertices=65535, claimed_faces=65535)),
         plays(says(), traces(*MISSILE, vertices(8000)), *NO_CUBES),
         "plays; the vertex list is cut at 8000 entries and the face list runs past the end: "
         "no faces"),
        ("texturas/", "missing folder", missing("texturas"),
         plays(says(), traces(*MISSILE, *CUBE), flat("inicio"), flat("pausa"), flat("fin"),
               flat("juego", TORVANE_AMMO), unlike_reference("juego", TORVANE_SKY, least=10)),
         "plays with one-colour screens, HUD and scene"),
        ("texturas/gameover.png", "garbage bytes", content("texturas/gameover.png", GARBAGE),
         plays(says(), flat("fin"), as_reference("inicio"), as_reference("juego")),
         "a one-colour game-over screen; the rest as shipped"),
        ("texturas/cielo.jpg", "truncated", truncated("texturas/cielo.jpg"),
         plays(says(), unlike_reference("juego", TORVANE_SKY, least=3),
               textured("juego", TORVANE_SKY), as_reference("juego", TORVANE_HUD),
               as_reference("inicio")),
         "the decoder keeps what it could read: a different, still textured sky"),
        ("texturas/inicio_comenzar.png", "wrong type: a JPEG named .png",
         copied("texturas/cielo.jpg", "texturas/inicio_comenzar.png"),
         plays(says(), flat("inicio"), as_reference("juego")),
         "not decoded: a one-colour start screen"),
        ("texturas/bala.png", "huge dimensions: a 20000 x 20000 header",
         content("texturas/bala.png", png_claiming(20000, 20000)),
         plays(says(), flat("juego", TORVANE_AMMO), as_reference("juego", TORVANE_SKY),
               as_reference("inicio")),
         "not decoded, or too big for GL: the ammunition row is one colour"),
    ],
}

# What a case plays once the window is open: keys (each taken by the game before the next), waits
# of some frames, and screenshots kept by name, taken at once ("shot": missiles may be flying) or
# once the screen has stood still ("still": the menus).
PLAY = {"fenwar": [("shot", "juego"), "Left", "Up", "p", ("still", "pausa"), "c",
                   ("still", "config"), "w", "p", "p"],
        "torvane": [("still", "inicio"), "Return", ("frames", 20), ("shot", "juego"), "2", "p",
                    ("still", "pausa"), "Down", "Return", "Return", "1", "Escape",
                    ("still", "fin")]}


def new_screen(game):
    """The screen the keys so far led to, once it is drawn and stands still."""
    return game.wait_still(limit=0.01)


class Seen:
    """What one run of a case showed: exit status, standard output and error, whether a window
    opened, and the screenshots PLAY names."""

    def __init__(self):
        self.status = None
        self.out = ""
        self.err = ""
        self.window = False
        self.shots = {}

    def lines(self):
        return self.err.strip().splitlines()


def utf8(text):
    """The harness reads the games' output byte for byte (latin-1); the games write UTF-8."""
    try:
        return text.encode("latin-1").decode("utf-8")
    except UnicodeError:
        return text


def run_case(x, game_name, change, stops):
    """Runs one case and returns what it showed; `stops` is True when the game must stop at
    start-up without a window. A sanitizer report or a leak checker that could not run fails it."""
    seen = Seen()
    # The aiming cross follows the pointer: every run starts with it at the same place.
    x.xdotool("mousemove", 320, 240)
    # The libraries are kept loaded to the end, so that the leak checker can name them.
    with Game(game_name, x, prepare=change, preload=("keep_libraries",)) as game:
        if stops:
            seen.status = game.wait_exit(120)
            seen.window = bool(x.top_windows())
        else:
            game.wait_for_picture(timeout=120)
            seen.window = True
            game.drawn()
            for step in PLAY[game_name]:
                assert game.running(), game.stderr()[-3000:]
                if isinstance(step, str):
                    game.key(step)
                elif step[0] == "frames":
                    game.wait_frames(step[1])
                elif step[0] == "still":
                    seen.shots[step[1]] = new_screen(game)
                else:
                    seen.shots[step[1]] = game.screenshot()
            game.click(320, 240)
            game.drag(300, 240, 360, 200, button=3, steps=4)
            game.drawn()
            game.close_request()
            # Keys still queued are handled one a frame: a slow model (300000 faces under the
            # sanitizers) takes a while to get to the close request.
            seen.status = game.wait_exit(300)
        seen.out = utf8(game.stdout())
        seen.err = utf8(game.stderr())
    assert seen.status is not None, "the game did not end"
    assert not SANITIZER_REPORT.search(seen.err), seen.err[-6000:]
    assert CHECKER_BROKE not in seen.err, ("the leak checker could not run (its thread tracer "
                                           "broke down): " + seen.err[-3000:])
    return seen


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("game", choices=sorted(CASES))
    parser.add_argument("--markdown", action="store_true")
    args = parser.parse_args()
    cases = CASES[args.game]
    if args.markdown:
        for file, hostile, _, expect, what in cases:
            print(f"| {file} | {hostile} | {what} | {expect.outcome} |")
        return 0

    here = os.path.dirname(os.path.abspath(__file__))
    os.environ.update(sanitizer_env(os.environ.get("LSAN_SUPPRESSIONS",
                                                   os.path.join(here, "lsan.supp"))))
    failures = 0
    with XServer() as x:
        # What the shipped files show, to compare every case with.
        reference = run_case(x, args.game, None, False)
        plays()(reference, reference)
        for file, hostile, change, expect, _ in cases:
            start = time.time()
            try:
                expect(run_case(x, args.game, change, expect.stops), reference)
                print(f"ok   {file}: {hostile} ({time.time() - start:.1f} s)", flush=True)
            except Exception as error:  # one case failing must not hide the others
                failures += 1
                print(f"FAIL {file}: {hostile}: {error!r}"[:6000], flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
