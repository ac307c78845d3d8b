"""Runs the built program on a private X server and looks at it from outside.

A Session starts Xvfb (on a display number the server picks itself),
openbox and, on request, trayer as a notification area, each with a private
runtime folder, home and a D-Bus address that leads nowhere, so the program
takes its XEmbed tray path and its one-copy lock never meets the user's own.
The program is copied into a temporary application folder beside a prepared
Ombrel.ini, because it reads its profile from the folder of its executable.

Everything is seen the way a user's tools see it: xdotool, xwininfo and
xprop for windows and input, ImageMagick's import for pictures. Waits poll a
condition every 50 ms up to a timeout; nothing sleeps for a fixed time.
Closing the session (also when a test fails) ends every process it started,
by PID, newest first: SIGTERM, then SIGKILL if it does not go in time.
Set OMBREL_E2E_KEEP=1 to keep the temporary folder with the logs.

Only the Python standard library is used.
"""

import atexit
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time

POLL_INTERVAL = 0.05
DEFAULT_TIMEOUT = 10.0
SCREEN_SIZE = (1280, 800)

PROFILE_NAME = "Ombrel.ini"
PROGRAM_NAME = "ombrel"
BULLET = "\u25cf "  # "● ", the mark in front of every list entry
TITLE_FORMAT = "ゑVelkinゑ桌面菜单  (共{}项）"

TRAYER_ARGS = ["--edge", "bottom", "--align", "right", "--widthtype", "request", "--height", "24"]

REQUIRED_TOOLS = ("Xvfb", "openbox", "trayer", "xdotool", "xwininfo", "xprop", "import")

# Environment variables of the caller's desktop that would change how Qt or
# the tools behave on the private server.
_DESKTOP_VARIABLES = (
    "WAYLAND_DISPLAY", "XAUTHORITY", "SESSION_MANAGER", "DESKTOP_SESSION",
    "XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE", "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE",
    "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
    "QT_ENABLE_HIGHDPI_SCALING", "QT_FONT_DPI", "GDK_SCALE",
)


class WaitTimeout(AssertionError):
    """A condition did not come true in time (reported as a test failure)."""


def wait_for(predicate, what, timeout=DEFAULT_TIMEOUT, interval=POLL_INTERVAL, details=None):
    """Polls predicate until it returns something true and returns that value.

    details, if given, is called on timeout and its text added to the message.
    """
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            message = "timed out after {:.1f} s waiting for {}".format(timeout, what)
            if details is not None:
                message += "\n" + details()
            raise WaitTimeout(message)
        time.sleep(interval)


def missing_tools(extra=()):
    """The programs a session (and the extra ones a test needs) that are not on PATH."""
    return [tool for tool in tuple(REQUIRED_TOOLS) + tuple(extra) if shutil.which(tool) is None]


def default_binary():
    """The program under test: $OMBREL_BINARY, else build/ombrel in the repository."""
    path = os.environ.get("OMBREL_BINARY")
    if path:
        return path
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    return os.path.join(root, "build", PROGRAM_NAME)


def title_for(count):
    """The main window's name for a list of count entries."""
    return TITLE_FORMAT.format(count)


def profile_bytes(entries, count=None):
    """An Ombrel.ini as the program writes it: GBK, CRLF, the list in [标题].

    entries are the names without the bullet; count overrides Count= (it
    defaults to the number of entries).
    """
    lines = ["[标题]", "Count={}".format(len(entries) if count is None else count)]
    lines += ["{:03d}={}{}".format(i, BULLET, name) for i, name in enumerate(entries)]
    return ("\r\n".join(lines) + "\r\n").encode("gbk")


class Window:
    """One line of `xwininfo -root -tree`."""

    def __init__(self, wid, name, classes, x, y, width, height, parent):
        self.wid = wid
        self.name = name
        self.classes = classes  # (instance, class) or () when WM_CLASS is unset
        self.x, self.y, self.width, self.height = x, y, width, height  # absolute
        self.parent = parent  # the enclosing Window, None for children of the root

    @property
    def centre(self):
        return self.x + self.width // 2, self.y + self.height // 2

    def ancestors(self):
        node = self.parent
        while node is not None:
            yield node
            node = node.parent

    def has_class(self, name):
        return any(c.lower() == name.lower() for c in self.classes)

    def __repr__(self):
        return "Window(0x{:x} {!r} {} {}x{}+{}+{})".format(
            self.wid, self.name, self.classes, self.width, self.height, self.x, self.y)


