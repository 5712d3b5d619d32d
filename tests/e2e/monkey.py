"""A randomised user that works the real program under Wine for minutes or hours.

Each step is something a user can do, chosen at random with weights from what is on the screen
now: a click on an enabled, visible button of any of Tapmill's windows (message boxes too), text
typed or pasted into its fields, a row chosen in its lists, a box ticked, a track bar moved, a
date and time picked (sometimes a second or two ahead), a control hot key, a combination captured
into a field of the options panel's control hot keys (or such a field cleared), a key captured into
the hot-key window's key fields and an entry added, a move, click or key in target.exe, the window
minimised and brought back through the tray icon, and now and then garbage or a truncated copy
written into one of the program's INI files. The keys captured include keys beyond the first 123
(";", "`", "'", "["). Whatever plays, records or runs is stopped with the stop keys in force
("停止", and "强化结束" for the journal recorder) within a few steps; a journal playback, which no
hot key stops, by showing the window again (into the tray and back).

After every step: every window of the program answers a message round trip within 2 s; the
program runs and no crash dialog or crash trace appeared; once something stopped, no key or mouse
button is left down; every INI file in the program folder parses (but those the monkey itself
spoiled); nothing outside the program folder changed. At the end a close answered 是 ends the
program.

The monkey works only on the program's windows and target.exe, touches files only inside the
program folder, and leaves out the two buttons that would start other programs or write outside the
folder (the help file, the log-on start). It moves the control hot keys but never clears the two
stop keys, and it reads the stop keys in force from config.ini after each change it made (the
program writes the whole section at every change; a file it spoiled meanwhile is not believed, and
the fields of the options panel, which show the keys in force, decide), so it can always stop.

`make monkey` runs it for MONKEY_MINUTES (default 30); test_monkey.py runs it for one minute in
`make test`. MONKEY_SEED replays a run's choices step for step; every run prints its seed."""

import collections
import datetime
import os
import random
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import tapmill_e2e as e2e
from main_window import MainWindow

IDLE = "当前状态："
# The journal panel's state while its recorder or player is at work; otherwise it is empty or tells
# what was last done ("已读取…").
JOURNAL_BUSY = {"录制中…", "播放中…", "暂停…"}
# How long the program may take to answer a message round trip before the step counts as a hang.
ANSWER_SECONDS = 2.0
# How long a stop may take to show (the end of a frame's wait, message boxes answered on the way,
# the window hidden and shown, which costs Wine without a window manager about 2 s each way).
STOP_SECONDS = 20.0
# When Ctrl+Q and Alt+Q have not stopped it, the window is shown again (what ends a journal playback).
SHOW_AFTER_SECONDS = 3.0
# Without a window manager Wine waits about 2 s for each window it hides or destroys, in the thread
# that hides it: the program ends within 10 s, and a step that hid windows may keep it that long.
GONE_SECONDS = 10.0
WINE_HIDE_SECONDS = 2.5
# Steps something may go on playing, recording or running before the monkey stops it.
BUSY_STEPS = (1, 5)
HISTORY = 50
MODAL_CLASSES = ("TForm_homa", "TForm_plan", "TForm_hotkey")

WM_COMMAND = 0x0111
WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON = 0x0201, 0x0202, 0x0001
WM_SYSCOMMAND = 0x0112
SC_MINIMIZE = 0xF020
WM_TRAYICON = 1025
WM_LBUTTONDBLCLK = 515
TBM_GETRANGEMIN = 0x0401
TBM_GETRANGEMAX = 0x0402
TBM_SETPOS = 0x0405
LVM_GETITEMCOUNT = 0x1004
BS_TYPEMASK = 0x0F
PUSH_BUTTONS = {0x0, 0x1}  # BS_PUSHBUTTON, BS_DEFPUSHBUTTON
ES_READONLY = 0x0800
CBS_DROPDOWNLIST = 0x3

# Buttons that would start another program (the help viewer) or write outside the program folder
# (the log-on start in the registry the other tests share).
LEFT_OUT_CAPTIONS = {"Tapmill帮助文档", "程序启动时自动运行"}
# The editor's button to its text view, whose text of many lines every listing of the editor's
# controls then carries; the way there from the main window. The summary says how often a run
# opened the view.
TEXT_VIEW_CAPTION = "文本编辑"
TOWARD_TEXT_VIEW = ("自编按键", "编辑", TEXT_VIEW_CAPTION)
TOWARD_TEXT_VIEW_SECONDS = 3
# The fields and the clear button of the control hot keys: only the monkey's own control-key step
# works them, so that it knows which field "清除" clears.
CONTROL_KEY_PANEL = "Panel_controlkeys"
# The settings of config.ini's section "controlkeys", in the order of the panel's fields.
CONTROL_KEY_SETTINGS = ["record", "stop", "play", "run", "pause", "stpause", "strec", "ststop", "stplay", "point"]
STOP_SETTINGS = ("stop", "ststop")
DOCUMENTED_STOP_KEYS = {"stop": "ctrl+q", "ststop": "alt+q"}
# xdotool's names of keys the monkey captures, with the key table's names: several beyond the first
# 123 key numbers. No letter, digit or key target.exe gets typed, which would start things there.
CAPTURED_KEYS = {"semicolon": "OEM_1", "grave": "OEM_3", "apostrophe": "OEM_7", "bracketleft": "OEM_4",
                 "F7": "F7", "F8": "F8", "F11": "F11", "F12": "F12", "q": "Q", "k": "K", "Insert": "INSERT"}
