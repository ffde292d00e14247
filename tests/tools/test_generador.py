"""Checks the asset generator: its output equals what is committed, and every file suits its reader."""
import io
import math
import os
import struct
import subprocess
import sys
import tempfile
import unittest
import wave
import xml.etree.ElementTree as ET

from PIL import Image

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
ASSETS = os.path.join(ROOT, "assets")
sys.path.insert(0, os.path.join(ROOT, "tools", "generador"))

import datos  # noqa: E402
import imagenes_fenwar  # noqa: E402

FENWAR_IMAGES = ["Brick_pattern2.jpg", "avion.jpg", "canon.png", "JLGreebleProof-CorrelateIMG_0006.jpg",
                 "ralternatebluegalaxyprint_shop_preview.png", "morwicksp1.jpg", "menu.jpg", "menu3.jpg",
                 "fuego.jpg", "gameover.jpg"]
TORVANE_IMAGES = (["canon.png", "missileTexture.jpg", "gameover.png", "bala.png", "vidallena.png", "vidamedia.png",
                   "vidabaja.png", "cielo.jpg", "texturaSuelo.jpg", "inicio_comenzar.png", "inicio_salir.png",
                   "torre1d.jpg", "torre2d.jpg", "torre3d.jpg"]
                  + ["%d.png" % n for n in range(10)] + ["torre%d.png" % n for n in range(1, 5)])
# Pause pages and the start screen: pictures in the order of their entries.
MENU_PAGES = {
    "inicio": ["inicio_comenzar.png", "inicio_salir.png"],
    "pausa": ["MENU_Selecc_Continuar.jpg", "MENU_Selecc_Velocidad.jpg", "MENU_Selecc_Estados.jpg",
              "MENU_Selecc_DirecyColor.jpg"],
    "velocidad": ["MENU_VELOCIDAD_Lento.png", "MENU_VELOCIDAD_Normal.png", "MENU_VELOCIDAD_Rapido.png"],
    "estados": ["MENU_ESTADOS_Selecc_Wireframe.png", "MENU_ESTADOS_Selecc_Facet_Inter.png",
                "MENU_ESTADOS_Selecc_Texturas.png"],
    "luz": ["MENU_ROJO.png", "MENU_AZUL.png", "MENU_VERDE.png", "MENU_BLANCO.png", "MENU_DIREC.png"],
    "torres": ["torre1d.jpg", "torre2d.jpg", "torre3d.jpg"],
}


def read(path):
    with open(path, "rb") as f:
        return f.read()


def open_image(path):
    image = Image.open(io.BytesIO(read(path)))
    image.load()
    return image


class CommittedAssets(unittest.TestCase):
    def test_fresh_run_equals_committed_files(self):
        with tempfile.TemporaryDirectory() as tmp:
            subprocess.run([os.path.join(ROOT, "tools", "generar-assets"), tmp], check=True)
            generated = [os.path.relpath(os.path.join(d, f), tmp) for d, _, fs in os.walk(tmp) for f in fs]
            self.assertGreater(len(generated), 80)
            drifted = [p for p in generated
                       if not os.path.exists(os.path.join(ROOT, p)) or read(os.path.join(ROOT, p)) != read(os.path.join(tmp, p))]
            self.assertEqual(drifted, [], "run tools/generar-assets and commit its output")

    def test_total_size_stays_modest(self):
        total = sum(os.path.getsize(os.path.join(d, f)) for d, _, fs in os.walk(ASSETS) for f in fs)
        self.assertLess(total, 4 * 1024 * 1024)


