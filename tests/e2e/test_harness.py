"""The end-to-end machinery itself, against target.exe only: what X input the target logs, and what
the UI driver reads from and sends to a window."""

import unittest

import tapmill_e2e as e2e
from tapmill_e2e import E2ETestCase, UiDriverError

VK_MENU = 0x12
VK_A = 0x41
VK_B = 0x42


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class TargetLogTest(E2ETestCase):
    def test_click_and_key_are_logged_at_the_injected_position(self):
        target = self.start_target()
        e2e.click(200, 150)
        e2e.key("a")
        self.assertEqual(target.wait_events(4),
                         [("LDOWN", 200, 150), ("LUP", 200, 150), ("KEYDOWN", VK_A), ("KEYUP", VK_A)])
        e2e.screenshot("harness-target")

    def test_double_click_is_two_presses_and_right_button_is_told_apart(self):
        target = self.start_target()
        e2e.click(321, 123, repeat=2)
        e2e.click(640, 480, button=3)
        self.assertEqual(target.wait_events(6),
                         [("LDOWN", 321, 123), ("LUP", 321, 123), ("LDOWN", 321, 123), ("LUP", 321, 123),
                          ("RDOWN", 640, 480), ("RUP", 640, 480)])

    def test_alt_combination_is_logged_and_keys_still_arrive_after_it(self):
        target = self.start_target()
        e2e.xdotool("keydown", "alt", "key", "a", "keyup", "alt")
        e2e.key("b")
        self.assertEqual(target.wait_events(6),
                         [("KEYDOWN", VK_MENU), ("KEYDOWN", VK_A), ("KEYUP", VK_A), ("KEYUP", VK_MENU),
                          ("KEYDOWN", VK_B), ("KEYUP", VK_B)])


class UiDriverTest(E2ETestCase):
    def test_finds_the_target_and_reads_its_window(self):
        self.start_target()
        driver = self.start_driver()
        hwnd = driver.wait_window_caption("tapmill-target")
        self.assertEqual(driver.wait_window("TapmillTarget"), hwnd)
        self.assertEqual(driver.get_text(hwnd), "tapmill-target")
        self.assertEqual(driver.send(hwnd, e2e.WM_GETTEXTLENGTH), len("tapmill-target"))
        self.assertEqual(driver.rect(hwnd), (0, 0, *e2e.screen_size()))
        self.assertTrue(driver.is_visible(hwnd))
        self.assertTrue(driver.is_enabled(hwnd))
        self.assertEqual(driver.owner(hwnd), 0)
        e2e.screenshot("harness-driver")

    def test_texts_with_line_breaks_backslashes_and_chinese_survive_both_ways(self):
        self.start_target()
        driver = self.start_driver()
        hwnd = driver.wait_window_caption("tapmill-target")
        text = "目标 C:\\new\\rec.txt\r\nsecond  line \\n"
        driver.set_text(hwnd, text)
        self.assertEqual(driver.get_text(hwnd), text)
        self.assertEqual(driver.wait_window_caption(text), hwnd)
        self.assertEqual([row[5] for row in driver.windows() if row[0] == hwnd], [text], "one row, the whole caption")

    def test_posted_messages_reach_the_window(self):
        target = self.start_target()
        driver = self.start_driver()
        hwnd = driver.wait_window_caption("tapmill-target")
        driver.post(hwnd, e2e.WM_KEYDOWN, VK_B, 1)
        self.assertEqual(target.wait_events(1), [("KEYDOWN", VK_B)])

    def test_cursor_follows_the_x_pointer(self):
        self.start_target()
        driver = self.start_driver()
        e2e.mouse_move(300, 200)
        e2e.wait_until(lambda: driver.cursor() == (300, 200), "the cursor at 300,200")
        e2e.mouse_move(17, 701)
        e2e.wait_until(lambda: driver.cursor() == (17, 701), "the cursor at 17,701")

    def test_failures_are_answered_and_the_driver_goes_on(self):
        self.start_target()
        driver = self.start_driver()
        hwnd = driver.wait_window_caption("tapmill-target")
        with self.assertRaisesRegex(UiDriverError, "timed out"):
            driver.wait_window("NoSuchWindowClass", timeout=0.2)
        with self.assertRaisesRegex(UiDriverError, "no such window"):
            driver.find(hwnd, "no such child")
        with self.assertRaisesRegex(UiDriverError, "timed out"):
            driver.msgbox(timeout=0.2)
        with self.assertRaisesRegex(UiDriverError, "no such button"):
            driver.press(hwnd, "ok")
        with self.assertRaisesRegex(UiDriverError, "no such window"):
            driver.get_text(1)
        with self.assertRaisesRegex(UiDriverError, "unknown command"):
            driver.command("no-such-command")
        self.assertEqual(driver.get_text(hwnd), "tapmill-target")


if __name__ == "__main__":
    unittest.main()
