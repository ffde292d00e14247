"""Fenwar starts and draws its textured field; ESC and the close request end it with 0; a missing
difficulty file is reported and play goes on; a missing plane model is fatal; F11 twice keeps the
textures."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import (XServer, Game, distinct_colours, quick_difference,  # noqa: E402
                     wait_until_still)
from fenwar_screen import difficulty, in_play, prepare, read_health, read_score  # noqa: E402

GROUND = (0, 320, 640, 480)
SKY = (0, 80, 640, 260)
# Missiles only after 10 s and never moving, the plane after 150 s: a still scene.
STILL = prepare(difficulty(dificultad=1))


def textured(shot):
    """A textured ground shows many shades; an untextured one a few."""
    return distinct_colours(shot, GROUND) > 300 and distinct_colours(shot, SKY) > 100


def starts_and_ends_on_escape(x):
    with Game("fenwar", x, prepare=STILL) as game:
        shot = game.wait_for_frame(lambda s: in_play(s))
        time.sleep(0.5)
        shot = game.screenshot("arranque")
        assert textured(shot), "the field is not textured"
        assert read_score(shot) == "00000000", read_score(shot)
        assert read_health(shot) == ["100", "100", "100"], read_health(shot)
        game.key("Escape")
        assert game.wait_exit() == 0, game.stderr()
        assert game.stderr() == "", game.stderr()


def ends_on_close_request(x):
    with Game("fenwar", x, prepare=STILL) as game:
        game.wait_for_frame(lambda s: in_play(s))
        game.close_request()
        assert game.wait_exit() == 0, game.stderr()
    # The same from the pause screen.
    with Game("fenwar", x, prepare=STILL) as game:
        game.wait_for_frame(lambda s: in_play(s))
        game.key("p")
        game.wait_for_frame(lambda s: not in_play(s))
        game.close_request()
        assert game.wait_exit() == 0, game.stderr()


def plays_on_without_difficulty_file(x):
    with Game("fenwar", x, prepare=prepare(remove=["dificultad.xml"])) as game:
        shot = game.wait_for_frame(lambda s: in_play(s))
        assert textured(shot)
        time.sleep(0.5)
        assert game.running()
        assert game.stderr() == "Error al cargar el archivo xml dificultad.xml", game.stderr()
        game.key("Escape")
        assert game.wait_exit() == 0


def stops_without_plane_model(x):
    with Game("fenwar", x, prepare=prepare(remove=["Drone.obj"])) as game:
        assert game.wait_exit() == 1, game.stderr()
        assert game.stderr() == "No se pudo abrir el archivo Drone.obj\n", game.stderr()


def full_screen_twice_keeps_textures(x):
    with Game("fenwar", x, prepare=STILL) as game:
        game.wait_for_frame(lambda s: in_play(s))
        _, before = wait_until_still(game)
        game.key("F11")
        time.sleep(1.0)
        full = game.screenshot("pantalla-completa")
        assert game.running(), game.stderr()
        assert textured(full), "no textures in full screen"
        game.key("F11")
        time.sleep(1.0)
        after = game.screenshot("pantalla-completa-vuelta")
        assert textured(after), "no textures after leaving full screen"
        assert quick_difference(before, after) < 1.0, quick_difference(before, after)
        assert read_score(after) == "00000000"
        game.key("Escape")
        assert game.wait_exit() == 0, game.stderr()


def main():
    with XServer() as x:
        starts_and_ends_on_escape(x)
        ends_on_close_request(x)
        plays_on_without_difficulty_file(x)
        stops_without_plane_model(x)
        full_screen_twice_keeps_textures(x)


if __name__ == "__main__":
    main()
