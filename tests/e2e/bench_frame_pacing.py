"""Frame pacing and cost of the plain recorder under Wine: two recordings of ten seconds each,
started and stopped by the real hot keys over target.exe (Wine takes X input only over its own
windows), while pointerclock.exe keeps the pointer at the position that spells the time
(x = ms % 1000, y = ms / 1000).

The first recording is the timing instrument: the pointer moves every millisecond, so each frame
carries the moment it was sampled, and the pacing figures come from the file itself. Wine hands
every one of those thousand moves a second to the hook libraries' mouse hook in the recorder's
process, so its share of a core there is printed for comparison only. The second recording is made
as a user makes one: the pointer moves as a mouse reports, 125 times a second, and the recorder's
share of a core there is the figure held to its target. Each share is taken from the recorder's
clock ticks while it records, with nothing talking to it. Prints the figures with their targets,
which tools/bench-check.py holds them to.

Run through CTest (label e2ebench) or `make bench-e2e`."""

import subprocess
import sys
import tempfile
import time
from pathlib import Path

import tapmill_e2e as e2e
from bench_idle_cpu import cpu_seconds
from main_window import MainWindow

RECORD_SECONDS = 10
FRAME_MS = 20
EXPECTED_FRAMES = RECORD_SECONDS * 1000 // FRAME_MS
WINDOW = 100  # frames compared at the start and at the end
CLOCK_MOVES_PER_SECOND = 1000  # the pointer tells the time to 1 ms
MOUSE_MOVES_PER_SECOND = 125  # a common report rate of a mouse


def frame_times(path):
    """The sampling moment of every frame, in file order, in pointer-clock milliseconds."""
    positions = {}
    section = None
    for line in path.read_text(encoding="ascii").splitlines():
        if line.startswith("["):
            section = line[1:-1]
        elif section not in (None, "all") and line[:2] in ("x=", "y="):
            positions.setdefault(int(section), {})[line[0]] = int(line[2:])
    return [positions[n]["y"] * 1000 + positions[n]["x"] for n in sorted(positions)]


def mean_period(times):
    return (times[-1] - times[0]) / (len(times) - 1)


def record_once(main, tapmill, folder, scratch, moves_per_second):
    """One recording while the pointer clock moves the pointer at that rate: its frame times, its
    length from hot key to hot key, and the recorder's share of a core meanwhile."""
    clock = e2e.WineProcess(e2e.e2e_bin() / "pointerclock.exe", [RECORD_SECONDS + 5, moves_per_second],
                            cwd=scratch, stdout=subprocess.PIPE, text=True)
    try:
        if clock.popen.stdout.readline().strip() != "READY":
            raise RuntimeError("pointerclock.exe did not start")
        e2e.key("ctrl+w")
        e2e.wait_until(lambda: main.status(0) == "当前状态：录制……", "the recording to start")
        started = time.monotonic()
        cpu_before = cpu_seconds(tapmill.popen.pid)
        time.sleep(RECORD_SECONDS)
        cpu_share = (cpu_seconds(tapmill.popen.pid) - cpu_before) / (time.monotonic() - started)
        e2e.key("ctrl+q")
        wall = time.monotonic() - started
        e2e.wait_until(lambda: main.status(0) == "当前状态：", "the recording to end")
        return frame_times(folder.path / "jb_rec" / "jb_rec.ini"), wall, cpu_share
    finally:
        clock.kill()
        clock.popen.stdout.close()


def record(scratch):
    """The timing recording, then the user's: (frame times, wall time, CPU share) of the first and
    the CPU share of the second."""
    folder = e2e.ProgramFolder(scratch)
    tapmill = e2e.WineProcess(folder.path / "tapmill.exe", cwd=folder.path)
    driver = e2e.UiDriver(cwd=scratch)
    target = None
    try:
        main = MainWindow(driver)
        target = e2e.Target(scratch)
        target.wait_ready()
        timing = record_once(main, tapmill, folder, scratch, CLOCK_MOVES_PER_SECOND)
        _, _, user_cpu_share = record_once(main, tapmill, folder, scratch, MOUSE_MOVES_PER_SECOND)
        return timing, user_cpu_share
    finally:
        if target:
            target.stop()
        driver.quit()
        tapmill.kill()


def report(times, wall, clock_cpu_share, user_cpu_share):
    periods = [b - a for a, b in zip(times, times[1:])]
    first = mean_period(times[:WINDOW])
    last = mean_period(times[-WINDOW:])
    per_ten_seconds = len(times) / wall * RECORD_SECONDS
    print(f"frames recorded                      {len(times)}")
    print(f"recording time (hot key to hot key)  {wall * 1000:.0f} ms")
    print(f"frames per {RECORD_SECONDS} s                      {per_ten_seconds:.1f}")
    print(f"mean frame period, all frames        {mean_period(times):.2f} ms")
    print(f"mean frame period, first {WINDOW} frames   {first:.2f} ms")
    print(f"mean frame period, last {WINDOW} frames    {last:.2f} ms")
    print(f"last / first                         {last / first:.3f}")
    print(f"shortest / longest frame period      {min(periods)} ms / {max(periods)} ms")
    print(f"periods off {FRAME_MS} ms by more than 2 ms  {sum(abs(p - FRAME_MS) > 2 for p in periods)}"
          f" of {len(periods)}")
    e2e.figure("recorder_frames_off", abs(per_ten_seconds - EXPECTED_FRAMES), "frames", 25)
    e2e.figure("recorder_last_first_off", abs(last / first - 1) * 100, "%", 10)
    # Not held to a target: the pointer clock is an instrument, no user's mouse moves this often.
    print(f"recorder_cpu_pointer_1000hz          {clock_cpu_share * 100:.2f} %")
    e2e.figure("recorder_cpu", user_cpu_share * 100, "%", 2)


def main():
    e2e.start_session()
    try:
        with tempfile.TemporaryDirectory(prefix="tapmill-bench-") as scratch:
            (times, wall, clock_cpu_share), user_cpu_share = record(Path(scratch))
    finally:
        e2e.end_session()
    if len(times) < 2 * WINDOW:
        print(f"only {len(times)} frames were recorded", file=sys.stderr)
        return 1
    report(times, wall, clock_cpu_share, user_cpu_share)
    return 0


if __name__ == "__main__":
    sys.exit(main())
