"""The benchmark's busy scenes drawn both ways give the same picture, byte for byte: Fenwar's 20
missiles, bursts and plane from display lists over its kept scenery and all in immediate mode,
Torvane's level 3 with its missiles and bullets over the kept picture of the scenery and over
scenery drawn afresh."""

import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "e2e"))
from harness import ASSETS, BIN_DIR, SHOTS_DIR, XServer  # noqa: E402
from test_torvane_capa import build_gl_counter, gl_calls  # noqa: E402

WIDTH, HEIGHT = 640, 480
HEADER = b"P6\n%d %d\n255\n" % (WIDTH, HEIGHT)


def photo(x, program, options, folder, counter):
    """Runs one benchmark program with --foto from the data folder; the picture's RGB bytes and
    the program's GL calls that copy a kept picture or replay a display list."""
    path = os.path.join(folder, "%s%s.ppm" % (program, "".join(options)))
    env = x.env()
    env["LD_PRELOAD"] = counter
    run = subprocess.run([os.path.join(BIN_DIR, program), "--cuadros", "5", *options,
                          "--foto", path], cwd=ASSETS, env=env, stdin=subprocess.DEVNULL,
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)
    errors = run.stderr.decode("latin-1")
    assert run.returncode == 0, (program, options, run.returncode, errors)
    assert "could not write" not in errors, errors
    with open(path, "rb") as f:
        data = f.read()
    assert data.startswith(HEADER), (path, data[:20])
    pixels = data[len(HEADER):]
    assert len(pixels) == WIDTH * HEIGHT * 3, (path, len(pixels))
    return pixels, gl_calls(errors)


def colours(pixels):
    return len({pixels[i:i + 3] for i in range(0, len(pixels), 3)})


def save(pixels, name):
    from PIL import Image
    os.makedirs(SHOTS_DIR, exist_ok=True)
    Image.frombytes("RGB", (WIDTH, HEIGHT), pixels).save(os.path.join(SHOTS_DIR, name + ".png"))


def where_they_differ(a, b):
    """How many pixels differ, the box holding them (left, top, right, bottom) and the largest
    difference of one channel."""
    count, largest = 0, 0
    left, top, right, bottom = WIDTH, HEIGHT, -1, -1
    for i in range(0, len(a), 3):
        if a[i:i + 3] == b[i:i + 3]:
            continue
        count += 1
        largest = max(largest, *(abs(a[i + k] - b[i + k]) for k in range(3)))
        x, y = (i // 3) % WIDTH, (i // 3) // WIDTH
        left, top, right, bottom = min(left, x), min(top, y), max(right, x), max(bottom, y)
    return count, (left, top, right, bottom), largest


def same_both_ways(x, folder, counter, program, option, label, calls):
    """The picture drawn with the GL `calls` and, with `option`, without them; the two must be
    equal."""
    kept, kept_calls = photo(x, program, [], folder, counter)
    fresh, fresh_calls = photo(x, program, [option], folder, counter)
    save(kept, "bench-%s" % label)
    # The faster way was taken in the frames of the one run (16 of them, besides the driver check
    # of the kept picture at start-up) and never in the other.
    for call in calls:
        assert kept_calls[call] >= 16 and fresh_calls[call] == 0, (label, kept_calls, fresh_calls)
    # A black or flat picture would pass the comparison for nothing: the scene is textured.
    assert colours(kept) > 1000, (label, colours(kept))
    if kept != fresh:
        save(fresh, "bench-%s%s" % (label, option))
        count, box, largest = where_they_differ(kept, fresh)
        raise AssertionError("%s: %d pixels differ with %s, within %s, by up to %d"
                             % (label, count, option, box, largest))
    return kept


def main():
    with XServer() as x, tempfile.TemporaryDirectory(prefix="fotos-") as folder:
        counter = build_gl_counter(folder)
        fenwar = same_both_ways(x, folder, counter, "bench-fenwar", "--sin-listas", "fenwar",
                                ("glCallList", "glBlitFramebuffer"))
        torvane = same_both_ways(x, folder, counter, "bench-torvane", "--sin-capa", "torvane",
                                 ("glBlitFramebuffer",))
        assert fenwar != torvane


if __name__ == "__main__":
    main()
