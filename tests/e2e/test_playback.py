"""Plain playback of the real program into target.exe, stopped by the real hot key."""

import time
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

# Frames of the hand-written recording: (x, y, event or None).
DEMO_FRAMES = [
    (100, 100, None),
    (200, 150, "WM_LBUTTONDOWN"),
    (200, 150, "WM_LBUTTONUP"),
    (400, 300, "WM_RBUTTONDOWN"),
    (400, 300, "WM_RBUTTONUP"),
    (600, 200, "WM_LBUTTONDBLCLK"),
    (300, 400, "k65"),
    (320, 420, "k116"),
    (500, 500, None),
]

# What target.exe must log for one pass of it.
ONE_PASS = [
    ("LDOWN", 200, 150), ("LUP", 200, 150),
    ("RDOWN", 400, 300), ("RUP", 400, 300),
    ("LDOWN", 600, 200), ("LUP", 600, 200), ("LDOWN", 600, 200), ("LUP", 600, 200),
    ("KEYDOWN", 65), ("KEYUP", 65),
    ("KEYDOWN", 116), ("KEYUP", 116),
]


def presses_besides_ctrl_q(events):
    """The button and key presses among the events, but for Ctrl and Q of the stop key Ctrl+Q."""
    return [e for e in events if e[0] in ("LDOWN", "RDOWN") or (e[0] == "KEYDOWN" and e[1] not in (17, 81))]


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class PlaybackTest(E2ETestCase):
    def setUp(self):
        self.folder = self.program_folder()
        self.folder.write_text("jb_rec/demo.ini", e2e.recording_text(DEMO_FRAMES), "ascii")
        self.process = self.start_tapmill(self.folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)
        self.main.choose_recording("demo")
        self.target = self.start_target()

    def play_button(self):
        return self.main.in_panel("Panel_rec", "播放")

    def wait_idle(self):
        self.main.wait_status("当前状态：", "playback to end")

    def test_two_passes_at_top_speed_replay_every_click_and_key_in_order(self):
        self.main.play_recording(2, 10)
        events = self.target.wait_events(2 * len(ONE_PASS))
        self.wait_idle()
        self.assertEqual(self.target.events(), ONE_PASS * 2)
        self.assertEqual(events[:len(ONE_PASS)], ONE_PASS)
        self.assertTrue(self.driver.is_enabled(self.play_button()))
        self.assertEqual(self.driver.get_text(self.main.label_after("Panel_rec", "播放帧数:")), str(len(DEMO_FRAMES) - 1))

    def start_endless_playback(self):
        self.driver.click(self.main.in_panel("Panel_rec", "无限循环播放"))
        e2e.wait_until(lambda: self.driver.is_checked(self.main.in_panel("Panel_rec", "无限循环播放")) == 1,
                       "the endless box to be ticked")
        self.driver.click(self.play_button())
        self.target.wait_events(3 * len(ONE_PASS))
        self.assertEqual(self.main.status(0), "当前状态：播放……")
        self.assertFalse(self.driver.is_enabled(self.play_button()))

    def test_endless_playback_stops_on_ctrl_q(self):
        self.start_endless_playback()
        e2e.key("ctrl+q")
        self.wait_idle()
        self.assertTrue(self.driver.is_enabled(self.play_button()))
        # Nothing more arrives once it has stopped, and no button was left held down.
        settled = len(self.target.wait_quiet())
        time.sleep(1)
        self.assertEqual(len(self.target.events()), settled)
        downs = sum(1 for e in self.target.events() if e[0] in ("LDOWN", "RDOWN"))
        ups = sum(1 for e in self.target.events() if e[0] in ("LUP", "RUP"))
        self.assertEqual(downs, ups)

    def test_a_paused_endless_playback_stopped_with_ctrl_q_plays_nothing_more(self):
        self.start_endless_playback()
        pause = self.main.in_panel("Panel_rec", "暂停")
        self.driver.click(pause)
        e2e.wait_until(lambda: self.driver.get_text(pause) == "继续", "the pause to show")
        paused = len(self.target.wait_quiet())
        e2e.key("ctrl+q")
        self.wait_idle()
        # Only the stop key's own Ctrl and the release of what the pause held may come after it.
        self.assertEqual(presses_besides_ctrl_q(self.target.wait_quiet()[paused:]), [])

    def test_answering_no_to_the_exit_question_keeps_the_playback_running(self):
        self.start_endless_playback()
        self.driver.close(self.main.hwnd)
        box, text = self.driver.msgbox()
        self.assertEqual(text, "是否真的要退出Tapmill？")
        self.driver.press(box, "no")
        e2e.wait_until(lambda: not self.driver.is_visible(box), "the question to go away")
        count = len(self.target.events())
        self.target.wait_events(count + 2 * len(ONE_PASS))
        self.assertEqual(self.main.status(0), "当前状态：播放……")
        self.assertTrue(self.process.running())
        e2e.key("ctrl+q")
        self.wait_idle()

    def test_a_play_count_that_is_no_number_is_reported_and_leaves_the_buttons_usable(self):
        self.driver.set_text(self.main.field_beside("Panel_rec", "播放次数："), "99999999999")
        self.driver.click(self.play_button())
        box, text = self.driver.msgbox()
        self.assertEqual(text, "'99999999999' is not a valid integer value")
        self.driver.press(box, "ok")
        e2e.wait_until(lambda: not self.driver.is_visible(box), "the message to go away")
        self.assertTrue(self.driver.is_enabled(self.play_button()))
        self.assertTrue(self.driver.is_enabled(self.main.in_panel("Panel_rec", "录制")))
        self.assertEqual(self.target.events(), [])

    def test_a_missing_recording_is_reported_and_nothing_is_played(self):
        self.main.choose_recording("nosuch")
        self.driver.click(self.play_button())
        box, text = self.driver.msgbox()
        self.assertEqual(text, "名为：'nosuch'脚本文件不存在！")
        self.assertEqual(self.driver.msgbox_caption(box), "提醒！")
        self.driver.press(box, "ok")
        self.wait_idle()
        self.assertEqual(self.target.events(), [])


if __name__ == "__main__":
    unittest.main()
