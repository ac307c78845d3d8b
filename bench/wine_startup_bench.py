#!/usr/bin/env python3
"""Start-up, memory and idle benchmark of the Windows program under Wine:
ombrel.exe against the floor of bench/windows/FloorWindow.cpp (a plain Win32
popup of the same size with the same 20-entry list in the same font, a clock
line set every 500 ms and a tray icon).

The two run one at a time, alternating (floor first in even pairs, ombrel
first in odd ones), under one private Xvfb with openbox and trayer, so that
the tray icons dock as on a desktop, in one private Wine prefix made once by
cmake/wine-run.sh and given code page 936 the same way. For every run:

  map      time from just before `wine` is spawned to the main window (found
           by its name and its _NET_WM_PID) being viewable. The window is
           watched through X events as in startup_bench.py; at each MapNotify
           (the client's, then that of openbox's frame) its map state is read,
           so the clock stops when the window can be seen, not when the
           program asks for it;
  cpu      CPU time of the process hosting the exe when the window is viewable;
  private  Private_Clean + Private_Dirty from /proc/PID/smaps_rollup of that
           process --settle seconds after the map: the pages no other process
           maps. Private_Clean is file pages, mostly of Wine's DLLs, and moves
           with whatever else on the machine maps the same files (any other
           Wine process does); Private_Dirty, the pages the process wrote,
           does not, so it is reported on its own as well;
  idle     over the next --idle seconds, the window shown and its clock
           ticking: the CPU time of the process, its wake-ups (voluntary
           context switches of all its threads: each is a sleep that ended),
           and the CPU time wineserver and Xvfb spent meanwhile, which then
           work for this program alone.

The process hosting the exe: `wine` is a shell script that execs the loader,
which becomes the exe's process under the same PID. Its cmdline then names
the exe (a path unique to the run) and the window's _NET_WM_PID is that PID;
the script checks both.

Wine is warm for both programs: the script starts wineserver itself, in the
foreground and persistent, and keeps one Windows process (`cmd /c pause`,
reading a pipe that is never written) running through the whole benchmark,
so that wineserver, services.exe and explorer.exe (the desktop and the tray)
are up before the first measured run and do not stop between runs. Each
program also runs once unmeasured first, which starts explorer.exe and warms
the page, font and registry caches.

Every process this script starts is ended by its PID, and the prefix's
remaining Wine processes by `wineserver -k` for that prefix only, also when
the script fails or is interrupted.

Usage: wine_startup_bench.py [--build DIR] [--pairs N] [--settle S] [--idle S] [--verbose]
"""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import harness  # noqa: E402
import startup_bench as linux  # noqa: E402

IS_VIEWABLE = 2
FLOOR_NAME = "Ombrel floor"
ENTRIES = ["● " + name for name, _path in linux.INI_ITEMS]  # as ombrel_ini() lists them


class Wine:
    """A private prefix on a private display, with wineserver kept warm."""

    def __init__(self, prefix, display):
        self.prefix = prefix
        self.server = self.keeper = None
        # As cmake/wine-run.sh gives it to wine: the C.UTF-8 locale under the
        # name zh_CN.UTF-8 for code page 936, the home beside the prefix, no
        # menu builder.
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "DISPLAY": display,
            "WINEPREFIX": prefix,
            "WINEDEBUG": "-all",
            "LOCPATH": prefix + ".locales",
            "LC_ALL": "zh_CN.UTF-8",
            "HOME": prefix + ".home",
            "WINEDLLOVERRIDES": "winemenubuilder.exe=d",
        }

    def start(self, started):
        self.server = self.spawn(started, ["wineserver", "-f", "-p"])  # foreground, persistent
        self.keeper = self.spawn(started, ["wine", "cmd.exe", "/c", "pause"], stdin=subprocess.PIPE)

    def spawn(self, started, argv, **kwargs):
        kwargs.setdefault("stdin", subprocess.DEVNULL)
        proc = subprocess.Popen(argv, env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                **kwargs)
        started.append(proc)
        return proc

    def stop(self):
        """Ends the keeper, then every Windows process of this prefix, then wineserver."""
        if self.keeper is not None:
            self.keeper.stdin.close()
            linux.end_process(self.keeper)
        subprocess.run(["wineserver", "-k"], env={"PATH": self.env["PATH"], "WINEPREFIX": self.prefix},
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        linux.end_process(self.server)


def start_trayer(display, started):
    env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "DISPLAY": display}
    trayer = subprocess.Popen(["trayer"] + harness.TRAYER_ARGS, env=env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    started.append(trayer)

    def panel_shown():
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "^trayer$"], env=env,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=10)
        return trayer.poll() is not None or found.stdout.strip()
    harness.wait_for(panel_shown, "trayer's panel")
    if trayer.poll() is not None:
        raise RuntimeError("trayer ended at start")


