"""Plays a real game as a player would: its own Xvfb with Mesa's software GL, xdotool, screenshots.

Usage in a test:

    with XServer() as x, Game("fenwar", x) as game:
        game.wait_for_frame()
        shot = game.screenshot("start")
        game.key("Escape")
        assert game.wait_exit() == 0
"""

import os
import shutil
import subprocess
import tempfile
import time

from PIL import Image
from Xlib import X, Xatom, display, protocol

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BIN_DIR = os.environ.get("BIN_DIR", os.path.join(REPO, "build", "bin"))
ASSETS = os.environ.get("ASSETS", os.path.join(REPO, "assets"))
SHOTS_DIR = os.environ.get("SHOTS_DIR", os.path.join(REPO, "build", "shots"))
DOCS_DIR = os.environ.get("DOCS_DIR", os.path.join(REPO, "docs"))
WIDTH, HEIGHT = 640, 480


class XServer:
    """A private Xvfb on a free display number, the size of the game window."""

    def __init__(self, width=WIDTH, height=HEIGHT):
        read_end, write_end = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "+extension", "GLX", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise RuntimeError("Xvfb did not start")
                number += chunk
        self.name = ":" + number.decode().strip()
        self.width, self.height = width, height
        self.xlib = display.Display(self.name)

    def env(self):
        env = dict(os.environ)
        env.update(DISPLAY=self.name, LIBGL_ALWAYS_SOFTWARE="1", SDL_VIDEODRIVER="x11",
                   SDL_AUDIODRIVER="dummy")
        return env

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env(), check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def screenshot(self):
        """The whole screen as an RGB picture."""
        root = self.xlib.screen().root
        raw = root.get_image(0, 0, self.width, self.height, X.ZPixmap, 0xFFFFFFFF)
        return Image.frombytes("RGB", (self.width, self.height), raw.data, "raw", "BGRX")

    def top_windows(self):
        """Mapped top-level windows that take part in the WM_DELETE_WINDOW protocol."""
        protocols = self.xlib.intern_atom("WM_PROTOCOLS")
        found = []
        for win in self.xlib.screen().root.query_tree().children:
            try:
                if win.get_attributes().map_state != X.IsViewable:
                    continue
                if win.get_full_property(protocols, Xatom.ATOM) is not None:
                    found.append(win)
            except Exception:  # the window went away while we looked at it
                continue
        return found

    def close(self):
        try:
            self.xlib.close()
        except Exception:
            pass
        self.proc.terminate()
        try:
            self.proc.wait(5)
        except subprocess.TimeoutExpired:
            self.proc.kill()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


class Game:
    """One run of a game binary from a private copy of assets/ on an XServer."""

    def __init__(self, name, xserver, prepare=None, wrapper=(), env=None, binary=None):
        """`prepare(folder)` may change the copied assets before the start; `wrapper` prefixes the
        command (valgrind, a launcher); `env` adds variables."""
        self.name = name
        self.x = xserver
        self.dir = tempfile.mkdtemp(prefix=f"{name}-")
        self.assets = os.path.join(self.dir, "assets")
        shutil.copytree(ASSETS, self.assets)
        if prepare:
            prepare(self.assets)
        self.out_path = os.path.join(self.dir, "stdout.txt")
        self.err_path = os.path.join(self.dir, "stderr.txt")
        run_env = xserver.env()
        # GAME_LIBRARY_PATH runs the game against other shared libraries (another SDL 1.2).
        if os.environ.get("GAME_LIBRARY_PATH"):
            run_env["LD_LIBRARY_PATH"] = ":".join(
                p for p in (os.environ["GAME_LIBRARY_PATH"], run_env.get("LD_LIBRARY_PATH")) if p)
        run_env.update(env or {})
        command = [*wrapper, binary or os.path.join(BIN_DIR, name)]
        with open(self.out_path, "wb") as out, open(self.err_path, "wb") as err:
            self.proc = subprocess.Popen(command, cwd=self.assets, env=run_env, stdout=out,
                                         stderr=err, stdin=subprocess.DEVNULL)
        self.returncode = None

    # --- output and life ---
    def stdout(self):
        with open(self.out_path, "rb") as f:
            return f.read().decode("latin-1")

    def stderr(self):
        with open(self.err_path, "rb") as f:
            return f.read().decode("latin-1")

    def running(self):
        return self.proc.poll() is None

    def wait_exit(self, timeout=20):
        """The exit status, or None when the game is still running after `timeout` seconds."""
        try:
            self.returncode = self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            return None
        return self.returncode

    def kill(self):
        if self.running():
            self.proc.kill()
            self.proc.wait()

    # --- the window ---
    def wait_for_window(self, timeout=30):
        end = time.time() + timeout
        while time.time() < end:
            if not self.running():
                raise RuntimeError(f"{self.name} exited early with {self.proc.returncode}:\n"
                                   + self.stderr())
            if self.x.top_windows():
                return
            time.sleep(0.1)
        raise TimeoutError(f"{self.name} opened no window")

    def wait_for_frame(self, predicate=None, timeout=30):
        """Waits until the screen is not plain black (or `predicate(picture)` holds); returns it."""
        self.wait_for_window(timeout)
        end = time.time() + timeout
        while time.time() < end:
            shot = self.x.screenshot()
            if predicate(shot) if predicate else shot.convert("L").getextrema()[1] > 20:
                return shot
            if not self.running():
                raise RuntimeError(f"{self.name} exited with {self.proc.returncode}")
            time.sleep(0.2)
        raise TimeoutError(f"{self.name} never drew the expected frame")

    def close_request(self):
        """What the window's close button does: WM_DELETE_WINDOW to the game's windows."""
        xl = self.x.xlib
        protocols = xl.intern_atom("WM_PROTOCOLS")
        delete = xl.intern_atom("WM_DELETE_WINDOW")
        for win in self.x.top_windows():
            event = protocol.event.ClientMessage(window=win, client_type=protocols,
                                                 data=(32, [delete, X.CurrentTime, 0, 0, 0]))
            win.send_event(event)
        xl.flush()

    # --- input (window coordinates: the game window sits at the screen's origin) ---
    def key(self, *names, pause=0.15):
        """Taps each key in turn (xdotool key names: Escape, Return, F11, space, p, KP_Enter)."""
        for name in names:
            self.x.xdotool("key", "--clearmodifiers", name)
            time.sleep(pause)

    def key_down(self, name):
        self.x.xdotool("keydown", name)

    def key_up(self, name):
        self.x.xdotool("keyup", name)

    def move(self, x, y):
        self.x.xdotool("mousemove", int(x), int(y))

    def click(self, x=None, y=None, button=1):
        if x is not None:
            self.move(x, y)
        self.x.xdotool("click", button)

    def button_down(self, button=1):
        self.x.xdotool("mousedown", button)

    def button_up(self, button=1):
        self.x.xdotool("mouseup", button)

    def drag(self, x0, y0, x1, y1, button=3, steps=10):
        self.move(x0, y0)
        self.button_down(button)
        for i in range(1, steps + 1):
            self.move(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps)
            time.sleep(0.03)
        self.button_up(button)

    # --- pictures ---
    def screenshot(self, label=None):
        """The screen now; saved as SHOTS_DIR/<game>-<label>.png when labelled."""
        shot = self.x.screenshot()
        if label:
            save_shot(shot, f"{self.name}-{label}")
        return shot

    def close(self):
        self.kill()
        shutil.rmtree(self.dir, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def save_shot(picture, label, folder=None):
    folder = folder or SHOTS_DIR
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, label + ".png")
    picture.save(path)
    return path


