"""Every data file of a game replaced by hostile input: missing, empty, truncated, garbage, the
wrong type, out-of-range values and huge counts. Each case starts the game on a private copy of
the assets, plays a little when a window opens, closes it, and checks the outcome the table says:
either the game plays on and ends with 0, or it stops at start-up with status 1 and one line naming
the file. Run on the sanitized build, any memory fault or leak fails the case too.

    hostile_files.py GAME [--markdown]   (--markdown prints the table instead of running it)
"""

import argparse
import os
import random
import shutil
import struct
import sys
import time
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player import CHECKER_BROKE, SANITIZER_REPORT, Game, XServer, play_hooks  # noqa: E402

GARBAGE = random.Random(8).randbytes(4096)


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


PLAYS = "plays"
# (file, hostile input, change, expected: PLAYS or (status, text on standard error), what happens)
CASES = {
    "fenwar": [
        ("dificultad.xml", "missing", missing("dificultad.xml"), PLAYS,
         "says \"Error al cargar el archivo xml dificultad.xml\", plays with the built-in values"),
        ("dificultad.xml", "empty", content("dificultad.xml", ""), PLAYS,
         "the same message, built-in values"),
        ("dificultad.xml", "truncated", truncated("dificultad.xml"), PLAYS,
         "no message (the parser accepts the cut comment), no settings found: built-in values"),
        ("dificultad.xml", "garbage bytes", content("dificultad.xml", GARBAGE), PLAYS,
         "the same message, built-in values"),
        ("dificultad.xml", "a directory", directory("dificultad.xml"), PLAYS,
         "the same message, built-in values"),
        ("dificultad.xml", "out-of-range values",
         content("dificultad.xml", '<d><Normal><v dificultad="0" rad_city="1e30" '
                 'separacion_city="-5" puntos_misil="99999999999" por_hit="-7" '
                 'dificultad_avion="-3" puntos_avion="nan"/></Normal></d>'), PLAYS,
         "a level of 0 falls back to the built-in one, integers are clamped to their type, "
         "\"nan\" is not a number; the rest (huge cities, negative damage) is played as written"),
        ("dificultad.xml", "huge count: 200000 settings elements",
         content("dificultad.xml", "<d><Normal>" + '<v dificultad="3"/>' * 200000
                 + "</Normal></d>"), PLAYS, "reads them all, the last value wins"),
        ("dificultad.xml", "nested 100000 deep", content("dificultad.xml", nested("d", 100000)),
         PLAYS, "refused as too deeply nested (the message above), built-in values"),
        ("Drone.obj", "missing", missing("Drone.obj"), (1, "Drone.obj"),
         "\"No se pudo abrir el archivo Drone.obj\", status 1"),
        ("Drone.obj", "a directory", directory("Drone.obj"), (1, "Drone.obj"),
         "the same message, status 1"),
        ("Drone.obj", "empty", content("Drone.obj", ""), PLAYS, "plays; the plane has no faces"),
        ("asca.obj", "truncated", truncated("asca.obj"), PLAYS,
         "plays; faces cut short or naming lost vertices are dropped"),
        ("asca.obj", "garbage bytes", content("asca.obj", GARBAGE), PLAYS,
         "plays; nothing recognisable is kept"),
        ("asca.obj", "out-of-range indices",
         content("asca.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n"
                 "f 1/1/1 2/1/1 9/1/1\nf 0/1/1 2/1/1 3/1/1\nf -1/1/1 2/1/1 3/1/1\n"
                 "f 1/1/1 2/1/1 99999999999/1/1\nf 1/1/1 2/1/1 3/1/1\n"), PLAYS,
         "plays; only the face inside the lists is kept"),
        ("Drone.obj", "huge counts: 300000 vertices, 300000 faces",
         content("Drone.obj", obj_model(300000, 300000)), PLAYS, "plays, slower while drawn"),
        ("pictures", "all ten missing", every(FENWAR_IMAGES, missing), PLAYS,
         "plays with untextured (white) surfaces and menus"),
        ("menu.jpg", "garbage bytes", content("menu.jpg", GARBAGE), PLAYS,
         "the pause screen is untextured"),
        ("Brick_pattern2.jpg", "truncated", truncated("Brick_pattern2.jpg"), PLAYS,
         "the decoder keeps what it could read"),
        ("canon.png", "wrong type: a JPEG named .png", copied("avion.jpg", "canon.png"), PLAYS,
         "not decoded: untextured"),
        ("fuego.jpg", "a directory", directory("fuego.jpg"), PLAYS, "untextured"),
        ("gameover.jpg", "huge dimensions: a 20000 x 20000 header",
         content("gameover.jpg", png_claiming(20000, 20000)), PLAYS,
         "not decoded (a PNG under a JPEG name): untextured"),
        ("canon.png", "huge dimensions: a 20000 x 20000 header",
         content("canon.png", png_claiming(20000, 20000)), PLAYS,
         "not decoded, or too big for GL: untextured"),
    ],
    "torvane": [
        ("configuracion.xml", "missing", missing("configuracion.xml"), (1, "configuracion.xml"),
         "one line naming the file (cannot be opened), status 1, no window"),
        ("configuracion.xml", "empty", content("configuracion.xml", ""), (1, "configuracion.xml"),
         "one line: the file has no elements, status 1"),
        ("configuracion.xml", "truncated", truncated("configuracion.xml"),
         (1, "configuracion.xml"), "one line: not XML, status 1"),
        ("configuracion.xml", "garbage bytes", content("configuracion.xml", GARBAGE),
         (1, "configuracion.xml"), "one line: not XML, status 1"),
        ("configuracion.xml", "a directory", directory("configuracion.xml"),
         (1, "configuracion.xml"), "one line: cannot be read, status 1"),
        ("configuracion.xml", "wrong types: words for numbers",
         content("configuracion.xml", levels(salud="mucha", municion="diez", x="lejos")), PLAYS,
         "decimal numbers only: words count as 0 (cities of no health, towers with no shots)"),
        ("configuracion.xml", "out-of-range values",
         content("configuracion.xml", levels(salud="-5", municion="1e12", x="nan",
                                             ciudades=CITIES + '<ciudad lvl="99" id="-4" '
                                             'x="1e30" y="0" z="0"/>')), PLAYS,
         "level 99 and id -4 are named on standard error and ignored; \"nan\" is not a number "
         "(0); the rest is played"),
        ("configuracion.xml", "huge number: 1e39",
         content("configuracion.xml", levels(x="1e39")), (1, "configuracion.xml"),
         "one line: the number on line 2 is too large, status 1"),
        ("configuracion.xml", "missing tower", content("configuracion.xml", levels().replace(
            '<torre id="2" x="45" y="5" z="-45"/>', "")), (1, "configuracion.xml"),
         "one line: tower 2 is missing, status 1"),
        ("configuracion.xml", "huge count: 20000 cities",
         content("configuracion.xml", levels(ciudades=CITIES + "".join(
             f'<ciudad lvl="1" id="{i}" x="{i % 50}" y="0" z="{i % 37}"/>'
             for i in range(2, 20000)))), PLAYS,
         "cities beyond the level's own ids are named on standard error and never played"),
        ("configuracion.xml", "nested 100000 deep",
         content("configuracion.xml", nested("niveles", 100000)), (1, "configuracion.xml"),
         "one line: too deeply nested, status 1"),
        ("missile.3DS", "missing", missing("missile.3DS"), PLAYS,
         "plays; missiles have no mesh (nothing drawn)"),
        ("missile.3DS", "empty", content("missile.3DS", b""), PLAYS, "plays; empty mesh"),
        ("cubo.3DS", "truncated", truncated("cubo.3DS"), PLAYS,
         "plays; the vertices before the cut are kept, the list cut short ends the walk"),
        ("cubo.3DS", "garbage bytes", content("cubo.3DS", GARBAGE), PLAYS,
         "plays; a chunk to skip with an impossible length, or a list cut short, ends the walk"),
        ("cubo.3DS", "a directory", directory("cubo.3DS"), PLAYS, "plays; empty mesh"),
        ("missile.3DS", "out-of-range face corners",
         content("missile.3DS", mesh3ds([(0, 0, 0), (1, 0, 0), (0, 1, 0)],
                                        [(0, 1, 2), (0, 1, 60000)])), PLAYS,
         "plays; the face naming a missing vertex is not drawn"),
        ("cubo.3DS", "huge counts: 65535 vertices and faces claimed",
         content("cubo.3DS", mesh3ds([(0, 0, 0)] * 9000, [(0, 0, 0)] * 10,
                                     claimed_vertices=65535, claimed_faces=65535)), PLAYS,
         "plays; lists are cut at 8000 entries and at the end of the data"),
        ("texturas/", "missing folder", missing("texturas"), PLAYS,
         "plays with untextured (white) menus, HUD and scene"),
        ("texturas/gameover.png", "garbage bytes", content("texturas/gameover.png", GARBAGE),
         PLAYS, "untextured game-over screen"),
        ("texturas/cielo.jpg", "truncated", truncated("texturas/cielo.jpg"), PLAYS,
         "the decoder keeps what it could read"),
        ("texturas/inicio_comenzar.png", "wrong type: a JPEG named .png",
         copied("texturas/cielo.jpg", "texturas/inicio_comenzar.png"), PLAYS,
         "not decoded: untextured start screen"),
        ("texturas/bala.png", "huge dimensions: a 20000 x 20000 header",
         content("texturas/bala.png", png_claiming(20000, 20000)), PLAYS,
         "not decoded, or too big for GL: untextured"),
    ],
}

