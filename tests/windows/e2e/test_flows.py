"""End-to-end tests of the Windows program's flows under Wine: an add through
the add panel against the profile that the Windows profile functions write,
a start by double-click through Ombrel.lnk, a search through the browser,
a shortcut on the desktop, and a one-minute countdown that rings the due
notice.

The started programs are copies of the stand-in, which records its working
folder; the browser is the prefix's recording script (wine_harness).
"""

import os
import unittest

# wine_harness first: it puts tests/e2e, with harness and test_launcher, on the path.
from wine_harness import (START_TIMEOUT, WineTestCase, program_path, profile_with, setUpModule,  # noqa: F401
                          tearDownModule, windows_path)

from harness import BULLET, title_for, wait_for  # noqa: E402
from test_launcher import ADD_BUTTON, read_record  # noqa: E402

# Places in the main window at 96 DPI; the panels lie at (16, 304).
QUERY_BOX = (16 + 16 + 81, 304 + 88 + 14)
SEARCH_BUTTON = (16 + 184 + 36, 304 + 88 + 12)    # So一下
QUESTIONS_OPTION = (16 + 56 + 16, 304 + 32 + 12)  # 知道
COUNTDOWN_OPTION = (16 + 8 + 8, 304 + 88 + 12)    # 计时
MINUTES_BOX = (16 + 56, 304 + 88, 28, 25)
START_BUTTON = (16 + 112 + 16, 304 + 88 + 12)     # 开始
# The due notice, 3915 × 2745 twips, and its 停止响铃.
NOTICE_SIZE = (261, 183)
STOP_RING_BUTTON = (80 + 44, 120 + 12)

LNK_HOTKEY = slice(0x40, 0x42)  # the hot key word in a shell link's header


def read_link(path):
    """The bytes of a .lnk file, once two looks in a row find the same."""
    last = [None]

    def whole():
        try:
            with open(path, "rb") as f:
                data = f.read()
        except FileNotFoundError:
            data = None
        done = data and data == last[0]
        last[0] = data
        return data if done else None
    return wait_for(whole, "the shortcut " + path)


