"""The real program given files it did not write: garbage in the settings, the plan, the hot-key
table, the journal and a script, a scratch recording of a gigabyte (sparse, so it costs no disk) and
a read-only settings file. It starts as usual, says clearly what it cannot do, and leaves every one
of those files as it was."""

import os
import random
import stat
import unittest

import tapmill_e2e as e2e
from main_window import KEYS_NOTICE_CLASS, MainWindow
from tapmill_e2e import E2ETestCase

GIGABYTE = 1 << 30


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class BadInputsTest(E2ETestCase):
    def test_garbage_a_gigabyte_recording_and_a_read_only_settings_file(self):
        folder = self.program_folder()
        generator = random.Random(11)
        garbage = {name: bytes(generator.randrange(256) for _ in range(4096))
                   for name in ("config.ini", "plan.ini", "hotkey.ini", "jb_strec/stjb.ini", "jb_homa/junk.ini")}
        for name, data in garbage.items():
            folder.write_bytes(name, data)
        big = folder.write_bytes("jb_rec/jb_rec.ini", b"[0]\r\nx=1\r\ny=1\r\n[all]\r\nvalue=1\r\n")
        os.truncate(big, GIGABYTE)
        config = folder.path / "config.ini"
        config.chmod(stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
        self.addCleanup(config.chmod, stat.S_IRUSR | stat.S_IWUSR)

        self.start_tapmill(folder)
        driver = self.start_driver()
        main = MainWindow(driver)
        # Settings that hold no "不再提示" bring the notice of the global keys, which stands aside.
        driver.click(driver.find(driver.wait_window(KEYS_NOTICE_CLASS), "知道了"))
        with self.assertRaises(e2e.UiDriverError):
            driver.msgbox(timeout=0.5)
        self.assertEqual(driver.get_text(main.label_after("Panel_rec", "录制帧数:")), "-1")
        self.assertEqual(driver.get_text(main.label_after("Panel_strec", "录制帧数:")), "-1")
        self.assertEqual(main.status(2), "计划任务:未启动")

        main.show_panel("Panel_rec")
        driver.click(main.in_panel("Panel_rec", "播放"))
        box, text = driver.msgbox()
        self.assertEqual((text, driver.msgbox_caption(box)), ("名为：'jb_rec'脚本文件太大，无法播放！", "提醒！"))
        driver.press(box, "ok")
        e2e.wait_until(lambda: main.status(0) == "当前状态：", "the playback to end")

        main.enable_and_run_script()
        box, text = driver.msgbox()
        self.assertEqual(text, "脚本出错，请检查后再运行！")
        driver.press(box, "ok")

        main.show_panel("Panel_set")
        driver.click(main.in_panel("Panel_set", "保存设置"))
        box, text = driver.msgbox()
        self.assertRegex(text, r"^Unable to write to [A-Z]:\\.*\\config\.ini$")
        e2e.screenshot("bad_inputs_read_only_settings")
        driver.press(box, "ok")

        for name, data in garbage.items():
            self.assertEqual((folder.path / name).read_bytes(), data, name)
        self.assertEqual(big.stat().st_size, GIGABYTE)
        with big.open("rb") as recording:
            self.assertEqual(recording.read(15), b"[0]\r\nx=1\r\ny=1\r\n")


if __name__ == "__main__":
    unittest.main()
