"""Hand-written scripts: listed on the script panel, enabled there and run into target.exe, by the
Run button and by Ctrl+E, and stopped by the real Ctrl+Q; typed text, loops and waits for a window
that target.exe opens, and for a picture it paints."""

import time
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

LVM_GETITEMCOUNT = 0x1004
PBM_GETPOS = 0x0408
VK_CONTROL, VK_E, VK_SHIFT, VK_B = 17, 69, 16, 66
MK_SHIFT = 4
SECOND_WINDOW = "tapmill-second"
# The size of the picture taken from a window's top right corner: its title bar and the top of
# what it shows there.
CORNER = (48, 48)

# A script written by hand as the editor would write it: moves, clicks, key clicks and Ctrl+A.
# The first delay lets the keys of a hot key that started the run come up before it injects any.
DEMO = [
    "开始",
    "延时300毫秒",
    "鼠标移至X=200y=150",
    "单击鼠标左键",
    "鼠标移至X=400y=300",
    "单击鼠标右键",
    "鼠标移至X=600y=200",
    "双击鼠标左键",
    "鼠标移至X=300y=400",
    "单击键盘的A",
    "单击键盘的F5",
    "按下键盘的CONTROL",
    "单击键盘的A",
    "弹起键盘的CONTROL",
    "结束",
]

# What target.exe must log for one pass of it.
ONE_PASS = [
    ("LDOWN", 200, 150), ("LUP", 200, 150),
    ("RDOWN", 400, 300), ("RUP", 400, 300),
    ("LDOWN", 600, 200), ("LUP", 600, 200), ("LDOWN", 600, 200), ("LUP", 600, 200),
    ("KEYDOWN", 65), ("KEYUP", 65),
    ("KEYDOWN", 116), ("KEYUP", 116),
    ("KEYDOWN", VK_CONTROL), ("KEYDOWN", 65), ("KEYUP", 65), ("KEYUP", VK_CONTROL),
]


