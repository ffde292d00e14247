"""Hearing a game as a player does: the game runs on SDL's disk audio driver, which writes what it
would play to a file, and the test reads that recording (16-bit stereo at 44.1 kHz, the machine's
byte order) as levels per window of time, the balance of the two ears and where sounds begin.

Usage in a test:

    ear = Ear(folder)                       # before the game starts
    with Game("torvane", x, env=ear.env()) as game:
        ear.start()
        ...
        before = ear.position()             # frames recorded so far, just before a click
        game.click(320, 240)
        ...
    rec = ear.recording()
    onset = rec.first_sound(before)

The disk driver writes one device buffer (512 frames, 11.6 ms) and then sleeps for
SDL_DISKAUDIODELAY milliseconds; 11 keeps the recording close to the pace of real time. Its file
is written through the C library's buffer, so what is on disk lags what was mixed by a few
thousand bytes: a position read from the file's size is never ahead of the mix, and a sound found
before it was certainly mixed before that moment.
"""

import array
import math
import os
import sys
import threading
import time

from harness import Game, play_cases

RATE = 44100
CHANNELS = 2
FRAME_BYTES = 2 * CHANNELS
# Frames the device asks for at a time.
BUFFER = 512
# What the C library may hold back of the file, in frames: a 4 KiB buffer and the device buffer
# being written.
FILE_LAG = 4096 // FRAME_BYTES + BUFFER
# A sample below this is the rounding of a voice fading out, not a sound: 16-bit silence is 0.
QUIET = 8


def ms(frames):
    return frames * 1000.0 / RATE


def frames_in(milliseconds):
    return int(milliseconds * RATE / 1000)


class Recording:
    """A finished or partial recording: interleaved left and right samples."""

    def __init__(self, samples):
        self.samples = samples

    @classmethod
    def read(cls, path):
        samples = array.array("h")
        with open(path, "rb") as f:
            data = f.read()
        samples.frombytes(data[:len(data) - len(data) % FRAME_BYTES])
        return cls(samples)

    @property
    def frames(self):
        return len(self.samples) // CHANNELS

    def levels(self, start, end):
        """Root mean square of the left and the right ear over frames [start, end)."""
        start, end = max(0, int(start)), min(self.frames, int(end))
        if end <= start:
            return 0.0, 0.0
        left = self.samples[2 * start:2 * end:2]
        right = self.samples[2 * start + 1:2 * end:2]
        n = end - start
        return (math.sqrt(sum(v * v for v in left) / n),
                math.sqrt(sum(v * v for v in right) / n))

    def windows(self, size=BUFFER, start=0, end=None):
        """Levels per window of `size` frames: a list of (first frame, left, right)."""
        end = self.frames if end is None else min(end, self.frames)
        return [(i, *self.levels(i, i + size)) for i in range(int(start), int(end), size)]

    def loud(self, frame):
        return (abs(self.samples[2 * frame]) > QUIET
                or abs(self.samples[2 * frame + 1]) > QUIET)

    def first_sound(self, start=0, end=None):
        """The first frame in [start, end) with sound in either ear, or None."""
        end = self.frames if end is None else min(end, self.frames)
        for i in range(max(0, int(start)), end):
            if self.loud(i):
                return i
        return None

    def silent(self, start, end):
        return self.first_sound(start, end) is None

    def sounds(self, start=0, end=None, gap=frames_in(20)):
        """The stretches of sound in [start, end): (first, last + 1) frame pairs, a stretch
        ending once `gap` frames pass in silence."""
        end = self.frames if end is None else min(end, self.frames)
        found = []
        i = self.first_sound(start, end)
        while i is not None:
            last = i
            j = i
            while j < end and j - last < gap:
                if self.loud(j):
                    last = j
                j += 1
            found.append((i, last + 1))
            i = self.first_sound(last + gap, end)
        return found


def balance(left, right):
    """-1 wholly left, 0 centred, 1 wholly right (0 for silence)."""
    total = left + right
    return 0.0 if total == 0 else (right - left) / total


