"""Torvane's ways out and odd starts: the close button on every screen, a broken or incomplete
level file, the m key on the start screen, full screen toggled during play."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
from harness import XServer, Game  # noqa: E402
from pictures import quick_difference  # noqa: E402
from torvane_screen import (FIELD, GAME_OVER, PAUSE, START, level_file, shows,  # noqa: E402
                            start_play, textured_sky)


def write_level_file(text):
    return level_file(lambda _: text)


def close_from(x, keys, label):
    """Reaches a screen with `keys`, then asks the window to close: the game ends with 0."""
    with Game("torvane", x) as game:
        game.wait_for_picture()
        game.key(*keys)
        game.look(f"close-{label}")
        game.close_request()
        assert game.wait_exit(10) == 0, (label, game.returncode, game.stderr())


def main():
    with XServer() as x:
        close_from(x, [], "start")
        close_from(x, ["Return"], "play")
        close_from(x, ["Return", "p", "Down", "Return"], "pause-page")
        close_from(x, ["Escape"], "game-over")

        # A broken level file: one line naming it on standard error, status 1, no window.
        with Game("torvane", x, prepare=write_level_file("<niveles><salud valor=")) as game:
            assert game.wait_exit(10) == 1
            lines = game.stderr().splitlines()
            assert len(lines) == 1 and "configuracion.xml" in lines[0], lines

        # Level 2 missing, level 3 without city 1: said on standard error, the rest is played.
        partial = """<niveles><salud valor="10"/>
          <ciudad lvl="1" id="0" x="-6" y="0" z="2"/><ciudad lvl="1" id="1" x="6" y="0" z="-2"/>
          <ciudad lvl="3" id="0" x="-9" y="0" z="-6"/><ciudad lvl="3" id="2" x="-7" y="0" z="8"/>
          <ciudad lvl="3" id="3" x="7" y="0" z="8"/></niveles>
          <torres><municion cant="5"/><torre id="0" x="0" y="5" z="45"/>
          <torre id="1" x="-45" y="5" z="-45"/><torre id="2" x="45" y="5" z="-45"/></torres>"""
        with Game("torvane", x, prepare=write_level_file(partial)) as game:
            start_play(game)
            game.wait_for_picture(textured_sky, what="the textured sky")
            game.screenshot("partial-levels")
            errors = game.stderr()
            assert "nivel 2" in errors and "ciudad 1 del nivel 3" in errors, errors
            game.key("Escape", "Return")
            assert game.wait_exit(10) == 0

        # m three times on the start screen leaves no level to play: game over, then out.
        with Game("torvane", x) as game:
            game.wait_for_picture()
            game.key("m", "m")
            assert shows(game.look(), START)
            game.key("m")
            assert shows(game.look("m-three-times"), GAME_OVER)
            game.key("Return")
            assert game.wait_exit(10) == 0

        # F11 twice during play: textures and state survive the new windows; once play's
        # projection is set again (p, p) the view is the one before.
        with Game("torvane", x) as game:
            start_play(game)
            before = game.wait_still(label="f11-before")
            for label in ("f11-full-screen", "f11-windowed"):
                game.key("F11")
                game.drawn()
                game.wait_for_picture(textured_sky, what="the textured sky")
                game.screenshot(label)
            game.key("p")
            assert shows(game.look("f11-pause"), PAUSE)
            game.key("p")
            after = game.wait_still(label="f11-after")
            assert quick_difference(before, after, FIELD) < 4
            game.click(320, 240)
            game.key("q", "Return")
            assert game.wait_exit(10) == 0


if __name__ == "__main__":
    main()
