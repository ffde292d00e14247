"""Torvane's pause menu walked with the keys a player uses: every page and highlight shows its
picture, and every setting visibly changes the play view (speed, wireframe, texturing, light
colour and position)."""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
from harness import XServer, Game, save_doc_shot  # noqa: E402
from pictures import closest_picture, distinct_colours, quick_difference  # noqa: E402
from torvane_screen import FIELD, SHOWN, SKY, picture  # noqa: E402

PAGES = {name: picture(name) for name in (
    "MENU_Selecc_Continuar.jpg", "MENU_Selecc_Velocidad.jpg", "MENU_Selecc_Estados.jpg",
    "MENU_Selecc_DirecyColor.jpg", "MENU_VELOCIDAD_Lento.png", "MENU_VELOCIDAD_Normal.png",
    "MENU_VELOCIDAD_Rapido.png", "MENU_ESTADOS_Selecc_Wireframe.png",
    "MENU_ESTADOS_Selecc_Facet_Inter.png", "MENU_ESTADOS_Selecc_Texturas.png", "MENU_ROJO.png",
    "MENU_AZUL.png", "MENU_VERDE.png", "MENU_BLANCO.png", "MENU_DIREC.png", "torre1d.jpg",
    "torre2d.jpg", "torre3d.jpg", "inicio_comenzar.png", "gameover.png")}
CITIES = (140, 270, 490, 312)


def lit_colour(shot):
    """Mean colour of the lit (bright) pixels of the cities."""
    bright = [p for p in shot.crop(CITIES).getdata() if max(p) > 60]
    assert len(bright) > 100, "the cities are not lit"
    return tuple(sum(p[i] for p in bright) / len(bright) for i in range(3))


class Player:
    def __init__(self, game):
        self.game = game
        self.step = 0

    def expect(self, page, *keys, timeout=5):
        """Presses the keys, then checks the screen shows the named menu picture (waiting for it
        a little: a new window after F11 loads its pictures as they are shown)."""
        self.game.key(*keys)
        self.game.drawn()
        self.step += 1
        end = time.time() + timeout
        while True:
            shot = self.game.screenshot()
            name, differences = closest_picture(shot, PAGES)
            if (name == page and differences[name] < SHOWN) or time.time() > end:
                break
            self.game.wait_frames(1)
        self.game.screenshot(f"menu-{self.step:02d}-{page.split('.')[0]}")
        assert name == page and differences[name] < SHOWN, (page, keys, name, differences)
        return shot

    def play(self, label, *keys):
        shot = self.game.after(*keys, label=label)
        name, differences = closest_picture(shot, PAGES)
        assert differences[name] > 30, f"{label}: still a menu ({name})"
        return shot

    def travel_time(self, key, arrival):
        """Frames from pressing `key` until the screen shows the tower's view `arrival` (the
        travel moves the camera a step each frame: a busy machine changes the seconds it takes,
        not the frames)."""
        start = self.game.frames()
        self.game.key(key, taken=False)
        self.game.wait_for_picture(lambda s: quick_difference(arrival, s, FIELD) <= 1.5, 15,
                                   what="the view of the tower")
        return self.game.frames() - start


