"""setup's binding to QVSETUP1.DLL and QVSETUP2.DLL under Wine, through the
library_calls fixture, which loads, binds and calls them with setup's own
code from the medium: entries found by exported name and called with their
arguments, all-or-nothing binding, clean failure when a library or an
entry is missing, NTInstallModemDevice, and one unload at the end."""

import unittest

from bench import Scenario
from bench.registry import MODEM_NT, OUR_NAME, instances
from bench.standins import calls, configure, entries, install_fixture, replace_library, run_steps

WIN98_ENTRIES = ["RefreshWin2K", "RemoveModem", "WDMDeleteDevice", "RemoveDisabledModem",
                 "DeleteOtherDevice"]
INSTALL_CLASS_DEVICE = f'InstallClassDevice("Modem", "TAVELINSoftModem", "{OUR_NAME}", 0) = 1'


class Windows98Family(unittest.TestCase):
    def test_each_bound_entry_is_the_export_of_its_name(self):
        with Scenario("win98") as sc:
            install_fixture(sc)
            # Distinct results tell the entries apart: only two answer non-zero.
            configure(sc, {"RefreshWin2K": {"Effect": 0}, "RemoveModem": {"Result": 0},
                           "WDMDeleteDevice": {"Result": 0}, "RemoveDisabledModem": {"Result": 7},
                           "DeleteOtherDevice": {"Result": 0}})
            steps = ["load2", "bind98"] + list(reversed(WIN98_ENTRIES)) + ["cleanup", "loaded2"]
            answers, boxes = run_steps(sc, steps)
            self.assertEqual([True, True, False, True, False, False, True, True, False], answers)
            self.assertEqual([], boxes)
            self.assertEqual(list(reversed(WIN98_ENTRIES)), entries(sc))

    def test_a_missing_library_fails_loading_and_binding_without_a_message(self):
        with Scenario("winme") as sc:
            install_fixture(sc)
            configure(sc)
            replace_library(sc, "QVSETUP2.DLL")
            answers, boxes = run_steps(sc, ["load2", "bind98", "RemoveModem", "cleanup"])
            self.assertEqual([False, False, False, True], answers)
            self.assertEqual([], boxes)
            self.assertEqual([], calls(sc))

    def test_a_damaged_library_fails_without_a_message(self):
        with Scenario("win98") as sc:
            install_fixture(sc)
            sc.put_file(r"C:\medium\QVSETUP2.DLL", b"MZ not a library" * 64)
            answers, boxes = run_steps(sc, ["load2", "bind98", "cleanup"])
            self.assertEqual([False, False, True], answers)
            self.assertEqual([], boxes)

    def test_a_library_missing_entries_binds_none_of_them(self):
        with Scenario("win98") as sc:
            install_fixture(sc)
            configure(sc)
            # QVSETUP1.DLL under the name of library 2 exports none of the five.
            replace_library(sc, "QVSETUP2.DLL", medium_file="QVSETUP1.DLL")
            answers, _ = run_steps(sc, ["load2", "bind98", "RefreshWin2K", "cleanup", "loaded2"])
            self.assertEqual([True, False, False, True, False], answers)
            self.assertEqual([], calls(sc))


