"""Plan tasks in the real program: a once-only task and a daily task added through the plan window,
the plan started and the program restarted; the plan resumes by itself and each task plays into
target.exe at its second. A daily task due on its own date plays once."""

import datetime
import time
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

CLOCK_FORMAT = "%Y-%m-%d %H:%M:%S"

# A recording (a left click and the key A) and a hand-written script (a right click and the key B),
# with what target.exe logs for one pass of each.
RECORDING = ("[0]\r\nx=100\r\ny=100\r\n[1]\r\nkp=WM_LBUTTONDOWN\r\nx=200\r\ny=150\r\n"
             "[2]\r\nkp=WM_LBUTTONUP\r\nx=200\r\ny=150\r\n[3]\r\nkp=k65\r\nx=300\r\ny=300\r\n[all]\r\nvalue=4\r\n")
RECORDING_PASS = [("LDOWN", 200, 150), ("LUP", 200, 150), ("KEYDOWN", 65), ("KEYUP", 65)]
SCRIPT = ["开始", "鼠标移至X=400y=300", "单击鼠标右键", "单击键盘的B", "结束"]
SCRIPT_PASS = [("RDOWN", 400, 300), ("RUP", 400, 300), ("KEYDOWN", 66), ("KEYUP", 66)]


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class PlanWindow:
    """The plan window as a user finds its controls: by caption, inside its four groups."""

    def __init__(self, driver):
        self.driver = driver
        self.hwnd = driver.wait_window_caption("计划任务")
        e2e.wait_until(lambda: driver.is_visible(self.hwnd), "the plan window to be shown")

    def group(self, name):
        return self.driver.find(self.hwnd, name)

    def button(self, caption):
        return self.driver.find(self.hwnd, caption)

    def pick(self, moment):
        time_group = self.group("Panel6")
        self.driver.dtp_set(self.driver.find_class(time_group, "SysDateTimePick32", 0), moment.year, moment.month,
                            moment.day, 0, 0, 0)
        self.driver.dtp_set(self.driver.find_class(time_group, "SysDateTimePick32", 1), 2000, 1, 1, moment.hour,
                            moment.minute, moment.second)

    def add(self, name, kind, script, moment, count, daily=False):
        scripts = self.group("Panel7")
        self.driver.click(self.driver.find(scripts, kind))
        index = 0 if kind == "录制的脚本:" else 1
        self.driver.combo_select(self.driver.find_class(scripts, "ComboBox", index), script)
        self.pick(moment)
        settings = self.group("Panel5")
        self.driver.set_text(self.driver.find_class(settings, "Edit", 0), str(count))
        every_day = self.driver.find_class(settings, "Button", 1)
        if (self.driver.is_checked(every_day) == 1) != daily:
            self.driver.click(every_day)
            e2e.wait_until(lambda: (self.driver.is_checked(every_day) == 1) == daily, "the every-day box")
        self.driver.set_text(self.driver.find_class(self.group("Panel3"), "Edit", 0), name)
        before = len(self.tasks())
        self.driver.click(self.button("添加任务"))
        e2e.wait_until(lambda: len(self.tasks()) > before, f"task {name} to be listed")

    def tasks(self):
        return self.driver.list_items(self.driver.find_class(self.group("Panel3"), "ListBox"))

    def state(self):
        return self.driver.get_text(self.driver.find_class(self.group("Panel3"), "Static", 2))


