"""tapmill.exe killed with SIGKILL at random moments, 100 times in all: during a plain recording,
during a journal recording, while the options are saved again and again, and while plan tasks are
added and deleted. Each kind of work goes on in one program folder across its kills, so every
start also reads what the last kill left. After every kill: every file in the program folder
parses; no file that had content before is torn or empty; a recording holds every frame or event
whose write had returned (its frames are dense, all complete but the very last one, which may lack
the keys whose write the kill hit); settings and tasks that existed before hold their old or their
new values. Prints the counts."""

import os
import random
import subprocess
import threading
import time
import unittest

import tapmill_e2e as e2e
from main_window import MainWindow
from tapmill_e2e import E2ETestCase

# `make test` runs a short round; `make crash` the full hundred kills.
KILLS_PER_KIND = int(os.environ.get("CRASH_KILLS_PER_KIND", "6"))
# The kill falls this long after the work has begun: from within the first frame or save to well
# into the run.
KILL_AFTER = (0.0, 0.3)
LB_SETCURSEL = 0x0186
BM_CLICK = 0x00F5
RECORDING = "当前状态：录制……"

FRAME_KEYS = ["x", "y"]
JOURNAL_KEYS = ["iCode", "wParam", "message", "paramL", "paramH", "time", "hwnd"]
TASK_KEYS = ["Time", "jbname", "speed", "times", "E"]
TASK_NAMES = [f"t{n}" for n in range(6)]
KP_VALUES = {"WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_RBUTTONDOWN", "WM_RBUTTONUP", "WM_LBUTTONDBLCLK"}

counts = {}


# Wine's X11 tray holds up every program started within two seconds of the death of one that had
# an icon there (measured: 1.9 s, against 0.2 s for a program without one). That would double the
# time of a hundred kills, and the tray plays no part in what is tested here: it is off meanwhile.
TRAY_SETTING = [r"HKCU\Software\Wine\X11 Driver", "/v", "ShowSystray"]


def wine_reg(*args):
    # No pipes: the Wine services the first command starts would hold them open.
    subprocess.run(["wine", "reg", *args], env=e2e.wine_env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   timeout=e2e.WAIT_SECONDS)


def setUpModule():
    e2e.start_session()
    wine_reg("add", *TRAY_SETTING, "/d", "N", "/f")
    e2e.start_session()  # the tray is set up when the Wine session starts


def tearDownModule():
    wine_reg("delete", *TRAY_SETTING, "/f")
    e2e.end_session()
    print("\ncrash safety:")
    for kind, line in counts.items():
        print(f"  {kind:<18} {line}")


class Torn(AssertionError):
    pass


def parse_profile(data, name):
    """A profile file as the program writes it: sections in file order, each with its keys in file
    order. Every line is a section header or key=value, and the file ends with a line break: a torn
    write would leave a line that is neither, or no line break at its end. Only blanks may follow
    the last line: what a shorter tail rewritten in place leaves when the kill comes before the
    file is cut, and what a reader takes for nothing."""
    data = data.rstrip(b" ") if data.rstrip(b" ").endswith(b"\r\n") else data
    if data and not data.endswith(b"\r\n"):
        raise Torn(f"{name} does not end with a line break: {data[-40:]!r}")
    sections = []
    for line in data.split(b"\r\n")[:-1]:
        if line.startswith(b"[") and line.endswith(b"]"):
            sections.append((line[1:-1].decode("gbk"), []))
        elif b"=" in line and sections:
            key, _, value = line.partition(b"=")
            sections[-1][1].append((key.decode("ascii"), value.decode("gbk")))
        else:
            raise Torn(f"{name}: a torn line {line!r}")
    return sections


def is_int(text):
    try:
        int(text)
        return True
    except ValueError:
        return False


