"""Installs both games to scratch prefixes; checks what a player, a desktop and man get from them.

Run as: test_instalar.py [InstalledTree] [Launcher] ... (BUILD_DIR names the build tree)
"""

import filecmp
import os
import shutil
import stat
import struct
import subprocess
import sys
import tempfile
import unittest
from xml.etree import ElementTree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "support"))
import harness  # noqa: E402

REPO = harness.REPO
BUILD_DIR = os.environ.get("BUILD_DIR", os.path.join(REPO, "build"))
GAMES = ("fenwar", "torvane")
DATA = os.path.join("share", "fenwar-torvane")
PROGRAMS = os.path.join("libexec", "fenwar-torvane")


def configured_value(name):
    """A cache variable of the build tree, as CMake stored it."""
    with open(os.path.join(BUILD_DIR, "CMakeCache.txt")) as cache:
        for line in cache:
            key, _, value = line.rstrip("\n").partition("=")
            if key.split(":")[0] == name:
                return value
    raise AssertionError(f"{name} is not in the cache of {BUILD_DIR}")


_scratch = None


def scratch():
    """One temporary folder for the whole run, removed at the end."""
    global _scratch
    if _scratch is None:
        _scratch = tempfile.mkdtemp(prefix="instalar-")
    return _scratch


def tearDownModule():
    if _scratch:
        shutil.rmtree(_scratch, ignore_errors=True)


def install(prefix, destdir=None, cwd=None):
    env = dict(os.environ)
    env.pop("DESTDIR", None)
    if destdir:
        env["DESTDIR"] = destdir
    done = subprocess.run(["cmake", "--install", BUILD_DIR, "--prefix", prefix], env=env, cwd=cwd,
                          capture_output=True, text=True)
    if done.returncode != 0:
        raise AssertionError(f"install to {prefix} failed:\n{done.stdout}{done.stderr}")


_main_prefix = None


def main_prefix():
    """The install every group shares; its path holds a blank, as ~/My Games would."""
    global _main_prefix
    if _main_prefix is None:
        _main_prefix = os.path.join(scratch(), "pre fijo")
        install(_main_prefix)
    return _main_prefix


def files_under(root):
    found = set()
    for folder, _, names in os.walk(root):
        for name in names:
            found.add(os.path.relpath(os.path.join(folder, name), root))
    return found


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])


def desktop_entry(path):
    """The keys of the [Desktop Entry] group."""
    keys, group = {}, None
    with open(path, encoding="utf-8") as f:
        for line in f.read().splitlines():
            if not line or line.startswith("#"):
                continue
            if line.startswith("["):
                group = line
                continue
            if group == "[Desktop Entry]":
                key, _, value = line.partition("=")
                keys[key] = value
    return keys


def unescape_string(value):
    out, i = [], 0
    while i < len(value):
        if value[i] == "\\" and i + 1 < len(value):
            out.append({"s": " ", "n": "\n", "t": "\t", "r": "\r", "\\": "\\"}.get(value[i + 1],
                                                                                  value[i + 1]))
            i += 2
        else:
            out.append(value[i])
            i += 1
    return "".join(out)


def exec_arguments(value):
    """The argument vector a desktop launches from an Exec value (quoting, escapes, %%)."""
    text = unescape_string(value)
    args, current, quoted, started, i = [], [], False, False, 0
    while i < len(text):
        c = text[i]
        if quoted and c == "\\" and i + 1 < len(text) and text[i + 1] in '"`$\\':
            current.append(text[i + 1])
            i += 2
            continue
        if c == '"':
            quoted, started = not quoted, True
        elif c == " " and not quoted:
            if started:
                args.append("".join(current))
            current, started = [], False
        else:
            current.append(c)
            started = True
        i += 1
    if quoted:
        raise ValueError(f"unterminated quote in Exec={value}")
    if started:
        args.append("".join(current))
    return [a.replace("%%", "%") for a in args]


def words(text):
    """The text with every run of blanks and line breaks as one blank, as a page may break it."""
    return " ".join(text.split())


