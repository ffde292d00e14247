"""A scripted player for the reliability runs: random keys from each game's key table, clicks,
right-button drags, wheel turns, full screen and the menus, drawn from a fixed seed so a failing
run repeats. It watches the game from outside: resident memory from /proc, frames shown and the
heap in use through the frame counter every game of the harness carries, sanitizer reports on
standard error."""

import itertools
import math
import os
import random
import re
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
from harness import Game, XServer  # noqa: E402,F401
from torvane_screen import level_file, with_health  # noqa: E402

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
# Keys that end a Torvane game before its levels are played out: Escape and q go to the game-over
# screen, m skips to the next level (past the last one the game is over).
GAME_ENDERS = ("Escape", "q", "m")
# What the player does, with weights: a key, a left click, a right-button drag, a wheel turn,
# a left click with the right button held, a pointer move, or nothing for a while.
ACTIONS = {"key": 60, "click": 15, "drag": 8, "wheel": 4, "both": 3, "move": 5, "idle": 5}


def fenwar_tour():
    """Every screen and setting of Fenwar once: cannons, zoom, the light keys, a shot and a turn,
    full screen both ways, then the game played a few seconds in each of the eight combinations
    of outline (w), texturing (t) and light (l). They are switched on the configuration screen
    one at a time in Gray-code order, the eighth switch bringing back the first combination, and
    each switch passes through the pause and configuration screens."""
    steps = ["Left", "Right", "Right", "Left", "Up", "Up", "Down", "Down",
             "y", "t", "h", "g", "m", "u", "k", "j", "click", "drag", "wait 2",
             "F11", "wait 2", "F11", "wait 2"]
    for switch in "wtwlwtwl":
        steps += ["p", "c", switch, "p", "p", "click", "drag", "wait 3"]
    return steps + ["p", "space", "wait 2"]


def torvane_tour():
    """Every screen and setting of Torvane once: both start-screen pictures, full screen both
    ways, the three towers, every picture of the pause pages, then play in each of the eight
    combinations of outline (space), texturing (t) and facets (the render page), once with the
    light off and once with it on (a colour chosen: the light never goes off again). The random
    player seldom hits a missile, so every missile that falls takes health from a city: the tour
    plays briefly in each combination and at the slow speed, and leaves that speed on, so that
    the game it began goes on long enough after it to be judged."""
    facets = ["p", "Down", "Down", "Return", "Down", "Down", "Up", "Return"]

    def combinations():
        steps = []
        for switch in ("space", "t", "space", "facets", "space", "t", "space", "facets"):
            steps += facets if switch == "facets" else [switch]
            steps += ["click", "wait 1"]
        return steps

    # Full screen both ways first: a new video mode frees every menu picture, and the pictures
    # are then read again the first time each is shown, which must happen within the tour.
    steps = ["Down", "Up", "Return", "wait 2", "F11", "wait 2", "F11", "wait 2",
             # the speed page's three pictures; the slow speed chosen
             "p", "Down", "Return", "Down", "Down", "Up", "Up", "Return",
             "2", "wait 3", "3", "wait 3", "1", "wait 3", "click", "drag"]
    steps += combinations()
    # the colour page's five pictures, the position page's three, the light put at tower 3;
    # then red chosen, which turns the light on
    steps += ["p", "Down", "Down", "Down", "Return", "Down", "Down", "Down", "Down", "Return",
              "Down", "Down", "Return", "wait 2",
              "p", "Down", "Down", "Down", "Return", "Return", "wait 2"]
    return steps + combinations()


# A Torvane game that lasts: cities that never fall, and levels that last minutes. The cities stand
# just inside the farthest the game accepts (200 units from the middle, the far plane of the view),
# so that positions written to six figures stay inside it.
LASTING_HEALTH = 1000000
FAR_CITY = 199.0
CITY = re.compile(r'<ciudad\b[^>]*/>')


