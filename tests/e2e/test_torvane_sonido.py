"""Torvane heard as a player hears it, through SDL's disk audio driver: a bullet after its click
and not before, the dry click of an empty tower, S silencing what follows and bringing it back,
the pause menu silent and play resuming from silence, a strike on the left of the view louder in
the left ear; and with no sound device, nothing new on stderr. Exits 77 where SDL has no disk
driver."""

import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
from harness import Game  # noqa: E402
from listening import (FILE_LAG, Ear, assert_heard_after, balance, click_mark,  # noqa: E402
                       frames_in, listening, ms, play_listening_cases)
from pictures import quick_difference  # noqa: E402
from torvane_screen import PAUSE, START, level_file, start_play, with_health  # noqa: E402

# The first two marks of the row of bullets left, at the bottom of the HUD.
BULLETS_ROW = (262, 400, 282, 452)
# The bullet's whistle lasts 0.16 s; the dry click 0.06 s, its last hundredths too faint to count.
BULLET = frames_in(160)
DRY_CLICK = (frames_in(10), frames_in(70))


def with_ammunition(count):
    def change(text):
        assert '<municion cant="40"/>' in text
        return text.replace('<municion cant="40"/>', f'<municion cant="{count}"/>')
    return change


def cities_on_the_left(text):
    """Level 1's two cities far to the left of tower 0's first view (it looks along -z from
    z = 45), strong enough to outlive every missile of the level."""
    first = '<ciudad lvl="1" id="0" x="-6" y="0" z="2"/>'
    second = '<ciudad lvl="1" id="1" x="6" y="0" z="-2"/>'
    assert first in text and second in text
    text = text.replace(first, '<ciudad lvl="1" id="0" x="-40" y="0" z="5"/>')
    text = text.replace(second, '<ciudad lvl="1" id="1" x="-45" y="0" z="-5"/>')
    return with_health(text, 100)


def clicks_s_pause_and_the_empty_tower(x):
    with tempfile.TemporaryDirectory() as folder:
        ear = Ear(folder)
        with listening("torvane", x, ear, prepare=level_file(with_ammunition(2))) as game:
            game.wait_for_picture()
            # S is free on the start screen: the picture stays.
            game.key("s", "s")
            assert quick_difference(game.look(), START) < 12, "S changed the start screen"
            start_play(game)
            time.sleep(0.5)  # the menu's choice rings out: the field is silent again

            # 1. A bullet: nothing before the click, the whistle soon after it.
            first, first_time = click_mark(game, ear, (320, 240))
            frames, since = game.frames(), time.monotonic()
            time.sleep(0.4)
            frame_ms = (time.monotonic() - since) * 1000 / max(1, game.frames() - frames)
            # 2. S, then a click that fires (its mark is spent) and is not heard; S again.
            game.key("s")
            silenced = ear.position()
            before = game.screenshot()
            game.click()
            assert quick_difference(before, game.look(), BULLETS_ROW) > 5, "the click fired nothing"
            time.sleep(0.3)
            game.key("s")
            back_on = ear.position()
            time.sleep(0.2)
            # 3. The tower is empty now: a dry click, heard again.
            dry, _ = click_mark(game, ear, (320, 240))
            time.sleep(0.3)
            # 4. The pause menu: silence however long it stays, then play resumes from silence.
            game.key("p")
            assert quick_difference(game.look(), PAUSE) < 12, "no pause menu"
            paused = ear.position()
            time.sleep(1.0)
            game.key("p")
            resumed = ear.position()
            time.sleep(0.5)
            # 5. A new event after the pause is heard.
            again, _ = click_mark(game, ear, (320, 240))
            time.sleep(0.3)
            # 6. The travel to tower 2: a whoosh.
            travel = ear.position()
            game.key("2")
            time.sleep(0.7)
            quitting = ear.position()
            game.key("Escape", "Return")
            assert game.wait_exit(10) == 0, game.stderr()
            assert game.stderr() == "", game.stderr()
        ear.stop()
        rec = ear.recording()

    assert_heard_after(rec, ear, first, first_time, frame_ms, "bullet")
    stretches = rec.sounds(first, silenced)
    assert len(stretches) == 1, stretches
    length = stretches[0][1] - stretches[0][0]
    assert abs(length - BULLET) < frames_in(20), f"a bullet of {ms(length):.0f} ms"
    left, right = rec.levels(*stretches[0])
    print(f"bullet: left {left:.0f} right {right:.0f} ({ms(length):.0f} ms)")
    assert left > 1000 and abs(balance(left, right)) < 0.02, (left, right)

    assert rec.silent(silenced + FILE_LAG, back_on), "a click was heard with the sound off"

    stretches = rec.sounds(back_on, paused)
    assert len(stretches) == 1, f"the dry click: {stretches}"
    start, end = stretches[0]
    assert start >= dry, "the dry click came before its click"
    assert DRY_CLICK[0] < end - start < DRY_CLICK[1], f"a dry click of {ms(end - start):.0f} ms"
    left, right = rec.levels(start, end)
    print(f"dry click: left {left:.0f} right {right:.0f} ({ms(end - start):.0f} ms)")
    assert left > 300 and abs(balance(left, right)) < 0.02, (left, right)

    assert rec.silent(paused + FILE_LAG, resumed), "sound in the pause menu"
    assert rec.silent(resumed, again), "play resumed with sound though nothing happened"
    heard = rec.sounds(again, travel)
    assert len(heard) == 1 and heard[0][0] >= again, f"after the pause: {heard}"

    whoosh = rec.sounds(travel, quitting)
    assert len(whoosh) == 1 and whoosh[0][0] >= travel, f"the travel: {whoosh}"
    start, end = whoosh[0]
    left, right = rec.levels(start, end)
    print(f"travel: left {left:.0f} right {right:.0f} ({ms(end - start):.0f} ms)")
    assert end - start > frames_in(300) and abs(balance(left, right)) < 0.02, (left, right)