def save_doc_shot(picture, filename):
    """Stores a screenshot for the README: under docs/ when UPDATE_DOCS=1 (tools/update-screenshots),
    otherwise beside the other shots, so an ordinary test run leaves the tree clean."""
    folder = DOCS_DIR if os.environ.get("UPDATE_DOCS") == "1" else os.path.join(SHOTS_DIR, "docs")
    os.makedirs(folder, exist_ok=True)
    picture.save(os.path.join(folder, filename))


def pixel(picture, x, y):
    return picture.getpixel((int(x), int(y)))


def mean_colour(picture, box):
    """Average (r, g, b) over box = (left, top, right, bottom)."""
    region = picture.crop(box)
    count = region.width * region.height
    sums = [0, 0, 0]
    for r, g, b in region.getdata():
        sums[0] += r
        sums[1] += g
        sums[2] += b
    return tuple(s / count for s in sums)


def count_pixels(picture, test, box=None):
    """How many pixels of the picture (or of box) satisfy test((r, g, b))."""
    region = picture.crop(box) if box else picture
    return sum(1 for p in region.getdata() if test(p))


def difference(a, b):
    """Mean absolute difference of two pictures of one size, 0 to 255."""
    total = 0
    for pa, pb in zip(a.getdata(), b.getdata()):
        total += abs(pa[0] - pb[0]) + abs(pa[1] - pb[1]) + abs(pa[2] - pb[2])
    return total / (3 * a.width * a.height)


def distinct_colours(picture, box=None):
    region = picture.crop(box) if box else picture
    return len(set(region.getdata()))


def quick_difference(a, b, box=None):
    """Mean absolute difference of two pictures (or of one box of them), 0 to 255, computed by
    the imaging library: fast enough to poll the screen."""
    from PIL import ImageChops, ImageStat
    if box:
        a, b = a.crop(box), b.crop(box)
    return sum(ImageStat.Stat(ImageChops.difference(a.convert("RGB"), b.convert("RGB"))).mean) / 3


def asset_picture(relative, size=(WIDTH, HEIGHT)):
    """A picture of the assets folder as it fills the window."""
    return Image.open(os.path.join(ASSETS, relative)).convert("RGB").resize(size, Image.BILINEAR)


def closest_picture(shot, pictures):
    """The name of the picture (dict name -> picture) the screenshot looks most like, and the
    difference to each."""
    differences = {name: quick_difference(shot, picture) for name, picture in pictures.items()}
    return min(differences, key=differences.get), differences


def wait_until_still(game, limit=1.0, timeout=20, pause=0.05, box=None):
    """Polls the screen until two screenshots in a row differ by less than `limit` (the picture
    has stopped moving); returns the seconds waited and the last screenshot."""
    start = time.time()
    last = game.screenshot()
    while time.time() - start < timeout:
        time.sleep(pause)
        shot = game.screenshot()
        if quick_difference(last, shot, box) < limit:
            return time.time() - start, shot
        last = shot
    raise TimeoutError("the picture never stood still")
