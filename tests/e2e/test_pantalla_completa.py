"""F11 loses nothing: twenty round trips between window and full screen leave each game with the
GL objects, the resident memory and the picture it had after one; and in play the picture after a
round trip is the one before it, proportions and light included."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
from harness import XServer, Game  # noqa: E402
from pictures import mean_colour, quick_difference  # noqa: E402
from fenwar_screen import difficulty, in_play, prepare  # noqa: E402
from torvane_screen import FIELD, SKY, start_play  # noqa: E402

# Resident memory may move by what the allocator and the driver keep between two switches (about
# half a megabyte here); a texture or picture lost at each switch would add far more over twenty.
RESIDENT_SLACK_KIB = 4096


def round_trips(game, count):
    """F11 twice, `count` times, each press taken in a frame of its own (each switch frees and
    reloads every picture); returns the picture once the last switch is drawn and the picture has
    stood still for a dozen frames."""
    for _ in range(count):
        game.key("F11", "F11")
    return game.wait_still(limit=0.001, frames=12)


def check(game, label):
    """One round trip, then twenty: the same objects, flat memory, the same picture."""
    before = round_trips(game, 1)
    game.screenshot("f11-una")
    once = game.gl_objects()
    memory = game.resident_kib()
    assert once["textures"] > 0, once
    after = round_trips(game, 20)
    game.screenshot("f11-veinte")
    twenty = game.gl_objects()
    assert twenty == once, f"{label}: GL objects after one round trip {once}, after 21 {twenty}"
    grown = game.resident_kib() - memory
    assert grown < RESIDENT_SLACK_KIB, f"{label}: resident memory grew by {grown} KiB"
    assert quick_difference(before, after) == 0


def lit_red(shot):
    """True when Torvane's sky is red, as the red light leaves it: unlit it is bluer than red."""
    red, _, blue = mean_colour(shot, SKY)
    return red > blue + 20


def torvane_play_survives_a_round_trip(x):
    """Play under the red light, F11 twice: the same view, as wide and as lit as before."""
    with Game("torvane", x) as game:
        start_play(game)
        # Pause, the light page, red: play resumes under a red light.
        before = game.after("p", "Down", "Down", "Down", "Return", "Return", box=FIELD,
                            label="f11-antes")
        assert lit_red(before), "the red light is not on"
        game.key("F11")
        game.key("F11")
        after = game.wait_still(box=FIELD, label="f11-despues")
        difference = quick_difference(before, after, FIELD)
        assert difference < 4, f"the view changed with F11 ({difference:.2f})"
        assert lit_red(after), "the light was lost with F11"
        game.key("Escape", "Return")
        assert game.wait_exit(10) == 0, game.stderr()


def main():
    with XServer() as x:
        # The cities stand so far apart that every missile falls beyond the far plane, and strike
        # them for nothing: nothing moves in Fenwar's picture.
        still = prepare(difficulty(dificultad=1, separacion_city=1000, por_hit=0))
        with Game("fenwar", x, preload=("gl_objects",), prepare=still) as game:
            game.wait_for_picture(in_play)
            check(game, "fenwar")
            game.key("Escape")
            assert game.wait_exit(10) == 0, game.stderr()

        # Torvane's pause menu stands still; the menu pictures it frees at a switch are read again
        # as they are shown, so the first round trip settles what it holds.
        with Game("torvane", x, preload=("gl_objects",)) as game:
            start_play(game)
            game.key("p")
            check(game, "torvane")
            game.key("Escape", "Return")
            assert game.wait_exit(10) == 0, game.stderr()

        torvane_play_survives_a_round_trip(x)


if __name__ == "__main__":
    main()
