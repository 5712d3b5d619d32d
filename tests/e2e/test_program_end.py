"""The real program never hangs or lingers: an endless playback of a recording without frames stays
stoppable, a close after a journal pause leaves no process behind, the end of the session leaves
complete recordings, the window restored from the tray comes to the front, and a message box
raised while the user works in another program opens in front of it, owned by the main window."""

import time
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

WM_QUERYENDSESSION = 0x0011
WM_ENDSESSION = 0x0016
WM_SYSCOMMAND = 0x0112
SC_MINIMIZE = 0xF020
WM_TRAYICON = 1025
WM_LBUTTONDBLCLK = 515
IDLE = "当前状态："
# How long a program that has closed may take to be gone. Without a window manager on the virtual
# display, Wine waits two seconds for each window it hides (the question, the tray's own window,
# the main window) before it gives up: about 6 s that a desktop with a window manager does not
# spend. A process parked for good never goes.
GONE_SECONDS = 10


def ini_sections(path):
    """Each section of an INI file with its keys, in file order."""
    sections = []
    for line in path.read_text(encoding="ascii").splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            sections.append((line[1:-1], {}))
        elif "=" in line and sections:
            key, value = line.split("=", 1)
            sections[-1][1][key.strip()] = value.strip()
    return sections


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class ProgramEndTest(E2ETestCase):
    def setUp(self):
        self.folder = self.program_folder()

    def start(self):
        self.process = self.start_tapmill(self.folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)

    def end_session(self):
        self.assertEqual(self.driver.send(self.main.hwnd, WM_QUERYENDSESSION), 1, "the session may end")
        self.driver.send(self.main.hwnd, WM_ENDSESSION, 1, 0)
        self.assertEqual(self.process.wait_exit(GONE_SECONDS), 0)

    def test_an_endless_playback_of_a_recording_without_a_count_answers_and_stops_on_ctrl_q(self):
        # A scratch file a crash left behind: frames, but no [all].
        frames = e2e.recording_text([(100, 100, None), (120, 110, None)])
        self.folder.write_text("jb_rec/left.ini", frames.split("[all]")[0], "ascii")
        self.start()
        self.main.choose_recording("left")
        endless = self.main.in_panel("Panel_rec", "无限循环播放")
        self.driver.click(endless)
        e2e.wait_until(lambda: self.driver.is_checked(endless), "the endless box to be ticked")

        self.driver.click(self.main.in_panel("Panel_rec", "播放"))
        e2e.wait_until(lambda: self.main.status(0) == "当前状态：播放……", "the playback to start")
        for _ in range(10):
            self.assertTrue(self.driver.answers(self.main.hwnd, 1.0), "the window stopped answering")
            time.sleep(0.2)
        e2e.key("ctrl+q")
        e2e.wait_until(lambda: self.main.status(0) == IDLE, "the playback to stop")
        self.assertTrue(self.driver.answers(self.main.hwnd, 1.0))

    def test_a_close_after_a_paused_journal_recording_leaves_no_process(self):
        self.start()
        state = self.main.label_after("Panel_strec", "信息状况:")
        e2e.key("alt+w")
        e2e.wait_until(lambda: self.driver.get_text(state) == "录制中…", "the journal recording")
        e2e.key("F10")
        e2e.wait_until(lambda: self.driver.get_text(state) == "暂停…", "the pause")
        for x in range(200, 400, 40):
            e2e.mouse_move(x, 300)
        e2e.key("alt+q")
        e2e.wait_until(lambda: self.driver.get_text(state) == "", "the journal stop")

        self.driver.close(self.main.hwnd)
        box, text = self.driver.msgbox()
        self.assertEqual(text, "是否真的要退出Tapmill？")
        self.driver.press(box, "yes")
        self.assertEqual(self.process.wait_exit(GONE_SECONDS), 0)

    def test_the_sessions_end_leaves_a_plain_recording_with_the_count_of_its_frames(self):
        self.start()
        e2e.key("ctrl+w")
        e2e.wait_until(lambda: self.main.status(0) == "当前状态：录制……", "the recording")
        for x in range(100, 500, 50):
            e2e.mouse_move(x, 200)
            time.sleep(0.05)

        self.end_session()

        sections = ini_sections(self.folder.path / "jb_rec" / "jb_rec.ini")
        count = [keys for name, keys in sections if name == "all"]
        frames = [name for name, keys in sections if name != "all"]
        self.assertEqual(len(count), 1, "the recording has its count")
        self.assertGreater(len(frames), 10)
        self.assertEqual(int(count[0]["value"]), len(frames))

    def test_the_sessions_end_leaves_a_journal_with_the_count_of_its_events(self):
        self.start()
        state = self.main.label_after("Panel_strec", "信息状况:")
        e2e.key("alt+w")
        e2e.wait_until(lambda: self.driver.get_text(state) == "录制中…", "the journal recording")
        for x in range(100, 500, 50):
            e2e.mouse_move(x, 250)
            time.sleep(0.05)
        e2e.click(300, 300)
        time.sleep(0.5)

        self.end_session()

        sections = ini_sections(self.folder.path / "jb_strec" / "stjb.ini")
        end = [keys for name, keys in sections if name == "end"]
        events = [name for name, keys in sections if name != "end"]
        self.assertEqual(len(end), 1, "the journal has its count")
        self.assertGreater(len(events), 0)
        self.assertEqual(int(end[0]["all"]), len(events))

    def test_the_window_restored_from_the_tray_comes_in_front_of_the_window_covering_it(self):
        self.start()
        target = self.start_target()
        e2e.click(500, 400)  # the user works in target.exe, which covers the screen
        self.driver.post(self.main.hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0)
        e2e.wait_until(lambda: not self.driver.is_visible(self.main.hwnd), "the window to go into the tray")
        self.assertNotEqual(self.driver.foreground(), self.main.hwnd)

        self.driver.post(self.main.hwnd, WM_TRAYICON, 100, WM_LBUTTONDBLCLK)

        e2e.wait_until(lambda: self.driver.foreground() == self.main.hwnd, "the window to come to the front", 5)
        e2e.screenshot("restored-in-front-of-target")
        self.assertTrue(target.process.running())

    def test_a_message_box_while_the_user_works_elsewhere_opens_in_front_owned_by_the_main_window(self):
        self.start()
        self.main.choose_recording("nosuch")
        self.start_target()
        e2e.click(500, 400)
        e2e.wait_until(lambda: self.driver.foreground() != self.main.hwnd, "target.exe to be in front")

        e2e.key("ctrl+z")

        box, text = self.driver.msgbox()
        self.assertEqual(text, "名为：'nosuch'脚本文件不存在！")
        self.assertEqual(self.driver.owner(box), self.main.hwnd)
        e2e.wait_until(lambda: self.driver.foreground() == box, "the message box to be in front", 5)
        e2e.screenshot("message-box-in-front-of-target")
        self.driver.press(box, "ok")


if __name__ == "__main__":
    unittest.main()
