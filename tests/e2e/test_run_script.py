"""`make run` as a new user types it from the top of a fresh clone: tools/run.sh called by a path
relative to the repository, with and without an X display."""

import os
import subprocess
import unittest

import tapmill_e2e as e2e
from tapmill_e2e import E2ETestCase

MAIN_WINDOW_CLASS = "TForm_maintapmill"


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class RunScriptTest(E2ETestCase):
    def run_script(self, folder, shots, env):
        """Starts tools/run.sh; its output goes to a file (Wine's own services inherit and keep
        open whatever pipe it would write to)."""
        self.output = self._scratch / "run.log"
        # Relative paths, as the Makefile's own call would resolve them from the repository's top.
        with open(self.output, "w") as output:
            return subprocess.Popen(
                ["tools/run.sh", os.path.relpath(folder.path, e2e.REPO), os.path.relpath(e2e.wine_prefix(), e2e.REPO),
                 os.path.relpath(shots, e2e.REPO)],
                cwd=e2e.REPO, env=env, stdout=output, stderr=subprocess.STDOUT)

    def finished(self, script, timeout):
        try:
            status = script.wait(timeout)
        except subprocess.TimeoutExpired:
            script.kill()
            raise AssertionError(f"tools/run.sh did not end within {timeout} s") from None
        return status, self.output.read_text(errors="replace")

    def test_without_a_display_it_shows_the_window_on_a_virtual_one_and_saves_its_picture(self):
        folder = self.program_folder()
        shots = self._scratch / "shots"
        env = e2e.wine_env()
        del env["DISPLAY"]

        status, output = self.finished(self.run_script(folder, shots, env), 120)

        self.assertEqual(status, 0, output)
        self.assertIn("run.png", output)
        picture = shots / "run.png"
        self.assertTrue(picture.is_file(), output)
        self.assertGreater(picture.stat().st_size, 1000)

    def test_with_a_display_it_starts_the_program_there(self):
        folder = self.program_folder()
        driver = e2e.UiDriver(self._scratch)
        self.addCleanup(driver.quit)

        script = self.run_script(folder, self._scratch / "shots", e2e.wine_env())
        self.addCleanup(lambda: script.poll() is None and script.kill())
        main = driver.wait_window(MAIN_WINDOW_CLASS)
        e2e.wait_until(lambda: driver.is_visible(main), "the main window to be shown")
        self.assertIsNone(script.poll())

        driver.close(main)
        box, text = driver.msgbox()
        self.assertEqual(text, "是否真的要退出Tapmill？")
        driver.press(box, "yes")
        status, output = self.finished(script, e2e.WAIT_SECONDS)
        self.assertEqual(status, 0, output)


if __name__ == "__main__":
    unittest.main()
