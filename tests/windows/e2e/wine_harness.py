"""Runs the Windows program under Wine on a private X server (tests/e2e/harness.py).

A WinePrefix is one Wine prefix of its own, made once for a test module
(wineboot takes seconds), with the ANSI code page 936: Wine takes it from
LC_ALL=zh_CN.UTF-8, and the C library's UTF-8 locale is offered under that
name in a folder beside the prefix (LOCPATH), as cmake/wine-run.sh does. Its
home is beside it too, so the Windows desktop folder is not the user's, and
the menu builder that would copy shortcuts into the user's menus is off. Wine's
browser launcher (winebrowser, which ShellExecute hands http addresses to) is
pointed at a recording script, so an address the program opens ends up in a
file.

A WineSession is a harness Session (Xvfb, openbox, trayer, all stopped by
PID) whose program is ombrel.exe, started by wine in that prefix. trayer
reserves its strip at the bottom, so the work area is smaller than the
screen, and has a fixed width: a panel that grows after Wine has docked the
icon leaves Wine with the icon's old place, and the pointer never reaches it.
Closing the session ends the prefix's Wine processes (wineserver -k) before
the X server goes, also when a test fails.

WineTestCase gives each test a session, the clicks and looks of the Linux
launcher tests (the places in the window are the same twips at 96 DPI), the
stand-in programs and, at its end, the check that the flows reached the
power calls only as the test expects (not at all, unless it says so). Set
OMBREL_E2E_SHOTS to a folder to keep pictures of the windows.

The program under test is $OMBREL_WIN_PROGRAM, the stand-in program
$OMBREL_WIN_STANDIN, the alarm ring $OMBREL_WIN_RING (optional).
"""

import os
import pwd
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "e2e"))

import harness  # noqa: E402
from harness import BULLET, title_for, wait_for  # noqa: E402
from test_launcher import LauncherTestCase, write_recorder  # noqa: E402

WINE_TOOLS = ("wine", "wineboot", "wineserver", "xmodmap")
PREFIX_TIMEOUT = 180.0
START_TIMEOUT = 30.0  # a first start in a prefix brings up Wine's services

POWER_LOG = "power-calls.log"
STAR = (235 + 12, 272 + 12)  # the star's centre in the main window
BUTTON_COLUMN = (216, 40, 65, 225)  # the main window's column of buttons, 添加 to 退出
# 锁屏, the quick panel's last button, which no status line lies under.
LOCK_BUTTON = (16 + 184, 304 + 80, 73, 25)


def program_path(variable):
    path = os.environ.get(variable)
    if not path:
        raise RuntimeError("${} names no program".format(variable))
    return path


def windows_path(path):
    """A Unix path as Wine's drive Z: shows it."""
    return "Z:" + path.replace("/", "\\")


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
        if self.run("wine", "reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", "Browsers",
                    "/t", "REG_SZ", "/d", browser, "/f") != 0:
            raise RuntimeError("cannot point winebrowser at the recording browser")
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

    def run_windows(self, *argv):
        """Runs a Windows program in the session's prefix; returns its exit code."""
        return harness.wait_exit(self.spawn("wine", self.prefix.command("wine", *argv), cwd=self.dir),
                                 START_TIMEOUT)

    def map_characters(self, text):
        # Wine reads the keys of key codes from 168 on as the media keys of
        # their evdev codes and types nothing; Xvfb has seven free codes below.
        if len({c for c in text if ord(c) > 127}) > 7:
            raise ValueError("more than seven characters to type: " + text)
        super().map_characters(text)

    def answer(self, box, *keys):
        """Answers a message box with real keys, once it is the active window."""
        self.tool("xdotool", "windowactivate", "--sync", str(box))
        self.keys(*keys)

    def above(self, upper, lower):
        """Whether the window manager stacks window upper above window lower."""
        out = self.tool("xprop", "-root", "_NET_CLIENT_LIST_STACKING")
        order = [int(wid, 16) for wid in re.findall(r"0x[0-9a-fA-F]+", out)]  # bottom to top
        return order.index(upper) > order.index(lower)

    def pointer(self, x, y):
        """Moves the pointer towards (x, y); returns where it ended up."""
        self.tool("xdotool", "mousemove", str(x), str(y))
        out = self.tool("xdotool", "getmouselocation", "--shell")
        return tuple(int(re.search(r"^{}=(-?\d+)$".format(axis), out, re.M).group(1)) for axis in "XY")

    def app_file(self, name):
        return os.path.join(self.app_dir, name)

    def assert_centred(self, x, y, width, height):
        """A window opens centred on the whole screen, as on Linux (whole
        pixels may round either way)."""
        screen_w, screen_h = harness.SCREEN_SIZE
        if max(abs(x - (screen_w - width) / 2), abs(y - (screen_h - height) / 2)) > 1:
            raise AssertionError("the window opened at {}, not centred on the screen".format((x, y)))

    def tray_icon(self):
        """The icon Wine's explorer embeds in trayer for the program, or None."""
        for window in self.tree():
            if window.has_class("explorer.exe") and any(a.has_class("trayer") for a in window.ancestors()):
                return window
        return None

    def crop(self, wid, x, y, width, height):
        """The pixels of a rectangle inside window wid, as bytes."""
        left, top, _w, _h = self.geometry(wid)
        path = os.path.join(self.dir, "crop.ppm")
        self.tool("import", "-window", "root", "-crop", "{}x{}+{}+{}".format(width, height, left + x, top + y),
                  "+repage", path)
        with open(path, "rb") as f:
            return f.read()

    def wait_settled(self, wid, place, unlike=None):
        """Waits until the pixels of place (x, y, width, height) in window wid
        differ from unlike and stay the same between two looks; returns them."""
        last = [None]

        def settled():
            now = self.crop(wid, *place)
            done = now != unlike and now == last[0]
            last[0] = now
            return now if done else None
        return wait_for(settled, "the pixels at {} to settle".format(place))

    def shoot(self, wid, name, settle=True):
        """Keeps a picture of window wid, once drawn (unless settle is false,
        for a window that never stops changing), as NAME.png in
        $OMBREL_E2E_SHOTS, if set."""
        folder = os.environ.get("OMBREL_E2E_SHOTS")
        if not folder:
            return
        os.makedirs(folder, exist_ok=True)
        x, y, width, height = self.geometry(wid)
        if settle:
            self.wait_settled(wid, (0, 0, width, height))
        self.tool("import", "-window", "root", "-crop", "{}x{}+{}+{}".format(width, height, x, y), "+repage",
                  os.path.join(folder, name + ".png"))


