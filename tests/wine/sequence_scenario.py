"""Helpers for the end-to-end runs of setup.exe: a medium with its options
and launch lists, the stand-ins' call log, the earlier-installation traces
to seed, and what a run leaves (checkpoints, launches, SourcePath)."""

import os
import time

import bench
from bench import sz
from standin_scenario import calls, configure

SETUP_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Setup"
RUN_KEY = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
GSMU_KEY = r"HKLM\SOFTWARE\GenericSoftModemUninstallInfo"
BRAND_KEY = r"HKLM\Software\Tavelin\Softmodem"
SERVICE_KEY = r"HKLM\SYSTEM\CurrentControlSet\Services\TAVELINSoftModem"
FAILED = 0xFFFFFFFF
OLD_SOURCE = r"C:\OLDSRC"
LAUNCHED = r"C:\bench\launched.txt"
LAUNCH_SECTIONS = ("LAUNCH_FILES_NT", "LAUNCH_FILES_Win2K", "LAUNCH_FILES_9X")


def medium_ini(options=None, copy_9x=(), copy_nt=()):
    """qvsetup.ini with the options and, in every launch list, rec.exe
    (record_launch) with the section's name as its argument."""
    lines = ["[INSTALL_OPTIONS]"] + [f"{k}={v}" for k, v in (options or {}).items()]
    for section in LAUNCH_SECTIONS:
        lines += [f"[{section}]", f"Rec=rec.exe {section}"]
    lines += ["[COPY_FILES_9X]"] + [f"F{i}={e}" for i, e in enumerate(copy_9x)]
    lines += ["[COPY_FILES_NT]"] + [f"F{i}={e}" for i, e in enumerate(copy_nt)]
    return ("\r\n".join(lines) + "\r\n").encode("latin-1")


def prepare(sc, options=None, standins=None, **lists):
    """The sample medium with these options and stand-in settings, the call
    log on, an earlier SourcePath and the monitor's autostart entry."""
    sc.put_file(r"C:\medium\qvsetup.ini", medium_ini(options, **lists))
    with open(os.path.join(bench.FIXTURES, "record_launch.exe"), "rb") as f:
        sc.put_file(r"C:\medium\rec.exe", f.read())
    configure(sc, standins)
    sc.seed_registry(SETUP_KEY, {"SourcePath": sz(OLD_SOURCE)})
    sc.seed_registry(RUN_KEY, {"QVSMMSG": sz(r"C:\WINDOWS\qvsmmsg.exe"), "Other": sz("other.exe")})
    sc.seed_registry(GSMU_KEY + r"\Applets\QVSMMSG", {"X": sz("x")})


def run_setup(sc, args="S", timeout=120):
    """Runs setup.exe from the medium; (Result, seconds it took)."""
    started = time.time()
    result = sc.run(r"C:\medium\setup.exe", args, cwd="C:\\medium", timeout=timeout)
    return result, time.time() - started


def checkpoints(result):
    """Captions of the diagnostic boxes in order (checkpoints carry "xy")."""
    return [caption for caption, text in result.boxes if text == "xy"]


def launches(sc):
    """The argument vectors of the launch-list programs, in order."""
    if not sc.exists(LAUNCHED):
        return []
    records = sc.read_file(LAUNCHED).decode("latin-1").split("\r\n\r\n")
    return [[line[5:] for line in r.splitlines() if line.startswith("argv=")][1:]
            for r in records if r.strip()]


def entries(sc):
    """The stand-ins' call log reduced to the entry names, in order."""
    return [line.split("(", 1)[0] for line in calls(sc)]


def source_path(sc):
    tree = sc.registry(SETUP_KEY)
    return bench.value(tree, "SourcePath") if tree else None


def run_value(sc, name):
    tree = sc.registry(RUN_KEY)
    return bench.value(tree, name) if tree else None