# --- readings from /proc ----------------------------------------------------

def memory_kb(pid):
    fields = {}
    with open("/proc/%d/smaps_rollup" % pid) as rollup:
        for line in rollup:
            key, _, value = line.partition(":")
            if key in ("Rss", "Private_Clean", "Private_Dirty"):
                fields[key] = int(value.split()[0])
    return fields


def wake_ups(pid):
    """Voluntary context switches so far of all the process's threads."""
    total = 0
    for tid in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/status" % (pid, tid)) as status:
                for line in status:
                    if line.startswith("voluntary_ctxt_switches:"):
                        total += int(line.split()[1])
        except FileNotFoundError:
            pass  # a thread that ended meanwhile
    return total


def exe_of(pid):
    with open("/proc/%d/cmdline" % pid, "rb") as f:
        return f.read().split(b"\0")[0].decode(errors="replace")


# --- one run ----------------------------------------------------------------

class Program:
    def __init__(self, label, files, window_name, args=(), ini=None):
        self.label = label
        self.files = files  # private snapshots: the exe first
        self.window_name = window_name
        self.args = list(args)
        self.ini = ini


def wait_viewable(x, program, proc, t0, log, timeout=30.0):
    """Waits for the program's main window to be viewable; returns (time, window)."""
    candidates = set()  # windows of the program with its main window's name
    for now, ev in x.events(timeout):
        kind = ev.type()
        if kind == linux.CREATE_NOTIFY:
            x.watch(ev.ulong_at(40))
        elif kind == linux.MAP_NOTIFY:
            window = ev.ulong_at(40)
            if x.window_name(window) == program.window_name and x.window_pid(window) == proc.pid:
                candidates.add(window)
            for window in candidates:
                if x.map_state(window) == IS_VIEWABLE:
                    return now, window
        if proc.poll() is not None:
            log.seek(0)
            raise RuntimeError("%s ended early (exit %s): %s" % (
                program.label, proc.returncode, log.read().decode(errors="replace")))
    raise RuntimeError("%s: no viewable window named %r after %.0f s (%.1f s since start)" % (
        program.label, program.window_name, timeout, time.monotonic() - t0))


