"""Torvane as a new player meets it: a click before the view was ever turned, level files written
by hand (a city at "nan", a number too large), a city model cut short, full screen refused."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import (XServer, Game, asset_picture, closest_picture, quick_difference,  # noqa: E402
                     distinct_colours)

START = asset_picture("texturas/inicio_comenzar.png")
# The pause menu's first page, as the game shows it between two levels.
PAUSE = asset_picture("texturas/MENU_Selecc_Continuar.jpg")
GAME_OVER = asset_picture("texturas/gameover.png")
CENTRE = (300, 220, 340, 260)
LAST_MARK = (527, 408, 533, 447)
# Where tower 0 sees the two cities of the first level.
CITIES = (130, 260, 500, 320)

FIRST_CITY = '<ciudad lvl="1" id="0" x="-6"'


def write_levels(x):
    """The shipped level file with the first city of level 1 at x written as given (line 6), and
    cities strong enough to outlive every missile of the level."""
    def prepare(folder):
        path = os.path.join(folder, "configuracion.xml")
        with open(path) as f:
            text = f.read()
        assert FIRST_CITY in text and '<salud valor="15"/>' in text
        text = text.replace(FIRST_CITY, f'<ciudad lvl="1" id="0" x="{x}"')
        with open(path, "w") as f:
            f.write(text.replace('<salud valor="15"/>', '<salud valor="100"/>'))
    return prepare


def cut_city_model(fraction):
    def prepare(folder):
        path = os.path.join(folder, "cubo.3DS")
        with open(path, "rb") as f:
            data = f.read()
        with open(path, "wb") as f:
            f.write(data[:int(len(data) * fraction)])
    return prepare


def playing(game):
    """Return on the start screen, then the first picture of play."""
    game.wait_for_frame()
    game.key("Return")
    return game.wait_for_frame(lambda s: quick_difference(s, START) > 30, timeout=10)


def the_first_click_fires(x):
    with Game("torvane", x) as game:
        before = playing(game)
        game.click(320, 240)
        shots = []
        for _ in range(8):
            shots.append(game.screenshot())
            time.sleep(0.02)
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
        playing(game)
        assert game.stderr() == "", game.stderr()
        game.screenshot("ciudad-nan")
        # The fast speed (pause menu, speed page, third entry; play resumes) makes the level
        # short.
        game.key("p", "Down", "Return", "Down", "Down", "Return", pause=0.3)
        time.sleep(0.5)
        assert quick_difference(game.screenshot(), PAUSE) > 30, "play did not resume"
        started = time.time()
        end = time.time() + 120
        while True:
            name, differences = closest_picture(game.screenshot(), {"pausa": PAUSE,
                                                                     "fin": GAME_OVER})
            if differences[name] < 12:
                break
            assert time.time() < end, "the level never ended"
            assert game.running(), game.stderr()
            time.sleep(0.5)
        game.screenshot("nivel-terminado")
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
            playing(game)
            time.sleep(0.5)
            pictures[label] = game.screenshot(label)
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
    refuse = {"LD_PRELOAD": os.environ["REFUSE_HOOK"]}
    with Game("torvane", x, env=refuse) as game:
        playing(game)
        game.key("F11")
        time.sleep(1.0)
        assert game.running(), "F11 ended the game"
        lines = game.stderr().splitlines()
        assert lines == ["No se pudo establecer el modo de video: mode 640x480 refused"], lines
        # Still play, textured: the sky box and the HUD, and the tower's view still turns.
        shot = game.screenshot("f11-rechazado")
        assert distinct_colours(shot, (0, 100, 640, 200)) > 200, "the sky lost its texture"
        game.drag(320, 240, 420, 200, button=3)
        time.sleep(0.4)
        assert quick_difference(shot, game.screenshot(), (0, 120, 640, 400)) > 8
        game.key("Escape", "Return")
        assert game.wait_exit(10) == 0, game.stderr()

    # When even the mode that worked cannot be set again there is no window left: status 1.
    with Game("torvane", x, env=dict(refuse, REFUSE_VIDEO_AFTER="1")) as game:
        playing(game)
        game.key("F11")
        assert game.wait_exit(10) == 1
        assert game.stderr().count("No se pudo establecer el modo de video: ") == 2


def main():
    with XServer() as x:
        the_first_click_fires(x)
        a_number_too_large_stops_the_game_with_its_line(x)
        a_city_model_cut_short_keeps_its_faces(x)
        refused_full_screen_keeps_playing(x)
        a_city_at_nan_still_lets_the_level_end(x)


if __name__ == "__main__":
    main()
