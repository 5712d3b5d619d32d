"""tools/bench-check.py against the lines benchmarks print: every form a figure's number takes, and a
figure some run left out."""

import importlib.util
import pathlib
import unittest

TOOL = pathlib.Path(__file__).resolve().parents[2] / "tools" / "bench-check.py"
spec = importlib.util.spec_from_file_location("bench_check", TOOL)
bench_check = importlib.util.module_from_spec(spec)
spec.loader.exec_module(bench_check)


def figure_line(value, limit=250):
    """A figure as the benchmarks under Wine print it (tapmill_e2e.figure); a text stands as it is."""
    printed = value if isinstance(value, str) else f"{value:.4g}"
    return f"figure: stop_p99 {printed} ms at most {limit:g}"


def verdict(run_outputs, targets=None):
    runs = [bench_check.figures_of(output, targets or {}) for output in run_outputs]
    return bench_check.verdicts(runs, targets or {})[1]


class FigureVerdictTest(unittest.TestCase):
    # Each case: three runs' outputs and whether the check passes. Another figure that parses and
    # is met stands beside the one under test, as in a benchmark that prints several.
    CASES = [
        ("a small figure within its limit", [figure_line(12.5)] * 3, True),
        ("12,345 against 250, printed with an exponent", [figure_line(12345.0)] * 3, False),
        ("an exponent within a larger limit", [figure_line(12345.0, limit=20000)] * 3, True),
        ("nan in every run", [figure_line(float("nan"))] * 3, False),
        ("nan in one run of three", [figure_line(12.5), figure_line(float("nan")), figure_line(12.5)], False),
        ("inf", [figure_line(float("inf"))] * 3, False),
        ("a figure one run left out", [figure_line(12.5), "", figure_line(12.5)], False),
        ("a figure with no number", [figure_line("n/a")] * 3, False),
    ]

    def test_each_figure_is_held_to_its_limit_in_every_run(self):
        for name, outputs, passes in self.CASES:
            with self.subTest(name):
                with_other = [output + "\nfigure: idle_cpu 0.5 % at most 1\n" for output in outputs]
                self.assertEqual(verdict(with_other), passes)

    def test_google_benchmark_times_in_every_form_are_held_to_their_targets(self):
        targets = {"BM_PlanCheck/10000": (5.0, "ms")}
        for time, passes in [("3.98 ms", True), ("1.2345e+04 us", False), ("nan ms", False)]:
            with self.subTest(time):
                line = f"BM_PlanCheck/10000   {time}   {time}   176"
                self.assertEqual(verdict([line] * 3, targets), passes)


if __name__ == "__main__":
    unittest.main()