# Keys that play a little of each game once its window is open.
PLAY = {"fenwar": ["Left", "Up", "p", "c", "w", "p", "p"],
        "torvane": ["Return", "2", "p", "Down", "Return", "Return", "1"]}


def run_case(x, game_name, change, expected):
    with Game(game_name, x, prepare=change) as game:
        if expected != PLAYS:
            status = game.wait_exit(60)
            err = game.stderr()
            lines = err.strip().splitlines()
            assert status == expected[0], (status, err[-3000:])
            assert lines and expected[1] in lines[0], err[-3000:]
            return f"status {status}: {lines[0]}"
        game.wait_for_window(60)
        time.sleep(1.0)
        for name in PLAY[game_name]:
            assert game.running(), game.stderr()[-3000:]
            game.key(name, pause=0.1)
        game.click(320, 240)
        game.drag(300, 240, 360, 200, button=3, steps=4)
        time.sleep(0.5)
        game.close_request()
        status = game.wait_exit(60)
        err = game.stderr()
        assert status == 0, (status, err[-3000:])
        assert not SANITIZER_REPORT.search(err), err[-6000:]
        first = err.strip().splitlines()[:1]
        return "plays, status 0" + (f"; says: {first[0][:80]}" if first else "")


def sanitizer_env():
    here = os.path.dirname(os.path.abspath(__file__))
    suppressions = os.environ.get("LSAN_SUPPRESSIONS", os.path.join(here, "lsan.supp"))
    # A huge allocation asked by the image decoder fails as it would without the sanitizer. The
    # hooks keep the GL driver loaded so the leak checker can name it.
    env = {"ASAN_OPTIONS": "halt_on_error=1:detect_leaks=1:allocator_may_return_null=1:"
                           "verify_asan_link_order=0",
           "UBSAN_OPTIONS": "halt_on_error=1:print_stacktrace=1",
           "LSAN_OPTIONS": f"suppressions={suppressions}:print_suppressions=0"}
    if play_hooks():
        env["LD_PRELOAD"] = play_hooks()
    return env


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("game", choices=sorted(CASES))
    parser.add_argument("--markdown", action="store_true")
    args = parser.parse_args()
    cases = CASES[args.game]
    if args.markdown:
        for file, hostile, _, expected, what in cases:
            outcome = "plays, status 0" if expected == PLAYS else f"status {expected[0]}"
            print(f"| {file} | {hostile} | {what} | {outcome} |")
        return 0

    os.environ.update(sanitizer_env())
    failures = 0
    with XServer() as x:
        for file, hostile, change, expected, _ in cases:
            start = time.time()
            try:
                try:
                    seen = run_case(x, args.game, change, expected)
                except AssertionError as error:
                    if CHECKER_BROKE not in str(error):
                        raise
                    seen = run_case(x, args.game, change, expected) + " (leak checker retried)"
                print(f"ok   {file}: {hostile} ({time.time() - start:.1f} s) {seen}", flush=True)
            except Exception as error:  # one case failing must not hide the others
                failures += 1
                print(f"FAIL {file}: {hostile}: {error!r}"[:6000], flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