def check_numbered(sections, all_keys, count_section, name):
    """Sections "0".."n-1" with every key in order, but the last one may hold only the keys before
    the write the kill hit; then perhaps the count. Returns n."""
    numbered = [s for s in sections if s[0] != count_section]
    for index, (section, keys) in enumerate(numbered):
        if section != str(index):
            raise Torn(f"{name}: section {section!r} where {index} belongs")
        names = [k for k, _ in keys if k not in ("kp", "ev", "ev2")]
        complete = names == all_keys
        if not complete and not (index == len(numbered) - 1 and names == all_keys[:len(names)]):
            raise Torn(f"{name}: frame {section} holds {names}")
        for key, value in keys:
            if key == "kp":
                if value not in KP_VALUES and not (value.startswith("k") and is_int(value[1:])):
                    raise Torn(f"{name}: frame {section} kp={value}")
            elif key in ("ev", "ev2"):
                if not value:
                    raise Torn(f"{name}: frame {section} {key} empty")
            elif not is_int(value):
                raise Torn(f"{name}: frame {section} {key}={value}")
    counted = [s for s in sections if s[0] == count_section]
    if counted and (counted != sections[-1:] or len(counted[0][1]) != 1 or not is_int(counted[0][1][0][1])):
        raise Torn(f"{name}: a count section out of place: {counted}")
    return len(numbered)


def check_folder(folder):
    """Every data file of the program folder parses. Returns the parsed ones by relative path."""
    parsed = {}
    for path in sorted(folder.path.rglob("*")):
        relative = str(path.relative_to(folder.path))
        if not path.is_file() or path.suffix.lower() in (".exe", ".dll", ".chm"):
            continue
        data = path.read_bytes()
        if path.name.endswith(".ini") and not relative.startswith("jb_homa"):
            parsed[relative] = parse_profile(data, relative)
        elif relative.startswith("jb_homa"):
            data.decode("gbk")
        else:
            # What a replace leaves beside the file when it is killed before its rename: never
            # read, the file itself is whole.
            if ".ini.tmp~" not in path.name:
                raise Torn(f"an unexpected file {relative}")
    return parsed


class KillCycle:
    """One start of tapmill.exe in the folder, and its kill at a random moment."""

    def __init__(self, test, folder):
        self.test, self.folder = test, folder
        self.before = {relative: path.read_bytes() for relative, path in self.files()}

    def files(self):
        return [(str(p.relative_to(self.folder.path)), p) for p in self.folder.path.rglob("*.ini") if p.is_file()]

    def start(self):
        self.process = e2e.WineProcess(self.folder.path / "tapmill.exe", cwd=self.folder.path)
        self.main = MainWindow(self.test.driver)
        return self.main

    def kill_later(self):
        """Kills the program at a random moment from now; the returned timer has fired once joined."""
        timer = threading.Timer(random.uniform(*KILL_AFTER), self.process.kill)
        timer.start()
        return timer

    def finish(self, timer, may_vanish=()):
        timer.join()
        self.process.kill()
        # The wineserver lets go of a killed process's windows a moment later.
        e2e.wait_until(lambda: not self.window_still_there(), "the killed program's window to go")
        parsed = check_folder(self.folder)
        for relative, old in self.before.items():
            if relative in may_vanish or not old:
                continue
            path = self.folder.path / relative
            if not path.exists() or path.stat().st_size == 0:
                raise Torn(f"{relative} had {len(old)} bytes and is now gone or empty")
        return parsed

    def window_still_there(self):
        try:
            self.test.driver.wait_window("TForm_maintapmill", timeout=0)
            return True
        except e2e.UiDriverError:
            return False