class PlanTest(E2ETestCase):
    def start(self):
        process = self.start_tapmill(self.folder)
        main = MainWindow(self.driver)
        main.show_panel("Panel_time")
        return process, main

    def clock(self, main):
        field = main.field_beside("Panel_time", "当前系统时间：")
        text = e2e.wait_until(lambda: self.driver.get_text(field), "the clock to show the time")
        return datetime.datetime.strptime(text, CLOCK_FORMAT)

    def quit(self, main, process):
        self.driver.close(main.hwnd)
        box, text = self.driver.msgbox()
        self.assertEqual(text, "是否真的要退出Tapmill？")
        self.driver.press(box, "yes")
        process.wait_exit()

    def test_tasks_added_and_started_resume_after_a_restart_and_each_plays_at_its_second(self):
        self.folder = self.program_folder()
        self.folder.write_text("jb_rec/demo.ini", RECORDING, "ascii")
        self.folder.write_text("jb_homa/脚本.ini", "\r\n".join(SCRIPT) + "\r\n", "gbk")
        self.driver = self.start_driver()
        process, main = self.start()
        self.assertEqual(main.status(2), "计划任务:未启动")

        self.driver.click(main.in_panel("Panel_time", "计划任务"))
        plan = PlanWindow(self.driver)
        self.assertEqual(self.driver.owner(plan.hwnd), main.hwnd)
        now = self.clock(main)
        once_at = now + datetime.timedelta(seconds=14)
        # The daily task carries a date next year: only its time of day counts.
        daily_at = now + datetime.timedelta(seconds=17)
        plan.add("一次", "录制的脚本:", "demo", once_at, 1)
        plan.add("每天", "自编的脚本:", "脚本", daily_at.replace(year=daily_at.year + 1), 2, daily=True)
        # Each task shows when it starts, its script and the script's kind.
        self.assertEqual(plan.tasks(), ["一次　" + once_at.strftime("%Y-%m-%d %H:%M:%S") + "　demo（录制）",
                                        "每天　每天 " + daily_at.strftime("%H:%M:%S") + "　脚本（自编）"])
        self.driver.click(plan.button("启动计划"))
        e2e.wait_until(lambda: main.status(2) == "计划任务:已启动", "the plan to start")
        self.assertEqual(plan.state(), "计划状况:已启动")
        self.assertFalse(self.driver.is_enabled(plan.group("Panel3")))
        self.assertFalse(self.driver.is_enabled(plan.button("启动计划")))
        e2e.screenshot("plan-window-started")

        self.assertEqual(
            (self.folder.path / "plan.ini").read_bytes(),
            ("[一次]\r\nTime=" + once_at.strftime("%Y%m%d%H%M%S") + "\r\njbname=demoR\r\nspeed=5\r\ntimes=1\r\nE=N\r\n"
             "[每天]\r\nTime=" + daily_at.replace(year=daily_at.year + 1).strftime("%Y%m%d%H%M%S") +
             "\r\njbname=脚本M\r\ntimes=2\r\nE=Y\r\n").encode("gbk"))
        self.assertIn(b"state=true", (self.folder.path / "config.ini").read_bytes())

        self.driver.close(plan.hwnd)
        e2e.wait_until(lambda: not self.driver.is_visible(plan.hwnd), "the plan window to close")
        self.quit(main, process)

        process, main = self.start()
        self.assertEqual(main.status(2), "计划任务:已启动")
        self.assertLess(self.clock(main), once_at, "the restart took too long for the test")
        target = self.start_target()
        expected = RECORDING_PASS + SCRIPT_PASS * 2
        events = target.wait_events(len(expected), timeout=e2e.WAIT_SECONDS + 20)
        self.assertEqual(events, expected)
        stamps = [stamp for _, stamp in target.timed_events()]
        gap = (stamps[len(RECORDING_PASS)] - stamps[0]) / 1000
        self.assertAlmostEqual(gap, (daily_at - once_at).total_seconds(), delta=0.9)
        time.sleep(1.5)
        self.assertEqual(len(target.events()), len(expected), "each task starts once")
        self.assertTrue(process.running())


    def test_a_daily_task_due_on_its_own_date_plays_once(self):
        self.folder = self.program_folder()
        self.folder.write_text("jb_rec/demo.ini", RECORDING, "ascii")
        section = "[每天]\r\nTime={}\r\njbname=demoR\r\nspeed=5\r\ntimes=1\r\nE=Y\r\n"
        self.folder.write_text("plan.ini", section.format("0"), "gbk")
        self.folder.write_bytes("config.ini", e2e.NOTICE_DISMISSED + b"[plan]\r\nstate=true\r\n")
        self.driver = self.start_driver()
        _, main = self.start()
        target = self.start_target()
        # Listed at the show; its moment is set now, a few seconds ahead, on today's date.
        due = self.clock(main) + datetime.timedelta(seconds=3)
        self.folder.write_text("plan.ini", section.format(due.strftime("%Y%m%d%H%M%S")), "gbk")
        self.assertEqual(target.wait_events(len(RECORDING_PASS)), RECORDING_PASS)
        time.sleep(2)
        self.assertEqual(len(target.events()), len(RECORDING_PASS), "both tests match, yet it plays once")


if __name__ == "__main__":
    unittest.main()
