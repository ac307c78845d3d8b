#!/usr/bin/env python3
"""Start-up benchmark: ombrel against a floor Qt Widgets program.

Both programs run side by side, alternating, under one private Xvfb with
openbox as window manager. For every run the script measures

  map    time from just before the fork/exec to the MapNotify of the main
         window (found by its name), i.e. the window manager has mapped it;
  paint  time to the first DAMAGE report on that window, i.e. the program's
         first drawing into it after the map;
  cpu    CPU time the process (all threads) has used when the map is seen,
         from /proc/PID/task/*/schedstat: less disturbed by other load on
         the machine than the wall-clock times;
  rss    VmRSS of the process one second after the map (with RssAnon and
         RssFile from the same /proc/PID/status).

How the window is watched: the script is an X client of its own (Xlib via
ctypes, no extra packages). It selects SubstructureNotify on the root window,
so it hears the CreateNotify of every new top-level window as soon as the
server creates it. It then selects StructureNotify/Exposure on that window
and creates a DAMAGE object for it. Qt maps the window only after setting its
properties, and the map goes through the window manager, so the selection is
in place long before the MapNotify. The script sleeps in select() on the X
connection and takes the clock the moment the event is read: the error is
the wake-up latency of this process (well under a millisecond), not a
polling interval.

Each run gets a fresh folder holding the binary (a hard link to a private
snapshot of the build output, so a rebuild during the run cannot mix
versions) and, for ombrel, a 20-item Ombrel.ini in GBK with CRLF, a private
XDG_RUNTIME_DIR (ombrel takes a per-user lock there), and
DBUS_SESSION_BUS_ADDRESS pointing nowhere. Each program is run once before
the measured runs so that font and page caches are warm.

Every process this script starts (Xvfb, openbox, the programs) is ended by
its PID, also when the script fails or is interrupted.

Usage: startup_bench.py [--build DIR] [--runs N] [--rss-delay SECONDS] [--verbose]
"""

import argparse
import ctypes
import ctypes.util
import os
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

# --- Xlib through ctypes --------------------------------------------------

CREATE_NOTIFY = 16
MAP_NOTIFY = 19
EXPOSE = 12

SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
STRUCTURE_NOTIFY_MASK = 1 << 17
EXPOSURE_MASK = 1 << 15

X_DAMAGE_REPORT_NON_EMPTY = 3
IS_UNMAPPED = 0

Window = ctypes.c_ulong
Atom = ctypes.c_ulong


class XEvent(ctypes.Structure):
    # The XEvent union is 24 longs. Offsets on LP64: type 0, serial 8,
    # send_event 16, display 24; then CreateWindow: parent 32, window 40;
    # Map: event 32, window 40; Expose: window 32; DamageNotify: drawable 32.
    _fields_ = [("pad", ctypes.c_long * 24)]

    def type(self):
        return ctypes.c_int.from_buffer(self, 0).value

    def ulong_at(self, offset):
        return ctypes.c_ulong.from_buffer(self, offset).value


ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


def _ignore_x_error(_display, _event):
    # Windows may vanish between CreateNotify and our requests on them.
    return 0


_error_handler = ERROR_HANDLER(_ignore_x_error)