class CrashSafetyTest(E2ETestCase):
    def setUp(self):
        self.driver = self.start_driver()
        self.folder = self.program_folder()

    def cycles(self, kind, work):
        """Runs work(cycle) KILLS_PER_KIND times, each ended by a kill; work returns a figure kept
        for the printed counts."""
        figures = []
        for round_ in range(KILLS_PER_KIND):
            cycle = KillCycle(self, self.folder)
            self.addCleanup(lambda c=cycle: c.process.kill() if hasattr(c, "process") else None)
            try:
                figures.append(work(cycle))
            except Torn as torn:
                raise AssertionError(f"{kind}, kill {round_ + 1}: {torn}") from None
        return figures

    def test_plain_recordings_keep_every_frame_written_before_the_kill(self):
        def work(cycle):
            main = cycle.start()
            e2e.mouse_move(*self.inside(main, 0.3, 0.3))
            self.driver.click(main.in_panel("Panel_rec", "录制"))
            e2e.wait_until(lambda: main.status(0) == RECORDING, "the recording to start")
            timer = cycle.kill_later()
            # Pointer moves and key presses over the main window while the kill is pending.
            self.input_until(timer, main, keys=True)
            parsed = cycle.finish(timer, may_vanish={"jb_rec/jb_rec.ini"})
            sections = parsed.get("jb_rec/jb_rec.ini", [])
            frames = check_numbered(sections, FRAME_KEYS, "all", "jb_rec.ini")
            self.assertFalse(any(s[0] == "all" for s in sections), "a killed recording has no count")
            return frames

        frames = self.cycles("plain recording", work)
        counts["plain recording"] = (f"{len(frames)} kills; frames kept {min(frames)}..{max(frames)}, "
                                     f"{sum(frames)} in all, each with x and y but at most the one the kill hit")

    def test_journal_recordings_keep_every_event_written_before_the_kill(self):
        def work(cycle):
            main = cycle.start()
            self.driver.click(main.in_panel("Panel_strec", "录制"))
            e2e.wait_until(lambda: self.shown(main.panel("Panel_strec"), "录制中…"), "the journal recording to start")
            timer = cycle.kill_later()
            self.input_until(timer, main, keys=False)
            parsed = cycle.finish(timer, may_vanish={"jb_strec/stjb.ini"})
            return check_numbered(parsed.get("jb_strec/stjb.ini", []), JOURNAL_KEYS, "end", "stjb.ini")

        events = self.cycles("journal recording", work)
        counts["journal recording"] = (f"{len(events)} kills; events kept {min(events)}..{max(events)}, "
                                       f"{sum(events)} in all, each with its seven keys but at most the one the kill hit")

    def test_options_saved_again_and_again_keep_their_old_or_new_values(self):
        self.folder.write_bytes("config.ini", e2e.NOTICE_DISMISSED +
                                b"[autorun]\r\nx=0\r\n[lzsy]\r\nx=1\r\n[bfsy]\r\nx=0\r\n[plan]\r\nstate=false\r\n")

        def work(cycle):
            main = cycle.start()
            boxes = [main.in_panel("Panel_set", c) for c in ("录制时托盘闪烁", "播放时托盘闪烁")]
            save = main.in_panel("Panel_set", "保存设置")
            timer = cycle.kill_later()
            saves = 0
            while timer.is_alive():
                try:
                    self.driver.click(random.choice(boxes))
                    self.driver.click(save)
                    saves += 1
                except e2e.UiDriverError:
                    break
            parsed = cycle.finish(timer)
            config = {name: dict(keys) for name, keys in parsed["config.ini"]}
            # The indicator's corner joins the file with the first save that completes.
            kept = ["notice", "autorun", "lzsy", "bfsy", "plan"]
            self.assertIn([name for name, _ in parsed["config.ini"]], (kept, kept + ["indicator"]))
            for name in ("autorun", "lzsy", "bfsy"):
                self.assertIn(config[name], ({"x": "0"}, {"x": "1"}), name)
            self.assertEqual(config["autorun"], {"x": "0"})
            self.assertEqual(config["plan"], {"state": "false"})
            return saves

        saves = self.cycles("options", work)
        counts["options"] = f"{len(saves)} kills; {sum(saves)} saves asked for, config.ini whole after each kill"

    def test_plan_tasks_added_and_deleted_keep_their_old_or_new_values(self):
        self.folder.write_bytes("jb_rec/rec.ini", b"[0]\r\nx=1\r\ny=1\r\n[all]\r\nvalue=1\r\n")
        stamp = [0]

        def work(cycle):
            before = {name: dict(keys) for name, keys in parse_profile(cycle.before.get("plan.ini", b""), "plan.ini")}
            main = cycle.start()
            self.driver.click(main.in_panel("Panel_time", "计划任务"))
            plan = self.driver.wait_window_caption("计划任务")
            e2e.wait_until(lambda: self.driver.is_visible(plan), "the plan window")
            self.driver.combo_select(self.driver.find_class(self.driver.find(plan, "Panel7"), "ComboBox", 0), "rec")
            name_field = self.driver.find_class(self.driver.find(plan, "Panel3"), "Edit", 0)
            count_field = self.driver.find_class(self.driver.find(plan, "Panel5"), "Edit", 0)
            tasks = self.driver.find_class(self.driver.find(plan, "Panel3"), "ListBox")
            add, delete = self.driver.find(plan, "添加任务"), self.driver.find(plan, "删除任务")
            deleted, asked = set(), 0
            timer = cycle.kill_later()
            # Each click is sent, not posted: it has been handled when the driver answers, so what
            # was asked for before the kill is known exactly.
            while timer.is_alive():
                try:
                    items = self.driver.list_items(tasks)
                    if items and random.random() < 0.2:
                        index = random.randrange(len(items))
                        self.driver.send(tasks, LB_SETCURSEL, index)
                        deleted.add(items[index].split("　")[0])  # the task's name, before when it starts
                        self.driver.send(delete, BM_CLICK)
                    else:
                        stamp[0] += 1
                        self.driver.set_text(count_field, str(stamp[0]))
                        self.driver.set_text(name_field, random.choice(TASK_NAMES))
                        self.driver.send(add, BM_CLICK)
                    asked += 1
                except e2e.UiDriverError:
                    break
            # Deleting every task empties plan.ini; check_tasks tells that from a file lost in a kill.
            parsed = cycle.finish(timer, may_vanish=("plan.ini",))
            sections = parsed.get("plan.ini", [])
            self.check_tasks(sections, before, deleted)
            return asked

        asked = self.cycles("plan tasks", work)
        counts["plan tasks"] = f"{len(asked)} kills; {sum(asked)} adds and deletes asked for, plan.ini whole after each kill"

    def check_tasks(self, sections, before, deleted):
        names = [name for name, _ in sections]
        self.assertEqual(len(names), len(set(names)), f"one section per task: {names}")
        for index, (name, keys) in enumerate(sections):
            order = [k for k, _ in keys]
            values = dict(keys)
            # Only a task being added when a kill came may lack its later keys: the one added now, at
            # the end (a new name, or one deleted before it came back), or one an earlier kill left
            # half-added.
            if order != TASK_KEYS:
                being_added = index == len(sections) - 1 and (name not in before or name in deleted)
                left_half_added = name in before and list(before[name]) != TASK_KEYS
                self.assertTrue(order == TASK_KEYS[:len(order)] and (being_added or left_half_added),
                                f"task {name} holds {order}")
            self.assertIn(name, TASK_NAMES)
            self.assertRegex(values.get("Time", "20000101000000"), r"^\d{14}$")
            self.assertEqual(values.get("jbname", "recR"), "recR")
            self.assertEqual(values.get("speed", "5"), "5")
            self.assertTrue(values.get("times", "1").isdigit())
            self.assertIn(values.get("E", "N"), ("Y", "N"))
            if name in before and name not in deleted:
                # Rewritten in place: every key still there, with the old value or a new one; a task
                # left half-added may have gained its later keys since.
                old = list(before[name])
                self.assertEqual(order[:len(old)], old)
        for name in before:
            if name not in deleted:
                self.assertIn(name, names, f"task {name} was there before and was not deleted")

    def shown(self, parent, caption):
        try:
            return self.driver.find(parent, caption)
        except e2e.UiDriverError:
            return None

    def inside(self, main, fx, fy):
        left, top, right, bottom = self.driver.rect(main.hwnd)
        return int(left + (right - left) * fx), int(top + (bottom - top) * fy)

    def input_until(self, timer, main, keys):
        """Moves the pointer over the main window (Wine takes X input only over its own windows),
        and types letters into it, until the kill has come."""
        points = [self.inside(main, fx, fy) for fx, fy in ((0.3, 0.3), (0.7, 0.35), (0.6, 0.6), (0.35, 0.55))]
        step = 0
        while timer.is_alive():
            args = ["mousemove", *points[step % len(points)]]
            if keys and step % 3 == 2:
                args += ["key", "a"]
            subprocess.run(["xdotool", *map(str, args)], timeout=e2e.WAIT_SECONDS)
            step += 1
            time.sleep(0.02)


if __name__ == "__main__":
    unittest.main()
