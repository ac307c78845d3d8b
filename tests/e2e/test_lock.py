"""End-to-end test of the screen lock: the quick button 锁屏, the password
set-up, the lock window over the screen with the pointer kept in the middle
and the window manager's keys swallowed, the password check and the unlock,
a lock refused because another program holds the keyboard, and a lock that
comes back when another program hides or covers it and takes nothing pasted.

Each test runs the built program on its own Xvfb with openbox. The other
programs are keyboard_grabber (OMBREL_KEYBOARD_GRABBER), cover_window
(OMBREL_COVER_WINDOW) and xclip, which the session starts and ends.
"""

import hashlib
import os
import subprocess
import time
import unittest

import harness
from harness import Session, title_for, profile_bytes, wait_for

ITEMS = ["记事本", "画图"]

# In the main window at 96 DPI (twips / 15): the star that opens the options
# menu, and 锁屏 on the quick panel, which slides into the viewport at (16, 304).
STAR = (3530 // 15 + 12, 4080 // 15 + 12)
VIEWPORT = (16, 304, 273, 124)
LOCK_BUTTON = (16 + 2760 // 15 + 36, 304 + 1200 // 15 + 12)

SETUP_TITLE = "锁屏设置"
LOCK_TITLE = "正在挂机"
# In the set-up window: the two entries and 确定.
PASSWORD_BOX = (80 + 80, 40 + 12)
REPEAT_BOX = (80 + 80, 72 + 12)
OK_BUTTON = (176 + 32, 120 + 12)

# The pointer's rectangle: 3800 x 2800 twips in the middle of 1280 x 800
# pixels, right and bottom outside; the unlock button in it, and a spot of
# the background in it away from every control.
RECT = (513, 307, 767, 493)
UNLOCK_BUTTON = (640, 433)
BACKGROUND = (520, 470)
# The band of the check's message, above the entry.
MESSAGE_BAND = (200, 280, 880, 50)
# The lock's grey at BACKGROUND, and another program's window over that spot.
GREY, COVER = (64, 64, 64), (BACKGROUND[0] - 50, BACKGROUND[1] - 30, 100, 60)


def setUpModule():
    missing = harness.missing_tools(extra=("xclip",))
    if missing:
        raise unittest.SkipTest("missing X tools for the end-to-end tests: " + ", ".join(missing))


def support_binary(variable="OMBREL_KEYBOARD_GRABBER", name="keyboard_grabber"):
    path = os.environ.get(variable)
    if path:
        return path
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    return os.path.join(root, "build", "tests", name)


class LockTest(unittest.TestCase):

    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)
        self.session.start()
        self.session.prepare_app(profile_bytes(ITEMS))
        self.process = self.session.start_app()
        self.main = self.session.wait_window(title_for(len(ITEMS)))

    # -- helpers ------------------------------------------------------------

    def crop(self, x, y, w, h):
        """The screen's pixels in that rectangle, as RGB bytes."""
        result = subprocess.run(["import", "-window", "root", "-crop", "{}x{}+{}+{}".format(w, h, x, y),
                                 "-depth", "8", "rgb:-"], env=self.session.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=harness.DEFAULT_TIMEOUT,
                                check=True)
        return result.stdout

    def region_hash(self, window, x, y, w, h):
        left, top, _w, _h = self.session.geometry(window)
        return hashlib.sha1(self.crop(left + x, top + y, w, h)).hexdigest()

    def wait_still(self, window, region):
        last = [None]

        def settled():
            now = self.region_hash(window, *region)
            same = now == last[0]
            last[0] = now
            return same
        wait_for(settled, "the panel to come to rest", interval=0.15)

    def open_setup(self):
        """锁屏 on the quick panel; returns the set-up window once the main window is gone."""
        before = self.session.visible_windows()
        self.session.click_in(self.main, *STAR)
        self.session.wait_popup(before)
        self.session.keys("Down", "Return")  # 快捷按键
        self.wait_still(self.main, VIEWPORT)
        self.session.click_in(self.main, *LOCK_BUTTON)
        setup = self.session.wait_window(SETUP_TITLE)
        self.session.wait_no_window(title_for(len(ITEMS)))
        return setup

    def type_passwords(self, setup, first, second):
        self.session.click_in(setup, *PASSWORD_BOX)
        self.session.tool("xdotool", "type", "--delay", "30", first)
        self.session.click_in(setup, *REPEAT_BOX)
        self.session.tool("xdotool", "type", "--delay", "30", second)

    def dismiss_notice(self):
        self.session.wait_window("提示")
        self.session.keys("Return")
        self.session.wait_no_window("提示")

    def pointer(self):
        out = self.session.tool("xdotool", "getmouselocation", "--shell")
        values = dict(line.split("=") for line in out.split())
        return int(values["X"]), int(values["Y"])

    def message_width(self):
        """How wide the dark-red message text is, in pixels (0 for none)."""
        x, y, w, h = MESSAGE_BAND
        data = self.crop(x, y, w, h)
        columns = set()
        for i in range(0, len(data), 3):
            r, g, b = data[i], data[i + 1], data[i + 2]
            if r > 120 and g < 80 and b < 80:
                columns.add((i // 3) % w)
        return max(columns) - min(columns) + 1 if columns else 0

    def hover_unlock(self):
        """Off the button and back on it, so that the password is checked."""
        self.session.tool("xdotool", "mousemove", *map(str, BACKGROUND))
        self.session.tool("xdotool", "mousemove", *map(str, UNLOCK_BUTTON))

    def shot(self, name):
        return self.session.screenshot(os.path.join(self.session.dir, name))

    def on_top(self, lock):
        """Whether lock is mapped, the topmost child of the root window, and seen at BACKGROUND."""
        children = self.session.tool("xwininfo", "-root", "-children").split("children:")[1].split()
        return self.session.is_viewable(lock) and int(children[0], 16) == lock and \
            tuple(self.crop(BACKGROUND[0], BACKGROUND[1], 1, 1)) == GREY

    # -- tests --------------------------------------------------------------

    def test_the_lock_holds_the_screen_until_the_right_password_is_clicked(self):
        setup = self.open_setup()
        left, top, _w, _h = self.session.geometry(setup)
        empty = self.crop(left + 80, top + 40, 161, 57)

        self.type_passwords(setup, "abc", "abd")
        self.session.click_in(setup, *OK_BUTTON)
        self.dismiss_notice()  # 两次填写的密码不相同!
        wait_for(lambda: self.crop(left + 80, top + 40, 161, 57) == empty, "both entries cleared")
        self.shot("lock-setup.png")

        self.type_passwords(setup, "Pass 1", "Pass 1")
        self.session.click_in(setup, *OK_BUTTON)
        lock = self.session.wait_window(LOCK_TITLE)
        self.session.wait_no_window(SETUP_TITLE)
        wait_for(lambda: self.session.geometry(lock) == (0, 0) + harness.SCREEN_SIZE, "the lock over the whole screen")
        self.assertEqual(self.session.visible_windows_named(title_for(len(ITEMS))), [])
        active = wait_for(lambda: self.session.tool("xdotool", "getactivewindow", check=False).strip(),
                          "an active window")

        for keys in ("alt+Tab", "super", "ctrl+Escape", "alt+F4"):
            self.session.keys(keys)
            self.assertEqual(self.session.tool("xdotool", "getactivewindow", check=False).strip(), active, keys)
            self.assertTrue(self.session.is_viewable(lock), keys)

        self.session.tool("xdotool", "mousemove", "0", "0")
        x, y = self.pointer()
        self.assertTrue(RECT[0] <= x < RECT[2] and RECT[1] <= y < RECT[3], (x, y))

        # A wrong password (one letter's case): told, and the click does nothing.
        self.session.tool("xdotool", "type", "--delay", "30", "pass 1")
        self.hover_unlock()
        wrong = wait_for(self.message_width, "the check's message")
        self.session.click(*UNLOCK_BUTTON)
        time.sleep(0.5)  # a click that unlocked would have closed the window by now
        self.assertTrue(self.session.is_viewable(lock))
        self.shot("lock-wrong.png")

        self.session.keys(*["BackSpace"] * 6)
        self.session.tool("xdotool", "type", "--delay", "30", "Pass 1")
        self.session.tool("xdotool", "mousemove", *map(str, UNLOCK_BUTTON))  # over the highlighted one: no check
        self.assertEqual(self.message_width(), wrong)
        self.hover_unlock()
        # 密码正确！点击解锁即可。 is three characters shorter than the wrong one.
        right = wait_for(lambda: (lambda w: w if 0 < w < wrong else 0)(self.message_width()),
                         "the message for the right password")
        self.assertLess(right, wrong)
        self.shot("lock-right.png")
        self.session.click(*UNLOCK_BUTTON)
        self.session.wait_no_window(LOCK_TITLE)
        self.session.wait_window(title_for(len(ITEMS)))
        self.session.tool("xdotool", "mousemove", "0", "0")
        wait_for(lambda: self.pointer() == (0, 0), "the pointer free again")
        self.assertIsNone(self.process.poll())

    def test_the_lock_comes_back_at_once_and_takes_nothing_pasted(self):
        setup = self.open_setup()
        self.type_passwords(setup, "Pass 1", "Pass 1")
        self.session.click_in(setup, *OK_BUTTON)
        lock = self.session.wait_window(LOCK_TITLE)
        wait_for(lambda: self.on_top(lock), "the lock on top")
        cover = support_binary("OMBREL_COVER_WINDOW", "cover_window")
        # Each attack, then a part of the password typed: all of it must arrive.
        for attack, keys in (("windowminimize", "Pa"), ("windowunmap", "ss"), (cover, " 1")):
            with self.subTest(attack):
                started = time.monotonic()
                if attack == cover:
                    other = self.session.spawn("cover", [cover] + [str(v) for v in COVER])
                    wait_for(lambda: "mapped" in self.session.app_output(other), "the cover window")
                else:
                    self.session.tool("xdotool", attack, str(lock))
                wait_for(lambda: self.on_top(lock), "the lock back on top", timeout=1.0, interval=0.02)
                print("{}: on top again after {:.2f} s".format(attack, time.monotonic() - started))
                self.session.tool("xdotool", "mousemove", "0", "0")
                wait_for(lambda: (lambda x, y: RECT[0] <= x < RECT[2] and RECT[1] <= y < RECT[3])(*self.pointer()),
                         "the pointer kept in its rectangle")
                self.session.tool("xdotool", "type", "--delay", "30", keys)
        # The password in both selections: a paste would make the entry wrong.
        with open(os.path.join(self.session.dir, "pasted"), "w") as f:
            f.write("Pass 1")
        for selection in ("clipboard", "primary"):
            self.session.spawn("xclip", ["xclip", "-quiet", "-selection", selection, "-i", f.name])
            wait_for(lambda: self.session.tool("xclip", "-o", "-selection", selection, check=False) == "Pass 1",
                     "the password in the " + selection)
        self.session.keys("shift+Insert", "ctrl+v")
        self.session.click(640, 400, button=2)  # on the entry
        self.hover_unlock()
        wait_for(self.message_width, "the check's message")
        self.session.click(*UNLOCK_BUTTON)
        self.session.wait_no_window(LOCK_TITLE)

    def test_a_lock_refused_while_another_program_holds_the_keyboard(self):
        setup = self.open_setup()
        self.type_passwords(setup, "pw", "pw")
        grabber = self.session.spawn("grabber", [support_binary()])
        wait_for(lambda: "grabbed" in self.session.app_output(grabber) or grabber.poll() is not None,
                 "the other program to grab the keyboard")
        self.assertIsNone(grabber.poll(), self.session.app_output(grabber))

        self.session.click_in(setup, *OK_BUTTON)
        self.session.wait_window("提示", timeout=15)  # 锁屏失败：另一个程序占用了键盘
        self.shot("lock-refused.png")
        harness.stop_process(grabber)
        self.dismiss_notice()
        self.session.wait_window(title_for(len(ITEMS)))
        self.assertEqual(self.session.visible_windows_named(LOCK_TITLE), [])
        self.session.tool("xdotool", "mousemove", "0", "0")
        wait_for(lambda: self.pointer() == (0, 0), "the pointer free")


if __name__ == "__main__":
    unittest.main()
