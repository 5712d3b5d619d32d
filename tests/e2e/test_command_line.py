"""The command line: a later start hands its command to the running program, or the program starts
and carries it out itself; target.exe logs what was played."""

import tempfile
import time
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase, WineProcess


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class CommandLineTest(E2ETestCase):
    def setUp(self):
        # Near the corners of the screen, where the main window never stands over target.exe.
        width, height = e2e.screen_size()
        self.corner = (40, 40)
        self.far_corner = (width - 40, height - 40)
        self.one_pass = [("LDOWN", *self.corner), ("LUP", *self.corner),
                         ("RDOWN", *self.far_corner), ("RUP", *self.far_corner)]
        self.folder = self.program_folder()
        self.folder.write_text("jb_rec/demo.ini", e2e.recording_text([
            (*self.corner, "WM_LBUTTONDOWN"), (*self.corner, "WM_LBUTTONUP"),
            (*self.far_corner, "WM_RBUTTONDOWN"), (*self.far_corner, "WM_RBUTTONUP")]), "ascii")
        # A pause after each move: under Wine, target.exe can take the pointer back to where an
        # earlier move put it when it reads that move late, and a click at once would land there.
        self.folder.write_bytes("jb_homa/演示.ini", "\r\n".join([
            "开始", "延时300毫秒", f"鼠标移至X={self.corner[0]}y={self.corner[1]}", "延时100毫秒", "单击鼠标左键",
            f"鼠标移至X={self.far_corner[0]}y={self.far_corner[1]}", "延时100毫秒", "单击鼠标右键", "结束", ""]).encode("gbk"))
        self.driver = self.start_driver()

    def start_running_instance(self):
        self.start_tapmill(self.folder)
        self.main = MainWindow(self.driver)
        self.target = self.start_target()

    def command(self, *args):
        """A later start of the program with these arguments; gives its exit code."""
        process = WineProcess(self.folder.path / "tapmill.exe", args, cwd=self.folder.path)
        self.addCleanup(process.kill)
        return process.wait_exit()

    def assert_no_box(self):
        with self.assertRaises(e2e.UiDriverError):
            self.driver.msgbox(timeout=1.0)

    def write_click_journal(self, name):
        clicks = [(0x0201, *self.corner), (0x0202, *self.corner), (0x0204, *self.far_corner), (0x0205, *self.far_corner)]
        lines = []
        for number, (message, x, y) in enumerate(clicks):
            lines += [f"[{number}]", "iCode=0", "wParam=0", f"message={message}", f"paramL={x}", f"paramH={y}",
                      f"time={1000 + number * 50}", "hwnd=0"]
        self.folder.write_text(f"jb_strec/{name}.ini", "\r\n".join(lines + ["[end]", f"all={len(clicks)}", ""]), "ascii")

    def wait_idle(self):
        self.main.wait_status("当前状态：", "the program to be idle")

    def test_a_running_program_plays_a_handed_over_recording_twice(self):
        self.start_running_instance()
        self.assertEqual(self.command("/play", "demo", "/count", "2", "/speed", "10"), 0)
        self.target.wait_events(2 * len(self.one_pass))
        self.wait_idle()
        self.assertEqual(self.target.events(), self.one_pass * 2)

    def test_a_running_program_runs_a_script_with_a_chinese_name(self):
        self.start_running_instance()
        self.assertEqual(self.command("/run", "演示"), 0)
        self.target.wait_events(len(self.one_pass))
        self.wait_idle()
        self.assertEqual(self.target.events(), self.one_pass)

    def test_a_running_program_plays_a_handed_over_journal_twice(self):
        self.write_click_journal("走法")
        self.start_running_instance()
        self.assertEqual(self.command("/journal", "走法", "/count", "2"), 0)
        self.target.wait_events(2 * len(self.one_pass))
        self.wait_idle()
        self.assertEqual(self.target.wait_quiet(), self.one_pass * 2)

    def test_a_journal_command_plays_its_own_count_and_leaves_the_endless_box_ticked(self):
        self.write_click_journal("走法")
        self.start_running_instance()
        self.main.show_panel("Panel_strec")
        box = self.main.in_panel("Panel_strec", "无限循环播放")
        self.driver.click(box)
        e2e.wait_until(lambda: self.driver.is_checked(box) == 1, "the endless box")

        self.assertEqual(self.command("/journal", "走法", "/count", "1"), 0)
        self.target.wait_events(len(self.one_pass))
        self.wait_idle()
        time.sleep(1)  # an endless playback would go on
        self.assertEqual(self.target.events(), self.one_pass)
        self.assertEqual(self.driver.is_checked(box), 1)
        self.assertFalse(self.driver.is_enabled(self.main.field_beside("Panel_strec", "播放次数：")))
        e2e.screenshot("command-line-journal-box-kept")

    def test_a_name_that_does_not_exist_is_refused_with_exit_code_1_and_no_box(self):
        self.start_running_instance()
        self.main.show_panel("Panel_homa")
        table = self.driver.find_class(self.main.panel("Panel_homa"), "SysListView32")
        self.driver.lv_select(table, 0)
        self.driver.click(self.main.in_panel("Panel_homa", "启用"))
        e2e.wait_until(lambda: self.driver.lv_text(table, 0, 2) == "是", "演示 enabled")

        for action in ("/play", "/run"):
            with self.subTest(action):
                self.assertEqual(self.command(action, "NOSUCH"), 1)
                self.assert_no_box()
                self.assertEqual(self.main.status(0), "'NOSUCH'不存在，已拒绝命令")
        e2e.xdotool("search", "--name", "^Tapmill V3.3$", "windowraise")  # over target.exe, for the picture
        e2e.screenshot("command-line-name-refused")
        self.assertEqual(self.driver.lv_text(table, 0, 2), "是")

        self.driver.click(self.main.in_panel("Panel_homa", "运行"))
        self.target.wait_events(len(self.one_pass))
        self.wait_idle()
        self.assertEqual(self.target.events(), self.one_pass)

    def test_without_a_running_program_play_starts_it_and_plays(self):
        self.target = self.start_target()
        self.start_tapmill(self.folder, "/play", "demo")
        self.main = MainWindow(self.driver)
        self.target.wait_events(len(self.one_pass))
        self.wait_idle()
        self.assertEqual(self.target.events(), self.one_pass)
        e2e.screenshot("command-line-started-and-played")

    def test_stop_ends_an_endless_playback_and_a_busy_program_refuses_other_commands(self):
        self.start_running_instance()
        self.assertEqual(self.command("/play", "demo", "/loop"), 0)
        self.target.wait_events(3 * len(self.one_pass))

        self.assertEqual(self.command("/run", "演示"), 1)
        self.assertEqual(self.main.status(0), "正忙，已拒绝命令行的命令")
        e2e.screenshot("command-line-refused-while-busy")

        self.assertEqual(self.command("/stop"), 0)
        self.wait_idle()
        played = len(self.target.wait_quiet())
        time.sleep(1)
        self.assertEqual(len(self.target.events()), played)

    def test_a_command_while_the_exit_question_is_open_is_refused_as_busy(self):
        self.start_running_instance()
        self.driver.close(self.main.hwnd)
        box, text = self.driver.msgbox()
        self.assertEqual(text, "是否真的要退出Tapmill？")
        self.assertEqual(self.command("/play", "demo"), 1)
        time.sleep(1)
        self.assertEqual(self.target.events(), [], "nothing plays inside the question")
        self.assertEqual(self.main.status(0), "正忙，已拒绝命令行的命令")
        self.driver.press(box, "no")

    def test_a_start_that_refuses_a_control_key_of_config_ini_plays_its_command_at_once(self):
        """Two control keys config.ini gives one combination: the start that
        carries out a command (from the Task Scheduler, with nobody to answer a box) tells it
        beside the main window without waiting, and keeps the keys in force for the next start."""
        self.folder.write_bytes("config.ini", e2e.NOTICE_DISMISSED + b"[controlkeys]\r\nrecord=Ctrl+Q\r\nstop=Ctrl+Q\r\n")
        self.target = self.start_target()
        self.start_tapmill(self.folder, "/play", "demo")
        self.main = MainWindow(self.driver)
        self.target.wait_events(len(self.one_pass))
        self.wait_idle()
        self.assertEqual(self.target.events(), self.one_pass)
        notice = self.driver.wait_window("TForm_keysnotice")
        self.driver.find(notice, "config.ini 中的控制热键有冲突：")
        e2e.screenshot("control-key-conflict-told-beside-a-command")
        self.assertIn(b"record=Ctrl+W", (self.folder.path / "config.ini").read_bytes())

    def test_a_command_while_the_editor_stepped_aside_for_point_capture_is_refused_as_busy(self):
        self.start_running_instance()
        self.driver.click(self.main.in_panel("Panel_homa", "编辑"))
        box, _ = self.driver.msgbox()
        self.driver.press(box, "yes")
        editor = self.driver.wait_window("TForm_homa")
        e2e.wait_until(lambda: self.driver.is_visible(editor), "the editor to show")
        self.driver.click(self.driver.find(editor, "开始抓点"))
        box, _ = self.driver.msgbox()
        self.driver.press(box, "yes")
        e2e.wait_until(lambda: not self.driver.is_visible(editor), "the editor to step aside")

        self.assertEqual(self.command("/play", "demo"), 1)
        self.assertEqual(self.main.status(0), "正忙，已拒绝命令行的命令")

    def test_bad_arguments_print_the_usage_exit_with_2_and_play_nothing(self):
        self.start_running_instance()
        bad = ["/play", "demo", "/count", "twice"]
        # A file, not a pipe: Wine's services may hold a pipe open long after the program ended.
        with tempfile.TemporaryFile() as output:
            process = WineProcess(self.folder.path / "tapmill.exe", bad, cwd=self.folder.path, stderr=output)
            self.addCleanup(process.kill)
            self.assertEqual(process.wait_exit(), 2)
            output.seek(0)
            # UTF-8, whatever the system's code page: the Chinese reads on any locale.
            printed = output.read().decode("utf-8")
        self.assertIn("/count", printed)
        self.assertIn("tapmill.exe /journal", printed)
        self.assertIn("停止正在播放或运行的脚本", printed)
        self.assert_no_box()

        # "/?" asks for the usage: a box shows it.
        process = WineProcess(self.folder.path / "tapmill.exe", ["/?"], cwd=self.folder.path)
        self.addCleanup(process.kill)
        box, text = self.driver.msgbox()
        self.assertIn("录制按键（强化）", text)
        time.sleep(0.5)  # the box draws its text after it is found
        e2e.screenshot("command-line-usage")
        self.driver.press(box, "ok")
        self.assertEqual(process.wait_exit(), 0)
        time.sleep(0.5)
        self.assertEqual(self.target.events(), [])
        self.assertEqual(self.main.status(0), "当前状态：")


if __name__ == "__main__":
    unittest.main()
