#!/usr/bin/python3
"""Plays the installed Fenwar and Torvane under the X server that xvfb-run started: each game is
seen to draw its textured first picture and is left as a player leaves it; hostile data files in a
scratch copy of the data folder give the games' messages.

Usage: juegos.py arranque | archivos-hostiles
Only what the packages installed is run: the launchers in /usr/games and the programs in
/usr/lib/games/fenwar-torvane, never the source tree.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

from PIL import Image, ImageChops, ImageStat
from Xlib import X, Xatom, display, protocol

LAUNCHERS = "/usr/games"
PROGRAMS = "/usr/lib/games/fenwar-torvane"
DATA = "/usr/share/games/fenwar-torvane"
WIDTH, HEIGHT = 640, 480
SCRATCH = os.environ.get("AUTOPKGTEST_TMP") or tempfile.mkdtemp(prefix="juegos-")
# The pictures seen are kept where autopkgtest collects what a run leaves behind.
PICTURES = os.environ.get("AUTOPKGTEST_ARTIFACTS") or SCRATCH
DIFFICULTY_MESSAGE = "Error al cargar el archivo xml dificultad.xml"


class Fault(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Fault(message)


class Screen:
    """The X server's screen: what it shows, its game windows, and keys typed into it."""

    def __init__(self):
        self.xlib = display.Display()
        self.root = self.xlib.screen().root

    def picture(self):
        raw = self.root.get_image(0, 0, WIDTH, HEIGHT, X.ZPixmap, 0xFFFFFFFF)
        return Image.frombytes("RGB", (WIDTH, HEIGHT), raw.data, "raw", "BGRX")

    def windows(self):
        """Mapped top-level windows that take part in WM_DELETE_WINDOW: the game's."""
        protocols = self.xlib.intern_atom("WM_PROTOCOLS")
        found = []
        for window in self.root.query_tree().children:
            try:
                if (window.get_attributes().map_state == X.IsViewable
                        and window.get_full_property(protocols, Xatom.ATOM) is not None):
                    found.append(window)
            except Exception:  # gone while looked at
                continue
        return found

    def close_button(self):
        """What a window manager sends when the window's close button is pressed."""
        protocols = self.xlib.intern_atom("WM_PROTOCOLS")
        delete = self.xlib.intern_atom("WM_DELETE_WINDOW")
        for window in self.windows():
            window.send_event(protocol.event.ClientMessage(
                window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0])))
        self.xlib.flush()

    @staticmethod
    def keys(*names):
        for name in names:
            subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=True)
            time.sleep(0.4)


class Run:
    """One run of a game, its output kept in files of the scratch folder."""

    def __init__(self, label, command, cwd):
        home = os.path.join(SCRATCH, "home-" + label)
        os.makedirs(home, exist_ok=True)
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_DATA_HOME=os.path.join(home, ".local", "share"),
                   LIBGL_ALWAYS_SOFTWARE="1", SDL_AUDIODRIVER="dummy")
        self.label = label
        self.err_path = os.path.join(SCRATCH, label + ".stderr")
        with open(os.path.join(SCRATCH, label + ".stdout"), "wb") as out, \
                open(self.err_path, "wb") as err:
            self.process = subprocess.Popen(command, cwd=cwd, env=env, stdin=subprocess.DEVNULL,
                                            stdout=out, stderr=err)

    def stderr(self):
        with open(self.err_path, "rb") as f:
            return f.read().decode("utf-8", "replace")

    def status(self, timeout):
        """The exit status, or a fault when the game still runs after `timeout` seconds."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            raise Fault(f"{self.label}: still running after {timeout} s")

    def wait_for(self, screen, looks_right, what, timeout=60):
        """The first picture that looks right, or a fault (the last picture is kept)."""
        end = time.time() + timeout
        while time.time() < end:
            if self.process.poll() is not None:
                raise Fault(f"{self.label}: ended with {self.process.returncode} before {what}:"
                            f"\n{self.stderr()}")
            if screen.windows():
                shot = screen.picture()
                if looks_right(shot):
                    shot.save(os.path.join(PICTURES, self.label + ".png"))
                    return shot
            time.sleep(0.25)
        screen.picture().save(os.path.join(PICTURES, self.label + "-fallo.png"))
        self.process.kill()
        raise Fault(f"{self.label}: {what} never showed (last picture in {PICTURES})")


def distinct_colours(picture, box):
    return len(set(picture.crop(box).getdata()))


def mean_colour(picture, box):
    return tuple(ImageStat.Stat(picture.crop(box)).mean)


def fenwar_field(shot):
    """The game screen: a ground picture (many greens) under a starry sky picture, and the score
    in green bars at the top left."""
    ground = (0, 320, 640, 480)
    red, green, blue = mean_colour(shot, ground)
    score = shot.crop((10, 6, 214, 28))
    bars = sum(1 for r, g, b in score.getdata() if g > 200 and r < 90 and b < 90)
    return (distinct_colours(shot, ground) > 300 and distinct_colours(shot, (0, 80, 640, 260)) > 100
            and green > max(red, blue) and bars > 20)


def torvane_start(data):
    """The start screen: its picture of the data folder, over the whole window."""
    start = Image.open(os.path.join(data, "texturas", "inicio_comenzar.png")).convert("RGB")
    start = start.resize((WIDTH, HEIGHT))

    def looks_right(shot):
        difference = sum(ImageStat.Stat(ImageChops.difference(shot, start)).mean) / 3
        return difference < 12 and distinct_colours(shot, (0, 0, WIDTH, HEIGHT)) > 500
    return looks_right


def leave(screen, run, how):
    """Leaves the game the way `how` says (keys, or the close button); status 0 expected."""
    if how == "close":
        screen.close_button()
    else:
        screen.keys(*how)
    status = run.status(30)
    check(status == 0, f"{run.label}: ended with {status} after {how}:\n{run.stderr()}")


def play_from_launcher(screen, game, how):
    run = Run(f"{game}-{'-'.join(how) if how != 'close' else 'cierre'}",
              [os.path.join(LAUNCHERS, game)], cwd=SCRATCH)
    looks_right = fenwar_field if game == "fenwar" else torvane_start(DATA)
    run.wait_for(screen, looks_right, "the textured first picture")
    leave(screen, run, how)
    check(DIFFICULTY_MESSAGE not in run.stderr(), f"{run.label}: {run.stderr()}")
    print(f"ok: {run.label}")


def arranque():
    """Each game from its launcher, left through Esc and through the window's close button."""
    screen = Screen()
    for game, how in (("fenwar", ("Escape",)), ("fenwar", "close"),
                      ("torvane", ("Escape", "Return")), ("torvane", "close")):
        play_from_launcher(screen, game, how)


