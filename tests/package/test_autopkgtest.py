"""Runs the packages' own test suite (debian/tests) as a distribution's CI does: autopkgtest
installs the packages test_construir.py built, with their test dependencies, and runs every test
of their source package against them on this machine; the packages are purged afterwards.

Run as: test_autopkgtest.py (needs root, or sudo without a password). Exits with 77 (skipped) when
this machine cannot run it.
"""

import os
import re
import shutil
import subprocess
import sys
import unittest

import paquetes
from paquetes import SYSTEM_PATH, WORK, as_root

RESULTS = os.path.join(WORK, "autopkgtest")


def declared_tests(control):
    """The test names debian/tests/control declares, in order."""
    with open(control) as f:
        text = f.read()
    names = []
    for field in re.findall(r"^Tests:(.*(?:\n[ \t].*)*)", text, re.MULTILINE):
        names += field.replace(",", " ").split()
    return names


class SourcePackageTests(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.built = paquetes.Built()
        reason = paquetes.missing_tool(("autopkgtest", "autopkgtest"))
        if reason:
            raise unittest.SkipTest(reason)
        lock = paquetes.machine_lock()
        lock.__enter__()
        cls.addClassCleanup(lock.__exit__, None, None, None)
        reason = paquetes.why_packages_cannot_be_installed()
        if reason:
            raise unittest.SkipTest(reason)
        cls.addClassCleanup(paquetes.purge_packages)

    def test_every_declared_test_passes_against_the_built_packages(self):
        expected = declared_tests(os.path.join(paquetes.TREE, "debian", "tests", "control"))
        self.assertTrue(expected, "debian/tests/control declares no test")
        shutil.rmtree(RESULTS, ignore_errors=True)
        debs = [self.built.debs[p] for p in paquetes.PACKAGES]
        # -B: the given packages are the ones tested; the source package only brings its tests.
        done = subprocess.run(
            as_root(["autopkgtest", "-B", "--output-dir", RESULTS, *debs, self.built.dsc,
                     "--", "null"]),
            cwd=WORK, env=dict(os.environ, PATH=SYSTEM_PATH, DEBIAN_FRONTEND="noninteractive"),
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, timeout=1200)
        print(done.stdout[-4000:], file=sys.stderr)
        summary_path = os.path.join(RESULTS, "summary")
        self.assertTrue(os.path.exists(summary_path),
                        f"autopkgtest ended with {done.returncode}:\n{done.stdout[-6000:]}")
        with open(summary_path) as f:
            summary = dict(line.split(None, 1) for line in f if line.strip())
        results = {name: summary.get(name, "missing").split()[0] for name in expected}
        self.assertEqual(results, {name: "PASS" for name in expected}, done.stdout[-6000:])
        self.assertEqual(done.returncode, 0, done.stdout[-6000:])


if __name__ == "__main__":
    paquetes.main()
