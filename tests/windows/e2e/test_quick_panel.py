"""End-to-end tests of the Windows program's quick panel under Wine: the
dial-up dialog against Wine's failing remote-access stub, the lock set-up and
the lock screen's hold on the pointer and the keys, and the buttons that
start the system's programs (stand-ins in place of Wine's own), the browser
and the power calls (both recording, wine_harness)."""

import os
import unittest

# wine_harness first: it puts tests/e2e, with harness and test_launcher, on the path.
from wine_harness import WineTestCase, setUpModule, tearDownModule  # noqa: F401

import harness  # noqa: E402
from harness import title_for, wait_for  # noqa: E402
from test_launcher import read_record  # noqa: E402


def quick_button(row, column):
    """The centre of a button of the quick panel (the panels lie at (16, 304))."""
    return (16 + (8, 96, 184)[column] + 36, 304 + (16, 48, 80)[row] + 12)


DIAL_UP_BUTTON, LOCK_BUTTON = quick_button(1, 1), quick_button(2, 2)
# The dial-up dialog, 5565 × 3975 twips: its three boxes, 连接 and the status line.
DIAL_UP_SIZE = (371, 265)
NAME_BOX, ACCOUNT_BOX, PASSWORD_BOX = (216, 76), (216, 108), (216, 140)
CONNECT_BUTTON = (56 + 32, 168 + 12)
STATUS_LINE = (56, 208, 257, 25)
# The lock set-up, 3915 × 2580 twips: its two boxes and 确定.
SETUP_SIZE = (261, 172)
SETUP_BOXES = (80, 40, 161, 57)
SETUP_PASSWORD, SETUP_REPEAT, SETUP_OK = (160, 52), (160, 84), (176 + 32, 120 + 12)
# The lock on the 1280 × 800 screen: the top left corner of the 3800 × 2800
# twip rectangle that holds the pointer, the unlock button below the password
# entry, and the line of the check's message above it.
POINTER_CORNER = (513, 307)
UNLOCK_BUTTON, BACKGROUND = (640, 433), (640, 475)
MESSAGE_LINE = (400, 290, 480, 28)


