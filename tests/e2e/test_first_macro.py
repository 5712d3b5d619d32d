"""The README's "first macro in five steps", done as a new user does them: start Tapmill (the notice of
the global keys shows), record typing into Notepad with Ctrl+W and Ctrl+Q, save the recording under a
name, and play it back with Ctrl+Z into Notepad again. Each step leaves a screenshot of what the user
sees, first-macro-1 to first-macro-5, which the README shows."""

import subprocess
import time
import unittest

import tapmill_e2e as e2e
from main_window import KEYS_NOTICE_CLASS, MainWindow
from tapmill_e2e import E2ETestCase

RECORDING = "当前状态：录制……"
IDLE = "当前状态："
TYPED = "Hello, Tapmill!"
NAME = "我的第一个宏"
MARGIN = 8


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class FirstMacroTest(E2ETestCase):
    def shot(self, step, *windows):
        """The screen around the windows the step is about, as first-macro-<step>.png."""
        rects = [self.driver.rect(hwnd) for hwnd in windows]
        left = max(min(r[0] for r in rects) - MARGIN, 0)
        top = max(min(r[1] for r in rects) - MARGIN, 0)
        right = max(r[2] for r in rects) + MARGIN
        bottom = max(r[3] for r in rects) + MARGIN
        path = e2e.screenshot(f"first-macro-{step}")
        subprocess.run(["convert", str(path), "-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
                        str(path)], check=True, timeout=e2e.WAIT_SECONDS)

    def test_record_save_and_play_typing_into_notepad(self):
        folder = self.program_folder(notice_dismissed=False)
        self.start_tapmill(folder)
        self.driver = self.start_driver()
        main = MainWindow(self.driver)
        notice = self.driver.wait_window(KEYS_NOTICE_CLASS)
        e2e.wait_until(lambda: self.driver.is_visible(notice), "the notice of the global keys")
        time.sleep(0.5)
        self.shot(1, main.hwnd, notice)
        self.driver.click(self.driver.find(notice, "知道了"))

        notepad_process = e2e.WineProcess("notepad.exe")
        self.addCleanup(notepad_process.kill)
        notepad = self.driver.wait_window("Notepad")
        # Beside Tapmill's window, which stands in the middle of the screen, as a user would put it.
        left, top, _, _ = self.driver.rect(main.hwnd)
        self.driver.place(notepad, MARGIN, top, left - 2 * MARGIN, 300)
        text = self.driver.find_class(notepad, "Edit")
        left, top, right, bottom = self.driver.rect(text)
        main.show_panel("Panel_rec")
        # Wine takes keys only while the pointer is over one of its windows: the user's is on the
        # text they are about to click into.
        e2e.mouse_move((left + right) // 2, (top + bottom) // 2)
        e2e.key("ctrl+w")
        main.wait_status(RECORDING)
        e2e.click((left + right) // 2, (top + bottom) // 2)
        e2e.xdotool("type", "--delay", 120, TYPED)
        time.sleep(0.3)
        self.shot(2, main.hwnd, notepad)
        e2e.key("ctrl+q")
        main.wait_status(IDLE)
        self.assertEqual(self.driver.get_text(text), TYPED)
        self.shot(3, main.hwnd, notepad)

        self.driver.set_text(self.driver.find_class(main.panel("Panel_rec"), "Edit", 0), NAME)
        self.driver.click(main.in_panel("Panel_rec", "保存脚本"))
        e2e.wait_until(lambda: (folder.path / "jb_rec" / f"{NAME}.ini").exists(), "the recording to be saved")
        self.shot(4, main.hwnd)

        self.driver.set_text(text, "")
        e2e.key("ctrl+z")
        e2e.wait_until(lambda: self.driver.get_text(text) == TYPED, "the replay to type the line again")
        main.wait_status(IDLE)
        self.shot(5, main.hwnd, notepad)


if __name__ == "__main__":
    unittest.main()
