"""A scripted player for the reliability runs: random keys from each game's key table, clicks,
right-button drags, wheel turns, full screen and the menus, drawn from a fixed seed so a failing
run repeats. It watches the game from outside: resident memory from /proc, frames shown through
the preloaded frame counter, sanitizer reports on standard error."""

import os
import random
import re
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "e2e"))
from harness import Game, XServer  # noqa: E402,F401

# Key names (xdotool) with their weights. Fenwar never gets Escape (or q, which quits from the
# pause screen): its session ends through the window's close button. Torvane's Escape and q lead
# to the game-over screen, where RETURN ends the program; the session then starts it again.
KEYS = {
    "fenwar": {"Left": 4, "Right": 4, "Up": 3, "Down": 3, "y": 1, "t": 2, "h": 1, "g": 1,
               "m": 1, "u": 1, "k": 1, "j": 1, "p": 4, "c": 2, "w": 2, "l": 1, "space": 2,
               "F11": 0.4, "a": 0.5, "Return": 0.5},
    "torvane": {"Return": 6, "KP_Enter": 2, "Up": 3, "Down": 4, "p": 3, "space": 1.5, "t": 1.5,
                "1": 1.5, "2": 1.5, "3": 1.5, "F11": 0.4, "m": 0.05, "Escape": 0.02, "q": 0.02,
                "x": 0.3},
}
# What the player does, with weights: a key, a left click, a right-button drag, a wheel turn,
# a left click with the right button held, a pointer move, or nothing for a while.
ACTIONS = {"key": 60, "click": 15, "drag": 8, "wheel": 4, "both": 3, "move": 5, "idle": 5}

# The leak checker stops the game's threads with a tracer that now and then crashes under load:
# that run's leak check is lost, but nothing is known to be wrong with the game.
CHECKER_BROKE = "LeakSanitizer has encountered a fatal error"
SANITIZER_REPORT = re.compile(r"ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|"
                              r"SUMMARY: (Address|Leak|UndefinedBehavior)Sanitizer")


def play_hooks():
    """The preloadable hooks (PLAY_HOOKS names the built library: the frame counter, libraries
    kept loaded until exit), or None."""
    path = os.environ.get("PLAY_HOOKS")
    return path if path and os.path.exists(path) else None


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def loaded_sdl(pid):
    """The path of the SDL 1.2 library the process has mapped."""
    with open(f"/proc/{pid}/maps") as f:
        for line in f:
            if "libSDL-1.2.so" in line:
                return line.split()[-1]
    return None


class Run:
    """One process of a game with its samples: (seconds since start, resident KiB, frames, heap
    KiB in use)."""

    def __init__(self, game, counter_path):
        self.game = game
        self.counter_path = counter_path
        self.start = time.time()
        self.samples = []

    def counters(self):
        """Frames shown and heap KiB in use, as the preloaded counter last wrote them."""
        try:
            with open(self.counter_path) as f:
                fields = f.read().split()
            return int(fields[0]), int(fields[1]) // 1024
        except (OSError, ValueError, IndexError, TypeError):
            return 0, 0

    def sample(self):
        try:
            rss = resident_kib(self.game.proc.pid)
        except OSError:
            return
        self.samples.append((time.time() - self.start, rss, *self.counters()))


