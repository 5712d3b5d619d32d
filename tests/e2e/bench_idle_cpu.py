"""Idle cost under Wine: tapmill.exe with its main window shown and nothing running, beside
idlewindow.exe, a window that does nothing but show a push button, each over 30 s: first with the
pointer resting in a corner of the screen, off both windows; then resting on one of the program's
push buttons; then on the reference window's button, which shows what Wine itself costs there.
Each one's share of a core is the user and system time its process spent (/proc/<pid>/stat) over
the wall time. Prints the figures with their targets, which tools/bench-check.py holds them to.

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
TARGET_PERCENT = 0.5
TICKS = os.sysconf("SC_CLK_TCK")
REFERENCE_CLASS = "tapmill-idle-reference"


def cpu_seconds(pid):
    """User plus system time of the process so far. The wine launcher execs into the program, so
    the launcher's pid is the program's."""
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def middle(rect):
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


def shares(processes, pointer):
    """Each process's share of a core while the pointer rests at `pointer` and nothing else happens."""
    e2e.mouse_move(*pointer)
    time.sleep(SETTLE_SECONDS)
    before = {name: cpu_seconds(p.popen.pid) for name, p in processes.items()}
    started = time.monotonic()
    time.sleep(SECONDS)
    wall = time.monotonic() - started
    return {name: (cpu_seconds(p.popen.pid) - before[name]) / wall for name, p in processes.items()}


def measure(scratch):
    """{where the pointer rests: {process: share of a core}}"""
    folder = e2e.ProgramFolder(scratch)
    tapmill = e2e.WineProcess(folder.path / "tapmill.exe", cwd=folder.path)
    reference = e2e.WineProcess(e2e.e2e_bin() / "idlewindow.exe", cwd=scratch)
    driver = e2e.UiDriver(cwd=scratch)
    try:
        main = MainWindow(driver)  # waits for the window to be shown
        reference_window = driver.wait_window(REFERENCE_CLASS)
        width, height = e2e.screen_size()
        places = {
            "corner": (width - 1, height - 1),
            "on_button": middle(driver.rect(main.nav_button("Panel_help"))),
            "on_reference_button": middle(driver.rect(driver.find(reference_window, "idle button"))),
        }
        # Nothing may talk to the program while it is measured.
        driver.quit()
        processes = {"tapmill.exe": tapmill, "idlewindow.exe": reference}
        return {place: shares(processes, pointer) for place, pointer in places.items()}
    finally:
        driver.quit()
        reference.kill()
        tapmill.kill()


def main():
    e2e.start_session()
    try:
        with tempfile.TemporaryDirectory(prefix="tapmill-bench-") as scratch:
            measured = measure(Path(scratch))
    finally:
        e2e.end_session()
    print(f"idle over {SECONDS} s per place of the pointer, share of one core (clock ticks of 1/{TICKS} s)")
    for place, by_process in measured.items():
        print(f"  pointer {place}: " + ", ".join(f"{name} {share * 100:.2f}%" for name, share in by_process.items()))
    for place in ("corner", "on_button"):
        e2e.figure(f"idle_{place}", measured[place]["tapmill.exe"] * 100, "%", TARGET_PERCENT)
    return 0


if __name__ == "__main__":
    sys.exit(main())
