"""What a Windows user downloads: the version resources and manifest of the built files, the per-user
installer and its uninstaller run silently, and the portable zip unpacked and started."""

import shutil
import unittest
import xml.etree.ElementTree as ElementTree
import zipfile
from pathlib import Path

import tapmill_e2e as e2e
from main_window import MainWindow
from pe_resources import RT_MANIFEST, resources, version_info
from tapmill_e2e import E2ETestCase

PROGRAM_FILES = ("tapmill.exe", "PTRGUARD.DLL", "TAPGUARD.DLL", "TAPMILL帮助文档.CHM")
INSTALLER = "tapmill-3.3-setup.exe"
UNINSTALLER = "uninstall.exe"
PORTABLE_ZIP = "tapmill-3.3-win32.zip"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tapmill"
START_MENU_ENTRY = Path("Microsoft", "Windows", "Start Menu", "Programs", "Tapmill.lnk")
TITLE = "Tapmill V3.3"
RECORDING = "当前状态：录制……"
IDLE = "当前状态："
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
TVM_GETITEMHEIGHT = 0x111C
# Every kind of file the program writes beside itself, the leftover of a cut-off save among them.
WRITTEN_BY_THE_PROGRAM = ("config.ini", "plan.ini", "hotkey.ini", "plan.ini.tmp~42", "jb_rec/录一.ini", "jb_strec/stjb.ini",
                          "jb_homa/脚本一.ini")


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


def names(folder):
    """Every file and folder below `folder`, relative to it."""
    return {str(item.relative_to(folder)) for item in folder.rglob("*")}


def user_folder(variable):
    """A folder of the Wine user's profile (LOCALAPPDATA, APPDATA) as a Unix path."""
    windows = e2e.wine_command("cmd", "/c", f"echo %{variable}%").stdout.decode().strip()
    return Path(e2e.wine_command("winepath", "-u", windows).stdout.decode().strip())


class VersionResourceTest(unittest.TestCase):
    def test_the_program_and_both_libraries_carry_version_3_3(self):
        for name in ("tapmill.exe", "PTRGUARD.DLL", "TAPGUARD.DLL"):
            with self.subTest(name):
                info = version_info(e2e.dist_folder() / name)
                self.assertIsNotNone(info, "a version resource")
                self.assertEqual(info["file_version"][:2], (3, 3))
                self.assertEqual(info["product_version"][:2], (3, 3))
                strings = info["strings"]
                self.assertEqual(strings["FileVersion"], "%d.%d.%d" % info["file_version"][:3])
                self.assertEqual(strings["ProductName"], "Tapmill")
                self.assertEqual(strings["OriginalFilename"], name)
                self.assertTrue(any("\u4e00" <= char <= "\u9fff" for char in strings["FileDescription"]),
                                f"a Chinese description: {strings['FileDescription']!r}")

    def test_the_program_asks_to_run_with_the_users_own_rights(self):
        manifest = ElementTree.fromstring(resources(e2e.dist_folder() / "tapmill.exe", RT_MANIFEST)[0])
        levels = [element.get("level") for element in manifest.iter(f"{ASM_V3}requestedExecutionLevel")]
        self.assertEqual(levels, ["asInvoker"])