CAPTURED_MODIFIERS = ["", "", "ctrl+", "alt+", "shift+", "ctrl+shift+", "ctrl+alt+"]
# Plain letters only with a modifier: alone they would take target.exe's typing.
NEEDS_MODIFIER = {"q", "k"}

HOT_KEYS = ["ctrl+w", "ctrl+q", "ctrl+z", "ctrl+e", "F9", "F10", "alt+w", "alt+q", "alt+z", "ctrl+1", "Escape"]
TARGET_KEYS = list("abcdefghijklmnopqrstuvwxyz0123456789") + ["space", "Return", "BackSpace", "Tab", "Left",
                                                                 "Right", "Up", "Down", "shift+a", "F5"]
CHINESE = "测试脚本录制播放定时计划热键中文名字的一二三四五六七八九十"
SYMBOLS = "\\/:*?\"<>|[]=;%&^$#@!~`'{}(),.+-_"


class MonkeyFailure(AssertionError):
    pass


# The key table's names of the keys the monkey can press that xdotool spells otherwise.
XDOTOOL_NAMES = {name: key for key, name in CAPTURED_KEYS.items()} | {
    "SPACE": "space", "RETURN": "Return", "BACK": "BackSpace", "TAB": "Tab", "LEFT": "Left", "RIGHT": "Right",
    "UPK": "Up", "DOWN": "Down", "ESCAPE": "Escape"}


def xdotool_chord(text):
    """xdotool's spelling of a combination as the program shows it ("Ctrl+Shift+Q" is
    "ctrl+shift+q"), or None for "无" and keys the monkey never presses."""
    *modifiers, key = text.split("+")
    if not key or any(m not in ("Ctrl", "Alt", "Shift") for m in modifiers):
        return None
    if key in XDOTOOL_NAMES:
        key = XDOTOOL_NAMES[key]
    elif len(key) == 1 and key.isascii() and key.isalnum():
        key = key.lower()
    elif not (key[0] == "F" and key[1:].isdigit()):
        return None
    return "+".join([m.lower() for m in modifiers] + [key])


def stored_control_key(config, setting):
    """The value config.ini keeps for a control hot key, or None: no file, no such key, or a file
    that is no longer text."""
    try:
        lines = config.read_bytes().decode("gbk").splitlines()
    except (FileNotFoundError, UnicodeDecodeError):
        return None
    section = None
    for line in lines:
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            section = line[1:-1].strip().lower()
        elif section == "controlkeys" and "=" in line:
            key, value = line.split("=", 1)
            if key.strip().lower() == setting:
                return value.strip()
    return None


def ini_problem(data, script):
    """Why a file the program wrote does not parse, or None. Scripts are GBK lines; every other
    INI is a profile: blank lines, [sections], key=value and ; comments."""
    try:
        text = data.decode("gbk")
    except UnicodeDecodeError as bad:
        return f"not GBK at byte {bad.start}"
    if script:
        return None
    for number, line in enumerate(text.splitlines(), 1):
        line = line.strip()
        if not line or line.startswith(";") or "=" in line or (line.startswith("[") and line.endswith("]")):
            continue
        return f"line {number} is neither a section nor a key: {line[:60]!r}"
    return None


def tree_listing(roots, skip):
    """Every file below the roots with its size and modification time, but those below `skip`."""
    entries = {}
    for root in roots:
        for dirpath, dirnames, filenames in os.walk(root):
            here = Path(dirpath)
            dirnames[:] = [d for d in dirnames if not any((here / d) == s for s in skip)]
            for name in filenames:
                path = here / name
                try:
                    info = path.lstat()
                except FileNotFoundError:
                    continue
                entries[str(path)] = (info.st_size, info.st_mtime_ns)
    return entries


