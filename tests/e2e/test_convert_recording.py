"""A plain recording made with the real pointer and keyboard, converted by "转为脚本" into a
hand-written script: the script, run from the script panel, gives target.exe what the recording's
own playback gives it, event for event, at the same positions and with the same gaps."""

import re
import time
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

RECORDING = "当前状态：录制……"
PLAYING = "当前状态：播放……"
RUNNING = "当前状态：运行脚本……"
IDLE = "当前状态："
KINDS = ("LDOWN", "LUP", "RDOWN", "RUP", "KEYDOWN", "KEYUP")
GAP_TOLERANCE_MS = 40
RUNS = 3
# Every line a conversion writes between "开始" and "结束". target.exe fills the screen, so the
# positions in its client area are the screen's.
SCRIPT_LINE = re.compile(r"延时\d+毫秒|鼠标移至X=-?\d+y=-?\d+|(单击|按下|弹起)键盘的\w+|"
                         r"(单击|按下|弹起)鼠标左键|双击鼠标左键|单击鼠标右键|窗口：tapmill-target，类：TapmillTarget，DPI：96")


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


def buttons_and_keys(timed):
    return [(event, stamp) for event, stamp in timed if event[0] in KINDS]


class ConvertRecordingTest(E2ETestCase):
    def setUp(self):
        self.folder = self.program_folder()
        self.start_tapmill(self.folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)
        self.main.show_panel("Panel_rec")
        self.target = self.start_target()

    def logged_while(self, start, expected_count):
        """target.exe's clicks and keys, with their times, from what `start` sets going."""
        before = len(self.target.timed_events())
        start()
        e2e.wait_until(lambda: len(buttons_and_keys(self.target.timed_events()[before:])) >= expected_count,
                       "the events to reach the target")
        self.main.wait_status(IDLE)
        time.sleep(0.2)  # anything more than was made would come right behind
        return buttons_and_keys(self.target.timed_events()[before:])

    def test_a_converted_recording_runs_as_its_playback_plays_and_reads_as_gbk(self):
        e2e.key("ctrl+w")
        self.main.wait_status(RECORDING)
        e2e.click(200, 150)
        time.sleep(0.3)
        # A path of the pointer on the way to the right click.
        for x, y in ((300, 250), (360, 280)):
            e2e.xdotool("mousemove", x, y)
            time.sleep(0.05)
        e2e.click(420, 310, button=3)
        time.sleep(0.25)
        e2e.key("a")
        time.sleep(0.15)
        e2e.key("b")
        e2e.click(600, 200)
        time.sleep(0.2)
        e2e.key("ctrl+q")
        self.main.wait_status(IDLE)

        played = self.logged_while(lambda: self.driver.click(self.main.in_panel("Panel_rec", "播放")), 10)
        self.assertEqual([event[0] for event, _ in played],
                         ["LDOWN", "LUP", "RDOWN", "RUP", "KEYDOWN", "KEYUP", "KEYDOWN", "KEYUP", "LDOWN", "LUP"],
                         played)

        status = self.main.label_after("Panel_rec", "信息状况:")
        self.driver.click(self.main.in_panel("Panel_rec", "转为脚本"))
        e2e.wait_until(lambda: self.driver.get_text(status) == "已转换…", "the status 已转换…")
        box, text = self.driver.msgbox()
        self.assertEqual(text, "已转换为脚本，是否打开编辑？")
        self.driver.press(box, "no")
        self.assertEqual(self.driver.get_text(status), "")

        lines = (self.folder.path / "jb_homa" / "jb_rec.ini").read_bytes().decode("gbk").split("\r\n")
        self.assertEqual((lines[0], lines[-2:]), ("开始", ["结束", ""]))
        self.assertEqual([line for line in lines[1:-2] if not SCRIPT_LINE.fullmatch(line)], [])
        for line in ("鼠标移至X=200y=150", "单击鼠标左键", "鼠标移至X=300y=250", "鼠标移至X=420y=310", "单击鼠标右键", "单击键盘的A",
                     "单击键盘的B", "鼠标移至X=600y=200"):
            self.assertIn(line, lines)

        self.main.show_panel("Panel_homa")
        table = self.driver.find_class(self.main.panel("Panel_homa"), "SysListView32")
        self.assertEqual(self.driver.lv_text(table, 0, 1), "jb_rec")
        self.driver.lv_select(table, 0)
        self.driver.click(self.main.in_panel("Panel_homa", "启用"))
        # A stall of the shared machine can stretch one gap of a run: a conversion that got the pace
        # wrong misses it in every run.
        differences = []
        for _ in range(RUNS):
            ran = self.logged_while(lambda: self.driver.click(self.main.in_panel("Panel_homa", "运行")), len(played))
            self.assertEqual([event for event, _ in ran], [event for event, _ in played])
            gaps = [(b_run - a_run) - (b_play - a_play)
                    for (_, a_run), (_, b_run), (_, a_play), (_, b_play) in zip(ran, ran[1:], played, played[1:])]
            if all(abs(gap) <= GAP_TOLERANCE_MS for gap in gaps):
                return
            differences.append(gaps)
        self.fail(f"no run kept every gap of the playback within {GAP_TOLERANCE_MS} ms: {differences}")

    def test_a_damaged_or_empty_recording_is_reported_at_once(self):
        three_frames = e2e.recording_text([(50, 60, None), (50, 60, "WM_LBUTTONDOWN"), (50, 60, "WM_LBUTTONUP")])
        convert = self.main.in_panel("Panel_rec", "转为脚本")

        def answer(expected, button):
            box, text = self.driver.msgbox()
            self.assertEqual(text, expected)
            self.driver.press(box, button)
            e2e.wait_until(lambda: not self.driver.is_visible(box), "the message to go")

        self.folder.write_text("jb_homa/jb_rec.ini", "old", "ascii")
        self.folder.write_text("jb_rec/jb_rec.ini", "[all]\r\nvalue=0\r\n", "ascii")
        self.driver.click(convert)
        answer("名为：'jb_rec'的录制没有可转换的帧，未写入脚本！", "ok")
        self.assertEqual((self.folder.path / "jb_homa" / "jb_rec.ini").read_bytes(), b"old")

        self.folder.write_text("jb_rec/jb_rec.ini", three_frames.replace("value=3", "value=4000000"), "ascii")
        self.driver.click(convert)
        answer("该脚本文件已存在，是否覆盖原有的文件？", "yes")
        answer("名为：'jb_rec'的录制记有4000000帧，文件中只有3帧，脚本只含这3帧！", "ok")
        answer("已转换为脚本，是否打开编辑？", "no")
        self.assertEqual((self.folder.path / "jb_homa" / "jb_rec.ini").read_bytes().decode("gbk").split("\r\n"),
                         ["开始", "鼠标移至X=50y=60", "延时20毫秒", "按下鼠标左键", "延时20毫秒", "弹起鼠标左键", "延时20毫秒", "结束", ""])


if __name__ == "__main__":
    unittest.main()
