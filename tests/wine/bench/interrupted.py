"""Runs of setup cut off and run again: what a run leaves in the registry
trees that setup touches and on the disk, to compare with one clean run
from the same starting state. The cut is the agent's TerminateProcess
(Scenario.run(cut=...)), followed by the end of the session, as a reset
would end what setup had started in the background."""

import hashlib
import os

from .registry import (GSMU_KEY, MODEM_9X, MODEM_NT, RUN_KEY, SERIAL_MAP, SERVICE_KEY, SETUP_KEY,
                       TAVELIN_KEY, UNIMODEM)
from .sequence import run_setup

LOG = r"C:\setup.log"
UNINSTALL = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall"
# The trees that setup writes or deletes, and those of the stand-ins that
# do the setup libraries' work.
TREES = (SETUP_KEY, TAVELIN_KEY, GSMU_KEY, UNINSTALL + r"\TAVELIN Software Modem",
         UNINSTALL + r"\Norvik Technologies Soft Modem", RUN_KEY, SERVICE_KEY, MODEM_9X, MODEM_NT,
         UNIMODEM, SERIAL_MAP, r"HKLM\Enum\Root\Modem", r"HKLM\Enum\TAVELIN.INTEL_AMR.MODEM",
         r"HKLM\System\CurrentControlSet\Services\Class\PCI",
         r"HKLM\System\CurrentControlSet\Services\Class\NoDevice")
# Values that differ from run to run by nature: the country utility's time stamp.
TIMED_VALUES = ("HomolTimeStamp",)
# Directories of the drive that are not the machine's: the bench's own, and
# the log, which records every run.
NOT_COMPARED = ("bench", "users", LOG[3:].lower())


def _without_timed(tree):
    if tree is None:
        return None
    return {"values": {n: v for n, v in tree["values"].items() if n not in TIMED_VALUES},
            "keys": {n: _without_timed(k) for n, k in tree["keys"].items()}}


def drive_files(sc):
    """{path below C:\\ in lower case: digest} of every file that is not
    shared with the template prefix (Wine's own binaries are hard links)."""
    top = sc.unix_path("C:\\")
    found = {}
    for root, dirs, names in os.walk(top):
        rel_root = os.path.relpath(root, top)
        if rel_root == ".":
            dirs[:] = [d for d in dirs if d.lower() not in NOT_COMPARED]
        for name in names:
            path = os.path.join(root, name)
            rel = os.path.normpath(os.path.join(rel_root, name)).replace(os.sep, "\\").lower()
            if os.path.islink(path) or rel in NOT_COMPARED or os.stat(path).st_nlink > 1:
                continue
            with open(path, "rb") as f:
                found[rel] = hashlib.sha1(f.read()).hexdigest()
    return found


def machine_state(sc):
    """(registry trees, files) that a run leaves, time stamps left out."""
    trees = {path: _without_timed(tree) for path, tree in sc.registries(TREES).items()}
    return trees, drive_files(sc)


def differences(expected, found):
    """The trees and files in which two machine states differ, by name."""
    (trees_a, files_a), (trees_b, files_b) = expected, found
    names = [path for path in TREES if trees_a[path] != trees_b[path]]
    names += sorted(f"C:\\{f}" for f in set(files_a) | set(files_b)
                    if files_a.get(f) != files_b.get(f))
    return names


def run_cut_and_again(sc, cut, restarted, timeout=120):
    """Cuts a silent run at cut, ends the session and, after restarted(sc),
    runs setup again to its end; (first Result, second Result)."""
    first, _ = run_setup(sc, timeout=timeout, cut=cut)
    sc.end_session()
    restarted(sc)
    second, _ = run_setup(sc, timeout=timeout)
    return first, second