class Monkey:
    def __init__(self, seed, folder, tapmill, stderr_path, driver, target, outside_roots, outside_skip):
        self.rng = random.Random(seed)
        self.seed = seed
        self.folder = folder
        self.tapmill = tapmill
        self.stderr_path = stderr_path
        self.driver = driver
        self.target = target
        self.main = MainWindow(driver)
        self.history = collections.deque(maxlen=HISTORY)
        self.counts = collections.Counter()
        self.steps = 0
        self.started = time.monotonic()
        self.busy_for = 0
        # Stops and the answers on the way draw from their own stream: how long they take must not
        # shift the choices of the steps.
        self.pace = random.Random(seed ^ 0x5EED)
        self.busy_limit = self.pace.randint(*BUSY_STEPS)
        # The files the monkey spoiled, and every content they held since: copies of them (renamed,
        # saved under another name) hold one of those.
        self.spoiled_paths = set()
        self.spoiled_contents = set()
        self.journal_state = self.main.label_after("Panel_strec", "信息状况:")
        section = self.main.panel(CONTROL_KEY_PANEL)
        self.control_key_fields = [driver.find_class(section, "Edit", i) for i in range(len(CONTROL_KEY_SETTINGS))]
        self.clear_button = self.main.in_panel(CONTROL_KEY_PANEL, "清除")
        self.focus_elsewhere = self.main.in_panel("Panel_set", "录制时托盘闪烁")
        self.left_out = set(self.control_key_fields) | {self.clear_button}
        self.stop_keys = dict(DOCUMENTED_STOP_KEYS)
        windows = driver.windows()
        self.pid = next(pid for hwnd, pid, *_ in windows if hwnd == self.main.hwnd)
        self.target_pid = next(pid for _, pid, _, _, _, caption in windows if caption == "tapmill-target")
        self.known_pids = {pid for _, pid, visible, *_ in windows if visible} | {self.pid, self.target_pid}
        self.outside_roots, self.outside_skip = outside_roots, outside_skip
        self.outside = tree_listing(outside_roots, outside_skip)

    # -- what the monkey sees ------------------------------------------------------------------

    def tapmill_windows(self):
        return [w for w in self.driver.windows() if w[1] == self.pid]

    def usable_windows(self):
        """The program's visible top-level windows that take input: a modal window or message box
        disables the ones below it."""
        return [w for w in self.tapmill_windows() if w[2] and w[3]]

    def usable_controls(self, kinds):
        found = []
        for window in self.usable_windows():
            for control in self.driver.controls(window[0]):
                hwnd, ident, style, visible, enabled, cls, text = control
                if visible and enabled and hwnd not in self.left_out and kinds(cls.lower(), style, text):
                    found.append((window, control))
        return found

    def busy(self):
        return self.main.status(0) != IDLE or self.driver.get_text(self.journal_state) in JOURNAL_BUSY

    # -- the steps ------------------------------------------------------------------------------

    def log(self, text):
        self.history.append(f"#{self.steps} {text}")

    def step_click_button(self):
        def push(cls, style, text):
            return cls == "button" and style & BS_TYPEMASK in PUSH_BUTTONS and text not in LEFT_OUT_CAPTIONS
        buttons = self.usable_controls(push)
        if not buttons:
            return self.step_target()
        window, (hwnd, ident, _, _, _, _, text) = self.rng.choice(buttons)
        self.log(f"click {text!r} on {window[4]} {window[5]!r}")
        if text == TEXT_VIEW_CAPTION:
            self.counts["text view opened"] += 1
        if window[4] == "#32770":
            # A message box's button, pressed as the box itself takes it.
            self.driver.post(window[0], WM_COMMAND, ident, hwnd)
        else:
            self.driver.click(hwnd)

    def step_text_view(self):
        """The editor's text view, reached as a user reaches it: "自编按键", its "编辑", then
        "文本编辑" in the editor, each click once the button before it led there, from as far along
        the way as the screen is. An open view stays until a click on "返回列表"."""
        def usable(caption):
            return self.usable_controls(lambda cls, style, text: cls == "button" and text == caption)

        def appears(caption):
            deadline = time.monotonic() + TOWARD_TEXT_VIEW_SECONDS
            while time.monotonic() < deadline:
                if found := usable(caption):
                    return found
                time.sleep(0.1)
            return []

        along = next((k for k in reversed(range(len(TOWARD_TEXT_VIEW))) if usable(TOWARD_TEXT_VIEW[k])), None)
        if along is None:
            return self.step_target()
        for caption in TOWARD_TEXT_VIEW[along:]:
            found = appears(caption)
            if not found:
                return  # the way was cut: a message, a busy program
            window, (hwnd, *_) = self.rng.choice(found)
            self.log(f"click {caption!r} on {window[4]} {window[5]!r}")
            if caption == TEXT_VIEW_CAPTION:
                self.counts["text view opened"] += 1
            self.driver.click(hwnd)

    def step_tick_box(self):
        def box(cls, style, text):
            return cls == "button" and style & BS_TYPEMASK not in PUSH_BUTTONS and style & BS_TYPEMASK != 0x7 \
                and text not in LEFT_OUT_CAPTIONS
        boxes = self.usable_controls(box)
        bars = self.usable_controls(lambda cls, style, text: cls == "msctls_trackbar32")
        if bars and (not boxes or self.rng.random() < 0.4):
            _, (hwnd, *_) = self.rng.choice(bars)
            low, high = self.driver.send(hwnd, TBM_GETRANGEMIN), self.driver.send(hwnd, TBM_GETRANGEMAX)
            position = self.rng.randint(low, high)
            self.log(f"track bar {hwnd} to {position}")
            self.driver.send(hwnd, TBM_SETPOS, 1, position)
        elif boxes:
            _, (hwnd, _, _, _, _, _, text) = self.rng.choice(boxes)
            self.log(f"tick {text!r}")
            self.driver.click(hwnd)
        else:
            self.step_target()

    def some_text(self):
        kind = self.rng.choices(["digits", "letters", "spaces", "chinese", "long", "symbols"],
                                [8, 3, 1, 3, 1, 2])[0]
        if kind == "digits":
            return kind, self.rng.choice(["0", "1", "2", "3", "5", "10", "100", "-1", "007", "99999999999",
                                          str(self.rng.randint(0, 2000))])
        if kind == "letters":
            return kind, "".join(self.rng.choice("abcdefghijklmnopqrstuvwxyzABCXYZ") for _ in range(self.rng.randint(1, 8)))
        if kind == "spaces":
            return kind, " " * self.rng.randint(1, 4)
        if kind == "chinese":
            return kind, "".join(self.rng.choice(CHINESE) for _ in range(self.rng.randint(1, 6)))
        if kind == "long":
            return kind, "".join(self.rng.choice(CHINESE + "abc123 ") for _ in range(self.rng.randint(200, 1200)))
        return kind, "".join(self.rng.choice(SYMBOLS) for _ in range(self.rng.randint(1, 6)))

    def step_type(self):
        def field(cls, style, text):
            return (cls == "edit" and not style & ES_READONLY) or (
                cls == "combobox" and style & 0x3 != CBS_DROPDOWNLIST)
        fields = self.usable_controls(field)
        if not fields:
            return self.step_target()
        _, (hwnd, _, _, _, _, cls, _) = self.rng.choice(fields)
        kind, text = self.some_text()
        if self.rng.random() < 0.5 and len(text) <= 8 and cls.lower() == "edit":
            # Typed key by key into what is there: each character as its keys would make it.
            self.log(f"type {kind} {text!r} into {hwnd}")
            for char in text:
                self.driver.type_char(hwnd, char)
        else:
            # Pasted over what is there.
            self.log(f"paste {kind} {text[:40]!r}{'…' if len(text) > 40 else ''} ({len(text)}) into {hwnd}")
            self.driver.set_text(hwnd, text)

    def step_choose(self):
        def box(cls, style, text):
            return cls in ("combobox", "listbox", "syslistview32")
        boxes = self.usable_controls(box)
        if not boxes:
            return self.step_target()
        _, (hwnd, _, _, _, _, cls, _) = self.rng.choice(boxes)
        cls = cls.lower()
        if cls == "syslistview32":
            count = self.driver.send(hwnd, LVM_GETITEMCOUNT)
        elif cls == "combobox":
            count = len(self.driver.combo_items(hwnd))
        else:
            count = len(self.driver.list_items(hwnd))
        if count == 0:
            self.log(f"choose in empty {cls} {hwnd}")
            return
        row = self.rng.randrange(count)
        self.log(f"choose row {row} of {count} in {cls} {hwnd}")
        try:
            self.driver.choose(hwnd, row)
        except e2e.UiDriverError as refused:
            self.log(f"  refused: {refused}")

    def step_pick_time(self):
        pickers = self.usable_controls(lambda cls, style, text: cls == "systemdatetimepick32")
        if not pickers:
            return self.step_target()
        _, (hwnd, *_) = self.rng.choice(pickers)
        now = datetime.datetime.now()
        if self.rng.random() < 0.6:
            when = now + datetime.timedelta(seconds=self.rng.randint(1, 3))
        else:
            when = now + datetime.timedelta(seconds=self.rng.randint(-86400, 86400))
        self.log(f"pick {when:%Y-%m-%d %H:%M:%S} in {hwnd}")
        try:
            self.driver.dtp_set(hwnd, when.year, when.month, when.day, when.hour, when.minute, when.second)
        except e2e.UiDriverError as refused:
            self.log(f"  refused: {refused}")

    def step_hot_key(self):
        chord = self.rng.choice(HOT_KEYS)
        self.log(f"hot key {chord}")
        e2e.key(chord)

    def some_chord(self):
        key = self.rng.choice(sorted(CAPTURED_KEYS))
        modifier = self.rng.choice([m for m in CAPTURED_MODIFIERS if m or key not in NEEDS_MODIFIER])
        return modifier + key

    def post_click(self, hwnd):
        """A click the control gets wherever the pointer is: target.exe covers the screen, and the
        keyboard library reports the keys pressed after it from whichever window has them."""
        self.driver.post(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0x00020002)
        self.driver.post(hwnd, WM_LBUTTONUP, 0, 0x00020002)
        # The keyboard library a key field switches on listens a moment later.
        time.sleep(0.5)

    def step_control_key(self):
        """A combination captured into a field of the control hot keys, or a field other than the
        two stops' cleared; now and then the focus goes on to a box beside them."""
        if not self.driver.is_visible(self.main.hwnd) or not self.driver.is_enabled(self.main.hwnd):
            return self.step_target()
        self.main.show_panel("Panel_set")
        index = self.rng.randrange(len(CONTROL_KEY_SETTINGS))
        setting = CONTROL_KEY_SETTINGS[index]
        field = self.control_key_fields[index]
        self.post_click(field)
        if setting not in STOP_SETTINGS and self.rng.random() < 0.2:
            self.log(f"clear the control key {setting}")
            self.driver.click(self.clear_button)
        else:
            chord = self.some_chord()
            self.log(f"control key {setting}: {chord}")
            e2e.key(chord)
        time.sleep(0.3)
        self.log(f"  {setting} is {self.driver.get_text(field)!r}")
        if self.rng.random() < 0.5:
            self.log("focus to the box beside the fields")
            self.post_click(self.focus_elsewhere)

    def step_hot_key_table(self):
        """In the hot-key window: a key captured into one of its key fields, often a script chosen
        and the entry added, now and then an entry switched or deleted."""
        windows = [w for w in self.usable_windows() if w[4] == "TForm_hotkey"]
        if not windows:
            return self.step_target()
        window = windows[0][0]
        action = self.rng.choices(["add", "switch", "delete"], [6, 2, 1])[0]
        if action != "add":
            table = self.driver.find_class(window, "SysListView32")
            rows = self.driver.send(table, LVM_GETITEMCOUNT)
            if rows:
                self.driver.choose(table, self.rng.randrange(rows))
            caption = "启用" if action == "switch" else "删除热键"
            self.log(f"hot-key table: {caption} of {rows} rows")
            return self.driver.click(self.driver.find(window, caption))
        single = self.rng.random() < 0.5
        field = self.driver.find_class(window, "Edit", 0 if single else 1)
        key = self.rng.choice(sorted(k for k in CAPTURED_KEYS if k not in NEEDS_MODIFIER))
        self.driver.click(self.driver.find(window, "单键" if single else "组合键"))
        self.post_click(field)
        e2e.key(key)
        time.sleep(0.3)
        self.log(f"hot-key table: {key} into the {'single' if single else 'combination'} field: "
                 f"{self.driver.get_text(field)!r}")
        self.post_click(self.driver.find_class(window, "Edit", 2))
        if self.rng.random() < 0.7:
            scripts = self.driver.find_class(window, "ComboBox", 2)
            names = self.driver.combo_items(scripts)
            if names:
                self.driver.choose(scripts, self.rng.randrange(len(names)))
            self.log("hot-key table: 添加热键")
            self.driver.click(self.driver.find(window, "添加热键"))

    def read_stop_keys(self):
        """The stop keys in force: config.ini's, where the program wrote them since the monkey last
        spoiled it; the fields of the options panel show them in any case."""
        for setting in STOP_SETTINGS:
            shown = self.driver.get_text(self.control_key_fields[CONTROL_KEY_SETTINGS.index(setting)])
            stored = stored_control_key(self.folder.path / "config.ini", setting)
            if stored is not None and stored != shown:
                self.log(f"  config.ini holds {setting}={stored!r}, the panel shows {shown!r}")
            chord = xdotool_chord(shown)
            if chord:
                self.stop_keys[setting] = chord
            else:
                self.log(f"  the stop key {setting} {shown!r} is none the monkey can press")

    def step_target(self):
        width, height = self.screen
        x, y = self.rng.randrange(width), self.rng.randrange(height)
        action = self.rng.choice(["move", "click", "right click", "keys", "drag", "hold a key"])
        self.log(f"target: {action} at {x},{y}")
        if action == "drag":
            # The button held down for a moment while the pointer goes elsewhere.
            e2e.mouse_move(x, y)
            e2e.xdotool("mousedown", 1)
            for _ in range(self.rng.randint(1, 4)):
                time.sleep(0.1)
                e2e.mouse_move(self.rng.randrange(width), self.rng.randrange(height))
            e2e.xdotool("mouseup", 1)
        elif action == "hold a key":
            letter = self.rng.choice("abcdefghijklmnopqrstuvwxyz")
            e2e.click(x, y)
            e2e.xdotool("keydown", letter)
            time.sleep(self.rng.choice([0.1, 0.3, 0.6]))
            e2e.xdotool("keyup", letter)
        elif action == "move":
            e2e.mouse_move(x, y)
        elif action == "click":
            e2e.click(x, y)
        elif action == "right click":
            e2e.click(x, y, button=3)
        else:
            e2e.click(x, y)
            e2e.key(*self.rng.choices(TARGET_KEYS, k=self.rng.randint(1, 5)))

    def step_tray(self):
        if self.driver.is_visible(self.main.hwnd):
            if not self.driver.is_enabled(self.main.hwnd):
                return self.step_target()
            self.log("minimise into the tray")
            self.driver.post(self.main.hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0)
        else:
            self.log("double click on the tray icon")
            self.driver.post(self.main.hwnd, WM_TRAYICON, 100, WM_LBUTTONDBLCLK)

    def step_spoil_ini(self):
        files = sorted(self.folder.path.rglob("*.ini"))
        if not files or self.busy():
            return self.step_target()
        path = self.rng.choice(files)
        data = path.read_bytes()
        if data and self.rng.random() < 0.5:
            spoiled = data[:self.rng.randrange(len(data))]
            how = "truncated"
        else:
            spoiled = bytes(self.rng.randrange(256) for _ in range(self.rng.randint(1, 300)))
            how = "garbage"
        self.log(f"{how} into {path.relative_to(self.folder.path)} ({len(spoiled)} bytes)")
        path.write_bytes(spoiled)
        self.spoiled_paths.add(path)
        self.spoiled_contents.add(spoiled)

    STEPS = [("click_button", 30), ("type", 12), ("choose", 8), ("tick_box", 8), ("pick_time", 4),
             ("hot_key", 10), ("target", 10), ("tray", 3), ("spoil_ini", 2), ("control_key", 3),
             ("hot_key_table", 4), ("text_view", 3)]

    def one_step(self):
        names, weights = zip(*self.STEPS)
        if not self.driver.is_visible(self.main.hwnd) and self.rng.random() < 0.3:
            name = "tray"
        else:
            name = self.rng.choices(names, weights)[0]
        self.counts[name] += 1
        getattr(self, f"step_{name}")()

    # -- the checks -----------------------------------------------------------------------------

    def fail(self, what):
        steps = "\n".join(self.history)
        try:
            shot = e2e.screenshot(f"monkey-{self.seed}-failure")
            windows = "\n".join(f"  {w}" for w in self.driver.windows() if w[1] == self.pid and w[2])
            what += f"\nthe program's visible windows:\n{windows}\nscreenshot: {shot}"
        except (e2e.UiDriverError, subprocess.SubprocessError, OSError):
            pass
        raise MonkeyFailure(f"{what}\nseed {self.seed}, step {self.steps}; the last {len(self.history)} steps:\n{steps}")

    def check_alive(self):
        if not self.tapmill.running():
            self.fail(f"tapmill.exe ended (exit code {self.tapmill.popen.returncode})")
        if not self.target.process.running():
            self.fail("target.exe ended: the monkey's clicks and keys would go nowhere")
        trace = self.stderr_path.read_bytes()
        for sign in (b"Unhandled", b"Backtrace", b"wine: Assertion", b"Unhandled exception"):
            if sign in trace:
                self.fail(f"a crash trace appeared: {trace[-2000:].decode('utf-8', 'replace')}")
        for hwnd, pid, visible, _, cls, caption in self.driver.windows():
            if visible and pid not in self.known_pids:
                self.fail(f"a window of another program appeared: {cls} {caption!r}")

    def visible_windows(self):
        return {w[0] for w in self.tapmill_windows() if w[2]}

    def check_answers(self, visible_before):
        windows = self.tapmill_windows()
        # Without a window manager Wine waits about 2 s for each window it hides or destroys, with
        # the program's thread inside that wait: the step's hidden windows earn that time.
        hidden = len(visible_before - {w[0] for w in windows if w[2]})
        for hwnd, _, _, _, cls, caption in windows:
            try:
                answered = self.driver.answers(hwnd, ANSWER_SECONDS)
                if not answered and hidden:
                    answered = self.driver.answers(hwnd, WINE_HIDE_SECONDS * hidden)
                    self.log(f"  {cls} answered {'late' if answered else 'not'} after {hidden} windows went")
            except e2e.UiDriverError:
                continue  # it went between the listing and the question
            if not answered and any(w[0] == hwnd for w in self.tapmill_windows()):
                self.fail(f"hang: {cls} {caption!r} did not answer within {ANSWER_SECONDS} s")

    def check_keys_released(self, why):
        deadline = time.monotonic() + 1.5
        while True:
            down = self.driver.keys_down()
            if not down:
                return
            if time.monotonic() > deadline:
                self.fail(f"after {why} these keys or buttons are still down: {down}")
            time.sleep(0.1)

    def check_files(self):
        for path in list(self.spoiled_paths):
            if path.exists():
                # What the program wrote into a spoiled file holds both.
                self.spoiled_contents.add(path.read_bytes())
            else:
                self.spoiled_paths.discard(path)
        for path in sorted(self.folder.path.rglob("*.ini")):
            try:
                data = path.read_bytes()
            except FileNotFoundError:
                continue
            if path in self.spoiled_paths or data in self.spoiled_contents:
                continue
            problem = ini_problem(data, path.parent.name == "jb_homa")
            if problem:
                # Read again: a recording still being written may have been read between the two
                # halves of a write.
                time.sleep(0.5)
                problem = ini_problem(path.read_bytes(), path.parent.name == "jb_homa") if path.exists() else None
            if problem:
                self.fail(f"{path.relative_to(self.folder.path)} does not parse: {problem}")
        now = tree_listing(self.outside_roots, self.outside_skip)
        if now != self.outside:
            changed = sorted(set(now.items()) ^ set(self.outside.items()))
            self.fail(f"files outside the program folder changed: {changed[:10]}")

    def keep_playback_short(self):
        """Stops whatever plays, records or runs once it has gone on for a few steps."""
        if not self.busy():
            self.busy_for = 0
            return
        self.busy_for += 1
        if self.busy_for < self.busy_limit:
            return
        self.busy_limit = self.pace.randint(*BUSY_STEPS)
        self.counts["stop"] += 1
        self.stop_everything()
        self.busy_for = 0
        self.check_keys_released("a stop")

    def stop_everything(self):
        """The stop keys in force ("停止" and "强化结束"), as often as it takes. A journal playback
        is deaf to both: it stops only at the end of its passes or when the main window is shown
        again, so after a few seconds the monkey leaves the modal windows and brings the window
        back from the tray."""
        self.read_stop_keys()
        self.log(f"stop with {self.stop_keys}: {self.main.status(0)!r} {self.driver.get_text(self.journal_state)!r}")
        started = time.monotonic()
        shown = False
        while self.busy():
            if time.monotonic() - started > STOP_SECONDS:
                self.fail(f"Ctrl+Q, Alt+Q and a show of the window did not stop {self.main.status(0)!r} "
                          f"{self.driver.get_text(self.journal_state)!r} within {STOP_SECONDS} s")
            self.answer_message_boxes("during the stop")
            e2e.key(self.stop_keys["stop"])
            e2e.key(self.stop_keys["ststop"])
            time.sleep(0.5)
            if not shown and time.monotonic() - started > SHOW_AFTER_SECONDS and self.busy():
                shown = True
                self.leave_modal_windows()
                self.log("minimise into the tray and back to show the window")
                if self.driver.is_visible(self.main.hwnd):
                    self.driver.post(self.main.hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0)
                    e2e.wait_until(lambda: not self.driver.is_visible(self.main.hwnd), "the window to go", 10)
                self.restore_from_tray()

    def restore_from_tray(self):
        if not self.driver.is_visible(self.main.hwnd):
            self.driver.post(self.main.hwnd, WM_TRAYICON, 100, WM_LBUTTONDBLCLK)
            e2e.wait_until(lambda: self.driver.is_visible(self.main.hwnd), "the window back from the tray", 10)

    def leave_modal_windows(self):
        """Answers the message boxes and closes the editor, plan and hot-key windows."""
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            self.answer_message_boxes("to leave")
            windows = self.tapmill_windows()
            modal = [w for w in windows if w[2] and w[4] in MODAL_CLASSES]
            if not modal and not any(w[2] and w[4] == "#32770" for w in windows):
                return
            for window in modal:
                self.log(f"close {window[4]}")
                self.driver.close(window[0])
            time.sleep(0.5)
        self.fail("the modal windows and message boxes did not go")

    def answer_message_boxes(self, why):
        for hwnd, _, visible, enabled, cls, caption in self.tapmill_windows():
            if visible and cls == "#32770":
                buttons = [c for c in self.driver.controls(hwnd) if c[5].lower() == "button" and c[3] and c[4]]
                if buttons:
                    button = self.pace.choice(buttons)
                    self.log(f"answer {caption!r} with {button[6]!r} {why}")
                    self.driver.post(hwnd, WM_COMMAND, button[1], button[0])
                    self.wait_answering(f"answering {caption!r} with {button[6]!r}")
                time.sleep(0.2)

    def wait_answering(self, after):
        """An answer can hide windows (the point capture's 是 hides the box, the editor and the main
        window: about 6 s of Wine's waits), with the program's thread inside those waits."""
        time.sleep(0.2)
        if not self.driver.answers(self.main.hwnd, GONE_SECONDS) and \
                any(w[0] == self.main.hwnd for w in self.tapmill_windows()):
            self.fail(f"hang: the main window did not answer within {GONE_SECONDS} s of {after}")

    def check(self, was_busy, visible_before):
        self.check_alive()
        self.check_answers(visible_before)
        if was_busy and not self.busy():
            self.check_keys_released("the end of a playback, recording or run")
        self.check_files()

    # -- the run --------------------------------------------------------------------------------

    def run(self, minutes):
        """The steps for `minutes`, then the end; any failure on the way names the last steps."""
        try:
            self.walk(minutes)
            self.finish()
        except MonkeyFailure:
            raise
        except (AssertionError, e2e.UiDriverError) as broken:
            self.fail(str(broken))

    def walk(self, minutes):
        self.screen = e2e.screen_size()
        started = self.started = time.monotonic()
        next_report = started + 60
        while time.monotonic() - started < minutes * 60:
            if time.monotonic() >= next_report:
                next_report += 60
                print(f"  {time.monotonic() - started:5.0f} s: {self.steps} steps, {self.counts['stop']} stops",
                      flush=True)
            self.steps += 1
            was_busy = self.busy()
            visible_before = self.visible_windows()
            try:
                self.one_step()
            except e2e.UiDriverError as missed:
                # A control that went between the look and the step: what a user's click on a
                # closing window does. A program that stopped answering is caught just below.
                self.log(f"  missed: {missed}")
            time.sleep(self.rng.choice([0.05, 0.1, 0.2, 0.4]))
            self.check(was_busy, visible_before)
            self.keep_playback_short()

    def finish(self):
        """Stops everything, leaves the modal windows, brings the window back and closes with 是."""
        self.log("finish")
        if self.busy():
            self.stop_everything()
        self.leave_modal_windows()
        self.restore_from_tray()
        self.check(False, self.visible_windows())
        self.driver.close(self.main.hwnd)
        box, text = self.driver.msgbox()
        if text != "是否真的要退出Tapmill？":
            self.fail(f"the close asked {text!r}")
        self.driver.press(box, "yes")
        try:
            self.tapmill.wait_exit(GONE_SECONDS)
        except AssertionError:
            self.fail(f"the program did not end within {GONE_SECONDS} s of the close answered 是")

    def summary(self):
        kinds = ", ".join(f"{name} {count}" for name, count in sorted(self.counts.items()))
        wall = time.monotonic() - self.started
        return f"monkey: seed {self.seed}, {self.steps} steps in {wall:.0f} s ({kinds})"


