"""Silent runs of setup.exe on the Windows 98 family under Wine: the remove,
refresh and install modes, the driver set per class and option, the copy-
only run, and the runs that fail before the modem poll timer starts."""

import unittest

from bench import Scenario
from bench.registry import GSMU_KEY, MODEM_9X, OUR_NAME, instances, sz
from bench.sequence import (FAILED, OLD_SOURCE, REMOVAL_CHECKPOINTS, REMOVAL_ENTRIES, VXD_FILES,
                            WDM_FILES, checkpoints, launches, prepare, run_setup, run_value,
                            seed_earlier_install, source_path)
from bench.standins import calls, entries, replace_library


class Install(unittest.TestCase):
    def assert_removed_earlier_install(self, sc):
        self.assertIsNone(run_value(sc, "QVSMMSG"), "the monitor's Run entry is gone")
        self.assertEqual(sz("other.exe"), run_value(sc, "Other"))
        self.assertIsNone(sc.registry(GSMU_KEY))
        self.assertFalse(sc.exists(r"C:\windows\inf\old.bin"))
        self.assertFalse(sc.exists(r"C:\windows\qvsmmsg.exe"))
        self.assertTrue(sc.exists(r"C:\windows\qvremove.exe"))

    def test_plain_install_ends_when_the_modem_record_appears(self):
        with Scenario("win98") as sc:
            seed_earlier_install(sc)
            prepare(sc, {"Debug": "Y"}, {"RefreshWin2K": {"Delay": 7000}})
            result, seconds = run_setup(sc)
            self.assertEqual(0, result.exit_code, result)
            self.assertEqual(REMOVAL_CHECKPOINTS + ["refreshdevicefor98"], checkpoints(result))
            self.assertEqual(REMOVAL_ENTRIES + ["RefreshWin2K", "ClassRecord"], entries(sc))
            self.assertIn(r'SourcePath="C:\medium"', calls(sc)[4], "SourcePath during the run")
            self.assertGreaterEqual(seconds, 7, "the run waited for the record")
            self.assertEqual([["LAUNCH_FILES_9X"]], launches(sc))
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))
            self.assert_removed_earlier_install(sc)
            for path in VXD_FILES:
                self.assertTrue(sc.exists(path), path)
            self.assertFalse(sc.exists(WDM_FILES[0]))
            # The earlier instance went with RemoveModem; the new one is the stand-in's.
            self.assertEqual({"0000": {"DriverDesc": OUR_NAME, "Model": OUR_NAME},
                              "0001": {"Model": "Standard 56000 bps Modem"}},
                             instances(sc, MODEM_9X))

    def test_remove_only_installs_nothing_and_ends_at_once(self):
        with Scenario("winme") as sc:
            seed_earlier_install(sc)
            prepare(sc, {"Debug": "Y", "CleanUpRegistry": "Y"}, copy_9x=["QVSMzad.ini $windows"])
            sc.seed_registry(r"HKLM\Software\Tavelin\Softmodem\Country", {"X": sz("x")})
            result, _ = run_setup(sc, "-s -d")
            self.assertEqual(0, result.exit_code, result)
            self.assertEqual(REMOVAL_CHECKPOINTS + ["RemoveMode && !RefreshMode"], checkpoints(result))
            self.assertEqual(REMOVAL_ENTRIES, entries(sc))
            self.assertEqual([["LAUNCH_FILES_9X"]], launches(sc))
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))
            self.assert_removed_earlier_install(sc)
            self.assertIsNone(sc.registry(r"HKLM\Software\Tavelin\Softmodem"))
            for path in VXD_FILES + WDM_FILES + (r"C:\windows\QVSMzad.ini",):
                self.assertFalse(sc.exists(path), path)

    def test_copy_files_only_runs_the_launch_list_instead_of_the_refresh(self):
        with Scenario("win98") as sc:
            prepare(sc, {"Debug": "Y", "CopyFilesOnly": "Y"}, copy_9x=["QVSMzad.ini $windows"])
            result, _ = run_setup(sc)
            self.assertEqual(0, result.exit_code, result)
            self.assertEqual(REMOVAL_CHECKPOINTS, checkpoints(result))
            self.assertEqual(REMOVAL_ENTRIES, entries(sc), "no device refresh")
            self.assertTrue(sc.exists(r"C:\windows\QVSMzad.ini"), "the copy list ran")
            self.assertEqual([["LAUNCH_FILES_9X"]], launches(sc))
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))


class EndingsWithoutTimer(unittest.TestCase):
    """Nothing would end these runs: each ends at once with -1, cleaned up."""

    def test_library_or_entry_missing_changes_nothing(self):
        cases = ((None, ["OS Found 98"]), ("QVSETUP1.DLL", ["OS Found 98", "DLL2 ok"]))
        for substitute, expected in cases:
            with self.subTest(substitute=substitute), Scenario("win98") as sc:
                prepare(sc, {"Debug": "Y"})
                replace_library(sc, "QVSETUP2.DLL", medium_file=substitute)
                result, seconds = run_setup(sc)
                self.assertEqual(FAILED, result.exit_code, result)
                self.assertLess(seconds, 30)
                self.assertEqual(expected, checkpoints(result))
                self.assertEqual(sz(OLD_SOURCE), source_path(sc))
                self.assertIsNotNone(run_value(sc, "QVSMMSG"), "no removal step ran")
                self.assertEqual([], launches(sc))

    def test_a_refresh_that_did_not_start(self):
        with Scenario("win98") as sc:
            prepare(sc, {"Debug": "Y"}, {"RefreshWin2K": {"Result": 0}})
            result, seconds = run_setup(sc)
            self.assertEqual(FAILED, result.exit_code, result)
            self.assertLess(seconds, 30)
            self.assertEqual(REMOVAL_CHECKPOINTS + ["refreshdevicefor98"], checkpoints(result))
            self.assertEqual(REMOVAL_ENTRIES + ["RefreshWin2K"], entries(sc))
            self.assertEqual([], launches(sc), "a failed install runs no launch list")
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))


if __name__ == "__main__":
    unittest.main()
