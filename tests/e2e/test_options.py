"""The options panel against the real registry and settings file, the desktop shortcut of the first
start, and the help file opened from the help panel."""

import subprocess
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

CHM_OPEN = r"HKCR\chm.file\shell\open\command"
TBM_GETPOS = 0x0400
HELP_FILE = "TAPMILL帮助文档.CHM"


def reg_default(key):
    answer = e2e.wine_command("reg", "query", key).stdout.decode("utf-8", "replace")
    return answer.split("REG_SZ", 1)[1].strip()


def window_named(part):
    found = subprocess.run(["xdotool", "search", "--name", part], capture_output=True, text=True)
    return found.stdout.split()


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class OptionsTest(E2ETestCase):
    def start(self):
        self.folder = self.program_folder()
        self.process = self.start_tapmill(self.folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)

    def test_saving_with_autorun_writes_the_run_value_and_the_settings_file(self):
        self.start()
        self.main.show_panel("Panel_set")
        self.driver.click(self.main.in_panel("Panel_set", "程序启动时自动运行"))
        self.driver.click(self.main.in_panel("Panel_set", "保存设置"))
        config = self.folder.path / "config.ini"
        e2e.wait_until(lambda: config.exists() and b"corner" in config.read_bytes(), "config.ini to be written")
        self.assertEqual(config.read_bytes(), e2e.NOTICE_DISMISSED + b"[autorun]\r\nx=1\r\n[lzsy]\r\nx=0\r\n"
                         b"[bfsy]\r\nx=0\r\n[indicator]\r\ncorner=1\r\n")
        answer = e2e.reg_query(e2e.RUN_KEY, "Tapmill3.3")
        self.assertIsNotNone(answer, "the Run value exists")
        self.assertIn("tapmill.exe", answer)
        e2e.screenshot("options-saved")

    def test_the_play_count_speed_and_endless_box_are_the_same_after_a_restart(self):
        self.start()
        self.main.show_panel("Panel_rec")
        self.driver.set_text(self.main.field_beside("Panel_rec", "播放次数："), "4")
        self.main.set_speed(8)
        self.main.show_panel("Panel_strec")
        self.driver.click(self.main.in_panel("Panel_strec", "无限循环播放"))
        self.driver.close(self.main.hwnd)
        box, _ = self.driver.msgbox()
        self.driver.press(box, "yes")
        self.process.wait_exit()

        self.process = self.start_tapmill(self.folder)
        self.main = MainWindow(self.driver)
        self.assertEqual(self.driver.get_text(self.main.field_beside("Panel_rec", "播放次数：")), "4")
        self.assertEqual(self.driver.send(self.main.rec_control("msctls_trackbar32"), TBM_GETPOS), 8)
        self.assertEqual(self.driver.is_checked(self.main.in_panel("Panel_strec", "无限循环播放")), 1)
        self.assertFalse(self.driver.is_enabled(self.main.field_beside("Panel_strec", "播放次数：")),
                         "the endless box greys its count field again")

    def test_the_first_start_makes_the_desktop_shortcut(self):
        e2e.wine_command("reg", "delete", r"HKCU\Software\Tapmill", "/f")
        for old in e2e.desktop_shortcuts():
            old.unlink()
        self.start()
        shortcuts = e2e.wait_until(e2e.desktop_shortcuts, "the desktop shortcut")
        self.assertEqual(len(shortcuts), 1)
        # The shell link names the program it starts.
        self.assertIn(b"t\x00a\x00p\x00m\x00i\x00l\x00l\x00.\x00e\x00x\x00e", shortcuts[0].read_bytes().lower())

    def test_the_help_button_opens_the_help_file(self):
        # Wine's help viewer needs a browser engine this machine does not have, so for this test
        # the shell opens help files in Notepad, whose caption names the file it was given.
        original = reg_default(CHM_OPEN)
        self.addCleanup(e2e.wine_command, "reg", "add", CHM_OPEN, "/ve", "/d", original, "/f")
        e2e.wine_command("reg", "add", CHM_OPEN, "/ve", "/d", 'notepad.exe "%1"', "/f")
        self.start()
        self.main.show_panel("Panel_help")
        self.driver.click(self.main.in_panel("Panel_help", "Tapmill帮助文档"))
        e2e.wait_until(lambda: window_named(HELP_FILE), "the help file to be opened")
        e2e.screenshot("help-opened")

    def test_the_help_file_is_a_compiled_help_file_with_every_page(self):
        data = (e2e.dist_folder() / HELP_FILE).read_bytes()
        self.assertEqual(data[:4], b"ITSF")
        for page in ("index.html", "record.html", "journal.html", "scripts.html", "timing.html", "options.html",
                     "hotkeys.html", "commandline.html"):
            self.assertIn(page.encode(), data)

if __name__ == "__main__":
    unittest.main()
