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
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import (XServer, Game, BIN_DIR, asset_picture, distinct_colours,  # noqa: E402
                     quick_difference, save_shot)

SKY = (0, 100, 640, 200)
HEALTH = 1000000
# The screens passed on the way to the scenes: none of them may be taken for one.
MENUS = [asset_picture("texturas/" + name) for name in (
    "inicio_comenzar.png", "MENU_Selecc_Continuar.jpg", "MENU_Selecc_Velocidad.jpg",
    "MENU_Selecc_Estados.jpg", "MENU_Selecc_DirecyColor.jpg", "MENU_ROJO.png")]

# Preloaded into a program, counts its calls of the GL functions that copy the kept picture and
# replay display lists, and writes the counts to standard error at exit.
COUNTER_SOURCE = r"""
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
static long copies, replays;
static void report(void) __attribute__((destructor));
static void report(void) {
    fprintf(stderr, "gl-calls: glBlitFramebuffer %ld glCallList %ld\n", copies, replays);
}
void glBlitFramebuffer(int a, int b, int c, int d, int e, int f, int g, int h, unsigned m,
                       unsigned filter) {
    static void (*real)(int, int, int, int, int, int, int, int, unsigned, unsigned);
    if (!real) real = (void (*)(int, int, int, int, int, int, int, int, unsigned, unsigned))
        dlsym(RTLD_NEXT, "glBlitFramebuffer");
    copies++;
    real(a, b, c, d, e, f, g, h, m, filter);
}
void glCallList(unsigned list) {
    static void (*real)(unsigned);
    if (!real) real = (void (*)(unsigned))dlsym(RTLD_NEXT, "glCallList");
    replays++;
    real(list);
}
"""


def build_gl_counter(folder):
    """Compiles the call counter into `folder`; returns the library's path for LD_PRELOAD."""
    source = os.path.join(folder, "gl_counter.c")
    library = os.path.join(folder, "gl_counter.so")
    with open(source, "w") as f:
        f.write(COUNTER_SOURCE)
    compiler = next(filter(None, map(shutil.which, ("cc", "gcc", "clang"))), None)
    assert compiler, "no C compiler to build the GL call counter"
    subprocess.run([compiler, "-shared", "-fPIC", "-O1", "-o", library, source, "-ldl"], check=True)
    return library


def gl_calls(stderr):
    """The counts the counter wrote: {"glBlitFramebuffer": n, "glCallList": m}."""
    found = re.search(r"gl-calls: glBlitFramebuffer (\d+) glCallList (\d+)", stderr)
    assert found, stderr[-500:]
    return {"glBlitFramebuffer": int(found.group(1)), "glCallList": int(found.group(2))}


def still_play(folder):
    os.remove(os.path.join(folder, "missile.3DS"))
    path = os.path.join(folder, "configuracion.xml")
    with open(path) as f:
        text = f.read()
    text, changed = re.subn(r'<salud valor="\d+"/>', f'<salud valor="{HEALTH}"/>', text)
    assert changed == 1, text
    with open(path, "w") as f:
        f.write(text)


def in_play(shot):
    return all(quick_difference(shot, menu) > 20 for menu in MENUS)


def wait_still(game, ready, timeout=40):
    """Waits until the screen shows play as `ready(picture)` accepts it and two screenshots a few
    frames apart are the same to the byte; returns that picture."""
    end = time.time() + timeout
    last = None
    while time.time() < end:
        shot = game.screenshot()
        if last is not None and shot.tobytes() == last.tobytes() and in_play(shot) and ready(shot):
            return shot
        last = shot
        time.sleep(0.3)
    raise TimeoutError("the picture never stood still")


def play_scenes(x, binary, counter):
    """Plays one run through every scene; returns {scene: screenshot} and the GL call counts."""
    shots = {}

    def next_scene(name, ready=None):
        """The next scene, once it has replaced the one before and stands still."""
        before = list(shots.values())[-1].tobytes() if shots else None
        shots[name] = wait_still(game, ready or (lambda shot: shot.tobytes() != before))

    with Game("torvane", x, prepare=still_play, binary=os.path.join(BIN_DIR, binary),
              env={"LD_PRELOAD": counter}) as game:
        game.wait_for_frame()
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
        game.key("F11")
        time.sleep(1.0)
        game.key("F11")
        time.sleep(1.0)
        next_scene("full-screen-twice", textured_sky)

        game.key("Escape", "Return")
        assert game.wait_exit() == 0, game.stderr()
        calls = gl_calls(game.stderr())
    for scene, shot in shots.items():
        save_shot(shot, f"capa-{binary}-{scene}")
    return shots, calls


def where_they_differ(a, b):
    """How many pixels differ and the box (left, top, right, bottom) that holds them."""
    from PIL import ImageChops
    diff = ImageChops.difference(a, b).convert("L")
    count = sum(1 for v in diff.getdata() if v)
    return count, diff.getbbox()


def textured_sky(shot):
    sky = shot.crop(SKY)
    red, green, blue = sky.resize((1, 1)).getpixel((0, 0))
    return distinct_colours(shot, SKY) > 200 and blue > red


def main():
    with XServer() as x, tempfile.TemporaryDirectory(prefix="capa-") as folder:
        counter = build_gl_counter(folder)
        kept, kept_calls = play_scenes(x, "torvane", counter)
        fresh, fresh_calls = play_scenes(x, "torvane-sin-capa", counter)

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
            count, box = where_they_differ(kept[scene], fresh[scene])
            faults.append(f"{scene}: {count} pixels differ, within {box}")
    assert not faults, "\n".join(faults)


if __name__ == "__main__":
    main()
