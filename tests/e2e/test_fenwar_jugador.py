"""Fenwar as a new player meets it in the first minutes: keys held down on every screen, a pause
longer than a missile's flight, the slowest difficulty, and full screen refused by the desktop."""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
from harness import Game, play_cases  # noqa: E402
from pictures import quick_difference  # noqa: E402
from fenwar_screen import difficulty, in_play, prepare, read_health  # noqa: E402

SKY = (0, 80, 640, 250)


def started(x, **kwargs):
    game = Game("fenwar", x, **kwargs)
    try:
        game.wait_for_picture(in_play)
    except BaseException:
        game.close()
        raise
    return game


def held(game, key, seconds, every=0.5):
    """Holds `key` down for `seconds` of real time, taking a screenshot every `every` seconds.
    Returns the screenshots, the frames shown while the key was down, and how long it was down."""
    first = game.frames()
    down = time.time()
    game.key_down(key)
    shots = []
    try:
        end = down + seconds
        while time.time() + every <= end:
            time.sleep(every)
            shots.append(game.screenshot())
        time.sleep(max(0.0, end - time.time()))
    finally:
        game.key_up(key)
    return shots, game.frames() - first, time.time() - down


def at_most_one_act_per_wait(shown, length, wait=0.2):
    """A key that waits acts once a frame, and each such frame lasts at least its wait."""
    return shown <= length / wait + 2


def health_total(game, timeout=3.0):
    """The three cities' health added up, read once two screenshots a frame apart agree."""
    end = time.time() + timeout
    last = None
    while time.time() < end:
        values = read_health(game.screenshot())
        if values == last and all(v.isdigit() for v in values):
            return sum(int(v) for v in values)
        last = values
        game.wait_frames(1)
    raise AssertionError(f"the health could not be read: {last}")


def held_keys_keep_the_picture_moving(x):
    # Missiles come every 10 s at the slowest difficulty: the view alone changes the picture.
    with started(x, prepare=prepare(difficulty(dificultad=1))) as game:
        # RIGHT held: a new cannon about every 200 ms plus a frame, each shown, no faster.
        shots, shown, length = held(game, "Right", 2.6)
        game.screenshot("tecla-sostenida")
        for before, after in zip(shots, shots[1:]):
            assert quick_difference(before, after) > 2, "the picture stood still"
        assert shown >= 5 and at_most_one_act_per_wait(shown, length), (shown, length)
        # The frames flow on at their own pace once it is let go: counted over a second of time.
        start = game.frames()
        time.sleep(1.0)
        assert game.frames() - start > 20

        # UP held: four zoom steps 50 ms apart, then the frames flow at full pace again.
        _, shown, _ = held(game, "Up", 1.5)
        assert shown >= 15, f"{shown} frames while zooming"

        # On the configuration screen W, T and L toggle every 200 ms while held, with a frame
        # between two toggles.
        game.key("p", "c")
        for key in ("w", "t", "l"):
            _, shown, length = held(game, key, 1.2, every=2)
            assert shown >= 3 and at_most_one_act_per_wait(shown, length), (key, shown, length)
        # P held there switches between the pause and configuration screens, a frame each time.
        _, shown, _ = held(game, "p", 1.2, every=2)
        assert shown >= 3, f"{shown} frames while p was held"
        game.close_request()
        assert game.wait_exit(10) == 0, game.stderr()


def a_pause_stops_every_missile_in_the_air(x):
    # A missile every second, each taking one point from its city: several fly at any moment.
    busy = prepare(difficulty(dificultad=9, por_hit=1))
    with started(x, prepare=busy) as game:
        time.sleep(7)  # seven launches by the game's clock, the first ones struck
        before = health_total(game)
        assert before < 300, "no missile struck before the pause"
        game.key("p")
        # Longer than any missile's flight, by the clock: before, every missile in the air vanished
        # meanwhile.
        time.sleep(9)
        assert not in_play(game.screenshot("pausa-larga")), "the pause screen is not shown"
        game.key("p")
        resumed = health_total(game)
        assert resumed <= before
        # Missiles in the air when the game was paused strike within a moment; a missile launched
        # after the pause needs nearly 4 s to reach its city.
        end = time.time() + 3.0
        while health_total(game) >= resumed:
            assert time.time() < end, "no missile was left in the air after the pause"
        game.screenshot("tras-la-pausa")
        game.key("Escape")
        assert game.wait_exit(10) == 0, game.stderr()


def the_slowest_difficulty_plays(x):
    with started(x, prepare=prepare(difficulty(dificultad=1))) as game:
        # The first launch comes after 10 s; the missile then falls on its city.
        end = time.time() + 25
        while health_total(game) == 300:
            assert time.time() < end, "no missile ever reached a city at difficulty 1"
            game.wait_frames(5)
        game.screenshot("dificultad-1")
        game.key("Escape")
        assert game.wait_exit(10) == 0, game.stderr()


def refused_full_screen_keeps_playing(x):
    refuse = ("refuse_video_mode",)
    with started(x, preload=refuse, prepare=prepare(difficulty(dificultad=1))) as game:
        game.key("F11")
        game.drawn()
        assert game.running(), "F11 ended the game"
        lines = game.stderr().splitlines()
        assert lines == ["No se pudo establecer el modo de video: mode 640x480 refused"], lines
        # Still the game, textured, and it answers: a new cannon.
        shot = game.wait_for_picture(in_play)
        game.screenshot("f11-rechazado")
        game.key("Right")
        assert quick_difference(shot, game.look(), SKY) > 2
        game.key("Escape")
        assert game.wait_exit(10) == 0, game.stderr()

    # When even the mode that worked cannot be set again, the game has no window left: status 1.
    with started(x, preload=refuse, env={"REFUSE_VIDEO_AFTER": "1"}) as game:
        game.key("F11")
        assert game.wait_exit(10) == 1
        lines = game.stderr().splitlines()
        assert lines == ["No se pudo establecer el modo de video: mode 640x480 refused"], lines


def main():
    play_cases(held_keys_keep_the_picture_moving,
               a_pause_stops_every_missile_in_the_air,
               the_slowest_difficulty_plays,
               refused_full_screen_keeps_playing)


if __name__ == "__main__":
    main()
