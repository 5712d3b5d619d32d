"""What the user did is what replays: a plain recording made with the real pointer and keyboard
(xdotool, through the hook libraries), replayed by Ctrl+Z into target.exe, gives target.exe the same
clicks, wheel turns and characters it got while the user worked."""

import time
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

RECORDING = "当前状态：录制……"
PLAYING = "当前状态：播放……"
IDLE = "当前状态："
DOUBLE_CLICK_AT = (300, 200)
WHEEL_AT = (500, 300)
# Capitals, digits and punctuation, typed at about 8 keys a second.
LINE = "Me@qq.com, Tapmill 3.3!"
KEY_DELAY_MS = 125
VK_CONTROL, VK_S = 17, 83


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


def real_double_click(x, y):
    """A double click as a hand makes it: each press held 30 ms, the presses 80 ms apart."""
    e2e.xdotool("mousemove", "--sync", x, y, "mousedown", 1, "sleep", 0.03, "mouseup", 1, "sleep", 0.05,
                "mousedown", 1, "sleep", 0.03, "mouseup", 1)


def chars(events):
    return "".join(chr(event[1]) for event in events if event[0] == "CHAR")


def of_kind(events, *names):
    return [event for event in events if event[0] in names]


class ReplayFidelityTest(E2ETestCase):
    def setUp(self):
        self.folder = self.program_folder()
        self.process = self.start_tapmill(self.folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)
        self.main.show_panel("Panel_rec")
        self.target = self.start_target(detail=True)

    def record(self, actions):
        """What target.exe got while `actions` ran inside a recording."""
        e2e.key("ctrl+w")
        self.main.wait_status(RECORDING)
        start = len(self.target.events())
        actions()
        time.sleep(0.1)
        done = len(self.target.events())
        e2e.key("ctrl+q")
        self.main.wait_status(IDLE)
        return self.target.events()[start:done]

    def replay(self, settled):
        """What target.exe got from the replay, once `settled` says it is all there."""
        start = len(self.target.events())
        e2e.key("ctrl+z")
        self.main.wait_status(PLAYING)
        self.main.wait_status(IDLE)
        e2e.wait_until(lambda: settled(self.target.events()[start:]), "the replay to reach the target")
        # Anything more than was made would come right behind.
        time.sleep(0.2)
        return self.target.events()[start:]

    def test_a_real_double_click_and_a_wheel_turn_replay_as_they_were_made(self):
        def act():
            real_double_click(*DOUBLE_CLICK_AT)
            time.sleep(0.1)
            e2e.xdotool("mousemove", "--sync", *WHEEL_AT, "click", 5)

        made = of_kind(self.record(act), "LDOWN", "LUP", "WHEEL")
        self.assertEqual(made, [("LDOWN", *DOUBLE_CLICK_AT), ("LUP", *DOUBLE_CLICK_AT), ("LDOWN", *DOUBLE_CLICK_AT),
                                ("LUP", *DOUBLE_CLICK_AT), ("WHEEL", -120)])
        replayed = self.replay(lambda got: len(of_kind(got, "LDOWN", "LUP", "WHEEL")) >= len(made))
        self.assertEqual(of_kind(replayed, "LDOWN", "LUP", "WHEEL"), made)

    def test_combinations_and_a_typed_line_replay_character_for_character_with_their_scan_codes(self):
        def act():
            e2e.key("shift+a")
            time.sleep(0.1)
            e2e.key("ctrl+s")
            time.sleep(0.1)
            e2e.xdotool("type", "--delay", KEY_DELAY_MS, LINE)

        made = self.record(act)
        self.assertEqual(chars(made), "A\x13" + LINE)
        replayed = self.replay(lambda got: len(chars(got)) >= len(chars(made)))
        self.target.stop()
        self.assertEqual(chars(replayed), chars(made))
        keys = [(name, vk) for name, vk, *_ in of_kind(replayed, "KEYDOWN", "KEYUP")]
        ctrl_s = [("KEYDOWN", VK_CONTROL), ("KEYDOWN", VK_S), ("KEYUP", VK_S), ("KEYUP", VK_CONTROL)]
        self.assertTrue(any(keys[i:i + 4] == ctrl_s for i in range(len(keys))), keys)
        # Each key carries the scan code of the keyboard layout, as the keyboard's own keys do.
        self.assertEqual([(vk, scan) for _, vk, scan, mapped in of_kind(replayed, "KEYDOWN", "KEYUP")
                          if scan != mapped or not mapped], [])


if __name__ == "__main__":
    unittest.main()
