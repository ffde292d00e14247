"""Fenwar starts and draws its textured field; ESC and the close request end it with 0; a missing
difficulty file is reported and play goes on; a missing plane model is fatal; F11 twice keeps the
textures."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
from harness import Game, play_cases  # noqa: E402
from pictures import quick_difference  # noqa: E402
from fenwar_screen import (difficulty, in_play, prepare, read_health, read_score,  # noqa: E402
                           textured)

# Missiles only after 10 s and never moving, the plane after 150 s: a still scene.
STILL = prepare(difficulty(dificultad=1))


def starts_and_ends_on_escape(x):
    with Game("fenwar", x, prepare=STILL) as game:
        game.wait_for_picture(in_play)
        shot = game.wait_still(label="arranque")
        assert textured(shot), "the field is not textured"
        assert read_score(shot) == "00000000", read_score(shot)
        assert read_health(shot) == ["100", "100", "100"], read_health(shot)
        game.key("Escape")
        assert game.wait_exit() == 0, game.stderr()
        assert game.stderr() == "", game.stderr()


def ends_on_close_request(x):
    with Game("fenwar", x, prepare=STILL) as game:
        game.wait_for_picture(in_play)
        game.close_request()
        assert game.wait_exit() == 0, game.stderr()
    # The same from the pause screen.
    with Game("fenwar", x, prepare=STILL) as game:
        game.wait_for_picture(in_play)
        game.key("p")
        game.wait_for_picture(lambda s: not in_play(s))
        game.close_request()
        assert game.wait_exit() == 0, game.stderr()


def plays_on_without_difficulty_file(x):
    with Game("fenwar", x, prepare=prepare(remove=["dificultad.xml"])) as game:
        shot = game.wait_for_picture(in_play)
        assert textured(shot)
        game.wait_frames(30)  # plays on
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
        game.wait_for_picture(in_play)
        before = game.wait_still()
        full = game.after("F11", label="pantalla-completa")
        assert game.running(), game.stderr()
        assert textured(full), "no textures in full screen"
        after = game.after("F11", label="pantalla-completa-vuelta")
        assert textured(after), "no textures after leaving full screen"
        assert quick_difference(before, after) < 1.0, quick_difference(before, after)
        assert read_score(after) == "00000000"
        game.key("Escape")
        assert game.wait_exit() == 0, game.stderr()


def main():
    play_cases(starts_and_ends_on_escape,
               ends_on_close_request,
               plays_on_without_difficulty_file,
               stops_without_plane_model,
               full_screen_twice_keeps_textures)


if __name__ == "__main__":
    main()
