"""Drift of endless playbacks across their passes under Wine: a plain recording at speed 5 whose first
frame carries a key click, and a looping script of a key click and a delay as long, each played into
target.exe without end; target.exe stamps each key it gets. After N passes the first key of pass N
is due N pass spans after that of pass 0; the figure is how far it arrived from there, held to
50 ms. The short run here is 30 passes of a 1 s pass; soak_pass_drift.py runs the hour (360 passes
of 10 s) through run().

Run through CTest (label e2ebench) or `make bench-e2e`."""

import sys
import tempfile
import time
from pathlib import Path

import tapmill_e2e as e2e
from main_window import plain_playback_ready, program_running, target_ready, tick_endless

PERIOD_MS = 20  # a plain frame at speed 5
PASSES = 30
PASS_MS = 1000
VK_MARK = 65
TARGET_MS = 50  # the last pass's first key within this of its due time
IDLE = "当前状态："


def recording(pass_ms):
    frames = pass_ms // PERIOD_MS
    return e2e.recording_text([(300 + f % 200, 300, f"k{VK_MARK}" if f == 0 else None) for f in range(frames)])


def script(pass_ms):
    return ("\r\n".join(["开始", "单击键盘的A", f"延时{pass_ms}毫秒", "结束"]) + "\r\n").encode("gbk")


def pass_stamps(target, passes):
    """The stamps of the first keys of passes 0 to `passes` once they have all arrived."""
    stamps = [stamp for (event, *_), stamp in target.timed_events() if event == "KEYDOWN"]
    return stamps[:passes + 1] if len(stamps) > passes else None


def wait_passes(main, target, passes, pass_ms):
    # Nothing asks the program anything while it plays: only the target's log is read.
    expected = passes * pass_ms / 1000
    time.sleep(expected)
    stamps = e2e.wait_until(lambda: pass_stamps(target, passes), "the passes' first keys", expected + 30)
    e2e.key("ctrl+q")
    main.wait_status(IDLE, "the playback to end")
    return stamps


def play_recording(scratch, passes, pass_ms):
    with plain_playback_ready(scratch, "drift", recording(pass_ms), 5, endless=True) as (driver, main, target):
        driver.click(main.in_panel("Panel_rec", "播放"))
        return wait_passes(main, target, passes, pass_ms)


def play_script(scratch, passes, pass_ms):
    with program_running(scratch, {"jb_homa/drift.ini": script(pass_ms)}) as (driver, main):
        main.show_panel("Panel_homa")
        tick_endless(main, "Panel_homa")
        with target_ready(scratch) as target:
            main.enable_and_run_script()
            return wait_passes(main, target, passes, pass_ms)


def report(name, stamps, passes, pass_ms):
    """Prints the drift and its figure; tells whether it met the target."""
    drift = stamps[-1] - stamps[0] - passes * pass_ms
    worst = max(abs(b - a - pass_ms) for a, b in zip(stamps, stamps[1:]))
    met = abs(drift) <= TARGET_MS
    print(f"{name}: drift after {passes} passes of {pass_ms / 1000:.1f} s  {drift:+.1f} ms"
          f"   (target within {TARGET_MS} ms: {'met' if met else 'NOT met'})")
    print(f"          one pass's span off by at most  {worst:.1f} ms")
    e2e.figure(f"pass_drift_{name}", abs(drift), "ms", TARGET_MS)
    return met


def run(passes, pass_ms):
    """Plays both without end for `passes` passes of pass_ms; tells whether both met the target."""
    results = {}
    e2e.start_session()
    try:
        for name, play in (("recording", play_recording), ("script", play_script)):
            with tempfile.TemporaryDirectory(prefix="tapmill-bench-") as scratch:
                results[name] = play(Path(scratch), passes, pass_ms)
    finally:
        e2e.end_session()
    return all([report(name, stamps, passes, pass_ms) for name, stamps in results.items()])


def main():
    run(PASSES, PASS_MS)
    return 0


if __name__ == "__main__":
    sys.exit(main())
