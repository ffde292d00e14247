"""Checks the packages test_construir.py built: lintian with every tag it knows, appstreamcli, the
hardening of both programs and the flags of every compile line; then installs them as a player
does, starts each game from its menu entry under Xvfb, purges them and checks that nothing they
installed is left.

Run as: test_paquete.py (needs root, or sudo without a password, to install). Exits with 77
(skipped) when this machine cannot run it.
"""

import glob
import io
import os
import re
import subprocess
import sys
import tarfile
import unittest
from xml.etree import ElementTree

from PIL import Image

import paquetes
from paquetes import (DATA_PACKAGE, GAMES, PACKAGES, SYSTEM_PATH, WORK, as_root, dpkg_status,
                      purge_packages, run)

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "support"))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "install"))
import harness  # noqa: E402
from fenwar_screen import GROUND, in_play, textured  # noqa: E402
from pictures import distinct_colours, mean_colour, quick_difference  # noqa: E402
from test_instalar import desktop_entry, exec_arguments  # noqa: E402

REPO = harness.REPO
DATA = "/usr/share/games/fenwar-torvane"
PROGRAMS = "/usr/lib/games/fenwar-torvane"
COPYRIGHT_FORMAT = "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"
# Where each game package may put files; the data package keeps to its folder and its docs.
GAME_FOLDERS = ("usr/games/", "usr/lib/games/fenwar-torvane/", "usr/share/applications/",
                "usr/share/icons/hicolor/", "usr/share/man/man6/", "usr/share/metainfo/",
                "usr/share/doc/", "usr/share/lintian/overrides/")
DATA_FOLDERS = (DATA.lstrip("/") + "/", "etc/fenwar-torvane/", "usr/share/doc/")
# The files players edit: conffiles in /etc, linked from the data folder where the games read them.
CONFFILES = {"dificultad.xml": "/etc/fenwar-torvane/dificultad.xml",
             "configuracion.xml": "/etc/fenwar-torvane/configuracion.xml"}
# The project owns no domain and names its AppStream ids under the reserved .invalid, a top-level
# domain the validator does not know: the one remark it may make, and only about such an id.
RESERVED_PREFIX = "invalid."
UNKNOWN_DOMAIN_REMARK = "cid-maybe-not-rdns"


class Run:
    """What the steps hand on: the built packages, why they cannot be installed here (or None),
    what existed before the install and what dpkg says it installed."""
    built = None
    debs = {}
    cannot_install = None
    existed_before = {}
    installed_paths = {}


def setUpModule():
    Run.built = paquetes.Built()
    Run.debs = Run.built.debs
    lock = paquetes.machine_lock()
    lock.__enter__()
    unittest.addModuleCleanup(lock.__exit__, None, None, None)
    Run.cannot_install = paquetes.why_packages_cannot_be_installed()
    if not Run.cannot_install:
        unittest.addModuleCleanup(purge_packages)  # also when a step fails


def deb_field(deb, field):
    return run(["dpkg-deb", "-f", deb, field], check=True).stdout.strip()


def deb_paths(deb):
    """Every path the package holds, as /usr/..., folders included."""
    archive = subprocess.run(["dpkg-deb", "--fsys-tarfile", deb], capture_output=True,
                             check=True).stdout
    with tarfile.open(fileobj=io.BytesIO(archive)) as tar:
        return [os.path.normpath("/" + name) for name in tar.getnames()]