class QuickPanelTest(WineTestCase):

    def start_with_quick_panel(self):
        self.session.prepare_app(None)
        _process, window = self.start(0)
        self.open_quick_panel(window)
        return window

    def test_the_dial_up_dialog_saves_its_entries_and_stays_after_a_failed_dial(self):
        self.session.map_characters("宽带")
        window = self.start_with_quick_panel()
        self.session.click_in(window, *DIAL_UP_BUTTON)
        dialog = self.session.wait_window("宽带连接")
        x, y, width, height = self.session.geometry(dialog)
        self.assertEqual((width, height), DIAL_UP_SIZE)
        self.session.assert_centred(x, y, width, height)

        status = self.session.crop(dialog, *STATUS_LINE)
        for box, text in ((NAME_BOX, "宽带 1"), (ACCOUNT_BOX, "ab@isp"), (PASSWORD_BOX, "p w")):
            self.type_into(dialog, box, text)
        self.session.click_in(dialog, *CONNECT_BUTTON)
        # Wine's RasDialA is a stub that fails: its code is told, the dialog
        # stays with 宽带 1连接失败 in its status line.
        notice = self.session.wait_window("连接提示")
        with open(self.session.app_file("Ombrel.ini"), "rb") as f:
            self.assertEqual(f.read(), "[宽带连接]\r\nName=宽带 1\r\nUsername=ab@isp\r\nPassword=p w\r\n".encode("gbk"))
        self.session.shoot(notice, "dial-up-failed-notice")
        self.session.answer(notice, "Return")
        self.session.wait_no_window("连接提示")
        self.session.wait_settled(dialog, STATUS_LINE, status)
        self.session.shoot(dialog, "dial-up")

        # A second press, on the main window above it, brings the same dialog forward.
        self.session.click_in(window, *DIAL_UP_BUTTON)
        wait_for(lambda: self.session.above(dialog, window), "the dial-up dialog above the main window")
        self.assertEqual(self.session.wait_window("宽带连接"), dialog)

    def test_the_lock_holds_pointer_and_keys_until_the_right_password(self):
        window = self.start_with_quick_panel()
        # A window that Alt+Tab could switch to.
        self.session.click_in(window, *DIAL_UP_BUTTON)
        dialog = self.session.wait_window("宽带连接")
        self.session.click_in(window, *LOCK_BUTTON)
        setup = self.session.wait_window("锁屏设置")
        self.session.wait_no_window(title_for(0))
        x, y, width, height = self.session.geometry(setup)
        self.assertEqual((width, height), SETUP_SIZE)
        self.session.assert_centred(x, y, width, height)
        self.session.shoot(setup, "lock-setup")

        def choose(password, repeated):
            self.type_into(setup, SETUP_PASSWORD, password)
            self.type_into(setup, SETUP_REPEAT, repeated)
            self.session.click_in(setup, *SETUP_OK)

        empty = self.session.crop(setup, *SETUP_BOXES)
        choose("abc", "abd")  # told, and both boxes emptied
        self.session.answer(self.session.wait_window("提示"), "Return")
        wait_for(lambda: self.session.crop(setup, *SETUP_BOXES) == empty, "the set-up's boxes emptied")
        choose("abc", "abc")
        lock = self.session.wait_window("正在挂机")
        self.session.wait_no_window("锁屏设置")
        self.assertEqual(self.session.geometry(lock), (0, 0) + harness.SCREEN_SIZE)

        # The window manager closes and switches windows by these keys; the
        # lock stays above the dialog, and the keys typed later reach it.
        self.session.keys("alt+F4", "alt+Tab", "Super_L")
        self.assertEqual(self.session.pointer(0, 0), POINTER_CORNER)
        self.assertTrue(self.session.above(lock, dialog))
        # A wrong password is told when the pointer comes onto 解锁; its click does nothing.
        blank = self.session.crop(lock, *MESSAGE_LINE)
        self.session.tool("xdotool", "type", "abd")
        self.session.pointer(*UNLOCK_BUTTON)
        wrong = self.session.wait_settled(lock, MESSAGE_LINE, blank)
        self.session.shoot(lock, "lock-wrong-password", settle=False)
        self.session.tool("xdotool", "click", "1")
        self.assertTrue(self.session.is_viewable(lock))
        self.assertEqual(self.session.visible_windows_named(title_for(0)), [])

        # The right one counts once the pointer has left 解锁 and come back.
        self.session.keys("BackSpace", "c")
        self.session.pointer(*BACKGROUND)
        self.session.pointer(*UNLOCK_BUTTON)
        self.session.wait_settled(lock, MESSAGE_LINE, wrong)
        self.session.shoot(lock, "lock-right-password", settle=False)
        self.session.tool("xdotool", "click", "1")
        self.session.wait_window(title_for(0))
        self.session.wait_no_window("正在挂机")
        self.assertEqual(self.session.pointer(0, 0), (0, 0))

    def test_the_buttons_reach_the_system_programs_and_the_power_calls(self):
        power_off = "adjustPrivilege\nshutdownSystem 2\n"
        self.power_calls = power_off + 'startProcess minimized "C:\\windows\\system32\\shutdown.exe" -R -t 0\n'
        window = self.start_with_quick_panel()
        icon = self.session.wait_tray_icon()

        # 快速关机: Enter takes the default, Cancel; OK hides the window and powers off.
        for keys in (["Return"], ["shift+Tab", "space"]):
            self.session.click_in(window, *quick_button(2, 0))
            self.session.answer(self.session.wait_window("Ombrel"), *keys)
            self.session.wait_no_window("Ombrel")
        wait_for(lambda: self.power_log() == power_off, "the power-off's calls")
        self.session.wait_no_window(title_for(0))
        self.session.click(*icon.centre, repeat=2)
        window = self.session.wait_window(title_for(0))

        self.session.click_in(window, *quick_button(2, 1))  # 重启, which leaves the window open
        self.session.answer(self.session.wait_window("Ombrel"), "shift+Tab", "space")
        wait_for(lambda: self.power_log() == self.power_calls, "the restart's start")
        self.session.wait_window(title_for(0))

        self.session.click_in(window, *quick_button(0, 2))  # Internet
        # winebrowser writes the address with the path "/".
        self.assertEqual(read_record(self.prefix.browser_record)[2:], ["http://www.baidu.com/"])
        # 控制面板 and 任务管理 start their programs with no argument; 计算机
        # and 回收站 start explorer (the one of either folder) on the shell folder.
        control, task_manager, *explorers = self.system_standins(
            "system32/control.exe", "system32/taskmgr.exe", "explorer.exe", "system32/explorer.exe")
        for place, records, arguments in (((0, 1), [control], []), ((1, 2), [task_manager], []),
                                          ((0, 0), explorers, ["::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"]),
                                          ((1, 0), explorers, ["::{645FF040-5081-101B-9F08-00AA002F954E}"])):
            self.session.click_in(window, *quick_button(*place))
            record = wait_for(lambda: next(filter(os.path.exists, records), None), "a record of " + str(records))
            self.assertEqual(read_record(record)[1:], arguments)
            os.remove(record)


if __name__ == "__main__":
    unittest.main()
