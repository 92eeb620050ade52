"""The interactive start of setup.exe under Wine: the welcome question and
its Cancel, and on Windows 2000 with a hardware id the run that finishes
inside OK, with and without the restart dialog that ReBoot adds."""

import unittest

from bench import Scenario, ScenarioTestCase, sz
from bench.agent import IDCANCEL, RESTART, WELCOME
from bench.interactive import PROGRESS_EN, RESTART_EN, WELCOME_EN, run_interactive
from bench.registry import GSMU_KEY
from bench.sequence import OLD_SOURCE, forget_run, launches, prepare, run_value, source_path
from bench.standins import entries

# The run finishes inside the welcome dialog's OK: the progress dialog goes
# before the welcome dialog's own window.
FINISHED_AT_ONCE = [("show", "welcome"), ("press", "welcome"), ("hide", "welcome"),
                    ("show", "progress"), ("hide", "progress"), ("destroy", "progress"),
                    ("destroy", "welcome")]


def assert_finished_at_once(test, sc):
    result, _ = run_interactive(sc)
    test.assertEqual(0, result.exit_code, result)
    test.assertEqual([("welcome", WELCOME_EN), ("progress", PROGRESS_EN)], result.shown())
    test.assertEqual(FINISHED_AT_ONCE, result.events())
    test.assertEqual(list(range(41)), result.positions(), "one step at a time to 40")
    test.assertEqual(["GetHardWareId", "UpdateNT5Device"], entries(sc))
    test.assertEqual([["LAUNCH_FILES_Win2K"]], launches(sc))
    test.assertEqual(sz(OLD_SOURCE), source_path(sc))


class Windows2000(ScenarioTestCase, version="win2k"):
    """Each test prepares the shared scenario afresh."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.sc.record_restarts()

    def prepare(self, options):
        prepare(self.sc, options)
        forget_run(self.sc)

    def test_cancel_ends_with_0_and_changes_nothing(self):
        sc = self.sc
        self.prepare({"ReBoot": "Y"})
        windows_files = sc.files(r"C:\windows")
        result, _ = run_interactive(sc, answers={WELCOME: IDCANCEL})
        self.assertEqual(0, result.exit_code, result)
        self.assertEqual([("welcome", WELCOME_EN)], result.shown())
        self.assertEqual([("show", "welcome"), ("press", "welcome"), ("hide", "welcome"),
                          ("destroy", "welcome")], result.events(), "no progress, no restart")
        self.assertEqual([], entries(sc), "no setup library was called")
        self.assertEqual([], launches(sc))
        self.assertEqual(windows_files, sc.files(r"C:\windows"))
        self.assertEqual(sz(OLD_SOURCE), source_path(sc))
        self.assertIsNotNone(run_value(sc, "QVSMMSG"))
        self.assertIsNotNone(sc.registry(GSMU_KEY))
        self.assertEqual([], sc.restart_log(settle=2))

    def test_ok_shows_the_progress_to_the_full_bar_and_ends_with_0(self):
        self.prepare({"ReBoot": "N"})
        assert_finished_at_once(self, self.sc)

    def test_reboot_adds_the_restart_dialog_after_the_progress(self):
        sc = self.sc
        self.prepare({"ReBoot": "Y"})
        result, _ = run_interactive(sc, answers={RESTART: IDCANCEL})
        self.assertEqual(0, result.exit_code, result)
        self.assertEqual([("welcome", WELCOME_EN), ("progress", PROGRESS_EN),
                          ("restart", RESTART_EN)], result.shown())
        self.assertEqual(FINISHED_AT_ONCE + [("show", "restart"), ("press", "restart"),
                                             ("hide", "restart"), ("destroy", "restart")],
                         result.events())
        self.assertEqual(40, result.positions()[-1])
        self.assertEqual([["LAUNCH_FILES_Win2K"]], launches(sc))
        self.assertEqual(sz(OLD_SOURCE), source_path(sc), "cleaned up before the question")
        self.assertEqual([], sc.restart_log(settle=2), "Cancel requests no restart")


class Windows2000OnX11(unittest.TestCase):
    """Wine's X11 driver drawing the dialogs on Xvfb; the other tests use
    the null driver, where the dialogs exist but nothing draws them."""

    def test_ok_shows_the_progress_to_the_full_bar_and_ends_with_0(self):
        with Scenario("win2k", display=True) as sc:
            prepare(sc, {"ReBoot": "N"})
            assert_finished_at_once(self, sc)


if __name__ == "__main__":
    unittest.main()
