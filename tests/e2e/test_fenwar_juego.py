"""Fenwar played: fast deadly missiles bring the cities down (health colours on the way) and the
pause screen comes by itself; SPACE there starts a new game and q ends it; a falling missile is
found, clicked with quick clicks and scored; the keys change what the screen shows."""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
from harness import Game, play_cases  # noqa: E402
from pictures import count_pixels, mean_colour, quick_difference  # noqa: E402
from fenwar_screen import (GREEN, RED, WHITE, YELLOW, difficulty, health_colour,  # noqa: E402
                           in_play, prepare, read_health, read_score)

GROUND = (0, 330, 640, 480)
SKY = (0, 80, 640, 250)
EXPECTED_COLOUR = {"100": GREEN, "070": GREEN, "040": YELLOW, "010": RED, "000": WHITE}
MAGENTA = (255, 0, 255)


def settled(game):
    """A screenshot a frame later."""
    game.wait_frames(1)
    return game.screenshot()


def sound_health(shot, line, text):
    """An unreadable line, or a health value the game shows in its own colour."""
    return "?" in text or (text in EXPECTED_COLOUR and
                           health_colour(shot, line) == EXPECTED_COLOUR[text])


def cities_fall_and_the_game_starts_again(x):
    deadly = prepare(difficulty(dificultad=14, por_hit=30, rad_city=0.5))
    with Game("fenwar", x, prepare=deadly) as game:
        game.wait_for_picture(in_play)
        seen = set()
        end = time.time() + 60
        while True:
            shot = game.screenshot()
            if not in_play(shot) and not in_play(settled(game)):
                break
            texts = read_health(shot)
            if not all(sound_health(shot, line, text) for line, text in enumerate(texts)):
                # The picture may mix two frames (the X server can serve a screenshot between
                # the parts of one frame): a wrong reading counts only if a frame later it stands.
                again = settled(game)
                if read_health(again) != texts:
                    continue
                for line, text in enumerate(texts):
                    assert sound_health(again, line, text), (line, text)
            seen.update(text for text in texts if "?" not in text)
            assert time.time() < end, "the cities never fell"
            game.wait_frames(1)
        assert seen - {"100"}, "no damage ever showed"
        game.screenshot("ciudades-caidas")
        assert mean_colour(shot, (0, 0, 640, 480))[1] > mean_colour(shot, (0, 0, 640, 480))[0]
        # SPACE: a new game at once, cities full and score 0.
        game.key("space")
        shot = game.wait_for_picture(in_play, 5, what="the new game")
        assert read_health(shot) == ["100", "100", "100"], read_health(shot)
        assert read_score(shot) == "00000000"
        # Lost again; q on the pause screen ends the program.
        game.wait_for_picture(lambda s: not in_play(s), 60, what="the pause screen again")
        game.key("q")
        assert game.wait_exit() == 0, game.stderr()


def magenta_centre(shot):
    """The middle of the largest patch of missile skin on the screen, or None."""
    points = []
    for y in range(40, 480, 2):
        for x in range(0, 640, 2):
            r, g, b = shot.getpixel((x, y))
            if r > 120 and b > 120 and g < 60:
                points.append((x, y))
    if len(points) < 3:
        return None
    def near(p, q):
        return abs(p[0] - q[0]) < 25 and abs(p[1] - q[1]) < 40
    best = max(points, key=lambda p: sum(near(p, q) for q in points))
    patch = [q for q in points if near(best, q)]
    return sum(q[0] for q in patch) / len(patch), sum(q[1] for q in patch) / len(patch)


