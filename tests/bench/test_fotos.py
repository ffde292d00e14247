"""The benchmark's busy scenes drawn both ways give the same picture, byte for byte: Fenwar's 20
missiles, bursts and plane from display lists over its kept scenery and all in immediate mode,
Torvane's level 3 with its missiles and bullets over the kept picture of the scenery and over
scenery drawn afresh. Still, and in every phase of play the benchmark runs (turning, shooting,
changing cannon or tower, a city falling): each phase's picture is taken on the frame of a change
and again some frames later, once the caches have had frames to keep what the change made."""

import os
import subprocess
import sys
import tempfile

from PIL import Image

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
from harness import (ASSETS, BIN_DIR, HEIGHT, WIDTH, XServer, gl_calls, save_shot,  # noqa: E402
                     shim)
from pictures import distinct_colours, where_they_differ  # noqa: E402

HEADER = b"P6\n%d %d\n255\n" % (WIDTH, HEIGHT)

# The player acts on the first frame of a phase and every 12th after it (0.2 s at 16 ms a frame).
# A picture is of the frame numbered like the frame count given, so 12 is a frame with a change
# (a shot, a cannon, a strike) and 15 three frames after it. Torvane's shot of frame 12 hits its
# missile on frame 15: the ammunition changes alone on 12, the score alone on 15. Fenwar's city 0
# falls on frame 24 and stands again on 48, Torvane's falls on frame 48 (five strikes); Torvane's
# travel to tower 1 ends on frame 180, and the next one starts on frame 192. Fenwar comes back to
# its starting cannon's view on frame 36 and to the next on 48, each with barrels turned since its
# picture was kept, which is drawn again only around them.
FENWAR_PHASES = {
    "girando": (12, 15),
    "disparando": (12, 15),
    "cambiando": (12, 15, 36, 48, 51),
    "ciudad": (24, 27, 48),
}
TORVANE_PHASES = {
    "girando": (12, 15),
    "disparando": (12, 15, 18),
    "cambiando": (12, 183, 190),
    "ciudad": (48, 51),
}


def state_of(stdout):
    """The "medida" lines a benchmark program printed, by key without the game and phase."""
    found = {}
    for line in stdout.splitlines():
        words = line.split()
        if len(words) == 3 and words[0] == "medida":
            found[words[1]] = float(words[2])
    return found


def photo(x, program, options, folder, frames=5, phase="quieta"):
    """Runs one benchmark program with --foto from the data folder: the picture, the program's GL
    calls that copy a kept picture or replay a display list, and what it printed."""
    path = os.path.join(folder, "%s-%s-%d%s.ppm" % (program, phase, frames, "".join(options)))
    env = x.env()
    env["LD_PRELOAD"] = shim("gl_calls")
    run = subprocess.run([os.path.join(BIN_DIR, program), "--cuadros", str(frames), "--fase", phase,
                          *options, "--foto", path], cwd=ASSETS, env=env, stdin=subprocess.DEVNULL,
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)
    errors = run.stderr.decode("latin-1")
    assert run.returncode == 0, (program, phase, options, run.returncode, errors)
    assert "could not write" not in errors, errors
    with open(path, "rb") as f:
        data = f.read()
    assert data.startswith(HEADER), (path, data[:20])
    pixels = data[len(HEADER):]
    assert len(pixels) == WIDTH * HEIGHT * 3, (path, len(pixels))
    picture = Image.frombytes("RGB", (WIDTH, HEIGHT), pixels)
    return picture, gl_calls(errors), state_of(run.stdout.decode("latin-1"))