class BuiltPackages(unittest.TestCase):
    """The packages as built: clean by Debian's checkers, and laid out the games way."""

    @classmethod
    def setUpClass(cls):
        reason = paquetes.missing_tool(("lintian", "lintian"), ("appstreamcli", "appstream"),
                                       ("hardening-check", "devscripts"), ("blhc", "blhc"))
        if reason:
            raise unittest.SkipTest(reason)
        cls.unpacked = os.path.join(WORK, "desempaquetado")
        for deb in Run.debs.values():
            run(["dpkg-deb", "-x", deb, cls.unpacked], check=True)

    def test_lintian_finds_no_tag_at_any_level(self):
        # Source and binaries, pedantic and informational tags included: each is mended, or
        # overridden in debian/ with a line saying why.
        done = run(["lintian", "--info", "--display-info", "--pedantic", "--tag-display-limit=0",
                    Run.built.changes], env=dict(os.environ, PATH=SYSTEM_PATH))
        print(done.stdout, end="", file=sys.stderr)
        tags = [line for line in done.stdout.splitlines() if re.match(r"[EWIPXC]: ", line)]
        self.assertEqual(tags, [])
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)

    def test_both_programs_are_hardened(self):
        # Position-independent, stack protector, fortified functions, read-only relocations and
        # immediate binding. Control-flow marking cannot be had on this release: its own start
        # files (Scrt1.o) and SDL's libSDLmain.a carry no IBT note, so the linker drops it.
        programs = [os.path.join(self.unpacked, PROGRAMS.lstrip("/"), game) for game in GAMES]
        done = run(["hardening-check", "--nocfprotection", *programs])
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        for feature in ("Position Independent Executable: yes", "Stack protected: yes",
                        "Fortify Source functions: yes", "Read-only relocations: yes",
                        "Immediate binding: yes"):
            self.assertEqual(done.stdout.count(feature), len(GAMES), done.stdout)

    def test_every_compile_and_link_line_has_the_hardening_flags(self):
        with open(paquetes.LOG) as f:
            log = f.read()
        # The build must show its compile lines, or blhc would have nothing to check.
        for game in GAMES:
            self.assertRegex(log, rf" -c \S*/{game}/main\.cpp")
            self.assertRegex(log, rf" -o \S*bin/{game} ")
        done = run(["blhc", "--debian", "--all", "--line-numbers", paquetes.LOG])
        self.assertEqual((done.returncode, done.stdout), (0, ""), done.stdout + done.stderr)

    def metainfo(self, game):
        """The game's metainfo file, named after the id it holds, and that id."""
        found = glob.glob(os.path.join(self.unpacked, "usr", "share", "metainfo",
                                       f"*.{game}.metainfo.xml"))
        self.assertEqual(len(found), 1, found)
        component = ElementTree.parse(found[0]).getroot()
        ident = component.findtext("id")
        self.assertEqual(os.path.basename(found[0]), f"{ident}.metainfo.xml")
        self.assertTrue(ident.endswith("." + game), ident)
        return found[0], ident

    def test_software_centre_metadata_validates_with_its_menu_entries(self):
        found = [self.metainfo(game) for game in GAMES]
        prefixes = {ident[:-len(game) - 1] for (_, ident), game in zip(found, GAMES)}
        self.assertEqual(len(prefixes), 1, "both games share one AppStream prefix")
        allowed = {UNKNOWN_DOMAIN_REMARK} if prefixes.pop().startswith(RESERVED_PREFIX) else set()
        for command in (["validate", "--no-net", "--pedantic", *(path for path, _ in found)],
                        ["validate-tree", "--no-net", "--pedantic", self.unpacked]):
            with self.subTest(command=command[0]):
                done = run(["appstreamcli", *command])
                self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
                remarks = [line.split()[2] for line in done.stdout.splitlines()
                           if line.strip()[:2] in ("E:", "W:", "I:", "P:")]
                self.assertEqual([r for r in remarks if r not in allowed], [], done.stdout)

    def test_each_package_keeps_to_its_folders(self):
        for package, allowed in zip(PACKAGES, (GAME_FOLDERS, GAME_FOLDERS, DATA_FOLDERS)):
            files = [p for p in deb_paths(Run.debs[package])
                     if not os.path.isdir(os.path.join(self.unpacked, p.lstrip("/")))]
            stray = [p for p in files if not p.lstrip("/").startswith(allowed)]
            self.assertEqual(stray, [], package)
            self.assertIn(f"/usr/share/doc/{package}/copyright", files)

    def test_games_layout_and_dependencies(self):
        version = deb_field(Run.debs[DATA_PACKAGE], "Version")
        for game in GAMES:
            with self.subTest(game=game):
                files = set(deb_paths(Run.debs[game]))
                for path in (f"/usr/games/{game}", f"/usr/lib/games/fenwar-torvane/{game}",
                             f"/usr/share/applications/{game}.desktop",
                             f"/usr/share/man/man6/{game}.6.gz",
                             f"/usr/share/icons/hicolor/48x48/apps/{game}.png"):
                    self.assertIn(path, files)
                self.assertEqual(len([f for f in files if f.startswith("/usr/share/metainfo/")
                                      and f.endswith(f".{game}.metainfo.xml")]), 1)
                depends = [d.strip() for d in deb_field(Run.debs[game], "Depends").split(",")]
                self.assertIn(f"{DATA_PACKAGE} (= {version})", depends)
                self.assertTrue(any(d.startswith("libsdl1.2debian") for d in depends), depends)
                self.assertFalse([d for d in depends if "-dev" in d], depends)
        self.assertEqual(deb_field(Run.debs[DATA_PACKAGE], "Architecture"), "all")

    def test_data_package_holds_every_asset_and_the_edited_files_as_conffiles(self):
        source = os.path.join(REPO, "assets")
        expected = {os.path.relpath(os.path.join(folder, name), source)
                    for folder, _, names in os.walk(source) for name in names}
        held = {os.path.relpath(p, DATA) for p in deb_paths(Run.debs[DATA_PACKAGE])
                if p.startswith(DATA + "/")
                and not os.path.isdir(os.path.join(self.unpacked, p.lstrip("/")))}
        self.assertEqual(held, expected)
        for name, conffile in CONFFILES.items():
            link = os.path.join(self.unpacked, DATA.lstrip("/"), name)
            target = os.path.normpath(os.path.join(DATA, os.readlink(link)))
            self.assertEqual(target, conffile)
            with open(os.path.join(source, name), "rb") as a, \
                    open(os.path.join(self.unpacked, target.lstrip("/")), "rb") as b:
                self.assertEqual(a.read(), b.read(), name)
        control = os.path.join(WORK, "control-datos")
        run(["dpkg-deb", "-e", Run.debs[DATA_PACKAGE], control], check=True)
        with open(os.path.join(control, "conffiles")) as f:
            self.assertEqual(sorted(f.read().split()), sorted(CONFFILES.values()))

    def test_copyright_is_machine_readable(self):
        path = os.path.join(self.unpacked, "usr", "share", "doc", DATA_PACKAGE, "copyright")
        with open(path) as f:
            first = f.readline().strip()
        self.assertEqual(first, "Format: " + COPYRIGHT_FORMAT)


