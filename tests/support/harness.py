"""Plays a real game as a player would: its own Xvfb with Mesa's software GL, xdotool, screenshots,
and waits counted in the frames the game shows, never in fixed sleeps.

Usage in a test:

    with XServer() as x, Game("fenwar", x) as game:
        game.wait_for_picture()
        game.key("p")                   # returns once the game has taken the key
        shot = game.look("pause")       # the screen once the key's effect is drawn
        game.key("q")
        assert game.wait_exit() == 0

Every game started here carries the preloaded frame counter (tests/support/frame_counter.c): the
number of frames it has swapped onto the screen, read back by frames(), is what the waits count.
Time itself is waited for only where it is what a test is about (a key held for a while, a pause
longer than a missile's flight, launches that come by the game's clock), with a comment there.

debian/tests/juegos.py keeps small helpers of its own on purpose: autopkgtest runs it alone
against the installed packages, without this tree, its build or its shims.
"""

import os
import shutil
import subprocess
import tempfile
import time

from PIL import Image
from Xlib import X, Xatom, display, protocol

from pictures import quick_difference

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BIN_DIR = os.environ.get("BIN_DIR", os.path.join(REPO, "build", "bin"))
ASSETS = os.environ.get("ASSETS", os.path.join(REPO, "assets"))
SHOTS_DIR = os.environ.get("SHOTS_DIR", os.path.join(REPO, "build", "shots"))
DOCS_DIR = os.environ.get("DOCS_DIR", os.path.join(REPO, "docs"))
# The preload shims of tests/support, as the build makes them.
SHIMS_DIR = os.environ.get("SHIMS_DIR", os.path.join(os.path.dirname(BIN_DIR), "lib"))
WIDTH, HEIGHT = 640, 480

# A game takes its pending input once a frame. Input sent now may just miss the frame under way;
# the frame after it takes it for sure. So once two more frames are shown the input has been
# taken, and input sent after that goes to a later frame (each key a frame of its own: all the
# events pending in a frame go to the screen of that frame).
TAKEN = 2
# What taken input changes is drawn by the next frame, and the X server may still be putting that
# frame on the screen when the counter says it was swapped: one frame more and it is there.
SEEN = TAKEN + 2
# How long any one wait may take before the test fails: frames come every few hundredths of a
# second, and a sanitized game on a busy machine is far slower.
TIMEOUT = 60


def shim(name):
    """The path of one preload shim of tests/support (frame_counter, keep_libraries,
    refuse_video_mode, gl_objects, synced_display)."""
    path = os.path.join(SHIMS_DIR, f"lib{name}.so")
    if not os.path.exists(path):
        raise FileNotFoundError(f"the preload shim {path} is not built (cmake --build build)")
    return path


def asset_picture(relative, size=(WIDTH, HEIGHT)):
    """A picture of the assets folder as it fills the window."""
    return Image.open(os.path.join(ASSETS, relative)).convert("RGB").resize(size, Image.BILINEAR)


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


def resident_kib(pid):
    """Resident memory of a running process; OSError once it has exited (a process that has
    exited but not yet been waited for has no resident memory line)."""
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise OSError(f"process {pid} has exited")


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


def play_cases(*cases):
    """Plays each case (a function of an XServer) in turn on one private X server."""
    with XServer() as x:
        for case in cases:
            case(x)


