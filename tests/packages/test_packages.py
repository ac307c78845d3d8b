"""The packages of dist/ (tools/package.sh), each installed, started and
removed again as its users would, with the profile kept:

- the Debian package passes lintian, desktop-file-validate and appstreamcli,
  is installed into a throw-away root, started with that root's /usr read-only
  as an installed /usr is for a user, and keeps its profile in the home;
- the Windows installer, run silently under Wine, puts the program, its
  start-menu shortcut and its uninstall key in place; a second install keeps
  the profile, and so does the silent uninstall;
- the Windows zip, unpacked into a folder whose name has a blank and Chinese,
  runs there and writes its profile beside itself.

$OMBREL_DIST names the folder of the packages; $OMBREL_BINARY and
$OMBREL_WIN_PROGRAM the release builds the sessions are made for.
"""

import glob
import os
import shutil
import subprocess
import sys
import unittest
import zipfile

# wine_harness first: it puts tests/e2e, with harness and test_launcher, on the path.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "windows", "e2e"))
import wine_harness  # noqa: E402
from wine_harness import START_TIMEOUT, WineTestCase, windows_path  # noqa: E402

import harness  # noqa: E402
from harness import title_for, wait_exit, wait_for  # noqa: E402
from test_launcher import ADD_BUTTON, EXIT_BUTTON, LauncherTestCase  # noqa: E402

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Ombrel"
# The profile an add of one entry named "ring" writes.
ONE_ENTRY = "[\u25cf ring]"


def setUpModule():
    missing = harness.missing_tools(("lintian", "desktop-file-validate", "appstreamcli", "dpkg", "unshare", "mount")
                                    + wine_harness.WINE_TOOLS)
    if missing:
        raise unittest.SkipTest("missing X tools for the end-to-end tests: " + ", ".join(missing))
    wine_harness.setUpModule()


def tearDownModule():
    wine_harness.tearDownModule()


def package(pattern):
    found = glob.glob(os.path.join(os.environ["OMBREL_DIST"], pattern))
    if len(found) != 1:
        raise FileNotFoundError("not one package {} in $OMBREL_DIST: {}".format(pattern, found))
    return found[0]


def run(*argv):
    """Runs a tool; fails the test with its output unless it succeeds."""
    done = subprocess.run(argv, stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=300)
    if done.returncode != 0:
        raise AssertionError("{} failed ({}):\n{}{}".format(" ".join(argv), done.returncode, done.stdout, done.stderr))
    return done.stdout


def profile_text(path):
    with open(path, "rb") as f:
        return f.read().decode("gbk")


class AddsOneEntry:
    """Adds an entry named "ring" through the add panel and waits for the list to show it."""

    def add_ring(self, window, target):
        self.session.click_in(window, *ADD_BUTTON)
        wait_for(lambda: self.add_panel_in_place(window), "the add panel in place")
        self.add_item(window, target, "ring")
        self.session.wait_window(title_for(1), START_TIMEOUT)


# Started inside a mount namespace of its own, where the root's /usr is
# bound read-only over itself: the program then finds its folder unwritable
# even for root, as an installed /usr/bin is for a user.
READ_ONLY_START = """
import os, subprocess, sys
usr, program = sys.argv[1:]
subprocess.run(["mount", "--bind", usr, usr], check=True)
subprocess.run(["mount", "-o", "remount,bind,ro", usr], check=True)
os.execv(program, [program])
"""


class DebianPackageTest(AddsOneEntry, LauncherTestCase):

    def test_the_package_passes_its_checks_installs_starts_and_keeps_its_profile_in_the_home(self):
        deb = package("ombrel_*_amd64.deb")
        run("lintian", "--fail-on", "error,warning", deb)
        root = os.path.join(self.session.dir, "root")
        if os.geteuid() == 0:
            for folder in ("var/lib/dpkg/info", "var/lib/dpkg/updates", "var/log"):
                os.makedirs(os.path.join(root, folder))
            open(os.path.join(root, "var/lib/dpkg/status"), "w").close()
            run("dpkg", "--root=" + root, "--force-depends", "--install", deb)
        else:
            run("dpkg-deb", "--extract", deb, root)
        usr = os.path.join(root, "usr")
        run("desktop-file-validate", *glob.glob(os.path.join(usr, "share/applications/*.desktop")))
        run("appstreamcli", "validate", "--no-net", *glob.glob(os.path.join(usr, "share/metainfo/*.xml")))
        for shipped in ("share/ombrel/Ring.wav", "share/icons/hicolor/256x256/apps/ombrel.png",
                        "share/doc/ombrel/copyright", "share/man/man1/ombrel.1.gz"):
            self.assertTrue(os.path.isfile(os.path.join(usr, shipped)), shipped + " is not installed")

        namespace = ["unshare", "--mount", "--propagation", "private"]
        if os.geteuid() != 0:
            namespace += ["--user", "--map-root-user"]
        tried = subprocess.run(namespace + ["--", "true"], capture_output=True, text=True, timeout=60)
        if tried.returncode != 0:
            self.skipTest("the checks passed, but no mount namespace can be made to start the installed copy in: "
                          + tried.stderr.strip())
        program = self.session.spawn(harness.PROGRAM_NAME, namespace + [
            "--", sys.executable, "-c", READ_ONLY_START, usr, os.path.join(usr, "bin", "ombrel")], cwd=self.session.dir)
        window = self.session.wait_window(title_for(0))
        self.add_ring(window, os.path.join(usr, "share/ombrel/Ring.wav"))
        self.session.click_in(window, *EXIT_BUTTON)
        self.assertEqual(wait_exit(program), 0)

        profile = os.path.join(self.home, ".config", "ombrel", "Ombrel.ini")
        self.assertIn(ONE_ENTRY, profile_text(profile))
        self.assertFalse(os.path.exists(os.path.join(usr, "bin", "Ombrel.ini")))
        if os.geteuid() == 0:
            run("dpkg", "--root=" + root, "--remove", "ombrel")
            self.assertFalse(os.path.exists(os.path.join(usr, "bin", "ombrel")))
        self.assertIn(ONE_ENTRY, profile_text(profile))


