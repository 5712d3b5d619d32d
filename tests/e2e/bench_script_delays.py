"""Script delays under Wine: a script of 200 lines "延时20毫秒" and one of a single "延时3秒", each
between two key clicks into target.exe, which stamps the keys it gets. The gap between the two
stamps is the time the delays took. Prints the figures with their targets, which
tools/bench-check.py holds them to.

Run through CTest (label e2ebench) or `make bench-e2e`."""

import sys
import tempfile
import time
from pathlib import Path

import tapmill_e2e as e2e
from main_window import MainWindow

LVM_GETITEMCOUNT = 0x1004
# name: (delay lines, ideal ms, allowed ms)
SCRIPTS = {
    "many": (["延时20毫秒"] * 200, 4000.0, 40.0),
    "long": (["延时3秒"], 3000.0, 20.0),
}


def script_bytes(delays):
    return ("\r\n".join(["开始", "单击键盘的A", *delays, "单击键盘的A", "结束"]) + "\r\n").encode("gbk")


def key_stamps(target, count):
    stamps = [stamp for (event, *_), stamp in target.timed_events() if event == "KEYDOWN"]
    return stamps if len(stamps) >= count else None


def run_scripts(scratch):
    """The time from the first key to the second of each script, in ms on target.exe's clock."""
    folder = e2e.ProgramFolder(scratch)
    for name, (delays, _, _) in SCRIPTS.items():
        folder.write_bytes(f"jb_homa/{name}.ini", script_bytes(delays))
    tapmill = e2e.WineProcess(folder.path / "tapmill.exe", cwd=folder.path)
    driver = e2e.UiDriver(cwd=scratch)
    target = None
    gaps = {}
    try:
        main = MainWindow(driver)
        main.show_panel("Panel_homa")
        table = driver.find_class(main.panel("Panel_homa"), "SysListView32")
        names = [driver.lv_text(table, row, 1) for row in range(driver.send(table, LVM_GETITEMCOUNT))]
        target = e2e.Target(scratch)
        target.wait_ready()
        for name, (_, ideal, _) in SCRIPTS.items():
            row = names.index(name)
            driver.lv_select(table, row)
            driver.click(main.in_panel("Panel_homa", "启用"))
            e2e.wait_until(lambda: driver.lv_text(table, row, 2) == "是", f"{name} to be enabled")
            before = len(key_stamps(target, 0))
            driver.click(main.in_panel("Panel_homa", "运行"))
            # Nothing asks the program anything while it runs: only the target's log is read.
            time.sleep(ideal / 1000)
            stamps = e2e.wait_until(lambda: key_stamps(target, before + 2), f"the keys of {name}", 30)
            gaps[name] = stamps[-1] - stamps[-2]
            e2e.wait_until(lambda: main.status(0) == "当前状态：", f"{name} to end")
        return gaps
    finally:
        if target:
            target.stop()
        driver.quit()
        tapmill.kill()


def main():
    e2e.start_session()
    try:
        with tempfile.TemporaryDirectory(prefix="tapmill-bench-") as scratch:
            gaps = run_scripts(Path(scratch))
    finally:
        e2e.end_session()
    for name, (delays, ideal, allowed) in SCRIPTS.items():
        gap = gaps[name]
        print(f"{len(delays):3} x {delays[0]:<8}  took {gap:8.1f} ms   (ideal {ideal:.0f} ms, {gap - ideal:+.1f} ms)")
        e2e.figure(f"script_delay_{name}_off", abs(gap - ideal), "ms", allowed)
    return 0


if __name__ == "__main__":
    sys.exit(main())