class Session:
    """Plays one game for a while, starting it again whenever it ends normally (Torvane's game
    over). Every run's exit status and standard error are kept for the checks."""

    def __init__(self, name, xserver, seed, env=None, count_frames=True):
        self.name = name
        self.x = xserver
        self.rng = random.Random(seed)
        self.env = dict(env or {})
        self.preload = play_hooks() if count_frames else None
        self.runs = []
        self.finished = []  # (run, exit status, stderr)
        self.log = []

    # --- the game's life ---
    def launch(self):
        env = dict(self.env)
        counter_path = None
        if self.preload:
            counter_path = os.path.join(self.x_tmp(), f"frames-{self.name}-{len(self.runs)}")
            env["FRAME_COUNT_FILE"] = counter_path
            env["LD_PRELOAD"] = self.preload
        game = Game(self.name, self.x, env=env)
        try:
            game.wait_for_frame(timeout=60)
        except Exception:
            self.finished.append((Run(game, counter_path), "no frame", game.stderr()))
            game.close()
            raise
        run = Run(game, counter_path)
        self.runs.append(run)
        self.log.append(f"{time.strftime('%H:%M:%S')} start of run {len(self.runs)}")
        return run

    def x_tmp(self):
        folder = os.path.join(os.environ.get("TMPDIR", "/tmp"), f"reliability-{os.getpid()}")
        os.makedirs(folder, exist_ok=True)
        return folder

    def retire(self, run, status):
        self.finished.append((run, status, run.game.stderr()))
        run.game.close()

    # --- the player ---
    def point(self):
        return self.rng.randrange(20, 620), self.rng.randrange(20, 460)

    def act(self, game):
        rng = self.rng
        action = rng.choices(list(ACTIONS), weights=list(ACTIONS.values()))[0]
        keys = KEYS[self.name]
        if action == "key":
            name = rng.choices(list(keys), weights=list(keys.values()))[0]
            game.key(name, pause=0)
        elif action == "click":
            game.click(*self.point())
        elif action == "drag":
            x0, y0 = self.point()
            x1, y1 = self.point()
            game.drag(x0, y0, x1, y1, button=3, steps=rng.randrange(3, 12))
        elif action == "wheel":
            game.click(*self.point(), button=rng.choice((4, 5)))
        elif action == "both":
            game.move(*self.point())
            game.button_down(3)
            game.click(button=1)
            game.button_up(3)
        elif action == "move":
            game.move(*self.point())
        else:
            time.sleep(rng.uniform(0.3, 1.5))
            return action
        time.sleep(rng.uniform(0.02, 0.25))
        return action

    def play(self, seconds, on_sample=None, sample_every=1.0):
        """Plays for `seconds`, sampling the running game about once a second; ends with the
        close button and returns when the last run has exited."""
        end = time.time() + seconds
        run = self.launch()
        next_sample = 0.0
        while time.time() < end:
            status = run.game.proc.poll()
            if status is not None:
                self.retire(run, status)
                if status != 0:
                    return
                run = self.launch()
                continue
            self.act(run.game)
            if time.time() >= next_sample:
                run.sample()
                if on_sample:
                    on_sample(run)
                next_sample = time.time() + sample_every
        run.sample()
        run.game.close_request()
        status = run.game.wait_exit(60)
        if status is None:
            run.game.kill()
            status = "hung at the close button"
        self.retire(run, status)

    # --- checks ---
    def failures(self):
        """What went wrong in any run: a bad exit, a sanitizer report."""
        found = []
        for k, (_, status, err) in enumerate(self.finished, 1):
            if status != 0 and CHECKER_BROKE in err and not SANITIZER_REPORT.search(err):
                self.log.append(f"run {k}: the leak checker broke down, no leak check")
            elif status != 0:
                found.append(f"run {k} ended with {status}:\n{err[-4000:]}")
            elif SANITIZER_REPORT.search(err):
                found.append(f"run {k} has a sanitizer report:\n{err[-6000:]}")
        return found


def growth_kib(samples, warmup, field=1):
    """Growth after warm-up of resident memory (or of another field of the samples): the mean of
    the last three samples minus the mean of the first three taken after `warmup` seconds; None
    when the run was too short to tell."""
    after = [sample[field] for sample in samples if sample[0] >= warmup]
    if len(after) < 6:
        return None
    return sum(after[-3:]) / 3 - sum(after[:3]) / 3


def frame_rates(samples, window=10.0):
    """Frames per second over consecutive windows of about `window` seconds."""
    rates = []
    if not samples:
        return rates
    t0, _, f0, _ = samples[0]
    for t, _, f, _ in samples[1:]:
        if t - t0 >= window:
            rates.append((f - f0) / (t - t0))
            t0, f0 = t, f
    return rates


def longest_stall(samples):
    """The longest time, in seconds, between two samples with the same frame count."""
    worst = 0.0
    since = None
    for (t0, _, f0, _), (t1, _, f1, _) in zip(samples, samples[1:]):
        if f1 == f0:
            since = t0 if since is None else since
            worst = max(worst, t1 - since)
        else:
            since = None
    return worst