def shown_man_page(prefix, game):
    """The text `man 6 GAME` shows from the prefix's manual pages (blanks as words() leaves
    them), checked to come from there and to render without warnings."""
    manpath = os.path.join(prefix, "share", "man")
    env = dict(os.environ, MANWIDTH="80", LC_ALL="C.UTF-8")
    where = subprocess.run(["man", "-M", manpath, "-w", "6", game], env=env,
                           capture_output=True, text=True)
    if where.stdout.strip() != os.path.join(manpath, "man6", game + ".6"):
        raise AssertionError(f"man finds {where.stdout.strip()!r} for {game}")
    shown = subprocess.run(["man", "--warnings", "-M", manpath, "6", game], env=env,
                           capture_output=True, text=True)
    if shown.returncode != 0 or shown.stderr:
        raise AssertionError(f"{game}.6 status {shown.returncode}, warnings:\n{shown.stderr}")
    return words(shown.stdout)


class InstalledTree(unittest.TestCase):
    """The files an install leaves, where a desktop and man look for them."""

    @classmethod
    def setUpClass(cls):
        cls.prefix = main_prefix()

    def test_launchers_programs_and_all_data(self):
        for game in GAMES:
            for path in (os.path.join("bin", game), os.path.join(PROGRAMS, game)):
                full = os.path.join(self.prefix, path)
                self.assertTrue(os.path.isfile(full), path)
                self.assertTrue(os.stat(full).st_mode & stat.S_IXOTH, f"{path} is not executable")
        # Every data file, subfolders included, arrives byte for byte.
        source = os.path.join(REPO, "assets")
        data = os.path.join(self.prefix, DATA)
        expected = files_under(source)
        self.assertEqual(files_under(data), expected)
        _, mismatch, errors = filecmp.cmpfiles(source, data, sorted(expected), shallow=False)
        self.assertEqual(mismatch + errors, [])

    def test_icons_have_the_size_of_their_folder(self):
        hicolor = os.path.join(self.prefix, "share", "icons", "hicolor")
        self.assertEqual(files_under(hicolor),
                         files_under(os.path.join(REPO, "desktop", "icons", "hicolor")))
        for game in GAMES:
            sizes = set()
            for folder in os.listdir(hicolor):
                path = os.path.join(hicolor, folder, "apps", game + ".png")
                side = folder.split("x")[0]
                if os.path.exists(path) and side.isdigit():
                    side = int(side)
                    self.assertEqual(folder, f"{side}x{side}")
                    self.assertEqual(png_size(path), (side, side), path)
                    sizes.add(side)
            self.assertTrue({16, 32, 48, 256} <= sizes, f"{game} icon sizes {sorted(sizes)}")

    def test_menu_entries_validate_and_start_the_launcher(self):
        for game in GAMES:
            source = os.path.join(REPO, "desktop", game + ".desktop")
            installed = os.path.join(self.prefix, "share", "applications", game + ".desktop")
            check = subprocess.run(["desktop-file-validate", source, installed],
                                   capture_output=True, text=True)
            self.assertEqual(check.returncode, 0, check.stdout + check.stderr)
            self.assertEqual(check.stdout + check.stderr, "")
            entry = desktop_entry(installed)
            launcher = os.path.join(self.prefix, "bin", game)
            self.assertEqual(exec_arguments(entry["Exec"]), [launcher])
            self.assertEqual(unescape_string(entry["TryExec"]), launcher)
            self.assertTrue(os.path.exists(os.path.join(
                self.prefix, "share", "icons", "hicolor", "48x48", "apps", entry["Icon"] + ".png")))

    def test_man_pages_are_found_clean_and_name_the_data_folder(self):
        for game in GAMES:
            self.assertIn(words(os.path.join(self.prefix, DATA)), shown_man_page(self.prefix, game))

    def test_software_centre_metadata_validates_and_names_the_menu_entry(self):
        metainfo = os.path.join(self.prefix, "share", "metainfo")
        for game in GAMES:
            prefix = configured_value("ID_APPSTREAM")
            path = os.path.join(metainfo, f"{prefix}.{game}.metainfo.xml")
            component = ElementTree.parse(path).getroot()
            self.assertEqual(component.findtext("id"), f"{prefix}.{game}")
            launchable = component.findtext("launchable[@type='desktop-id']")
            self.assertTrue(os.path.isfile(os.path.join(self.prefix, "share", "applications",
                                                        launchable)), launchable)
            self.assertEqual(component.findtext("provides/binary"), game)
            if shutil.which("appstreamcli"):
                check = subprocess.run(["appstreamcli", "validate", "--no-net", "--pedantic", path],
                                       capture_output=True, text=True)
                self.assertEqual(check.returncode, 0, check.stdout + check.stderr)


