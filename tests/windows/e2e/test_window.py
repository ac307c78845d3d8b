"""End-to-end tests of the Windows program's main window under Wine: its size
and place, the tray icon that brings it back after 隐藏, the panels that the
star's menu slides in and a right press on the star puts away, and the second
start that ends at once."""

import unittest

# wine_harness first: it puts tests/e2e, with harness and test_launcher, on the path.
from wine_harness import LOCK_BUTTON, STAR, START_TIMEOUT, WineTestCase, setUpModule, tearDownModule  # noqa: F401

import harness  # noqa: E402
from harness import title_for  # noqa: E402
from test_launcher import BUTTON_X  # noqa: E402

HIDE_BUTTON = (BUTTON_X, 200 + 12)    # 隐藏
# The design size, 4575 × 6630 twips, at 96 DPI.
WINDOW_SIZE = (305, 442)


class MainWindowTest(WineTestCase):

    def test_the_window_opens_centred_and_the_tray_icon_brings_it_back(self):
        self.session.prepare_app(None)
        _process, window = self.start(0)
        self.session.shoot(window, "main-window")
        x, y, width, height = self.session.geometry(window)
        self.assertEqual((width, height), WINDOW_SIZE)

        icon = self.session.wait_tray_icon(START_TIMEOUT)
        self.session.click_in(window, *HIDE_BUTTON)
        self.session.wait_no_window(title_for(0))
        self.session.click(*icon.centre, repeat=2)
        window = self.session.wait_window(title_for(0))
        self.assertEqual(self.session.geometry(window)[2:], WINDOW_SIZE)

        # 快捷按键 slides the quick panel over the status lines; a right
        # press on the star puts it away and shows them again.
        status_lines = self.open_quick_panel(window)
        self.session.shoot(window, "quick-panel")
        self.session.click_in(window, *STAR, button=3)
        harness.wait_for(lambda: self.session.crop(window, *LOCK_BUTTON) == status_lines, "the panel put away")

        self.session.assert_centred(x, y, width, height)

    def test_a_second_start_ends_at_once_and_leaves_the_first_running(self):
        self.session.prepare_app(None)
        first, _window = self.start(0)
        second = self.session.start_app()
        self.assertEqual(harness.wait_exit(second, START_TIMEOUT), 0)
        self.assertIsNone(first.poll())
        self.session.wait_window(title_for(0))


if __name__ == "__main__":
    unittest.main()
