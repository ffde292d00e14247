"""Torvane's HUD as a player sees it: the same pictures with textures off (T) and in outline mode
(Space), the scene as before once both are back; a level file with a city out of reach, refused
before any window; a city the level leaves out, with no health row."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
from harness import XServer, Game  # noqa: E402
from pictures import distinct_colours, quick_difference  # noqa: E402
from torvane_screen import (FIELD, level_file, picture, shows, start_play,  # noqa: E402
                            textured_sky)

# The HUD in pixels (a HUD unit is 4/3 of a pixel across and 3/4 of a pixel down), each box wholly
# inside the pictures drawn there: the four score digits; the health rows of level 1's two
# cities at full health (15 cells from x 93 units); the 40 ammunition marks; the aiming mark.
SCORE = (0, 0, 166, 22)
HEALTH = (14, 38, 383, 67)
AMMO = (268, 406, 532, 449)
AIM = (318, 242, 322, 245)
HUD = {"score": SCORE, "health": HEALTH, "ammunition": AMMO, "aim": AIM}
# Where level 1 would show a third row, for a city 2 it does not play.
THIRD_ROW = (14, 69, 383, 81)

FIRST_CITY = '<ciudad lvl="1" id="0" x="-6"'
FAR_CITY_LINE = ("Error en el archivo de configuración configuracion.xml: la posición del elemento "
                 "ciudad (línea 6) está a más de 200 unidades del origen")


def with_first_city_at(x):
    def change(text):
        assert FIRST_CITY in text
        return text.replace(FIRST_CITY, f'<ciudad lvl="1" id="0" x="{x}"')
    return level_file(change)


def with_city_2_in_level_1(text):
    """The shipped file plus a city 2 for level 1, which plays cities 0 and 1 only; it stands at
    200, as far out as a city may."""
    assert "</niveles>" in text
    return text.replace("</niveles>", '<ciudad lvl="1" id="2" x="0" y="0" z="200"/></niveles>')


def same_hud(reference, shot, label):
    for name, box in HUD.items():
        moved = quick_difference(reference, shot, box)
        assert moved < 1, f"{label}: the {name} changed by {moved:.2f}"


def render_modes(x):
    """T and Space change the scene, not the HUD; both back, the scene is the one before."""
    with Game("torvane", x) as game:
        start_play(game)
        textured = game.wait_still(label="hud-textured")
        assert textured_sky(textured), "play starts textured"
        assert distinct_colours(textured, SCORE) > 20 and distinct_colours(textured, AMMO) > 5

        modes = [(["t"], "hud-untextured"), (["t", "space"], "hud-outline"),
                 (["t"], "hud-outline-untextured")]
        for keys, label in modes:
            shot = game.after(*keys, label=label)
            assert quick_difference(textured, shot, FIELD) > 5, f"{label}: the scene is the same"
            same_hud(textured, shot, label)
            # Pictures, not blank boxes: the digits and the marks keep their shades.
            assert distinct_colours(shot, SCORE) > 20, label
            assert distinct_colours(shot, HEALTH) > 5, label

        back = game.after("t", "space", label="hud-modes-back")
        assert textured_sky(back)
        restored = quick_difference(textured, back)
        assert restored < 0.5, f"the scene differs by {restored:.2f} with both modes back"

        # Textures off from the pause menu's Estados page: the same HUD over the untextured scene.
        menu = game.after("p", "Down", "Down", "Return", "Down", "Down", label="hud-estados-page")
        assert shows(menu, picture("MENU_ESTADOS_Selecc_Texturas.png"))
        shot = game.after("Return", label="hud-untextured-from-menu")
        assert not textured_sky(shot)
        same_hud(textured, shot, "textures off from the menu")
        back = game.after("t", label="hud-textured-again")
        assert quick_difference(textured, back) < 0.5
        game.key("Escape", "Return")
        assert game.wait_exit(10) == 0, game.stderr()


def far_cities(x):
    """A city out of every view is refused with its line, before the meshes or the window."""
    for far in ("1000", "-1e30"):
        with Game("torvane", x, prepare=with_first_city_at(far)) as game:
            assert game.wait_exit(10) == 1, far
            lines = game.stderr().encode("latin-1").decode("utf-8").splitlines()
            assert lines == [FAR_CITY_LINE], (far, lines)
            assert game.stdout() == "", "the meshes were read before the level file was refused"
            assert not x.top_windows(), far
    with Game("torvane", x, prepare=with_first_city_at("1e39")) as game:
        assert game.wait_exit(10) == 1
        said = game.stderr().encode("latin-1").decode("utf-8")
        assert "el atributo x del elemento ciudad (línea 6) es un número demasiado grande" \
            in said, said


def left_out_city(x):
    """City 2 of level 1 is named on standard error and gets no health row: the HUD is the one
    of the shipped file."""
    with Game("torvane", x) as game:
        start_play(game)
        shipped = game.wait_still(label="hud-shipped-levels")
        game.key("Escape", "Return")
        assert game.wait_exit(10) == 0
    with Game("torvane", x, prepare=level_file(with_city_2_in_level_1)) as game:
        start_play(game)
        shot = game.wait_still(label="hud-left-out-city")
        assert "se ignora la ciudad 2 del nivel 1" in game.stderr(), game.stderr()
        same_hud(shipped, shot, "left-out city")
        extra = quick_difference(shipped, shot, THIRD_ROW)
        assert extra < 1, f"a third health row ({extra:.2f})"
        game.key("Escape", "Return")
        assert game.wait_exit(10) == 0


def main():
    with XServer() as x:
        render_modes(x)
        far_cities(x)
        left_out_city(x)


if __name__ == "__main__":
    main()
