"""End-to-end tests of the quick panel's system buttons.

The default handlers are recording desktop entries in a fake XDG environment
inside the session's home. The system's application folders are replaced by
a private XDG_DATA_DIRS that holds only the MIME database and recording
stand-ins named as the desktops' settings applications and system monitors,
so no real program can be chosen. The system bus is unreachable: no power
request can leave the session.
"""

import hashlib
import os
import subprocess
import time
import unittest

import harness
from harness import Session, profile_bytes, title_for, wait_for

STAR = (3530 // 15 + 12, 4080 // 15 + 12)
VIEWPORT = (16, 304, 273, 124)
BOX_TITLE = "Ombrel"


def button(left_twips, top_twips):
    """The centre of a quick-panel button; the panel lies in the viewport at (16, 304)."""
    return (16 + left_twips // 15 + 1095 // 30, 304 + top_twips // 15 + 375 // 30)


COMPUTER = button(120, 240)
CONTROL_PANEL = button(1440, 240)
INTERNET = button(2760, 240)
RECYCLE_BIN = button(120, 720)
TASK_MANAGER = button(2760, 720)
POWER_OFF = button(120, 1200)

# Every desktop entry the program may choose for the two tools.
TOOL_ENTRIES = (
    "org.gnome.Settings.desktop", "gnome-control-center.desktop", "systemsettings.desktop",
    "org.kde.systemsettings.desktop", "xfce-settings-manager.desktop", "mate-control-center.desktop",
    "cinnamon-settings.desktop", "lxqt-config.desktop",
    "org.gnome.SystemMonitor.desktop", "gnome-system-monitor.desktop", "org.kde.plasma-systemmonitor.desktop",
    "org.kde.ksysguard.desktop", "xfce4-taskmanager.desktop", "mate-system-monitor.desktop", "qps.desktop",
)


def setUpModule():
    missing = harness.missing_tools(("gio",))
    if missing:
        raise unittest.SkipTest("missing X tools for the end-to-end tests: " + ", ".join(missing))


class QuickButtonsTest(unittest.TestCase):

    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)
        self.session.start()
        env = self.session.env
        env["DBUS_SYSTEM_BUS_ADDRESS"] = "unix:path=/nonexistent"
        self.records = os.path.join(self.session.dir, "records")
        os.mkdir(self.records)
        share = os.path.join(self.session.dir, "share")
        os.makedirs(os.path.join(share, "applications"))
        os.symlink("/usr/share/mime", os.path.join(share, "mime"))
        env["XDG_DATA_DIRS"] = share
        for entry in TOOL_ENTRIES:
            self.stand_in(os.path.join(share, "applications", entry), entry)
        applications = os.path.join(env["XDG_DATA_HOME"], "applications")
        os.makedirs(applications)
        self.stand_in(os.path.join(applications, "browser.desktop"), "browser",
                      " %u\nMimeType=x-scheme-handler/http;")
        self.stand_in(os.path.join(applications, "files.desktop"), "files", " %f\nMimeType=inode/directory;")
        with open(os.path.join(env["XDG_CONFIG_HOME"], "mimeapps.list"), "w") as f:
            f.write("[Default Applications]\nx-scheme-handler/http=browser.desktop\n"
                    "inode/directory=files.desktop\n")
        self.session.prepare_app(profile_bytes([]))

    def stand_in(self, path, name, tail=""):
        """A desktop entry whose program writes its arguments to the record of name."""
        script = os.path.join(self.session.dir, name + ".sh")
        record = os.path.join(self.records, name)
        with open(script, "w") as f:
            f.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > '{0}.part' && mv '{0}.part' '{0}'\n".format(record))
        os.chmod(script, 0o755)
        with open(path, "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName={}\nExec={} {}{}\n".format(name, script, name, tail))

    def recorded(self, name):
        path = os.path.join(self.records, name)

        def complete():
            try:
                with open(path, encoding="utf-8") as f:
                    return f.read().splitlines()
            except FileNotFoundError:
                return None
        lines = wait_for(complete, "the stand-in " + name + " to be started")
        os.remove(path)
        return lines

    def region_hash(self, window, x, y, w, h):
        left, top, _w, _h = self.session.geometry(window)
        out = subprocess.run(["import", "-window", "root", "-crop", "{}x{}+{}+{}".format(w, h, left + x, top + y),
                              "rgb:-"], env=self.session.env, stdout=subprocess.PIPE, check=True,
                             timeout=harness.DEFAULT_TIMEOUT).stdout
        return hashlib.sha1(out).hexdigest()

    def open_quick_panel(self, desktop):
        self.session.env["XDG_CURRENT_DESKTOP"] = desktop
        process = self.session.start_app()
        window = self.session.wait_window(title_for(0))
        before = self.session.visible_windows()
        self.session.click_in(window, *STAR)
        self.session.wait_popup(before)
        self.session.keys("Down", "Return")  # 快捷按键
        last = [None]

        def settled():
            now = self.region_hash(window, *VIEWPORT)
            same = now == last[0]
            last[0] = now
            return same
        wait_for(settled, "the panel to come to rest", interval=0.15)
        return process, window

    def test_each_button_reaches_its_handler_or_the_running_desktops_tool(self):
        trash = os.path.join(self.session.env["XDG_DATA_HOME"], "Trash", "files")
        for desktop, settings, monitor in (
                ("KDE", "systemsettings.desktop", "org.kde.plasma-systemmonitor.desktop"),
                ("XFCE", "xfce-settings-manager.desktop", "xfce4-taskmanager.desktop")):
            with self.subTest(desktop=desktop):
                process, window = self.open_quick_panel(desktop)
                self.session.click_in(window, *INTERNET)
                self.assertEqual(self.recorded("browser"), ["browser", "http://www.baidu.com"])
                self.session.click_in(window, *RECYCLE_BIN)
                self.assertEqual(self.recorded("files"), ["files", trash])
                self.assertTrue(os.path.isdir(trash))
                self.session.click_in(window, *COMPUTER)
                self.assertEqual(self.recorded("files"), ["files", "/"])
                self.session.click_in(window, *CONTROL_PANEL)
                self.assertEqual(self.recorded(settings), [settings])
                self.session.click_in(window, *TASK_MANAGER)
                self.assertEqual(self.recorded(monitor), [monitor])
                # Nothing went wrong, and the program runs on.
                self.assertEqual(self.session.visible_windows_named(BOX_TITLE), [])
                self.assertEqual(self.session.visible_windows_named("提示"), [])
                self.assertIsNone(process.poll())
                harness.stop_process(process)

    def test_power_off_answered_with_enter_at_once_does_nothing(self):
        process, window = self.open_quick_panel("KDE")
        self.session.click_in(window, *POWER_OFF)
        box = self.session.wait_window(BOX_TITLE)
        self.session.keys("Return")
        wait_for(lambda: not self.session.exists(box) or not self.session.is_viewable(box), "the question to go")
        # An OK would hide the window and, with no system bus, bring it back
        # with a notice of the failure.
        for _ in range(10):
            self.assertTrue(self.session.is_viewable(window))
            self.assertEqual(self.session.visible_windows_named("提示"), [])
            time.sleep(0.1)
        self.assertIsNone(process.poll())


if __name__ == "__main__":
    unittest.main()
