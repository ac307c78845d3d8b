"""End-to-end tests of the program's shell: the main window, the one-copy
lock, the tray icon and its menu, and the two ways out.

Each test runs the built program (OMBREL_BINARY) on its own Xvfb with
openbox, and trayer where a notification area is needed.
"""

import os
import signal
import time
import unittest

import harness
from harness import Session, title_for, profile_bytes, wait_exit, wait_for

# 4575 x 6630 twips at 96 DPI. Xvfb reports 100 DPI for its screen, but Qt
# takes 96 as the logical DPI on X11 unless the Xft.dpi resource says
# otherwise, and this server has no resources.
WINDOW_SIZE = (305, 442)

# Button centres inside the main window: the column is at x 216, 65 wide;
# every button is 25 high.
BUTTON_X = 216 + 65 // 2
HIDE_BUTTON = (BUTTON_X, 200 + 25 // 2)   # 隐藏
EXIT_BUTTON = (BUTTON_X, 240 + 25 // 2)   # 退出

THREE_ITEMS = ["记事本", "画图", "计算器"]

# A second copy only has to see the lock and leave.
SECOND_START_LIMIT = 2.0


def setUpModule():
    missing = harness.missing_tools()
    if missing:
        raise unittest.SkipTest("missing X tools for the end-to-end tests: " + ", ".join(missing))


class ShellTestCase(unittest.TestCase):

    def session(self, profile=THREE_ITEMS, trayer=False):
        """A started session with the program prepared (not yet running)."""
        session = Session(trayer=trayer)
        self.addCleanup(session.close)
        session.start()
        session.prepare_app(profile if isinstance(profile, bytes) else profile_bytes(profile))
        return session

    def start_shown(self, session, count=len(THREE_ITEMS)):
        """Starts the program and waits for its main window; returns (process, window id)."""
        process = session.start_app()
        window = session.wait_window(title_for(count))
        return process, window

    def assert_centred(self, session, window):
        x, y, width, height = session.geometry(window)
        self.assertEqual((width, height), WINDOW_SIZE)
        screen_w, screen_h = harness.SCREEN_SIZE
        # Centring in whole pixels may round either way.
        self.assertAlmostEqual(x, (screen_w - width) / 2, delta=1)
        self.assertAlmostEqual(y, (screen_h - height) / 2, delta=1)

    def assert_running(self, session, process):
        self.assertIsNone(process.poll(), "the program ended\n" + session.logs())


class MainWindowTest(ShellTestCase):

    def test_window_is_centred_and_named_after_the_item_count(self):
        cases = [
            ("three entries", profile_bytes(THREE_ITEMS), 3),
            # The name shows Count=, even where entries are missing.
            ("Count above the stored keys", profile_bytes(THREE_ITEMS, count=5), 5),
            ("an empty list", profile_bytes([], count=0), 0),
        ]
        for label, profile, count in cases:
            with self.subTest(label):
                with Session() as session:
                    session.prepare_app(profile)
                    process, window = self.start_shown(session, count)
                    self.assertEqual(session.window_name(window), title_for(count))
                    self.assert_centred(session, window)
                    self.assert_running(session, process)


class OneCopyTest(ShellTestCase):

    def test_second_start_leaves_at_once_and_touches_nothing(self):
        session = self.session()
        first, window = self.start_shown(session)
        geometry = session.geometry(window)
        self.assertTrue(os.path.exists(session.lock_path), "no lock file at " + session.lock_path)

        started = time.monotonic()
        second = session.start_app()
        code = wait_exit(second, timeout=10)
        elapsed = time.monotonic() - started

        self.assertEqual(code, 0)
        self.assertLess(elapsed, SECOND_START_LIMIT)
        self.assertEqual(session.app_output(second), "", "the second copy is meant to leave silently")
        self.assert_running(session, first)
        self.assertEqual(session.visible_windows_named(title_for(3)), [window])
        self.assertEqual(session.geometry(window), geometry)

    def test_lock_of_a_killed_copy_does_not_block_the_next_start(self):
        session = self.session()
        first, window = self.start_shown(session)
        first.send_signal(signal.SIGKILL)
        self.assertEqual(wait_exit(first), -signal.SIGKILL)
        session.wait_no_window(title_for(3))
        self.assertTrue(os.path.exists(session.lock_path), "the killed copy's lock file is meant to stay")

        second, _ = self.start_shown(session)
        self.assert_running(session, second)


class TrayTest(ShellTestCase):

    def test_hide_then_double_click_on_the_tray_icon_shows_the_window_again(self):
        session = self.session(trayer=True)
        process, window = self.start_shown(session)
        icon = session.wait_tray_icon()
        self.assertGreater(icon.width, 0)

        session.click_in(window, *HIDE_BUTTON)
        session.wait_no_window(title_for(3))
        wait_for(lambda: not session.exists(window), "the hidden window to be destroyed")
        self.assert_running(session, process)
        self.assertIsNotNone(session.tray_icon(), "the tray icon went with the window")

        session.click(*icon.centre, repeat=2, delay_ms=80)
        shown = session.wait_window(title_for(3))
        self.assert_centred(session, shown)
        self.assert_running(session, process)

    def test_icon_embeds_when_the_tray_starts_after_the_program(self):
        session = self.session(trayer=False)
        process, _ = self.start_shown(session)
        self.assertIsNone(session.tray_icon())

        session.start_trayer()
        icon = session.wait_tray_icon()
        self.assertGreater(icon.width, 0)
        self.assert_running(session, process)

    def test_tray_menu_shows_the_window_and_exits(self):
        session = self.session(trayer=True)
        process, window = self.start_shown(session)
        icon = session.wait_tray_icon()
        session.click_in(window, *HIDE_BUTTON)
        session.wait_no_window(title_for(3))

        # The menu holds 显示 then 退出, in two rows of equal height.
        def choose(row):
            before = session.visible_windows()
            session.click(*icon.centre, button=3)
            menu = session.wait_popup(before)
            x, y, width, height = session.geometry(menu)
            session.click(x + width // 2, y + height * (2 * row + 1) // 4)

        choose(0)
        session.wait_window(title_for(3))
        self.assert_running(session, process)

        choose(1)
        self.assertEqual(wait_exit(process), 0)

    def test_tray_menu_works_from_the_keyboard(self):
        session = self.session(trayer=True)
        process, _ = self.start_shown(session)
        icon = session.wait_tray_icon()
        before = session.visible_windows()
        session.click(*icon.centre, button=3)
        session.wait_popup(before)
        session.keys("Down", "Down", "Return")
        self.assertEqual(wait_exit(process), 0)


class ExitButtonTest(ShellTestCase):

    def test_exit_button_ends_the_program(self):
        session = self.session()
        process, window = self.start_shown(session)
        session.click_in(window, *EXIT_BUTTON)
        self.assertEqual(wait_exit(process), 0)


if __name__ == "__main__":
    unittest.main()
