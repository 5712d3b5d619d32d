"""The look at the desktop that following a window adds to a frame, under Wine with 50 top-level
windows of another program open (bench/win32/window_lookup.cpp): the player's lookup of a noted
window open under its recorded title, through the program's own window calls. Prints its figure
with its target, a small part of a 20 ms frame. The lookup of a window that only shares the
program's part of its title (the whole class is read, ten windows here) and the recorder's look at
the window under the pointer are printed beside it.

Run through CTest (label e2ebench) or `make bench-e2e`."""

import sys

import tapmill_e2e as e2e

TARGET_MS = 0.2


def main():
    e2e.start_session()
    try:
        figures = e2e.bench_program("window_lookup")
    finally:
        e2e.end_session()
    if figures is None:
        return 1
    e2e.figure("window_lookup", float(figures["lookup_ms"]), "ms", TARGET_MS)
    return 0


if __name__ == "__main__":
    sys.exit(main())