STUB = """#!/bin/sh
pwd > "$STUB_LOG"
for a in "$@"; do printf '%s\\n' "$a" >> "$STUB_LOG"; done
"""


class Launcher(unittest.TestCase):
    """The launchers on a copy of the install whose real programs are stubs that report where they
    run; the copy also shows that a moved tree keeps working."""

    @classmethod
    def setUpClass(cls):
        cls.prefix = os.path.join(scratch(), "movido", "otro prefijo")
        shutil.copytree(main_prefix(), cls.prefix, symlinks=True)
        for game in GAMES:
            program = os.path.join(cls.prefix, PROGRAMS, game)
            with open(program, "w") as f:
                f.write(STUB)
            os.chmod(program, 0o755)
        cls.elsewhere = tempfile.mkdtemp(dir=scratch(), prefix="cualquier sitio ")
        cls.log = os.path.join(scratch(), "stub.log")

    def run_launcher(self, command, env=None):
        if os.path.exists(self.log):
            os.remove(self.log)
        run_env = dict(os.environ, STUB_LOG=self.log)
        run_env.update(env or {})
        done = subprocess.run(command, cwd=self.elsewhere, env=run_env,
                              capture_output=True, text=True, timeout=30)
        lines = None
        if os.path.exists(self.log):
            with open(self.log) as f:
                lines = f.read().splitlines()
        return done, lines

    def test_program_runs_in_the_data_folder_however_the_launcher_is_called(self):
        data = os.path.realpath(os.path.join(self.prefix, DATA))
        links = os.path.join(self.elsewhere, "enlaces")
        os.makedirs(links, exist_ok=True)
        for game in GAMES:
            launcher = os.path.join(self.prefix, "bin", game)
            link = os.path.join(links, game)
            if not os.path.lexists(link):
                os.symlink(launcher, link)
            ways = {
                "full path": ([launcher], None),
                "relative path": ([os.path.relpath(launcher, self.elsewhere)], None),
                "symlink in another folder": ([link], None),
                "PATH lookup of a symlink": ([game],
                                             {"PATH": links + os.pathsep + os.environ["PATH"]}),
            }
            for way, (command, env) in ways.items():
                with self.subTest(game=game, way=way):
                    done, lines = self.run_launcher(command, env)
                    self.assertEqual(done.returncode, 0, done.stderr)
                    self.assertEqual(os.path.realpath(lines[0]), data)

    def test_arguments_pass_through_untouched(self):
        args = ["dos  blancos", "", "$HOME", "*", "-x"]
        done, lines = self.run_launcher([os.path.join(self.prefix, "bin", "fenwar"), *args])
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(lines[1:], args)

    def test_missing_data_folder_fails_without_starting_the_game(self):
        broken = os.path.join(scratch(), "sin datos")
        shutil.copytree(self.prefix, broken, symlinks=True)
        shutil.rmtree(os.path.join(broken, DATA))
        done, lines = self.run_launcher([os.path.join(broken, "bin", "torvane")])
        self.assertEqual(done.returncode, 1)
        self.assertIn("torvane:", done.stderr)
        self.assertIn(DATA, done.stderr)
        self.assertIsNone(lines)