class Game:
    """One game's benchmark program, the option that turns its caches off and the GL calls that
    only its caches make."""

    def __init__(self, x, folder, program, option, label, cached_calls):
        self.x, self.folder = x, folder
        self.program, self.option, self.label = program, option, label
        self.cached_calls = cached_calls

    def both_ways(self, phase="quieta", frames=5):
        """The picture of frame `frames` of `phase` with the caches and without them, which must be
        the same; the picture, the calls with the caches and what the phase left."""
        name = "%s-%s-%d" % (self.label, phase, frames)
        kept, kept_calls, state = photo(self.x, self.program, [], self.folder, frames, phase)
        fresh, fresh_calls, _ = photo(self.x, self.program, [self.option], self.folder, frames,
                                      phase)
        save_shot(kept, "bench-" + name)
        # Without the caches, nothing was copied or replayed that only the caches make.
        for call in self.cached_calls:
            assert fresh_calls[call] == 0, (name, fresh_calls)
        # A black or flat picture would pass the comparison for nothing: the scene is textured.
        assert distinct_colours(kept) > 1000, (name, distinct_colours(kept))
        if kept.tobytes() != fresh.tobytes():
            save_shot(fresh, "bench-%s%s" % (name, self.option))
            count, box, largest = where_they_differ(kept, fresh)
            raise AssertionError("%s, phase %s, frame %d: %d pixels differ with %s, within %s, "
                                 "by up to %d" % (self.label, phase, frames, count, self.option,
                                                  box, largest))
        prefix = "%s_%s_" % (self.label, phase)
        left = {k[len(prefix):]: v for k, v in state.items() if k.startswith(prefix)}
        return kept, kept_calls, left


def check_still(game):
    still, calls, _ = game.both_ways()
    # The faster way was taken in the frames of the one run (16 of them, besides the driver check
    # of the kept picture at start-up).
    for call in game.cached_calls:
        assert calls[call] >= 16, (game.label, calls)
    return still


def check_phases(game, phases, still, did_it):
    """Every phase both ways at each of its frames. Each picture differs from the still scene's
    (the phase changed what is seen), and `did_it` accepts what the phase left."""
    for phase, frames in phases.items():
        for n in frames:
            picture, _, left = game.both_ways(phase, n)
            assert picture.tobytes() != still.tobytes(), \
                "%s, phase %s, frame %d: the still scene's picture" % (game.label, phase, n)
            assert did_it(phase, n, left), (game.label, phase, n, left)


def actions(frames):
    """How many times the player has acted by frame `frames`, that frame included."""
    return frames // 12 + 1


def fenwar_did(phase, frames, left):
    if phase == "girando":
        # The pointer dragged 3 pixels a frame, 0.4 degrees a pixel, for the first 40 frames.
        return abs(left["vista"] - 1.2 * (frames + 1)) < 1e-3
    if phase == "disparando":
        # Every shot hits at least the missile under the cross.
        return left["puntaje"] >= 10 * actions(frames)
    if phase == "cambiando":
        return left["canion"] == (1 + actions(frames)) % 4
    # Cities 0 and 1 start with two strikes' health (5 each) and are struck in turn; a fallen
    # city's next strike finds it standing again with 10. City 2 is never struck.
    health = [10, 10]
    for k in range(actions(frames)):
        health[k % 2] = max(health[k % 2] - 5, 0) if health[k % 2] > 0 else 10
    return left["salud"] == sum(health) + 100


def torvane_did(phase, frames, left):
    if phase == "disparando":
        # Every shot takes one bullet of 40, and hits three frames later.
        hits = (frames - 3) // 12 + 1
        return left["puntaje"] == 10 * hits and left["municion"] == 40 - actions(frames)
    if phase == "cambiando":
        return left["torre"] == 1
    if phase == "ciudad":
        # Five strikes of 3 on city 0 (health 15): it has fallen, the other three stand whole.
        return left["vivas"] == 3 and left["salud"] == 3 * 15
    return phase == "girando"


def main():
    with XServer() as x, tempfile.TemporaryDirectory(prefix="fotos-") as folder:
        fenwar = Game(x, folder, "bench-fenwar", "--sin-listas", "fenwar",
                      ("glCallList", "glBlitFramebuffer"))
        torvane = Game(x, folder, "bench-torvane", "--sin-capa", "torvane",
                       ("glBlitFramebuffer",))
        fenwar_still = check_still(fenwar)
        torvane_still = check_still(torvane)
        assert fenwar_still.tobytes() != torvane_still.tobytes()
        check_phases(fenwar, FENWAR_PHASES, fenwar_still, fenwar_did)
        check_phases(torvane, TORVANE_PHASES, torvane_still, torvane_did)


if __name__ == "__main__":
    main()