def script_bytes(lines):
    return ("\r\n".join(lines) + "\r\n").encode("gbk")


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class ScriptPanelTest(E2ETestCase):
    def start(self, scripts):
        """Writes the scripts into jb_homa, starts the program and shows the script panel."""
        self.folder = self.program_folder()
        for name, lines in scripts.items():
            self.folder.write_bytes(f"jb_homa/{name}.ini", script_bytes(lines))
        self.start_tapmill(self.folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)
        self.main.show_panel("Panel_homa")
        self.table = self.driver.find_class(self.main.panel("Panel_homa"), "SysListView32")

    def button(self, caption):
        return self.main.in_panel("Panel_homa", caption)

    def rows(self):
        count = self.driver.send(self.table, LVM_GETITEMCOUNT)
        return [tuple(self.driver.lv_text(self.table, row, column) for column in range(3)) for row in range(count)]

    def enable(self, name):
        row = [r[1] for r in self.rows()].index(name)
        self.driver.lv_select(self.table, row)
        self.driver.click(self.button("启用"))
        e2e.wait_until(lambda: self.rows()[row][2] == "是", f"{name} to be enabled")

    def set_count(self, count):
        self.driver.set_text(self.driver.find_class(self.main.panel("Panel_homa"), "Edit"), str(count))

    def progress(self):
        return self.driver.send(self.driver.find_class(self.main.panel("Panel_homa"), "msctls_progress32"), PBM_GETPOS)

    def wait_running(self):
        e2e.wait_until(lambda: self.main.status(0) == "当前状态：运行脚本……", "the script to run")

    def wait_idle(self):
        self.main.wait_status("当前状态：", "the run to end")

    def test_the_panel_lists_the_scripts_with_their_chinese_names(self):
        self.start({"演示": DEMO, "second": ["开始", "结束"]})
        rows = self.rows()
        # Numbered in the order the folder lists them.
        self.assertEqual([r[0] for r in rows], ["1", "2"])
        self.assertCountEqual([r[1:] for r in rows], [("演示", "否"), ("second", "否")])
        self.enable("演示")
        self.assertEqual({r[1]: r[2] for r in self.rows()}, {"演示": "是", "second": "否"})
        e2e.screenshot("scripts-panel")

    def test_an_enabled_script_runs_twice_into_the_target_then_again_by_ctrl_e(self):
        self.start({"演示": DEMO})
        self.enable("演示")
        self.set_count(2)
        target = self.start_target()

        self.driver.click(self.button("运行"))
        target.wait_events(2 * len(ONE_PASS))
        self.wait_idle()
        self.assertEqual(target.events(), ONE_PASS * 2)
        self.assertEqual(self.progress(), 100)
        self.assertTrue(self.driver.is_enabled(self.button("运行")))

        before = len(target.events())
        e2e.key("ctrl+e")

        def second_run_done():
            new = target.events()[before:]
            return new if new[-2 * len(ONE_PASS):] == ONE_PASS * 2 else None
        try:
            new = e2e.wait_until(second_run_done, "the run started by Ctrl+E")
        except AssertionError:
            raise AssertionError(f"logged after Ctrl+E: {target.events()[before:]}") from None
        self.wait_idle()
        # Ahead of the script's events stand only the hot key's own Ctrl and E coming and going.
        for event in new[:-2 * len(ONE_PASS)]:
            self.assertIn(event[0], ("KEYDOWN", "KEYUP"))
            self.assertIn(event[1], (VK_CONTROL, VK_E))
        self.assertEqual(self.progress(), 100)
        # The target covers the whole screen: take it away before the picture.
        target_window = self.driver.wait_window_caption("tapmill-target")
        target.stop()
        e2e.wait_until(lambda: not self.driver.is_visible(target_window), "the target to go away")
        time.sleep(0.5)  # for the main window to repaint what the target covered
        e2e.screenshot("scripts-panel-after-run")

    def test_an_endless_script_without_delays_stops_on_ctrl_q(self):
        self.start({"busy": ["开始", "鼠标移至X=320y=240", "鼠标移至X=330y=250", "结束"]})
        self.enable("busy")
        loop = self.main.in_panel("Panel_homa", "无限循环播放")
        self.driver.click(loop)
        e2e.wait_until(lambda: self.driver.is_checked(loop) == 1, "the endless box to be ticked")
        self.start_target()

        self.driver.click(self.button("运行"))
        self.wait_running()
        e2e.wait_until(lambda: self.driver.cursor() in ((320, 240), (330, 250)), "the script to move the pointer")
        self.assertFalse(self.driver.is_enabled(self.button("运行")))

        e2e.key("ctrl+q")
        self.wait_idle()
        self.assertTrue(self.driver.is_enabled(self.button("运行")))
        # It no longer moves the pointer.
        e2e.mouse_move(500, 500)
        self.assertEqual(self.driver.cursor(), (500, 500))

    def test_a_paused_endless_script_stopped_with_ctrl_q_runs_no_more_lines(self):
        self.start({"clicks": ["开始", "鼠标移至X=300y=300", "单击鼠标左键", "延时100毫秒", "单击键盘的A", "结束"]})
        self.enable("clicks")
        loop = self.main.in_panel("Panel_homa", "无限循环播放")
        self.driver.click(loop)
        e2e.wait_until(lambda: self.driver.is_checked(loop) == 1, "the endless box to be ticked")
        target = self.start_target()
        self.driver.click(self.button("运行"))
        target.wait_events(8)
        pause = self.button("暂停")
        self.driver.click(pause)
        e2e.wait_until(lambda: self.driver.get_text(pause) == "继续", "the pause to show")
        paused = len(target.wait_quiet())
        e2e.key("ctrl+q")
        self.wait_idle()
        # Only the stop key's own Ctrl and the release of what the pause held may come after it.
        added = target.wait_quiet()[paused:]
        self.assertEqual([e for e in added if e[0] in ("LDOWN", "RDOWN") or (e[0] == "KEYDOWN" and e[1] != VK_CONTROL)],
                         [])

    def test_a_run_stopped_while_holding_keys_and_buttons_lets_go_of_them(self):
        self.start({"hold": ["开始", "鼠标移至X=250y=250", "按下键盘的SHIFT", "按下鼠标左键", "延时3000毫秒",
                             "弹起鼠标左键", "弹起键盘的SHIFT", "结束"]})
        self.enable("hold")
        target = self.start_target()

        self.driver.click(self.button("运行"))
        # The press comes with Shift held (MK_SHIFT), the release after Shift has gone.
        self.assertEqual(target.wait_events(2), [("KEYDOWN", VK_SHIFT), ("LDOWN", 250, 250, MK_SHIFT)])
        self.driver.click(self.button("结束"))
        self.wait_idle()
        self.assertEqual(target.wait_events(4)[2:], [("KEYUP", VK_SHIFT), ("LUP", 250, 250)])


    def run_script(self, name, **target_options):
        """Enables the script and runs it once into a target started with these options."""
        self.enable(name)
        target = self.start_target(**target_options)
        self.driver.click(self.button("运行"))
        return target

    def stamp(self, target, event):
        return next(stamp for (name, *_), stamp in target.timed_events() if name == event)

    def assert_jumped_after_the_limit(self, target, limit_ms=1000):
        """A script that right-clicks, waits with a limit (1 s unless told) and jumps to a label that
        presses B: the label's key comes from just before the limit to half a second after it, and the
        line after the wait never runs."""
        self.wait_idle()
        self.assertEqual(target.wait_events(4)[:4], [("RDOWN", 300, 300), ("RUP", 300, 300), ("KEYDOWN", VK_B),
                                                     ("KEYUP", VK_B)])
        waited = self.stamp(target, "KEYDOWN") - self.stamp(target, "RDOWN")
        self.assertTrue(limit_ms - 100 < waited < limit_ms + 500, f"the jump came {waited:.0f} ms after the wait began")
        target.stop()

    def assert_stopped_at_the_limit(self, target, line, reason):
        """The same script without the label to jump to: the run stops at the wait, line 4, naming it."""
        box, text = self.driver.msgbox()
        self.assertEqual(text, "脚本已停止！\n第4行：" + line + "\n" + reason)
        self.driver.press(box, "ok")
        self.wait_idle()
        self.assertEqual([e for e in target.events() if e[0] != "OPENED"], [("RDOWN", 300, 300), ("RUP", 300, 300)])

    def test_typed_text_arrives_as_exactly_its_characters(self):
        text = "你好, Tapmill! ①②"
        self.start({"text": ["开始", "输入文本：" + text, "结束"]})
        target = self.run_script("text", detail=True)
        self.wait_idle()
        chars = [event[1] for event in target.wait_quiet() if event[0] == "CHAR"]
        self.assertEqual("".join(map(chr, chars)), text)

    def test_a_loop_of_three_clicks_inside_a_loop_of_two_clicks_six_times(self):
        self.start({"loops": ["开始", "鼠标移至X=300y=300", "循环2次", "循环3次", "单击鼠标左键", "循环结束", "循环结束",
                              "结束"]})
        target = self.run_script("loops")
        self.wait_idle()
        self.assertEqual(target.wait_quiet(), [("LDOWN", 300, 300), ("LUP", 300, 300)] * 6)

    def test_a_wait_for_a_window_goes_on_soon_after_it_opens(self):
        self.start({"wait": ["开始", "鼠标移至X=300y=300", "单击鼠标右键", "等待窗口：" + SECOND_WINDOW, "单击鼠标左键",
                             "结束"]})
        target = self.run_script("wait", opens=(SECOND_WINDOW, 2000))
        self.wait_idle()
        self.assertEqual([e[0] for e in target.wait_quiet()], ["RDOWN", "RUP", "OPENED", "LDOWN", "LUP"])
        waited = self.stamp(target, "LDOWN") - self.stamp(target, "OPENED")
        self.assertLess(waited, 300, "ms from the window's opening to the next line")

    def test_a_wait_whose_limit_passes_jumps_or_stops_as_written(self):
        jumping = ["开始", "鼠标移至X=300y=300", "单击鼠标右键", "等待窗口：" + SECOND_WINDOW + "，限时1秒，否则跳到：没等到",
                   "单击鼠标左键", "标签：没等到", "单击键盘的B", "结束"]
        stopping = [line.replace("，否则跳到：没等到", "") for line in jumping]
        self.start({"jumping": jumping, "stopping": stopping})
        self.assert_jumped_after_the_limit(self.run_script("jumping", opens=(SECOND_WINDOW, 2000)))
        self.assert_stopped_at_the_limit(self.run_script("stopping", opens=(SECOND_WINDOW, 2000)),
                                         stopping[3], "限时内没有等到这个窗口")

    def test_the_programs_own_windows_never_end_a_wait_for_a_window(self):
        # The main window "Tapmill V3.3" and the state indicator are open while the run waits (the
        # target's own title holds "tapmill" too, so the wait names the main window's).
        waiting = ["开始", "鼠标移至X=300y=300", "单击鼠标右键", "等待窗口：Tapmill V，限时2秒，否则跳到：没等到",
                   "单击鼠标左键", "标签：没等到", "单击键盘的B", "结束"]
        self.start({"own": waiting})
        self.assert_jumped_after_the_limit(self.run_script("own"), limit_ms=2000)

    def test_activating_a_window_brings_it_in_front_of_the_target(self):
        self.start({"activate": ["开始", "单击鼠标右键", "激活窗口：" + SECOND_WINDOW + "，限时5秒", "结束"]})
        self.run_script("activate", opens=(SECOND_WINDOW, 500))
        second = self.driver.wait_window_caption(SECOND_WINDOW)
        self.wait_idle()
        self.assertEqual(self.driver.foreground(), second)

    def test_the_stop_key_ends_a_wait_for_a_window_or_an_image_at_once(self):
        # The run holds the left button while it waits: the stop lets go of it, which the target
        # stamps on the same clock as the Ctrl of Ctrl+Q.
        held = ["开始", "鼠标移至X=300y=300", "按下鼠标左键", "等待窗口：never-there", "结束"]
        self.start({"held": held, "heldimage": held[:3] + ["等待图片：方块"] + held[4:]})
        self.folder.write_bytes("jb_homa/图片/heldimage/方块.bmp", e2e.bmp_bytes(e2e.SQUARE_PICTURE))
        for name in ("held", "heldimage"):
            with self.subTest(name):
                target = self.run_script(name)
                target.wait_events(1)
                self.wait_running()
                time.sleep(0.5)
                e2e.key("ctrl+q")
                self.wait_idle()
                events = target.wait_events(3)
                # The stop lets go at once, while Ctrl of Ctrl+Q may still be down.
                self.assertIn(("LUP", 300, 300), [event[:3] for event in events])
                latency = self.stamp(target, "LUP") - self.stamp(target, "KEYDOWN")
                self.assertLess(latency, 100, "ms from Ctrl+Q to the end of the wait")
                target.stop()

    def test_a_wait_for_an_image_clicks_inside_it_soon_after_it_is_painted(self):
        self.start({"image": ["开始", "等待图片：方块，限时10秒", "移到找到的位置，偏移X=5y=5", "单击鼠标左键", "结束"]})
        self.folder.write_bytes("jb_homa/图片/image/方块.bmp", e2e.bmp_bytes(e2e.SQUARE_PICTURE))
        target = self.run_script("image", square=2000)
        self.wait_idle()
        events = target.wait_events(3)
        (_, left, top), (down, x, y) = events[0], events[1]
        self.assertEqual(down, "LDOWN")
        centre = e2e.SQUARE_SIDE // 2
        self.assertEqual((x, y), (left + centre + 5, top + centre + 5))
        waited = self.stamp(target, "LDOWN") - self.stamp(target, "SQUARE")
        self.assertLess(waited, 300, "ms from the painting to the click")

    def test_a_wait_for_a_colour_clicks_on_its_point_soon_after_it_is_painted(self):
        # The top left quarter of the square, a few pixels in.
        left, top = 300, 200
        self.start({"colour": ["开始", f"等待颜色：X={left + 5}y={top + 5}颜色={e2e.SQUARE_COLOURS[0]:06X}，限时10秒",
                               "移到找到的位置", "单击鼠标左键", "结束"]})
        target = self.run_script("colour", square=(2000, left, top))
        self.wait_idle()
        self.assertEqual(target.wait_events(3)[:2], [("SQUARE", left, top), ("LDOWN", left + 5, top + 5)])
        waited = self.stamp(target, "LDOWN") - self.stamp(target, "SQUARE")
        self.assertLess(waited, 300, "ms from the painting to the click")

    def test_an_image_wait_sees_the_top_right_corner_of_a_screen_filling_window_beneath_the_indicator(self):
        corner = ["开始", "延时3000毫秒", "等待图片：角，限时3秒", "移到找到的位置，偏移X=-200y=100", "单击鼠标左键", "结束"]
        self.start({"corner": corner})
        self.enable("corner")
        # Without a window manager on the virtual display a maximised window keeps its place on the X
        # screen: the target is laid over the whole screen as a maximised window lies, and paints the
        # coloured square into the top right corner of its client area there.
        width, height = e2e.screen_size()
        target = self.start_target(window=(100, 100, 500, 400), title="maximised",
                                   square=(0, width - 8 - e2e.SQUARE_SIDE, 0))
        self.driver.place(self.driver.wait_window_caption("maximised"), 0, 0, width, height)
        e2e.wait_until(lambda: target.client()[2] > 500, "the target to fill the screen")
        left, top = width - CORNER[0], 0
        seen = []
        def corner_still():
            seen.append(e2e.screen_rows(e2e.screenshot("corner-before"), left, top, *CORNER))
            return len(seen) > 1 and seen[-1] == seen[-2]
        e2e.wait_until(corner_still, "the maximised window to be painted")
        picture = seen[-1]
        self.folder.write_bytes("jb_homa/图片/corner/角.bmp", e2e.bmp_bytes(picture))

        self.driver.click(self.button("运行"))
        indicator = self.driver.wait_window("TapmillStateIndicator")
        e2e.wait_until(lambda: self.driver.is_visible(indicator), "the indicator to show")
        # The indicator lies over the corner while the run waits there.
        e2e.wait_until(lambda: e2e.screen_rows(e2e.screenshot("corner-covered"), left, top, *CORNER) != picture,
                       "the indicator to cover the corner")
        self.wait_idle()
        client_left, client_top = target.client()[:2]
        centre = (left + CORNER[0] // 2, top + CORNER[1] // 2)
        self.assertIn(("LDOWN", centre[0] - 200 - client_left, centre[1] + 100 - client_top), target.wait_events(2))

    def test_a_screen_wait_whose_limit_passes_jumps_or_stops_as_written(self):
        jumping = ["开始", "鼠标移至X=300y=300", "单击鼠标右键", "等待图片：方块，限时1秒，否则跳到：没等到", "单击鼠标左键",
                   "标签：没等到", "单击键盘的B", "结束"]
        stopping = jumping[:3] + ["等待颜色：X=300y=200颜色=D04020，限时1秒"] + jumping[4:]
        self.start({"jumping": jumping, "stopping": stopping})
        self.folder.write_bytes("jb_homa/图片/jumping/方块.bmp", e2e.bmp_bytes(e2e.SQUARE_PICTURE))
        self.assert_jumped_after_the_limit(self.run_script("jumping"))
        self.assert_stopped_at_the_limit(self.run_script("stopping"), stopping[3], "限时内这个点没有出现这个颜色")


if __name__ == "__main__":
    unittest.main()
