"""The indicator over every window while the program records or plays: its text and pass, clicks
that go through it to target.exe, a recording that never notes it, its move away from the pointer,
its absence when idle, and its size at 96 and 144 DPI (screenshots in the screenshots folder)."""

import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase
from test_layout import set_dpi
from test_recorder import human_click, read_recording

INDICATOR_CLASS = "TapmillStateIndicator"
IDLE = "当前状态："
# A slow walk over the middle of the screen, far from every corner, and back.
WALK = [(300 + 4 * n, 300 + 2 * n, None) for n in range(60)]


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class StateIndicatorTest(E2ETestCase):
    def setUp(self):
        self.folder = self.program_folder()
        self.folder.write_text("jb_rec/walk.ini", e2e.recording_text(WALK), "ascii")
        self.process = self.start_tapmill(self.folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)
        self.main.choose_recording("walk")
        self.target = self.start_target()
        e2e.mouse_move(500, 400)

    def indicator(self):
        """(hwnd, visible, caption) of the program's indicator window."""
        rows = [row for row in self.driver.windows() if row[4] == INDICATOR_CLASS]
        return (rows[0][0], rows[0][2], rows[0][5]) if rows else (0, False, "")

    def wait_caption(self, start):
        return e2e.wait_until(lambda: self.indicator()[2].startswith(start) and self.indicator()[1] and
                              self.indicator(), f"the indicator to show {start!r}")

    def test_a_playback_shows_each_pass_and_the_indicator_is_gone_when_it_ends(self):
        self.assertFalse(self.indicator()[1])
        self.main.play_recording(2, 3)
        self.wait_caption("播放中  第 1 / 2 遍  第 ")
        self.wait_caption("播放中  第 2 / 2 遍  第 ")
        e2e.screenshot("state-indicator-playback-96")
        self.main.wait_status(IDLE, "playback to end")
        e2e.wait_until(lambda: not self.indicator()[1], "the indicator to go")

    def test_a_click_at_its_place_reaches_the_target_and_the_recording_never_notes_it(self):
        e2e.key("ctrl+w")
        hwnd, _, _ = self.wait_caption("录制中  ")
        x, y, right, bottom = self.driver.rect(hwnd)
        at = ((x + right) // 2, (y + bottom) // 2)
        # At once, before the indicator's next look at the pointer: the click lands on its place.
        e2e.click(*at)
        self.assertIn(("LDOWN", *at), self.target.wait_events(2))
        # Then it makes way for the pointer: the other corner of its edge.
        e2e.wait_until(lambda: self.driver.rect(hwnd)[2] < x, "the indicator to move away")
        human_click(at[0], at[1] + 1, 1)
        e2e.mouse_move(500, 400)
        # Its width follows its text; its right edge is the corner's.
        e2e.wait_until(lambda: self.driver.rect(hwnd)[2] == right, "the indicator to come back")
        e2e.key("ctrl+q")
        self.main.wait_status(IDLE, "recording to end")
        e2e.wait_until(lambda: not self.indicator()[1], "the indicator to go")

        recording = self.folder.path / "jb_rec" / "jb_rec.ini"
        frames = [keys for name, keys in read_recording(recording) if name != "all"]
        # Both clicks are the user's, at their points; a quick one has its press and release in one
        # frame, and the second is a double click.
        pressed = [(int(f["x"]), int(f["y"])) for f in frames if "LBUTTONDOWN" in f.get("ev", "") + f.get("kp", "")
                   or f.get("kp") == "WM_LBUTTONDBLCLK"]
        self.assertEqual(pressed, [at, (at[0], at[1] + 1)])
        self.assertNotIn(INDICATOR_CLASS, recording.read_text(encoding="ascii"))


class StateIndicatorDpiTest(E2ETestCase):
    def test_it_grows_with_the_dpi(self):
        heights = {}
        # The session starts at 96 DPI, and goes back to it whatever happens at 144.
        for dpi in (96, 144):
            with self.subTest(dpi=dpi):
                if dpi != 96:
                    self.addCleanup(set_dpi, 96)
                    set_dpi(dpi)
                self.start_tapmill(self.program_folder())
                driver = self.start_driver()
                MainWindow(driver).show_panel("Panel_rec")
                self.start_target()
                e2e.mouse_move(500, 400)
                e2e.key("ctrl+w")
                row = e2e.wait_until(
                    lambda: next((r for r in driver.windows() if r[4] == INDICATOR_CLASS and r[2]), None),
                    "the indicator")
                e2e.screenshot(f"state-indicator-{dpi}")
                _, top, _, bottom = driver.rect(row[0])
                heights[dpi] = bottom - top
                e2e.key("ctrl+q")
        self.assertGreaterEqual(heights[144] * 96, heights[96] * 144 * 9 // 10)


if __name__ == "__main__":
    unittest.main()
