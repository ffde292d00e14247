"""Reading Torvane's screen (its menu pictures, the textured sky) and preparing its level file."""

import os
import re

from harness import asset_picture
from pictures import distinct_colours, mean_colour, quick_difference


def picture(name):
    """One of the game's pictures of texturas/, as it fills the window."""
    return asset_picture("texturas/" + name)


START = picture("inicio_comenzar.png")
# The pause menu's first page, also shown between two levels.
PAUSE = picture("MENU_Selecc_Continuar.jpg")
GAME_OVER = picture("gameover.png")
# The sky above the field, and the field seen from a tower.
SKY = (0, 100, 640, 200)
FIELD = (0, 120, 640, 400)
# How far a screenshot may be from a menu picture that the screen shows: the picture is scaled to
# the window, the screenshot is not; another picture is far further.
SHOWN = 12


def shows(shot, menu_picture):
    return quick_difference(shot, menu_picture) < SHOWN


def textured_sky(shot, box=SKY):
    """The sky box drawn with its picture: many shades, bluer than red."""
    red, _, blue = mean_colour(shot, box)
    return distinct_colours(shot, box) > 200 and blue > red


def start_play(game):
    """RETURN on the start screen; returns the first picture of play."""
    game.wait_for_picture()
    game.key("Return")
    return game.wait_for_picture(lambda s: quick_difference(s, START) > 30, what="play")


def level_file(change):
    """A `prepare` for harness.Game that rewrites the level file: change(text) -> new text."""
    def prepare(folder):
        path = os.path.join(folder, "configuracion.xml")
        with open(path, encoding="utf-8") as f:
            text = change(f.read())
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
    return prepare


def with_health(text, health):
    """The level file's text with every city's health set to `health`; ValueError when it has no
    health element (or more than one)."""
    text, found = re.subn(r'<salud\s+valor="[^"]*"\s*/>', f'<salud valor="{health}"/>', text)
    if found != 1:
        raise ValueError("no health element to raise")
    return text