class Images(unittest.TestCase):
    def check_format(self, path):
        image = open_image(path)
        expected = "JPEG" if path.lower().endswith(".jpg") else "PNG"
        self.assertEqual(image.format, expected, path)
        return image

    def test_every_picture_has_its_name_and_format(self):
        for name in FENWAR_IMAGES:
            self.check_format(os.path.join(ASSETS, name))
        for name in TORVANE_IMAGES + [n for page in MENU_PAGES.values() for n in page]:
            self.check_format(os.path.join(ASSETS, "texturas", name))

    def test_full_screen_pictures_match_the_window(self):
        for name in ["gameover.png"] + [n for page in MENU_PAGES.values() for n in page]:
            self.assertEqual(open_image(os.path.join(ASSETS, "texturas", name)).size, (640, 480), name)

    def test_digits_and_labels_are_all_different(self):
        digits = [open_image(os.path.join(ASSETS, "texturas", "%d.png" % n)).convert("RGB").tobytes() for n in range(10)]
        self.assertEqual(len(set(digits)), 10)
        labels = [read(os.path.join(ASSETS, "texturas", "torre%d.png" % n)) for n in range(1, 5)]
        self.assertEqual(len(set(labels)), 4)

    def test_fenwar_menu_text_stays_where_the_window_shows_it(self):
        left, top, right, bottom = imagenes_fenwar.zona_visible()
        for name in ("menu.jpg", "menu3.jpg"):
            image = open_image(os.path.join(ASSETS, name)).convert("L")
            self.assertEqual(image.size, (imagenes_fenwar.ANCHO_MENU, imagenes_fenwar.ALTO_MENU))
            # Everything outside the shown part is black (JPEG noise aside): nothing there gets cut off.
            for box in ((0, 0, image.width, top), (0, bottom, image.width, image.height),
                        (0, 0, left, image.height), (right, 0, image.width, image.height)):
                self.assertLess(image.crop(box).getextrema()[1], 60, (name, box))
            # Light text on black: the tint keeps only bright texels readable.
            histogram = image.crop((left, top, right, bottom)).histogram()
            self.assertGreater(sum(histogram[200:]), 3000, name)

    def test_visible_part_of_the_fenwar_menu_matches_the_quad(self):
        # Quad 2.5 by 1.95 units at 2.2 from the eye, 45 degree field of view, 4:3 window.
        half_height = 2.2 * math.tan(math.radians(22.5))
        half_width = half_height * 4 / 3
        self.assertAlmostEqual(imagenes_fenwar.VISIBLE_X[0], (1.25 - half_width) / 2.5, delta=0.002)
        self.assertAlmostEqual(imagenes_fenwar.VISIBLE_Y[0], (0.95 - half_height) / 1.95, delta=0.002)
        self.assertAlmostEqual(imagenes_fenwar.VISIBLE_Y[1], (0.95 + half_height) / 1.95, delta=0.002)

    def highlight_centre(self, name):
        """Mean row of the bright yellow highlight in a menu picture, or None without one."""
        image = open_image(os.path.join(ASSETS, "texturas", name)).convert("RGB")
        rows = [i // image.width for i, (r, g, b) in enumerate(image.getdata()) if r > 230 and 180 < g < 220 and b < 80]
        return (sum(rows) / len(rows), len(rows)) if len(rows) > 2000 else None

    def test_each_menu_entry_has_an_obvious_highlight_in_order(self):
        for page, names in MENU_PAGES.items():
            centres = []
            for name in names:
                found = self.highlight_centre(name)
                self.assertIsNotNone(found, name)
                centres.append(found[0])
            self.assertEqual(centres, sorted(centres), page)
            self.assertGreater(min(b - a for a, b in zip(centres, centres[1:])), 30, page)

    def test_city_roofs_sample_plain_wall(self):
        import modelos
        image = open_image(os.path.join(ASSETS, "texturas", "canon.png")).convert("L")
        (u0, v0), (u1, v1) = modelos.UV_TECHO
        # Texture rows run bottom-up in the game, so v counts from the picture's bottom.
        box = (int(u0 * image.width), int((1 - v1) * image.height), int(u1 * image.width) + 1,
               int((1 - v0) * image.height) + 1)
        low, high = image.crop(box).getextrema()
        self.assertLess(high - low, 60)
        self.assertGreater(low, 100)

    def test_icons_in_every_size(self):
        for game in ("fenwar", "torvane"):
            for n in (16, 32, 48, 64, 128, 256):
                image = open_image(os.path.join(ROOT, "desktop", "icons", "hicolor", "%dx%d" % (n, n), "apps",
                                                game + ".png"))
                self.assertEqual((image.format, image.size), ("PNG", (n, n)))


def parse_obj(path):
    """Positions, texture coordinates, normals and faces (lists of 1-based index triples)."""
    v, vt, vn, faces = [], [], [], []
    for line in read(path).decode("ascii").split("\n"):
        if line.startswith("v "):
            v.append(tuple(float(x) for x in line[2:].split(" ")))
        elif line.startswith("vt "):
            vt.append(tuple(float(x) for x in line[3:].split(" ")))
        elif line.startswith("vn "):
            vn.append(tuple(float(x) for x in line[3:].split(" ")))
        elif line.startswith("f "):
            faces.append([tuple(int(i) for i in corner.split("/")) for corner in line[2:].split(" ")])
    return v, vt, vn, faces


def sub(a, b):
    return [a[i] - b[i] for i in range(3)]


def cross(a, b):
    return [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]]


