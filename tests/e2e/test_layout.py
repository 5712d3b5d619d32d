"""Every caption of every panel and window fits at 100%, 125%, 150% and 200% scaling, and the
keyboard works the dialogs as a user expects: Esc leaves them, Enter presses their default button.
Screenshots of every panel and window (and of the editor's text view) at 96 and 144 DPI go to the
screenshots folder."""

import unittest

import tapmill_e2e as e2e
from main_window import KEYS_NOTICE_CLASS, MainWindow, NAVIGATION
from tapmill_e2e import E2ETestCase

DPIS = (96, 120, 144, 192)
SCREENSHOT_DPIS = (96, 144)
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"


def set_dpi(dpi):
    """Wine's screen resolution, taken by the processes started after its wineserver."""
    e2e.end_session()
    e2e.wine_command("reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")
    e2e.end_session()


def setUpModule():
    e2e.start_session()


def tearDownModule():
    set_dpi(96)
    e2e.end_session()


class LayoutTest(E2ETestCase):
    def open_windows(self):
        """Each panel and window of the program: yields (name, hwnd, driver) while it shows."""
        self.start_tapmill(self.program_folder(notice_dismissed=False))
        driver = self.start_driver()
        main = MainWindow(driver)
        notice = driver.wait_window(KEYS_NOTICE_CLASS)
        e2e.wait_until(lambda: driver.is_visible(notice), "the notice of the global keys")
        yield "keys-notice", notice, driver
        driver.click(driver.find(notice, "知道了"))
        e2e.wait_until(lambda: not driver.is_visible(notice), "the notice to close")
        for panel in NAVIGATION:
            main.show_panel(panel)
            yield f"main-{panel}", main.hwnd, driver
        main.show_panel("Panel_homa")
        driver.click(main.in_panel("Panel_homa", "编辑"))
        box, _ = driver.msgbox()
        driver.press(box, "yes")
        yield from self.modal(driver, main, "TForm_homa", "editor", {"text": "文本编辑"})
        main.show_panel("Panel_time")
        driver.click(main.in_panel("Panel_time", "计划任务"))
        yield from self.modal(driver, main, "TForm_plan", "plan")
        main.show_panel("Panel_set")
        driver.click(main.in_panel("Panel_set", "热键设置"))
        yield from self.modal(driver, main, "TForm_hotkey", "hotkey")

    def modal(self, driver, main, cls, name, views=None):
        """The window, then each of its other views (name: the caption of the button that opens it)."""
        window = driver.wait_window(cls)
        e2e.wait_until(lambda: driver.is_visible(window), f"the {name} window")
        yield name, window, driver
        for view, caption in (views or {}).items():
            driver.click(driver.find(window, caption))
            yield f"{name}-{view}", window, driver
        # Esc leaves it as its exit button does.
        e2e.key("Escape")
        e2e.wait_until(lambda: not driver.is_visible(window), f"Esc to close the {name} window")
        e2e.wait_until(lambda: driver.is_enabled(main.hwnd), "the main window to take input again")

    def test_the_plan_windows_tab_order_follows_its_layout(self):
        self.start_tapmill(self.program_folder())
        driver = self.start_driver()
        main = MainWindow(driver)
        main.show_panel("Panel_time")
        driver.click(main.in_panel("Panel_time", "计划任务"))
        window = driver.wait_window("TForm_plan")
        e2e.wait_until(lambda: driver.is_visible(window), "the plan window")
        chain = [e2e.unescape(row) for row in e2e.listing_rows(driver.command(f"tab-order {window}"))]
        # Down the left column (script, time, settings), then down the right (tasks), then the
        # buttons at the bottom.
        expected = ["Button 录制的脚本:", "SysDateTimePick32", "Edit", "Button 无限循环播放", "msctls_trackbar32",
                    "Button 每天有效(忽略年月日)", "ListBox", "Edit", "Button 添加任务", "Button 启动计划"]
        remaining = iter(chain)
        missing = [want for want in expected if not any(c.startswith(want) for c in remaining)]
        self.assertEqual(missing, [], chain)
        e2e.key("Return")  # the default button, 添加任务, with nothing chosen: its refusal
        box, text = driver.msgbox()
        self.assertEqual(driver.msgbox_caption(box), "提醒！")
        driver.press(box, "ok")

    def test_every_caption_fits_at_every_scale(self):
        cut = []
        for dpi in DPIS:
            set_dpi(dpi)
            for name, hwnd, driver in self.open_windows():
                overflowing = driver.command(f"overflows {hwnd}")
                if overflowing:
                    cut += [f"{dpi} dpi, {name}: {line}" for line in e2e.listing_rows(overflowing)]
                if dpi in SCREENSHOT_DPIS:
                    e2e.screenshot(f"layout-{dpi}-{name}")
            self.doCleanups()
        self.assertEqual(cut, [])


if __name__ == "__main__":
    unittest.main()
