#!/usr/bin/env python3
"""Checks that a fuzz program's time grows linearly with its input.

Each FULL input runs beside an eighth of it of the same shape, and may take
at most BOUND times as long: a linear reader takes about 8 times, a quadratic
one about 64. The times are the processor times the program prints with
VELMORA_FUZZ_CPU_TIME set, which other work on the machine changes far less
than wall time; what it does add is more time, so an input over the bound
runs twice more beside its eighth, and again up to RUNS times in all while it
stays over; the least time of each counts. Inputs that take under FLOOR
seconds in full pass whatever their growth: their times are noise, and
harmless. A crash, a sanitizer report, or an input running past CEILING
seconds (libFuzzer's -timeout, for hangs) fails too.

The eighth of FULL is EIGHTH_DIR/<its name>; when there is none, it is made
of every eighth of 256 blocks of FULL, which keeps FULL's mix of content
wherever that lies. A FULL that is a folder stands for its files.
--remove-passed deletes each FULL that passes, and its eighth.
The last line gives the longest wall time of a full input.

Usage: check_linear_time.py [--bound B] [--floor S] [--ceiling S] [--runs N]
           [--remove-passed] PROGRAM ARTIFACT_PREFIX EIGHTH_DIR FULL..."""
import argparse
import os
import re
import subprocess
import sys

RUNNING = re.compile(r"^Running: (.*)$")
PROCESSOR = re.compile(r"^velmora fuzz: (\d+) us of processor time$")
EXECUTED = re.compile(r"^Executed (.*) in (\d+) ms$")


def eighth_of(full, eighth_dir):
    path = os.path.join(eighth_dir, os.path.basename(full))
    if not os.path.exists(path):
        with open(full, "rb") as f:
            data = f.read()
        block = max(16, len(data) // 256)
        os.makedirs(eighth_dir, exist_ok=True)
        with open(path, "wb") as f:
            f.write(b"".join(data[i:i + block] for i in range(0, len(data), 8 * block)))
    return path


class Times:
    """Processor and wall times in seconds of each input, over its runs."""

    def __init__(self, args):
        self.args = args
        self.cpu = {}
        self.wall = {}

    def run(self, files):
        """Runs the program on files in this order; False if it failed."""
        a = self.args
        command = [a.program, "-timeout=%d" % a.ceiling, "-rss_limit_mb=4096",
                   "-artifact_prefix=" + a.artifact_prefix] + files
        env = dict(os.environ, VELMORA_FUZZ_CPU_TIME="1")
        done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, env=env)
        output = done.stdout.decode("utf-8", "replace")
        sys.stdout.write(output)
        current = None
        for line in output.splitlines():
            if m := RUNNING.match(line):
                current = m.group(1)
            elif (m := PROCESSOR.match(line)) and current is not None:
                self.cpu.setdefault(current, []).append(int(m.group(1)) / 1e6)
            elif m := EXECUTED.match(line):
                self.wall.setdefault(m.group(1), []).append(int(m.group(2)) / 1e3)
        return done.returncode == 0 and all(f in self.cpu for f in files)

    def growth(self, eighth, full):
        return min(self.cpu[full]) / max(min(self.cpu[eighth]), 1e-6)

    def over(self, eighth, full):
        a = self.args
        return min(self.cpu[full]) >= a.floor and self.growth(eighth, full) > a.bound


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bound", type=float, default=24.0)
    parser.add_argument("--floor", type=float, default=0.5)
    parser.add_argument("--ceiling", type=int, default=300)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--remove-passed", action="store_true")
    parser.add_argument("program")
    parser.add_argument("artifact_prefix")
    parser.add_argument("eighth_dir")
    parser.add_argument("full", nargs="+")
    args = parser.parse_args()

    fulls = []
    for path in args.full:
        if os.path.isdir(path):
            fulls += sorted(os.path.join(path, name) for name in os.listdir(path)
                            if os.path.isfile(os.path.join(path, name)))
        else:
            fulls.append(path)
    pairs = [(eighth_of(full, args.eighth_dir), full) for full in fulls]
    if not pairs:
        print("linear time: no inputs; longest 0 ms")
        return 0

    # The first input also pays for the program's start (Qt, fonts): it runs
    # once more, so that one of its times is its own.
    times = Times(args)
    ok = times.run([pairs[0][0]] + [f for pair in pairs for f in pair])
    while ok:
        again = [p for p in pairs if times.over(*p) and len(times.cpu[p[1]]) < args.runs]
        if not again:
            break
        print("linear time: %d of %d inputs over %g times, running them again"
              % (len(again), len(pairs), args.bound))
        ok = times.run([f for pair in again for f in pair * 2])
    if not ok:
        print("linear time: %s failed: a crash, a sanitizer report, or an input over %d s"
              % (args.program, args.ceiling))
        return 1

    slow = []
    for eighth, full in pairs:
        line = "%s: %.3f s, an eighth of it %.3f s: %.1f times" % (
            full, min(times.cpu[full]), min(times.cpu[eighth]), times.growth(eighth, full))
        if times.over(eighth, full):
            slow.append(line + ", over %g: slower than linear" % args.bound)
            continue
        print(line)
        if args.remove_passed:
            os.remove(full)
            os.remove(eighth)
    print("\n".join(slow + [""]), end="")
    longest = max(max(times.wall.get(full, [0])) for _, full in pairs)
    print("linear time: %d of %d inputs slower than linear; longest %d ms"
          % (len(slow), len(pairs), longest * 1000))
    return 1 if slow else 0


if __name__ == "__main__":
    sys.exit(main())