def dot(a, b):
    return sum(a[i] * b[i] for i in range(3))


class ObjModels(unittest.TestCase):
    def check_model(self, name):
        v, vt, vn, faces = parse_obj(os.path.join(ASSETS, name))
        # The game's loader cuts vt and vn to the number of positions.
        self.assertEqual((len(vt), len(vn)), (len(v), len(v)))
        self.assertTrue(all(len(p) == 3 for p in v + vn) and all(len(t) == 2 for t in vt))
        self.assertTrue(40 <= len(faces) <= 600, len(faces))
        self.assertTrue(any(t != (0.0, 0.0) for t in vt))
        for face in faces:
            self.assertGreaterEqual(len(face), 3)
            for corner in face:
                self.assertEqual(len(corner), 3)
                self.assertTrue(all(1 <= i <= len(v) for i in corner), corner)
            # The winding and the stored normals agree: the face is lit on its outer side.
            points = [v[c[0] - 1] for c in face]
            winding = cross(sub(points[1], points[0]), sub(points[-1], points[0]))
            for c in face:
                self.assertAlmostEqual(math.sqrt(dot(vn[c[2] - 1], vn[c[2] - 1])), 1.0, places=3)
            self.assertGreater(dot(winding, vn[face[0][2] - 1]), -1e-9)
        return [[p[i] * 0.2 for i in range(3)] for p in v]

    def test_plane_is_sized_for_the_field(self):
        world = self.check_model("Drone.obj")
        span = [max(p[i] for p in world) - min(p[i] for p in world) for i in range(3)]
        # Nose to tail along x, wings along y, lower than it is long (up is +z in the file).
        self.assertTrue(0.4 <= span[0] <= 0.7 and 0.5 <= span[1] <= 0.8 and span[2] < span[0], span)

    def test_missile_is_sized_for_the_field(self):
        world = self.check_model("asca.obj")
        span = [max(p[i] for p in world) - min(p[i] for p in world) for i in range(3)]
        self.assertTrue(0.25 <= span[2] <= 0.45 and max(span[0], span[1]) < span[2] / 2, span)
        # The nose points down (+z): the narrow end is at the top of the z range.
        tip = max(world, key=lambda p: p[2])
        self.assertLess(math.hypot(tip[0], tip[1]), 1e-6)
        # The game draws the model twice, the second turned half round about z: the file holds the
        # half on the +y side, so the two copies make one missile and never cover each other.
        self.assertTrue(all(p[1] >= -1e-6 for p in world))
        self.assertGreater(max(p[1] for p in world), 0.02)


