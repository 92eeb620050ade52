"""Interactive runs of setup.exe: its dialogs' English texts, what the
stand-in for wineboot.exe records for each restart request, and a run
without switches."""

import time

from .agent import IDCANCEL, RESTART
from .languages import TEXTS
from .sequence import forget_run, prepare, seed_earlier_install

# The progress dialog's title ends in ELLIPSIS; the warning that an earlier
# NT 4.0 driver service stays is in English in every language.
ELLIPSIS = "  . . ."
WELCOME_EN, RESTART_EN, PROGRESS_EN = TEXTS[0x0409][1], TEXTS[0x0409][2], TEXTS[0x0409][3] + ELLIPSIS
NOT_INSTALLED = ("Please restart your computer and run setup again, the modem driver was not "
                 "installed correctly.")

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


def held_positions(result, ms):
    """The progress bar's positions that stayed at least ms before the next
    move, in order."""
    moves = [d for d in result.dialogs if d.event == "progress"]
    return [a.values[0] for a, b in zip(moves, moves[1:]) if b.ms - a.ms >= ms]


def run_with_earlier_service_staying(sc, language):
    """An NT 4.0 run in this locale whose earlier driver service can not be
    removed, Cancel answering the restart dialog."""
    sc.set_language(language)
    prepare(sc, {}, {"RemoveNTService": {"Result": 0}})
    forget_run(sc)
    seed_earlier_install(sc)
    return run_interactive(sc, answers={RESTART: IDCANCEL})[0]