class X:
    def __init__(self, display_name):
        self.lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        lib = self.lib
        lib.XOpenDisplay.restype = ctypes.c_void_p
        lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        lib.XDefaultRootWindow.restype = Window
        lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        lib.XSelectInput.argtypes = [ctypes.c_void_p, Window, ctypes.c_long]
        lib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
        lib.XPending.argtypes = [ctypes.c_void_p]
        lib.XConnectionNumber.argtypes = [ctypes.c_void_p]
        lib.XFlush.argtypes = [ctypes.c_void_p]
        lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        lib.XInternAtom.restype = Atom
        lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        lib.XFree.argtypes = [ctypes.c_void_p]
        lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        lib.XGetWindowProperty.argtypes = [
            ctypes.c_void_p, Window, Atom, ctypes.c_long, ctypes.c_long, ctypes.c_int, Atom,
            ctypes.POINTER(Atom), ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
        lib.XGetWindowAttributes.argtypes = [ctypes.c_void_p, Window, ctypes.c_void_p]
        lib.XSetErrorHandler(_error_handler)

        self.dpy = lib.XOpenDisplay(display_name.encode())
        if not self.dpy:
            raise RuntimeError("cannot open display " + display_name)
        self.root = lib.XDefaultRootWindow(self.dpy)
        self.fd = lib.XConnectionNumber(self.dpy)
        self.atoms = {name: lib.XInternAtom(self.dpy, name.encode(), 0)
                      for name in ("_NET_WM_NAME", "WM_NAME", "_NET_WM_PID",
                                   "_NET_SUPPORTING_WM_CHECK")}

        self.damage = None
        try:
            dmg = ctypes.CDLL(ctypes.util.find_library("Xdamage") or "libXdamage.so.1")
            base, err = ctypes.c_int(), ctypes.c_int()
            dmg.XDamageQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                                  ctypes.POINTER(ctypes.c_int)]
            dmg.XDamageCreate.restype = ctypes.c_ulong
            dmg.XDamageCreate.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int]
            if dmg.XDamageQueryExtension(self.dpy, ctypes.byref(base), ctypes.byref(err)):
                major, minor = ctypes.c_int(1), ctypes.c_int(1)
                dmg.XDamageQueryVersion.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                                    ctypes.POINTER(ctypes.c_int)]
                dmg.XDamageQueryVersion(self.dpy, ctypes.byref(major), ctypes.byref(minor))
                self.damage = dmg
                self.damage_notify = base.value  # XDamageNotify == 0
        except OSError:
            pass

        lib.XSelectInput(self.dpy, self.root, SUBSTRUCTURE_NOTIFY_MASK)
        lib.XSync(self.dpy, 0)

    def close(self):
        if self.dpy:
            self.lib.XCloseDisplay(self.dpy)
            self.dpy = None

    def drain(self):
        """Drops every event received so far."""
        self.lib.XSync(self.dpy, 1)

    def property_bytes(self, window, name):
        actual_type, actual_format = Atom(), ctypes.c_int()
        nitems, after = ctypes.c_ulong(), ctypes.c_ulong()
        data = ctypes.c_void_p()
        status = self.lib.XGetWindowProperty(
            self.dpy, window, self.atoms[name], 0, 1024, 0, 0,  # AnyPropertyType
            ctypes.byref(actual_type), ctypes.byref(actual_format), ctypes.byref(nitems),
            ctypes.byref(after), ctypes.byref(data))
        if status != 0 or not data.value:
            return None
        try:
            if actual_format.value == 32:
                # format-32 items come back as C longs
                return [ctypes.c_ulong.from_address(data.value + 8 * i).value
                        for i in range(nitems.value)]
            return ctypes.string_at(data.value, nitems.value * actual_format.value // 8)
        finally:
            self.lib.XFree(data)

    def window_name(self, window):
        for prop in ("_NET_WM_NAME", "WM_NAME"):
            raw = self.property_bytes(window, prop)
            if isinstance(raw, bytes) and raw:
                return raw.decode("utf-8", "replace")
        return ""

    def window_pid(self, window):
        raw = self.property_bytes(window, "_NET_WM_PID")
        return raw[0] if isinstance(raw, list) and raw else None

    def map_state(self, window):
        attrs = ctypes.create_string_buffer(256)  # XWindowAttributes is 136 bytes on LP64
        if not self.lib.XGetWindowAttributes(self.dpy, window, attrs):
            return IS_UNMAPPED
        return ctypes.c_int.from_buffer(attrs, 92).value  # map_state

    def watch(self, window):
        self.lib.XSelectInput(self.dpy, window, STRUCTURE_NOTIFY_MASK | EXPOSURE_MASK)
        if self.damage:
            self.damage.XDamageCreate(self.dpy, window, X_DAMAGE_REPORT_NON_EMPTY)
        self.lib.XFlush(self.dpy)

    def events(self, timeout):
        """Yields (monotonic seconds, event) until timeout seconds have passed."""
        end = time.monotonic() + timeout
        ev = XEvent()
        while True:
            while self.lib.XPending(self.dpy):
                self.lib.XNextEvent(self.dpy, ctypes.byref(ev))
                yield time.monotonic(), ev
            left = end - time.monotonic()
            if left <= 0:
                return
            select.select([self.fd], [], [], min(left, 0.05))

    def wm_running(self):
        return isinstance(self.property_bytes(self.root, "_NET_SUPPORTING_WM_CHECK"), list)


# --- the display ------------------------------------------------------------

def end_process(proc, grace=3.0):
    """Ends one process this script started, by its PID."""
    if proc is None or proc.poll() is not None:
        return
    try:
        os.kill(proc.pid, signal.SIGTERM)
        proc.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        os.kill(proc.pid, signal.SIGKILL)
        proc.wait()
    except ProcessLookupError:
        pass


def start_display(started):
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1920x1080x24", "-nolisten", "tcp",
         "-noreset"],
        pass_fds=[write_fd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    started.append(xvfb)
    os.close(write_fd)
    number = b""
    deadline = time.monotonic() + 15
    while not number.endswith(b"\n"):
        if time.monotonic() > deadline or xvfb.poll() is not None:
            raise RuntimeError("Xvfb did not start")
        ready, _, _ = select.select([read_fd], [], [], 0.5)
        if ready:
            chunk = os.read(read_fd, 64)
            if not chunk:
                break
            number += chunk
    os.close(read_fd)
    display = ":" + number.decode().strip()

    env = dict(os.environ, DISPLAY=display)
    openbox = subprocess.Popen(["openbox", "--sm-disable"], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    started.append(openbox)
    return display


# --- one run --------------------------------------------------------------

INI_ITEMS = [
    ("记事本", r"C:\Windows\notepad.exe"),
    ("计算器", r"C:\Windows\System32\calc.exe"),
    ("画图", r"C:\Windows\System32\mspaint.exe"),
    ("命令提示符", r"C:\Windows\System32\cmd.exe"),
    ("资源管理器", r"C:\Windows\explorer.exe"),
    ("浏览器", r"C:\Program Files\浏览器\browser.exe"),
    ("音乐播放器", r"D:\软件\音乐\player.exe"),
    ("视频播放器", r"D:\软件\视频\video.exe"),
    ("压缩工具", r"C:\Program Files\压缩\zip.exe"),
    ("输入法设置", r"C:\Program Files\输入法\setup.exe"),
    ("文档", r"D:\我的文档"),
    ("图片", r"D:\我的图片"),
    ("下载", r"D:\下载"),
    ("聊天工具", r"C:\Program Files\聊天\chat.exe"),
    ("邮件", r"C:\Program Files\邮件\mail.exe"),
    ("表格", r"C:\Program Files\办公\sheet.exe"),
    ("文字处理", r"C:\Program Files\办公\writer.exe"),
    ("演示文稿", r"C:\Program Files\办公\slides.exe"),
    ("截图工具", r"C:\Windows\System32\snip.exe"),
    ("控制面板", r"C:\Windows\System32\control.exe"),
]


def ombrel_ini():
    lines = ["[标题]", "Count=%d" % len(INI_ITEMS)]
    lines += ["%03d=● %s" % (i, name) for i, (name, _) in enumerate(INI_ITEMS)]
    for name, path in INI_ITEMS:
        lines += ["[● %s]" % name, "Filename=%s" % path]
    return ("\r\n".join(lines) + "\r\n").encode("gbk")


class Program:
    def __init__(self, label, snapshot, window_name, ini):
        self.label = label
        self.snapshot = snapshot  # private copy of the binary
        self.window_name = window_name
        self.ini = ini


def read_status(pid):
    fields = {}
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            key, _, value = line.partition(":")
            if key in ("VmRSS", "RssAnon", "RssFile", "RssShmem", "VmHWM"):
                fields[key] = int(value.split()[0])  # kB
    return fields


def mapped_rss(pid, exe):
    """Resident kB of ICU's libraries and data, and of the executable's own
    file, from /proc/PID/smaps."""
    icu = data = own = 0
    path = None
    with open("/proc/%d/smaps" % pid) as smaps:
        for line in smaps:
            fields = line.split()
            if fields and "-" in fields[0] and len(fields) >= 5:
                path = fields[5] if len(fields) > 5 else None
            elif fields and fields[0] == "Rss:" and path:
                kb = int(fields[1])
                if "libicu" in path:
                    icu += kb
                    if "libicudata" in path:
                        data += kb
                elif os.path.realpath(path) == os.path.realpath(exe):
                    own += kb
    return icu, data, own


def cpu_ms(pid):
    """CPU time used so far by all threads of a process, from schedstat (ns)."""
    total = 0
    try:
        for tid in os.listdir("/proc/%d/task" % pid):
            with open("/proc/%d/task/%s/schedstat" % (pid, tid)) as f:
                total += int(f.read().split()[0])
    except (FileNotFoundError, ProcessLookupError):
        pass
    return total / 1e6


def place_binary(snapshot, folder):
    target = os.path.join(folder, os.path.basename(snapshot))
    try:
        os.link(snapshot, target)
    except OSError:
        shutil.copy2(snapshot, target)
    return target


def run_once(x, program, display, work_root, rss_delay, timeout=30.0):
    app_folder = tempfile.mkdtemp(prefix="app-", dir=work_root)
    runtime = tempfile.mkdtemp(prefix="xdg-", dir=work_root)
    os.chmod(runtime, 0o700)
    exe = place_binary(program.snapshot, app_folder)
    if program.ini is not None:
        with open(os.path.join(app_folder, "Ombrel.ini"), "wb") as f:
            f.write(program.ini)

    env = {
        "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
        "HOME": os.environ.get("HOME", "/root"),
        "LANG": "C.UTF-8",
        "DISPLAY": display,
        "XDG_RUNTIME_DIR": runtime,
        "DBUS_SESSION_BUS_ADDRESS": "unix:path=/nonexistent",
        "QT_QPA_PLATFORM": "xcb",
    }

    x.drain()
    watched = set()
    result = {"program": program.label}
    proc = None
    # The program's messages go to a file, not a pipe that could fill up.
    log = open(os.path.join(runtime, "stderr.txt"), "w+b")
    try:
        t0 = time.monotonic()
        proc = subprocess.Popen([exe], env=env, cwd=app_folder,
                                stdout=subprocess.DEVNULL, stderr=log)
        main_window = None
        t_map = None
        cpu_at_map = None
        first_expose, first_damage = {}, {}
        for now, ev in x.events(timeout):
            kind = ev.type()
            if kind == CREATE_NOTIFY:
                window = ev.ulong_at(40)
                if window not in watched:
                    watched.add(window)
                    x.watch(window)
                    if x.map_state(window) != IS_UNMAPPED and main_window is None:
                        # mapped before the watch was in place: count it now
                        if program.window_name in x.window_name(window):
                            main_window, t_map = window, now
            elif kind == MAP_NOTIFY and main_window is None:
                window = ev.ulong_at(40)
                if window in watched and program.window_name in x.window_name(window):
                    pid = x.window_pid(window)
                    if pid is None or pid == proc.pid:
                        main_window, t_map = window, now
            elif kind == EXPOSE:
                first_expose.setdefault(ev.ulong_at(32), now)
            elif x.damage and kind == x.damage_notify:
                first_damage.setdefault(ev.ulong_at(32), now)
            if t_map is not None and cpu_at_map is None:
                cpu_at_map = cpu_ms(proc.pid)
            if t_map is not None:
                if main_window in first_damage or not x.damage or now - t_map > 2.0:
                    break
            if proc.poll() is not None:
                log.seek(0)
                raise RuntimeError("%s ended early (exit %s): %s" % (
                    program.label, proc.returncode, log.read().decode(errors="replace")))
        if t_map is None:
            raise RuntimeError("%s: no window named %r within %.0f s" % (
                program.label, program.window_name, timeout))
        if cpu_at_map is None:
            raise RuntimeError("%s: window mapped, CPU time not read" % program.label)
        t_expose = first_expose.get(main_window)
        t_paint = first_damage.get(main_window)
        result["map_ms"] = (t_map - t0) * 1000
        result["expose_ms"] = (t_expose - t0) * 1000 if t_expose else None
        result["paint_ms"] = (t_paint - t0) * 1000 if t_paint else None
        result["cpu_ms"] = cpu_at_map

        time.sleep(max(0.0, t_map + rss_delay - time.monotonic()))
        if proc.poll() is not None:
            raise RuntimeError("%s ended before the memory reading" % program.label)
        status = read_status(proc.pid)
        result["rss_kb"] = status.get("VmRSS")
        result["anon_kb"] = status.get("RssAnon")
        result["file_kb"] = status.get("RssFile")
        result["shmem_kb"] = status.get("RssShmem")
        result["icu_kb"], result["icudata_kb"], result["exe_kb"] = mapped_rss(proc.pid, exe)
    finally:
        end_process(proc)
        log.close()
        shutil.rmtree(app_folder, ignore_errors=True)
        shutil.rmtree(runtime, ignore_errors=True)
    return result


# --- report -----------------------------------------------------------------

def med(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) if values else float("nan")


def report(results, runs, verbose):
    by = {label: [r for r in results if r["program"] == label] for label in ("floor", "ombrel")}
    if verbose:
        print("%-7s %4s %9s %9s %9s %9s %9s %9s %9s" % (
            "program", "run", "map ms", "cpu ms", "expose ms", "paint ms", "RSS kB", "anon kB",
            "file kB"))
        for i, r in enumerate(results):
            print("%-7s %4d %9.1f %9.1f %9s %9s %9d %9d %9d" % (
                r["program"], i // 2, r["map_ms"], r["cpu_ms"],
                "%.1f" % r["expose_ms"] if r["expose_ms"] else "-",
                "%.1f" % r["paint_ms"] if r["paint_ms"] else "-",
                r["rss_kb"], r["anon_kb"], r["file_kb"]))
        print()

    rows = [
        ("exec -> window mapped (ms)", "map_ms", 1, "%.1f"),
        ("exec -> first paint (ms)", "paint_ms", 1, "%.1f"),
        ("CPU time at map (ms)", "cpu_ms", 1, "%.1f"),
        ("VmRSS 1 s after map (MiB)", "rss_kb", 1 / 1024, "%.2f"),
        ("  RssAnon (MiB)", "anon_kb", 1 / 1024, "%.2f"),
        ("  RssFile (MiB)", "file_kb", 1 / 1024, "%.2f"),
        ("  RssShmem (MiB)", "shmem_kb", 1 / 1024, "%.2f"),
        ("  ICU resident (kB)", "icu_kb", 1, "%.0f"),
        ("    its data (kB)", "icudata_kb", 1, "%.0f"),
        ("  executable's own (kB)", "exe_kb", 1, "%.0f"),
    ]
    print("Start-up benchmark: %d alternating runs each, medians (min..max)" % runs)
    print("%-28s %24s %24s %8s" % ("", "floor", "ombrel", "ratio"))
    ratios = {}
    for title, key, scale, fmt in rows:
        cells = []
        for label in ("floor", "ombrel"):
            values = [r[key] * scale for r in by[label] if r.get(key) is not None]
            if not values:
                cells.append("-")
                continue
            cells.append((fmt + " (" + fmt + ".." + fmt + ")") % (
                statistics.median(values), min(values), max(values)))
        f = med([r.get(key) for r in by["floor"]])
        o = med([r.get(key) for r in by["ombrel"]])
        ratios[key] = o / f if f else (1.0 if o == 0 else float("inf"))
        print("%-28s %24s %24s %7.2fx" % (title, cells[0], cells[1], ratios[key]))
    print()
    print("TARGETS")
    print("  time (map) ombrel/floor:   %.2fx (target <= 1.10x): %s" % (
        ratios["map_ms"], "met" if ratios["map_ms"] <= 1.1 else "MISSED"))
    print("  time (paint) ombrel/floor: %.2fx (target <= 1.10x): %s" % (
        ratios["paint_ms"], "met" if ratios["paint_ms"] <= 1.1 else "MISSED"))
    print("  RSS ombrel/floor:          %.2fx (target <= 1.08x): %s" % (
        ratios["rss_kb"], "met" if ratios["rss_kb"] <= 1.08 else "MISSED"))
    print("  ICU data resident ombrel/floor: %.2fx (target <= 1.00x): %s" % (
        ratios["icudata_kb"], "met" if ratios["icudata_kb"] <= 1.0 else "MISSED"))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default="build", help="build folder holding ombrel and ombrel_floor")
    parser.add_argument("--runs", type=int, default=10, help="measured runs of each program")
    parser.add_argument("--rss-delay", type=float, default=1.0, help="seconds after the map for VmRSS")
    parser.add_argument("--verbose", action="store_true", help="print every run")
    args = parser.parse_args()

    for tool in ("Xvfb", "openbox"):
        if not shutil.which(tool):
            sys.exit("startup_bench: %s is not installed" % tool)

    # SIGTERM / SIGHUP end the script through the cleanup below.
    def stop(signum, _frame):
        raise KeyboardInterrupt("signal %d" % signum)
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGHUP, stop)

    started = []
    work_root = tempfile.mkdtemp(prefix="ombrel-startup-")
    x = None
    try:
        snapshots = {}
        for name in ("ombrel", "ombrel_floor"):
            source = os.path.join(args.build, name)
            if not os.access(source, os.X_OK):
                sys.exit("startup_bench: %s not built" % source)
            snap_dir = os.path.join(work_root, "bin-" + name)
            os.mkdir(snap_dir)
            snapshots[name] = os.path.join(snap_dir, name)
            shutil.copy2(source, snapshots[name])
            with open(snapshots[name], "rb") as f:
                os.fsync(f.fileno())

        programs = {
            "floor": Program("floor", snapshots["ombrel_floor"], "Ombrel floor", None),
            "ombrel": Program("ombrel", snapshots["ombrel"], "Velkin", ombrel_ini()),
        }

        display = start_display(started)
        deadline = time.monotonic() + 15
        while True:
            try:
                x = X(display)
                break
            except RuntimeError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.05)
        while not x.wm_running():
            if time.monotonic() > deadline or started[-1].poll() is not None:
                raise RuntimeError("openbox did not start")
            time.sleep(0.05)
        print("display %s, openbox running; damage extension: %s" % (
            display, "yes" if x.damage else "no"), file=sys.stderr)

        # Warm font, page and loader caches.
        for label in ("floor", "ombrel"):
            run_once(x, programs[label], display, work_root, 0.2)

        results = []
        for i in range(args.runs):
            # floor first on even rounds, ombrel first on odd ones
            order = ("floor", "ombrel") if i % 2 == 0 else ("ombrel", "floor")
            for label in order:
                r = run_once(x, programs[label], display, work_root, args.rss_delay)
                results.append(r)
                print("  run %2d %-6s map %6.1f ms  cpu %6.1f ms  paint %6s ms  RSS %6d kB" % (
                    i, label, r["map_ms"], r["cpu_ms"], "%.1f" % r["paint_ms"] if r["paint_ms"] else "-",
                    r["rss_kb"]), file=sys.stderr)
        with open("/proc/loadavg") as f:
            load = f.read().split()[:3]
        print("load average at the end: %s" % " ".join(load))
        report(results, args.runs, args.verbose)
    finally:
        if x is not None:
            x.close()
        for proc in reversed(started):
            end_process(proc)
        shutil.rmtree(work_root, ignore_errors=True)


if __name__ == "__main__":
    main()
