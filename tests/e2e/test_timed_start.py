"""The timed start of the real program: armed through Panel_time for a moment a few seconds ahead
of the program's own clock, it plays the recording into target.exe at that second and disarms, also
when the window was minimised into the tray and restored meanwhile; a moment already past is refused."""

import datetime
import time
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

CLOCK_FORMAT = "%Y-%m-%d %H:%M:%S"
WM_SYSCOMMAND = 0x0112
SC_MINIMIZE = 0xF020
WM_TRAYICON = 1025
WM_LBUTTONDBLCLK = 515

# A recording written by hand: a left click and the key A, and what target.exe logs for one pass.
FRAMES = [(100, 100, None), (200, 150, "WM_LBUTTONDOWN"), (200, 150, "WM_LBUTTONUP"), (300, 300, "k65")]
ONE_PASS = [("LDOWN", 200, 150), ("LUP", 200, 150), ("KEYDOWN", 65), ("KEYUP", 65)]


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class TimedStartTest(E2ETestCase):
    def setUp(self):
        self.folder = self.program_folder()
        self.folder.write_text("jb_rec/demo.ini", e2e.recording_text(FRAMES), "ascii")
        self.start_tapmill(self.folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)
        self.main.show_panel("Panel_time")
        panel = self.main.panel("Panel_time")
        self.clock_field = self.main.field_beside("Panel_time", "当前系统时间：")
        self.date_picker = self.driver.find_class(panel, "SysDateTimePick32", 0)
        self.time_picker = self.driver.find_class(panel, "SysDateTimePick32", 1)
        self.settings = self.driver.find(panel, "Panel12")

    def clock(self):
        """The program's own clock, as its clock field shows it."""
        text = e2e.wait_until(lambda: self.driver.get_text(self.clock_field), "the clock to show the time")
        return datetime.datetime.strptime(text, CLOCK_FORMAT)

    def set_target(self, moment):
        self.driver.dtp_set(self.date_picker, moment.year, moment.month, moment.day, 0, 0, 0)
        self.driver.dtp_set(self.time_picker, 2000, 1, 1, moment.hour, moment.minute, moment.second)

    def choose_recording(self, count):
        self.driver.combo_select(self.main.field_beside("Panel_time", "录制的脚本:", "ComboBox"), "demo")
        self.driver.set_text(self.main.field_beside("Panel_time", "播放次数："), str(count))

    def arm(self):
        self.driver.click(self.main.in_panel("Panel_time", "设置定时"))
        e2e.wait_until(lambda: self.main.status(1) == "定时设置：已启动", "the timed start to be armed")

    def arm_ahead(self, count, seconds):
        """Arms a start of the recording `seconds` ahead of the program's clock; returns its moment."""
        self.choose_recording(count)
        due = self.clock() + datetime.timedelta(seconds=seconds)
        self.set_target(due)
        self.arm()
        return due

    def assert_played_at(self, target, due):
        """Watches the program's clock together with the target: nothing before the second."""
        seen_at = None
        deadline = time.monotonic() + e2e.WAIT_SECONDS
        while seen_at is None and time.monotonic() < deadline:
            shown = self.clock()
            if target.events():
                seen_at = shown
            else:
                self.assertLessEqual(shown, due, "the start did not come at its second")
                time.sleep(0.05)
        self.assertIsNotNone(seen_at, f"nothing was played; logged: {target.events()}")
        self.assertIn(seen_at, (due, due + datetime.timedelta(seconds=1)))

    def test_the_panel_shows_the_clock_and_the_current_moment_and_locks_while_armed(self):
        now = self.clock()
        self.assertAlmostEqual(now.timestamp(), datetime.datetime.now().timestamp(), delta=5)
        picked = datetime.datetime.strptime(self.driver.dtp_get(self.time_picker), CLOCK_FORMAT)
        self.assertLessEqual(abs((picked.time().hour * 3600 + picked.time().minute * 60 + picked.time().second) -
                                 (now.hour * 3600 + now.minute * 60 + now.second)), 5)
        self.assertEqual(self.driver.combo_items(self.main.field_beside("Panel_time", "录制的脚本:", "ComboBox")),
                         ["demo"])

        self.driver.click(self.main.in_panel("Panel_time", "设置定时"))
        box, text = self.driver.msgbox()
        self.assertEqual((text, self.driver.msgbox_caption(box)), ("请选择脚本！", "提醒！"))
        self.driver.press(box, "ok")

        self.choose_recording(1)
        self.set_target(now + datetime.timedelta(hours=1))
        self.arm()
        self.assertFalse(self.driver.is_enabled(self.settings))
        self.assertFalse(self.driver.is_enabled(self.main.in_panel("Panel_time", "设置定时")))
        time.sleep(1.2)  # the clock runs on
        self.assertGreater(self.clock(), now)
        e2e.screenshot("time-panel-armed")

        self.driver.click(self.main.in_panel("Panel_time", "取消定时"))
        e2e.wait_until(lambda: self.main.status(1) == "定时设置：未启用", "the timed start to be disarmed")
        self.assertTrue(self.driver.is_enabled(self.settings))

    def test_a_moment_already_past_is_refused_and_leaves_the_panel_usable(self):
        self.choose_recording(1)
        self.set_target(self.clock() - datetime.timedelta(seconds=2))
        self.driver.click(self.main.in_panel("Panel_time", "设置定时"))
        box, text = self.driver.msgbox()
        self.assertEqual((text, self.driver.msgbox_caption(box)), ("设定的时间已经过去，请重新设置！", "提醒！"))
        e2e.screenshot("time-panel-past-moment")
        self.driver.press(box, "ok")
        self.assertEqual(self.main.status(1), "定时设置：未启动")
        self.assertTrue(self.driver.is_enabled(self.settings))
        self.assertTrue(self.driver.is_enabled(self.main.in_panel("Panel_time", "设置定时")))

    def test_armed_three_seconds_ahead_a_recording_plays_twice_at_that_second(self):
        target = self.start_target()
        due = self.arm_ahead(count=2, seconds=3)

        self.assert_played_at(target, due)
        self.assertEqual(target.wait_events(2 * len(ONE_PASS)), ONE_PASS * 2)
        e2e.wait_until(lambda: self.main.status(1) == "定时设置：未启用", "the timed start to disarm")
        self.assertTrue(self.driver.is_enabled(self.settings))
        time.sleep(1.5)
        self.assertEqual(len(target.events()), 2 * len(ONE_PASS), "it fires once")

    def test_an_armed_start_outlasts_a_minimise_and_restore_from_the_tray(self):
        target = self.start_target()
        due = self.arm_ahead(count=1, seconds=12)
        self.driver.post(self.main.hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0)
        e2e.wait_until(lambda: not self.driver.is_visible(self.main.hwnd), "the window to hide")
        self.driver.post(self.main.hwnd, WM_TRAYICON, 100, WM_LBUTTONDBLCLK)
        e2e.wait_until(lambda: self.driver.is_visible(self.main.hwnd), "the window to come back")
        self.assertEqual(self.main.status(1), "定时设置：已启动")
        self.assertLess(self.clock(), due, "the minimise and restore took too long for the test")

        self.assert_played_at(target, due)
        self.assertEqual(target.wait_events(len(ONE_PASS)), ONE_PASS)
        e2e.wait_until(lambda: self.main.status(1) == "定时设置：未启用", "the timed start to disarm")


if __name__ == "__main__":
    unittest.main()
