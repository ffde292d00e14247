"""Torvane as a new player meets it: a click before the view was ever turned, level files written
by hand (a city at "nan", a number too large), a city model cut short, full screen refused."""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
from harness import Game, play_cases  # noqa: E402
from pictures import closest_picture, quick_difference  # noqa: E402
from torvane_screen import (FIELD, GAME_OVER, PAUSE, SHOWN, level_file, start_play,  # noqa: E402
                            textured_sky, with_health)

CENTRE = (300, 220, 340, 260)
LAST_MARK = (527, 408, 533, 447)
# Where tower 0 sees the two cities of the first level.
CITIES = (130, 260, 500, 320)

FIRST_CITY = '<ciudad lvl="1" id="0" x="-6"'


def write_levels(x):
    """The shipped level file with the first city of level 1 at x written as given (line 6), and
    cities strong enough to outlive every missile of the level."""
    def change(text):
        assert FIRST_CITY in text and '<salud valor="15"/>' in text
        return with_health(text.replace(FIRST_CITY, f'<ciudad lvl="1" id="0" x="{x}"'), 100)
    return level_file(change)


def cut_city_model(fraction):
    def prepare(folder):
        path = os.path.join(folder, "cubo.3DS")
        with open(path, "rb") as f:
            data = f.read()
        with open(path, "wb") as f:
            f.write(data[:int(len(data) * fraction)])
    return prepare


def the_first_click_fires(x):
    with Game("torvane", x) as game:
        before = start_play(game)
        game.click(320, 240, taken=False)
        shots = []
        for _ in range(8):
            shots.append(game.screenshot())
            game.wait_frames(1)
        game.screenshot("primer-disparo")
        assert quick_difference(before, shots[-1], LAST_MARK) > 20, "no ammunition spent"
        # The bullet leaves the eye towards the middle of the screen and shrinks away within a
        # few frames, so how much of it a screenshot catches depends on when it is taken; the
        # still scene there differs by under 0.05, and a shot that flies nowhere by nothing.
        moved = max(quick_difference(before, shot, CENTRE) for shot in shots)
        assert moved > 1, f"the first shot flew nowhere ({moved:.2f})"
        game.key("Escape", "Return")
        assert game.wait_exit(10) == 0, game.stderr()


def a_city_at_nan_still_lets_the_level_end(x):
    # "nan" is not a number: the city stands at x = 0, and missiles aimed at it fly and strike.
    with Game("torvane", x, prepare=write_levels("nan")) as game:
        start_play(game)
        assert game.stderr() == "", game.stderr()
        game.screenshot("ciudad-nan")
        # The fast speed (pause menu, speed page, third entry; play resumes) makes the level
        # short.
        game.key("p", "Down", "Return", "Down", "Down", "Return")
        assert quick_difference(game.look(), PAUSE) > 30, "play did not resume"
        started = time.time()
        shot = game.wait_for_picture(
            lambda s: min(closest_picture(s, {"pausa": PAUSE, "fin": GAME_OVER})[1].values())
            < SHOWN, timeout=120, what="the end of the level")
        game.screenshot("nivel-terminado")
        name, _ = closest_picture(shot, {"pausa": PAUSE, "fin": GAME_OVER})
        assert name == "pausa", "the level ended in a lost game, not a won one"
        # Ten missiles, launched one every few seconds, then their flight: not in a moment.
        assert time.time() - started > 15, "the level ended before its missiles were spent"
        game.key("Escape", "Return")
        assert game.wait_exit(10) == 0, game.stderr()


def a_number_too_large_stops_the_game_with_its_line(x):
    with Game("torvane", x, prepare=write_levels("1e39")) as game:
        assert game.wait_exit(10) == 1
        lines = game.stderr().encode("latin-1").decode("utf-8").splitlines()
        assert lines == ["Error en el archivo de configuración configuracion.xml: el atributo x "
                         "del elemento ciudad (línea 6) es un número demasiado grande"], lines
        assert not x.top_windows(), "a window was opened"


def a_city_model_cut_short_keeps_its_faces(x):
    pictures = {}
    # Cut in its face list (after the vertices and the mapping list): every vertex and the faces
    # before the cut are kept.
    for label, fraction in (("sin-ciudades", 0.0), ("cubo-cortado", 0.93)):
        with Game("torvane", x, prepare=cut_city_model(fraction)) as game:
            start_play(game)
            pictures[label] = game.wait_still(label=label)
            out = game.stdout()
            game.key("Escape", "Return")
            assert game.wait_exit(10) == 0, game.stderr()
        if fraction:
            counts = [line for line in out.splitlines() if line.startswith("Number of")]
            assert counts[-2:] == ["Number of vertices: 120", "Number of polygons: 60"], counts
            kept = out.split("Number of polygons: 60")[-1].count("Face flags: ")
            assert kept == 34, f"{kept} of the city's 60 faces read"
    difference = quick_difference(pictures["sin-ciudades"], pictures["cubo-cortado"], CITIES)
    assert difference > 2, f"the cut model draws nothing ({difference:.2f})"


def refused_full_screen_keeps_playing(x):
    refuse = ("refuse_video_mode",)
    with Game("torvane", x, preload=refuse) as game:
        start_play(game)
        game.key("F11")
        shot = game.look("f11-rechazado")
        assert game.running(), "F11 ended the game"
        lines = game.stderr().splitlines()
        assert lines == ["No se pudo establecer el modo de video: mode 640x480 refused"], lines
        # Still play, textured: the sky box and the HUD, and the tower's view still turns.
        assert textured_sky(shot), "the sky lost its texture"
        game.drag(320, 240, 420, 200, button=3)
        assert quick_difference(shot, game.look(), FIELD) > 8
        game.key("Escape", "Return")
        assert game.wait_exit(10) == 0, game.stderr()

    # When even the mode that worked cannot be set again there is no window left: status 1.
    with Game("torvane", x, preload=refuse, env={"REFUSE_VIDEO_AFTER": "1"}) as game:
        start_play(game)
        game.key("F11")
        assert game.wait_exit(10) == 1
        lines = game.stderr().splitlines()
        assert lines == ["No se pudo establecer el modo de video: mode 640x480 refused"], lines


def main():
    play_cases(the_first_click_fires,
               a_number_too_large_stops_the_game_with_its_line,
               a_city_model_cut_short_keeps_its_faces,
               refused_full_screen_keeps_playing,
               a_city_at_nan_still_lets_the_level_end)


if __name__ == "__main__":
    main()