class StagedAndOddPrefixes(unittest.TestCase):
    """Installs the way packagers and unusual homes do them."""

    def test_destdir_stages_files_but_entries_name_the_final_prefix(self):
        stage = os.path.join(scratch(), "stage")
        existed = os.path.exists("/opt/juegos")
        install("/opt/juegos", destdir=stage)
        self.assertEqual(os.path.exists("/opt/juegos"), existed, "DESTDIR leaked into /opt")
        root = os.path.join(stage, "opt", "juegos")
        for game in GAMES:
            self.assertTrue(os.path.isfile(os.path.join(root, "bin", game)))
            entry = desktop_entry(os.path.join(root, "share", "applications", game + ".desktop"))
            self.assertEqual(exec_arguments(entry["Exec"]), [f"/opt/juegos/bin/{game}"])

    def test_relative_prefix_and_shell_characters_in_the_path(self):
        base = tempfile.mkdtemp(dir=scratch(), prefix="raro-")
        odd = 'juegos "50%" $HOME `x` & ;'
        install(odd, cwd=base)
        prefix = os.path.join(base, odd)
        for game in GAMES:
            installed = os.path.join(prefix, "share", "applications", game + ".desktop")
            check = subprocess.run(["desktop-file-validate", installed], capture_output=True,
                                   text=True)
            self.assertEqual(check.returncode, 0, check.stdout + check.stderr)
            entry = desktop_entry(installed)
            self.assertEqual(exec_arguments(entry["Exec"]), [os.path.join(prefix, "bin", game)])
            self.assertEqual(unescape_string(entry["TryExec"]), os.path.join(prefix, "bin", game))
            self.assertIn(words(os.path.join(prefix, DATA)), shown_man_page(prefix, game))

    def test_an_existing_icon_cache_learns_the_new_icons(self):
        prefix = os.path.join(scratch(), "con cache")
        theme = os.path.join(prefix, "share", "icons", "hicolor")
        os.makedirs(os.path.join(theme, "16x16", "apps"))
        shutil.copy(os.path.join(REPO, "desktop", "icons", "hicolor", "16x16", "apps",
                                 "fenwar.png"), os.path.join(theme, "16x16", "apps", "otro.png"))
        subprocess.run(["gtk-update-icon-cache", "-q", "-t", "-f", theme], check=True)
        install(prefix)
        with open(os.path.join(theme, "icon-theme.cache"), "rb") as f:
            cache = f.read()
        for name in (b"otro", *(game.encode() for game in GAMES)):
            self.assertIn(name, cache)


def configured_launcher(name, *cmake_args):
    """Configures a scratch build tree (nothing is compiled) and returns the fenwar launcher it
    writes (installing makes it executable; until then it runs through sh)."""
    tree = os.path.join(scratch(), name)
    done = subprocess.run(["cmake", "-S", REPO, "-B", tree, "-DBUILD_TESTING=OFF", *cmake_args],
                          capture_output=True, text=True)
    if done.returncode != 0:
        raise AssertionError(f"configure failed:\n{done.stdout}{done.stderr}")
    return os.path.join(tree, "lanzadores", "fenwar")


