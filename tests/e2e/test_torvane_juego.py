"""Torvane played as a player would: start screen, play with its HUD, shooting, turning the tower,
travelling between towers, the game-over screen and the way out."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
from harness import XServer, Game, save_doc_shot  # noqa: E402
from pictures import closest_picture, distinct_colours, quick_difference  # noqa: E402
from torvane_screen import FIELD, GAME_OVER, SHOWN, START, picture, textured_sky  # noqa: E402

START_SCREENS = {"comenzar": START, "salir": picture("inicio_salir.png"), "gameover": GAME_OVER}

# The ammunition row: marks 5 HUD units wide from x 200, 40 to 100 up (HUD units are 4/3 of a
# pixel across and 3/4 of a pixel down), so 40 shots end at pixel 533.
LAST_MARK = (527, 408, 533, 447)
OTHER_MARKS = (270, 408, 520, 447)


def shows(game, expected, label):
    shot = game.look(label)
    name, differences = closest_picture(shot, START_SCREENS)
    assert name == expected and differences[name] < SHOWN, (label, differences)
    return shot


def main():
    with XServer() as x, Game("torvane", x) as game:
        game.wait_for_picture()
        out = game.stdout()
        assert "ChunkID: 4d4d" in out and "Number of vertices:" in out, out[:300]

        shows(game, "comenzar", "start")
        game.key("Down")
        shows(game, "salir", "start-salir")
        game.key("Down")  # held at the last entry
        shows(game, "salir", "start-salir-again")
        game.key("Up", "p")  # p on the start screen keeps it
        shows(game, "comenzar", "start-after-p")

        game.key("Return")
        play = game.wait_still(label="play")
        assert quick_difference(play, START) > 30
        assert textured_sky(play, (200, 100, 640, 200)), "the sky box is not textured"
        # Score digits top left, the health rows under them, the ammunition row at the bottom.
        assert distinct_colours(play, (0, 0, 160, 20)) > 20
        assert distinct_colours(play, (130, 38, 380, 66)) > 5
        save_doc_shot(play, "torvane.png")

        # A quick click spends one shot: the last mark of the row is gone, the others stay.
        game.click(320, 240)
        shot = game.look("shot-spent")
        assert quick_difference(play, shot, LAST_MARK) > 20, "no ammunition spent"
        assert quick_difference(play, shot, OTHER_MARKS) < 3
        game.click(320, 240)
        twice = game.look()
        assert quick_difference(shot, twice, (520, 408, 527, 447)) > 20

        # Right-drag turns the tower's camera.
        game.drag(320, 240, 420, 200, button=3)
        turned = game.look("turned")
        assert quick_difference(play, turned, FIELD) > 8

        # 2 and 3 travel to the other towers (about three seconds each); 1 comes back to the
        # first camera as it was left.
        views = {}
        for key in ("2", "3"):
            game.key(key)
            travelling = game.look(f"travel-{key}")
            views[key] = game.wait_still(limit=0.8, frames=30, box=FIELD, label=f"tower-{key}")
            assert quick_difference(travelling, views[key], FIELD) > 5, key
        # The two far towers see the field from mirrored corners: the cities tell them apart.
        assert quick_difference(views["2"], views["3"], (180, 250, 460, 300)) > 8
        game.key("1")
        assert quick_difference(game.look("travel-1"), turned, FIELD) > 5
        game.wait_for_picture(lambda s: quick_difference(s, turned, FIELD) <= 4,
                              what="the view of the first tower")
        game.screenshot("tower-1")

        game.key("Escape")
        shows(game, "gameover", "game-over")
        game.key("p")
        shows(game, "gameover", "game-over-after-p")
        game.key("Return")
        assert game.wait_exit() == 0, game.stderr()


if __name__ == "__main__":
    main()