def run_once(x, wine, program, work_root, settle, idle, xvfb):
    folder = tempfile.mkdtemp(prefix="app-", dir=work_root)
    exe = None
    for snapshot in program.files:
        placed = linux.place_binary(snapshot, folder)
        exe = exe or placed
    if program.ini is not None:
        with open(os.path.join(folder, "Ombrel.ini"), "wb") as f:
            f.write(program.ini)

    x.drain()
    result = {"program": program.label}
    proc = None
    log = open(os.path.join(work_root, "wine-%s.log" % program.label), "w+b")
    try:
        t0 = time.monotonic()
        proc = subprocess.Popen(["wine", exe] + program.args, env=wine.env, cwd=folder,
                                stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        t_map, _window = wait_viewable(x, program, proc, t0, log)
        result["map_ms"] = (t_map - t0) * 1000
        result["cpu_ms"] = linux.cpu_ms(proc.pid)
        if exe_of(proc.pid) != exe:
            raise RuntimeError("%s: process %d is %r, not the exe" % (program.label, proc.pid, exe_of(proc.pid)))

        time.sleep(max(0.0, t_map + settle - time.monotonic()))
        memory = memory_kb(proc.pid)
        result["private_kb"] = memory["Private_Clean"] + memory["Private_Dirty"]
        result["dirty_kb"] = memory["Private_Dirty"]
        result["rss_kb"] = memory["Rss"]

        before = (linux.cpu_ms(proc.pid), wake_ups(proc.pid),
                  linux.cpu_ms(wine.server.pid) + linux.cpu_ms(xvfb.pid), time.monotonic())
        time.sleep(idle)
        span = time.monotonic() - before[3]
        if proc.poll() is not None:
            raise RuntimeError("%s ended while idle" % program.label)
        result["idle_cpu_ms"] = (linux.cpu_ms(proc.pid) - before[0]) * idle / span
        result["wakeups_per_s"] = (wake_ups(proc.pid) - before[1]) / span
        result["idle_others_ms"] = (linux.cpu_ms(wine.server.pid) + linux.cpu_ms(xvfb.pid) - before[2]) * idle / span
    finally:
        linux.end_process(proc)
        log.close()
        shutil.rmtree(folder, ignore_errors=True)
    # Explorer drops the ended program's tray icon and wineserver its
    # windows; the next run starts on a quiet system.
    time.sleep(0.5)
    return result


# --- report -----------------------------------------------------------------

def report(results, pairs, idle, verbose):
    labels = ("floor", "ombrel")
    by = {label: [r for r in results if r["program"] == label] for label in labels}
    rows = [
        ("start -> window viewable (ms)", "map_ms", 1, "%.0f"),
        ("CPU time at viewable (ms)", "cpu_ms", 1, "%.0f"),
        ("private memory (MiB)", "private_kb", 1 / 1024, "%.2f"),
        ("  of it Private_Dirty (MiB)", "dirty_kb", 1 / 1024, "%.2f"),
        ("  RSS, for reference (MiB)", "rss_kb", 1 / 1024, "%.2f"),
        ("idle CPU, program (ms/%.0fs)" % idle, "idle_cpu_ms", 1, "%.1f"),
        ("idle wake-ups, program (/s)", "wakeups_per_s", 1, "%.1f"),
        ("idle CPU, wineserver+Xvfb (ms)", "idle_others_ms", 1, "%.1f"),
    ]
    if verbose:
        print("%-7s %4s" % ("program", "pair") + "".join("%10s" % key[:9] for _t, key, _s, _f in rows))
        for i, r in enumerate(results):
            print("%-7s %4d" % (r["program"], i // 2) + "".join("%10.1f" % (r[key] * scale)
                                                              for _t, key, scale, _f in rows))
        print()
    print("Wine benchmark: %d alternating pairs, medians (min..max)" % pairs)
    print("%-31s %21s %21s %7s" % ("", "floor", "ombrel", "ratio"))
    ratios = {}
    for title, key, scale, fmt in rows:
        cells = []
        for label in labels:
            values = [r[key] * scale for r in by[label]]
            cells.append((fmt + " (" + fmt + ".." + fmt + ")") % (statistics.median(values), min(values),
                                                                  max(values)))
        floor = linux.med([r[key] for r in by["floor"]])
        ratios[key] = linux.med([r[key] for r in by["ombrel"]]) / floor if floor else float("nan")
        print("%-31s %21s %21s %6.2fx" % (title, cells[0], cells[1], ratios[key]))
    print()
    for title, key in (("start", "map_ms"), ("private memory", "private_kb"), ("Private_Dirty", "dirty_kb")):
        print("  %-14s ombrel/floor: %.2fx (limit 1.10x): %s" % (
            title, ratios[key], "met" if ratios[key] <= 1.10 else "OVER"))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default=os.path.join(ROOT, "build-windows-bench"),
                        help="build folder holding ombrel.exe, Ring.wav and ombrel_floor.exe")
    parser.add_argument("--pairs", type=int, default=15, help="measured runs of each program")
    parser.add_argument("--settle", type=float, default=2.0, help="seconds after the map for the memory")
    parser.add_argument("--idle", type=float, default=20.0, help="seconds of idle measured per run")
    parser.add_argument("--verbose", action="store_true", help="print every run")
    args = parser.parse_args()

    missing = [tool for tool in ("Xvfb", "openbox", "trayer", "xdotool", "wine", "wineserver")
               if not shutil.which(tool)]
    if missing:
        sys.exit("wine_startup_bench: not installed: " + " ".join(missing))

    def stop(signum, _frame):
        raise KeyboardInterrupt("signal %d" % signum)
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGHUP, stop)

    began = time.monotonic()
    build = os.path.abspath(args.build)
    prefix = os.path.join(build, "wineprefix")
    started = []
    work_root = tempfile.mkdtemp(prefix="ombrel-wine-bench-")
    x = wine = None
    try:
        # Private copies, so that a rebuild during the benchmark cannot mix versions.
        snapshots = {}
        for name in ("ombrel.exe", "Ring.wav", "ombrel_floor.exe"):
            source = os.path.join(build, name)
            if not os.path.isfile(source):
                sys.exit("wine_startup_bench: %s not built" % source)
            snapshots[name] = os.path.join(work_root, name)
            shutil.copy2(source, snapshots[name])
        programs = {
            "floor": Program("floor", [snapshots["ombrel_floor.exe"]], FLOOR_NAME, args=ENTRIES),
            "ombrel": Program("ombrel", [snapshots["ombrel.exe"], snapshots["Ring.wav"]],
                              harness.title_for(len(ENTRIES)), ini=linux.ombrel_ini()),
        }

        # The prefix is made once (wine-run.sh does nothing when it is ready),
        # and the server that made it is let go before ours starts.
        subprocess.run([os.path.join(ROOT, "cmake", "wine-run.sh"), prefix], check=True)
        subprocess.run(["wineserver", "-w"], env={"PATH": os.environ["PATH"], "WINEPREFIX": prefix}, check=True)

        display = linux.start_display(started)
        xvfb = started[0]
        deadline = time.monotonic() + 15
        while x is None:
            try:
                x = linux.X(display)
            except RuntimeError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.05)
        harness.wait_for(x.wm_running, "openbox")
        start_trayer(display, started)
        wine = Wine(prefix, display)
        wine.start(started)
        print("display %s with openbox and trayer; wineserver %d and keeper %d running" % (
            display, wine.server.pid, wine.keeper.pid), file=sys.stderr)

        for label in ("floor", "ombrel"):
            run_once(x, wine, programs[label], work_root, 0.5, 0.5, xvfb)

        results = []
        for i in range(args.pairs):
            for label in ("floor", "ombrel") if i % 2 == 0 else ("ombrel", "floor"):
                r = run_once(x, wine, programs[label], work_root, args.settle, args.idle, xvfb)
                results.append(r)
                print("  pair %2d %-6s viewable %5.0f ms  cpu %5.0f ms  private %6d kB  "
                      "idle %5.1f ms  %4.1f wake-ups/s" % (
                          i, label, r["map_ms"], r["cpu_ms"], r["private_kb"], r["idle_cpu_ms"],
                          r["wakeups_per_s"]), file=sys.stderr)
        with open("/proc/loadavg") as f:
            load = f.read().split()[:3]
        print("load average at the end: %s; %d cores" % (" ".join(load), os.cpu_count()))
        report(results, args.pairs, args.idle, args.verbose)
        print("benchmark time: %.0f s" % (time.monotonic() - began))
    finally:
        if x is not None:
            x.close()
        if wine is not None:
            wine.stop()
        for proc in reversed(started):
            linux.end_process(proc)
        shutil.rmtree(work_root, ignore_errors=True)


if __name__ == "__main__":
    main()
