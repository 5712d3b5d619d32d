"""The main window on a first start in an empty folder, and each of its panels."""

import unittest

import tapmill_e2e as e2e
from main_window import NAVIGATION, MainWindow
from tapmill_e2e import E2ETestCase


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class MainWindowTest(E2ETestCase):
    def setUp(self):
        self.folder = self.program_folder()
        self.start_tapmill(self.folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)

    def test_first_start_in_an_empty_folder(self):
        self.assertEqual(self.driver.get_text(self.main.label_after("Panel_rec", "录制帧数:")), "-1")
        self.assertEqual(self.driver.get_text(self.main.label_after("Panel_strec", "录制帧数:")), "-1")
        self.assertEqual(self.main.status(0), "当前状态：")
        self.assertEqual(self.main.status(1), "定时设置：未启动")
        self.assertEqual(self.main.status(2), "计划任务:未启动")
        for box in ("录制时托盘闪烁", "播放时托盘闪烁", "程序启动时自动运行"):
            self.assertEqual(self.driver.is_checked(self.main.in_panel("Panel_set", box)), 0)

    def test_each_navigation_button_shows_its_own_panel(self):
        # At start the journal panel is the one in view.
        e2e.screenshot("main-start")
        for shown in NAVIGATION:
            self.main.show_panel(shown)
            for other in NAVIGATION:
                self.assertEqual(self.driver.is_visible(self.main.panel(other)), other == shown, other)
            self.assertFalse(self.driver.is_visible(self.main.panel("panel_logo")))
            e2e.screenshot(f"main-{shown}")


if __name__ == "__main__":
    unittest.main()