def walk_3ds(data):
    """The chunk tree of a 3DS file: checks that every length adds up and returns the mesh lists."""
    containers = {0x4D4D, 0x3D3D, 0x4000, 0x4100}
    found = {}

    def walk(start, end, depth):
        position = start
        while position < end:
            ident, length = struct.unpack_from("<HI", data, position)
            assert length >= 6 and position + length <= end, (hex(ident), length)
            body = position + 6
            if ident == 0x4000:
                name_end = data.index(b"\0", body)
                assert name_end - body < 20
                found["name"] = data[body:name_end]
                walk(name_end + 1, position + length, depth + 1)
            elif ident in containers:
                walk(body, position + length, depth + 1)
            elif ident == 0x4110:
                n, = struct.unpack_from("<H", data, body)
                assert length == 6 + 2 + 12 * n
                found["vertices"] = [struct.unpack_from("<3f", data, body + 2 + 12 * k) for k in range(n)]
            elif ident == 0x4140:
                n, = struct.unpack_from("<H", data, body)
                assert length == 6 + 2 + 8 * n
                found["mapping"] = [struct.unpack_from("<2f", data, body + 2 + 8 * k) for k in range(n)]
            elif ident == 0x4120:
                assert "vertices" in found, "faces before vertices"
                n, = struct.unpack_from("<H", data, body)
                assert length == 6 + 2 + 8 * n
                found["faces"] = [struct.unpack_from("<3H", data, body + 2 + 8 * k) for k in range(n)]
            else:
                raise AssertionError("unexpected chunk %x" % ident)
            position += length
        assert position == end

    walk(0, len(data), 0)
    return found


class ThreeDsModels(unittest.TestCase):
    def check_model(self, name):
        mesh = walk_3ds(read(os.path.join(ASSETS, name)))
        vertices, faces = mesh["vertices"], mesh["faces"]
        self.assertEqual(len(mesh["mapping"]), len(vertices))
        self.assertTrue(0 < len(vertices) <= 8000 and 0 < len(faces) <= 8000)
        volume = 0.0
        for a, b, c in faces:
            self.assertTrue(max(a, b, c) < len(vertices))
            pa, pb, pc = vertices[a], vertices[b], vertices[c]
            normal = cross(sub(pb, pa), sub(pc, pa))
            self.assertGreater(dot(normal, normal), 0.0, "zero-area triangle gives no normal")
            volume += dot(pa, cross(pb, pc)) / 6.0
        # Counter-clockwise seen from outside: the enclosed volume comes out positive.
        self.assertGreater(volume, 0.0)
        return vertices

    def test_missile_is_one_and_a_half_units_at_the_game_scale(self):
        vertices = self.check_model("missile.3DS")
        ys = [p[1] * 0.001 for p in vertices]
        self.assertAlmostEqual(max(ys) - min(ys), 1.5, delta=0.05)
        # Nose up in the file (the game turns it half round): the tip is on the axis at the top.
        tip = max(vertices, key=lambda p: p[1])
        self.assertLess(math.hypot(tip[0], tip[2]), 1e-3)

    def test_city_block_stands_on_the_ground_two_units_across(self):
        vertices = self.check_model("cubo.3DS")
        self.assertAlmostEqual(min(p[1] for p in vertices), 0.0, places=4)
        for axis in (0, 2):
            self.assertTrue(1.8 <= max(p[axis] for p in vertices) - min(p[axis] for p in vertices) <= 2.4)


