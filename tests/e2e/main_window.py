"""The main window as a test sees it: its panels, buttons and fields found by name and caption."""

import contextlib

import tapmill_e2e as e2e

MAIN_WINDOW_CLASS = "TForm_maintapmill"
# The first start's notice of the global keys.
KEYS_NOTICE_CLASS = "TForm_keysnotice"
WM_SHOWWINDOW = 0x0018
TBM_SETPOS = 0x0400 + 5

NAVIGATION = {
    "Panel_rec": "录制按键",
    "Panel_strec": "录制按键（强化）",
    "Panel_homa": "自编按键",
    "Panel_time": "定时设置",
    "Panel_set": "按键选项",
    "Panel_help": "帮助",
    "Panel_author": "作者",
}


class MainWindow:
    def __init__(self, driver):
        self.driver = driver
        self.hwnd = driver.wait_window(MAIN_WINDOW_CLASS)
        # The window exists before its controls do; it is shown once they are all there.
        e2e.wait_until(lambda: driver.is_visible(self.hwnd), "the main window to be shown")
        self.status_bar = driver.find_class(self.hwnd, "msctls_statusbar32")

    def panel(self, name):
        return self.driver.find(self.hwnd, name)

    def in_panel(self, panel, caption):
        return self.driver.find(self.panel(panel), caption)

    def nav_button(self, panel):
        # Looked for in the navigation bar only: a panel's heading may carry the same caption.
        return self.driver.find(self.driver.find(self.hwnd, "RzPanel1"), NAVIGATION[panel])

    def show_panel(self, panel):
        self.driver.click(self.nav_button(panel))
        e2e.wait_until(lambda: self.driver.is_visible(self.panel(panel)), f"{panel} to show")

    def status(self, index):
        return self.driver.status(self.status_bar, index)

    def wait_status(self, text, what=None):
        """Waits until the status bar's first panel reads `text`."""
        e2e.wait_until(lambda: self.status(0) == text, what or f"status {text!r}")

    def rec_control(self, class_name, index=0):
        return self.driver.find_class(self.panel("Panel_rec"), class_name, index)

    def field_beside(self, panel, caption, class_name="Edit"):
        """The control of that class standing to the right of a caption, on the caption's line: how
        a user finds the field a caption names."""
        label = self.driver.find(self.panel(panel), caption)
        left, top, right, bottom = self.driver.rect(label)
        middle = (top + bottom) / 2
        best, index = None, 0
        while True:
            try:
                candidate = self.driver.find_class(self.panel(panel), class_name, index)
            except e2e.UiDriverError:
                break
            index += 1
            c_left, c_top, _, c_bottom = self.driver.rect(candidate)
            if c_top <= middle <= c_bottom and c_left >= right and (best is None or c_left < best[0]):
                best = (c_left, candidate)
        if best is None:
            raise AssertionError(f"no {class_name} beside {caption!r} on {panel}")
        return best[1]

    def label_after(self, panel, caption):
        """The value label that stands right after a caption label (created in that order)."""
        labels, index = [], 0
        while True:
            try:
                labels.append(self.driver.find_class(self.panel(panel), "Static", index))
            except e2e.UiDriverError:
                break
            index += 1
        texts = [self.driver.get_text(h) for h in labels]
        return labels[texts.index(caption) + 1]

    def run_show_step(self):
        """What the window does each time it is shown again (as when it comes back from the tray)."""
        self.driver.send(self.hwnd, WM_SHOWWINDOW, 1, 0)

    def choose_recording(self, name):
        """Makes the recording `name` current on the recording panel the way the show step takes it:
        from its label."""
        self.show_panel("Panel_rec")
        self.driver.set_text(self.label_after("Panel_rec", "当前脚本:"), name)
        self.run_show_step()

    def play_recording(self, passes, speed):
        """Plays the current recording that many passes at that speed."""
        self.driver.set_text(self.field_beside("Panel_rec", "播放次数："), str(passes))
        self.set_speed(speed)
        self.driver.click(self.in_panel("Panel_rec", "播放"))

    def set_speed(self, speed):
        self.driver.send(self.rec_control("msctls_trackbar32"), TBM_SETPOS, 1, speed)

    def enable_and_run_script(self, row=0):
        """Enables the script in that row of the script panel's table and presses Run."""
        self.show_panel("Panel_homa")
        table = self.driver.find_class(self.panel("Panel_homa"), "SysListView32")
        self.driver.lv_select(table, row)
        self.driver.click(self.in_panel("Panel_homa", "启用"))
        e2e.wait_until(lambda: self.driver.lv_text(table, row, 2) == "是", "the script to be enabled")
        self.driver.click(self.in_panel("Panel_homa", "运行"))


@contextlib.contextmanager
def program_running(scratch, files):
    """tapmill.exe started in a fresh program folder that holds `files` ({relative path: bytes}), with
    a UI driver on its main window: gives (driver, main window) and ends both afterwards."""
    folder = e2e.ProgramFolder(scratch)
    for relative, data in files.items():
        folder.write_bytes(relative, data)
    tapmill = e2e.WineProcess(folder.path / "tapmill.exe", cwd=folder.path)
    driver = e2e.UiDriver(cwd=scratch)
    try:
        yield driver, MainWindow(driver)
    finally:
        driver.quit()
        tapmill.kill()


@contextlib.contextmanager
def target_ready(scratch):
    """target.exe started in front and ready; ended afterwards."""
    target = e2e.Target(scratch)
    try:
        target.wait_ready()
        yield target
    finally:
        target.stop()


def tick_endless(main, panel):
    box = main.in_panel(panel, "无限循环播放")
    main.driver.click(box)
    e2e.wait_until(lambda: main.driver.is_checked(box) == 1, "the endless box to be ticked")


@contextlib.contextmanager
def plain_playback_ready(scratch, name, recording, speed, endless=False):
    """tapmill.exe with the plain recording `name` (its text) chosen on the recording panel at a
    speed, endless if asked, and target.exe ready in front: gives (driver, main window, target) for
    the caller to press Play, and ends them afterwards."""
    with program_running(scratch, {f"jb_rec/{name}.ini": recording.encode("ascii")}) as (driver, main):
        main.choose_recording(name)
        main.set_speed(speed)
        if endless:
            tick_endless(main, "Panel_rec")
        with target_ready(scratch) as target:
            yield driver, main, target
