#!/usr/bin/env python3
"""Times commands in alternation: WARMUP rounds, then RUNS rounds, each round
running every command once in the order given, so that a busy moment of the
machine falls on all of them alike rather than on one. Output is discarded.
Writes {"name": [seconds, ...]} to OUT.json and fails if any run fails.
Usage: time-alternating.py WARMUP RUNS OUT.json NAME COMMAND [NAME COMMAND ...]"""
import json
import shlex
import subprocess
import sys
import time


def run(argv):
    start = time.perf_counter()
    status = subprocess.run(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode
    elapsed = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{shlex.join(argv)}: exit status {status}")
    return elapsed


def main():
    warmup, runs, out = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    pairs = sys.argv[4:]
    commands = {pairs[i]: shlex.split(pairs[i + 1]) for i in range(0, len(pairs), 2)}
    times = {name: [] for name in commands}
    for round_no in range(warmup + runs):
        for name, argv in commands.items():
            elapsed = run(argv)
            if round_no >= warmup:
                times[name].append(elapsed)
    with open(out, "w") as f:
        json.dump(times, f)


if __name__ == "__main__":
    main()