class ChosenFolders(unittest.TestCase):
    """What packagers choose at configure time. The launcher written for folders
    (JUEGOS_DATOS, JUEGOS_PROGRAMAS), run with a stub for the program: the layout packagers use, and
    absolute folders whose names hold shell characters. The AppStream prefix (ID_APPSTREAM)."""

    def run_stub(self, launcher):
        log = os.path.join(scratch(), "elegidas.log")
        if os.path.exists(log):
            os.remove(log)
        done = subprocess.run(["/bin/sh", launcher, "uno dos"], cwd=scratch(), capture_output=True,
                              text=True, env=dict(os.environ, STUB_LOG=log), timeout=30)
        self.assertEqual(done.returncode, 0, done.stderr)
        with open(log) as f:
            return f.read().splitlines()

    def place_stub(self, programs):
        os.makedirs(programs, exist_ok=True)
        with open(os.path.join(programs, "fenwar"), "w") as f:
            f.write(STUB)
        os.chmod(os.path.join(programs, "fenwar"), 0o755)

    def test_games_layout_relative_to_the_launcher(self):
        written = configured_launcher("juegos", "-DCMAKE_INSTALL_BINDIR=games",
                                      "-DJUEGOS_DATOS=share/games/fenwar-torvane",
                                      "-DJUEGOS_PROGRAMAS=lib/games/fenwar-torvane")
        root = os.path.join(scratch(), "raiz de juegos")
        os.makedirs(os.path.join(root, "games"))
        data = os.path.join(root, "share", "games", "fenwar-torvane")
        os.makedirs(data)
        self.place_stub(os.path.join(root, "lib", "games", "fenwar-torvane"))
        launcher = os.path.join(root, "games", "fenwar")
        shutil.copy(written, launcher)
        self.assertEqual(self.run_stub(launcher), [os.path.realpath(data), "uno dos"])

    def test_absolute_folders_with_shell_characters(self):
        # (CMake cannot hold a ";" in a path: it separates list items.)
        odd = os.path.join(scratch(), "it's \"odd\" $HOME `x` \\ &")
        data, programs = os.path.join(odd, "datos"), os.path.join(odd, "programas")
        os.makedirs(data)
        self.place_stub(programs)
        launcher = configured_launcher("absolutas", f"-DJUEGOS_DATOS={data}",
                                       f"-DJUEGOS_PROGRAMAS={programs}")
        self.assertEqual(self.run_stub(launcher), [os.path.realpath(data), "uno dos"])

    def test_an_empty_folder_is_refused(self):
        with self.assertRaisesRegex(AssertionError, "JUEGOS_DATOS must name a folder"):
            configured_launcher("vacia", "-DJUEGOS_DATOS=")

    def test_a_chosen_appstream_prefix_names_the_files_and_the_ids(self):
        tree = os.path.dirname(os.path.dirname(
            configured_launcher("prefijo", "-DID_APPSTREAM=com.example.juegos_3d")))
        for game in GAMES:
            path = os.path.join(tree, "metainfo", f"com.example.juegos_3d.{game}.metainfo.xml")
            component = ElementTree.parse(path).getroot()
            self.assertEqual(component.findtext("id"), f"com.example.juegos_3d.{game}")

    def test_a_prefix_software_centres_would_refuse_is_refused(self):
        for prefix in ("org.fenwar-torvane", "Org.Fenwar", "fenwar", "org..fenwar", "org.3d"):
            with self.subTest(prefix=prefix):
                with self.assertRaisesRegex(AssertionError, "ID_APPSTREAM must be"):
                    configured_launcher("prefijo-malo", f"-DID_APPSTREAM={prefix}")


def empty_folder(folder):
    shutil.rmtree(folder)
    os.makedirs(folder)


class InstalledGames(unittest.TestCase):
    """Each installed game, started by its launcher from a folder with none of its files, draws,
    names its window as its menu entry expects (so docks show the entry's icon) and ends cleanly."""

    def play(self, name, keys_to_quit):
        launcher = os.path.join(main_prefix(), "bin", name)
        entry = desktop_entry(os.path.join(main_prefix(), "share", "applications",
                                           name + ".desktop"))
        with harness.XServer() as x, harness.Game(name, x, prepare=empty_folder,
                                                  binary=launcher) as game:
            game.wait_for_picture()
            game.screenshot("instalado")
            classes = {w.get_wm_class() for w in x.top_windows()}
            self.assertIn(entry["StartupWMClass"], {c[1] for c in classes if c}, classes)
            game.key(*keys_to_quit)
            self.assertEqual(game.wait_exit(), 0, game.stderr())
            return game.stderr()

    def test_fenwar_finds_its_difficulty_and_draws(self):
        self.assertNotIn("Error al cargar", self.play("fenwar", ["Escape"]))

    def test_torvane_draws_its_start_screen(self):
        self.play("torvane", ["Escape", "Return"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
