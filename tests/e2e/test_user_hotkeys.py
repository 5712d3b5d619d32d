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
VK_SHIFT, VK_CONTROL, VK_SEMICOLON = 0x10, 0x11, 0xBA
# The X keycode of the keypad's 0 (KP_Insert and KP_0): Num0 while Num Lock is on.
KEYCODE_KEYPAD_0 = "90"


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

    def capture(self, field, key, shown):
        """Clicks into a key field and presses the key until the field shows it: the keyboard
        library the field switches on starts listening a moment after the click, as a user who
        presses at once and again finds."""
        self.click_into(field)
        time.sleep(0.5)  # the click reaches the field before the key does
        for _ in range(4):
            e2e.key(key)
            try:
                return e2e.wait_until(lambda: self.driver.get_text(field) == shown, f"{shown} in the field", 3)
            except AssertionError:
                pass
        self.assertEqual(self.driver.get_text(field), shown)

    def add_entry(self, key, kind, count, name=None):
        """Fills the hot-key window as a user does, pressing `key` (xdotool's name) for the key the
        table calls `name`, and presses "添加热键"."""
        name = name or key
        driver = self.driver
        self.main.show_panel("Panel_set")
        driver.click(self.main.in_panel("Panel_set", "热键设置"))
        window = driver.wait_window("TForm_hotkey")
        e2e.wait_until(lambda: driver.is_visible(window), "the hot-key window")
        field = driver.find_class(window, "Edit", 0)
        self.capture(field, key, name)
        driver.combo_select(driver.find_class(window, "ComboBox", 1), kind)
        driver.combo_select(driver.find_class(window, "ComboBox", 2), "demo")
        driver.set_text(driver.find_class(window, "Edit", 2), count)
        driver.click(driver.find(window, "添加热键"))
        table = driver.find_class(window, "SysListView32")
        column = 1 if kind == "运行" else 2
        rows = e2e.wait_until(lambda: [r for r in range(4) if self.lv_cell(table, r, column) == name], "the new row")
        self.assertEqual(driver.lv_text(table, rows[0], 3), "demo")
        driver.click(driver.find(window, "退出"))
        e2e.wait_until(lambda: driver.is_enabled(self.main.hwnd), "the hot-key window to close")

    def lv_cell(self, table, row, column):
        try:
            return self.driver.lv_text(table, row, column)
        except e2e.UiDriverError:
            return None

    def test_an_entry_on_the_semicolon_key_fires_after_a_restart(self):
        """The ; key (key number 186, beyond the first 123) plays twice, F8 ends an endless
        playback, and both survive a restart."""
        folder = self.program_folder()
        folder.write_text("jb_rec/demo.ini", e2e.recording_text(FRAMES), "ascii")
        self.start(folder)
        self.add_entry("semicolon", "运行", "2", "OEM_1")
        self.add_entry("F8", "停止", "1")
        self.assertIn(b"[1]", (folder.path / "hotkey.ini").read_bytes())

        self.process.kill()
        self.start(folder)
        target = self.start_target()
        e2e.key("semicolon")
        # The system keeps the hot key's press from the target, not its release.
        def played():
            keys = [event for event in target.events() if event[1:] != (VK_SEMICOLON,)]
            return keys if len(keys) >= 4 else None
        e2e.wait_until(played, "two passes of the recording")
        e2e.wait_until(lambda: self.main.status(0) == IDLE, "the playback to end")
        self.assertEqual(played(), ONE_PASS * 2)

        # An endless playback of the same recording, ended by F8.
        self.main.choose_recording("demo")
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
        self.capture(play, "ctrl+shift+z", "Ctrl+Shift+Z")
        self.assertIn(b"play=Ctrl+Shift+Z", (folder.path / "config.ini").read_bytes())
        e2e.screenshot("control-keys")

        target = self.start_target()
        e2e.key("ctrl+z")
        self.assertIn(("KEYDOWN", 90), target.wait_events(2))
        before = len(target.events())
        e2e.key("ctrl+shift+z")
        e2e.wait_until(lambda: ("KEYDOWN", 65) in target.events()[before:], "Ctrl+Shift+Z to play")

    def capture_num0(self, field):
        """Clicks into a key field and presses the keypad's 0 until the field shows it. xdotool's
        KP_0 toggles Num Lock around the key, so the key is pressed by its X keycode, with Num Lock
        switched on where it reads as Insert (and off again when the test ends)."""
        self.click_into(field)
        time.sleep(0.5)  # the click reaches the field before the key does
        for _ in range(4):
            e2e.key(KEYCODE_KEYPAD_0)
            try:
                e2e.wait_until(lambda: self.driver.get_text(field) in ("Num0", "INSERT"), "the key in the field", 3)
            except AssertionError:
                continue
            if self.driver.get_text(field) == "Num0":
                return
            e2e.key("Num_Lock")
            self.addCleanup(e2e.key, "Num_Lock")
        self.assertEqual(self.driver.get_text(field), "Num0")

    def test_a_pause_key_on_num0_survives_a_restart_and_the_top_row_0_pauses_nothing(self):
        folder = self.program_folder()
        folder.write_text("jb_rec/jb_rec.ini", e2e.recording_text([(300, 300, None)] * 4), "ascii")
        self.start(folder)
        self.main.show_panel("Panel_set")
        section = self.driver.find(self.main.panel("Panel_set"), "Panel_controlkeys")
        self.capture_num0(self.driver.find_class(section, "Edit", 4))
        self.assertIn(b"pausecode=96", (folder.path / "config.ini").read_bytes())

        self.process.kill()
        self.start(folder)
        self.main.show_panel("Panel_set")
        section = self.driver.find(self.main.panel("Panel_set"), "Panel_controlkeys")
        self.assertEqual(self.driver.get_text(self.driver.find_class(section, "Edit", 4)), "Num0")
        e2e.screenshot("pause-key-on-num0")

        self.main.show_panel("Panel_rec")
        self.driver.click(self.main.in_panel("Panel_rec", "无限循环播放"))
        target = self.start_target()  # which has the keyboard from here on
        e2e.key("ctrl+z")
        self.main.wait_status("当前状态：播放……", "the endless playback")
        # A hot key's press never reaches the window with the keyboard: the top-row 0 does.
        e2e.key("0")
        e2e.wait_until(lambda: ("KEYDOWN", 48) in target.events(), "the top-row 0 to reach target.exe")
        self.assertEqual(self.main.status(0), "当前状态：播放……")
        e2e.key(KEYCODE_KEYPAD_0)
        self.main.wait_status("当前状态：暂停", "Num0 to pause the playback")
        e2e.key("ctrl+q")
        self.main.wait_status(IDLE, "Ctrl+Q to stop the playback")

    def test_an_invalid_entry_on_ctrl_q_leaves_ctrl_q_stopping_a_recording(self):
        folder = self.program_folder()
        folder.write_text("hotkey.ini", "[1]\r\nkey=Ctrl+Q\r\nkind=运行\r\njbname=demoR\r\ntimes=0\r\nenabled=1\r\n", "gbk")
        self.start(folder)
        e2e.key("ctrl+w")
        self.main.wait_status("当前状态：录制……", "the recording")
        e2e.key("ctrl+q")
        self.main.wait_status(IDLE, "Ctrl+Q to stop the recording")

    def test_a_recording_stopped_with_ctrl_shift_q_replays_without_ctrl_or_shift(self):
        folder = self.program_folder()
        self.start(folder)
        self.main.show_panel("Panel_set")
        section = self.driver.find(self.main.panel("Panel_set"), "Panel_controlkeys")
        stop = self.driver.find_class(section, "Edit", 1)
        self.capture(stop, "ctrl+shift+q", "Ctrl+Shift+Q")

        target = self.start_target()
        e2e.key("ctrl+w")
        self.main.wait_status("当前状态：录制……", "the recording")
        time.sleep(0.3)
        e2e.key("a")
        time.sleep(0.3)
        e2e.key("ctrl+shift+q")
        self.main.wait_status(IDLE, "Ctrl+Shift+Q to stop the recording")
        recording = (folder.path / "jb_rec" / "jb_rec.ini").read_text("ascii")
        self.assertNotRegex(recording, r"\bk1[67]\b", "a modifier of the stop key was recorded")

        before = len(target.events())
        e2e.key("ctrl+z")
        e2e.wait_until(lambda: ("KEYUP", 65) in target.events()[before:], "the replay of A")
        self.main.wait_status(IDLE, "the playback to end")
        events = target.events()[before:]
        # The modifiers were pressed after A: a stray tap of them would follow its replay. (The Ctrl
        # of Ctrl+Z itself comes before the replay begins.)
        replayed = events[events.index(("KEYDOWN", 65)):]
        self.assertNotIn(("KEYDOWN", VK_CONTROL), replayed, events)
        self.assertNotIn(("KEYDOWN", VK_SHIFT), replayed, events)

    def test_journal_keys_moved_elsewhere_are_left_out_of_a_journal_and_alt_w_is_recorded(self):
        folder = self.program_folder()
        self.start(folder)
        self.main.show_panel("Panel_set")
        section = self.driver.find(self.main.panel("Panel_set"), "Panel_controlkeys")
        for index, chord, text in ((6, "ctrl+shift+r", "Ctrl+Shift+R"), (7, "ctrl+shift+s", "Ctrl+Shift+S")):
            field = self.driver.find_class(section, "Edit", index)
            self.capture(field, chord, text)

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
