"""Fenwar's overlay and menu screens: the score and city lines where they belong, a white menu
picture shown as the flat dark-green tint, and the menus unchanged by outline mode and zoom.
Also takes the README's pictures of play and of the pause screen."""

import os
import sys
import time

from PIL import ImageChops

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
from harness import Game, play_cases, save_doc_shot  # noqa: E402
from pictures import count_pixels, quick_difference  # noqa: E402
from fenwar_screen import (GREEN, difficulty, health_colour, in_play, prepare,  # noqa: E402
                           read_health, read_score)

TINT = (10, 87, 20)  # (0.039, 0.341, 0.078) of white


def white_menus_show_the_flat_tint(x):
    white = prepare(difficulty(dificultad=1),
                    flat_images={"menu.jpg": (255, 255, 255), "menu3.jpg": (255, 255, 255)})
    with Game("fenwar", x, prepare=white) as game:
        game.wait_for_picture(in_play)
        for keys, label in ((("p",), "menu-blanco"), (("c",), "config-blanco")):
            shot = game.after(*keys, label=label)
            off = count_pixels(shot, lambda p: any(abs(a - b) > 2 for a, b in zip(p, TINT)))
            assert off == 0, f"{label}: {off} pixels are not the tint"
        game.close_request()
        assert game.wait_exit() == 0


def overlay_and_menus(x):
    with Game("fenwar", x, prepare=prepare(difficulty(dificultad=1))) as game:
        shot = game.wait_for_picture(in_play)
        # The score: eight green digits at the top left; the cities: three lines at the top right.
        assert read_score(shot) == "00000000", read_score(shot)
        assert read_health(shot) == ["100", "100", "100"]
        assert all(health_colour(shot, line) == GREEN for line in range(3))
        label = count_pixels(shot, lambda p: p[2] > 200 and p[0] < 60 and p[1] < 60,
                             (488, 0, 570, 80))
        assert label > 150, "the blue c-i-t-y labels are missing"
        stray = count_pixels(shot, lambda p: p[1] > 230 and max(p[0], p[2]) < 30,
                             (0, 75, 640, 480))
        assert stray < 20, "green digits below the overlay"

        pause = game.after("p", label="pausa-menu")
        save_doc_shot(pause, "fenwar-pausa.png")
        config = game.after("c")
        # Outline mode in the game frame, then the menus again.
        game.after("w", "p", "p")
        outlined = game.after("p", label="pausa-contorno")
        assert not ImageChops.difference(outlined, pause).getbbox(), \
            quick_difference(outlined, pause)
        assert not ImageChops.difference(game.after("c"), config).getbbox()
        # Filled again, zoomed all the way in, then the menus again.
        game.after("w", "p", "p", "Up", "Up", "Up", "Up")
        zoomed = game.after("p", label="pausa-zoom")
        assert not ImageChops.difference(zoomed, pause).getbbox(), quick_difference(zoomed, pause)
        game.key("q")
        assert game.wait_exit() == 0, game.stderr()


def moving_patch(a, b):
    """The middle of what moved between two pictures of the field (a falling missile), or None."""
    box = ImageChops.difference(a, b).crop((0, 80, 640, 480)).convert("L").point(
        lambda v: 255 if v > 40 else 0).getbbox()
    if not box:
        return None
    return (box[0] + box[2]) / 2, 80 + (box[1] + box[3]) / 2


def picture_for_the_readme(x):
    """A game under way: cities, a falling missile, one shot down, some damage."""
    with Game("fenwar", x, prepare=prepare(difficulty(dificultad=6, por_hit=10))) as game:
        game.wait_for_picture(in_play)
        game.key("Left")
        game.drag(320, 200, 320, 230, button=3)
        time.sleep(4.0)  # launches come by the game's clock: a few missiles in the air
        for _ in range(20):
            a = game.screenshot()
            game.wait_frames(4)
            target = moving_patch(a, game.screenshot())
            if target:
                game.click(*target)
                if read_score(game.look()) != "00000000":
                    break
        time.sleep(1.5)  # more of the game, by its clock: some damage on the cities
        shot = game.screenshot("juego")
        assert in_play(shot)
        save_doc_shot(shot, "fenwar.png")
        game.key("Escape")
        assert game.wait_exit() == 0, game.stderr()


def main():
    play_cases(white_menus_show_the_flat_tint, overlay_and_menus, picture_for_the_readme)


if __name__ == "__main__":
    main()
