"""End-to-end tests of the launcher list: items added by typing into the add
panel, the profile's bytes, the order after a restart, and starting items,
opening folders and placing shortcuts through GIO and the default handlers.

The default handlers are those of a fake XDG environment inside the session's
home: a recording desktop entry is the default application for text files
and folders, so the tests see exactly what reached the handler. Programs are
recording shell scripts in folders whose names hold blanks and Chinese.
"""

import os
import shutil
import stat
import subprocess
import unittest

import harness
from harness import Session, title_for, wait_for

# Places inside the main window at 96 DPI (twips / 15). The add panel slides
# into the viewport at (16, 304).
BUTTON_X = 216 + 65 // 2
ADD_BUTTON = (BUTTON_X, 120 + 12)       # 添加
EXIT_BUTTON = (BUTTON_X, 240 + 12)      # 退出
PATH_BOX = (16 + 56 + 100, 304 + 16 + 14)
NAME_BOX = (16 + 56 + 100, 304 + 48 + 14)
OK_BUTTON = (16 + 208 + 24, 304 + 88 + 12)
LIST_LEFT, LIST_TOP = 16, 40
BOX_GREY = (224, 224, 224)


def setUpModule():
    missing = harness.missing_tools(("gio", "desktop-file-validate", "xmodmap"))
    if missing:
        raise unittest.SkipTest("missing X tools for the end-to-end tests: " + ", ".join(missing))


def write_recorder(path, record):
    """A shell script that writes its working folder and arguments, one per line, to record."""
    with open(path, "w", encoding="utf-8") as f:
        f.write("#!/bin/sh\nprintf '%s\\n' \"$PWD\" \"$0\" \"$@\" > '{}'\n".format(record))
    os.chmod(path, 0o755)


def read_record(path):
    def complete():
        try:
            with open(path, encoding="utf-8") as f:
                text = f.read()
        except FileNotFoundError:
            return None
        return text if text.endswith("\n") else None
    return wait_for(complete, "the record " + path).splitlines()


class LauncherTestCase(unittest.TestCase):

    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)
        self.session.start()
        self.home = self.session.env["HOME"]
        self.records = os.path.join(self.session.dir, "records")
        os.mkdir(self.records)
        # A folder that a shell would split and expand, holding the programs.
        self.programs = os.path.join(self.session.dir, "my 程序 $HOME `x` 'q'")
        os.mkdir(self.programs)

    def program(self, name):
        path = os.path.join(self.programs, name)
        write_recorder(path, os.path.join(self.records, name + ".txt"))
        return path

    def start(self, count):
        process = self.session.start_app()
        return process, self.session.wait_window(title_for(count))

    def pixel(self, window, x, y):
        left, top, _w, _h = self.session.geometry(window)
        out = self.session.tool("import", "-window", "root", "-crop", "1x1+{}+{}".format(left + x, top + y),
                                "-depth", "8", "txt:-")
        # "0,0: (224,224,224)  #E0E0E0  srgb(224,224,224)"
        values = out.splitlines()[-1].split("(")[1].split(")")[0].split(",")
        return tuple(int(float(v)) for v in values[:3])

    def add_panel_in_place(self, window):
        """Whether the add panel has finished sliding in: both boxes are where
        they belong, and the path box begins right where it should."""
        above_path_box = (PATH_BOX[0], PATH_BOX[1] - 17)
        return (self.pixel(window, *PATH_BOX) == BOX_GREY and self.pixel(window, *NAME_BOX) == BOX_GREY
                and self.pixel(window, *above_path_box) != BOX_GREY)

    def type_into(self, window, box, text):
        self.session.click_in(window, *box)
        self.session.tool("xdotool", "type", "--delay", "30", text)

    def add_item(self, window, path, name):
        self.type_into(window, PATH_BOX, path)
        self.type_into(window, NAME_BOX, name)
        self.session.click_in(window, *OK_BUTTON)

    def row(self, index):
        return (LIST_LEFT + 60, LIST_TOP + 11 + 21 * index)

    def menu(self, window, row, *keys):
        """Selects an entry, then opens the list's menu on it and walks it with keys."""
        self.session.click_in(window, *self.row(row))
        before = self.session.visible_windows()
        self.session.click_in(window, *self.row(row), button=3)
        self.session.wait_popup(before)
        self.session.keys(*keys)


