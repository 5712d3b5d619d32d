"""The recording libraries as a user drives them: a fresh recording saved under a Chinese name,
read back, renamed, deleted into the Recycle Bin, and a name that would leave the library folder
refused; a recording held open by another program, which the delete cannot remove."""

import re
import time
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

IDLE = "当前状态："


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class LibraryCase:
    """The same user story on either recording panel; a subclass names the panel, its folder and
    scratch file, and how a recording is made there."""

    panel = folder_name = scratch = None

    def setUp(self):
        self.folder = self.program_folder()
        self.process = self.start_tapmill(self.folder)
        self.driver = self.start_driver()
        self.main = MainWindow(self.driver)
        self.main.show_panel(self.panel)

    def button(self, caption):
        return self.main.in_panel(self.panel, caption)

    def name_field(self):
        """The name field lies under the list, before the play count field."""
        return self.driver.find_class(self.main.panel(self.panel), "Edit", 0)

    def selection(self):
        return self.driver.find_class(self.main.panel(self.panel), "ComboBox", 0)

    def record_something(self):
        self.start_recording()
        e2e.mouse_move(300, 300)
        time.sleep(0.2)
        e2e.mouse_move(320, 310)
        time.sleep(0.2)
        self.stop_recording()
        return (self.folder.path / self.folder_name / self.scratch).read_bytes()

    def wait_listed(self, name, listed=True):
        def shown():
            items = self.driver.combo_items(self.selection())
            return (name in items) == listed
        e2e.wait_until(shown, f"{name} to be {'listed' if listed else 'gone'}")

    def test_save_read_rename_delete_and_a_refused_name(self):
        scratch = self.record_something()
        field = self.name_field()
        self.driver.set_text(field, "测试一")
        self.driver.click(self.button("保存脚本"))
        self.wait_listed("测试一")
        saved = self.folder.path / self.folder_name / "测试一.ini"
        self.assertEqual(saved.read_bytes(), scratch)

        self.driver.combo_select(self.selection(), "测试一")
        self.driver.click(self.button("读取脚本"))
        e2e.wait_until(lambda: self.driver.get_text(self.main.label_after(self.panel, "当前脚本:")) == "测试一",
                       "the recording to become current")

        self.driver.set_text(field, "测试二")
        self.driver.combo_select(self.selection(), "测试一")
        self.driver.click(self.button("改名"))
        self.wait_listed("测试二")
        self.wait_listed("测试一", listed=False)
        self.assertTrue((self.folder.path / self.folder_name / "测试二.ini").exists())
        self.assertFalse(saved.exists())

        self.driver.combo_select(self.selection(), "测试二")
        self.driver.click(self.button("删除"))
        self.wait_listed("测试二", listed=False)
        deleted = self.folder.path / self.folder_name / "测试二.ini"
        self.assertFalse(deleted.exists())
        self.assertEqual(self.trashed(deleted), scratch, "the recording waits in the Recycle Bin")

        before = self.folder.listing()
        self.driver.set_text(field, "a\\b")
        self.driver.click(self.button("保存脚本"))
        box, text = self.driver.msgbox()
        self.assertIn("a\\b", text)
        self.assertEqual(self.driver.msgbox_caption(box), "提醒！")
        e2e.screenshot(f"library-refused-name-{self.folder_name}")
        self.driver.press(box, "ok")
        self.assertEqual(self.folder.listing(), before, "nothing written anywhere")


class PlainLibraryTest(LibraryCase, E2ETestCase):
    panel, folder_name, scratch = "Panel_rec", "jb_rec", "jb_rec.ini"

    def start_recording(self):
        e2e.key("ctrl+w")
        e2e.wait_until(lambda: self.main.status(0) == "当前状态：录制……", "the recording to start")

    def stop_recording(self):
        e2e.key("ctrl+q")
        e2e.wait_until(lambda: self.main.status(0) == IDLE, "the recording to end")
        # The file can still be on its way to the disk when the status says idle; the frame count
        # comes last.
        scratch = self.folder.path / self.folder_name / self.scratch
        e2e.wait_until(lambda: re.search(rb"\[all\]\r\nvalue=\d+\r\n$", scratch.read_bytes()), "the recording to be complete")


class UndeletableRecordingTest(E2ETestCase):
    def test_a_recording_held_open_by_another_program_is_not_deleted_and_says_so(self):
        # A read-only recording goes to the Recycle Bin like any other (under Wine as under Windows);
        # one that another program holds open can neither be moved there nor deleted.
        folder = self.program_folder()
        recording = folder.write_text("jb_rec/占用.ini", e2e.recording_text([(1, 1, None)]), "ascii")
        content = recording.read_bytes()
        self.start_tapmill(folder)
        driver = self.start_driver()
        driver.hold_file("Z:" + str(recording).replace("/", "\\"))
        main = MainWindow(driver)
        main.show_panel("Panel_rec")
        selection = driver.find_class(main.panel("Panel_rec"), "ComboBox", 0)
        driver.combo_select(selection, "占用")
        driver.click(main.in_panel("Panel_rec", "删除"))
        box, text = driver.msgbox()
        self.assertTrue(text.startswith("无法删除脚本文件：") and "占用.ini" in text, text)
        self.assertEqual(driver.msgbox_caption(box), "提醒！")
        e2e.screenshot("library-undeletable")
        driver.press(box, "ok")
        self.assertEqual(driver.get_text(main.label_after("Panel_rec", "信息状况:")), "")
        self.assertEqual(recording.read_bytes(), content)
        self.assertIsNone(self.trashed(recording))
        self.assertIn("占用", driver.combo_items(selection))


class JournalLibraryTest(LibraryCase, E2ETestCase):
    panel, folder_name, scratch = "Panel_strec", "jb_strec", "stjb.ini"

    def state(self):
        return self.driver.get_text(self.main.label_after(self.panel, "信息状况:"))

    def start_recording(self):
        e2e.key("alt+w")
        e2e.wait_until(lambda: self.state() == "录制中…", "the journal recording to start")

    def stop_recording(self):
        e2e.key("alt+q")
        scratch = self.folder.path / self.folder_name / self.scratch
        e2e.wait_until(lambda: scratch.exists() and b"[end]" in scratch.read_bytes(), "the journal to be complete")


if __name__ == "__main__":
    unittest.main()
