"""Builds the source and binary packages once, from a clean copy of the tree, for the other package
tests: the packages, the source package and the build log land in the build tree's paquete/.

Run as: test_construir.py. Exits with 77 (skipped) when this machine cannot build packages; the
other package tests then skip too, saying why.
"""

import os
import shutil
import subprocess
import sys
import time
import unittest

import paquetes
from paquetes import WORK, TREE, LOG, SKIPPED, SYSTEM_PATH, run


def without_network():
    """A command prefix that runs its command with no network, or [] where none works here."""
    for prefix in (["unshare", "-n"], ["unshare", "-rn"]):
        if run([*prefix, "true"]).returncode == 0:
            return prefix
    return []


class Build(unittest.TestCase):

    def test_packages_build_from_a_clean_copy_without_network(self):
        shutil.rmtree(WORK, ignore_errors=True)
        os.makedirs(WORK)
        reason = paquetes.missing_tool(("git", "git"), ("dpkg-buildpackage", "dpkg-dev"),
                                       ("dh", "debhelper"))
        if not reason and run(["git", "-C", paquetes.REPO, "rev-parse"]).returncode != 0:
            reason = "git cannot list the tree's tracked files"
        if reason:
            with open(SKIPPED, "w") as f:
                f.write(reason + "\n")
            self.skipTest(reason)

        paquetes.copy_tracked_tree(TREE)
        env = {"PATH": SYSTEM_PATH, "HOME": WORK, "LC_ALL": "C.UTF-8",
               "DEB_BUILD_OPTIONS": "parallel=2"}
        cut_off = without_network()
        if not cut_off:
            print("note: the package build runs with the network reachable", file=sys.stderr)
        started = time.time()
        # Source and binaries: lintian then checks the source package (and its tests) as well.
        with open(LOG, "w") as log:
            done = subprocess.run([*cut_off, "dpkg-buildpackage", "-us", "-uc"], cwd=TREE,
                                  env=env, stdout=log, stderr=log)
        with open(LOG) as log:
            said = log.read()
        self.assertEqual(done.returncode, 0, f"dpkg-buildpackage failed:\n{said[-6000:]}")
        print(f"packages built in {time.time() - started:.0f} s", file=sys.stderr)
        built = paquetes.Built()
        self.assertEqual(len(built.debs), len(paquetes.PACKAGES))


if __name__ == "__main__":
    paquetes.main()