class FlowTest(WineTestCase):

    def record_of(self, name):
        return read_record(os.path.join(self.programs, name + ".exe.txt"))

    def test_an_add_writes_the_profile_that_the_windows_functions_write(self):
        notepad = self.program("记事本 tool")
        paint = self.program("画图 tool")
        self.session.map_characters(notepad + paint)
        self.session.prepare_app(None)
        _process, window = self.start(0)

        self.session.click_in(window, *ADD_BUTTON)
        wait_for(lambda: self.add_panel_in_place(window), "the add panel in place")
        self.session.shoot(window, "add-panel")
        self.add_item(window, notepad, "记事本")
        self.session.wait_window(title_for(1))
        # 画图 sorts first: the list index is rewritten in its new order.
        self.add_item(window, paint, "画图")
        self.session.wait_window(title_for(2))

        calls = [(BULLET + "记事本", "Filename", notepad), ("标题", "000", BULLET + "记事本"), ("标题", "Count", "1"),
                 (BULLET + "画图", "Filename", paint), ("标题", "000", BULLET + "画图"),
                 ("标题", "001", BULLET + "记事本"), ("标题", "Count", "2")]
        calls_file = os.path.join(self.session.dir, "calls.txt")
        with open(calls_file, "w", encoding="utf-8") as f:
            f.writelines("\t".join(call) + "\n" for call in calls)
        reference = os.path.join(self.session.dir, "reference.ini")
        self.assertEqual(self.session.run_windows(program_path("OMBREL_WIN_STANDIN"), "--profile",
                                                  windows_path(calls_file), windows_path(reference)), 0)
        with open(reference, "rb") as f:
            expected = f.read()
        with open(self.session.app_file("Ombrel.ini"), "rb") as f:
            self.assertEqual(f.read(), expected)

    def test_a_double_click_starts_the_entry_in_its_folder_through_ombrel_lnk(self):
        tool = self.program("记事本 tool")
        folder = windows_path(self.programs)
        self.session.prepare_app(profile_with({"记事本": tool}))
        _process, window = self.start(1)

        self.session.click_in(window, *self.row(0))
        self.session.tool("xdotool", "click", "--repeat", "2", "--delay", "80", "1")
        self.assertEqual(self.record_of("记事本 tool"), [folder])
        self.session.wait_no_window(title_for(1))
        link = read_link(self.session.app_file("Ombrel.lnk"))
        self.assertEqual(link[LNK_HOTKEY], b"\x52\x06")  # R with Ctrl and Alt
        self.assertIn((folder + "\\").encode("utf-16-le"), link)

    def test_a_shortcut_on_the_desktop_lands_in_the_desktop_folder(self):
        tool = self.program("编辑器")
        self.session.prepare_app(profile_with({"编辑器": tool}))
        _process, window = self.start(1)
        placed = os.path.join(self.prefix.desktop, "编辑器.lnk")
        self.addCleanup(lambda: os.path.exists(placed) and os.remove(placed))

        self.menu(window, 0, "Down", "Down", "Down", "Right", "Return")  # 快捷方式 > 在桌面
        link = read_link(placed)
        self.assertEqual(link[LNK_HOTKEY], b"\0\0")
        self.assertIn((windows_path(self.programs) + "\\").encode("utf-16-le"), link)
        self.session.wait_window(title_for(1))

    def test_a_search_opens_its_address_in_the_browser_by_the_button_and_by_enter(self):
        query = "画图 a&b#c"
        self.session.map_characters(query)
        self.session.prepare_app(None)
        _process, window = self.start(0)
        status_lines = self.session.crop(window, *QUERY_BOX, 2, 2)

        self.options_menu(window, "Down", "Down", "Down", "Return")  # 搜索引擎
        self.session.wait_settled(window, (*QUERY_BOX, 2, 2), status_lines)
        self.session.shoot(window, "search-panel")
        self.type_into(window, QUERY_BOX, query)
        self.session.click_in(window, *SEARCH_BUTTON)
        # winebrowser writes the blanks of an address as %20 (and decodes %xx,
        # so the query holds none).
        record = self.prefix.browser_record
        self.assertEqual(read_record(record)[2:], ["http://www.baidu.com/s?wd=画图%20a&b#c"])
        os.remove(record)

        self.session.click_in(window, *QUESTIONS_OPTION)
        self.session.click_in(window, *QUERY_BOX)
        self.session.keys("Return")
        self.assertEqual(read_record(record)[2:],
                         ["http://zhidao.baidu.com/q?word=%20画图%20a&b#c&fr=search&ct=17&pn=0&tn=ikaslist&rn=30"])
        os.remove(record)

    def test_a_one_minute_countdown_rings_the_due_notice(self):
        self.session.prepare_app(None)
        _process, window = self.start(0)
        status_lines = self.session.crop(window, *MINUTES_BOX)
        self.options_menu(window, "Down", "Down", "Return")  # 定时选项
        self.session.wait_settled(window, MINUTES_BOX, status_lines)
        self.session.shoot(window, "timer-panel")

        self.session.click_in(window, *COUNTDOWN_OPTION)
        self.type_into(window, (MINUTES_BOX[0] + 14, MINUTES_BOX[1] + 12), "1")
        self.session.click_in(window, *START_BUTTON)
        notice = self.session.wait_window("定时提示", timeout=60 + START_TIMEOUT)
        x, y, width, height = self.session.geometry(notice)
        self.assertEqual((width, height), NOTICE_SIZE)
        self.session.assert_centred(x, y, width, height)
        self.session.shoot(notice, "due-notice")

        self.session.click_in(notice, *STOP_RING_BUTTON)
        self.session.wait_no_window("定时提示")
        self.session.wait_window(title_for(0))


if __name__ == "__main__":
    unittest.main()