def a_strike_on_the_left_is_louder_on_the_left(x):
    with tempfile.TemporaryDirectory() as folder:
        ear = Ear(folder)
        with listening("torvane", x, ear, prepare=level_file(cities_on_the_left)) as game:
            start_play(game)
            time.sleep(0.4)  # the start screen's choice rings out
            # The fast speed (pause menu, speed page, third entry; play resumes): missiles strike
            # some 6 s after their launch. The menu's steps and choices are heard in the pause.
            in_menu = ear.position()
            game.key("p", "Down", "Return", "Down", "Down", "Return")
            resumed = ear.position()
            game.screenshot("sonido-ciudades-a-la-izquierda")
            end = time.time() + 60
            strikes = []
            while time.time() < end and not strikes:
                time.sleep(1.0)
                strikes = ear.recording().sounds(resumed + frames_in(300))
            time.sleep(1.0)  # the whole strike, 0.75 s
            quitting = ear.position()
            # Giving up is the game over: its notice is heard on the game-over screen.
            game.key("Escape")
            time.sleep(0.5)
            game.key("Return")
            assert game.wait_exit(10) == 0, game.stderr()
        ear.stop()
        rec = ear.recording()

    assert strikes, "no strike heard in a minute of play"
    # The start screen's choice, then the pause menu's steps and choices.
    assert rec.sounds(0, in_menu), "the start screen's choice was not heard"
    assert rec.sounds(in_menu, resumed), "the pause menu's steps and choices were not heard"
    for start, end in rec.sounds(0, resumed + frames_in(300)):
        left, right = rec.levels(start, end)
        assert abs(balance(left, right)) < 0.02, f"a menu sound off centre: {left} {right}"
    for start, end in rec.sounds(resumed + frames_in(300), quitting):
        left, right = rec.levels(start, end)
        print(f"strike: left {left:.0f} right {right:.0f} ({ms(end - start):.0f} ms)")
        assert left > 2 * right and left > 300, f"a strike on the left: {left:.0f} {right:.0f}"
        # Left all through, not only on the whole: every audible window of it.
        for first, window_left, window_right in rec.windows(start=start, end=end):
            if window_left + window_right > 50:
                assert window_left > window_right, (first, window_left, window_right)
    over = rec.sounds(quitting + FILE_LAG)
    assert over, "the game over was not heard"
    left, right = rec.levels(*over[0])
    print(f"game over: left {left:.0f} right {right:.0f} ({ms(over[0][1] - over[0][0]):.0f} ms)")
    assert left > 1000 and abs(balance(left, right)) < 0.02, (left, right)


def no_device_prints_nothing(x):
    # The machine's own default (no sound server here) and a driver that does not exist.
    for wrapper, env in ((("env", "-u", "SDL_AUDIODRIVER"), {}),
                         ((), {"SDL_AUDIODRIVER": "no-such-driver"})):
        with Game("torvane", x, wrapper=wrapper, env=env) as game:
            start_play(game)
            game.click(320, 240)
            game.key("s", "p", "Down", "p")
            game.key("Escape", "Return")
            assert game.wait_exit(10) == 0, game.stderr()
            assert game.stderr() == "", game.stderr()


def main():
    play_listening_cases(clicks_s_pause_and_the_empty_tower,
                   a_strike_on_the_left_is_louder_on_the_left,
                   no_device_prints_nothing)


if __name__ == "__main__":
    main()
