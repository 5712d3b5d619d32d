"""What the user did is what replays: a plain recording made with the real pointer and keyboard
(xdotool, through the hook libraries), replayed by Ctrl+Z into target.exe, gives target.exe the same
clicks, wheel turns and characters it got while the user worked, a Shift+click with Shift held, and a
held key's repeats over the time it was held."""

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
VK_RIGHT = 39
MK_SHIFT, MK_CONTROL = 4, 8
SHIFT_CLICK_AT = (200, 300)
CTRL_CLICK_AT = (400, 300)
HOLD_SECONDS = 0.6


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


def real_double_click(x, y):
    """A double click as a hand makes it: each press held 30 ms, the presses 80 ms apart."""
    e2e.xdotool(*e2e.move_to(x, y), "mousedown", 1, "sleep", 0.03, "mouseup", 1, "sleep", 0.05,
                "mousedown", 1, "sleep", 0.03, "mouseup", 1)


def chars(events):
    return "".join(chr(event[1]) for event in events if event[0] == "CHAR")


def of_kind(events, *names):
    return [event for event in events if event[0] in names]


def key_times(timed, vk):
    """When target.exe got each press (repeats included) and each release of one key."""
    downs = [stamp for (name, code, *_), stamp in timed if name == "KEYDOWN" and code == vk]
    ups = [stamp for (name, code, *_), stamp in timed if name == "KEYUP" and code == vk]
    return downs, ups


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

    def replay(self, settled, timed=False):
        """What target.exe got from the replay, once `settled` says it is all there."""
        start = len(self.target.events())
        e2e.key("ctrl+z")
        self.main.wait_status(PLAYING)
        self.main.wait_status(IDLE)
        e2e.wait_until(lambda: settled(self.target.events()[start:]), "the replay to reach the target")
        # Anything more than was made would come right behind.
        time.sleep(0.2)
        return (self.target.timed_events() if timed else self.target.events())[start:]

    def test_a_shift_click_and_a_ctrl_click_replay_with_their_modifier_held(self):
        def act():
            for modifier, at in (("shift", SHIFT_CLICK_AT), ("ctrl", CTRL_CLICK_AT)):
                e2e.xdotool(*e2e.move_to(*at), "keydown", modifier, "sleep", 0.1, "click", 1, "sleep", 0.1,
                            "keyup", modifier)
                time.sleep(0.1)

        made = of_kind(self.record(act), "LDOWN", "LUP")
        self.assertEqual(made, [("LDOWN", *SHIFT_CLICK_AT, MK_SHIFT), ("LUP", *SHIFT_CLICK_AT, MK_SHIFT),
                                ("LDOWN", *CTRL_CLICK_AT, MK_CONTROL), ("LUP", *CTRL_CLICK_AT, MK_CONTROL)])
        replayed = self.replay(lambda got: len(of_kind(got, "LDOWN", "LUP")) >= len(made))
        self.assertEqual(of_kind(replayed, "LDOWN", "LUP"), made)

    def test_an_arrow_key_held_replays_as_its_repeats_over_the_time_it_was_held(self):
        start = len(self.target.events())
        self.record(lambda: self.driver.hold_key(VK_RIGHT, HOLD_SECONDS))
        made_downs, made_ups = key_times(self.target.timed_events()[start:], VK_RIGHT)
        self.assertGreater(len(made_downs), 3, "the held key repeated while it was recorded")
        self.assertEqual(len(made_ups), 1)
        replayed = self.replay(lambda got: ("KEYUP", VK_RIGHT) in [e[:2] for e in got], timed=True)
        downs, ups = key_times(replayed, VK_RIGHT)
        self.assertEqual(len(downs), len(made_downs))
        self.assertEqual(len(ups), 1)
        made_span, span = made_ups[0] - made_downs[0], ups[0] - downs[0]
        self.assertAlmostEqual(span, made_span, delta=0.15 * made_span + 60)

    def test_a_real_double_click_and_a_wheel_turn_replay_as_they_were_made(self):
        def act():
            real_double_click(*DOUBLE_CLICK_AT)
            time.sleep(0.1)
            e2e.xdotool(*e2e.move_to(*WHEEL_AT), "click", 5)

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
        # Each key goes down and up where it did, Ctrl around S and Shift around the capitals included
        # (before the replay's keys, target.exe got what was left of Ctrl+Z).
        keys = [(name, vk) for name, vk, *_ in of_kind(replayed, "KEYDOWN", "KEYUP")]
        made_keys = [(name, vk) for name, vk, *_ in of_kind(made, "KEYDOWN", "KEYUP")]
        while made_keys[0][0] == "KEYUP":  # a key of Ctrl+W let go after the recording began
            made_keys.pop(0)
        self.assertEqual(keys[-len(made_keys):], made_keys)
        # Each key carries the scan code of the keyboard layout, as the keyboard's own keys do.
        self.assertEqual([(vk, scan) for _, vk, scan, mapped in of_kind(replayed, "KEYDOWN", "KEYUP")
                          if scan != mapped or not mapped], [])


if __name__ == "__main__":
    unittest.main()