class DataFiles(unittest.TestCase):
    def test_difficulty_is_playable(self):
        parser = ET.XMLParser(target=ET.TreeBuilder(insert_comments=True))
        root = ET.fromstring(read(os.path.join(ASSETS, "dificultad.xml")), parser)
        normal = root.find("Normal")
        self.assertIsNotNone(normal)
        # The reader wants an element, not a comment or text, as the first child of Normal.
        self.assertEqual(normal.text.strip(), "")
        self.assertIsInstance(normal[0].tag, str)
        values = normal[0].attrib
        self.assertEqual(set(values), {"rad_city", "separacion_city", "dificultad", "puntos_avion", "puntos_misil",
                                       "cant_hit_avion", "por_hit"})
        self.assertTrue(5 <= int(values["dificultad"]) <= 9)
        self.assertTrue(0 < int(values["por_hit"]) < 100)
        # Cities sit apart and inside the ring of cannon towers (radius 2, tower walls 0.15).
        radius, spacing = float(values["rad_city"]), float(values["separacion_city"])
        cities = [(0, 0.5 * spacing), (-0.433 * spacing, -0.5 * spacing), (0.433 * spacing, -0.5 * spacing)]
        for i, (x, y) in enumerate(cities):
            self.assertLess(math.hypot(x, y) + radius, 2 - 0.15)
            for x2, y2 in cities[i + 1:]:
                self.assertGreater(math.hypot(x - x2, y - y2), 2 * radius)

    def levels(self):
        # Two top-level elements side by side: parse them inside a wrapper.
        text = read(os.path.join(ASSETS, "configuracion.xml")).decode("utf-8").split("?>", 1)[1]
        return ET.fromstring("<x>" + text + "</x>")

    def test_levels_cities_and_towers(self):
        doc = self.levels()
        self.assertEqual([e.tag for e in doc], ["niveles", "torres"])
        niveles, torres = doc
        self.assertEqual(niveles[0].tag, "salud")
        self.assertTrue(all(e.tag == "ciudad" for e in niveles[1:]))
        self.assertEqual(torres[0].tag, "municion")
        self.assertTrue(all(e.tag == "torre" for e in torres[1:]))
        by_level = {}
        for city in niveles[1:]:
            by_level.setdefault(int(city.get("lvl")), []).append(int(city.get("id")))
            self.assertTrue(all(-50 < float(city.get(k)) < 50 for k in ("x", "z")))
        self.assertEqual(by_level, {1: [0, 1], 2: [0, 1, 2], 3: [0, 1, 2, 3]})
        self.assertEqual(sorted(int(t.get("id")) for t in torres[1:]), [0, 1, 2])
        for tower in torres[1:]:
            x, y, z = (float(tower.get(k)) for k in ("x", "y", "z"))
            self.assertTrue(y > 0 and max(abs(x), abs(z)) >= 40 and max(abs(x), abs(z)) < 50)

    def test_health_and_ammunition_fit_the_hud(self):
        niveles, torres = self.levels()
        health, ammo = int(niveles[0].get("valor")), int(torres[0].get("cant"))
        self.assertTrue(3 < health and 93 + 13 * health <= 480)  # survives a strike; cells fit the panel
        self.assertTrue(10 <= ammo and 200 + 5 * ammo <= 480)

    def test_each_tower_starts_looking_at_every_city(self):
        niveles, torres = self.levels()
        # The play view is 45 degrees high with aspect 0.75: about 17 degrees each side.
        half_width = math.degrees(math.atan(0.75 * math.tan(math.radians(22.5))))
        headings = {0: 0.0, 1: 225.0, 2: 135.0}
        for tower in torres[1:]:
            yaw = math.radians(headings[int(tower.get("id"))])
            look = (-math.sin(yaw), -math.cos(yaw))
            tx, tz = float(tower.get("x")), float(tower.get("z"))
            for city in niveles[1:]:
                dx, dz = float(city.get("x")) - tx, float(city.get("z")) - tz
                angle = math.degrees(math.acos((dx * look[0] + dz * look[1]) / math.hypot(dx, dz)))
                self.assertLess(angle, half_width - 3, (tower.attrib, city.attrib))

    def test_generator_tables_agree_with_the_file(self):
        niveles, _ = self.levels()
        self.assertEqual(len(niveles) - 1, sum(len(c) for c in datos.CIUDADES.values()))


