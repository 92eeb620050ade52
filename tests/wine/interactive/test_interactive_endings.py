"""Interactive runs of setup.exe under Wine that end without a completed
installation: a run that failed ends with -1 without the restart dialog,
even on NT 4.0, which offers it after every completed run; a run that
neither finished inside the welcome dialog's OK nor left a completion
timer running would have nothing else to end it, so setup cleans up,
closes the progress dialog and ends with -1 at once."""

import unittest

from bench import Scenario, sz
from bench.interactive import PROGRESS_EN, WELCOME_EN, run_interactive
from bench.sequence import FAILED, OLD_SOURCE, launches, prepare, source_path
from bench.standins import entries, replace_library

# (name, Wine version, stand-ins, library removed, setup library entries called)
UNENDED_RUNS = (
    ("Windows 98, QVSETUP2.DLL missing", "win98", {}, "QVSETUP2.DLL", []),
    # Wine's Vista mode reports NT 6.0: no platform class, no sequence.
    ("unknown platform", "vista", {}, None, []),
    ("Windows 2000, the device refresh did not start", "win2k",
     {"GetHardWareId": {"Result": 0}, "RefreshWin2K": {"Result": 0}}, None,
     ["GetHardWareId", "RefreshWin2K"]),
)


class UnendedRuns(unittest.TestCase):
    def test_each_cleans_up_and_ends_with_minus_1(self):
        for name, version, standins, missing, called in UNENDED_RUNS:
            with self.subTest(name), Scenario(version) as sc:
                prepare(sc, {}, standins)
                if missing:
                    replace_library(sc, missing)
                result, seconds = run_interactive(sc, timeout=60)
                self.assertEqual(FAILED, result.exit_code, result)
                self.assertLess(seconds, 40, "no wait for a timer that never started")
                self.assertEqual([("welcome", WELCOME_EN), ("progress", PROGRESS_EN)],
                                 result.shown(), "no restart dialog")
                self.assertEqual([("show", "progress"), ("hide", "progress"),
                                  ("destroy", "progress")],
                                 [e for e in result.events() if e[1] == "progress"])
                self.assertEqual(called, entries(sc))
                self.assertEqual([], launches(sc))
                self.assertEqual(sz(OLD_SOURCE), source_path(sc), "FinalCleanup ran")


# (name, Wine version, stand-ins, library removed, setup library entries
# called, launch lists run, bar filled)
FAILED_RUNS = (
    # Loaded only after the copies, so looked for before the first change.
    ("NT 4.0, QVSETUP1.DLL missing", "nt40", {}, "QVSETUP1.DLL", [], [], False),
    # The library refuses the id: the rest of the sequence runs, the device
    # is not installed.
    ("Windows 2000, an id that the library refuses", "win2k",
     {"GetHardWareId": {"Id": r"USB\VID_1234&PID_0001"}}, None, ["GetHardWareId"],
     [["LAUNCH_FILES_Win2K"]], True),
)


class FailedRun(unittest.TestCase):
    def test_ends_with_minus_1_without_the_restart_dialog(self):
        for name, version, standins, missing, called, launched, filled in FAILED_RUNS:
            with self.subTest(name), Scenario(version) as sc:
                prepare(sc, {"ReBoot": "Y"}, standins)
                if missing:
                    replace_library(sc, missing)
                result, _ = run_interactive(sc, timeout=60)
                self.assertEqual(FAILED, result.exit_code, result)
                self.assertEqual([("welcome", WELCOME_EN), ("progress", PROGRESS_EN)],
                                 result.shown())
                self.assertEqual([("show", "progress"), ("hide", "progress"),
                                  ("destroy", "progress")],
                                 [e for e in result.events() if e[1] == "progress"],
                                 "the progress dialog closes")
                self.assertEqual(called, entries(sc), "no modem device installed")
                self.assertEqual(launched, launches(sc))
                self.assertEqual(filled, 40 in result.positions(), result.positions())
                self.assertEqual(sz(OLD_SOURCE), source_path(sc), "FinalCleanup ran")


if __name__ == "__main__":
    unittest.main()