class AddAndStartTest(LauncherTestCase):

    def test_typed_items_are_saved_in_gbk_come_back_in_pinyin_order_and_start_in_their_folder(self):
        notepad = self.program("记事本 tool")
        paint = self.program("画图 tool")
        self.session.map_characters(notepad + paint)
        self.session.prepare_app(None)
        process, window = self.start(0)

        self.session.click_in(window, *ADD_BUTTON)
        wait_for(lambda: self.add_panel_in_place(window), "the add panel in place")
        self.add_item(window, notepad, "记事本")
        self.session.wait_window(title_for(1))
        self.add_item(window, paint, "画图")
        self.session.wait_window(title_for(2))

        with open(os.path.join(self.session.app_dir, "Ombrel.ini"), "rb") as f:
            saved = f.read()
        expected = ("[● 记事本]\r\nFilename={}\r\n"
                    "[标题]\r\n000=● 画图\r\nCount=2\r\n001=● 记事本\r\n"
                    "[● 画图]\r\nFilename={}\r\n").format(notepad, paint)
        self.assertEqual(saved, expected.encode("gbk"))

        self.session.click_in(window, *EXIT_BUTTON)
        harness.wait_exit(process)
        process, window = self.start(2)

        # 画图 (hua) sorts before 记事本 (ji): the first row starts it.
        self.session.click_in(window, *self.row(0), button=1)
        self.session.tool("xdotool", "click", "--repeat", "2", "--delay", "80", "1")
        record = read_record(os.path.join(self.records, "画图 tool.txt"))
        self.assertEqual(record, [self.programs, paint])
        self.session.wait_no_window(title_for(2))
        self.assertFalse(os.path.exists(os.path.join(self.records, "记事本 tool.txt")))

        shortcut = os.path.join(self.session.app_dir, "Ombrel.desktop")
        result = subprocess.run(["desktop-file-validate", shortcut], capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        with open(shortcut, encoding="utf-8") as f:
            entry = f.read()
        self.assertIn("\nPath={}/\n".format(self.programs.replace("\\", "\\\\")), entry)
        self.assertIn("\nX-Ombrel-Hotkey=ALT+CTRL+R\n", entry)


class DefaultHandlerTest(LauncherTestCase):

    def setUp(self):
        super().setUp()
        # The recording application, default for text files and folders.
        recorder = os.path.join(self.session.dir, "handler.sh")
        write_recorder(recorder, os.path.join(self.records, "handler.txt"))
        applications = os.path.join(self.session.env["XDG_DATA_HOME"], "applications")
        os.makedirs(applications)
        with open(os.path.join(applications, "recorder.desktop"), "w", encoding="utf-8") as f:
            f.write("[Desktop Entry]\nType=Application\nName=Recorder\nExec={} %f\n"
                    "MimeType=text/plain;inode/directory;\n".format(recorder))
        with open(os.path.join(self.session.env["XDG_CONFIG_HOME"], "mimeapps.list"), "w") as f:
            f.write("[Default Applications]\ntext/plain=recorder.desktop\ninode/directory=recorder.desktop\n")
        with open(os.path.join(self.session.env["XDG_CONFIG_HOME"], "user-dirs.dirs"), "w") as f:
            f.write('XDG_DESKTOP_DIR="$HOME/桌面"\n')
        self.desktop = os.path.join(self.home, "桌面")
        os.mkdir(self.desktop)
        self.handler_record = os.path.join(self.records, "handler.txt")

    def prepare(self, items):
        """A profile holding the items {name: target}, in list order."""
        lines = ["[标题]", "Count={}".format(len(items))]
        lines += ["{:03d}=● {}".format(i, name) for i, name in enumerate(items)]
        for name, target in items.items():
            lines += ["[● {}]".format(name), "Filename={}".format(target)]
        self.session.prepare_app(("\r\n".join(lines) + "\r\n").encode("gbk"))

    def test_a_document_opens_in_its_default_application_in_its_folder(self):
        document = os.path.join(self.programs, "说明 50% \\n.txt")
        with open(document, "w") as f:
            f.write("hello\n")
        self.prepare({"说明": document})
        _process, window = self.start(1)
        self.session.click_in(window, *self.row(0))
        self.session.tool("xdotool", "click", "--repeat", "2", "--delay", "80", "1")
        self.assertEqual(read_record(self.handler_record)[2:], [document])
        self.session.wait_no_window(title_for(1))

    def test_file_folder_shows_the_folder_through_the_default_handler(self):
        tool = self.program("tool")
        self.prepare({"tool": tool})
        _process, window = self.start(1)
        self.menu(window, 0, "Down", "Down", "Return")  # 文件目录
        record = read_record(self.handler_record)
        self.assertEqual(record[2:], [self.programs])
        # The window stays open.
        self.session.wait_window(title_for(1))

    def test_placed_shortcuts_validate_are_trusted_to_run_and_start_their_target(self):
        tool = self.program("编辑器")
        self.prepare({"编辑器": tool})
        _process, window = self.start(1)
        self.menu(window, 0, "Down", "Down", "Down", "Right", "Return")  # 快捷方式 > 在桌面
        self.menu(window, 0, "Down", "Down", "Down", "Right", "Down", "Return")  # > 在开始菜单
        on_desktop = os.path.join(self.desktop, "编辑器.desktop")
        in_menu = os.path.join(self.session.env["XDG_DATA_HOME"], "applications", "编辑器.desktop")
        for placed in (on_desktop, in_menu):
            wait_for(lambda: os.path.exists(placed), placed)
            result = subprocess.run(["desktop-file-validate", placed], capture_output=True, text=True)
            self.assertEqual((result.returncode, result.stdout), (0, ""), placed)
            self.assertTrue(os.stat(placed).st_mode & stat.S_IXUSR, placed)

        # The desktop's own launcher starts the target in its folder.
        self.session.tool("gio", "launch", on_desktop)
        self.assertEqual(read_record(os.path.join(self.records, "编辑器.txt")), [self.programs, tool])


if __name__ == "__main__":
    unittest.main()
