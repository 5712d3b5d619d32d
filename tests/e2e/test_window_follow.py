"""A plain recording follows the window it was made in: clicks, a drag and typed text recorded into
target.exe's ordinary window replay at the same places inside it after the window was moved and
sized, also when another window covers it, and a replay whose window is gone stops with a message
and injects nothing."""

import time
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

RECORDING = "当前状态：录制……"
PLAYING = "当前状态：播放……"
IDLE = "当前状态："
TARGET_CLASS = "TapmillTargetWindow"
TARGET_TITLE = "tapmill-target window"
# The target's frame (left, top, width, height) while recording, then moved by (+150, +100) and larger.
RECORDED_FRAME = (60, 60, 560, 400)
MOVED_FRAME = (210, 160, 640, 460)
# A window over both places, which gets whatever lands where the target is not.
COVER_FRAME = (30, 30, 860, 620)
# Twenty clicks in the client area, a word typed after some of them, and a drag below them.
CLICKS = [(40 + 110 * column, 30 + 60 * row) for row in range(4) for column in range(5)]
WORDS = {4: "one", 11: "two", 19: "three"}
DRAG = ((60, 300), (300, 330))
TOLERANCE = 2
BUTTONS = ("LDOWN", "LUP")


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


def on_screen(client, at):
    return client[0] + at[0], client[1] + at[1]


def buttons(events):
    return [event for event in events if event[0] in BUTTONS]


def chars(events):
    return "".join(chr(event[1]) for event in events if event[0] == "CHAR")


class WindowFollowTest(E2ETestCase):
    def setUp(self):
        self.folder = self.program_folder()
        self.start_tapmill(self.folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)
        self.main.show_panel("Panel_rec")

    def record_into(self, target):
        """Clicks, words and a drag made into the target with the real pointer and keyboard; gives
        what the target got (client positions)."""
        client = target.client()
        e2e.mouse_move(*on_screen(client, (10, 10)))
        e2e.key("ctrl+w")
        self.main.wait_status(RECORDING)
        start = len(target.events())
        for number, at in enumerate(CLICKS):
            e2e.click(*on_screen(client, at))
            time.sleep(0.05)
            if number in WORDS:
                e2e.xdotool("type", "--delay", 60, WORDS[number])
        (from_x, from_y), (to_x, to_y) = on_screen(client, DRAG[0]), on_screen(client, DRAG[1])
        e2e.xdotool("mousemove", "--sync", from_x, from_y, "mousedown", 1, "sleep", 0.1, "mousemove", "--sync",
                    (from_x + to_x) // 2, (from_y + to_y) // 2, "sleep", 0.1, "mousemove", "--sync", to_x, to_y,
                    "sleep", 0.1, "mouseup", 1)
        time.sleep(0.1)
        made = target.events()[start:]
        e2e.key("ctrl+q")
        self.main.wait_status(IDLE)
        return made

    def replay(self):
        e2e.key("ctrl+z")
        self.main.wait_status(PLAYING)
        self.main.wait_status(IDLE)

    def assert_same_places(self, got, made):
        self.assertEqual([event[0] for event in got], [event[0] for event in made], got)
        for (_, x, y, *_), (_, made_x, made_y, *_) in zip(got, made):
            self.assertLessEqual(max(abs(x - made_x), abs(y - made_y)), TOLERANCE, (got, made))

    def test_a_recording_replays_into_its_moved_window_and_stops_when_the_window_is_gone(self):
        target = self.start_target(detail=True, window=RECORDED_FRAME)
        made = self.record_into(target)
        self.assertEqual(chars(made), "".join(WORDS.values()))
        self.assertEqual(buttons(made)[:2 * len(CLICKS)],
                         [(name, *at) for at in CLICKS for name in BUTTONS])
        hwnd = self.driver.wait_window(TARGET_CLASS)
        recorded_client = target.client()
        self.driver.place(hwnd, *MOVED_FRAME)
        e2e.wait_until(lambda: target.client() != recorded_client, "the target to move")
        self.assertTrue(self.driver.is_checked(self.main.in_panel("Panel_rec", "跟随窗口")))

        with self.subTest("moved and sized"):
            start = len(target.events())
            self.replay()
            got = target.wait_quiet()[start:]
            self.assert_same_places(buttons(got), buttons(made))
            self.assertEqual(chars(got), chars(made))

        cover = self.start_target(window=COVER_FRAME, title="cover")
        with self.subTest("behind another window"):
            self.assertEqual(self.driver.foreground(), self.driver.wait_window_caption("cover"))
            start = len(target.events())
            self.replay()
            got = target.wait_quiet()[start:]
            self.assert_same_places(buttons(got), buttons(made))
            self.assertEqual(self.driver.foreground(), hwnd)
            self.assertEqual(buttons(cover.events()), [])

        with self.subTest("window gone"):
            target.stop()
            e2e.wait_until(lambda: TARGET_TITLE not in [row[5] for row in self.driver.windows()],
                           "the target to close")
            e2e.key("ctrl+z")
            box, text = self.driver.msgbox()
            self.assertEqual(text, f"找不到窗口：{TARGET_TITLE}，播放已停止")
            self.assertEqual(self.driver.msgbox_caption(box), "提醒！")
            self.assertEqual(self.driver.keys_down(), [])
            self.driver.press(box, "ok")
            self.main.wait_status(IDLE)
            self.assertEqual(buttons(cover.wait_quiet()), [])


if __name__ == "__main__":
    unittest.main()
