"""Reading Fenwar's screen (the bar-font score and city health) and preparing its assets."""

import os

from PIL import Image

from pictures import distinct_colours

# Bars of the font sampled at three points each: (name, [(fx, fy), ...]), fy = 0 at the bottom.
SEGMENTS = [
    ("top", [(0.3, 0.9), (0.5, 0.9), (0.7, 0.9)]),
    ("mid", [(0.3, 0.5), (0.5, 0.5), (0.7, 0.5)]),
    ("bot", [(0.3, 0.1), (0.5, 0.1), (0.7, 0.1)]),
    ("lu", [(0.1, 0.65), (0.1, 0.7), (0.1, 0.75)]),
    ("ll", [(0.1, 0.25), (0.1, 0.3), (0.1, 0.35)]),
    ("ru", [(0.9, 0.65), (0.9, 0.7), (0.9, 0.75)]),
    ("rl", [(0.9, 0.25), (0.9, 0.3), (0.9, 0.35)]),
]
DIGITS = {
    frozenset(): " ",
    frozenset({"top", "bot", "lu", "ll", "ru", "rl"}): "0",
    frozenset({"ru", "rl"}): "1",
    frozenset({"top", "ru", "mid", "ll", "bot"}): "2",
    frozenset({"top", "ru", "rl", "mid", "bot"}): "3",
    frozenset({"lu", "mid", "rl", "ru"}): "4",
    frozenset({"top", "lu", "mid", "rl", "bot"}): "5",
    frozenset({"top", "lu", "mid", "rl", "bot", "ll"}): "6",
    frozenset({"top", "ru", "rl"}): "7",
    frozenset({"top", "mid", "bot", "lu", "ll", "ru", "rl"}): "8",
    frozenset({"top", "lu", "mid", "rl", "ru"}): "9",
}
GREEN = (0, 255, 0)
YELLOW = (255, 255, 0)
RED = (255, 0, 0)
WHITE = (255, 255, 255)

# The ground picture below the horizon and the starry sky above it, at the start of a game.
GROUND = (0, 320, 640, 480)
SKY = (0, 80, 640, 260)

# Where the overlay puts its glyphs, in window pixels: left of the first cell, its top, cell size
# and the advance from one glyph to the next.
SCORE = dict(left=10.0, top=6.667, size=20.0, advance=25.5, count=8)
HEALTH_LEFT, HEALTH_TOP, HEALTH_SIZE, HEALTH_ADVANCE, HEALTH_LINE = 571.0, 5.0, 15.0, 21.0, 24.0


def _near(p, colour, tolerance=90):
    return all(abs(a - b) <= tolerance for a, b in zip(p, colour))


def read_glyph(shot, left, top, size, colour):
    """The digit drawn in one cell in `colour` (' ' when empty, '?' when unreadable)."""
    lit = set()
    for name, points in SEGMENTS:
        hits = 0
        for fx, fy in points:
            x = int(left + fx * size)
            y = int(top + (1 - fy) * size)
            hits += _near(shot.getpixel((x, y)), colour)
        if hits >= 2:
            lit.add(name)
    return DIGITS.get(frozenset(lit), "?")


def read_score(shot):
    s = SCORE
    return "".join(read_glyph(shot, s["left"] + k * s["advance"], s["top"], s["size"], GREEN)
                   for k in range(s["count"]))


def health_colour(shot, line):
    """The colour of a city's health digits (GREEN, YELLOW, RED or WHITE), or None."""
    top = HEALTH_TOP + line * HEALTH_LINE
    for colour in (GREEN, YELLOW, RED, WHITE):
        text = "".join(read_glyph(shot, HEALTH_LEFT + k * HEALTH_ADVANCE, top, HEALTH_SIZE,
                                  colour) for k in range(3))
        if text.strip() and "?" not in text:
            return colour
    return None


def read_health(shot):
    """The three city health texts as drawn ("100", "050", ...), '?' where unreadable."""
    values = []
    for line in range(3):
        colour = health_colour(shot, line)
        if colour is None:
            values.append("???")
            continue
        top = HEALTH_TOP + line * HEALTH_LINE
        values.append("".join(read_glyph(shot, HEALTH_LEFT + k * HEALTH_ADVANCE, top,
                                         HEALTH_SIZE, colour) for k in range(3)))
    return values


def in_play(shot):
    """The game screen shows its score; the menus show none."""
    return read_score(shot).isdigit()


def textured(shot):
    """A textured field: the ground and the sky show many shades; untextured, a few."""
    return distinct_colours(shot, GROUND) > 300 and distinct_colours(shot, SKY) > 100


def difficulty(rad_city=0.5, separacion_city=1.8, dificultad=5, puntos_avion=50, puntos_misil=10,
               cant_hit_avion=2, por_hit=10):
    return ('<?xml version="1.0"?>\n<prueba>\n  <Normal>\n'
            f'    <valores rad_city="{rad_city}" separacion_city="{separacion_city}" '
            f'dificultad="{dificultad}" puntos_avion="{puntos_avion}" '
            f'puntos_misil="{puntos_misil}" cant_hit_avion="{cant_hit_avion}" '
            f'por_hit="{por_hit}"/>\n  </Normal>\n</prueba>\n')


def prepare(difficulty_text=None, remove=(), flat_images=None):
    """A `prepare` for harness.Game: writes dificultad.xml, deletes files, and replaces images by
    pictures of one colour ({name: (r, g, b)})."""
    def run(folder):
        if difficulty_text is not None:
            with open(os.path.join(folder, "dificultad.xml"), "w") as f:
                f.write(difficulty_text)
        for name in remove:
            os.remove(os.path.join(folder, name))
        for name, colour in (flat_images or {}).items():
            Image.new("RGB", (64, 64), colour).save(os.path.join(folder, name), quality=100)
    return run
