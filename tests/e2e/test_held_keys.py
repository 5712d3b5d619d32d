"""Keys held around the control hot keys: a recording ended with a quick hand on the stop key
replays no Ctrl, and a Shift a replay holds is let go for a pause, pressed again on resume, and
keeps neither the pause key nor the stop key from working."""

import unittest

import tapmill_e2e as e2e
from main_window import MainWindow, tick_endless
from tapmill_e2e import E2ETestCase

RECORDING = "当前状态：录制……"
PLAYING = "当前状态：播放……"
PAUSED = "当前状态：暂停"
IDLE = "当前状态："
VK_SHIFT, VK_CONTROL, VK_A = 16, 17, 65
MK_SHIFT = 4
CLICKS_AT = [(200 + 40 * n, 300) for n in range(8)]
USER_CLICK_AT = (600, 450)


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


def shift_held_over_clicks():
    """A recording that presses Shift, clicks with it held every 25 frames, and lets it go."""
    sections = [["kp=k16", "ev2=kd16", "x=100", "y=100"]]
    for x, y in CLICKS_AT:
        sections += [[f"x={x}", f"y={y}"]] * 23
        sections.append(["kp=WM_LBUTTONDOWN", "ev2=WM_LBUTTONDOWN+4", f"x={x}", f"y={y}"])
        sections.append(["kp=WM_LBUTTONUP", "ev2=WM_LBUTTONUP+4", f"x={x}", f"y={y}"])
    sections.append(["ev2=ku16", "x=100", "y=100"])
    lines = []
    for number, keys in enumerate(sections):
        lines += [f"[{number}]", *keys]
    lines += ["[all]", f"value={len(sections)}"]
    return "\r\n".join(lines) + "\r\n"


def shift_keys(events):
    return [name for name, vk, *_ in events if name in ("KEYDOWN", "KEYUP") and vk == VK_SHIFT]


class HeldKeysTest(E2ETestCase):
    def setUp(self):
        self.folder = self.program_folder()
        self.folder.write_text("jb_rec/shift.ini", shift_held_over_clicks(), "ascii")
        self.process = self.start_tapmill(self.folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)
        self.main.show_panel("Panel_rec")

    def test_a_recording_ended_with_a_quick_hand_on_the_stop_key_replays_no_ctrl(self):
        target = self.start_target()
        e2e.key("ctrl+w")
        self.main.wait_status(RECORDING)
        # a down, Ctrl down, a up, Q: the stop; then Q and Ctrl let go.
        e2e.xdotool("keydown", "a", "keydown", "ctrl", "keyup", "a", "keydown", "q", "keyup", "q", "keyup", "ctrl")
        self.main.wait_status(IDLE)
        start = len(target.events())
        e2e.key("ctrl+z")
        self.main.wait_status(PLAYING)
        self.main.wait_status(IDLE)
        e2e.wait_until(lambda: ("KEYUP", VK_A) in target.events()[start:], "the replayed a")
        replayed = target.wait_quiet()[start:]
        # Before the replay's keys, target.exe got the Ctrl of the user's Ctrl+Z.
        from_a = replayed[replayed.index(("KEYDOWN", VK_A)):]
        self.assertEqual([event for event in from_a if event[0].startswith("KEY")],
                         [("KEYDOWN", VK_A), ("KEYUP", VK_A)])

    def test_a_replayed_shift_is_let_go_for_the_pause_pressed_again_after_and_ctrl_q_still_stops(self):
        self.main.choose_recording("shift")
        tick_endless(self.main, "Panel_rec")
        target = self.start_target()
        e2e.key("ctrl+z")
        e2e.wait_until(lambda: shift_keys(target.events()) == ["KEYDOWN"], "the replay to hold Shift")
        # F9 with the replayed Shift held is Shift+F9 to the system.
        e2e.key("F9")
        self.main.wait_status(PAUSED)
        e2e.wait_until(lambda: shift_keys(target.events())[:2] == ["KEYDOWN", "KEYUP"], "Shift to be let go")
        before = len(target.events())
        e2e.click(*USER_CLICK_AT)
        user_click = e2e.wait_until(lambda: [e for e in target.events()[before:] if e[0] == "LDOWN"], "the user's click")
        self.assertEqual(user_click, [("LDOWN", *USER_CLICK_AT)], "the user's own click has no Shift")
        e2e.key("F9")
        self.main.wait_status(PLAYING)
        e2e.wait_until(lambda: shift_keys(target.events())[:3] == ["KEYDOWN", "KEYUP", "KEYDOWN"],
                       "Shift to be pressed again")
        resumed = len(target.events())
        clicks = e2e.wait_until(lambda: [e for e in target.events()[resumed:] if e[0] == "LDOWN"], "a replayed click")
        self.assertEqual([e[3:] for e in clicks], [(MK_SHIFT,)] * len(clicks), "the replay's clicks are Shift+clicks")
        e2e.key("ctrl+q")
        self.main.wait_status(IDLE, "Ctrl+Q to stop the replay that holds Shift")
        e2e.wait_until(lambda: shift_keys(target.events())[-1:] == ["KEYUP"], "the stop to let Shift go")


if __name__ == "__main__":
    unittest.main()