def install_packages():
    for package in PACKAGES:
        for path in deb_paths(Run.debs[package]):
            Run.existed_before[path] = os.path.lexists(path)
    debs = ["./" + os.path.basename(Run.debs[p]) for p in PACKAGES]
    done = run(as_root(["apt-get", "install", "-y", "--no-install-recommends",
                        "-o", "DPkg::Lock::Timeout=300", *debs]),
               cwd=WORK, env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))
    if done.returncode != 0:
        raise AssertionError(f"apt-get install failed:\n{done.stdout}{done.stderr}")
    for package in PACKAGES:
        listed = run(["dpkg", "-L", package], check=True).stdout.splitlines()
        Run.installed_paths[package] = [os.path.normpath(p) for p in listed if p.strip()]


class InstalledPackages(unittest.TestCase):
    """The packages installed with apt-get as a player does; purged again at the end, whatever
    happens here."""

    @classmethod
    def setUpClass(cls):
        if Run.cannot_install:
            raise unittest.SkipTest(Run.cannot_install)
        install_packages()

    def start_from_menu_entry(self, x, game):
        """The game started as a desktop does: the entry's Exec, from the root folder."""
        entry = desktop_entry(f"/usr/share/applications/{game}.desktop")
        command = exec_arguments(entry["Exec"])
        self.assertEqual(command, [f"/usr/games/{game}"])
        started = harness.Game(game, x, command=command, cwd="/", env={
            "PATH": SYSTEM_PATH + ":/usr/local/games:/usr/games"})
        self.addCleanup(started.close)
        return started

    def shown(self, game, looks_right):
        """The picture once it looks right and is drawn whole, saved as <game>-paquete.png."""
        game.wait_for_picture(looks_right, timeout=40)
        return game.look("paquete")

    def quit(self, game, *keys):
        game.key(*keys)
        self.assertEqual(game.wait_exit(), 0, game.stderr())

    def test_fenwar_draws_its_textured_field(self):
        def textured_field(shot):
            # The ground and the starry sky are pictures: many shades; the score is readable.
            return in_play(shot) and textured(shot)

        with harness.XServer() as x:
            game = self.start_from_menu_entry(x, "fenwar")
            shot = self.shown(game, textured_field)
            red, green, blue = mean_colour(shot, GROUND)
            self.assertGreater(green, max(red, blue), "the ground is not its green picture")
            self.quit(game, "Escape")
            self.assertNotIn("Error al cargar", game.stderr())

    def test_torvane_shows_its_start_picture(self):
        # The picture the start screen draws, as the installed data holds it.
        start = Image.open(os.path.join(DATA, "texturas", "inicio_comenzar.png"))
        start = start.convert("RGB").resize((harness.WIDTH, harness.HEIGHT))

        def start_screen(shot):
            return quick_difference(shot, start) < 12

        with harness.XServer() as x:
            game = self.start_from_menu_entry(x, "torvane")
            shot = self.shown(game, start_screen)
            self.assertGreater(distinct_colours(shot), 500)
            self.quit(game, "Escape", "Return")

    def test_man_pages_name_the_data_folder(self):
        env = dict(os.environ, MANWIDTH="80", LC_ALL="C.UTF-8", PATH=SYSTEM_PATH)
        for game in GAMES:
            with self.subTest(game=game):
                where = run(["man", "-w", "6", game], env=env)
                self.assertEqual(where.stdout.strip(), f"/usr/share/man/man6/{game}.6.gz")
                shown = run(["man", "--warnings", "6", game], env=env)
                self.assertEqual(shown.stderr, "")
                self.assertIn(DATA, shown.stdout)


