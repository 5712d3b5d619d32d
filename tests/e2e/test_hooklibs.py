"""PTRGUARD.DLL and TAPGUARD.DLL as shipped in dist/, driven by hookprobe.exe (a window of the main
window's class that prints every message the libraries post) and fed real input through xdotool.
Wine sees X input only over its own windows, so target.exe covers the screen meanwhile."""

import queue
import shutil
import subprocess
import threading
import time
import unittest
from pathlib import Path

import tapmill_e2e as e2e
from tapmill_e2e import E2ETestCase

LEFT_DOWN, LEFT_UP, RIGHT_DOWN, RIGHT_UP, LEFT_DOUBLE, MIDDLE_DOWN, MIDDLE_UP, WHEEL = range(8)
BASE = 1152
MOD_CONTROL = 2
MOD_SHIFT = 4
VK_F9 = 120
VK_OEM_1, VK_OEM_PERIOD = 186, 190
# Long enough for a message posted by the hook thread to arrive, short enough to keep the tests quick.
QUIET_SECONDS = 1.0


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class HookProbe:
    """One running hookprobe.exe beside copies of the two libraries."""

    def __init__(self, folder):
        dist = e2e.dist_folder()
        for name in ("PTRGUARD.DLL", "TAPGUARD.DLL"):
            shutil.copy(dist / name, folder / name)
        shutil.copy(e2e.e2e_bin() / "hookprobe.exe", folder / "hookprobe.exe")
        self.process = e2e.WineProcess(folder / "hookprobe.exe", cwd=folder, stdin=subprocess.PIPE,
                                       stdout=subprocess.PIPE, text=True, bufsize=1)
        self._answers = queue.Queue()
        self._reports = []
        self._lock = threading.Lock()
        threading.Thread(target=self._read, daemon=True).start()
        self._expect("READY")

    def _read(self):
        for line in self.process.popen.stdout:
            line = line.rstrip("\r\n")
            if line.startswith(("MOUSE ", "KEY ", "HOTKEY ")):
                kind, *values = line.split()
                with self._lock:
                    self._reports.append((kind, *map(int, values)))
            else:
                self._answers.put(line)
        self._answers.put(None)

    def _expect(self, answer, timeout=e2e.WAIT_SECONDS):
        try:
            line = self._answers.get(timeout=timeout)
        except queue.Empty:
            raise AssertionError(f"hookprobe.exe did not say {answer!r}") from None
        if line != answer:
            raise AssertionError(f"hookprobe.exe said {line!r} instead of {answer!r}")

    def send(self, line):
        self.process.popen.stdin.write(line + "\n")
        self.process.popen.stdin.flush()

    def command(self, line):
        self.send(line)
        self._expect("ok " + line.split()[0])

    def reports(self):
        with self._lock:
            return list(self._reports)

    def wait_reports(self, count):
        try:
            return e2e.wait_until(lambda: len(self.reports()) >= count and self.reports(), f"{count} reports")
        except AssertionError as timed_out:
            raise AssertionError(f"{timed_out}; got {self.reports()}") from None

    def settled_reports(self):
        """The reports once nothing more has arrived for a while."""
        time.sleep(QUIET_SECONDS)
        return self.reports()

    def stop(self):
        if self.process.running():
            try:
                self.send("quit")
                self.process.wait_exit(5)
            except (OSError, AssertionError):
                pass
        self.process.kill()
        self.process.popen.stdin.close()
        self.process.popen.stdout.close()


def mouse(*offsets):
    return [("MOUSE", offset) for offset in offsets]


def keys(*numbers, modifiers=0):
    return [("KEY", number, modifiers) for number in numbers]


