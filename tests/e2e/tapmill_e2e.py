"""What the end-to-end tests share: the Wine prefix, a fresh program folder per test, the UI driver,
the event-logging target window, X input through xdotool, and screenshots.

A test module calls start_session() from setUpModule and end_session() from tearDownModule. Tests
derive from E2ETestCase and start everything through its methods, so that whatever a test started
is stopped when the test ends, passed or not, and its scratch folders are kept only when it failed.
"""

import os
import queue
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import urllib.parse
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]

# Only for waiting: long enough for a slow Wine start on a loaded machine.
WAIT_SECONDS = 30.0

WM_NULL = 0x0000
WM_GETTEXTLENGTH = 0x000E
WM_KEYDOWN = 0x0100


def _setting(name):
    value = os.environ.get(name)
    if not value:
        raise RuntimeError(f"{name} is not set: run the end-to-end tests through ctest -L e2e")
    return Path(value)


def dist_folder():
    return _setting("TAPMILL_DIST")


def release_folder():
    """Where the build puts the portable zip and the installer."""
    return _setting("TAPMILL_RELEASE")


def e2e_bin():
    return _setting("TAPMILL_E2E_BIN")


def wine_prefix():
    return _setting("TAPMILL_WINEPREFIX")


def wine_env():
    env = dict(os.environ)
    env.update(WINEPREFIX=str(wine_prefix()), WINEARCH="win32", WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=")
    return env


RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"


def wine_command(*args):
    """A Wine console command (reg, cmd, ...) run to its end, output captured.

    The output goes through files, not pipes: the first Wine command after the wineserver starts
    also starts Wine's services, which inherit the pipes and would hold them open for half a minute."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        result = subprocess.run(["wine", *args], env=wine_env(), stdout=out, stderr=err, timeout=WAIT_SECONDS)
        out.seek(0)
        err.seek(0)
        return subprocess.CompletedProcess(result.args, result.returncode, out.read(), err.read())


def reg_query(key, value):
    """The reg tool's answer naming one registry value, or None if the value does not exist."""
    result = wine_command("reg", "query", key, "/v", value)
    return result.stdout.decode("utf-8", "replace") if result.returncode == 0 else None


def desktop_shortcuts():
    """The desktop shortcuts the program makes on its first start that exist now."""
    places = list((wine_prefix() / "drive_c" / "users").glob("*/Desktop")) + [Path.home() / "Desktop"]
    return [p / "Tapmill3.3.lnk" for p in places if (p / "Tapmill3.3.lnk").exists()]


def wait_until(condition, what, timeout=WAIT_SECONDS):
    """Polls condition() until it returns something true and returns that; fails naming `what`."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(0.05)


def figure(name, value, unit, at_most):
    """Prints one figure of a benchmark with its target, in the line tools/bench-check.py holds to it."""
    print(f"figure: {name} {value:.4g} {unit} at most {at_most:g}", flush=True)


def bench_program(name):
    """Runs bench/<name>.exe under Wine and prints what it printed; gives its figures (the lines that
    end in a number, as "name value"), or None when it failed."""
    exe = e2e_bin().parent / "bench" / f"{name}.exe"
    run = subprocess.run(["wine", str(exe)], env=wine_env(), capture_output=True, text=True, timeout=120)
    print(run.stdout, end="")
    if run.returncode != 0:
        print(run.stderr, end="")
        return None
    return dict(line.split() for line in run.stdout.splitlines() if line.endswith(tuple("0123456789")))


def start_session():
    """Checks the display, makes the Wine prefix and starts its wineserver clean.

    The wineserver is kept running between Wine starts: otherwise it shuts down whenever no Windows
    process runs and every start pays for bringing it and Wine's own services up again. It still
    ends by itself half a minute after the last process, should an aborted run skip end_session()."""
    if not os.environ.get("DISPLAY"):
        raise RuntimeError("DISPLAY is not set: the end-to-end tests need an X display; "
                           "run them through tools/with-display.sh")
    for program in ("wine", "wineserver", "xdotool", "import", "xdpyinfo"):
        if shutil.which(program) is None:
            raise RuntimeError(f"{program} is not installed")
    subprocess.run([str(REPO / "tools" / "wineprefix.sh"), str(wine_prefix())], check=True)
    # The tests run one at a time and own the prefix: whatever still runs in it was left over by an
    # aborted run, or runs on another display, and would disturb window lookups.
    end_session()
    subprocess.run(["wineserver", "-p30"], env=wine_env(), check=True)
    # The display is shared by the modules of a run: the pointer goes back to where a fresh display
    # has it, over the program's centred window, since Wine takes keys only under the pointer.
    width, height = screen_size()
    mouse_move(width // 2, height // 2)


def end_session():
    subprocess.run(["wineserver", "-k"], env=wine_env(), stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], env=wine_env(), stderr=subprocess.DEVNULL)


class WineProcess:
    """One Windows program started under Wine. The wine launcher execs into the program, so the
    Unix process is the Windows process and its exit status is the Windows exit code."""

    def __init__(self, exe, args=(), cwd=None, env=None, **popen_args):
        self.name = Path(exe).name
        self.popen = subprocess.Popen(["wine", str(exe), *map(str, args)], cwd=cwd, env=env or wine_env(),
                                      **popen_args)

    def running(self):
        return self.popen.poll() is None

    def wait_exit(self, timeout=WAIT_SECONDS):
        try:
            return self.popen.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"{self.name} did not exit within {timeout} s") from None

    def kill(self):
        if self.running():
            self.popen.kill()
        self.popen.wait()


# What config.ini holds once the first start's notice of the global keys was closed with "不再提示".
NOTICE_DISMISSED = b"[notice]\r\nglobalkeys=1\r\n"


class ProgramFolder:
    """A private copy of the built program folder (tapmill.exe and its data folders). Unless a test
    looks at the first start's notice of the global keys, it starts with that notice dismissed, as
    for a user who has seen it."""

    def __init__(self, scratch, notice_dismissed=True):
        dist = dist_folder()
        if not (dist / "tapmill.exe").is_file():
            raise RuntimeError(f"{dist / 'tapmill.exe'} does not exist: build the dist target first")
        self.path = Path(scratch) / "tapmill"
        shutil.copytree(dist, self.path)
        if notice_dismissed:
            self.write_bytes("config.ini", NOTICE_DISMISSED)

    def write_bytes(self, relative, data):
        target = self.path / relative
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(data)
        return target

    def write_text(self, relative, text, encoding):
        return self.write_bytes(relative, text.encode(encoding))

    def listing(self):
        """Every file and folder below the program folder with its size and modification time."""
        entries = {}
        for item in sorted(self.path.rglob("*")):
            info = item.stat()
            entries[str(item.relative_to(self.path))] = (item.is_dir(), info.st_size, info.st_mtime_ns)
        return entries


def recording_text(frames):
    """A plain recording as the program stores it: one section per (x, y, event) frame, event None
    for a frame without one, then the frame count."""
    lines = []
    for number, (x, y, event) in enumerate(frames):
        lines.append(f"[{number}]")
        if event:
            lines.append(f"kp={event}")
        lines += [f"x={x}", f"y={y}"]
    lines += ["[all]", f"value={len(frames)}"]
    return "\r\n".join(lines) + "\r\n"


class UiDriverError(Exception):
    pass


def escape(text):
    return text.replace("\\", "\\\\").replace("\n", "\\n").replace("\r", "\\r")


_ESCAPES = {"\\\\": "\\", "\\n": "\n", "\\r": "\r"}


def unescape(text):
    return re.sub(r"\\[\\nr]", lambda match: _ESCAPES[match.group(0)], text)


def listing_rows(answer):
    """The rows of a listing (windows, controls, tab-order, overflows): the driver escapes each row's
    texts, and the rows joined by line breaks once more. Each row's texts are still escaped."""
    return unescape(answer).split("\n") if answer else []


def _window_row(line):
    hwnd, pid, visible, enabled, cls, caption = (line.split(" ", 5) + [""])[:6]
    return int(hwnd), int(pid), visible == "1", enabled == "1", cls, unescape(caption)


class UiDriver:
    """One running uidriver.exe: a method per command. Timeouts are in seconds here and go to the
    driver in milliseconds; an "err" answer raises UiDriverError."""

    def __init__(self, cwd):
        self.process = WineProcess(e2e_bin() / "uidriver.exe", cwd=cwd, stdin=subprocess.PIPE,
                                   stdout=subprocess.PIPE, text=True, encoding="utf-8", bufsize=1)
        # Answers are read on a thread so that a driver that stops answering fails the test
        # instead of blocking it until CTest's timeout.
        self._answers = queue.Queue()
        self._reader = threading.Thread(target=self._read_answers, daemon=True)
        self._reader.start()

    def _read_answers(self):
        for line in self.process.popen.stdout:
            self._answers.put(line.rstrip("\n"))
        self._answers.put(None)

    def command(self, line, wait=0.0):
        """Sends one command line and returns the result after "ok"."""
        if not self.process.running():
            raise UiDriverError("uidriver.exe is not running")
        self.process.popen.stdin.write(line + "\n")
        self.process.popen.stdin.flush()
        try:
            answer = self._answers.get(timeout=wait + WAIT_SECONDS)
        except queue.Empty:
            raise UiDriverError(f"no answer to {line!r}") from None
        if answer is None:
            raise UiDriverError(f"uidriver.exe ended on {line!r}")
        if answer == "ok":
            return ""
        if answer.startswith("ok "):
            return answer[3:]
        raise UiDriverError(f"{line!r}: {answer}")

    def _window(self, line, wait=0.0):
        return int(self.command(line, wait))

    def wait_window(self, cls, timeout=WAIT_SECONDS):
        return self._window(f"wait-window {cls} {int(timeout * 1000)}", timeout)

    def wait_window_caption(self, caption, timeout=WAIT_SECONDS):
        return self._window(f"wait-window-caption {int(timeout * 1000)} {escape(caption)}", timeout)

    def find(self, parent, caption):
        return self._window(f"find {parent} {escape(caption)}")

    def find_class(self, parent, cls, index=0):
        return self._window(f"find-class {parent} {cls} {index}")

    def click(self, hwnd):
        self.command(f"click {hwnd}")

    def get_text(self, hwnd):
        return unescape(self.command(f"get-text {hwnd}"))

    def set_text(self, hwnd, text):
        self.command(f"set-text {hwnd} {escape(text)}")

    def type_char(self, hwnd, char):
        self.command(f"type-char {hwnd} {escape(char)}")

    def is_visible(self, hwnd):
        return self.command(f"is-visible {hwnd}") == "1"

    def is_enabled(self, hwnd):
        return self.command(f"is-enabled {hwnd}") == "1"

    def is_checked(self, hwnd):
        return self.command(f"is-checked {hwnd}") == "1"

    def rect(self, hwnd):
        return tuple(int(value) for value in self.command(f"rect {hwnd}").split())

    def owner(self, hwnd):
        return self._window(f"owner {hwnd}")

    def status(self, statusbar, panel):
        return unescape(self.command(f"status {statusbar} {panel}"))

    def combo_items(self, combo):
        text = self.command(f"combo-items {combo}")
        return unescape(text).split("\n") if text else []

    def list_items(self, listbox):
        text = self.command(f"list-items {listbox}")
        return unescape(text).split("\n") if text else []

    def combo_select(self, combo, item):
        self.command(f"combo-select {combo} {escape(item)}")

    def dtp_set(self, picker, year, month, day, hour, minute, second):
        self.command(f"dtp-set {picker} {year} {month} {day} {hour} {minute} {second}")

    def dtp_get(self, picker):
        """The picker's value as "yyyy-MM-dd hh:mm:ss"."""
        return self.command(f"dtp-get {picker}")

    def lv_text(self, listview, row, column):
        return unescape(self.command(f"lv-text {listview} {row} {column}"))

    def lv_select(self, listview, row):
        self.command(f"lv-select {listview} {row}")

    def msgbox(self, timeout=WAIT_SECONDS):
        """Waits for a message box; returns its hwnd and text."""
        hwnd, _, text = self.command(f"msgbox {int(timeout * 1000)}", timeout).partition(" ")
        return int(hwnd), unescape(text)

    def msgbox_caption(self, hwnd):
        return unescape(self.command(f"msgbox-caption {hwnd}"))

    def press(self, dialog, button):
        self.command(f"press {dialog} {button}")

    def close(self, hwnd):
        self.command(f"close {hwnd}")

    def post(self, hwnd, msg, wparam=0, lparam=0):
        self.command(f"post {hwnd} {msg} {wparam} {lparam}")

    def send(self, hwnd, msg, wparam=0, lparam=0):
        return int(self.command(f"send {hwnd} {msg} {wparam} {lparam}"))

    def foreground(self):
        return self._window("foreground")

    def answers(self, hwnd, timeout):
        """Whether the window's thread takes a message within `timeout` seconds."""
        return self.command(f"answers {hwnd} {int(timeout * 1000)}", timeout) == "1"

    def windows(self):
        """Every top-level window: (hwnd, process id, visible, enabled, class, caption)."""
        return [_window_row(line) for line in listing_rows(self.command("windows"))]

    def controls(self, window):
        """Every control below a window: (hwnd, id, style, visible, enabled, class, text)."""
        rows = []
        for line in listing_rows(self.command(f"controls {window}")):
            hwnd, ident, style, visible, enabled, cls, text = (line.split(" ", 6) + [""])[:7]
            rows.append((int(hwnd), int(ident), int(style), visible == "1", enabled == "1", cls, unescape(text)))
        return rows

    def choose(self, box, row):
        """Chooses a row of a combo box, list box or list view, as a click on it would."""
        self.command(f"choose {box} {row}")

    def keys_down(self):
        """The virtual-key codes of the keys and mouse buttons held down now."""
        return [int(vk) for vk in self.command("keys-down").split()]

    def hold_file(self, windows_path):
        """Keeps the file open, as a program using it does, until the driver ends."""
        self.command(f"hold-file {escape(windows_path)}")

    def place(self, hwnd, x, y, width, height):
        """Moves and sizes a top-level window, as a user drags it."""
        self.command(f"place {hwnd} {x} {y} {width} {height}")

    def hold_key(self, vk, seconds):
        """Holds a key down as a keyboard does, its auto-repeat included, and lets it go."""
        self.command(f"hold-key {vk} {int(seconds * 1000)}", seconds)

    def cursor(self):
        x, y = self.command("cursor").split()
        return int(x), int(y)

    def quit(self):
        if self.process.running():
            try:
                self.command("quit")
            except UiDriverError:
                pass  # it hangs or is gone: the kill below settles it either way
        self.process.kill()
        self.process.popen.stdin.close()
        self._reader.join(WAIT_SECONDS)
        self.process.popen.stdout.close()


# What target.exe paints with square=: 40 x 40 pixels in four quarters, rows from the top, each
# pixel 0xRRGGBB.
SQUARE_SIDE = 40
SQUARE_COLOURS = (0xD04020, 0x20C040, 0x2040D0, 0xE0C020)
SQUARE_PICTURE = [[SQUARE_COLOURS[(y >= SQUARE_SIDE // 2) * 2 + (x >= SQUARE_SIDE // 2)] for x in range(SQUARE_SIDE)]
                  for y in range(SQUARE_SIDE)]


def bmp_bytes(rows):
    """A 24-bit bottom-up Windows bitmap of rows of 0xRRGGBB pixels."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) // 4 * 4
    pixels = b"".join(b"".join(struct.pack("<I", p)[:3] for p in row).ljust(stride, b"\0") for row in reversed(rows))
    header = struct.pack("<2sIHHIIiiHHIIiiII", b"BM", 54 + len(pixels), 0, 0, 54, 40, width, height, 1, 24, 0,
                         len(pixels), 2835, 2835, 0, 0)
    return header + pixels


def bmp_rows(data):
    """The rows of 0xRRGGBB pixels, from the top, of a 24-bit bottom-up bitmap as the program writes."""
    offset, _, width, height, _, bits = struct.unpack_from("<IIiiHH", data, 10)
    assert bits == 24 and height > 0, "a 24-bit bottom-up bitmap"
    stride = (width * 3 + 3) // 4 * 4
    rows = [[int.from_bytes(data[offset + y * stride + x * 3:offset + y * stride + x * 3 + 3], "little")
             for x in range(width)] for y in range(height)]
    return rows[::-1]


def screen_rows(screenshot_path, left, top, width, height):
    """The rows of 0xRRGGBB pixels of a part of a screenshot."""
    raw = subprocess.run(["convert", str(screenshot_path), "-crop", f"{width}x{height}+{left}+{top}", "+repage",
                          "-depth", "8", "rgb:-"], check=True, capture_output=True, timeout=WAIT_SECONDS).stdout
    return [[int.from_bytes(raw[(y * width + x) * 3:(y * width + x) * 3 + 3], "big") for x in range(width)]
            for y in range(height)]


class Target:
    """target.exe: a full-screen window that logs the mouse buttons and keys it receives; with
    detail also the scan codes of the keys and the characters they make. With opens=(title, ms) it
    opens a second window of that title ms milliseconds after the first right button press, and
    logs ("OPENED",). With square=ms it paints SQUARE_PICTURE at a random place ms milliseconds
    after it is ready, and logs ("SQUARE", left, top); square=(ms, left, top) paints it there. With
    window=(x, y, width, height) it is an ordinary movable window of that frame instead (titled
    `title` if given) that logs client coordinates and ("CLIENT", left, top, width, height) whenever
    its client area is placed. With saves, Ctrl+S opens a save box whose Enter logs ("SAVED",
    *codes of the name)."""

    def __init__(self, folder, detail=False, opens=None, square=None, window=None, title=None, saves=False):
        self.log = Path(folder) / "target.log"
        # The log is named relative to the working folder: Wine would read an absolute Unix path
        # as a path on the current drive.
        args = ["target.log"] + (["detail"] if detail else []) + (["opens", opens[0], opens[1]] if opens else [])
        args += ["square"] + [str(n) for n in (square if isinstance(square, tuple) else (square,))] if square is not None else []
        args += ["window", *map(str, window)] if window else []
        args += ["title", title] if title else []
        args += ["saves"] if saves else []
        self.process = WineProcess(e2e_bin() / "target.exe", args, cwd=folder)
        self.windowed = bool(window)

    def wait_ready(self):
        # A window's first CLIENT line follows READY: until it is written, client() has no place.
        wait_until(lambda: (self._lines()[:1] == ["READY"] and (not self.windowed or self.client()))
                   or not self.process.running(), "target.exe to be ready")
        if not self.process.running():
            raise AssertionError("target.exe ended before it was ready")

    def _lines(self):
        try:
            return self.log.read_text(encoding="ascii").splitlines()
        except FileNotFoundError:
            return []

    def events(self):
        """The events logged so far: ("LDOWN", x, y) ... and ("KEYDOWN", vk) ... (("KEYDOWN", vk,
        scan, mapped) and ("CHAR", code) with detail)"""
        return [event for event, _ in self.timed_events()]

    def timed_events(self):
        """The events logged so far, each with when target.exe got it (ms on its own clock)."""
        timed = []
        for name, *values in (line.split() for line in self._lines()[1:]):
            stamp = float(values.pop()[1:]) if values and values[-1].startswith("@") else None
            timed.append(((name, *map(int, values)), stamp))
        return timed

    def client(self):
        """The screen rectangle (left, top, width, height) of the windowed target's client area."""
        placed = [event[1:] for event in self.events() if event[0] == "CLIENT"]
        return placed[-1] if placed else None

    def wait_events(self, count, timeout=WAIT_SECONDS):
        """The events once at least `count` have been logged."""
        def enough():
            events = self.events()
            return events if len(events) >= count else None
        try:
            return wait_until(enough, f"{count} target events", timeout)
        except AssertionError as timed_out:
            raise AssertionError(f"{timed_out}; logged: {self.events()}") from None

    def wait_quiet(self, quiet=0.5, timeout=WAIT_SECONDS):
        """The events once nothing new has been logged for `quiet` seconds: input sent just before a
        stop can still be on its way to target.exe, while a playback that goes on is never quiet."""
        seen = {"count": -1, "since": time.monotonic()}
        def quiet_now():
            events = self.events()
            if len(events) != seen["count"]:
                seen.update(count=len(events), since=time.monotonic())
                return None
            return events if time.monotonic() - seen["since"] >= quiet else None
        return wait_until(quiet_now, f"target.exe to get no more events for {quiet} s", timeout)

    def stop(self):
        self.process.kill()


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=WAIT_SECONDS)


def key(*keys):
    """Presses and releases each key in turn, e.g. key("ctrl+q") or key("a", "Return")."""
    xdotool("key", *keys)


def pointer():
    """Where the X pointer is."""
    output = subprocess.run(["xdotool", "getmouselocation", "--shell"], check=True, capture_output=True,
                            text=True, timeout=WAIT_SECONDS).stdout
    place = dict(line.split("=", 1) for line in output.split())
    return int(place["X"]), int(place["Y"])


def move_to(x, y):
    """The xdotool words that bring the pointer to (x, y). --sync waits until the pointer has moved,
    so a move to where it is already waits out xdotool's own 15 s instead: that one goes without."""
    return ["mousemove"] + ([] if pointer() == (int(x), int(y)) else ["--sync"]) + [x, y]


def mouse_move(x, y):
    xdotool(*move_to(x, y))


def click(x, y, button=1, repeat=1):
    xdotool(*move_to(x, y), "click", "--repeat", repeat, button)


def screen_size():
    output = subprocess.run(["xdpyinfo"], check=True, capture_output=True, text=True).stdout
    width, height = re.search(r"dimensions:\s+(\d+)x(\d+) pixels", output).groups()
    return int(width), int(height)


def screenshot(name):
    """Saves the whole display as <name>.png in the screenshots folder and returns its path."""
    folder = _setting("TAPMILL_SCREENSHOTS")
    folder.mkdir(parents=True, exist_ok=True)
    path = folder / f"{name}.png"
    subprocess.run(["import", "-window", "root", str(path)], check=True, timeout=WAIT_SECONDS)
    return path


def screenshot_window(x_window, name):
    """Saves one X window (an id from xdotool) as <name>.png and returns its path."""
    folder = _setting("TAPMILL_SCREENSHOTS")
    folder.mkdir(parents=True, exist_ok=True)
    path = folder / f"{name}.png"
    subprocess.run(["import", "-window", str(x_window), str(path)], check=True, timeout=WAIT_SECONDS)
    return path


class E2ETestCase(unittest.TestCase):
    """Stops whatever a test started when it ends; keeps its scratch folder only if it failed."""

    def run(self, result=None):
        if result is None:
            result = self.defaultTestResult()
        problems_before = len(result.failures) + len(result.errors)
        self._scratch = Path(tempfile.mkdtemp(prefix=f"tapmill-e2e-{self._testMethodName}-"))
        try:
            return super().run(result)
        finally:
            if len(result.failures) + len(result.errors) > problems_before:
                print(f"kept for inspection: {self._scratch}", file=sys.stderr)
            else:
                shutil.rmtree(self._scratch, ignore_errors=True)

    def program_folder(self, notice_dismissed=True):
        return ProgramFolder(Path(tempfile.mkdtemp(dir=self._scratch)), notice_dismissed)

    def start_tapmill(self, folder, *args):
        # Wine's Recycle Bin is the XDG trash; each test gets its own, so that nothing it deletes
        # lands in the user's trash and the test can look there.
        # Wine makes the Trash folder there, not the data folder itself, which a home always has.
        data_home = self._scratch / "xdg-data"
        data_home.mkdir(exist_ok=True)
        env = dict(wine_env(), XDG_DATA_HOME=str(data_home))
        process = WineProcess(folder.path / "tapmill.exe", args, cwd=folder.path, env=env)
        self.addCleanup(process.kill)
        return process

    def trashed(self, original):
        """The bytes that Wine's Recycle Bin holds for the file deleted from `original`, or None."""
        trash = self._scratch / "xdg-data" / "Trash"
        for info in sorted((trash / "info").glob("*.trashinfo")):
            lines = info.read_text(encoding="utf-8").splitlines()
            if f"Path={original}" in (urllib.parse.unquote(line) for line in lines):
                return (trash / "files" / info.name[:-len(".trashinfo")]).read_bytes()
        return None

    def start_driver(self):
        driver = UiDriver(cwd=self._scratch)
        self.addCleanup(driver.quit)
        return driver

    def start_target(self, detail=False, opens=None, square=None, window=None, title=None, saves=False):
        target = Target(Path(tempfile.mkdtemp(dir=self._scratch)), detail, opens, square, window, title, saves)
        self.addCleanup(target.stop)
        target.wait_ready()
        return target
