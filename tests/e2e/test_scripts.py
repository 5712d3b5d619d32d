"""Hand-written scripts: listed on the script panel, enabled there and run into target.exe, by the
Run button and by Ctrl+E, and stopped by the real Ctrl+Q."""

import time
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

LVM_GETITEMCOUNT = 0x1004
PBM_GETPOS = 0x0408
VK_CONTROL, VK_E, VK_SHIFT = 17, 69, 16
MK_SHIFT = 4

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


if __name__ == "__main__":
    unittest.main()