class HookLibrariesTest(E2ETestCase):
    def setUp(self):
        folder = Path(self._scratch) / "probe"
        folder.mkdir()
        self.probe = HookProbe(folder)
        self.addCleanup(self.probe.stop)
        self.target = self.start_target()

    def test_every_button_transition_a_left_double_click_and_the_wheel_are_posted_to_the_window(self):
        self.probe.command(f"start {BASE}")
        e2e.click(300, 300)
        e2e.click(600, 300, button=3)
        e2e.xdotool(*e2e.move_to(500, 400), "click", "--repeat", 2, "--delay", 80, 1)
        e2e.click(400, 300, button=2)
        e2e.click(400, 300, button=4)
        e2e.click(400, 300, button=5)
        expected = mouse(LEFT_DOWN, LEFT_UP, RIGHT_DOWN, RIGHT_UP, LEFT_DOWN, LEFT_UP, LEFT_DOUBLE, LEFT_UP,
                         MIDDLE_DOWN, MIDDLE_UP) + [("MOUSE", WHEEL, 120), ("MOUSE", WHEEL, -120)]
        self.assertEqual(self.probe.wait_reports(12), expected)
        self.assertEqual(self.probe.settled_reports(), expected)

    def test_key_presses_one_to_254_are_posted_once_each_modifiers_by_their_shared_numbers(self):
        self.probe.command("enable")
        e2e.key("a", "F5", "ctrl+b", "semicolon", "shift+F12", "period")
        expected = (keys(65, 116, 17) + keys(66, modifiers=MOD_CONTROL) + keys(VK_OEM_1, 16)
                    + keys(123, modifiers=MOD_SHIFT) + keys(VK_OEM_PERIOD))
        self.assertEqual(self.probe.wait_reports(8), expected)
        self.assertEqual(self.probe.settled_reports(), expected)

    def test_every_key_is_reported_with_its_modifiers_hot_keys_included(self):
        self.probe.command(f"hotkey {MOD_CONTROL} {ord('Q')}")
        self.probe.command(f"hotkey 0 {VK_F9}")
        self.probe.command("enable")
        e2e.key("ctrl+q", "F9", "q", "shift+F9")
        reports = self.probe.wait_reports(8)
        self.assertEqual([r for r in reports if r[0] == "KEY"],
                         keys(17) + keys(81, modifiers=MOD_CONTROL) + keys(VK_F9, 81, 16) + keys(VK_F9, modifiers=MOD_SHIFT))
        self.assertEqual([r for r in reports if r[0] == "HOTKEY"], [("HOTKEY", ord("Q")), ("HOTKEY", VK_F9)])
        self.assertEqual(len(self.probe.settled_reports()), 8)

    def test_clicks_after_a_two_second_stall_of_the_window_thread_are_still_reported(self):
        self.probe.command(f"start {BASE}")
        self.probe.command("enable")
        self.probe.send("stall 2000")
        self.probe._expect("stalling")
        e2e.click(200, 200)
        e2e.key("a")
        e2e.click(700, 500)
        self.probe._expect("ok stall", timeout=10)
        e2e.click(300, 600, button=3)
        e2e.key("b")
        e2e.click(100, 100)
        expected = (mouse(LEFT_DOWN, LEFT_UP) + keys(65) + mouse(LEFT_DOWN, LEFT_UP, RIGHT_DOWN, RIGHT_UP)
                    + keys(66) + mouse(LEFT_DOWN, LEFT_UP))
        self.assertEqual(self.probe.wait_reports(len(expected)), expected)

    def test_start_stop_enable_and_disable_are_safe_twice_and_in_any_order(self):
        for line in ("stop", "disable", "start 1152", f"start {BASE}", "enable", "enable", "disable", "disable",
                     "stop", "stop"):
            self.probe.command(line)
        e2e.click(400, 400)
        e2e.key("a")
        self.assertEqual(self.probe.settled_reports(), [])

        # Switched on again after all that, both report as before.
        self.probe.command(f"start {BASE}")
        self.probe.command("enable")
        e2e.click(400, 400, button=3)
        e2e.key("c")
        self.assertEqual(self.probe.wait_reports(3), mouse(RIGHT_DOWN, RIGHT_UP) + keys(67))

    def test_input_injected_by_a_program_is_reported_like_the_users(self):
        self.probe.command(f"start {BASE}")
        e2e.mouse_move(450, 450)
        self.probe.command("inject-left")
        self.assertEqual(self.probe.wait_reports(2), mouse(LEFT_DOWN, LEFT_UP))


if __name__ == "__main__":
    unittest.main()