def new_seed():
    value = os.environ.get("MONKEY_SEED")
    return int(value) if value else random.SystemRandom().randrange(1 << 32)


def run(scratch, minutes, seed):
    """Starts the program and target.exe in a fresh program folder under `scratch` and lets the
    monkey loose for `minutes`; returns the monkey's summary or raises MonkeyFailure."""
    print(f"monkey seed: {seed} (MONKEY_SEED={seed} replays this run)", flush=True)
    scratch = Path(scratch)
    folder = e2e.ProgramFolder(scratch / "program")
    data_home = scratch / "xdg-data"  # Wine's Recycle Bin, where deletes go
    data_home.mkdir(exist_ok=True)
    (scratch / "trace").mkdir(exist_ok=True)
    stderr_path = scratch / "trace" / "tapmill.stderr"
    env = dict(e2e.wine_env(), XDG_DATA_HOME=str(data_home))
    with open(stderr_path, "wb") as stderr:
        tapmill = e2e.WineProcess(folder.path / "tapmill.exe", cwd=folder.path, env=env, stderr=stderr)
    driver = e2e.UiDriver(cwd=scratch)
    target = None
    try:
        MainWindow(driver)
        target = e2e.Target(Path(tempfile.mkdtemp(dir=scratch)))
        target.wait_ready()
        # Everything outside the program folder the program could write to: the rest of the
        # scratch folder, the Wine prefix's drive C, the desktop.
        roots = [scratch, e2e.wine_prefix() / "drive_c", Path.home() / "Desktop"]
        skip = [folder.path, data_home, stderr_path.parent, target.log.parent]
        monkey = Monkey(seed, folder, tapmill, stderr_path, driver, target, [r for r in roots if r.exists()], skip)
        try:
            monkey.run(minutes)
        finally:
            print(monkey.summary(), flush=True)
        return monkey.summary()
    finally:
        if target:
            target.stop()
        driver.quit()
        tapmill.kill()


def main():
    minutes = float(os.environ.get("MONKEY_MINUTES", "30"))
    e2e.start_session()
    try:
        with tempfile.TemporaryDirectory(prefix="tapmill-monkey-") as scratch:
            run(scratch, minutes, new_seed())
    except MonkeyFailure as failure:
        print(f"MONKEY FAILURE: {failure}", flush=True)
        return 1
    finally:
        e2e.end_session()
    return 0


if __name__ == "__main__":
    sys.exit(main())