class WindowsNT4(unittest.TestCase):
    def test_binding_installing_and_one_unload(self):
        with Scenario("nt40") as sc:
            install_fixture(sc)
            configure(sc, {"GetInfByPci": {"Flag": 1, "Inf": "qvsmnt4.inf"},
                           "RemoveNTService": {"Result": 0}})
            steps = ["load2", "bindnt4", "GetInfByPci", "RemoveNTService", "RemovePort", "sourcepath",
                     "ntinstall", "ntinstall", "cleanup", "cleanup", "loaded1", "loaded2"]
            answers, boxes = run_steps(sc, steps)
            self.assertEqual([True, True, True, False, True, True, True, True, True, True, False,
                              False], answers, "loaded twice by name, unloaded once, and gone")
            self.assertEqual([("GetInfByPci", "qvsmnt4.inf|1")], boxes)
            log = calls(sc)
            self.assertEqual('GetInfByPci("", 0) = 1 Flag=1 Inf="qvsmnt4.inf"', log[0])
            self.assertEqual(["RemoveNTService() = 0", "RemovePort() = 1"], log[1:3])
            self.assertEqual(2, len(log[3:]))
            for line in log[3:]:
                self.assertTrue(line.startswith(INSTALL_CLASS_DEVICE), line)
                self.assertTrue(line.endswith(r'SourcePath="C:\medium"'), line)
            self.assertEqual({"0000": {"DriverDesc": OUR_NAME, "Model": OUR_NAME},
                              "0001": {"DriverDesc": OUR_NAME, "Model": OUR_NAME}},
                             instances(sc, MODEM_NT))

    def test_ntgetinf_must_be_exported_though_never_called(self):
        with Scenario("nt40") as sc:
            install_fixture(sc)
            configure(sc)
            replace_library(sc, "QVSETUP2.DLL", fixture_file="qvsetup2_without_ntgetinf.DLL")
            answers, _ = run_steps(sc, ["load2", "bindnt4", "RemovePort", "GetInfByPci"])
            self.assertEqual([True, False, False, False], answers)
            self.assertEqual([], calls(sc), "nothing bound, nothing called")

    def test_nt_install_fails_cleanly_without_library_1_or_its_entry(self):
        with Scenario("nt40") as sc:
            install_fixture(sc)
            configure(sc)
            replace_library(sc, "QVSETUP1.DLL")
            answers, boxes = run_steps(sc, ["ntinstall", "loaded1"])
            self.assertEqual([False, False], answers)
            replace_library(sc, "QVSETUP1.DLL", medium_file="QVSETUP2.DLL")
            answers, boxes2 = run_steps(sc, ["ntinstall", "cleanup", "loaded1"])
            self.assertEqual([False, True, False], answers)
            self.assertEqual([], boxes + boxes2)
            self.assertEqual([], calls(sc))
            self.assertEqual({}, instances(sc, MODEM_NT))


class Windows2000(unittest.TestCase):
    def test_binding_across_both_libraries(self):
        with Scenario("win2k") as sc:
            install_fixture(sc)
            configure(sc, {"GetHardWareId": {"Id": r"PCI\VEN_1234&DEV_5678&SUBSYS_0&REV_01"},
                           "RefreshWin2K": {"Effect": 0, "Result": 0}})
            steps = ["load2000", "bind2000", "GetHardWareId", "update", "RefreshWin2K", "cleanup",
                     "loaded1", "loaded2"]
            answers, boxes = run_steps(sc, steps)
            self.assertEqual([True, True, True, True, False, True, False, False], answers)
            self.assertEqual([("GetHardWareId", r"PCI\VEN_1234&DEV_5678&SUBSYS_0&REV_01")], boxes)
            self.assertEqual([r'GetHardWareId() = 1 Id="PCI\VEN_1234&DEV_5678&SUBSYS_0&REV_01"',
                              r'UpdateNT5Device("PCI\VEN_8086&DEV_2416", "qvsmw2k.inf") = 1 '
                              'SourcePath=none',
                              "RefreshWin2K() = 0 Delay=0 SourcePath=none"], calls(sc))

    def test_both_libraries_are_attempted_when_library_1_is_missing(self):
        with Scenario("win2k") as sc:
            install_fixture(sc)
            configure(sc)
            replace_library(sc, "QVSETUP1.DLL")
            answers, _ = run_steps(sc, ["load2000", "loaded2", "bind2000", "GetHardWareId", "cleanup",
                                        "loaded2"])
            self.assertEqual([False, True, False, False, True, False], answers)
            self.assertEqual([], calls(sc))

    def test_a_missing_entry_of_library_2_binds_nothing(self):
        with Scenario("win2k") as sc:
            install_fixture(sc)
            configure(sc)
            replace_library(sc, "QVSETUP2.DLL", medium_file="QVSETUP1.DLL")
            answers, _ = run_steps(sc, ["load2000", "bind2000", "update"])
            self.assertEqual([True, False, False], answers, "UpdateNT5Device of library 1 not bound either")


if __name__ == "__main__":
    unittest.main()