class Ear:
    """The disk driver's recording of one run, and a watch of how far it has got."""

    def __init__(self, folder, delay_ms=11):
        self.path = os.path.join(folder, "recording.raw")
        self.delay_ms = delay_ms
        self._steps = []  # (monotonic time, frames on disk) each time the file grew
        self._stop = threading.Event()
        self._watch = None

    def env(self):
        return {"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": self.path,
                "SDL_DISKAUDIODELAY": str(self.delay_ms)}

    def on_disk(self):
        try:
            return os.stat(self.path).st_size // FRAME_BYTES
        except OSError:
            return 0

    def start(self):
        """Starts watching the file grow (every millisecond, on a thread of its own)."""
        def watch():
            last = -1
            while not self._stop.is_set():
                size = self.on_disk()
                if size != last:
                    self._steps.append((time.monotonic(), size))
                    last = size
                time.sleep(0.001)
        self._watch = threading.Thread(target=watch, daemon=True)
        self._watch.start()

    def stop(self):
        self._stop.set()
        if self._watch:
            self._watch.join()

    def wait_recording(self, timeout=10):
        """True once the device has written anything; False when nothing comes within `timeout`
        seconds (SDL has no disk driver here, or it would not open)."""
        end = time.time() + timeout
        while time.time() < end:
            if self.on_disk() > 0:
                return True
            time.sleep(0.02)
        return False

    def position(self):
        """Frames on disk now: the mix has certainly got at least this far."""
        return self.on_disk()

    def pace(self):
        """Frames recorded per second of the wall clock, over the whole watch."""
        steps = [s for s in self._steps if s[1] > 0]
        if len(steps) < 2 or steps[-1][0] == steps[0][0]:
            return 0.0
        return (steps[-1][1] - steps[0][1]) / (steps[-1][0] - steps[0][0])

    def at_time(self, moment):
        """The frame the recording had reached at `moment` (time.monotonic()), as the file's
        growth shows it: between two growths the pace of the recording is taken as even."""
        before = [s for s in self._steps if s[0] <= moment]
        after = [s for s in self._steps if s[0] > moment]
        if not before:
            return 0
        t0, f0 = before[-1]
        if not after:
            return f0
        t1, f1 = after[0]
        return int(f0 + (f1 - f0) * (moment - t0) / (t1 - t0))

    def recording(self):
        return Recording.read(self.path)


class NoDiskDriver(Exception):
    """SDL recorded nothing on its disk driver: the test cannot listen on this machine."""


# What ctest counts as a skip.
SKIPPED = 77


def play_listening_cases(*cases):
    """harness.play_cases, ending the test as a skip when SDL records nothing here."""
    try:
        play_cases(*cases)
    except NoDiskDriver as e:
        print(f"skipped: SDL's disk audio driver recorded nothing here. {e}")
        sys.exit(SKIPPED)


def listening(name, x, ear, **game):
    """Starts game `name` on `x` recording into `ear` (harness.Game's own arguments in `game`);
    NoDiskDriver when nothing is ever recorded."""
    env = dict(game.pop("env", {}), **ear.env())
    g = Game(name, x, env=env, **game)
    if not ear.wait_recording():
        said = g.stderr()
        g.close()
        raise NoDiskDriver(said)
    ear.start()
    return g


def click_mark(game, ear, at=None):
    """A click (at `at`, or where the pointer is); returns where the recording had got when it
    was sent, and when."""
    if at is not None:
        game.move(*at)
    mark = ear.position()
    moment = time.monotonic()
    game.click(taken=False)
    return mark, moment


# From a click to its sound: the game takes the click at its next frame, the sound starts in the
# next device buffer (11.6 ms) and is heard a buffer later: within 30 ms of the frame that took it.
HEARD_WITHIN_MS = 30


def assert_heard_after(rec, ear, mark, moment, frame_ms, what):
    """A sound begins after the click sent at recording position `mark` and time `moment`, never
    before it, within HEARD_WITHIN_MS and a frame by the recording's clock (which runs behind the
    mix by what the file holds back, so the delay found is if anything too long). Returns where."""
    onset = rec.first_sound(mark - FILE_LAG)
    assert onset is not None and onset >= mark, (
        f"a sound {ms(mark - (onset or 0)):.1f} ms before the click")
    late = ms(onset - ear.at_time(moment))
    print(f"{what}: heard {late:.1f} ms after the click by the recording's clock (at most "
          f"{ms(onset - mark):.1f} ms after the file's size at the click); the recording keeps "
          f"{ear.pace():.0f} frames a second, the game a frame every {frame_ms:.1f} ms")
    assert late < HEARD_WITHIN_MS + frame_ms, f"the {what} came {late:.1f} ms late"
    return onset
