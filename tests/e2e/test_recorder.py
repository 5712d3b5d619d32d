"""The first whole cycle: a plain recording made with the real pointer, buttons and keys (through
xdotool and the hook libraries), then replayed by Ctrl+Z into target.exe."""

import time
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

RECORDING = "当前状态：录制……"
IDLE = "当前状态："
PATH = [(120, 100), (160, 130), (200, 160), (260, 200), (330, 240)]
LEFT_AT = (200, 150)
RIGHT_AT = (400, 300)
# Long enough for the recorder to take several frames at each point (a frame is 20 ms).
DWELL_SECONDS = 0.15


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


def human_click(x, y, button):
    """A click as a person makes it: the button is held for a tenth of a second, so that the press
    and the release fall into different frames."""
    e2e.xdotool(*e2e.move_to(x, y), "mousedown", button, "sleep", DWELL_SECONDS, "mouseup", button)
    time.sleep(DWELL_SECONDS)


def read_recording(path):
    """The sections of a recording in file order: [(name, {key: value})]."""
    sections = []
    for line in path.read_text(encoding="ascii").splitlines():
        if line.startswith("[") and line.endswith("]"):
            sections.append((line[1:-1], {}))
        elif "=" in line:
            key, _, value = line.partition("=")
            sections[-1][1][key] = value
    return sections


def presses(events):
    """Clicks and key presses, without the key releases (a hot key's release still reaches the
    window that has the focus, while its press does not)."""
    return [event for event in events if event[0] != "KEYUP"]


class RecorderTest(E2ETestCase):
    def setUp(self):
        self.folder = self.program_folder()
        self.process = self.start_tapmill(self.folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)
        self.main.show_panel("Panel_rec")
        self.target = self.start_target()

    def test_a_recording_of_the_real_pointer_buttons_and_keys_replays_into_the_target(self):
        e2e.mouse_move(60, 60)
        e2e.key("ctrl+w")
        self.main.wait_status(RECORDING)
        typed_from = len(self.target.events())
        for x, y in PATH:
            e2e.mouse_move(x, y)
            time.sleep(DWELL_SECONDS)
        human_click(*LEFT_AT, 1)
        human_click(*RIGHT_AT, 3)
        e2e.key("a")
        time.sleep(DWELL_SECONDS)
        e2e.key("F5")
        time.sleep(DWELL_SECONDS)
        e2e.key("ctrl+q")
        self.main.wait_status(IDLE)
        typed = presses(self.target.events()[typed_from:])

        sections = read_recording(self.folder.path / "jb_rec" / "jb_rec.ini")
        names = [name for name, _ in sections]
        frames = [keys for name, keys in sections if name != "all"]
        self.assertEqual(names, [str(n) for n in range(len(frames))] + ["all"])
        self.assertEqual(dict(sections)["all"], {"value": str(len(frames))})
        positions = [(int(f["x"]), int(f["y"])) for f in frames]
        remaining = iter(positions)
        self.assertTrue(all(point in remaining for point in PATH), f"the path {PATH} in {positions}")
        events = [(f["kp"], int(f["x"]), int(f["y"])) for f in frames if "kp" in f]
        self.assertEqual([kp for kp, _, _ in events][:6],
                         ["WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_RBUTTONDOWN", "WM_RBUTTONUP", "k65", "k116"])
        self.assertEqual([(x, y) for _, x, y in events[:4]], [LEFT_AT, LEFT_AT, RIGHT_AT, RIGHT_AT])
        # Ctrl+Q ends the recording: neither its Q nor the Ctrl pressed for it is in there.
        self.assertEqual([kp for kp, _, _ in events[6:]], [])
        self.assertEqual(self.driver.get_text(self.main.label_after("Panel_rec", "录制帧数:")), str(len(frames) - 1))
        self.assertEqual(self.driver.get_text(self.main.label_after("Panel_rec", "当前脚本:")), "jb_rec")

        replay_from = len(self.target.events())
        e2e.key("ctrl+z")
        self.main.wait_status("当前状态：播放……")
        self.main.wait_status(IDLE)
        self.assertTrue(self.driver.is_enabled(self.main.in_panel("Panel_rec", "播放")))
        # The Ctrl of Ctrl+Q reached the target while the user typed but is left out of the recording.
        made = typed[:-1]
        replayed = e2e.wait_until(lambda: presses(self.target.events()[replay_from:])
                                  if len(presses(self.target.events()[replay_from:])) > len(made) else None,
                                  "the replay to reach the target")
        self.target.stop()
        e2e.screenshot("recorder_after_replay")
        # What Ctrl+Z itself typed into the target comes first: its Ctrl.
        self.assertEqual(replayed[0], ("KEYDOWN", 17))
        self.assertEqual(replayed[1:], made)
        self.assertEqual(typed, [("LDOWN", *LEFT_AT), ("LUP", *LEFT_AT), ("RDOWN", *RIGHT_AT), ("RUP", *RIGHT_AT),
                                 ("KEYDOWN", 65), ("KEYDOWN", 116), ("KEYDOWN", 17)])

    def test_a_scratch_file_that_cannot_be_written_ends_the_recording_with_one_message(self):
        (self.folder.path / "jb_rec").rmdir()
        e2e.key("ctrl+w")
        box, text = self.driver.msgbox()
        self.assertRegex(text, r"^Unable to write to [A-Z]:\\.*\\jb_rec\\jb_rec\.ini$")
        self.target.stop()
        e2e.screenshot("recorder_write_failure")
        self.driver.press(box, "ok")
        e2e.wait_until(lambda: not self.driver.is_visible(box), "the message to go away")
        self.assertEqual(self.main.status(0), IDLE)
        self.assertTrue(self.driver.is_enabled(self.main.in_panel("Panel_rec", "录制")))
        self.assertTrue(self.driver.is_enabled(self.main.in_panel("Panel_rec", "播放")))
        self.assertEqual(self.driver.get_text(self.main.in_panel("Panel_rec", "暂停")), "暂停")

        # The libraries are off: later clicks and keys reach no recording and raise no message.
        self.target = self.start_target()
        human_click(300, 300, 1)
        e2e.key("a")
        with self.assertRaises(e2e.UiDriverError):
            self.driver.msgbox(timeout=1.5)
        self.assertFalse((self.folder.path / "jb_rec").exists())


if __name__ == "__main__":
    unittest.main()
