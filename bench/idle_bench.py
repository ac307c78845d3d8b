#!/usr/bin/env python3
"""Idle benchmark: the CPU time ombrel's main window uses while it just sits
there with its clock ticking, against two floors made from bench/floor_app.cpp
(a frameless window with a list):

  floor         --tick: one label set to the time of day every 500 ms;
  status floor  --tick-status: two labels with texts as long as the status
                area's, in the same font size, set every 500 ms; this is the
                text drawing the status area must do, without the program.

All three run at the same time on one private Xvfb with openbox, each
with its own application folder (ombrel with a 20-item profile) and runtime
folder. After a settling time the script reads the CPU time (all threads) of
each from /proc/PID/task/*/schedstat, waits the measured span, and reads
it again. It reports CPU seconds, the share of one core, and the ratio.

Usage: idle_bench.py [--build DIR] [--seconds N] [--settle N]
"""

import argparse
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402

def cpu_seconds(pid):
    """Time on the CPU of all the process's threads, in nanosecond resolution
    (the first field of each thread's schedstat)."""
    total = 0
    tasks = "/proc/{}/task".format(pid)
    for task in os.listdir(tasks):
        try:
            with open(os.path.join(tasks, task, "schedstat")) as f:
                total += int(f.read().split()[0])
        except FileNotFoundError:
            pass  # a thread that ended meanwhile
    return total / 1e9


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    parser.add_argument("--seconds", type=float, default=60)
    parser.add_argument("--settle", type=float, default=3)
    args = parser.parse_args()
    build = os.path.abspath(args.build)

    with harness.Session(os.path.join(build, "ombrel")) as session:
        session.prepare_app(harness.profile_bytes(["程序 {}".format(i) for i in range(20)]))
        ombrel = session.start_app()
        session.wait_window(harness.title_for(20))
        floor_dir = os.path.join(session.dir, "floor")
        os.makedirs(floor_dir)
        floor_path = os.path.join(floor_dir, "ombrel_floor")
        shutil.copy2(os.path.join(build, "ombrel_floor"), floor_path)
        floor = session.spawn("floor", [floor_path, "--tick"], cwd=floor_dir)
        status_floor = session.spawn("status-floor", [floor_path, "--tick-status"], cwd=floor_dir)
        wait_for = harness.wait_for
        wait_for(lambda: len(session.visible_windows_named("Ombrel floor")) == 2, "both floor windows")
        session.tool("xdotool", "mousemove", "0", "0")

        programs = {"ombrel": ombrel, "floor": floor, "status floor": status_floor}
        time.sleep(args.settle)
        start = {name: cpu_seconds(p.pid) for name, p in programs.items()}
        began = time.monotonic()
        time.sleep(args.seconds)
        span = time.monotonic() - began
        used = {name: cpu_seconds(p.pid) - start[name] for name, p in programs.items()}

    print("idle CPU over {:.0f} s".format(span))
    for name, seconds in used.items():
        ratio = used["ombrel"] / seconds if seconds > 0 else float("nan")
        print("  {:13} {:6.1f} ms  {:.3f}% of one core  ombrel/this {:.2f}x".format(
            name, 1000 * seconds, 100 * seconds / span, ratio))
    print("  targets: within 1.5x the floor, under 0.5% of one core")
    return 0


if __name__ == "__main__":
    sys.exit(main())
