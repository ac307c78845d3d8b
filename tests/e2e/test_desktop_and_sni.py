"""End-to-end tests of what the main window does to the desktop (refresh on a
title click, dragging by the title) and of the StatusNotifierItem tray, where
no double-click exists and the primary activation shows the window.
"""

import os
import re
import unittest

import harness
from harness import Session, title_for, profile_bytes, wait_for

ITEMS = ["记事本", "画图", "计算器"]
HIDE_BUTTON = (216 + 65 // 2, 200 + 25 // 2)
TITLE_POINT = (40, 12)


def setUpModule():
    missing = harness.missing_tools(extra=("xev", "dbus-daemon", "dbus-send"))
    if missing:
        raise unittest.SkipTest("missing X tools for the end-to-end tests: " + ", ".join(missing))


class DesktopTest(unittest.TestCase):
    """A stand-in desktop: an xev window typed as the desktop, logging the keys it is sent."""

    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)
        self.session.start()
        self.xev = self.session.spawn("xev", ["xev", "-event", "keyboard", "-name", "fake-desktop"])
        desktop = self.session.wait_window("fake-desktop")
        self.session.tool("xprop", "-id", str(desktop), "-f", "_NET_WM_WINDOW_TYPE", "32a",
                          "-set", "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DESKTOP")
        self.session.prepare_app(profile_bytes(ITEMS))
        self.session.start_app()
        self.window = self.session.wait_window(title_for(len(ITEMS)))

    def f5_presses(self):
        log = self.session.app_output(self.xev)
        return len(re.findall(r"KeyPress event, serial \d+, synthetic YES.*\n.*\n.*keysym 0xffc2, F5\)", log))

    def test_a_click_on_the_title_sends_f5_to_the_desktop(self):
        self.session.click_in(self.window, *TITLE_POINT)
        wait_for(lambda: self.f5_presses() == 1, "one F5 at the desktop",
                 details=lambda: self.session.app_output(self.xev))

    def test_dragging_by_the_title_moves_the_window_and_refreshes_once_released(self):
        x, y, _w, _h = self.session.geometry(self.window)
        grab = (x + TITLE_POINT[0], y + TITLE_POINT[1])
        self.session.tool("xdotool", "mousemove", str(grab[0]), str(grab[1]), "mousedown", "1")
        for step in range(1, 6):
            self.session.tool("xdotool", "mousemove", str(grab[0] - 20 * step), str(grab[1] + 10 * step))
        wait_for(lambda: self.session.geometry(self.window)[:2] == (x - 100, y + 50),
                 "the window to follow the pointer",
                 details=lambda: str(self.session.geometry(self.window)))
        self.assertEqual(self.f5_presses(), 0)
        self.session.tool("xdotool", "mouseup", "1")
        wait_for(lambda: self.f5_presses() == 1, "one F5 after the drag",
                 details=lambda: self.session.app_output(self.xev))


class StatusNotifierTrayTest(unittest.TestCase):
    """The program on a private session bus with a StatusNotifierItem host stand-in."""

    def setUp(self):
        watcher = os.environ.get("OMBREL_SNI_WATCHER")
        if not watcher:
            self.skipTest("OMBREL_SNI_WATCHER is not set")
        self.session = Session()
        self.addCleanup(self.session.close)
        self.session.start()
        socket = os.path.join(self.session.env["XDG_RUNTIME_DIR"], "bus")
        self.session.spawn("dbus-daemon", ["dbus-daemon", "--session", "--nofork", "--nopidfile",
                                            "--address=unix:path=" + socket])
        wait_for(lambda: os.path.exists(socket), "the private session bus")
        self.session.env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + socket
        self.watcher = self.session.spawn("watcher", [watcher])
        wait_for(lambda: "ready" in self.session.app_output(self.watcher), "the watcher on the bus",
                 details=self.session.logs)
        self.session.prepare_app(profile_bytes(ITEMS))
        self.session.start_app()
        self.window = self.session.wait_window(title_for(len(ITEMS)))
        self.item = wait_for(self.registered_item, "the tray item to register", details=self.session.logs)

    def registered_item(self):
        names = re.findall(r"^:[\d.]+$", self.session.app_output(self.watcher), re.MULTILINE)
        return names[-1] if names else None

    def call_item(self, method, *args):
        return self.session.tool("dbus-send", "--session", "--print-reply", "--dest=" + self.item,
                                 "/StatusNotifierItem", method, *args)

    def test_the_tip_counts_the_items(self):
        reply = self.call_item("org.freedesktop.DBus.Properties.Get",
                               "string:org.kde.StatusNotifierItem", "string:ToolTip")
        self.assertIn('"' + title_for(len(ITEMS)) + '"', reply)

    def test_the_primary_activation_brings_the_window_back(self):
        self.session.click_in(self.window, *HIDE_BUTTON)
        self.session.wait_no_window(title_for(len(ITEMS)))
        self.call_item("org.kde.StatusNotifierItem.Activate", "int32:0", "int32:0")
        self.session.wait_window(title_for(len(ITEMS)))

    def test_the_context_menu_request_opens_the_tray_menu(self):
        before = self.session.visible_windows()
        self.call_item("org.kde.StatusNotifierItem.ContextMenu", "int32:600", "int32:400")
        self.session.wait_popup(before)


if __name__ == "__main__":
    unittest.main()
