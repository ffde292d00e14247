"""Fenwar heard as a player hears it, through SDL's disk audio driver: a shot after its click and
not before, S silencing what follows and bringing it back, the pause and configuration screens
silent and play resuming from silence, strikes and fallen cities heard to the end of a lost game;
and with no sound device, stderr as it always was. Exits 77 where SDL has no disk driver."""

import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
from harness import Game  # noqa: E402
from listening import (FILE_LAG, Ear, assert_heard_after, balance, click_mark,  # noqa: E402
                       frames_in, listening, ms, play_listening_cases)
from fenwar_screen import difficulty, in_play, prepare  # noqa: E402

# The cannon's crack lasts 0.28 s.
SHOT = frames_in(280)
# A launch every 10 s and no plane for 150 s: the field is quiet unless the player fires.
QUIET_FIELD = prepare(difficulty(dificultad=1))


def shots_s_and_the_pause_screens(x):
    with tempfile.TemporaryDirectory() as folder:
        ear = Ear(folder)
        with listening("fenwar", x, ear, prepare=QUIET_FIELD) as game:
            game.wait_for_picture(in_play)
            game.move(320, 300)
            time.sleep(0.5)
            quiet = ear.position()

            # 1. A shot: nothing before the click, the crack soon after it.
            first, first_time = click_mark(game, ear)
            frames, since = game.frames(), time.monotonic()
            time.sleep(0.5)
            frame_ms = (time.monotonic() - since) * 1000 / max(1, game.frames() - frames)
            # 2. S held for half a second (keys repeat while held: it switches once), then a
            # burst of clicks that fire and are not heard; S again, a click heard.
            game.key_down("s")
            time.sleep(0.5)
            game.key_up("s")
            game.wait_frames(2)
            silenced = ear.position()
            for _ in range(3):
                game.click()
            time.sleep(0.4)
            game.key("s")
            back_on = ear.position()
            time.sleep(0.3)
            again, _ = click_mark(game, ear)
            time.sleep(0.5)
            # 3. A click, then the pause screen at once: the crack is cut, and the screen is
            # silent however long it stays, S pressed twice there included; the configuration
            # screen too.
            game.click()
            game.key("p")
            paused = ear.position()
            time.sleep(0.6)
            game.key("s", "s", "c")
            time.sleep(0.6)
            game.key("p", "p")
            resumed = ear.position()
            # 4. Play resumes from silence, and a new click is heard.
            time.sleep(0.6)
            after, _ = click_mark(game, ear)
            time.sleep(0.5)
            end = ear.position()
            game.key("p", "q")
            assert game.wait_exit(10) == 0, game.stderr()
            assert game.stderr() == "", game.stderr()
        ear.stop()
        rec = ear.recording()

    assert rec.silent(0, quiet), "sound before any click"
    assert_heard_after(rec, ear, first, first_time, frame_ms, "shot")
    stretches = rec.sounds(first, silenced)
    assert len(stretches) == 1, stretches
    start, stop = stretches[0]
    assert abs(stop - start - SHOT) < frames_in(30), f"a shot of {ms(stop - start):.0f} ms"
    left, right = rec.levels(start, stop)
    print(f"shot: left {left:.0f} right {right:.0f} ({ms(stop - start):.0f} ms)")
    assert left > 1000 and abs(balance(left, right)) < 0.02, (left, right)

    assert rec.silent(silenced + FILE_LAG, back_on), "a click was heard with the sound off"
    heard = rec.sounds(back_on, paused - FILE_LAG)
    assert len(heard) >= 2 and heard[0][0] >= again, f"S again: {heard}"
    assert rec.silent(paused + FILE_LAG, resumed), "sound on the pause or configuration screen"
    assert rec.silent(resumed, after), "play resumed with sound though nothing happened"
    heard = rec.sounds(after, end)
    assert len(heard) == 1 and heard[0][0] >= after, f"after the pause: {heard}"


def strikes_to_a_lost_game(x):
    """Missiles every second on weak cities: strikes are heard, each city's fall, and the lost
    game's notice on the pause screen, centred, with play silent around it."""
    fast = prepare(difficulty(dificultad=10, por_hit=50, separacion_city=3.0))
    with tempfile.TemporaryDirectory() as folder:
        ear = Ear(folder)
        with listening("fenwar", x, ear, prepare=fast) as game:
            game.wait_for_picture(in_play)
            end = time.time() + 90
            lost = None
            while time.time() < end and lost is None:
                time.sleep(0.5)
                shot = game.screenshot()
                if not in_play(shot):
                    lost = ear.position()
            assert lost is not None, "the cities never fell in 90 s"
            game.screenshot("sonido-perdida")
            time.sleep(1.2)  # the notice, 0.8 s
            over = ear.position()
            game.key("q")
            assert game.wait_exit(10) == 0, game.stderr()
        ear.stop()
        rec = ear.recording()

    heard = rec.sounds(0, over)
    assert len(heard) >= 3, f"too few sounds before the game was lost: {heard}"
    sides = []
    for start, stop in heard[:-1]:
        left, right = rec.levels(start, stop)
        sides.append(balance(left, right))
        print(f"strike or fall: left {left:.0f} right {right:.0f} ({ms(stop - start):.0f} ms, "
              f"balance {balance(left, right):+.2f})")
        assert left + right > 200, (left, right)
    assert max(sides) - min(sides) > 0.1, f"every city heard from the same side: {sides}"
    # The notice follows at once the strikes it cuts short: its last half second is its own.
    start, stop = heard[-1]
    left, right = rec.levels(stop - frames_in(500), stop)
    print(f"lost game: left {left:.0f} right {right:.0f} (its last 500 ms)")
    assert abs(balance(left, right)) < 0.02 and left > 1000, (left, right)
    assert stop - start > frames_in(600), f"the notice was cut after {ms(stop - start):.0f} ms"
    assert rec.silent(stop, over), "play heard on the pause screen after the lost game"


def no_device_prints_nothing(x):
    # The machine's own default (no sound server here) and a driver that does not exist; and the
    # one message of a missing difficulty file, alone.
    for wrapper, env in ((("env", "-u", "SDL_AUDIODRIVER"), {}),
                         ((), {"SDL_AUDIODRIVER": "no-such-driver"})):
        with Game("fenwar", x, wrapper=wrapper, env=env, prepare=QUIET_FIELD) as game:
            game.wait_for_picture(in_play)
            game.click(320, 240)
            game.key("s", "p", "s", "p")
            game.click(300, 240)
            game.key("p", "q")
            assert game.wait_exit(10) == 0, game.stderr()
            assert game.stderr() == "", game.stderr()
        with Game("fenwar", x, wrapper=wrapper, env=env,
                  prepare=prepare(remove=("dificultad.xml",))) as game:
            game.wait_for_picture(in_play)
            game.click(320, 240)
            game.key("Escape")
            assert game.wait_exit(10) == 0, game.stderr()
            assert game.stderr() == "Error al cargar el archivo xml dificultad.xml", game.stderr()


def main():
    play_listening_cases(shots_s_and_the_pause_screens, strikes_to_a_lost_game,
                   no_device_prints_nothing)


if __name__ == "__main__":
    main()
