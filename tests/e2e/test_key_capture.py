"""Keys as the real program captures and records them: the key fields of the editor and of the
hot-key window take every key, F9, F10 and the control hot keys included, without setting off the
hot key."""

import time
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

HOTKEY_WINDOW_CLASS = "TForm_hotkey"
EDITOR_CLASS = "TForm_homa"


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class KeyCaptureTest(E2ETestCase):
    def setUp(self):
        self.folder = self.program_folder()
        self.process = self.start_tapmill(self.folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)

    def focus(self, field):
        left, top, right, bottom = self.driver.rect(field)
        e2e.click((left + right) // 2, (top + bottom) // 2)

    def captures(self, field, keys):
        """Presses each key into the field; gives the name the field showed after each."""
        shown = []
        self.focus(field)
        for key, name in keys:
            e2e.key(key)
            e2e.wait_until(lambda: self.driver.get_text(field) == name, f"{name!r} in the field")
            shown.append(self.driver.get_text(field))
        return shown

    def test_both_fields_of_the_hot_key_window_take_f9_f10_and_ctrl_w_without_their_actions(self):
        self.main.show_panel("Panel_set")
        self.driver.click(self.main.in_panel("Panel_set", "热键设置"))
        window = self.driver.wait_window(HOTKEY_WINDOW_CLASS)
        e2e.wait_until(lambda: self.driver.is_visible(window), "the hot-key window")

        for index in (0, 1):
            field = self.driver.find_class(window, "Edit", index)
            self.assertEqual(self.captures(field, [("F9", "F9"), ("F10", "F10"), ("ctrl+w", "W")]), ["F9", "F10", "W"])
        time.sleep(0.5)
        # Ctrl+W started no recording behind the window, and F9 paused nothing.
        self.assertEqual(self.main.status(0), "当前状态：")
        self.assertFalse((self.folder.path / "jb_rec" / "jb_rec.ini").exists())
        e2e.screenshot("hotkey-window-captured-ctrl-w")
        self.driver.click(self.driver.find(window, "退出"))

    def test_the_editors_key_field_takes_f9_and_f10(self):
        self.main.show_panel("Panel_homa")
        self.driver.click(self.main.in_panel("Panel_homa", "编辑"))
        box, _ = self.driver.msgbox()
        self.driver.press(box, "yes")
        editor = self.driver.wait_window(EDITOR_CLASS)
        e2e.wait_until(lambda: self.driver.is_visible(editor), "the editor")
        label = self.driver.find(editor, "按键：")
        _, top, right, bottom = self.driver.rect(label)
        field = min((self.driver.find_class(editor, "Edit", i) for i in range(4)),
                    key=lambda h: abs(self.driver.rect(h)[1] - top) * 10000 + abs(self.driver.rect(h)[0] - right))

        self.assertEqual(self.captures(field, [("F9", "F9"), ("F10", "F10")]), ["F9", "F10"])
        self.driver.click(self.driver.find(editor, "退出"))


if __name__ == "__main__":
    unittest.main()