class Game:
    """One run of a game on an XServer, from a private copy of assets/ (or from `cwd` with
    `command`, for an installed game), watched through the preloaded frame counter."""

    def __init__(self, name, xserver, prepare=None, wrapper=(), env=None, binary=None,
                 preload=(), command=None, cwd=None):
        """`prepare(folder)` may change the copied assets before the start; `wrapper` prefixes the
        command (valgrind, a launcher); `env` adds variables; `preload` names more shims of
        tests/support to load into the game (refuse_video_mode, gl_objects, synced_display,
        keep_libraries); `command` and `cwd` run something else than the built game from the
        copied assets (the game as installed, from the folder a desktop starts it in)."""
        self.name = name
        self.x = xserver
        self.dir = tempfile.mkdtemp(prefix=f"{name}-")
        self.assets = cwd
        if cwd is None:
            self.assets = os.path.join(self.dir, "assets")
            shutil.copytree(ASSETS, self.assets)
            if prepare:
                prepare(self.assets)
        self.out_path = os.path.join(self.dir, "stdout.txt")
        self.err_path = os.path.join(self.dir, "stderr.txt")
        self.frames_path = os.path.join(self.dir, "frames.txt")
        self.gl_objects_path = os.path.join(self.dir, "gl-objects.txt")
        run_env = xserver.env()
        # GAME_LIBRARY_PATH runs the game against other shared libraries (another SDL 1.2).
        if os.environ.get("GAME_LIBRARY_PATH"):
            run_env["LD_LIBRARY_PATH"] = ":".join(
                p for p in (os.environ["GAME_LIBRARY_PATH"], run_env.get("LD_LIBRARY_PATH")) if p)
        run_env.update(env or {})
        # The shims are preloaded ahead of a sanitized game's own runtime, which must allow it.
        asan = run_env.get("ASAN_OPTIONS", "")
        run_env["ASAN_OPTIONS"] = ":".join(filter(None, (asan, "verify_asan_link_order=0")))
        run_env["LD_PRELOAD"] = ":".join(shim(n) for n in ("frame_counter", *preload))
        run_env["FRAME_COUNT_FILE"] = self.frames_path
        run_env["GL_OBJECTS_FILE"] = self.gl_objects_path
        command = command or [*wrapper, binary or os.path.join(BIN_DIR, name)]
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
        """The exit status, once the game has ended; fails the test when it still runs after
        `timeout` seconds."""
        try:
            self.returncode = self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"{self.name} still runs {timeout} s later; it should have "
                                 f"ended:\n{self.stderr()[-2000:]}") from None
        return self.returncode

    def kill(self):
        if self.running():
            self.proc.kill()
            self.proc.wait()

    def resident_kib(self):
        return resident_kib(self.proc.pid)

    # --- what the shims count ---
    def counters(self):
        """The frames shown so far and the heap bytes in use at the last count, as the frame
        counter last wrote them; (0, 0) before the first frame."""
        try:
            with open(self.frames_path) as f:
                fields = f.read().split()
            return int(fields[0]), int(fields[1])
        except (OSError, IndexError, ValueError):
            return 0, 0

    def frames(self):
        return self.counters()[0]

    def gl_objects(self):
        """The live GL objects by kind ({"textures": n, "lists": m, ...}), with the gl_objects
        shim preloaded."""
        with open(self.gl_objects_path) as f:
            fields = f.read().split()
        return dict(zip(fields[::2], map(int, fields[1::2])))

    # --- waits ---
    def wait_frames(self, count=1, timeout=TIMEOUT, ended_ok=False):
        """Waits until the game has shown `count` more frames; returns the frame count then. Fails
        the test when they do not come within `timeout` seconds or the game ends meanwhile (unless
        `ended_ok`: then the wait ends with the game)."""
        first = self.frames()
        end = time.time() + timeout
        while True:
            shown = self.frames()
            if shown >= first + count:
                return shown
            if not self.running():
                if ended_ok:
                    return shown
                raise AssertionError(f"{self.name} ended with {self.proc.returncode} while "
                                     f"waiting for {count} frames:\n{self.stderr()[-2000:]}")
            if time.time() > end:
                raise AssertionError(f"{self.name} showed {shown - first} of {count} frames in "
                                     f"{timeout} s")
            time.sleep(0.005)

    def drawn(self):
        """Waits until everything sent to the game so far is drawn on the screen."""
        self.wait_frames(SEEN)

    def look(self, label=None):
        """The screen once everything sent to the game so far is drawn; saved as
        SHOTS_DIR/<game>-<label>.png when labelled."""
        self.drawn()
        return self.screenshot(label)

    def wait_for_window(self, timeout=TIMEOUT):
        end = time.time() + timeout
        while time.time() < end:
            if not self.running():
                raise AssertionError(f"{self.name} exited early with {self.proc.returncode}:\n"
                                     + self.stderr())
            if self.x.top_windows():
                return
            time.sleep(0.05)
        raise AssertionError(f"{self.name} opened no window in {timeout} s")

    def wait_for_picture(self, test=None, timeout=TIMEOUT, what="the expected picture"):
        """Waits until the screen shows what `test(picture)` accepts (by default anything but
        plain black), looking once a frame; returns that picture."""
        self.wait_for_window(timeout)
        end = time.time() + timeout
        while True:
            shot = self.x.screenshot()
            if test(shot) if test else shot.convert("L").getextrema()[1] > 20:
                return shot
            if time.time() > end:
                save_shot(shot, f"{self.name}-never-shown")
                raise AssertionError(f"{self.name} never showed {what} in {timeout} s (its last "
                                     f"picture: {self.name}-never-shown.png)")
            self.wait_frames(1, timeout=max(1.0, end - time.time()))

    def wait_still(self, limit=1.0, frames=2, box=None, timeout=TIMEOUT, label=None):
        """Waits until everything sent to the game so far is drawn, then until two screenshots
        `frames` frames apart differ by less than `limit` (0 to 255, over the picture or the box):
        the picture has stopped moving. Returns the last one, saved as
        SHOTS_DIR/<game>-<label>.png when labelled."""
        end = time.time() + timeout
        last = self.look()
        while True:
            self.wait_frames(frames, timeout=max(1.0, end - time.time()))
            shot = self.screenshot()
            moved = quick_difference(last, shot, box)
            if moved < limit:
                if label:
                    save_shot(shot, f"{self.name}-{label}")
                return shot
            if time.time() > end:
                raise AssertionError(f"{self.name}: the picture never stood still in {timeout} s "
                                     f"(it moved by {moved:.3f} in {frames} frames)")
            last = shot

    def after(self, *keys, label=None, **still):
        """Taps the keys, each in a frame of its own; returns the picture once what they change is
        drawn and stands still (`still`: the arguments of wait_still)."""
        self.key(*keys)
        return self.wait_still(label=label, **still)

    def wait_change(self, before, least=1.0, box=None, timeout=TIMEOUT):
        """Waits until the screen differs from `before` by at least `least` (over the picture or
        the box), looking once a frame; returns that picture."""
        return self.wait_for_picture(lambda shot: quick_difference(before, shot, box) >= least,
                                     timeout, what="a change of the picture")

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
    # Each action returns once the game has taken it, so that the next goes to a later frame;
    # taken=False returns at once, for a player that keeps its own pace.
    def taken(self, wait=True):
        if wait:
            self.wait_frames(TAKEN, ended_ok=True)

    def key(self, *names, taken=True):
        """Taps each key in turn (xdotool key names: Escape, Return, F11, space, p, KP_Enter)."""
        for name in names:
            self.x.xdotool("key", "--clearmodifiers", name)
            self.taken(taken)

    def key_down(self, name):
        self.x.xdotool("keydown", name)

    def key_up(self, name):
        self.x.xdotool("keyup", name)

    def move(self, x, y, taken=True):
        self.x.xdotool("mousemove", int(x), int(y))
        self.taken(taken)

    def click(self, x=None, y=None, button=1, taken=True):
        """A quick click (pressed and released within one frame), where the pointer is or at
        (x, y): the pointer is moved first and the click sent once the game has seen it there."""
        if x is not None:
            self.move(x, y, taken)
        self.x.xdotool("click", button)
        self.taken(taken)

    def button_down(self, button=1):
        self.x.xdotool("mousedown", button)

    def button_up(self, button=1):
        self.x.xdotool("mouseup", button)

    def drag(self, x0, y0, x1, y1, button=3, steps=10, taken=True):
        self.move(x0, y0, taken=False)
        self.button_down(button)
        for i in range(1, steps + 1):
            self.move(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps, taken=False)
            time.sleep(0.03)  # the pace of a hand: the drag takes about a third of a second
        self.button_up(button)
        self.taken(taken)

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
