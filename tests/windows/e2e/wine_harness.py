"""Runs the Windows program under Wine on a private X server (tests/e2e/harness.py).

A WinePrefix is one Wine prefix of its own, made once for a test module
(wineboot takes seconds), with the ANSI code page 936: Wine takes it from
LC_ALL=zh_CN.UTF-8, and the C library's UTF-8 locale is offered under that
name in a folder beside the prefix (LOCPATH), as cmake/wine-run.sh does. Its
home is beside it too, so the Windows desktop folder is not the user's, and
the menu builder that would copy shortcuts into the user's menus is off. Wine's
browser launcher is pointed at a recording script, so an address the program
opens ends up in a file.

A WineSession is a harness Session (Xvfb, openbox, trayer, all stopped by
PID) whose program is ombrel.exe, started by wine in that prefix. Its work
area is smaller than the screen: trayer reserves its strip at the bottom.
Closing the session ends the prefix's Wine processes (wineserver -k) before
the X server goes, also when a test fails.

The program under test is $OMBREL_WIN_PROGRAM, the stand-in program
$OMBREL_WIN_STANDIN, the alarm ring $OMBREL_WIN_RING (optional).
"""

import os
import pwd
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "e2e"))

import harness  # noqa: E402
from test_launcher import write_recorder  # noqa: E402

WINE_TOOLS = ("wine", "wineboot", "wineserver")
PREFIX_TIMEOUT = 180.0

# The twips of a window description at 96 dots per inch.
TWIPS_PER_PIXEL = 15


def px(twips):
    return round(twips / TWIPS_PER_PIXEL)


def missing_tools():
    return harness.missing_tools(WINE_TOOLS)


def program_path(variable):
    path = os.environ.get(variable)
    if not path:
        raise RuntimeError("${} names no program".format(variable))
    return path


class WinePrefix:
    """A Wine prefix in a temporary folder, with its locale, home and browser."""

    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="ombrel-wine-")
        self.path = os.path.join(self.dir, "prefix")
        self.home = os.path.join(self.dir, "home")
        self.locales = os.path.join(self.dir, "locales")
        self.browser_record = os.path.join(self.dir, "browser.txt")
        os.mkdir(self.home)
        os.mkdir(self.locales)
        os.symlink("/usr/lib/locale/C.utf8", os.path.join(self.locales, "zh_CN.UTF-8"))
        self.variables = {
            "WINEPREFIX": self.path,
            "WINEDEBUG": "-all",
            "LOCPATH": self.locales,
            "LC_ALL": "zh_CN.UTF-8",
            "HOME": self.home,
            # No menu builder, and no offer to download Gecko or Mono.
            "WINEDLLOVERRIDES": "winemenubuilder.exe=d;mscoree=d;mshtml=d",
        }

    def command(self, *argv):
        """argv run with the prefix's variables, through env so the PID stays wine's."""
        return ["env"] + ["{}={}".format(k, v) for k, v in self.variables.items()] + list(argv)

    def run(self, *argv):
        """Runs a Wine command without a display and waits for it; returns its exit code."""
        environment = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        return subprocess.run(self.command(*argv), env=environment, stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=PREFIX_TIMEOUT).returncode

    def make(self):
        if self.run("wineboot", "-i") != 0:
            raise RuntimeError("wineboot could not make the prefix " + self.path)
        browser = os.path.join(self.dir, "browser")
        write_recorder(browser, self.browser_record)
        self.run("wine", "reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", "Browsers",
                 "/t", "REG_SZ", "/d", browser, "/f")
        self.stop()

    def stop(self):
        """Ends every process of the prefix and waits for its server to go."""
        self.run("wineserver", "-k")
        self.run("wineserver", "-w")

    def close(self):
        self.stop()
        if not os.environ.get("OMBREL_E2E_KEEP"):
            shutil.rmtree(self.dir, ignore_errors=True)

    @property
    def desktop(self):
        """The Unix path of the Windows desktop folder of the prefix's user."""
        user = pwd.getpwuid(os.getuid()).pw_name
        return os.path.join(self.path, "drive_c", "users", user, "Desktop")


class WineSession(harness.Session):

    def __init__(self, prefix, **kwargs):
        super().__init__(binary=program_path("OMBREL_WIN_PROGRAM"), trayer=True, **kwargs)
        self.prefix = prefix

    def start_trayer(self):
        saved = harness.TRAYER_ARGS
        harness.TRAYER_ARGS = saved + ["--SetPartialStrut", "true", "--widthtype", "pixel", "--width", "48"]
        try:
            return super().start_trayer()
        finally:
            harness.TRAYER_ARGS = saved

    def close(self):
        if not self._closed and self.display is not None:
            self.prefix.stop()
        super().close()

    def prepare_app(self, profile):
        """The program as ombrel.exe in a fresh application folder, with its
        ring and profile (bytes, or None for none)."""
        super().prepare_app(profile)
        os.replace(self.app_path, self.app_path + ".exe")
        self.app_path += ".exe"
        ring = os.environ.get("OMBREL_WIN_RING")
        if ring:
            shutil.copy(ring, os.path.join(self.app_dir, "Ring.wav"))
        return self.app_path

    def start_app(self, *args):
        return self.spawn(harness.PROGRAM_NAME, self.prefix.command("wine", self.app_path, *args), cwd=self.dir)

    def app_file(self, name):
        return os.path.join(self.app_dir, name)

    def work_area(self):
        """(left, top, width, height) of the first desktop's work area."""
        out = self.tool("xprop", "-root", "-notype", "_NET_WORKAREA")
        return tuple(int(v) for v in out.split("=")[1].split(",")[:4])

    def tray_icon(self):
        """The icon Wine's explorer embeds in trayer for the program, or None."""
        for window in self.tree():
            if window.has_class("explorer.exe") and any(a.has_class("trayer") for a in window.ancestors()):
                return window
        return None

    def screenshot_window(self, wid, path):
        x, y, width, height = self.geometry(wid)
        self.tool("import", "-window", "root", "-crop", "{}x{}+{}+{}".format(width, height, x, y), "+repage", path)
        return path
