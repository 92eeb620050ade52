#!/usr/bin/env python3
"""The qvsmzad benchmark: in one Wine prefix (win2k), times qvsmzad.exe on
the generated country settings file, regedit /s importing the same content,
and the floor program that makes exactly qvsmzad's registry calls and nothing
else; prints the ratios qvsmzad/floor and qvsmzad/regedit.

Every program runs once untimed first, so each timed run starts from the
tree that the same content left (qvsmzad's reset has 500 sections to remove)
and all three end in the same tree, which is checked. Each timing is the wall
time of one start through the bench agent; the start cost alone (the floor
with nothing to replay) is measured too and taken off for the "net" figures.
Ratios use each program's best run, the one least disturbed by other load.

Needs the windows preset built: cmake --preset windows && cmake --build --preset windows
Usage: benchmarks/qvsmzad/run.py [--rounds N]
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tests", "wine"))

from bench import Scenario  # noqa: E402
import generate  # noqa: E402

WORK = r"C:\work"
EMPTY = r"C:\empty"
REGEDIT = r"C:\windows\syswow64\regedit.exe"  # 32-bit, like qvsmzad: same registry view


def build_floor(directory):
    exe = os.path.join(directory, "floor.exe")
    subprocess.run(["i686-w64-mingw32-g++", "-O2", "-s", "-mwindows", "-static", "-fno-exceptions",
                    "-fno-rtti", "-I", os.path.join(ROOT, "qvsmzad"),
                    os.path.join(HERE, "floor.cpp"), os.path.join(ROOT, "qvsmzad", "delete_subkeys.cpp"),
                    "-o", exe], check=True)
    return exe


def trees(sc):
    return sc.registry("HKLM\\" + generate.COUNTRY), sc.registry(r"HKLM\SOFTWARE\QvBench")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rounds", type=int, default=3)
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as tmp:
        floor = build_floor(tmp)
        with Scenario("win2k") as sc:
            sc.put_file(WORK + r"\QVSMzad.ini", generate.make_ini())
            sc.put_file(WORK + r"\country.reg", generate.make_reg())
            sc.put_file(WORK + r"\floor.ops", generate.make_ops())
            sc.put_file(EMPTY + r"\floor.ops", b"")
            with open(floor, "rb") as f:
                sc.put_file(WORK + r"\floor.exe", f.read())

            programs = {
                "qvsmzad": (r"C:\medium\qvsmzad.exe", "", WORK),
                "floor": (WORK + r"\floor.exe", "", WORK),
                "regedit": (REGEDIT, "/s " + WORK + r"\country.reg", WORK),
                "start only": (WORK + r"\floor.exe", "", EMPTY),
            }

            def run(name):
                program, arguments, cwd = programs[name]
                started = time.perf_counter()
                result = sc.run(program, args=arguments, cwd=cwd, timeout=600)
                elapsed = time.perf_counter() - started
                if result.exit_code is None:
                    sys.exit(f"{name} did not end normally: {result.outcome}")
                return elapsed

            reference = None
            for name in ("qvsmzad", "floor", "regedit"):
                run(name)
                produced = trees(sc)
                if reference is None:
                    reference = produced
                elif produced != reference:
                    sys.exit(f"{name} left another tree than qvsmzad: the comparison is void")
            sections = len(reference[0]["keys"])
            values = sum(len(k["values"]) for k in reference[0]["keys"].values())
            print(f"tree checked: {sections} country sections, {values} country values, "
                  f"{len(reference[1]['keys'])} keys of registry lines; identical for all three")

            times = {name: [] for name in programs}
            for _ in range(args.rounds):
                for name in programs:
                    times[name].append(run(name))

    # The best run is the least disturbed by other load on the machine; the
    # median is shown beside it.
    best = {name: min(t) for name, t in times.items()}
    median = {name: statistics.median(t) for name, t in times.items()}
    print(f"\n{'program':<12}{'best s':>8}{'median s':>10}{'best net s':>12}   runs")
    for name in programs:
        runs = " ".join(f"{t:.2f}" for t in times[name])
        net = best[name] - best["start only"]
        print(f"{name:<12}{best[name]:>8.2f}{median[name]:>10.2f}{net:>12.2f}   {runs}")

    def ratios(a, b):
        net = (best[a] - best["start only"]) / (best[b] - best["start only"])
        return f"{best[a] / best[b]:.2f} (net {net:.2f}, medians {median[a] / median[b]:.2f})"

    print(f"\nqvsmzad/floor   : {ratios('qvsmzad', 'floor')}   goal: at most 1.2")
    print(f"qvsmzad/regedit : {ratios('qvsmzad', 'regedit')}   goal: below 1")

if __name__ == "__main__":
    main()
