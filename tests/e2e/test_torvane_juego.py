"""Torvane played as a player would: start screen, play with its HUD, shooting, turning the tower,
travelling between towers, the game-over screen and the way out."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import (XServer, Game, asset_picture, closest_picture, quick_difference,  # noqa: E402
                     save_doc_shot, distinct_colours, wait_until_still)

START = {"comenzar": asset_picture("texturas/inicio_comenzar.png"),
         "salir": asset_picture("texturas/inicio_salir.png"),
         "gameover": asset_picture("texturas/gameover.png")}

# The ammunition row: marks 5 HUD units wide from x 200, 40 to 100 up (HUD units are 4/3 of a
# pixel across and 3/4 of a pixel down), so 40 shots end at pixel 533.
LAST_MARK = (527, 408, 533, 447)
OTHER_MARKS = (270, 408, 520, 447)
FIELD = (0, 120, 640, 400)


def shows(game, expected, label):
    shot = game.screenshot(label)
    name, differences = closest_picture(shot, START)
    assert name == expected and differences[name] < 12, (label, differences)
    return shot


def main():
    with XServer() as x, Game("torvane", x) as game:
        game.wait_for_frame()
        time.sleep(0.3)
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
        time.sleep(1.0)
        play = game.screenshot("play")
        assert quick_difference(play, START["comenzar"]) > 30
        sky = play.crop((200, 100, 640, 200))
        assert distinct_colours(sky) > 200, "the sky box is not textured"
        red, green, blue = sky.resize((1, 1)).getpixel((0, 0))
        assert blue > red, (red, green, blue)
        # Score digits top left, the health rows under them, the ammunition row at the bottom.
        assert distinct_colours(play, (0, 0, 160, 20)) > 20
        assert distinct_colours(play, (130, 38, 380, 66)) > 5
        save_doc_shot(play, "torvane.png")

        # A quick click spends one shot: the last mark of the row is gone, the others stay.
        game.click(320, 240)
        time.sleep(0.4)
        shot = game.screenshot("shot-spent")
        assert quick_difference(play, shot, LAST_MARK) > 20, "no ammunition spent"
        assert quick_difference(play, shot, OTHER_MARKS) < 3
        game.click(320, 240)
        time.sleep(0.4)
        twice = game.screenshot()
        assert quick_difference(shot, twice, (520, 408, 527, 447)) > 20

        # Right-drag turns the tower's camera.
        game.drag(320, 240, 420, 200, button=3)
        time.sleep(0.4)
        turned = game.screenshot("turned")
        assert quick_difference(play, turned, FIELD) > 8

        # 2 and 3 travel to the other towers (about three seconds each); 1 comes back to the
        # first camera as it was left.
        views = {}
        for key in ("2", "3"):
            game.key(key)
            time.sleep(0.5)
            travelling = game.screenshot(f"travel-{key}")
            views[key] = wait_until_still(game, limit=0.8, pause=1.0, box=FIELD)[1]
            game.screenshot(f"tower-{key}")
            assert quick_difference(travelling, views[key], FIELD) > 5, key
        # The two far towers see the field from mirrored corners: the cities tell them apart.
        assert quick_difference(views["2"], views["3"], (180, 250, 460, 300)) > 8
        game.key("1")
        time.sleep(0.5)
        assert quick_difference(game.screenshot("travel-1"), turned, FIELD) > 5
        end = time.time() + 15
        while quick_difference(game.screenshot(), turned, FIELD) > 4:
            assert time.time() < end, "the view never came back to the first tower"
            time.sleep(0.1)
        game.screenshot("tower-1")

        game.key("Escape")
        shows(game, "gameover", "game-over")
        game.key("p")
        shows(game, "gameover", "game-over-after-p")
        game.key("Return")
        assert game.wait_exit() == 0, game.stderr()


if __name__ == "__main__":
    main()
