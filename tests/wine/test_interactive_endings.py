"""Interactive runs of setup.exe under Wine that neither finish inside the
welcome dialog's OK nor leave a completion timer running: nothing else
would end them, so setup cleans up, closes the progress dialog and ends
with -1 at once."""

import unittest

from bench import Scenario, sz
from interactive_scenario import PROGRESS_EN, WELCOME_EN, run_interactive
from sequence_scenario import FAILED, OLD_SOURCE, entries, launches, prepare, source_path
from standin_scenario import replace_library

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


if __name__ == "__main__":
    unittest.main()
