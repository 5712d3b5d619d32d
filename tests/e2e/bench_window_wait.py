"""The cost of waiting under Wine: tapmill.exe runs a script whose only line waits for a window that
never comes, over 20 s, and then one that waits for an image the screen never shows (each try grabs
the whole screen and searches it). Its share of a core is the user and system time its process
spent (/proc/<pid>/stat) over the wall time. Prints the figures with their targets.

Run through CTest (label e2ebench) or `make bench-e2e`."""

import sys
import tempfile
import time
from pathlib import Path

import tapmill_e2e as e2e
from bench_idle_cpu import cpu_seconds
from main_window import MainWindow

SECONDS = 20
SETTLE_SECONDS = 2
# What each wait may cost, in % of one core.
WAITS = {
    "window": (["开始", "等待窗口：a window that never comes", "结束"], 2),
    "image": (["开始", "等待图片：方块", "结束"], 5),
}


def measure(scratch, script):
    folder = e2e.ProgramFolder(scratch)
    folder.write_bytes("jb_homa/wait.ini", ("\r\n".join(script) + "\r\n").encode("gbk"))
    folder.write_bytes("jb_homa/图片/wait/方块.bmp", e2e.bmp_bytes(e2e.SQUARE_PICTURE))
    tapmill = e2e.WineProcess(folder.path / "tapmill.exe", cwd=folder.path)
    driver = e2e.UiDriver(cwd=scratch)
    try:
        main = MainWindow(driver)
        main.enable_and_run_script()
        main.wait_status("当前状态：运行脚本……", "the script to run")
        # Nothing may talk to the program while it is measured; the pointer rests off its windows.
        width, height = e2e.screen_size()
        e2e.mouse_move(width - 1, height - 1)
        time.sleep(SETTLE_SECONDS)
        before = cpu_seconds(tapmill.popen.pid)
        started = time.monotonic()
        time.sleep(SECONDS)
        wall = time.monotonic() - started
        share = (cpu_seconds(tapmill.popen.pid) - before) / wall
        still_waiting = main.status(0) == "当前状态：运行脚本……"
        return share, wall, still_waiting
    finally:
        driver.quit()
        tapmill.kill()


def main():
    e2e.start_session()
    try:
        measured = {}
        for wait, (script, _) in WAITS.items():
            with tempfile.TemporaryDirectory(prefix="tapmill-bench-") as scratch:
                measured[wait] = measure(Path(scratch), script)
    finally:
        e2e.end_session()
    for wait, (share, wall, still_waiting) in measured.items():
        if not still_waiting:
            print(f"the {wait} wait stopped before the measurement ended")
            return 1
        print(f"waiting for {'a' if wait == 'window' else 'an'} {wait} over {wall:.1f} s")
        e2e.figure(f"{wait}_wait_cpu", share * 100, "%", WAITS[wait][1])
    return 0


if __name__ == "__main__":
    sys.exit(main())
