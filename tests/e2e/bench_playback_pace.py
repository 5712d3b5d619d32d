"""Pace of the plain player under Wine: a recording of 1,500 frames replayed into target.exe at speed
5 (20 ms a frame) and speed 10 (5 ms a frame). Every 100th frame and the last carry a key click, and
target.exe stamps each key it gets, so the mean frame period comes from the replay as it arrived.
Prints the figures with their targets, which tools/bench-check.py holds them to.

Run through CTest (label e2ebench) or `make bench-e2e`."""

import sys
import tempfile
import time
from pathlib import Path

import tapmill_e2e as e2e
from main_window import plain_playback_ready

FRAMES = 1500
MARK_EVERY = 100
VK_MARK = 65  # the key that marks a frame
SPEEDS = {5: 20.0, 10: 5.0}  # speed: ideal frame period in ms
TARGETS = {5: 0.01, 10: 0.03}  # within this share of the ideal


def marked_frames():
    return [f for f in range(FRAMES) if f % MARK_EVERY == 0 or f == FRAMES - 1]


def recording():
    marks = set(marked_frames())
    return e2e.recording_text([(300 + f % 200, 300, f"k{VK_MARK}" if f in marks else None) for f in range(FRAMES)])


def key_stamps(target):
    """The stamps of the marks once every one has arrived."""
    stamps = [stamp for (event, *_), stamp in target.timed_events() if event == "KEYDOWN"]
    return stamps if len(stamps) >= len(marked_frames()) else None


def play(scratch, speed):
    """The key-down stamps of the marked frames, in ms on target.exe's clock."""
    with plain_playback_ready(scratch, "pace", recording(), speed) as (driver, main, target):
        driver.click(main.in_panel("Panel_rec", "播放"))
        # Nothing asks the program anything while it plays: only the target's log is read.
        expected = FRAMES * SPEEDS[speed] / 1000
        time.sleep(expected)
        # Room for a player three times slow, so that a slow one misses its target with a figure.
        timed = e2e.wait_until(lambda: key_stamps(target), "every marked frame", 2 * expected + 30)
        e2e.wait_until(lambda: main.status(0) == "当前状态：", "the playback to end")
        return timed


def report(speed, stamps):
    frames = marked_frames()
    ideal = SPEEDS[speed]
    period = (stamps[-1] - stamps[0]) / (frames[-1] - frames[0])
    stretches = [(b - a) / (fb - fa) for a, b, fa, fb in zip(stamps, stamps[1:], frames, frames[1:])]
    off = period / ideal - 1
    print(f"speed {speed:2}: mean frame period over {frames[-1] - frames[0]} frames  {period:.3f} ms"
          f"   (ideal {ideal:.2f} ms, {off * 100:+.2f}%)")
    print(f"          period per {MARK_EVERY} frames, shortest / longest   {min(stretches):.3f} / {max(stretches):.3f} ms")
    e2e.figure(f"pace_speed_{speed}_off", abs(off) * 100, "%", TARGETS[speed] * 100)


def main():
    e2e.start_session()
    results = {}
    try:
        for speed in SPEEDS:
            with tempfile.TemporaryDirectory(prefix="tapmill-bench-") as scratch:
                results[speed] = play(Path(scratch), speed)
    finally:
        e2e.end_session()
    for speed, stamps in results.items():
        report(speed, stamps)
    return 0


if __name__ == "__main__":
    sys.exit(main())