class ReleaseTest(E2ETestCase):
    @classmethod
    def setUpClass(cls):
        cls.installed = user_folder("LOCALAPPDATA") / "Programs" / "Tapmill"
        cls.start_menu_entry = user_folder("APPDATA") / START_MENU_ENTRY

    def install(self):
        """Runs the installer silently on a prefix without an earlier installation; whatever the
        test leaves behind is removed when it ends."""
        self.forget_installation()
        self.addCleanup(self.forget_installation)
        setup = e2e.WineProcess(e2e.release_folder() / INSTALLER, ["/S"])
        self.addCleanup(setup.kill)
        self.assertEqual(setup.wait_exit(), 0)

    def forget_installation(self):
        shutil.rmtree(self.installed, ignore_errors=True)
        self.start_menu_entry.unlink(missing_ok=True)
        e2e.wine_command("reg", "delete", UNINSTALL_KEY, "/f")
        e2e.wine_command("reg", "delete", e2e.RUN_KEY, "/v", "Tapmill3.3", "/f")

    def start(self, folder):
        process = e2e.WineProcess(folder / "tapmill.exe", cwd=folder)
        self.addCleanup(process.kill)
        driver = self.start_driver()
        main = MainWindow(driver)
        self.assertEqual(driver.get_text(main.hwnd), TITLE)
        return process, driver, main

    def test_silent_install_puts_the_program_in_the_users_own_folder_and_it_starts(self):
        self.install()
        self.assertEqual(names(self.installed), names(e2e.dist_folder()) | {UNINSTALLER})
        self.assertTrue(self.start_menu_entry.is_file(), "a Start-menu entry")
        self.assertIn(UNINSTALLER, e2e.reg_query(UNINSTALL_KEY, "UninstallString") or "")
        self.start(self.installed)
        e2e.screenshot("release-installed")

    def test_silent_uninstall_removes_the_program_and_what_it_made_but_keeps_the_recordings(self):
        self.install()
        # The first start makes the desktop shortcut only while the program has not made one yet.
        e2e.wine_command("reg", "delete", r"HKCU\Software\Tapmill", "/f")
        for old in e2e.desktop_shortcuts():
            old.unlink()
        process, driver, main = self.start(self.installed)
        e2e.wait_until(e2e.desktop_shortcuts, "the desktop shortcut")
        main.show_panel("Panel_set")
        driver.click(main.in_panel("Panel_set", "程序启动时自动运行"))
        driver.click(main.in_panel("Panel_set", "保存设置"))
        e2e.wait_until(lambda: e2e.reg_query(e2e.RUN_KEY, "Tapmill3.3"), "the Run value")
        e2e.key("ctrl+w")
        e2e.wait_until(lambda: main.status(0) == RECORDING, "the recording to start")
        e2e.mouse_move(200, 150)
        e2e.mouse_move(300, 250)
        e2e.key("ctrl+q")
        e2e.wait_until(lambda: main.status(0) == IDLE, "the recording to end")
        recording = (self.installed / "jb_rec" / "jb_rec.ini").read_bytes()
        driver.close(main.hwnd)
        box, _ = driver.msgbox()
        driver.press(box, "yes")
        process.wait_exit()
        kept = names(self.installed) - {*PROGRAM_FILES, UNINSTALLER}

        # The uninstaller runs on from a copy of itself, so its end shows only in what it removed.
        e2e.WineProcess(self.installed / UNINSTALLER, ["/S"]).wait_exit()
        e2e.wait_until(lambda: names(self.installed) == kept, f"only {sorted(kept)} to be left")
        self.assertEqual((self.installed / "jb_rec" / "jb_rec.ini").read_bytes(), recording)
        self.assertIn("config.ini", kept)
        self.assertFalse(self.start_menu_entry.exists(), "the Start-menu entry is gone")
        self.assertIsNone(e2e.reg_query(UNINSTALL_KEY, "UninstallString"))
        self.assertIsNone(e2e.reg_query(e2e.RUN_KEY, "Tapmill3.3"))
        self.assertEqual(e2e.desktop_shortcuts(), [])

    def test_uninstall_with_the_data_ticked_leaves_nothing_of_the_program_behind(self):
        self.install()
        for relative in WRITTEN_BY_THE_PROGRAM:
            (self.installed / relative).write_bytes(b"[all]\r\nvalue=1\r\n")
        e2e.WineProcess(self.installed / UNINSTALLER).wait_exit()  # it goes on in a copy of itself
        driver = self.start_driver()
        window = e2e.wait_until(lambda: next((w[0] for w in driver.windows() if w[4] == "#32770" and "Tapmill" in w[5]),
                                             None), "the uninstaller")
        button = next(row[0] for row in driver.controls(window) if row[1] == 1)  # 下一步, then 卸载, then 关闭

        def press(label):
            e2e.wait_until(lambda: label in driver.get_text(button) and driver.is_enabled(button), label)
            driver.click(button)

        press("下一步")
        e2e.wait_until(lambda: "卸载" in driver.get_text(button), "the page of what to remove")
        tree = driver.find_class(window, "SysTreeView32")
        left, top, _, _ = driver.rect(tree)
        row = driver.send(tree, TVM_GETITEMHEIGHT)
        e2e.click(left + 2 + row // 2, top + 2 + row * 3 // 2)  # the box of the second row, 录制、脚本和设置
        press("卸载")
        press("关闭")
        try:
            e2e.wait_until(lambda: not self.installed.exists(), "the installation folder to go")
        except AssertionError:
            self.fail(f"left behind: {sorted(names(self.installed))}")

    def test_the_unpacked_zip_holds_the_program_folder_and_starts(self):
        unpacked = self._scratch / "unpacked"
        with zipfile.ZipFile(e2e.release_folder() / PORTABLE_ZIP) as archive:
            archive.extractall(unpacked)
        self.assertEqual(names(unpacked / "Tapmill"), names(e2e.dist_folder()))
        self.start(unpacked / "Tapmill")
        e2e.screenshot("release-unzipped")


if __name__ == "__main__":
    unittest.main()
