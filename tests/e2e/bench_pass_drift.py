"""Drift of an endless plain playback across its passes under Wine: a recording of 50 frames (one
second a pass at speed 5) whose first frame carries a key click is played into target.exe without
end; target.exe stamps each key it gets. After N passes the first frame of pass N is due N pass
spans after that of pass 0; the figure printed is how far it arrived from there. Set
TAPMILL_DRIFT_PASSES for a longer run (360 passes of a 10 s recording are the hour a user keeps).
Prints the figures; fails only when the run itself fails.

Run through CTest (label e2ebench) or `make bench-e2e`."""

import os
import sys
import tempfile
import time
from pathlib import Path

import tapmill_e2e as e2e
from main_window import plain_playback_ready

FRAMES = 50
PERIOD_MS = 20.0  # speed 5
PASSES = int(os.environ.get("TAPMILL_DRIFT_PASSES", "30"))
VK_MARK = 65
TARGET_MS = 50  # the last pass's first frame within this of its due time


def recording():
    return e2e.recording_text([(300 + f, 300, f"k{VK_MARK}" if f == 0 else None) for f in range(FRAMES)])


def pass_stamps(target):
    """The stamps of the first frames of passes 0 to PASSES once they have all arrived."""
    stamps = [stamp for (event, *_), stamp in target.timed_events() if event == "KEYDOWN"]
    return stamps[:PASSES + 1] if len(stamps) > PASSES else None


def play(scratch):
    with plain_playback_ready(scratch, "drift", recording(), 5, endless=True) as (driver, main, target):
        driver.click(main.in_panel("Panel_rec", "播放"))
        # Nothing asks the program anything while it plays: only the target's log is read.
        expected = PASSES * FRAMES * PERIOD_MS / 1000
        time.sleep(expected)
        stamps = e2e.wait_until(lambda: pass_stamps(target), "the passes' first frames", expected + 30)
        e2e.key("ctrl+q")
        main.wait_status("当前状态：", "the playback to end")
        return stamps


def report(stamps):
    span = FRAMES * PERIOD_MS
    drift = stamps[-1] - stamps[0] - PASSES * span
    worst = max(abs(b - a - span) for a, b in zip(stamps, stamps[1:]))
    met = "met" if abs(drift) <= TARGET_MS else "NOT met"
    print(f"drift after {PASSES} passes of {span / 1000:.1f} s  {drift:+.1f} ms"
          f"   (target within {TARGET_MS} ms: {met})")
    print(f"          one pass's span off by at most  {worst:.1f} ms")


def main():
    e2e.start_session()
    try:
        with tempfile.TemporaryDirectory(prefix="tapmill-bench-") as scratch:
            stamps = play(Path(scratch))
    finally:
        e2e.end_session()
    report(stamps)
    return 0


if __name__ == "__main__":
    sys.exit(main())
