"""End-to-end runs of setup.exe: a medium with its options and launch
lists, the earlier installation to seed, and what a run leaves
(checkpoints, launches, SourcePath, the Run entry)."""

import os
import time

from .fixtures import fixture, ini_file
from .registry import (EARLIER_NAME, GSMU_KEY, MODEM_9X, MODEM_NT, OUR_NAME, RUN_KEY, SERVICE_KEY,
                       SERVICE_NAME, SETUP_KEY, UNIMODEM, seed_instance, sz, value)
from .standins import CALL_LOG, configure

FAILED = 0xFFFFFFFF
OLD_SOURCE = r"C:\OLDSRC"
LAUNCHED = r"C:\bench\launched.txt"
LAUNCH_SECTIONS = ("LAUNCH_FILES_NT", "LAUNCH_FILES_Win2K", "LAUNCH_FILES_9X")
OUR_UNIMODEM = UNIMODEM + rf"\{OUR_NAME}::TAVELIN::TAVELIN"

# What the Windows 98 family's removal shows and calls with Debug set.
REMOVAL_CHECKPOINTS = ["OS Found 98", "DLL2 ok", "wdmDeleteDevice", "RemoveWDMKeys",
                       "removeDisabledModem", "deleteOtherDevice", "DeleteBinFile",
                       "DeleteSecondModem", "After DeleteSecondModem", "After RemoveGSMUKey",
                       "After updateuninstkey"]
REMOVAL_ENTRIES = ["RemoveModem", "WDMDeleteDevice", "RemoveDisabledModem", "DeleteOtherDevice"]
# The Windows 9x driver sets.
VXD_FILES = (r"C:\windows\system32\qvsm.vxd", r"C:\windows\system32\qvsmvcd.vxd",
             r"C:\windows\inf\qvsmvxd.inf")
WDM_FILES = (r"C:\windows\system32\drivers\qvsmwdm.sys", r"C:\windows\system32\QVSMNUM.vxd",
             r"C:\windows\inf\qvsm9pc.inf")


def medium_ini(options=None, copy_9x=(), copy_nt=()):
    """qvsetup.ini with the options and, in every launch list, rec.exe
    (record_launch) with the section's name as its argument."""
    sections = {"INSTALL_OPTIONS": options or {}}
    sections.update({section: [("Rec", f"rec.exe {section}")] for section in LAUNCH_SECTIONS})
    sections["COPY_FILES_9X"] = [(f"F{i}", e) for i, e in enumerate(copy_9x)]
    sections["COPY_FILES_NT"] = [(f"F{i}", e) for i, e in enumerate(copy_nt)]
    return ini_file(sections)


def prepare(sc, options=None, standins=None, **lists):
    """The sample medium with these options and stand-in settings, the call
    log on, an earlier SourcePath and the monitor's autostart entry."""
    sc.put_file(r"C:\medium\qvsetup.ini", medium_ini(options, **lists))
    sc.put_file(r"C:\medium\rec.exe", fixture("record_launch.exe"))
    configure(sc, standins)
    sc.seed_registry(SETUP_KEY, {"SourcePath": sz(OLD_SOURCE)})
    sc.seed_registry(RUN_KEY, {"QVSMMSG": sz(r"C:\WINDOWS\qvsmmsg.exe"), "Other": sz("other.exe")})
    sc.seed_registry(GSMU_KEY + r"\Applets\QVSMMSG", {"X": sz("x")})


def seed_earlier_install(sc):
    """What an earlier installation left, which the run removes first: on
    NT 4.0 the driver service, a modem instance with its Unimodem responses
    and the driver files; on the Windows 9x family our modem's instance
    beside another one, an INF file, a .bin file and the monitor."""
    if sc.version == "nt40":
        sc.seed_registry(SERVICE_KEY, {"displayname": sz(SERVICE_NAME)})
        seed_instance(sc, MODEM_NT, "0000", subkeys=("Responses",), DriverDesc=EARLIER_NAME,
                      Model=EARLIER_NAME)
        sc.seed_registry(OUR_UNIMODEM + r"\responses", {"1": sz("OK")})
        sc.put_file(r"C:\windows\system32\qvsm.sys", b"old")
        sc.put_file(r"C:\windows\inf\qvsmnt4old.inf", b"old")
    else:
        seed_instance(sc, MODEM_9X, "0000", Model=OUR_NAME)
        seed_instance(sc, MODEM_9X, "0001", Model="Standard 56000 bps Modem")
        for path in (r"C:\windows\inf\qvsmvxd.inf", r"C:\windows\inf\old.bin",
                     r"C:\windows\qvsmmsg.exe"):
            sc.put_file(path, b"old")


def run_setup(sc, args="S", timeout=120, cut=None):
    """Runs setup.exe from the medium; (Result, seconds it took). cut: where
    the agent cuts it off (Scenario.run)."""
    started = time.time()
    result = sc.run(r"C:\medium\setup.exe", args, cwd="C:\\medium", timeout=timeout, cut=cut)
    return result, time.time() - started


def forget_run(sc):
    """Removes the launch and call records of earlier runs of a scenario."""
    for record in (LAUNCHED, CALL_LOG):
        if sc.exists(record):
            os.remove(sc.unix_path(record))


def checkpoints(result):
    """Captions of the diagnostic boxes in order (checkpoints carry "xy")."""
    return [caption for caption, text in result.boxes if text == "xy"]


def launch_records(sc):
    """(program, directory, argument vector) of each program that record_launch
    stood in for, in order; the paths in lower case."""
    if not sc.exists(LAUNCHED):
        return []
    records = []
    for block in sc.read_file(LAUNCHED).decode("latin-1").split("\r\n\r\n"):
        fields = [line.split("=", 1) for line in block.split("\r\n") if "=" in line]
        if fields:
            records.append((fields[0][1].lower(), fields[1][1].lower(), [v for _, v in fields[2:]]))
    return records


def launches(sc):
    """The arguments of each launched program (its name left out), in order."""
    return [argv[1:] for _, _, argv in launch_records(sc)]


def source_path(sc):
    return value(sc.registry(SETUP_KEY), "SourcePath")


def run_value(sc, name):
    return value(sc.registry(RUN_KEY), name)