def main():
    with XServer() as x, Game("torvane", x) as game:
        game.wait_for_picture()
        player = Player(game)
        player.play("menu-play", "Return")

        # Page 0: the highlight stops at both ends.
        pause = player.expect("MENU_Selecc_Continuar.jpg", "p")
        save_doc_shot(pause, "torvane-menu.png")
        player.expect("MENU_Selecc_Continuar.jpg", "Up")
        player.expect("MENU_Selecc_Velocidad.jpg", "Down")
        player.expect("MENU_Selecc_Estados.jpg", "Down")
        player.expect("MENU_Selecc_DirecyColor.jpg", "Down")
        player.expect("MENU_Selecc_DirecyColor.jpg", "Down")
        player.expect("MENU_Selecc_Continuar.jpg", "p", "p")  # p resumes, p pauses afresh

        # Speed: travelling between towers is paced by it, like the missiles.
        tower0 = player.play("menu-resume", "Return")
        game.key("2")
        tower1 = game.wait_still(limit=0.8, frames=30, box=FIELD, label="menu-tower-1")
        normal = player.travel_time("1", tower0)
        player.expect("MENU_Selecc_Velocidad.jpg", "p", "Down")
        player.expect("MENU_VELOCIDAD_Lento.png", "Return")
        player.expect("MENU_VELOCIDAD_Normal.png", "Down")
        player.expect("MENU_VELOCIDAD_Rapido.png", "Down")
        player.expect("MENU_VELOCIDAD_Rapido.png", "Down")
        player.play("menu-rapido", "Return")
        fast = player.travel_time("2", tower1)
        assert fast < 0.75 * normal, (fast, normal)
        game.screenshot("menu-after-rapido")
        game.key("1")
        game.wait_for_picture(lambda s: quick_difference(tower0, s, FIELD) <= 1.5,
                              what="the view of the first tower")

        # Render modes.
        player.expect("MENU_Selecc_Estados.jpg", "p", "Down", "Down")
        player.expect("MENU_ESTADOS_Selecc_Wireframe.png", "Return")
        player.expect("MENU_ESTADOS_Selecc_Facet_Inter.png", "Down")
        player.expect("MENU_ESTADOS_Selecc_Texturas.png", "Down")
        player.expect("MENU_ESTADOS_Selecc_Texturas.png", "Down")
        player.expect("MENU_ESTADOS_Selecc_Wireframe.png", "Up", "Up")
        wire = player.play("menu-wireframe", "Return")
        dark = sum(1 for p in wire.crop(FIELD).getdata() if max(p) < 30)
        assert dark > 0.8 * 640 * 280, "wireframe should leave the field mostly empty"
        assert distinct_colours(wire, CITIES) > 10, "no city outlines"
        player.play("menu-fill", "space")
        # SPACE on a menu page switches wireframe too, but the page itself is still drawn filled.
        player.expect("MENU_Selecc_Continuar.jpg", "p", "space")
        wire = player.play("menu-wireframe-from-pause", "p")
        assert sum(1 for p in wire.crop(FIELD).getdata() if max(p) < 30) > 0.8 * 640 * 280
        player.play("menu-fill-again", "space")

        player.expect("MENU_ESTADOS_Selecc_Facet_Inter.png", "p", "Down", "Down", "Return", "Down")
        smooth = player.play("menu-smooth", "Return")
        assert quick_difference(smooth, tower0, FIELD) < 5, "unlit shading changes nothing"

        player.expect("MENU_ESTADOS_Selecc_Texturas.png", "p", "Down", "Down", "Return", "Down",
                      "Down")
        untextured = player.play("menu-untextured", "Return")
        assert distinct_colours(untextured, SKY) <= 2, "the sky is still textured"
        assert distinct_colours(untextured, CITIES) <= 6
        textured = player.play("menu-textured-again", "t")
        assert distinct_colours(textured, SKY) > 200

        # Light colour: each entry of the page, then red tints what it lights.
        player.expect("MENU_Selecc_DirecyColor.jpg", "p", "Down", "Down", "Down")
        player.expect("MENU_ROJO.png", "Return")
        player.expect("MENU_AZUL.png", "Down")
        player.expect("MENU_VERDE.png", "Down")
        player.expect("MENU_BLANCO.png", "Down")
        player.expect("MENU_DIREC.png", "Down")
        player.expect("MENU_DIREC.png", "Down")
        player.expect("MENU_ROJO.png", "Up", "Up", "Up", "Up", "Up")
        red = player.play("menu-red-light", "Return")
        r, g, b = lit_colour(red)
        assert r > g + 15 and r > b + 15, (r, g, b)

        player.expect("MENU_BLANCO.png", "p", "Down", "Down", "Down", "Return", "Down", "Down",
                      "Down")
        white = player.play("menu-white-light", "Return")
        r, g, b = lit_colour(white)
        assert abs(r - g) < 12 and abs(g - b) < 12, (r, g, b)

        # Light position: DIREC opens the tower pictures; the second puts the light at tower 1.
        player.expect("MENU_DIREC.png", "p", "Down", "Down", "Down", "Return", "Down", "Down",
                      "Down", "Down")
        player.expect("torre1d.jpg", "Return")
        player.expect("torre2d.jpg", "Down")
        player.expect("torre3d.jpg", "Down")
        player.expect("torre3d.jpg", "Down")
        player.expect("torre2d.jpg", "Up")
        moved = player.play("menu-light-at-tower-1", "Return")
        assert quick_difference(moved, white, FIELD) > 2, "the light did not move"

        # F11 twice keeps every picture: the menu page, then play as it was.
        player.expect("MENU_Selecc_Continuar.jpg", "p")
        player.expect("MENU_Selecc_Continuar.jpg", "F11")
        player.expect("MENU_Selecc_Continuar.jpg", "F11")
        player.expect("MENU_Selecc_Velocidad.jpg", "Down")
        back = player.play("menu-after-f11", "Up", "Return")
        assert quick_difference(back, moved, FIELD) < 4

        game.key("q")
        player.expect("gameover.png")
        game.key("KP_Enter")
        assert game.wait_exit() == 0, game.stderr()


if __name__ == "__main__":
    main()
