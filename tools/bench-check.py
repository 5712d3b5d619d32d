#!/usr/bin/env python3
"""Runs a benchmark three times and fails when the median of one of its figures misses its target.

The output of each run passes through unchanged. Two kinds of line carry figures:
  - "figure: NAME VALUE UNIT at most LIMIT", as the benchmarks under Wine print them: the target
    travels with the figure;
  - Google Benchmark's own lines ("BM_Name/arg   3.98 ms   3.97 ms   176 ..."): their CPU time, which
    other work on the machine stretches far less than the real time, held against the targets listed
    in a file given with --targets, one "NAME  LIMIT UNIT" a line.
The median of three runs lets one stall of a shared machine pass, while a real regression, which
shows in every run, does not. A run that fails, a figure some run did not print, a listed target
whose figure no run printed, and a figure that is no finite number in any run (nan, inf, or no
number at all) fail the check as well.

Usage: tools/bench-check.py [--runs N] [--targets FILE] -- COMMAND [ARGS...]"""

import argparse
import math
import os
import re
import statistics
import subprocess
import sys

# A figure's number comes in any form Python's float() reads: 12.5, 1.234e+04, nan, inf. A figure
# line whose number none of these is still names its figure, which then fails.
FIGURE = re.compile(r"figure: (\S+) (\S+) (\S+) at most (\S+)$")
GOOGLE_BENCHMARK = re.compile(r"^(BM_\S+)\s+\S+ (?:ns|us|ms|s)\s+(\S+) (ns|us|ms|s)\s+\d+")
SECONDS_PER = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def read_targets(path):
    """{name: (limit, unit)} from a targets file; # starts a comment."""
    targets = {}
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            fields = line.split("#", 1)[0].split()
            if fields:
                name, limit, unit = fields
                if unit not in SECONDS_PER:
                    raise SystemExit(f"{path}: {name}: unit {unit!r} is not one of {', '.join(SECONDS_PER)}")
                targets[name] = (float(limit), unit)
    return targets


def number(text):
    """The number a figure printed, nan when it printed none."""
    try:
        return float(text)
    except ValueError:
        return math.nan


def figures_of(output, targets):
    """{name: (value, unit, limit)} of one run's output."""
    figures = {}
    for line in output.splitlines():
        if match := FIGURE.search(line):
            name, value, unit, limit = match.groups()
            figures[name] = (number(value), unit, number(limit))
        elif (match := GOOGLE_BENCHMARK.match(line)) and match[1] in targets:
            limit, unit = targets[match[1]]
            value = number(match[2]) * SECONDS_PER[match[3]] / SECONDS_PER[unit]
            figures[match[1]] = (value, unit, limit)
    return figures


def run_once(command):
    """The run's exit status and output, passed through as it comes."""
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace")
    output = []
    for line in process.stdout:
        sys.stdout.write(line)
        sys.stdout.flush()
        output.append(line)
    return process.wait(), "".join(output)


def verdicts(runs, targets):
    """One line per figure and whether every figure met its target."""
    names = list(dict.fromkeys([name for figures in runs for name in figures] + list(targets)))
    lines, all_met = [], True
    for name in names:
        values = [figures[name] for figures in runs if name in figures]
        if len(values) < len(runs):
            lines.append(f"  {name}: printed by {len(values)} of {len(runs)} runs: NOT met")
            all_met = False
            continue
        unit, limit = values[0][1], values[0][2]
        median = statistics.median(value for value, _, _ in values)
        # A run that measured nothing (nan) or without bound (inf) fails whatever the others did.
        met = all(math.isfinite(value) for value, _, _ in values) and median <= limit
        all_met &= met
        each = ", ".join(f"{value:g}" for value, _, _ in values)
        lines.append(f"  {name}: median {median:g} {unit} of {each}; at most {limit:g}: {'met' if met else 'NOT met'}")
    return lines, all_met


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n", 1)[0])
    parser.add_argument("--runs", type=int, default=int(os.environ.get("BENCH_RUNS", 3)))
    parser.add_argument("--targets", help="targets for Google Benchmark lines")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        parser.error("no command to run")
    targets = read_targets(args.targets) if args.targets else {}
    runs = []
    for number in range(1, args.runs + 1):
        print(f"--- run {number} of {args.runs}: {' '.join(command)}", flush=True)
        status, output = run_once(command)
        if status != 0:
            print(f"bench-check: run {number} failed with exit status {status}")
            return 1
        runs.append(figures_of(output, targets))
    lines, all_met = verdicts(runs, targets)
    print(f"targets, median of {args.runs} runs:")
    print("\n".join(lines) if lines else "  (no figures printed)")
    if not lines:
        return 1
    return 0 if all_met else 1


if __name__ == "__main__":
    sys.exit(main())