def scratch_data(label, name, text):
    """A copy of the installed data folder (links to /etc followed) with one file replaced; text
    None removes it."""
    folder = os.path.join(SCRATCH, "datos-" + label)
    shutil.rmtree(folder, ignore_errors=True)
    shutil.copytree(DATA, folder, symlinks=False)
    target = os.path.join(folder, name)
    os.remove(target)
    if text is not None:
        with open(target, "wb") as f:
            f.write(text if isinstance(text, bytes) else text.encode())
    return folder


def read(name):
    with open(os.path.join(DATA, name), "rb") as f:
        return f.read()


def fenwar_with(screen, label, text, message):
    """Fenwar on a hostile difficulty file: the message (or none) and a game that plays on."""
    run = Run("fenwar-" + label, [os.path.join(PROGRAMS, "fenwar")],
              cwd=scratch_data(label, "dificultad.xml", text))
    run.wait_for(screen, fenwar_field, "the textured field")
    time.sleep(2)  # a few seconds of play: missiles fall on the defaults
    check(run.process.poll() is None, f"{run.label}: ended in play:\n{run.stderr()}")
    leave(screen, run, "close")
    said = run.stderr()
    if message:
        check(said.count(DIFFICULTY_MESSAGE) == 1, f"{run.label}: stderr was {said!r}")
    else:
        check(DIFFICULTY_MESSAGE not in said, f"{run.label}: stderr was {said!r}")
    print(f"ok: {run.label}")


def torvane_stops_with(label, text, fault):
    """Torvane on a level file it cannot play: one line on stderr naming the file (and the fault),
    status 1, and no window."""
    run = Run("torvane-" + label, [os.path.join(PROGRAMS, "torvane")],
              cwd=scratch_data(label, "configuracion.xml", text))
    status = run.status(30)
    lines = run.stderr().splitlines()
    check(status == 1, f"{run.label}: ended with {status}:\n{run.stderr()}")
    check(len(lines) == 1 and "configuracion.xml" in lines[0] and fault in lines[0],
          f"{run.label}: expected one line naming configuracion.xml and {fault!r}, "
          f"got {lines}")
    print(f"ok: {run.label}: {lines[0]}")


def archivos_hostiles():
    screen = Screen()
    difficulty = read("dificultad.xml")
    # Cut short inside its settings, as a full disk leaves a file.
    fenwar_with(screen, "dificultad-cortada", difficulty[:difficulty.rindex(b"por_hit")], True)
    fenwar_with(screen, "dificultad-binaria", bytes(range(256)) * 8, True)
    fenwar_with(screen, "dificultad-ausente", None, True)
    fenwar_with(screen, "dificultad-valores", (
        '<?xml version="1.0"?>\n<d><Normal><v rad_city="nan" separacion_city="-inf" '
        'dificultad="0" puntos_avion="99999999999999999999" puntos_misil="x" '
        'cant_hit_avion="-7" por_hit="1e999"/></Normal></d>\n'), False)

    levels = read("configuracion.xml").decode()
    # Each line names the file, and the line, tower or attribute at fault.
    torvane_stops_with("configuracion-cortada", levels[:len(levels) // 2], "línea")
    torvane_stops_with("configuracion-ausente", None, "configuracion.xml")
    torvane_stops_with("torre-fuera", levels.replace('<torre id="2"', '<torre id="7"'), "7")
    torvane_stops_with("numero-enorme", levels.replace('cant="', 'cant="1e39', 1), "cant")

    # A level file whose faults can be left out: one line each, and the game plays.
    odd = levels.replace('<ciudad lvl="3" id="3"', '<ciudad lvl="3" id="9"')
    run = Run("torvane-ciudad-fuera", [os.path.join(PROGRAMS, "torvane")],
              cwd=scratch_data("ciudad-fuera", "configuracion.xml", odd))
    run.wait_for(screen, torvane_start(DATA), "the start screen")
    leave(screen, run, "close")
    said = run.stderr()
    check("configuracion.xml" in said and "9" in said, f"{run.label}: stderr was {said!r}")
    print(f"ok: {run.label}")


def main():
    tests = {"arranque": arranque, "archivos-hostiles": archivos_hostiles}
    if len(sys.argv) != 2 or sys.argv[1] not in tests:
        sys.exit(f"usage: {sys.argv[0]} {' | '.join(tests)}")
    try:
        tests[sys.argv[1]]()
    except Fault as fault:
        print(f"FAIL: {fault}")
        sys.exit(1)


if __name__ == "__main__":
    main()