# 0x600003 "panel": ("panel" "trayer")  24x24+0+0  +1256+776
_TREE_LINE = re.compile(
    r'^(?P<indent>\s*)(?P<wid>0x[0-9a-fA-F]+) (?:"(?P<name>.*)"|\(has no name\)): '
    r'\((?P<classes>(?:"[^"]*"\s*)*)\)\s+(?P<w>\d+)x(?P<h>\d+)[+-]-?\d+[+-]-?\d+'
    r'\s+\+(?P<x>-?\d+)\+(?P<y>-?\d+)\s*$')


def parse_tree(text):
    """The windows of an `xwininfo -root -tree` listing, parents before children."""
    windows = []
    stack = []  # (indent, Window) of the open branches
    for line in text.splitlines():
        match = _TREE_LINE.match(line)
        if not match:
            continue
        indent = len(match.group("indent"))
        while stack and stack[-1][0] >= indent:
            stack.pop()
        window = Window(
            int(match.group("wid"), 16), match.group("name"),
            tuple(re.findall(r'"([^"]*)"', match.group("classes"))),
            int(match.group("x")), int(match.group("y")),
            int(match.group("w")), int(match.group("h")),
            stack[-1][1] if stack else None)
        stack.append((indent, window))
        windows.append(window)
    return windows


def _ere_escape(text):
    """text as a POSIX extended regular expression matching only itself."""
    return re.sub(r'([.\[\]{}()\\*+?^$|])', r'\\\1', text)


_live_sessions = set()


@atexit.register
def _close_live_sessions():
    for session in list(_live_sessions):
        session.close()


def _terminate_on_sigterm():
    # A SIGTERM (say from a test runner giving up) unwinds the stack like
    # Ctrl-C, so the sessions' with-blocks stop what they started.
    try:
        if signal.getsignal(signal.SIGTERM) is signal.SIG_DFL:
            def handler(signum, frame):
                raise KeyboardInterrupt("SIGTERM")
            signal.signal(signal.SIGTERM, handler)
    except ValueError:
        pass  # not the main thread