# The sound room's effects, by the names the games load them under.
EFFECTS = ["disparo.wav", "bala.wav", "estallido.wav", "impacto.wav", "ciudad_cae.wav", "motor.wav",
           "avion_tocado.wav", "avion_cae.wav", "nivel_ganado.wav", "juego_perdido.wav", "viaje_torre.wav",
           "torre_vacia.wav", "menu_paso.wav", "menu_elegir.wav"]
LOOPS = {"motor.wav"}


def read_sound(name):
    """The samples of an effect as floats of full scale, after checking its format."""
    with wave.open(os.path.join(ASSETS, "sonidos", name), "rb") as w:
        params = (w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getcomptype())
        assert params == (1, 2, 44100, "NONE"), (name, params)
        frames = w.readframes(w.getnframes())
    return [v / 32768.0 for v in struct.unpack("<%dh" % (len(frames) // 2), frames)]


def energy(x):
    return sum(v * v for v in x) / 44100.0


def crossings_per_second(x):
    return sum(1 for a, b in zip(x, x[1:]) if (a < 0) != (b < 0)) * 44100.0 / len(x)


class Sounds(unittest.TestCase):
    def test_every_effect_and_nothing_else(self):
        self.assertEqual(sorted(os.listdir(os.path.join(ASSETS, "sonidos"))), sorted(EFFECTS))

    def test_short_small_clean_and_not_clipped(self):
        for name in EFFECTS:
            x = read_sound(name)
            self.assertTrue(0.03 <= len(x) / 44100.0 <= 0.9, name)
            self.assertLessEqual(os.path.getsize(os.path.join(ASSETS, "sonidos", name)), 80 * 1024, name)
            peak = max(abs(v) for v in x)
            self.assertTrue(0.3 <= peak <= 0.9, (name, peak))
            self.assertLess(abs(sum(x) / len(x)), 0.01, name)  # no offset from zero
            if name not in LOOPS:
                # Starts from silence and dies away: no click at either end.
                self.assertLess(abs(x[0]), 0.01, name)
                self.assertLess(abs(x[-1]), 0.01, name)
                self.assertLess(max(abs(v) for v in x[-441:]), 0.25 * peak, name)

    def test_engine_loops_without_a_seam(self):
        for name in LOOPS:
            x = read_sound(name)
            # A jump where the end meets the start shows as a bend sharper than any inside.
            bends = [abs(x[i + 1] - 2 * x[i] + x[i - 1]) for i in range(1, len(x) - 1)]
            seam = max(abs(x[0] - 2 * x[-1] + x[-2]), abs(x[1] - 2 * x[0] + x[-1]))
            self.assertLessEqual(seam, max(bends), name)
            self.assertLess(max(bends), 0.2, name)

    def test_a_strike_on_a_city_is_heavier_than_a_burst_in_the_air(self):
        burst, strike = read_sound("estallido.wav"), read_sound("impacto.wav")
        self.assertGreater(energy(strike), 1.5 * energy(burst))
        self.assertLess(crossings_per_second(strike), crossings_per_second(burst) / 2)  # lower

    def test_menu_and_click_sounds_are_brief_and_every_effect_differs(self):
        for name in ("menu_paso.wav", "torre_vacia.wav"):
            self.assertLess(len(read_sound(name)) / 44100.0, 0.1, name)
        contents = [read(os.path.join(ASSETS, "sonidos", name)) for name in EFFECTS]
        self.assertEqual(len(set(contents)), len(EFFECTS))


class FuzzSeeds(unittest.TestCase):
    def test_every_reader_has_seeds(self):
        for folder in ("dificultad", "obj", "3ds", "configuracion", "wav"):
            path = os.path.join(ROOT, "tests", "fuzz", "corpus", folder)
            self.assertGreaterEqual(len(os.listdir(path)), 3, folder)


if __name__ == "__main__":
    unittest.main()
