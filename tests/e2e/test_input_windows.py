"""Each input of a recording goes, in the replay that follows its window, to the window it went to
when it was recorded: keys to the window that had the keyboard, whatever window the pointer rested
on; the name typed into a save box and the Enter that closes it to the box; a window the pointer
only crossed is no part of the replay; and the click on Tapmill's own "结束" that ended the
recording is no part of it either. Without a window manager X sends keys to the window under the
pointer, so the tests give the window the user typed into the X focus, as Windows keeps the keyboard
with the window clicked last."""

import subprocess
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

RECORDING = "当前状态：录制……"
PLAYING = "当前状态：播放……"
RUNNING = "当前状态：运行脚本……"
IDLE = "当前状态："
SAVE_BOX = "tapmill-target save"
BUTTONS = ("LDOWN", "LUP")
# Two ordinary windows side by side (frames: left, top, width, height).
LEFT_FRAME = (40, 60, 420, 300)
RIGHT_FRAME = (520, 60, 420, 300)
TOLERANCE = 2


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


def on_screen(client, at):
    return client[0] + at[0], client[1] + at[1]


def middle(client):
    return client[0] + client[2] // 2, client[1] + client[3] // 2


def buttons(events):
    return [event for event in events if event[0] in BUTTONS]


def chars(events):
    return "".join(chr(event[1]) for event in events if event[0] == "CHAR")


def inputs(events):
    """The buttons, keys and characters among the events (a window also logs where it is placed)."""
    return [event for event in events if event[0] != "CLIENT"]


def wait_for(target, condition, what):
    """The target's events once `condition` holds for them."""
    return e2e.wait_until(lambda: target.events() if condition(target.events()) else None, what)


def x_focus(title):
    """Gives the X focus to the Wine window of that title, as a window manager would to the window the
    user works in."""
    found = subprocess.run(["xdotool", "search", "--name", f"^{title}$"], capture_output=True, text=True,
                           timeout=e2e.WAIT_SECONDS).stdout.split()
    e2e.xdotool("windowfocus", "--sync", found[0])


