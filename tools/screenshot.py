#!/usr/bin/env python3
"""Renders the main window under Xvfb and writes it as a PNG.

Usage: screenshot.py BINARY OUTPUT.png

The program runs on a private Xvfb with openbox and trayer (see
tests/e2e/harness.py) and a sample list of six entries. Once its window has
been drawn and stays the same, the window and a small margin around it are
cut out of the screen and written to OUTPUT.png.
"""

import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "tests", "e2e"))
import harness  # noqa: E402

SAMPLE_ITEMS = ["记事本", "画图", "计算器", "Firefox 浏览器", "终端", "文件管理器"]
MARGIN = 6
SETTLE_TIMEOUT = 10.0
MIN_COLOURS = 16


def grab(session, box, path):
    """The pixels of box = (x, y, width, height) on the screen as raw RGB bytes."""
    x, y, width, height = box
    session.tool("import", "-window", "root", "-crop", "{}x{}+{}+{}".format(width, height, x, y),
                 "-depth", "8", "rgb:" + path)
    with open(path, "rb") as f:
        return f.read()


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    binary, output = argv[1], os.path.abspath(argv[2])
    missing = harness.missing_tools()
    if missing:
        sys.stderr.write("screenshot: missing tools: {}\n".format(", ".join(missing)))
        return 1

    # A white root window rather than Xvfb's default weave behind the margin.
    with harness.Session(binary, trayer=True, xvfb_args=["-wr"]) as session:
        session.prepare_app(harness.profile_bytes(SAMPLE_ITEMS))
        # The pointer starts in the middle of the screen, where it would
        # light up whatever control it rests on.
        session.tool("xdotool", "mousemove", "0", "0")
        session.start_app()
        window = session.wait_window(harness.title_for(len(SAMPLE_ITEMS)))
        session.wait_tray_icon()

        x, y, width, height = session.geometry(window)
        screen_w, screen_h = harness.SCREEN_SIZE
        left, top = max(0, x - MARGIN), max(0, y - MARGIN)
        box = (left, top, min(screen_w, x + width + MARGIN) - left, min(screen_h, y + height + MARGIN) - top)

        # Drawing ends some time after the window is mapped: wait until two
        # grabs in a row show the same pixels, and more than the few plain
        # colours of a window that is not drawn yet.
        # The up-time appears with the first clock tick, half a second after
        # the window loads.
        raw = os.path.join(session.dir, "grab.rgb")
        last = [grab(session, box, raw)]
        first_tick = time.monotonic() + 0.6

        def settled():
            pixels = grab(session, box, raw)
            same = pixels == last[0]
            last[0] = pixels
            return (same and time.monotonic() > first_tick
                    and len({pixels[i:i + 3] for i in range(0, len(pixels), 3)}) > MIN_COLOURS)
        harness.wait_for(settled, "the window to finish drawing", SETTLE_TIMEOUT, interval=0.2)

        os.makedirs(os.path.dirname(output), exist_ok=True)
        handle, temporary = tempfile.mkstemp(suffix=".png", dir=os.path.dirname(output))
        os.close(handle)
        try:
            # No time stamps in the file, so an unchanged window gives an
            # unchanged file.
            subprocess.run(["convert", "-size", "{}x{}".format(box[2], box[3]), "-depth", "8", "rgb:" + raw,
                            "-strip", "-define", "png:exclude-chunk=date,time", "png24:" + temporary],
                           check=True, stdin=subprocess.DEVNULL)
            os.chmod(temporary, 0o644)
            os.replace(temporary, output)
        except BaseException:
            os.remove(temporary)
            raise
    print("wrote {} ({}x{})".format(output, box[2], box[3]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