_prefix = None


def setUpModule():
    """Makes the module's prefix, or skips the module without the tools."""
    global _prefix
    missing = missing_tools()
    if missing:
        raise unittest.SkipTest("missing X tools for the end-to-end tests: " + ", ".join(missing))
    _prefix = WinePrefix()
    try:
        _prefix.make()
    except BaseException:
        _prefix.close()
        raise


def tearDownModule():
    if _prefix is not None:
        _prefix.close()


def missing_tools():
    return harness.missing_tools(WINE_TOOLS)


def profile_with(items):
    """An Ombrel.ini holding the items {name: target} in list order, as the program writes it."""
    sections = "".join("[{}{}]\r\nFilename={}\r\n".format(BULLET, name, target) for name, target in items.items())
    return harness.profile_bytes(list(items)) + sections.encode("gbk")


class WineTestCase(LauncherTestCase):

    # What the power calls' log must hold at the end, in order: no call,
    # unless a test that drives the power actions says which.
    power_calls = ""

    def setUp(self):
        self.prefix = _prefix
        self.session = WineSession(_prefix)
        self.addCleanup(self.session.close)
        self.session.start()
        # Where the started programs lie: a folder whose name has a blank and
        # Chinese (from the items' names, so that few characters need keys).
        self.programs = os.path.join(self.session.dir, "画 图")
        os.mkdir(self.programs)

    def tearDown(self):
        if self.session.app_dir:
            self.assertEqual(self.power_log(), self.power_calls, "power calls other than expected were made")

    def power_log(self):
        """Every power call made so far, one line each ("" for none)."""
        try:
            with open(self.session.app_file(POWER_LOG), encoding="utf-8") as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def program(self, name):
        """A copy of the stand-in as NAME.exe among the programs; returns its Windows path.
        Started, it writes its record to its own path + ".txt"."""
        path = os.path.join(self.programs, name + ".exe")
        shutil.copy(program_path("OMBREL_WIN_STANDIN"), path)
        return windows_path(path)

    def start(self, count):
        process = self.session.start_app()
        window = self.session.wait_window(title_for(count), START_TIMEOUT)
        # Wine maps the window before it has drawn it, and a click that comes
        # that early can be lost: wait for the button column to be drawn.
        self.session.wait_settled(window, BUTTON_COLUMN)
        return process, window

    def system_standins(self, *paths):
        """Puts copies of the stand-in in place of the prefix's own programs at
        paths (under C:\\windows) for the rest of the test; returns the
        Unix paths of their records. Wine would run its built-in programs of
        those names, so they are set to native in its DLL overrides; this is
        done once the program runs, lest the desktop process Wine starts
        along with it (explorer.exe) be a stand-in."""
        windows = os.path.join(self.prefix.path, "drive_c", "windows")
        overrides = r"HKCU\Software\Wine\DllOverrides"
        for name in {os.path.basename(path) for path in paths}:
            self.assertEqual(self.session.run_windows("reg", "add", overrides, "/v", name, "/d", "native", "/f"), 0)
            self.addCleanup(self.session.run_windows, "reg", "delete", overrides, "/v", name, "/f")
        records = []
        for path in paths:
            target = os.path.join(windows, path)
            os.replace(target, target + ".wine")
            self.addCleanup(os.replace, target + ".wine", target)
            shutil.copy(program_path("OMBREL_WIN_STANDIN"), target)
            records.append(target + ".txt")
        return records

    def options_menu(self, window, *keys):
        """Opens the star's options menu and walks it with keys."""
        before = self.session.visible_windows()
        self.session.click_in(window, *STAR)
        self.session.wait_popup(before)
        self.session.keys(*keys)

    def open_quick_panel(self, window):
        """Slides in the quick panel by 快捷按键 over the status lines; returns their pixels."""
        status_lines = self.session.crop(window, *LOCK_BUTTON)
        self.options_menu(window, "Down", "Return")
        self.session.wait_settled(window, LOCK_BUTTON, status_lines)
        return status_lines
