#!/usr/bin/env python3
"""The setup benchmark.

Wall time: a silent NT 4.0 install and a silent Windows 2000 install with a
hardware id, each timed through the bench agent against the floor program,
which makes the same file copies and registry writes and nothing else; the
start cost alone (the floor with nothing to do) is measured too and taken
off for the "net" figures. Each round runs in a fresh prefix so that every
setup run finds the same state (no earlier installation). The stand-ins run
unlogged and the launch lists are empty.

Idle: the CPU time that setup.exe uses over 30 s while its modem poll timer
waits (Windows 98, a modem record that never appears), read from /proc.

Needs the windows preset built: cmake --preset windows && cmake --build --preset windows
Usage: benchmarks/setup/run.py [--rounds N] [--skip-idle]
"""

import argparse
import os
import re
import statistics
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tests", "wine"))

from bench import Scenario  # noqa: E402

OPTIONS = b"[INSTALL_OPTIONS]\r\n"
SERVICE_KEY = r"HKLM\SYSTEM\CurrentControlSet\Services\TAVELINSoftModem"
MODEM_NT = r"HKLM\System\CurrentControlSet\Control\Class\{4D36E96D-E325-11CE-BFC1-08002BE10318}"


def build_floor(directory):
    exe = os.path.join(directory, "floor.exe")
    subprocess.run(["i686-w64-mingw32-g++", "-O2", "-s", "-mwindows", "-static",
                    os.path.join(HERE, "floor.cpp"), "-o", exe], check=True)
    return exe


def timed(sc, program, arguments):
    started = time.perf_counter()
    result = sc.run(program, args=arguments, cwd="C:\\medium", timeout=300)
    elapsed = time.perf_counter() - started
    if result.exit_code is None:
        sys.exit(f"{program} {arguments} did not end: {result.outcome}")
    return elapsed, result.exit_code


def one_round(version, floor_arg, floor_exe):
    """(setup, floor, start only) seconds in a fresh prefix."""
    with Scenario(version) as sc:
        sc.put_file(r"C:\medium\qvsetup.ini", OPTIONS)
        with open(floor_exe, "rb") as f:
            sc.put_file(r"C:\medium\floor.exe", f.read())
        start_only, _ = timed(sc, r"C:\medium\floor.exe", "none")
        floor, code = timed(sc, r"C:\medium\floor.exe", floor_arg)
        if code != 0:
            sys.exit("the floor failed")
        # What the floor wrote would make setup find an earlier installation.
        sc.delete_key(SERVICE_KEY)
        sc.delete_key(MODEM_NT + r"\0000")
        setup, code = timed(sc, r"C:\medium\setup.exe", "S")
        if code != 0:
            sys.exit(f"setup failed on {version}: exit code {code:#x}")
    return setup, floor, start_only


def wall_times(rounds, floor_exe):
    for version, floor_arg in (("nt40", "nt4"), ("win2k", "win2k")):
        runs = [one_round(version, floor_arg, floor_exe) for _ in range(rounds)]
        best = [min(r[i] for r in runs) for i in range(3)]
        med = [statistics.median(r[i] for r in runs) for i in range(3)]
        print(f"{version}: setup best {best[0]:.2f} s (median {med[0]:.2f}), floor best {best[1]:.2f} s "
              f"(median {med[1]:.2f}), start only {best[2]:.2f} s")
        # Under other load the start alone may time above the floor: then
        # the net figure says nothing.
        floor_net = best[1] - best[2]
        net = f"{(best[0] - best[2]) / floor_net:.2f}" if floor_net > 0.05 else "n/a"
        print(f"{version}: setup/floor {best[0] / best[1]:.2f} (net {net}, medians "
              f"{med[0] / med[1]:.2f})")


def cpu_seconds(pid):
    fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def setup_pid(prefix):
    """The host process of setup.exe in this prefix, or None. Wine names the
    process after the program where the kernel runs it natively; through
    qemu-i386 the program is an argument of the loader: either way its
    command line or its name holds "setup.exe", and its environment the
    prefix."""
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                words = f.read().split(b"\0")
            with open(f"/proc/{pid}/comm", "rb") as f:
                words.append(f.read().strip())
            with open(f"/proc/{pid}/environ", "rb") as f:
                environment = f.read().split(b"\0")
        except OSError:  # ended meanwhile
            continue
        names = {re.split(rb"[\\/]", word)[-1].lower() for word in words}
        if b"setup.exe" in names and b"WINEPREFIX=" + prefix.encode() in environment:
            return int(pid)
    return None


def idle_cpu():
    with Scenario("win98") as sc:
        sc.put_file(r"C:\medium\qvsetup.ini", OPTIONS)
        sc.put_file(r"C:\medium\qvstandin.ini", b"[RefreshWin2K]\r\nEffect=0\r\n")
        runner = threading.Thread(target=lambda: sc.run(r"C:\medium\setup.exe", "S", timeout=300))
        runner.start()
        pid = None
        for _ in range(60):
            pid = setup_pid(sc.prefix)
            if pid:
                break
            time.sleep(0.5)
        if pid is None:
            sys.exit("setup.exe did not start")
        time.sleep(20)  # the sequence is done and the timer waits
        first = cpu_seconds(pid)
        time.sleep(30)
        used = cpu_seconds(pid) - first
        print(f"idle: setup.exe used {used:.2f} CPU s over 30 s while its modem poll waited")
        runner.join()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--skip-idle", action="store_true")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as tmp:
        wall_times(args.rounds, build_floor(tmp))
    if not args.skip_idle:
        idle_cpu()


if __name__ == "__main__":
    main()
