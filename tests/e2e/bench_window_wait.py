"""The cost of waiting for a window under Wine: tapmill.exe runs a script whose only line waits for
a window that never comes, over 20 s. Its share of a core is the user and system time its process
spent (/proc/<pid>/stat) over the wall time. Prints the figure; fails only when the run itself fails.

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
TARGET_SHARE = 0.02
SCRIPT = ["开始", "等待窗口：a window that never comes", "结束"]


def measure(scratch):
    folder = e2e.ProgramFolder(scratch)
    folder.write_bytes("jb_homa/wait.ini", ("\r\n".join(SCRIPT) + "\r\n").encode("gbk"))
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
        with tempfile.TemporaryDirectory(prefix="tapmill-bench-") as scratch:
            share, wall, still_waiting = measure(Path(scratch))
    finally:
        e2e.end_session()
    if not still_waiting:
        print("the script stopped waiting before the measurement ended")
        return 1
    met = "met" if share < TARGET_SHARE else "NOT met"
    print(f"waiting for a window over {wall:.1f} s: tapmill.exe used {share * 100:.2f}% of one core"
          f" (target under {TARGET_SHARE * 100:.0f}%: {met})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
