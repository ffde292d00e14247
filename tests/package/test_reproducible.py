"""Builds the binary packages twice from clean copies of the tree and checks that every .deb is the
same, byte for byte. The second build starts later, in a folder of another name and depth, with
another umask, locale, time zone, home, number of parallel jobs and, when run as root, as another
user (nobody). Where two packages differ, diffoscope's report of them is kept and its start shown.

Run as: tools/reproducible [FOLDER] (FOLDER keeps both builds and the reports; a temporary one is
removed afterwards). Exits with 77 (skipped) when this machine cannot build the packages.
"""

import glob
import hashlib
import os
import pwd
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import paquetes
from paquetes import SOURCE, SYSTEM_PATH

# What changes from one build to the other; SOURCE_DATE_EPOCH comes from debian/changelog in both.
BUILDS = (
    dict(folder="primera", umask=0o022, user=None,
         env={"LC_ALL": "C.UTF-8", "TZ": "UTC", "DEB_BUILD_OPTIONS": "parallel=2"}),
    dict(folder=os.path.join("segunda", "mucho", "mas", "honda"), umask=0o002, user="nobody",
         env={"LC_ALL": "C", "LANG": "C", "TZ": "Pacific/Chatham",
              "DEB_BUILD_OPTIONS": "parallel=1"}),
)


class Folder:
    requested = None
    path = None
    temporary = False


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def owned_by(user, *paths):
    """Hands the paths, and all below them, to the user."""
    entry = pwd.getpwnam(user)
    for top in paths:
        for folder, names, files in os.walk(top):
            for name in [folder, *(os.path.join(folder, n) for n in names + files)]:
                os.lchown(name, entry.pw_uid, entry.pw_gid)


def build(number, settings):
    """One build in its own folder; returns {file name: path} of the .deb files it made."""
    base = os.path.join(Folder.path, settings["folder"])
    tree = os.path.join(base, SOURCE)
    home = os.path.join(Folder.path, f"casa-{number}")
    os.makedirs(home)
    paquetes.copy_tracked_tree(tree)
    env = {"PATH": SYSTEM_PATH, "HOME": home, "TMPDIR": home, **settings["env"]}
    command = ["dpkg-buildpackage", "-us", "-uc", "-b"]
    user = settings["user"] if os.geteuid() == 0 else None
    if user:
        owned_by(user, base, home)
        entry = pwd.getpwnam(user)
        env.update(USER=user, LOGNAME=user)
        command = ["setpriv", f"--reuid={entry.pw_uid}", f"--regid={entry.pw_gid}",
                   "--clear-groups", *command]
    log_path = os.path.join(Folder.path, f"construccion-{number}.log")
    old_umask = os.umask(settings["umask"])
    try:
        with open(log_path, "w") as log:
            done = subprocess.run(command, cwd=tree, env=env, stdout=log, stderr=log)
    finally:
        os.umask(old_umask)
    if done.returncode != 0:
        with open(log_path) as f:
            raise AssertionError(f"build {number} failed:\n{f.read()[-6000:]}")
    return {os.path.basename(p): p for p in glob.glob(os.path.join(os.path.dirname(tree),
                                                                   "*.deb"))}


def setUpModule():
    reason = paquetes.missing_tool(("git", "git"), ("dpkg-buildpackage", "dpkg-dev"),
                                   ("dh", "debhelper"))
    if not reason and os.geteuid() == 0:
        reason = paquetes.missing_tool(("setpriv", "util-linux"))
    if reason:
        raise unittest.SkipTest(reason)
    if Folder.requested:
        Folder.path = os.path.abspath(Folder.requested)
        shutil.rmtree(Folder.path, ignore_errors=True)
        os.makedirs(Folder.path)
    else:
        Folder.path = tempfile.mkdtemp(prefix="reproducible-")
        Folder.temporary = True
    os.chmod(Folder.path, 0o755)  # the second build's user walks through it


def tearDownModule():
    if Folder.temporary:
        shutil.rmtree(Folder.path, ignore_errors=True)


class SameBytesTwice(unittest.TestCase):

    def test_two_builds_give_identical_packages(self):
        first = build(1, BUILDS[0])
        time.sleep(2)  # another second on every clock the second build could read
        second = build(2, BUILDS[1])
        self.assertTrue(first)
        self.assertEqual(sorted(first), sorted(second))
        differ = [name for name in sorted(first) if sha256(first[name]) != sha256(second[name])]
        for name in differ:
            report = os.path.join(Folder.path, name + ".diffoscope.txt")
            if shutil.which("diffoscope"):
                subprocess.run(["diffoscope", "--text", report, first[name], second[name]],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                with open(report) as f:
                    print(f"--- {name} ---\n" + "".join(f.readlines()[:80]), file=sys.stderr)
        if differ and Folder.temporary:
            Folder.temporary = False
            print(f"the builds and reports stay in {Folder.path}", file=sys.stderr)
        self.assertEqual(differ, [])
        for name in sorted(first):
            print(f"{sha256(first[name])}  {name}", file=sys.stderr)


if __name__ == "__main__":
    if len(sys.argv) > 1:
        Folder.requested = sys.argv.pop(1)
    paquetes.main()
