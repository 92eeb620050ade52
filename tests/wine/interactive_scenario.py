"""Helpers for the interactive runs of setup.exe: its three dialogs as the
bench names them, their English texts, a run without switches, and the
earlier NT 4.0 installation whose driver service can be made to stay."""

import os
import time

from bench import sz
from sequence_scenario import LAUNCHED, SERVICE_KEY
from standin_scenario import CALL_LOG, EARLIER_NAME, MODEM_NT, seed_instance

WELCOME, RESTART, PROGRESS = "#1000", "#1001", "#1002"
IDOK, IDCANCEL = 1, 2

WELCOME_EN = "Do you want to install the modem driver?"
RESTART_EN = "Before you can use the modem, you must restart your computer."
PROGRESS_EN = "Installing Modem Drivers  . . ."
NOT_INSTALLED = ("Please restart your computer and run setup again, the modem driver was not "
                 "installed correctly.")
ELLIPSIS = "  . . ."

# What the stand-in for wineboot.exe records for each request.
FORCED_RESTART = r"C:\windows\system32\wineboot.exe --kill"
PLAIN_RESTART = r"C:\windows\system32\wineboot.exe --end-session"
WITH_PRIVILEGE = "requested by setup.exe with SeShutdownPrivilege enabled"
WITHOUT_PRIVILEGE = "requested by setup.exe with SeShutdownPrivilege not enabled"
ENDED_WITH_PRIVILEGE = "requested by an ended program with SeShutdownPrivilege enabled"
SETUP_ENDED = "ended setup.exe"


def run_interactive(sc, answers=None, keys=(), timeout=90):
    """Runs setup.exe from the medium without switches; (Result, seconds)."""
    started = time.time()
    result = sc.run(r"C:\medium\setup.exe", cwd="C:\\medium", timeout=timeout, answers=answers,
                    keys=keys)
    return result, time.time() - started


def forget_run(sc):
    """Removes the launch and call records of earlier runs of a scenario."""
    for record in (LAUNCHED, CALL_LOG):
        if sc.exists(record):
            os.remove(sc.unix_path(record))


def seed_earlier_nt4_install(sc):
    """An earlier driver service and modem instance, which the NT 4.0
    sequence removes first."""
    sc.seed_registry(SERVICE_KEY, {"displayname": sz("Tavelin Software Modem AMR")})
    seed_instance(sc, MODEM_NT, "0000", DriverDesc=EARLIER_NAME, Model=EARLIER_NAME)


def events_of(result, kind):
    """The events of one dialog, in order (positions left out)."""
    return [event for event, k in result.events() if k == kind]


def timed(result, event, kind):
    """The time (ms) of the first record of this event and kind."""
    return next(d.ms for d in result.dialogs if d.event == event and d.kind == kind)

