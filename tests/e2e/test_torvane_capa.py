"""Torvane with the kept picture of its scenery and without it (torvane-sin-capa) shows the same
screen, pixel for pixel, through the same scenes of play: the first tower, the camera turned,
another tower, the light on in two colours from the pause menu and moved over another tower, wire
frame, texturing off and after F11 twice.

Play is made still so that two runs can be compared: the missile model is taken away (missiles and
bullets fly unseen) and the cities are given so much health that the strikes of those unseen
missiles never change the health cells. The game never seeds its random numbers: level 1 launches
its tenth missile at frame 2091 of play and ends at frame 2768 (some 45 seconds), well past the ten
seconds or so each run plays here."""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
from harness import XServer, Game, BIN_DIR, save_shot  # noqa: E402
from pictures import distinct_colours, quick_difference, where_they_differ  # noqa: E402
from torvane_screen import SKY, picture, textured_sky, with_health  # noqa: E402

HEALTH = 1000000
# The screens passed on the way to the scenes: none of them may be taken for one.
MENUS = [picture(name) for name in (
    "inicio_comenzar.png", "MENU_Selecc_Continuar.jpg", "MENU_Selecc_Velocidad.jpg",
    "MENU_Selecc_Estados.jpg", "MENU_Selecc_DirecyColor.jpg", "MENU_ROJO.png")]


def still_play(folder):
    os.remove(os.path.join(folder, "missile.3DS"))
    path = os.path.join(folder, "configuracion.xml")
    with open(path) as f:
        text = with_health(f.read(), HEALTH)
    with open(path, "w") as f:
        f.write(text)


def in_play(shot):
    return all(quick_difference(shot, menu) > 20 for menu in MENUS)


def play_scenes(x, binary):
    """Plays one run through every scene; returns {scene: screenshot} and the GL call counts."""
    shots = {}

    def next_scene(name, ready=None):
        """The next scene, once it shows play as `ready(picture)` accepts it (by default: it has
        replaced the one before) and stands still: the same to the byte ten frames later."""
        before = list(shots.values())[-1].tobytes() if shots else None
        ready = ready or (lambda shot: shot.tobytes() != before)
        game.drawn()
        end = time.time() + 40
        last = None
        while True:
            shot = game.screenshot()
            if (last is not None and shot.tobytes() == last.tobytes() and in_play(shot)
                    and ready(shot)):
                shots[name] = shot
                return
            assert time.time() < end, f"{name}: the picture never stood still"
            last = shot
            game.wait_frames(10)

    with Game("torvane", x, prepare=still_play, binary=os.path.join(BIN_DIR, binary),
              preload=("gl_calls",)) as game:
        game.wait_for_picture()
        game.key("Return")
        next_scene("first-tower", textured_sky)

        game.drag(320, 240, 420, 200, button=3)
        next_scene("turned")

        game.key("2")
        next_scene("tower-2")

        # Pause, the light page, red: the light is on from then on.
        game.key("p", "Down", "Down", "Down", "Return", "Return")
        next_scene("red-light")
        game.key("p", "Down", "Down", "Down", "Return", "Down", "Return")
        next_scene("blue-light")
        # The light's page, its position page, the third tower.
        game.key("p", "Down", "Down", "Down", "Return", "Down", "Down", "Down", "Down", "Return",
                 "Down", "Down", "Return")
        next_scene("light-over-tower-3")

        game.key("space")
        next_scene("wire-frame")
        game.key("space", "t")
        next_scene("untextured")
        game.key("t")

        # The new windows load everything again before they show the field.
        game.key("F11", "F11")
        next_scene("full-screen-twice", textured_sky)

        game.key("Escape", "Return")
        assert game.wait_exit() == 0, game.stderr()
        calls = game.gl_calls()
    for scene, shot in shots.items():
        save_shot(shot, f"capa-{binary}-{scene}")
    return shots, calls


def main():
    with XServer() as x:
        kept, kept_calls = play_scenes(x, "torvane")
        fresh, fresh_calls = play_scenes(x, "torvane-sin-capa")

    # The kept picture was really copied (once per still frame), and never without it.
    assert kept_calls["glBlitFramebuffer"] > 100, kept_calls
    assert fresh_calls["glBlitFramebuffer"] == 0, fresh_calls

    # Each scene shows what it should, so that equal pictures are no accident of a blank screen.
    for scene in ("first-tower", "turned", "tower-2", "red-light", "blue-light",
                  "full-screen-twice"):
        assert textured_sky(kept[scene]), scene
    assert distinct_colours(kept["untextured"], SKY) < 20
    assert kept["full-screen-twice"].tobytes() != kept["light-over-tower-3"].tobytes()

    faults = []
    for scene in kept:
        if kept[scene].tobytes() != fresh[scene].tobytes():
            count, box, largest = where_they_differ(kept[scene], fresh[scene])
            faults.append(f"{scene}: {count} pixels differ, within {box}, by up to {largest}")
    assert not faults, "\n".join(faults)


if __name__ == "__main__":
    main()
