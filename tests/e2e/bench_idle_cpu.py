"""Idle cost under Wine: tapmill.exe with its main window shown and nothing running, beside
idlewindow.exe, a window that does nothing, over 30 s. Each one's share of a core is the user and
system time its process spent (/proc/<pid>/stat) over the wall time. Prints the figures; fails only
when the run itself fails.

Run through CTest (label e2ebench) or `make bench-e2e`."""

import os
import sys
import tempfile
import time
from pathlib import Path

import tapmill_e2e as e2e
from main_window import MainWindow

SECONDS = 30
SETTLE_SECONDS = 3
TARGET_SHARE = 0.005
TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    """User plus system time of the process so far. The wine launcher execs into the program, so
    the launcher's pid is the program's."""
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def measure(scratch):
    folder = e2e.ProgramFolder(scratch)
    tapmill = e2e.WineProcess(folder.path / "tapmill.exe", cwd=folder.path)
    reference = e2e.WineProcess(e2e.e2e_bin() / "idlewindow.exe", cwd=scratch)
    driver = e2e.UiDriver(cwd=scratch)
    try:
        MainWindow(driver)  # waits for the window to be shown
        driver.wait_window("tapmill-idle-reference")
        # Nothing may talk to the program while it is measured. The pointer rests in a corner of the
        # screen, off both windows, as it would on a desktop where the program idles: resting on one
        # of the program's push buttons, Wine wakes it about a hundred times a second.
        driver.quit()
        width, height = e2e.screen_size()
        e2e.mouse_move(width - 1, height - 1)
        time.sleep(SETTLE_SECONDS)
        processes = {"tapmill.exe": tapmill, "idlewindow.exe": reference}
        before = {name: cpu_seconds(p.popen.pid) for name, p in processes.items()}
        started = time.monotonic()
        time.sleep(SECONDS)
        wall = time.monotonic() - started
        return {name: (cpu_seconds(p.popen.pid) - before[name]) / wall for name, p in processes.items()}, wall
    finally:
        driver.quit()
        reference.kill()
        tapmill.kill()


def main():
    e2e.start_session()
    try:
        with tempfile.TemporaryDirectory(prefix="tapmill-bench-") as scratch:
            shares, wall = measure(Path(scratch))
    finally:
        e2e.end_session()
    print(f"idle over {wall:.1f} s, share of one core (clock ticks of 1/{TICKS} s)")
    for name, share in shares.items():
        print(f"  {name:<15} {share * 100:6.2f}%")
    met = "met" if shares["tapmill.exe"] < TARGET_SHARE else "NOT met"
    print(f"  target for tapmill.exe under {TARGET_SHARE * 100:.1f}%: {met}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