class Session:
    """A private X display with a window manager, optionally a tray, and the program.

    Use it as a context manager; close() stops everything it started.
    """

    def __init__(self, binary=None, trayer=False, keep_files=None, xvfb_args=()):
        self.binary = os.path.abspath(binary or default_binary())
        self.want_trayer = trayer
        self.xvfb_args = list(xvfb_args)
        if keep_files is None:
            keep_files = bool(os.environ.get("OMBREL_E2E_KEEP"))
        self.keep_files = keep_files
        self.dir = None
        self.display = None
        self.env = None
        self.app_dir = None
        self.app_path = None
        self._processes = []  # (label, Popen, log file), in start order
        self._closed = False

    # -- life cycle ---------------------------------------------------------

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def start(self):
        if not os.access(self.binary, os.X_OK):
            raise FileNotFoundError("program not found or not executable: " + self.binary)
        _terminate_on_sigterm()
        _live_sessions.add(self)
        self.dir = tempfile.mkdtemp(prefix="ombrel-e2e-")
        runtime = os.path.join(self.dir, "runtime")
        home = os.path.join(self.dir, "home")
        os.mkdir(runtime, 0o700)
        os.chmod(runtime, 0o700)
        os.makedirs(os.path.join(home, ".config"))
        self.env = {k: v for k, v in os.environ.items() if k not in _DESKTOP_VARIABLES}
        self.env.update({
            "XDG_RUNTIME_DIR": runtime,
            "DBUS_SESSION_BUS_ADDRESS": "unix:path=/nonexistent",
            "HOME": home,
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
            "QT_QPA_PLATFORM": "xcb",
            "LC_ALL": "C.UTF-8",
        })
        self._start_xvfb()
        self.env["DISPLAY"] = self.display
        self.start_openbox()
        if self.want_trayer:
            self.start_trayer()

    def close(self):
        """Stops every started process, newest first, and removes the files."""
        if self._closed:
            return
        self._closed = True
        _live_sessions.discard(self)
        for label, process, log in reversed(self._processes):
            stop_process(process)
            log.close()
        if self.dir and not self.keep_files:
            shutil.rmtree(self.dir, ignore_errors=True)

    def spawn(self, label, argv, **kwargs):
        log = open(os.path.join(self.dir, "{}-{}.log".format(label, len(self._processes))), "wb")
        try:
            process = subprocess.Popen(argv, env=self.env, stdin=subprocess.DEVNULL,
                                       stdout=log, stderr=subprocess.STDOUT, **kwargs)
        except BaseException:
            log.close()
            raise
        self._processes.append((label, process, log))
        return process

    def _start_xvfb(self):
        read_end, write_end = os.pipe()
        try:
            xvfb = self.spawn("Xvfb", [
                "Xvfb", "-displayfd", str(write_end),
                "-screen", "0", "{}x{}x24".format(*SCREEN_SIZE), "-noreset", "-nolisten", "tcp",
            ] + self.xvfb_args, pass_fds=(write_end,))
            os.close(write_end)
            write_end = None
            # The server writes its display number and a newline once it
            # accepts clients.
            data = b""
            deadline = time.monotonic() + DEFAULT_TIMEOUT
            while not data.endswith(b"\n"):
                left = deadline - time.monotonic()
                if left <= 0 or not select.select([read_end], [], [], left)[0]:
                    raise WaitTimeout("Xvfb did not report its display\n" + self.logs())
                chunk = os.read(read_end, 64)
                if not chunk:
                    raise RuntimeError("Xvfb ended at start (code {})\n{}".format(
                        xvfb.wait(), self.logs()))
                data += chunk
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        self.display = ":" + data.decode().strip()

    def start_openbox(self):
        openbox = self.spawn("openbox", ["openbox", "--sm-disable"])
        # A window mapped while openbox is still starting may never be
        # managed (trayer's panel then stays unmapped for good), so wait for
        # the root window properties openbox sets last.
        wait_for(lambda: openbox.poll() is not None or self._root_has("_OB_THEME", "_NET_CLIENT_LIST_STACKING"),
                 "openbox to manage the screen", details=self.logs)
        if openbox.poll() is not None:
            raise RuntimeError("openbox ended at start\n" + self.logs())
        return openbox

    def start_trayer(self):
        trayer = self.spawn("trayer", ["trayer"] + TRAYER_ARGS)
        wait_for(lambda: trayer.poll() is not None or self.search("--onlyvisible", "--class", "^trayer$"),
                 "trayer's panel", details=self.logs)
        if trayer.poll() is not None:
            raise RuntimeError("trayer ended at start\n" + self.logs())
        return trayer

    # -- the program --------------------------------------------------------

    def prepare_app(self, profile):
        """Copies the program into a fresh application folder with profile
        (bytes, written as they are, or None for no profile)."""
        self.app_dir = os.path.join(self.dir, "app")
        os.makedirs(self.app_dir, exist_ok=True)
        self.app_path = os.path.join(self.app_dir, PROGRAM_NAME)
        shutil.copy2(self.binary, self.app_path)
        self.write_profile(profile)
        return self.app_path

    def write_profile(self, profile):
        path = os.path.join(self.app_dir, PROFILE_NAME)
        if profile is None:
            if os.path.exists(path):
                os.remove(path)
        else:
            with open(path, "wb") as f:
                f.write(profile)

    @property
    def lock_path(self):
        return os.path.join(self.env["XDG_RUNTIME_DIR"], PROGRAM_NAME + ".lock")

    def start_app(self, *args):
        """Starts the prepared program; returns its Popen."""
        if self.app_path is None:
            raise RuntimeError("prepare_app() first")
        return self.spawn(PROGRAM_NAME, [self.app_path] + list(args), cwd=self.dir)

    def app_output(self, process):
        """What the given program run wrote to stdout and stderr so far."""
        for _label, p, log in self._processes:
            if p is process:
                log.flush()
                with open(log.name, "rb") as f:
                    return f.read().decode("utf-8", "replace")
        raise KeyError(process)

    def logs(self):
        """The tails of all the logs, for failure messages."""
        parts = []
        for label, process, log in self._processes:
            log.flush()
            with open(log.name, "rb") as f:
                tail = f.read()[-2000:].decode("utf-8", "replace")
            state = "running" if process.poll() is None else "ended with {}".format(process.returncode)
            parts.append("--- {} (pid {}, {}) ---\n{}".format(label, process.pid, state, tail))
        return "\n".join(parts)

    # -- looking at windows -------------------------------------------------

    def tool(self, *argv, check=True):
        """Runs an X client on the display; returns its stdout as text."""
        result = subprocess.run(list(argv), env=self.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                timeout=DEFAULT_TIMEOUT)
        if check and result.returncode != 0:
            raise RuntimeError("{} failed ({}): {}".format(
                argv, result.returncode, result.stderr.decode("utf-8", "replace")))
        return result.stdout.decode("utf-8", "replace")

    def _root_has(self, *names):
        """Whether the root window has all the named properties."""
        out = self.tool("xprop", "-root", "-notype", *names, check=False)
        # A missing one reads "NAME:  not found." or "NAME:  no such atom on any window."
        present = set()
        for line in out.splitlines():
            match = re.match(r"(\w+)(.*)$", line)
            if match and not re.match(r":\s+(not found|no such atom)", match.group(2)):
                present.add(match.group(1))
        return present.issuperset(names)

    def search(self, *criteria):
        """Window ids from `xdotool search` (an empty list when none match)."""
        out = self.tool("xdotool", "search", *criteria, check=False)
        return [int(line) for line in out.split()]

    def visible_windows_named(self, name):
        """Visible windows whose name is exactly name."""
        return self.search("--onlyvisible", "--name", "^" + _ere_escape(name) + "$")

    def visible_windows(self):
        """Ids of all mapped windows that have a name or a class."""
        return set(self.search("--onlyvisible", "--name", "--class", "--classname", ""))

    def wait_window(self, name, timeout=DEFAULT_TIMEOUT):
        """Waits until exactly one visible window is named name; returns its id."""
        ids = wait_for(lambda: self.visible_windows_named(name),
                       "a visible window named {!r}".format(name), timeout, details=self.logs)
        if len(ids) != 1:
            raise AssertionError("{} visible windows named {!r}".format(len(ids), name))
        return ids[0]

    def wait_no_window(self, name, timeout=DEFAULT_TIMEOUT):
        wait_for(lambda: not self.visible_windows_named(name),
                 "no visible window named {!r}".format(name), timeout, details=self.logs)

    def window_info(self, wid):
        """xwininfo's facts about wid as a dict, or None when there is no such window."""
        result = subprocess.run(["xwininfo", "-id", str(wid)], env=self.env,
                                stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, timeout=DEFAULT_TIMEOUT)
        if result.returncode != 0:
            return None
        out = result.stdout.decode("utf-8", "replace")
        info = {}
        for key, pattern in (("x", r"Absolute upper-left X:\s+(-?\d+)"),
                             ("y", r"Absolute upper-left Y:\s+(-?\d+)"),
                             ("width", r"Width:\s+(\d+)"),
                             ("height", r"Height:\s+(\d+)")):
            info[key] = int(re.search(pattern, out).group(1))
        info["map_state"] = re.search(r"Map State:\s+(\w+)", out).group(1)
        return info

    def geometry(self, wid):
        """(x, y, width, height) of wid on the screen."""
        info = self.window_info(wid)
        if info is None:
            raise AssertionError("no window 0x{:x}".format(wid))
        return info["x"], info["y"], info["width"], info["height"]

    def exists(self, wid):
        return self.window_info(wid) is not None

    def is_viewable(self, wid):
        info = self.window_info(wid)
        return info is not None and info["map_state"] == "IsViewable"

    def window_name(self, wid):
        """_NET_WM_NAME of wid, decoded from its UTF-8 bytes (None if unset)."""
        out = self.tool("xprop", "-id", str(wid), "-notype", "-f", "_NET_WM_NAME", "8x",
                        " $0+\n", "_NET_WM_NAME")
        match = re.match(r"_NET_WM_NAME ((?:0x[0-9a-fA-F]+(?:, )?)+)$", out.strip())
        if not match:
            return None
        return bytes(int(b, 16) for b in match.group(1).split(", ")).decode("utf-8")

    def tree(self):
        return parse_tree(self.tool("xwininfo", "-root", "-tree"))

    def tray_icon(self):
        """The program's embedded tray icon: a window of class "ombrel" inside
        trayer's window, or None."""
        for window in self.tree():
            if window.has_class(PROGRAM_NAME) and any(a.has_class("trayer") for a in window.ancestors()):
                return window
        return None

    def wait_tray_icon(self, timeout=DEFAULT_TIMEOUT):
        """Waits until the icon sits, mapped, in trayer; returns its Window."""
        def ready():
            icon = self.tray_icon()
            return icon if icon is not None and self.is_viewable(icon.wid) else None
        return wait_for(ready, "the tray icon inside trayer", timeout,
                        details=lambda: self.logs() + "\n" + self.tool("xwininfo", "-root", "-tree"))

    def wait_popup(self, before, timeout=DEFAULT_TIMEOUT):
        """Waits for a visible window not among the ids in before; returns its id."""
        new = wait_for(lambda: sorted(self.visible_windows() - set(before)),
                       "a new popup window", timeout, details=self.logs)
        return new[-1]

    # -- input and pictures -------------------------------------------------

    def click(self, x, y, button=1, repeat=1, delay_ms=80):
        """Moves the pointer to (x, y) on the screen and clicks there."""
        # No --sync: xdotool 3.20160805 then waits for ever when the pointer
        # is already there. The server handles the move before the click anyway.
        argv = ["xdotool", "mousemove", str(x), str(y), "click"]
        if repeat > 1:
            argv += ["--repeat", str(repeat), "--delay", str(delay_ms)]
        self.tool(*argv, str(button))

    def click_in(self, wid, x, y, button=1):
        """Clicks at (x, y) inside window wid."""
        left, top, _w, _h = self.geometry(wid)
        self.click(left + x, top + y, button)

    def map_characters(self, text):
        """Binds every non-ASCII character of text to a free key code.

        xdotool types a character missing from the keymap by remapping a key
        on the fly, which Qt does not follow. Mapped before the program
        starts, the characters are in the keymap that Qt loads.
        """
        wanted = sorted({c for c in text if ord(c) > 127})
        out = self.tool("xmodmap", "-pke")
        free = [int(line.split()[1]) for line in out.splitlines()
                if line.strip().endswith("=") and int(line.split()[1]) > 8]
        if len(wanted) > len(free):
            raise RuntimeError("only {} free key codes for {} characters".format(len(free), len(wanted)))
        for code, char in zip(free, wanted):
            self.tool("xmodmap", "-e", "keycode {} = U{:04X}".format(code, ord(char)))

    def keys(self, *names):
        self.tool("xdotool", "key", "--delay", "80", *names)

    def screenshot(self, path):
        """Writes the whole screen to path."""
        self.tool("import", "-window", "root", path)
        return path


def stop_process(process, timeout=5.0):
    """Ends process: SIGTERM, then SIGKILL if it is still there after timeout."""
    if process.poll() is not None:
        return
    try:
        process.send_signal(signal.SIGTERM)
        process.wait(timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
    except ProcessLookupError:
        process.wait()


def wait_exit(process, timeout=DEFAULT_TIMEOUT):
    """Waits for process to end; returns its exit code."""
    try:
        return process.wait(timeout)
    except subprocess.TimeoutExpired:
        raise WaitTimeout("process {} still running after {:.1f} s".format(process.pid, timeout))
