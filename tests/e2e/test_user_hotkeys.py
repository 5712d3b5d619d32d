"""The user's own hot keys under Wine: entries made in the hot-key window start and stop playbacks
by real key presses, also after a restart, and a control hot key chosen on the options panel
frees the documented one for other programs."""

import time
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase
from test_journal import read_journal

# A recording of one A key among a few still frames.
FRAMES = [(300, 300, None), (300, 300, "k65"), (300, 300, None), (300, 300, None)]
ONE_PASS = [("KEYDOWN", 65), ("KEYUP", 65)]
IDLE = "当前状态："
WM_KEYDOWN, WM_SYSKEYDOWN = 0x0100, 0x0104
VK_ALT, VK_LALT = 0x12, 0xA4


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class UserHotKeysTest(E2ETestCase):
    def start(self, folder):
        self.process = self.start_tapmill(folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)

    def click_into(self, field):
        left, top, right, bottom = self.driver.rect(field)
        e2e.click((left + right) // 2, (top + bottom) // 2)

    def add_entry(self, key, kind, count):
        """Fills the hot-key window as a user does and presses "添加热键"."""
        driver = self.driver
        self.main.show_panel("Panel_set")
        driver.click(self.main.in_panel("Panel_set", "热键设置"))
        window = driver.wait_window("TForm_hotkey")
        e2e.wait_until(lambda: driver.is_visible(window), "the hot-key window")
        field = driver.find_class(window, "Edit", 0)
        self.click_into(field)
        e2e.key(key)
        e2e.wait_until(lambda: driver.get_text(field) == key, "the key in the field")
        driver.combo_select(driver.find_class(window, "ComboBox", 1), kind)
        driver.combo_select(driver.find_class(window, "ComboBox", 2), "demo")
        driver.set_text(driver.find_class(window, "Edit", 2), count)
        driver.click(driver.find(window, "添加热键"))
        table = driver.find_class(window, "SysListView32")
        column = 1 if kind == "运行" else 2
        rows = e2e.wait_until(lambda: [r for r in range(4) if self.lv_cell(table, r, column) == key], "the new row")
        self.assertEqual(driver.lv_text(table, rows[0], 3), "demo")
        driver.click(driver.find(window, "退出"))
        e2e.wait_until(lambda: driver.is_enabled(self.main.hwnd), "the hot-key window to close")

    def lv_cell(self, table, row, column):
        try:
            return self.driver.lv_text(table, row, column)
        except e2e.UiDriverError:
            return None

    def test_f7_plays_twice_f8_ends_an_endless_playback_and_both_survive_a_restart(self):
        folder = self.program_folder()
        folder.write_text("jb_rec/demo.ini", e2e.recording_text(FRAMES), "ascii")
        self.start(folder)
        self.add_entry("F7", "运行", "2")
        self.add_entry("F8", "停止", "1")
        self.assertIn(b"[1]", (folder.path / "hotkey.ini").read_bytes())

        self.process.kill()
        self.start(folder)
        target = self.start_target()
        e2e.key("F7")
        # The system keeps the hot key's press from the target, not its release.
        def played():
            keys = [event for event in target.events() if event[1:] != (118,)]
            return keys if len(keys) >= 4 else None
        e2e.wait_until(played, "two passes of the recording")
        e2e.wait_until(lambda: self.main.status(0) == IDLE, "the playback to end")
        self.assertEqual(played(), ONE_PASS * 2)

        # An endless playback of the same recording, ended by F8.
        self.main.show_panel("Panel_rec")
        self.driver.set_text(self.main.label_after("Panel_rec", "当前脚本:"), "demo")
        self.main.run_show_step()
        self.driver.click(self.main.in_panel("Panel_rec", "无限循环播放"))
        self.driver.click(self.main.in_panel("Panel_rec", "播放"))
        e2e.wait_until(lambda: len(target.events()) >= 10, "the endless playback to go on")
        e2e.key("F8")
        e2e.wait_until(lambda: self.main.status(0) == IDLE, "F8 to end the playback")

    def test_ctrl_z_moved_to_ctrl_shift_z_reaches_other_programs_again(self):
        folder = self.program_folder()
        folder.write_text("jb_rec/jb_rec.ini", e2e.recording_text(FRAMES), "ascii")
        self.start(folder)
        self.main.show_panel("Panel_set")
        section = self.driver.find(self.main.panel("Panel_set"), "Panel_controlkeys")
        play = self.driver.find_class(section, "Edit", 2)
        self.assertEqual(self.driver.get_text(play), "Ctrl+Z")
        self.click_into(play)
        e2e.key("ctrl+shift+z")
        e2e.wait_until(lambda: self.driver.get_text(play) == "Ctrl+Shift+Z", "the new combination")
        self.assertIn(b"play=Ctrl+Shift+Z", (folder.path / "config.ini").read_bytes())
        e2e.screenshot("control-keys")

        target = self.start_target()
        e2e.key("ctrl+z")
        self.assertIn(("KEYDOWN", 90), target.wait_events(2))
        before = len(target.events())
        e2e.key("ctrl+shift+z")
        e2e.wait_until(lambda: ("KEYDOWN", 65) in target.events()[before:], "Ctrl+Shift+Z to play")

    def test_journal_keys_moved_elsewhere_are_left_out_of_a_journal_and_alt_w_is_recorded(self):
        folder = self.program_folder()
        self.start(folder)
        self.main.show_panel("Panel_set")
        section = self.driver.find(self.main.panel("Panel_set"), "Panel_controlkeys")
        for index, chord, text in ((6, "ctrl+shift+r", "Ctrl+Shift+R"), (7, "ctrl+shift+s", "Ctrl+Shift+S")):
            field = self.driver.find_class(section, "Edit", index)
            self.click_into(field)
            e2e.key(chord)
            e2e.wait_until(lambda: self.driver.get_text(field) == text, f"the journal key {text}")

        target = self.start_target()
        state = self.main.label_after("Panel_strec", "信息状况:")
        e2e.key("ctrl+shift+r")
        e2e.wait_until(lambda: self.driver.get_text(state) == "录制中…", "the journal recording")
        for chord in ("a", "alt+w", "ctrl+shift+s"):
            time.sleep(0.3)
            e2e.key(chord)
        e2e.wait_until(lambda: self.driver.get_text(state) == "", "the end of the journal recording")
        self.assertIn(("KEYDOWN", 87), target.events(), "Alt+W reached target.exe")

        keys = []
        for name, values in read_journal(folder.path / "jb_strec" / "stjb.ini"):
            if name.isdigit() and values["message"] & 0xFFFFFFFF in (WM_KEYDOWN, WM_SYSKEYDOWN):
                keys.append(values["paramL"] & 0xFF)
        # A, and Alt+W as typed; nothing of the keys that started and stopped it.
        self.assertEqual([key for key in keys if key not in (VK_ALT, VK_LALT)], [65, 87])
        self.assertIn(keys[keys.index(87) - 1], (VK_ALT, VK_LALT))


if __name__ == "__main__":
    unittest.main()
