"""One try of an image wait under Wine: a grab of the whole virtual screen and the search of a 50 x 50
image that is not on it, the try a wait repeats about every 100 ms (bench/win32/screen_search.cpp).
target.exe covers the screen, so the picture is a real window's. Prints the figure of the whole try
with its target; a try must end well within the interval between tries.

Run through CTest (label e2ebench) or `make bench-e2e`."""

import sys
import tempfile
from pathlib import Path

import tapmill_e2e as e2e

TARGET_MS = 50


def main():
    e2e.start_session()
    try:
        with tempfile.TemporaryDirectory(prefix="tapmill-bench-") as scratch:
            target = e2e.Target(Path(scratch))
            try:
                target.wait_ready()
                figures = e2e.bench_program("screen_search")
            finally:
                target.stop()
    finally:
        e2e.end_session()
    if figures is None:
        return 1
    e2e.figure("image_wait_try", float(figures["try_ms"]), "ms", TARGET_MS)
    return 0


if __name__ == "__main__":
    sys.exit(main())
