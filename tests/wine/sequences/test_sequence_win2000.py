"""Silent runs of setup.exe on Windows 2000 under Wine: the hardware id from
the setup library or from the PCI device tree, the refresh fallback under
the service poll timer, and the runs that must fail."""

import unittest

from bench import Scenario
from bench.registry import BRAND_KEY, GSMU_KEY, INTEL, PCI, TAVELIN_KEY, sz, value
from bench.sequence import (FAILED, OLD_SOURCE, checkpoints, launches, prepare, run_setup, run_value,
                            source_path)
from bench.standins import calls, entries
MONITOR_FILES = (r"C:\windows\qvsmmsg.exe", r"C:\windows\system32\qvsmmsg.exe",
                 r"C:\windows\qvsm.isu", r"C:\windows\Options\CABS\qvsmmsg.exe")


def seed_earlier_monitor(sc):
    for path in MONITOR_FILES:
        sc.put_file(path, b"old")


class InstallById(unittest.TestCase):
    def assert_installed(self, sc, result):
        self.assertEqual(0, result.exit_code, result)
        self.assertEqual([["LAUNCH_FILES_Win2K"]], launches(sc))
        self.assertTrue(sc.exists(r"C:\windows\qvremove.exe"))
        self.assertTrue(sc.exists(r"C:\windows\Options\CABS\qvremove.exe"))
        for path in MONITOR_FILES:
            self.assertFalse(sc.exists(path), path)
        self.assertIsNone(run_value(sc, "QVSMMSG"))
        self.assertIsNone(sc.registry(GSMU_KEY))
        self.assertEqual(sz(OLD_SOURCE), source_path(sc))

    def test_id_from_the_setup_library(self):
        with Scenario("win2k") as sc:
            prepare(sc, {"Debug": "Y"})
            seed_earlier_monitor(sc)
            sc.seed_registry(PCI + "\\" + INTEL)
            result, _ = run_setup(sc)
            self.assertEqual(["getHardWareId"], checkpoints(result))
            self.assertEqual(["GetHardWareId", "UpdateNT5Device"], entries(sc), "no PCI walk needed")
            self.assertIn(r'SourcePath="C:\medium"', calls(sc)[1])
            self.assert_installed(sc, result)

    def test_id_from_the_pci_tree(self):
        with Scenario("win2k") as sc:
            prepare(sc, {"Debug": "Y"}, {"GetHardWareId": {"Result": 0}})
            seed_earlier_monitor(sc)
            sc.seed_registry(PCI + "\\" + INTEL)
            result, _ = run_setup(sc)
            self.assertEqual([("HardwareId", "PCI\\" + INTEL), ("FindIDFromEnum", "xy")],
                             result.boxes[:2])
            self.assertEqual(["FindIDFromEnum"], checkpoints(result))
            self.assertEqual(['GetHardWareId() = 0',
                              'UpdateNT5Device("PCI\\VEN_8086&DEV_2416&SUBSYS_12345678", '
                              '"qvsmw2k.inf") = 1 SourcePath="C:\\medium"'], calls(sc))
            self.assert_installed(sc, result)

    def test_an_id_of_no_known_form_fails(self):
        # The library refuses the id: the device is not installed, so the
        # run fails, but the rest of the sequence runs as on success: the
        # launch list rebuilds the settings deleted before, and the
        # clean-up flag is written.
        with Scenario("win2k") as sc:
            prepare(sc, {"Debug": "Y", "CleanUpRegistry": "Y"},
                    {"GetHardWareId": {"Id": r"USB\VID_1234&PID_0001"}})
            sc.seed_registry(BRAND_KEY + r"\Country", {"Country": sz("B5")})
            result, _ = run_setup(sc)
            self.assertEqual(FAILED, result.exit_code, result)
            self.assertEqual(["getHardWareId"], checkpoints(result))
            self.assertEqual(["GetHardWareId"], entries(sc), "no device update")
            self.assertIsNone(sc.registry(BRAND_KEY), "the settings are deleted before the id is used")
            self.assertEqual([["LAUNCH_FILES_Win2K"]], launches(sc))
            self.assertEqual(sz("Y"), value(sc.registry(TAVELIN_KEY), "CleanUpRegistry"))
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))


class InstallByRefresh(unittest.TestCase):
    def test_the_service_poll_ends_the_run_when_the_service_runs(self):
        with Scenario("win2k") as sc:
            prepare(sc, {"Debug": "Y"}, {"GetHardWareId": {"Result": 0},
                                         "RefreshWin2K": {"Delay": 4000}})
            sc.put_file(r"C:\windows\inf\qvsmw2k.inf", b"earlier inf")
            sc.put_file(r"C:\windows\inf\qvsmw2k.pnf", b"earlier pnf")
            result, seconds = run_setup(sc)
            self.assertEqual(0, result.exit_code, result)
            self.assertEqual([("Debug", "No PCI Key"), ("2krefresh", "xy"),
                              ("Debug", "In InstallModemByRefresh()"), ("Debug", "Install success")],
                             result.boxes)
            self.assertEqual(["GetHardWareId", "RefreshWin2K", "TAVELINSoftModem"], entries(sc))
            self.assertIn(r'SourcePath="C:\medium"', calls(sc)[1])
            self.assertGreaterEqual(seconds, 10, "the first look is one interval after the start")
            self.assertEqual(b"earlier inf", sc.read_file(r"C:\windows\inf\qvsmw2k.ink"))
            self.assertEqual(b"earlier pnf", sc.read_file(r"C:\windows\inf\qvsmw2k.pnk"))
            self.assertNotEqual(b"earlier inf", sc.read_file(r"C:\windows\inf\qvsmw2k.inf"))
            self.assertEqual([["LAUNCH_FILES_Win2K"]], launches(sc))
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))

    def test_a_refresh_that_did_not_start_fails_at_once(self):
        with Scenario("win2k") as sc:
            prepare(sc, {"Debug": "Y"}, {"GetHardWareId": {"Result": 0},
                                         "RefreshWin2K": {"Result": 0}})
            result, seconds = run_setup(sc)
            self.assertEqual(FAILED, result.exit_code, result)
            self.assertLess(seconds, 30)
            self.assertEqual(["2krefresh"], checkpoints(result))
            self.assertEqual(["GetHardWareId", "RefreshWin2K"], entries(sc))
            self.assertEqual([], launches(sc))
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))


if __name__ == "__main__":
    unittest.main()
