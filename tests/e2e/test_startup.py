"""Starting and leaving Tapmill: the main window, the refusal of a second instance (which brings the
first back from the tray), and the question before quitting."""

import unittest

import tapmill_e2e as e2e
from main_window import KEYS_NOTICE_CLASS, MainWindow
from tapmill_e2e import E2ETestCase

MAIN_WINDOW_CLASS = "TForm_maintapmill"
WM_SYSCOMMAND = 0x0112
SC_MINIMIZE = 0xF020
REMINDER = "提醒！"


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class StartupTest(E2ETestCase):
    def setUp(self):
        self.folder = self.program_folder()
        self.driver = self.start_driver()

    def start_first(self):
        process = self.start_tapmill(self.folder)
        main = self.driver.wait_window(MAIN_WINDOW_CLASS)
        # The window exists before its controls do; it is shown once they are all there.
        e2e.wait_until(lambda: self.driver.is_visible(main), "the main window to be shown")
        return process, main

    def test_first_start_shows_the_main_window(self):
        _, main = self.start_first()
        self.assertEqual(self.driver.get_text(main), "Tapmill V3.3")
        self.assertTrue(self.driver.is_visible(main))
        e2e.screenshot("startup")

    def quit(self, process, main):
        self.driver.close(main)
        box, _ = self.driver.msgbox()
        self.driver.press(box, "yes")
        process.wait_exit()

    def test_the_first_start_tells_of_the_global_keys_until_told_no_more(self):
        self.folder = self.program_folder(notice_dismissed=False)
        for start in range(3):
            process = self.start_tapmill(self.folder)
            main = MainWindow(self.driver)
            if start == 2:
                with self.assertRaises(e2e.UiDriverError):
                    self.driver.wait_window(KEYS_NOTICE_CLASS, timeout=3)
                break
            notice = self.driver.wait_window(KEYS_NOTICE_CLASS)
            e2e.wait_until(lambda: self.driver.is_visible(notice), "the notice of the global keys")
            texts = [row[-1] for row in self.driver.controls(notice)]
            self.assertIn("录制 Ctrl+W　停止 Ctrl+Q　播放 Ctrl+Z　暂停 F9", texts)
            self.assertTrue(self.driver.is_enabled(main.hwnd), "the notice blocks nothing")
            if start == 0:
                e2e.screenshot("keys-notice")
                # 按键选项 leads to the keys; closed without 不再提示, the notice comes again.
                self.driver.click(self.driver.find(notice, "按键选项"))
                e2e.wait_until(lambda: self.driver.is_visible(main.panel("Panel_set")), "the options panel")
            else:
                self.driver.click(self.driver.find(notice, "不再提示"))
                self.driver.click(self.driver.find(notice, "知道了"))
            e2e.wait_until(lambda: not self.driver.is_visible(notice), "the notice to close")
            self.quit(process, main.hwnd)

    def test_second_start_is_refused_and_leaves_the_first_and_the_folder_alone(self):
        first, main = self.start_first()
        before = self.folder.listing()

        second = self.start_tapmill(self.folder)
        box, text = self.driver.msgbox()
        self.assertEqual(text, "该程序已经有一个在运行中！")
        self.assertEqual(self.driver.msgbox_caption(box), REMINDER)
        self.assertEqual(self.driver.owner(box), 0)
        e2e.screenshot("startup-second-instance")
        self.driver.press(box, "ok")

        self.assertEqual(second.wait_exit(), 0)
        self.assertTrue(first.running())
        self.assertEqual(self.driver.wait_window(MAIN_WINDOW_CLASS), main)
        self.assertEqual(self.folder.listing(), before)

    def test_second_start_brings_the_first_back_from_the_tray(self):
        first, main = self.start_first()
        self.driver.post(main, WM_SYSCOMMAND, SC_MINIMIZE, 0)
        e2e.wait_until(lambda: not self.driver.is_visible(main), "the window to go into the tray")

        second = self.start_tapmill(self.folder)
        box, text = self.driver.msgbox()
        self.assertEqual(text, "该程序已经有一个在运行中！")
        self.assertFalse(self.driver.is_visible(main), "the window comes back only after the message")
        self.driver.press(box, "ok")
        self.assertEqual(second.wait_exit(), 0)

        e2e.wait_until(lambda: self.driver.is_visible(main), "the running window to come back")
        e2e.wait_until(lambda: self.driver.foreground() == main, "the running window to come to the front")
        left, top, _, _ = self.driver.rect(main)
        self.assertGreater(min(left, top), -10000, "restored, not left minimised off the screen")
        e2e.screenshot("startup-second-start-from-tray")
        self.assertTrue(first.running())

    def test_closing_asks_first_and_no_keeps_it_running(self):
        process, main = self.start_first()

        self.driver.close(main)
        box, text = self.driver.msgbox()
        self.assertEqual(text, "是否真的要退出Tapmill？")
        self.assertEqual(self.driver.msgbox_caption(box), REMINDER)
        self.driver.press(box, "no")
        e2e.wait_until(lambda: not self.driver.is_visible(box), "the question to go away")
        # It answers messages, so it is alive and its window is still up, not merely ending slowly.
        self.driver.send(main, e2e.WM_NULL)
        self.assertTrue(self.driver.is_visible(main))
        self.assertTrue(process.running())

        self.driver.close(main)
        box, text = self.driver.msgbox()
        self.assertEqual(text, "是否真的要退出Tapmill？")
        self.driver.press(box, "yes")
        process.wait_exit()


if __name__ == "__main__":
    unittest.main()
