"""F11 loses nothing: twenty round trips between window and full screen leave each game with the
GL objects, the resident memory and the picture it had after one."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import (XServer, Game, asset_picture, quick_difference,  # noqa: E402
                     wait_until_still)
from fenwar_screen import difficulty, in_play, prepare  # noqa: E402

START = asset_picture("texturas/inicio_comenzar.png")
# Resident memory may move by what the allocator and the driver keep between two switches (about
# half a megabyte here); a texture or picture lost at each switch would add far more over twenty.
RESIDENT_SLACK_KIB = 4096


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise OSError("the game has exited")


class Objects:
    """The live GL objects of a game, as the preloaded counter writes them."""

    def __init__(self, folder):
        self.path = os.path.join(folder, "objetos-gl.txt")

    def env(self):
        return {"LD_PRELOAD": os.environ["GL_HOOK"], "GL_OBJECTS_FILE": self.path}

    def read(self):
        with open(self.path) as f:
            fields = f.read().split()
        return dict(zip(fields[::2], map(int, fields[1::2])))


def round_trips(game, count, before=None):
    """F11 twice, `count` times; then waits until the game has handled every switch (each one
    frees and reloads every picture), that is until the picture is `before` again."""
    for _ in range(count):
        game.key("F11", "F11", pause=0.1)
    if before is None:
        time.sleep(1.0)
        return wait_until_still(game, limit=0.001, pause=0.5, timeout=30)[1]
    end = time.time() + 30
    shot = game.screenshot()
    while before is not None and quick_difference(before, shot) != 0:
        assert time.time() < end, "the picture never came back after the switches"
        assert game.running(), game.stderr()
        time.sleep(0.3)
        shot = game.screenshot()
    time.sleep(1.0)
    return shot


def check(game, objects, label):
    """One round trip, then twenty: the same objects, flat memory, the same picture."""
    before = round_trips(game, 1)
    game.screenshot("f11-una")
    once = objects.read()
    memory = resident_kib(game.proc.pid)
    assert once["textures"] > 0, once
    after = round_trips(game, 20, before)
    game.screenshot("f11-veinte")
    twenty = objects.read()
    assert twenty == once, f"{label}: GL objects after one round trip {once}, after 21 {twenty}"
    grown = resident_kib(game.proc.pid) - memory
    assert grown < RESIDENT_SLACK_KIB, f"{label}: resident memory grew by {grown} KiB"
    assert quick_difference(before, after) == 0


def main():
    folder = os.path.join(os.environ.get("SHOTS_DIR", "/tmp"), "pantalla-completa")
    os.makedirs(folder, exist_ok=True)
    with XServer() as x:
        # The cities stand so far apart that every missile falls beyond the far plane, and strike
        # them for nothing: nothing moves in Fenwar's picture.
        objects = Objects(folder)
        still = prepare(difficulty(dificultad=1, separacion_city=1000, por_hit=0))
        with Game("fenwar", x, env=objects.env(), prepare=still) as game:
            game.wait_for_frame(lambda s: in_play(s))
            check(game, objects, "fenwar")
            game.key("Escape")
            assert game.wait_exit(10) == 0, game.stderr()

        # Torvane's pause menu stands still; the menu pictures it frees at a switch are read again
        # as they are shown, so the first round trip settles what it holds.
        objects = Objects(folder)
        with Game("torvane", x, env=objects.env()) as game:
            game.wait_for_frame()
            game.key("Return")
            game.wait_for_frame(lambda s: quick_difference(s, START) > 30, timeout=10)
            game.key("p")
            time.sleep(0.5)
            check(game, objects, "torvane")
            game.key("Escape", "Return")
            assert game.wait_exit(10) == 0, game.stderr()


if __name__ == "__main__":
    main()
