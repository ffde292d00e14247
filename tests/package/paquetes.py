"""What the package tests share: the folder the packages are built in (once, by
test_construir.py), commands, dpkg's view of the packages, and one lock for the whole machine while
they are installed."""

import contextlib
import fcntl
import glob
import os
import shutil
import subprocess
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
# The build of the packages, its log, and what the other package tests read from it.
WORK = os.environ.get("PAQUETE_DIR") or os.path.join(REPO, "build", "paquete")
TREE = os.path.join(WORK, "fenwar-torvane")
LOG = os.path.join(WORK, "construccion.log")
SKIPPED = os.path.join(WORK, "omitido")
SOURCE = "fenwar-torvane"
DATA_PACKAGE = "fenwar-torvane-data"
GAMES = ("fenwar", "torvane")
PACKAGES = (*GAMES, DATA_PACKAGE)
# The PATH of a clean build; a player's session adds /usr/games to it.
SYSTEM_PATH = "/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin"
# Held by every test run that installs the packages, in any work tree of this machine.
MACHINE_LOCK = "/run/lock/fenwar-torvane-paquetes.lock"


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def as_root(command):
    return command if os.geteuid() == 0 else ["sudo", "-n", *command]


def missing_tool(*tools):
    """The first tool not on this machine, with the package that brings it, or None."""
    for tool, package in tools:
        if not shutil.which(tool, path=os.environ.get("PATH", "") + ":" + SYSTEM_PATH):
            return f"{tool} is missing (Debian package {package}; tools/install-deps --tests)"
    return None


def dpkg_status(package):
    """dpkg's one-word status of the package ("installed", "config-files", ...), or None when
    dpkg has never heard of it."""
    done = run(["dpkg-query", "-W", "-f=${db:Status-Status}", package])
    return done.stdout.strip() if done.returncode == 0 and done.stdout.strip() else None


def why_packages_cannot_be_installed():
    """The reason this machine cannot install the packages for a test, or None."""
    if os.geteuid() != 0 and run(["sudo", "-n", "true"]).returncode != 0:
        return "installing packages needs root or sudo without a password"
    present = [p for p in PACKAGES if dpkg_status(p) not in (None, "not-installed")]
    if present:
        return f"{', '.join(present)} already on this machine: the test would remove them"
    return None


@contextlib.contextmanager
def machine_lock():
    """Only one test run at a time installs the packages on this machine."""
    path = MACHINE_LOCK if os.access(os.path.dirname(MACHINE_LOCK), os.W_OK) else os.path.join(
        "/tmp", os.path.basename(MACHINE_LOCK))
    with open(path, "a") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        try:
            yield
        finally:
            fcntl.flock(lock, fcntl.LOCK_UN)


def purge_packages():
    """Purges whichever of the packages dpkg still knows; safe to call again."""
    known = [p for p in PACKAGES if dpkg_status(p) not in (None, "not-installed")]
    if not known:
        return
    done = run(as_root(["apt-get", "purge", "-y", "-o", "DPkg::Lock::Timeout=300", *known]),
               env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))
    if done.returncode != 0:
        raise AssertionError(f"apt-get purge failed:\n{done.stdout}{done.stderr}")


def copy_tracked_tree(destination):
    """The files git tracks, as they stand in the work tree (uncommitted edits included)."""
    listed = run(["git", "-C", REPO, "ls-files", "-z"], check=True).stdout
    for relative in filter(None, listed.split("\0")):
        origin = os.path.join(REPO, relative)
        target = os.path.join(destination, relative)
        if not os.path.lexists(origin):
            continue  # deleted in the work tree, not yet committed
        os.makedirs(os.path.dirname(target), exist_ok=True)
        if os.path.islink(origin):
            os.symlink(os.readlink(origin), target)
        else:
            shutil.copy2(origin, target)


class Built:
    """The packages test_construir.py built: one .deb per package, the .changes, the .dsc."""

    def __init__(self):
        if os.path.exists(SKIPPED):
            with open(SKIPPED) as f:
                raise unittest.SkipTest("the packages were not built: " + f.read().strip())
        self.debs = {}
        for package in PACKAGES:
            found = glob.glob(os.path.join(WORK, f"{package}_*.deb"))
            if len(found) != 1:
                raise AssertionError(f"expected one {package} package in {WORK}, found {found}: "
                                     "run the test package_build first")
            self.debs[package] = found[0]
        self.changes = self.one("*.changes")
        self.dsc = self.one("*.dsc")

    @staticmethod
    def one(pattern):
        found = glob.glob(os.path.join(WORK, pattern))
        if len(found) != 1:
            raise AssertionError(f"expected one {pattern} in {WORK}, found {found}")
        return found[0]


def main():
    """Runs the module's tests; exit 77 when every test was skipped, as ctest counts a skip."""
    result = unittest.main(module="__main__", verbosity=2, exit=False).result
    if not result.wasSuccessful():
        sys.exit(1)
    sys.exit(77 if result.skipped and result.testsRun <= len(result.skipped) else 0)