def a_falling_missile_is_shot_down(x):
    # Difficulty 3: a launch every 3 s; the missile skin is magenta.
    falling = prepare(difficulty(dificultad=3, puntos_misil=10),
                      flat_images={"avion.jpg": MAGENTA})
    with Game("fenwar", x, prepare=falling) as game:
        game.wait_for_picture(in_play)
        time.sleep(3.5)  # the first launch, by the game's clock
        # A missile falls every 3 s somewhere over the cities: turn through the cannons until one
        # is in sight, then aim at it and click quickly until it is down (it moves on between
        # the picture and the click).
        target = None
        for _ in range(12):
            shot = game.screenshot()
            target = magenta_centre(shot)
            if target:
                break
            game.key("Left")
            game.drawn()
        assert target, "no missile in sight from any cannon"
        game.screenshot("misil-en-vuelo")
        assert read_score(shot) == "00000000"
        end = time.time() + 20
        while read_score(game.screenshot()) == "00000000":
            assert time.time() < end, "no click brought a missile down"
            target = magenta_centre(game.screenshot())
            if target is None:
                game.key("Left")
                game.drawn()
                continue
            # The aim is read at the start of a frame: point first, then a quick click.
            game.click(*target)
            game.drawn()
        shot = game.screenshot("misil-derribado")
        assert read_score(shot) == "00000010", read_score(shot)
        game.key("Escape")
        assert game.wait_exit() == 0, game.stderr()


def keys_change_the_picture(x):
    # The cities stand far outside the world, so the missiles aimed at them are never in view
    # and every picture here shows only what the keys change.
    still = prepare(difficulty(dificultad=1, separacion_city=1000, por_hit=0))
    with Game("fenwar", x, prepare=still) as game:
        game.wait_for_picture(in_play)
        after = game.after

        # Each change is compared with the picture right before it.
        base = after("Left", label=None)
        zoomed = after("Up", "Up", label="zoom")
        assert quick_difference(zoomed, base, GROUND) > 3, "zoom changed nothing"
        back = after("Down", "Down", "Down", label=None)
        assert quick_difference(back, base) < 0.5, "zooming out does not return to the start"

        greener = after("y", "y", "y", label="luz-verde")
        assert mean_colour(greener, SKY)[1] > mean_colour(back, SKY)[1] + 5
        base = after("t", "t", "t", label=None)
        assert quick_difference(base, back) < 0.5

        moved = after("m", "m", "m", "m", "m", "k", "k", "k", "k", "k", label="luz-movida")
        assert quick_difference(moved, base) > 0.5, "the light direction changed nothing"
        base = after("u", "u", "u", "u", "u", "j", "j", "j", "j", "j", label=None)

        turned = after("Right", label="otro-canion")
        assert quick_difference(turned, base) > 5

        # Configuration: outline mode, then textures off, then the light off.
        pause = after("p", label="pausa")
        assert not in_play(pause)
        config = after("c", label="configuracion")
        assert not in_play(config) and quick_difference(config, pause) > 2
        lines = after("w", "p", "p", label="contorno")
        # Everything is outlined, the overlay's bars too.
        assert quick_difference(lines, pause) > 5 and not in_play(lines)
        black = count_pixels(lines, lambda p: max(p) < 30, GROUND)
        assert black > 0.3 * 640 * 150, black
        plain = after("p", "c", "w", "t", "p", "p", label="sin-texturas")
        yellow = count_pixels(plain, lambda p: p[0] > 200 and p[1] > 200 and p[2] < 80, GROUND)
        assert yellow > 0.9 * 640 * 150, yellow
        lit = after("p", "c", "t", "p", "p", label=None)
        assert quick_difference(lit, turned) < 0.5, "settings did not come back"
        unlit = after("p", "c", "l", "p", "p", label="sin-luz")
        assert quick_difference(unlit, lit, SKY) > 3, "switching the light off changed nothing"
        relit = after("p", "c", "l", "p", "p", label=None)
        assert quick_difference(relit, lit) < 0.5
        game.key("Escape")
        assert game.wait_exit() == 0, game.stderr()


def main():
    play_cases(a_falling_missile_is_shot_down,
               keys_change_the_picture,
               cities_fall_and_the_game_starts_again)


if __name__ == "__main__":
    main()