class WindowsPackageTestCase(AddsOneEntry, WineTestCase):

    def start_installed(self, path):
        """Starts ombrel.exe at the Unix path; returns its process and main window."""
        process = self.session.spawn(harness.PROGRAM_NAME, self.prefix.command("wine", windows_path(path)),
                                     cwd=os.path.dirname(path))
        return process, self.session.wait_window(title_for(0), START_TIMEOUT)

    def add_and_exit(self, process, window):
        ring = os.path.join(self.session.dir, "ring.wav")
        shutil.copy(os.path.join(os.path.dirname(wine_harness.program_path("OMBREL_WIN_PROGRAM")), "Ring.wav"), ring)
        self.add_ring(window, windows_path(ring))
        self.session.click_in(window, *EXIT_BUTTON)
        self.assertEqual(wait_exit(process, START_TIMEOUT), 0)


class WindowsInstallerTest(WindowsPackageTestCase):

    def user_folder(self, *parts):
        return os.path.join(os.path.dirname(self.prefix.desktop), *parts)

    def uninstall_entry(self):
        """The uninstall key's values as text, or "" when there is none."""
        exported = os.path.join(self.session.dir, "uninstall.reg")
        if self.session.run_windows("reg", "export", UNINSTALL_KEY, windows_path(exported), "/y") != 0:
            return ""
        with open(exported, "rb") as f:
            return f.read().decode("utf-16")

    def test_a_silent_install_starts_keeps_the_profile_over_a_second_install_and_a_silent_uninstall(self):
        setup = windows_path(package("Ombrel-*-setup.exe"))
        self.assertEqual(self.session.run_windows(setup, "/S"), 0)
        folder = self.user_folder("AppData", "Local", "Programs", "Ombrel")
        for name in ("ombrel.exe", "Ring.wav", "uninstall.exe"):
            self.assertTrue(os.path.isfile(os.path.join(folder, name)), name + " is not installed")
        start_menu = self.user_folder("AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs",
                                      "Ombrel.lnk")
        self.assertTrue(os.path.isfile(start_menu), "no start-menu shortcut")
        self.assertFalse(os.path.exists(os.path.join(self.prefix.desktop, "Ombrel.lnk")),
                         "a silent install made the desktop shortcut nobody chose")
        entry = self.uninstall_entry()
        version = os.path.basename(setup).split("-")[1]
        for value in ('"DisplayVersion"="{}"'.format(version), '"Publisher"=', '"DisplayIcon"=',
                      '"QuietUninstallString"=', "uninstall.exe"):
            self.assertIn(value, entry)

        process, window = self.start_installed(os.path.join(folder, "ombrel.exe"))
        self.assertNotEqual(self.session.run_windows(setup, "/S"), 0, "an install over the running program went on")
        self.add_and_exit(process, window)
        profile = os.path.join(folder, "Ombrel.ini")
        self.assertIn(ONE_ENTRY, profile_text(profile))

        self.assertEqual(self.session.run_windows(setup, "/S"), 0)
        self.assertIn(ONE_ENTRY, profile_text(profile))

        # The uninstaller copies itself away and runs from there, so its end is awaited by its work.
        self.assertEqual(self.session.run_windows(windows_path(os.path.join(folder, "uninstall.exe")), "/S"), 0)
        wait_for(lambda: not os.path.exists(os.path.join(folder, "uninstall.exe")), "the uninstaller to finish",
                 timeout=START_TIMEOUT)
        self.assertEqual(sorted(os.listdir(folder)), ["Ombrel.ini"])
        self.assertIn(ONE_ENTRY, profile_text(profile))
        self.assertFalse(os.path.exists(start_menu))
        self.assertEqual(self.uninstall_entry(), "")


class WindowsZipTest(WindowsPackageTestCase):

    def test_the_zip_runs_from_a_folder_named_with_a_blank_and_chinese_and_keeps_its_profile_there(self):
        folder = os.path.join(self.session.dir, "我的 工具")
        with zipfile.ZipFile(package("Ombrel-*-win64.zip")) as archive:
            self.assertEqual(sorted(archive.namelist()), sorted(["ombrel.exe", "Ring.wav", "说明.txt"]))
            archive.extractall(folder)
        with open(os.path.join(folder, "说明.txt"), "rb") as f:
            self.assertTrue(f.read().startswith("\ufeffOmbrel".encode("utf-8")))

        process, window = self.start_installed(os.path.join(folder, "ombrel.exe"))
        self.add_and_exit(process, window)
        self.assertIn(ONE_ENTRY, profile_text(os.path.join(folder, "Ombrel.ini")))


if __name__ == "__main__":
    unittest.main()