def lasting_levels(text):
    """Torvane's level file (configuracion.xml) made to last: every city gets so much health that
    none falls, and every city but the first of each level (id 0) is moved FAR_CITY units out on
    its own bearing from the middle of the field (straight out on x from the middle itself). A
    missile flies 0.15 units a frame at the normal speed, so one aimed at a far city is in the air
    for about twenty seconds, and a level ends only when all its missiles have come down; the
    first city stays in view and takes the missiles that fall within seconds. Raises ValueError when the text has
    no health element or no city to move.

    >>> print(lasting_levels('''<niveles><salud valor="15"/>
    ... <ciudad lvl="1" id="0" x="-6" y="0" z="2"/>
    ... <ciudad lvl="1" id="1" x="6" y="1" z="-8"/>
    ... <ciudad id="2" z="0" lvl="2" x="0"/></niveles>'''))
    <niveles><salud valor="1000000"/>
    <ciudad lvl="1" id="0" x="-6" y="0" z="2"/>
    <ciudad lvl="1" id="1" x="119.4" y="1" z="-159.2"/>
    <ciudad id="2" z="0" lvl="2" x="199"/></niveles>
    >>> lasting_levels('<niveles><ciudad lvl="1" id="1" x="1" y="0" z="0"/></niveles>')
    Traceback (most recent call last):
    ValueError: no health element to raise
    >>> lasting_levels('<niveles><salud valor="15"/><ciudad lvl="1" id="0" x="1" z="0"/></niveles>')
    Traceback (most recent call last):
    ValueError: no city to move out
    """
    text = with_health(text, LASTING_HEALTH)
    moved = 0

    def move_out(found):
        nonlocal moved
        city = found.group(0)
        numbers = dict(re.findall(r'\b(id|x|z)="([^"]*)"', city))
        if numbers.get("id") == "0" or "x" not in numbers or "z" not in numbers:
            return city
        x, z = float(numbers["x"]), float(numbers["z"])
        length = math.hypot(x, z)
        x, z = (x / length, z / length) if length > 0 else (1.0, 0.0)
        moved += 1
        city = re.sub(r'\bx="[^"]*"', f'x="{x * FAR_CITY:g}"', city)
        return re.sub(r'\bz="[^"]*"', f'z="{z * FAR_CITY:g}"', city)

    text = CITY.sub(move_out, text)
    if not moved:
        raise ValueError("no city to move out")
    return text


# Rewrites the level file of a private copy of the assets so that the game lasts.
prepare_lasting_game = level_file(lasting_levels)


# What each run plays first when the session is asked to: the warm-up of the soak begins with it,
# so that whatever the GL driver builds once per screen, picture or combination of settings is
# built before memory is judged. Each key of the tour is taken by the game before the next is
# sent, so that a key that changes the screen is handled on that screen.
TOURS = {"fenwar": fenwar_tour(), "torvane": torvane_tour()}

# What LeakSanitizer says when its thread tracer could not stop the game's threads: the leak check
# did not run, which fails the run as surely as a leak would.
CHECKER_BROKE = "LeakSanitizer has encountered a fatal error"
SANITIZER_REPORT = re.compile(r"ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|"
                              r"SUMMARY: (Address|Leak|UndefinedBehavior)Sanitizer")


def sanitizer_env(suppressions):
    """What the sanitized games run with: a fault ends the game with a status of its own and a
    report on standard error, a leak found at exit too (but for what the `suppressions` file
    names); a huge allocation asked by the image decoder fails as it would without the
    sanitizer."""
    return {
        "ASAN_OPTIONS": "halt_on_error=1:detect_leaks=1:allocator_may_return_null=1:"
                        "abort_on_error=0:exitcode=86",
        "UBSAN_OPTIONS": "halt_on_error=1:print_stacktrace=1:exitcode=87",
        "LSAN_OPTIONS": f"suppressions={suppressions}:print_suppressions=0:exitcode=88",
    }


def loaded_sdl(pid):
    """The path of the SDL 1.2 library the process has mapped."""
    with open(f"/proc/{pid}/maps") as f:
        for line in f:
            if "libSDL-1.2.so" in line:
                return line.split()[-1]
    return None


