"""A plain recording follows the window it was made in: clicks, a drag and typed text recorded into
target.exe's ordinary window replay at the same places inside it after the window was moved and
sized, as does the script 转为脚本 makes of it. Covered by another window, the target comes to the
front and gets every click while the state indicator, a topmost window, shows. A replay whose
window is gone stops with a message and injects nothing. Made at 96 DPI and replayed at 144, the
clicks land at the scaled places (Wine draws every window for the DPI of its screen, LogPixels)."""

import time
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

RECORDING = "当前状态：录制……"
PLAYING = "当前状态：播放……"
RUNNING = "当前状态：运行脚本……"
IDLE = "当前状态："
TARGET_CLASS = "TapmillTargetWindow"
TARGET_TITLE = "tapmill-target window"
# The target's frame (left, top, width, height) while recording, then moved by (+150, +100) and larger.
RECORDED_FRAME = (60, 60, 560, 400)
MOVED_FRAME = (210, 160, 640, 460)
# A window over both places.
COVER_FRAME = (30, 30, 860, 620)
# Twenty clicks in the client area, a word typed after some of them, and a drag below them.
CLICKS = [(40 + 110 * column, 30 + 60 * row) for row in range(4) for column in range(5)]
WORDS = {4: "one", 11: "two", 19: "three"}
DRAG = ((60, 300), (300, 330))
TOLERANCE = 2
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
# Clicks made into a target drawn for 96 DPI and replayed into one drawn for 144, as large again.
DPI_CLICKS = [(40, 30), (150, 90), (260, 150), (330, 210)]
DPI_FRAMES = {96: (60, 60, 420, 380), 144: (100, 40, 640, 580)}
BUTTONS = ("LDOWN", "LUP")


def setUpModule():
    e2e.start_session()


def tearDownModule():
    set_dpi(96)
    e2e.end_session()


def set_dpi(dpi):
    """Wine's screen resolution, taken by the processes started after its wineserver."""
    e2e.end_session()
    e2e.wine_command("reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")
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
        self.start_program()

    def start_program(self):
        self.start_tapmill(self.folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)
        self.main.show_panel("Panel_rec")

    def record_into(self, target, clicks=CLICKS):
        """Clicks, words and a drag made into the target with the real pointer and keyboard; gives
        what the target got (client positions)."""
        client = target.client()
        e2e.mouse_move(*on_screen(client, (10, 10)))
        e2e.key("ctrl+w")
        self.main.wait_status(RECORDING)
        start = len(target.events())
        for number, at in enumerate(clicks):
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

        with self.subTest("converted to a script"):
            self.driver.click(self.main.in_panel("Panel_rec", "转为脚本"))
            box, text = self.driver.msgbox()
            self.assertEqual(text, "已转换为脚本，是否打开编辑？")
            self.driver.press(box, "no")
            start = len(target.events())
            self.main.enable_and_run_script()
            self.main.wait_status(RUNNING)
            self.main.wait_status(IDLE)
            self.assert_same_places(buttons(target.wait_quiet()[start:]), buttons(made))
            self.main.show_panel("Panel_rec")

        # It would get whatever went where the target is not.
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

    # Last of the module (the tests run in the order of their names): the wineserver it restarts to
    # change the DPI does not keep running between programs as the session's own does.
    def test_the_clicks_of_a_recording_made_at_96_dpi_land_at_the_scaled_places_at_144_dpi(self):
        target = self.start_target(window=DPI_FRAMES[96])
        made = buttons(self.record_into(target, DPI_CLICKS))
        self.addCleanup(set_dpi, 96)
        set_dpi(144)
        self.start_program()
        target = self.start_target(window=DPI_FRAMES[144])
        self.replay()
        got = buttons(target.wait_quiet())
        self.assert_same_places(got, [(name, round(x * 1.5), round(y * 1.5)) for name, x, y, *_ in made])


if __name__ == "__main__":
    unittest.main()