class InputWindowsTest(E2ETestCase):
    def setUp(self):
        self.start_tapmill(self.program_folder())
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)
        self.main.show_panel("Panel_rec")

    def start_recording(self):
        e2e.key("ctrl+w")
        self.main.wait_status(RECORDING)

    def stop_recording(self):
        e2e.key("ctrl+q")
        self.main.wait_status(IDLE)

    def replay(self):
        e2e.key("ctrl+z")
        self.main.wait_status(PLAYING)
        self.main.wait_status(IDLE)

    def window(self, title):
        return self.driver.wait_window_caption(title)

    def assert_same_places(self, got, made):
        self.assertEqual([event[0] for event in got], [event[0] for event in made], got)
        for (_, x, y, *_), (_, made_x, made_y, *_) in zip(got, made):
            self.assertLessEqual(max(abs(x - made_x), abs(y - made_y)), TOLERANCE, (got, made))

    def test_keys_typed_with_the_pointer_on_another_window_replay_into_the_window_typed_into(self):
        typed = self.start_target(detail=True, window=LEFT_FRAME, title="typed into")
        rested_on = self.start_target(detail=True, window=RIGHT_FRAME, title="rested on")
        self.start_recording()
        e2e.click(*on_screen(typed.client(), (100, 100)))
        wait_for(typed, lambda events: len(buttons(events)) == 2, "the click")
        e2e.mouse_move(*middle(rested_on.client()))
        x_focus("typed into")
        e2e.xdotool("type", "--delay", 60, "abc")
        made = wait_for(typed, lambda events: chars(events) == "abc", "the letters")
        self.stop_recording()
        self.assertEqual(inputs(rested_on.events()), [])

        for how in ("replayed", "converted to a script"):
            with self.subTest(how):
                # The other window in front, with the keyboard.
                e2e.click(*middle(rested_on.client()))
                e2e.wait_until(lambda: self.driver.foreground() == self.window("rested on"), "the other window in front")
                typed_start, rested_start = len(typed.events()), len(rested_on.wait_quiet())
                if how == "replayed":
                    self.replay()
                else:
                    self.driver.click(self.main.in_panel("Panel_rec", "转为脚本"))
                    box, _ = self.driver.msgbox()
                    self.driver.press(box, "no")
                    self.main.enable_and_run_script()
                    self.main.wait_status(RUNNING)
                    self.main.wait_status(IDLE)
                    self.main.show_panel("Panel_rec")
                got = typed.wait_quiet()[typed_start:]
                self.assert_same_places(buttons(got), buttons(made))
                self.assertEqual(chars(got), "abc")
                self.assertEqual(inputs(rested_on.wait_quiet()[rested_start:]), [])

    def test_a_name_typed_into_a_save_box_and_the_enter_that_closes_it_replay_into_the_moved_window(self):
        editor = self.start_target(detail=True, window=LEFT_FRAME, title="editor", saves=True)
        self.start_recording()
        # The pointer stays on the editor while the name goes into the box beside it.
        e2e.click(*on_screen(editor.client(), (100, 100)))
        wait_for(editor, lambda events: len(buttons(events)) == 2, "the click")
        x_focus("editor")
        e2e.key("ctrl+s")
        self.window(SAVE_BOX)
        x_focus(SAVE_BOX)
        e2e.xdotool("type", "--delay", 60, "report7")
        e2e.key("Return")
        saved = e2e.wait_until(lambda: [event for event in editor.events() if event[0] == "SAVED"], "the save")
        self.stop_recording()
        self.assertEqual(saved, [("SAVED", *map(ord, "report7"))])

        placed = editor.client()
        self.driver.place(self.window("editor"), 200, 300, 420, 300)
        e2e.wait_until(lambda: editor.client() != placed, "the editor to move")
        # The box that had the X focus is gone: the keyboard goes back to the editor, as on Windows.
        x_focus("editor")
        start = len(editor.events())
        self.replay()
        got = editor.wait_quiet()[start:]
        self.assertEqual([event for event in got if event[0] == "SAVED"], saved, got)

    def test_a_window_crossed_between_two_clicks_and_closed_before_the_replay_stops_nothing(self):
        clicked = self.start_target(window=LEFT_FRAME, title="clicked")
        crossed = self.start_target(window=RIGHT_FRAME, title="crossed")
        self.start_recording()
        e2e.click(*on_screen(clicked.client(), (100, 100)))
        wait_for(clicked, lambda events: len(buttons(events)) == 2, "the first click")
        # The user's pointer rests on the other window on its way, for some frames there.
        counter = self.main.label_after("Panel_rec", "录制帧数:")
        e2e.mouse_move(*middle(crossed.client()))
        rested_from = int(self.driver.get_text(counter))
        e2e.wait_until(lambda: int(self.driver.get_text(counter)) >= rested_from + 10, "frames over the crossed window")
        e2e.click(*on_screen(clicked.client(), (200, 150)))
        made = wait_for(clicked, lambda events: len(buttons(events)) == 4, "the second click")
        self.stop_recording()

        crossed.stop()
        e2e.wait_until(lambda: "crossed" not in [row[5] for row in self.driver.windows()], "the crossed window to close")
        start = len(clicked.events())
        self.replay()
        self.assert_same_places(buttons(clicked.wait_quiet()[start:]), buttons(made))
        self.assertNotIn("提醒！", [row[5] for row in self.driver.windows()])

    def test_a_recording_ended_by_clicking_its_stop_button_replays_no_click_of_it(self):
        target = self.start_target(window=LEFT_FRAME, title="clicked")
        # Tapmill beside the window, as a user keeps it while recording.
        main_frame = self.driver.rect(self.main.hwnd)
        self.driver.place(self.main.hwnd, 480, 40, main_frame[2] - main_frame[0], main_frame[3] - main_frame[1])
        self.start_recording()
        for at in ((60, 60), (200, 100), (300, 200)):
            e2e.click(*on_screen(target.client(), at))
        made = wait_for(target, lambda events: len(buttons(events)) == 6, "the clicks")
        stop = self.driver.rect(self.main.in_panel("Panel_rec", "结束"))
        stop_at = ((stop[0] + stop[2]) // 2, (stop[1] + stop[3]) // 2)
        e2e.click(*stop_at)
        self.main.wait_status(IDLE)

        # Tapmill out of the way, and the window moved and made large enough that the stop click,
        # were it replayed with the window's offset, would land in it.
        self.driver.place(self.main.hwnd, 480, 420, main_frame[2] - main_frame[0], main_frame[3] - main_frame[1])
        offset = 40
        width = max(LEFT_FRAME[2], stop_at[0] - LEFT_FRAME[0] + 100)
        height = max(LEFT_FRAME[3], stop_at[1] - LEFT_FRAME[1] + 100)
        placed = target.client()
        self.driver.place(self.window("clicked"), LEFT_FRAME[0] + offset, LEFT_FRAME[1] + offset, width, height)
        e2e.wait_until(lambda: target.client() != placed, "the window to move")
        start = len(target.events())
        self.replay()
        self.assert_same_places(buttons(target.wait_quiet()[start:]), buttons(made))


if __name__ == "__main__":
    unittest.main()