class Run:
    """One process of a game with its samples: (seconds since start, resident KiB, frames, heap
    KiB in use). `tour` holds the steps of its tour still to play; `toured` is the second its tour
    ended (0 without a tour, None while it lasts)."""

    def __init__(self, game, tour=()):
        self.game = game
        self.start = time.time()
        self.samples = []
        self.tour = list(tour)
        self.toured = None if self.tour else 0.0

    def sample(self):
        try:
            rss = self.game.resident_kib()
        except OSError:
            return
        frames, heap = self.game.counters()
        self.samples.append((time.time() - self.start, rss, frames, heap // 1024))


class Session:
    """Plays one game for a while, starting it again whenever it ends normally (Torvane's game
    over). Every run's exit status and standard error are kept for the checks."""

    def __init__(self, name, xserver, seed, env=None, preload=(), tour=False, lasting=False):
        """`env` and `preload` go to every run of the game (see harness.Game). `lasting`: each
        Torvane run plays a private copy of the assets made to last (see lasting_levels) and the
        player leaves out the keys that end the game (GAME_ENDERS), so that one process can play
        for as long as the session does."""
        self.name = name
        self.tour = TOURS[name] if tour else ()
        self.keys = dict(KEYS[name])
        self.prepare = None
        if lasting and name == "torvane":
            self.prepare = prepare_lasting_game
            for key in GAME_ENDERS:
                del self.keys[key]
        self.x = xserver
        self.rng = random.Random(seed)
        self.env = dict(env or {})
        self.preload = preload
        self.runs = []
        self.finished = []  # (run, exit status, stderr)
        self.log = []

    # --- the game's life ---
    def launch(self):
        game = Game(self.name, self.x, env=self.env, preload=self.preload, prepare=self.prepare)
        try:
            game.wait_for_picture(timeout=60)
        except Exception:
            self.finished.append((Run(game), "no frame", game.stderr()))
            game.close()
            raise
        run = Run(game, self.tour)
        self.runs.append(run)
        self.log.append(f"{time.strftime('%H:%M:%S')} start of run {len(self.runs)}")
        return run

    def retire(self, run, status):
        self.finished.append((run, status, run.game.stderr()))
        run.game.close()

    # --- the player ---
    def tour_step(self, run):
        """Plays the next step of the run's tour: a key, a wait, a click or a drag at fixed
        points (the random draws are left to the play that follows)."""
        step = run.tour.pop(0)
        if step.startswith("wait "):
            time.sleep(float(step.split()[1]))  # seconds of play in one screen or setting
        elif step == "click":
            run.game.click(320, 200)
        elif step == "drag":
            # across and back: the view turns and comes back to the field
            run.game.drag(200, 240, 440, 240, button=3, steps=6)
            run.game.drag(440, 240, 200, 240, button=3, steps=6)
        else:
            run.game.key(step)
        if not run.tour:
            run.toured = time.time() - run.start
            self.log.append(f"{time.strftime('%H:%M:%S')} run {len(self.runs)} toured in "
                            f"{run.toured:.0f} s")

    def point(self):
        return self.rng.randrange(20, 620), self.rng.randrange(20, 460)

    def act(self, game):
        """One random action. The player keeps its own pace, in time, whatever the game does: it
        never waits for the game to take what it did, and rests a random moment after each
        action (or idles longer)."""
        rng = self.rng
        action = rng.choices(list(ACTIONS), weights=list(ACTIONS.values()))[0]
        keys = self.keys
        if action == "key":
            name = rng.choices(list(keys), weights=list(keys.values()))[0]
            game.key(name, taken=False)
        elif action == "click":
            game.click(*self.point(), taken=False)
        elif action == "drag":
            x0, y0 = self.point()
            x1, y1 = self.point()
            game.drag(x0, y0, x1, y1, button=3, steps=rng.randrange(3, 12), taken=False)
        elif action == "wheel":
            game.click(*self.point(), button=rng.choice((4, 5)), taken=False)
        elif action == "both":
            game.move(*self.point(), taken=False)
            game.button_down(3)
            game.click(button=1, taken=False)
            game.button_up(3)
        elif action == "move":
            game.move(*self.point(), taken=False)
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
            if run.tour:
                self.tour_step(run)
            else:
                self.act(run.game)
            if time.time() >= next_sample:
                run.sample()
                if on_sample:
                    on_sample(run)
                next_sample = time.time() + sample_every
        run.sample()
        run.game.close_request()
        try:
            status = run.game.wait_exit(60)
        except AssertionError:
            run.game.kill()
            status = "hung at the close button"
        self.retire(run, status)

    # --- checks ---
    def failures(self):
        """What went wrong in any run: a bad exit, a sanitizer report."""
        found = []
        for k, (_, status, err) in enumerate(self.finished, 1):
            if CHECKER_BROKE in err:
                found.append(f"run {k}: the leak checker could not run (its thread tracer broke "
                             f"down), so its leaks went unchecked:\n{err[-4000:]}")
            elif status != 0:
                found.append(f"run {k} ended with {status}:\n{err[-4000:]}")
            elif SANITIZER_REPORT.search(err):
                found.append(f"run {k} has a sanitizer report:\n{err[-6000:]}")
        return found


def held_levels(points, hold):
    """For each (seconds, value) point whose next `hold` seconds were sampled, the lowest value
    over those seconds: the levels the run kept for at least that long."""
    levels = []
    for k, (t, _) in enumerate(points):
        if t + hold > points[-1][0]:
            break
        levels.append(min(v for _, v in itertools.takewhile(lambda point: point[0] <= t + hold,
                                                             points[k:])))
    return levels


def growth_kib(samples, warmup, field=1, least=60.0, hold=30.0):
    """Growth after warm-up of resident memory (or of another field of the samples): the highest
    level the run kept for `hold` seconds after `warmup` seconds minus the highest it kept for as
    long until then. Highest against highest, not the level at two moments: the allocator hands
    pages back when the top of its heap is free and takes them again, and Torvane frees its menu
    pictures at a full-screen toggle and reads them again when they are next shown, so the level
    swings by megabytes while the need stays the same. Kept for `hold` seconds: scratch memory
    that is given back within moments is no growth, while a leak stays and raises the level as
    it goes on. None when less than `least` seconds (or fewer than six samples) were played after
    the warm-up, or the warm-up was shorter than `hold`.

    Samples are (seconds, resident KiB, frames, heap KiB):
    >>> flat = [(t, 1000, 0, 0) for t in range(200)]
    >>> growth_kib(flat, 60)
    0
    >>> handed_back = [(t, 960 if 90 <= t < 150 else 1000, 0, 0) for t in range(200)]
    >>> growth_kib(handed_back, 60), growth_kib(handed_back, 120)
    (0, 0)
    >>> scratch = [(t, 3100 if 120 <= t < 140 else 1000, 0, 0) for t in range(200)]
    >>> growth_kib(scratch, 60), growth_kib(scratch, 60, hold=10)
    (0, 2100)
    >>> leaking = [(t, 1000 + 4 * t, 0, 0) for t in range(200)]
    >>> growth_kib(leaking, 60)
    560
    >>> late_step = [(t, 1000 if t < 160 else 3100, 0, 0) for t in range(200)]
    >>> growth_kib(late_step, 60)
    2100
    >>> growth_kib(flat[:119], 60) is None, growth_kib(flat[:121], 60), growth_kib(flat, 20)
    (True, 0, None)
    >>> growth_kib([(t, 1000, 0, 7 * t) for t in range(200)], 60, field=3)
    980
    """
    before = [(sample[0], sample[field]) for sample in samples if sample[0] < warmup]
    after = [(sample[0], sample[field]) for sample in samples if sample[0] >= warmup]
    if len(after) < 6 or after[-1][0] - after[0][0] < least:
        return None
    kept_before, kept_after = held_levels(before, hold), held_levels(after, hold)
    if not kept_before or not kept_after:
        return None
    return max(kept_after) - max(kept_before)


def frame_rates(samples, window=10.0):
    """Frames per second over consecutive windows of about `window` seconds.

    >>> frame_rates([(0, 0, 0, 0), (5, 0, 150, 0), (10, 0, 300, 0), (22, 0, 420, 0)])
    [30.0, 10.0]
    """
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
    """The longest time, in seconds, between two samples with the same frame count.

    >>> longest_stall([(0.0, 0, 10, 0), (1.5, 0, 10, 0), (3.0, 0, 10, 0), (4.0, 0, 40, 0),
    ...                (5.0, 0, 40, 0), (6.0, 0, 41, 0)])
    3.0
    """
    worst = 0.0
    since = None
    for (t0, _, f0, _), (t1, _, f1, _) in zip(samples, samples[1:]):
        if f1 == f0:
            since = t0 if since is None else since
            worst = max(worst, t1 - since)
        else:
            since = None
    return worst
