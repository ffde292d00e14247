"""Fenwar starts and draws its textured field; ESC and the close request end it with 0; a missing
difficulty file is reported and play goes on; a missing plane model is fatal; F11 twice keeps the
textures; the recorded scenery and its kept picture draw the same pictures as immediate mode."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
from harness import Game, play_cases, BIN_DIR  # noqa: E402
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


# Scenes played the same way in both programs: what each does before its screenshot. The keys
# reach the configuration screen through the pause screen (p, c) and come back the same way. The
# first missile is launched 10 s after the start, at a random place: each group of scenes is
# played by a new process, well within that time.
SCENES = [
    [("cannon-0", lambda g: g.key("Left")),
     ("light", lambda g: g.key("y", "y", "h", "m", "k")),
     ("zoom", lambda g: g.key("Up", "Up"))],
    [("look-up", lambda g: g.drag(320, 300, 320, 240)),
     ("cannon-3", lambda g: g.key("Left"))],
    [("no-textures", lambda g: g.key("p", "c", "t", "p", "p")),
     ("outline", lambda g: g.key("p", "c", "t", "w", "p", "p"))],
    [("unlit", lambda g: g.key("p", "c", "l", "p", "p")),
     ("full-screen", lambda g: g.key("F11"))],
    # Round the four cannons back to the first, each change turning the barrel left behind: the
    # views kept before come back drawn again where the barrels turned.
    [("round-of-cannons", lambda g: g.key("Right", "Right", "Right", "Right")),
     ("next-cannon-again", lambda g: g.key("Right"))],
]


def play_scenes(x, binary, group):
    shots = []
    with Game("fenwar", x, prepare=STILL, binary=os.path.join(BIN_DIR, binary)) as game:
        game.wait_for_picture(in_play)
        game.move(400, 200)
        for name, play in group:
            play(game)
            shots.append(game.wait_still(label=f"{binary}-{name}"))
        game.key("Escape")
        assert game.wait_exit() == 0
    return shots


def lists_draw_what_immediate_mode_draws(x):
    """The game with its display lists and kept scenery picture against the one sending
    everything in immediate mode every frame, scene after scene: every pixel the same."""
    for group in SCENES:
        kept = play_scenes(x, "fenwar", group)
        immediate = play_scenes(x, "fenwar-sin-listas", group)
        for (name, _), a, b in zip(group, kept, immediate):
            assert name in ("no-textures", "outline") or textured(a), name
            assert list(a.getdata()) == list(b.getdata()), (name, quick_difference(a, b))
        # Each step changed what is seen (full screen on this 640 x 480 display looks the same).
        for i in range(1, len(group)):
            if group[i][0] != "full-screen":
                assert quick_difference(kept[i - 1], kept[i]) > 0.5, group[i][0]


def main():
    play_cases(starts_and_ends_on_escape,
               ends_on_close_request,
               plays_on_without_difficulty_file,
               stops_without_plane_model,
               full_screen_twice_keeps_textures,
               lists_draw_what_immediate_mode_draws)


if __name__ == "__main__":
    main()
