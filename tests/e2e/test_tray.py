"""The tray icon in Wine's system tray, the minimise into it and back, its pictures, and the
hot-key window opened from the options panel."""

import subprocess
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

WM_SYSCOMMAND = 0x0112
SC_MINIMIZE = 0xF020
WM_TRAYICON = 1025
WM_LBUTTONDBLCLK = 515
TRAY_WINDOW = "Wine System Tray"

# The dominant colours of the three pictures (see res/).
NORMAL_BLUE = (0x2A, 0x6F, 0xDB)
RECORDING_RED = (0xD2, 0x30, 0x30)
PLAYBACK_GREEN = (0x2E, 0x9D, 0x45)


def tray_window():
    found = subprocess.run(["xdotool", "search", "--name", TRAY_WINDOW], capture_output=True, text=True)
    ids = found.stdout.split()
    return ids[0] if ids else None


def tray_colours(name):
    """Counts the pixels of the tray window near each picture's colour, from a screenshot of it."""
    path = e2e.screenshot_window(tray_window(), name)
    pixels = subprocess.run(["convert", str(path), "-depth", "8", "txt:-"], capture_output=True, text=True).stdout
    counts = {NORMAL_BLUE: 0, RECORDING_RED: 0, PLAYBACK_GREEN: 0}
    for line in pixels.splitlines()[1:]:
        rgb = line.split("(", 1)[1].split(")", 1)[0].split(",")[:3]
        r, g, b = (int(float(v)) for v in rgb)
        for colour in counts:
            if all(abs(c - v) <= 24 for c, v in zip(colour, (r, g, b))):
                counts[colour] += 1
    return counts


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class TrayTest(E2ETestCase):
    def setUp(self):
        self.folder = self.program_folder()
        self.process = self.start_tapmill(self.folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)
        e2e.wait_until(tray_window, "Wine's system tray to show the icon")

    def test_the_icon_shows_and_minimising_hides_into_it_until_a_double_click(self):
        colours = tray_colours("tray-normal")
        self.assertGreater(colours[NORMAL_BLUE], 20, colours)

        self.driver.post(self.main.hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0)
        e2e.wait_until(lambda: not self.driver.is_visible(self.main.hwnd), "the window to hide")
        self.driver.post(self.main.hwnd, WM_TRAYICON, 100, WM_LBUTTONDBLCLK)
        e2e.wait_until(lambda: self.driver.is_visible(self.main.hwnd), "the window to come back")
        self.assertEqual(self.main.status(0), "当前状态：")

    def test_a_recording_shows_the_recording_picture(self):
        e2e.key("ctrl+w")
        e2e.wait_until(lambda: self.main.status(0) == "当前状态：录制……", "the recording to start")
        colours = e2e.wait_until(lambda: (c := tray_colours("tray-recording"))[RECORDING_RED] > 20 and c,
                                 "the recording picture")
        self.assertEqual(colours[PLAYBACK_GREEN], 0)
        e2e.key("ctrl+q")
        e2e.wait_until(lambda: tray_colours("tray-after-recording")[NORMAL_BLUE] > 20, "the normal picture again")

    def test_a_playback_flashes_the_playback_picture_when_asked_to(self):
        lines = ["[0]", "x=500", "y=500", "[1]", "x=501", "y=501", "[all]", "value=2"]
        self.folder.write_text("jb_rec/jb_rec.ini", "\r\n".join(lines) + "\r\n", "ascii")
        self.main.show_panel("Panel_set")
        self.driver.click(self.main.in_panel("Panel_set", "播放时托盘闪烁"))
        self.main.show_panel("Panel_rec")
        self.driver.click(self.main.in_panel("Panel_rec", "无限循环播放"))
        self.driver.click(self.main.in_panel("Panel_rec", "播放"))
        e2e.wait_until(lambda: tray_colours("tray-playback")[PLAYBACK_GREEN] > 20, "the playback picture")
        e2e.wait_until(lambda: tray_colours("tray-playback-flash")[NORMAL_BLUE] > 20, "the normal picture between")
        e2e.key("ctrl+q")
        e2e.wait_until(lambda: self.main.status(0) == "当前状态：", "the playback to stop")


class HotkeyWindowTest(E2ETestCase):
    def test_the_window_opens_from_the_options_panel_and_captures_a_key(self):
        self.start_tapmill(self.program_folder())
        driver = self.start_driver()
        main = MainWindow(driver)
        main.show_panel("Panel_set")
        driver.click(main.in_panel("Panel_set", "热键设置"))
        window = driver.wait_window("TForm_hotkey")
        e2e.wait_until(lambda: driver.is_visible(window), "the hot-key window")
        self.assertEqual(driver.get_text(window), "热键设置")
        self.assertFalse(driver.is_enabled(main.hwnd), "modal over the main window")

        field = driver.find_class(window, "Edit", 0)
        left, top, right, bottom = driver.rect(field)
        e2e.click((left + right) // 2, (top + bottom) // 2)
        e2e.key("F5")
        e2e.wait_until(lambda: driver.get_text(field) == "F5", "the key's name in the field")
        e2e.key("a")
        e2e.wait_until(lambda: driver.get_text(field) == "A", "the last key to stand")
        e2e.screenshot("hotkey-window")

        driver.click(driver.find(window, "退出"))
        e2e.wait_until(lambda: driver.is_enabled(main.hwnd), "the main window to take input again")


if __name__ == "__main__":
    unittest.main()
