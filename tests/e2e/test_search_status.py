"""End-to-end tests of the web search and the status display: a query typed
into the search panel reaches the default browser byte for byte, and the
status area shows the clock, up-time and address of this machine.

The default browser is a recording desktop entry in a fake XDG environment
inside the session's home.
"""

import hashlib
import os
import subprocess
import unittest

import harness
from harness import Session, title_for, wait_for, profile_bytes

STAR = (3530 // 15 + 12, 4080 // 15 + 12)
VIEWPORT = (16, 304, 273, 124)
QUERY_BOX = (16 + 16 + 81, 304 + 88 + 14)
SEARCH_BUTTON = (16 + 184 + 36, 304 + 88 + 12)
QUESTIONS_OPTION = (16 + 16 + 56 + 7, 304 + 24 + 8 + 8)


def setUpModule():
    missing = harness.missing_tools(("xmodmap",))
    if missing:
        raise unittest.SkipTest("missing X tools for the end-to-end tests: " + ", ".join(missing))


class SearchAndStatusTest(unittest.TestCase):

    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)
        self.session.start()
        env = self.session.env
        self.record = os.path.join(self.session.dir, "browser.txt")
        browser = os.path.join(self.session.dir, "browser.sh")
        with open(browser, "w") as f:
            f.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > '{}.part' && mv '{}.part' '{}'\n".format(
                self.record, self.record, self.record))
        os.chmod(browser, 0o755)
        applications = os.path.join(env["XDG_DATA_HOME"], "applications")
        os.makedirs(applications)
        with open(os.path.join(applications, "browser.desktop"), "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=Browser\nExec={} %u\n"
                    "MimeType=x-scheme-handler/http;\n".format(browser))
        with open(os.path.join(env["XDG_CONFIG_HOME"], "mimeapps.list"), "w") as f:
            f.write("[Default Applications]\nx-scheme-handler/http=browser.desktop\n")

    def region_hash(self, window, x, y, w, h):
        left, top, _w, _h = self.session.geometry(window)
        out = subprocess_bytes(self.session, "import", "-window", "root", "-crop",
                               "{}x{}+{}+{}".format(w, h, left + x, top + y), "rgb:-")
        return hashlib.sha1(out).hexdigest()

    def wait_still(self, window, region):
        last = [None]

        def settled():
            now = self.region_hash(window, *region)
            same = now == last[0]
            last[0] = now
            return same
        wait_for(settled, "the panel to come to rest", interval=0.15)

    def test_a_question_with_chinese_and_url_characters_reaches_the_browser_as_typed(self):
        query = "中文 问题 a&b #c 100% "
        self.session.map_characters(query)
        self.session.prepare_app(profile_bytes([]))
        self.session.start_app()
        window = self.session.wait_window(title_for(0))

        before = self.session.visible_windows()
        self.session.click_in(window, *STAR)
        self.session.wait_popup(before)
        self.session.keys("Down", "Down", "Down", "Return")  # 搜索引擎
        self.wait_still(window, VIEWPORT)

        self.session.click_in(window, *QUESTIONS_OPTION)
        self.session.click_in(window, *QUERY_BOX)
        self.session.tool("xdotool", "type", "--delay", "30", query)
        self.session.click_in(window, *SEARCH_BUTTON)

        def recorded():
            try:
                with open(self.record, encoding="utf-8") as f:
                    return f.read()
            except FileNotFoundError:
                return None
        url = wait_for(recorded, "the browser to be started").rstrip("\n")
        self.assertEqual(url, "http://zhidao.baidu.com/q?word= " + query + "&fr=search&ct=17&pn=0&tn=ikaslist&rn=30")

    def test_the_title_rolls_up_to_a_ticking_date_line(self):
        self.session.prepare_app(profile_bytes(["记事本"]))
        self.session.start_app()
        window = self.session.wait_window(title_for(1))
        left, top, width, height = self.session.geometry(window)
        self.session.click(left + 150, top + 12, repeat=2, delay_ms=60)
        wait_for(lambda: self.session.geometry(window)[3] == 31, "the window rolled up")
        self.assertEqual(self.session.geometry(window)[:3], (left, top, width))
        if os.environ.get("OMBREL_SCREENSHOTS"):
            self.session.screenshot(os.path.join(os.environ["OMBREL_SCREENSHOTS"], "rolled-up.png"))
        self.session.click(left + 150, top + 12, repeat=2, delay_ms=60)
        wait_for(lambda: self.session.geometry(window)[3] == height, "the window unrolled")


def subprocess_bytes(session, *argv):
    return subprocess.run(list(argv), env=session.env, stdout=subprocess.PIPE, check=True,
                          timeout=harness.DEFAULT_TIMEOUT).stdout


if __name__ == "__main__":
    unittest.main()