class PurgedPackages(unittest.TestCase):
    """After the purge nothing the packages installed is left, folders included, while what was
    there before stays."""

    @classmethod
    def setUpClass(cls):
        if Run.cannot_install:
            raise unittest.SkipTest(Run.cannot_install)

    def test_purge_leaves_nothing_behind(self):
        self.assertTrue(Run.installed_paths, "the packages were never installed")
        purge_packages()
        for package in PACKAGES:
            self.assertIn(dpkg_status(package), (None, "not-installed"), package)
        left = []
        for package, paths in Run.installed_paths.items():
            for path in paths:
                if not Run.existed_before.get(path, True) and os.path.lexists(path):
                    left.append(path)
        self.assertEqual(left, [])
        unknown = [p for paths in Run.installed_paths.values() for p in paths
                   if p not in Run.existed_before]
        self.assertEqual(unknown, [], "dpkg -L lists paths the packages do not hold")
        kept = [p for p, existed in Run.existed_before.items()
                if existed and not os.path.lexists(p)]
        self.assertEqual(kept, [], "the purge removed what was there before")


def load_tests(loader, tests, pattern):
    """Built, installed, purged: in that order."""
    suite = unittest.TestSuite()
    for case in (BuiltPackages, InstalledPackages, PurgedPackages):
        suite.addTests(loader.loadTestsFromTestCase(case))
    return suite


if __name__ == "__main__":
    paquetes.main()
