"""Silent runs of setup.exe on Windows NT 4.0 under Wine: a fresh install,
the removal of an earlier one, and each way the run fails."""

import unittest

from bench import Scenario
from bench.registry import (GSMU_KEY, MODEM_NT, OUR_NAME, SERVICE_KEY, instances, set_serial_map, sz,
                            value)
from bench.sequence import (FAILED, OLD_SOURCE, OUR_UNIMODEM, checkpoints, launches, prepare, run_setup,
                            run_value, seed_earlier_install, source_path)
from bench.standins import calls, entries, replace_library

DRIVER = r"C:\windows\system32\drivers\qvsm.sys"
FRESH_CHECKPOINTS = ["foundoldport", "NTInstallModemDevice", "After NTInstallModemDevice"]


def attached_to(sc):
    return {name: v.get("AttachedTo") for name, v in instances(sc, MODEM_NT).items()}


class Install(unittest.TestCase):
    def assert_installed(self, sc, result):
        self.assertEqual(0, result.exit_code, result)
        self.assertTrue(sc.exists(DRIVER))
        self.assertTrue(sc.exists(r"C:\windows\inf\qvsmnt4.inf"))
        self.assertTrue(sc.exists(r"C:\windows\qvremove.exe"))
        self.assertEqual(sz(r"\??\C:\windows\system32\drivers\qvsm.sys"),
                         value(sc.registry(SERVICE_KEY), "ImagePath"))
        self.assertEqual({"0000": "COM3"}, attached_to(sc))
        self.assertEqual([["LAUNCH_FILES_NT"]], launches(sc))
        self.assertIsNone(sc.registry(GSMU_KEY))
        self.assertEqual(sz(OLD_SOURCE), source_path(sc))

    def test_fresh_install(self):
        with Scenario("nt40") as sc:
            prepare(sc, {"Debug": "Y"})
            set_serial_map(sc, ["COM1", "COM2"])
            result, _ = run_setup(sc)
            self.assertEqual(FRESH_CHECKPOINTS, checkpoints(result))
            self.assertEqual(['GetInfByPci("", 0) = 1 Flag=0 Inf=""',
                              f'InstallClassDevice("Modem", "TAVELINSoftModem", "{OUR_NAME}", 0) = 1 '
                              'Instance="0000" SourcePath="C:\\medium"'], calls(sc))
            self.assert_installed(sc, result)
            self.assertEqual(sz("C:\\WINDOWS\\qvsmmsg.exe"), run_value(sc, "QVSMMSG"),
                             "without an earlier install the Run entry stays")

    def test_earlier_install_is_removed_first(self):
        with Scenario("nt40") as sc:
            prepare(sc, {"Debug": "Y"})
            seed_earlier_install(sc)
            set_serial_map(sc, ["COM1", "COM2"])
            result, _ = run_setup(sc)
            self.assertEqual(["foundoldport", "oldport found"] + FRESH_CHECKPOINTS[1:],
                             checkpoints(result))
            self.assertEqual(["RemovePort", "RemoveModem", "RemoveNTService", "GetInfByPci",
                              "InstallClassDevice"], entries(sc))
            self.assert_installed(sc, result)
            self.assertFalse(sc.exists(r"C:\windows\system32\qvsm.sys"))
            self.assertFalse(sc.exists(r"C:\windows\inf\qvsmnt4old.inf"))
            self.assertIsNone(run_value(sc, "QVSMMSG"))
            self.assertIsNone(sc.registry(OUR_UNIMODEM))


class Failures(unittest.TestCase):
    def test_earlier_service_that_stays_installs_nothing_and_fails(self):
        with Scenario("nt40") as sc:
            prepare(sc, {"Debug": "Y"}, {"RemoveNTService": {"Result": 0}})
            seed_earlier_install(sc)
            result, _ = run_setup(sc)
            self.assertEqual(FAILED, result.exit_code, "nothing was installed")
            self.assertEqual(["foundoldport", "oldport found"], checkpoints(result))
            self.assertEqual(["RemovePort", "RemoveModem", "RemoveNTService"], entries(sc))
            self.assertFalse(sc.exists(DRIVER))
            self.assertTrue(sc.exists(r"C:\windows\system32\qvsm.sys"), "earlier files stay")
            self.assertIsNotNone(sc.registry(GSMU_KEY))
            self.assertEqual([], launches(sc))
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))

    def test_each_failure_after_the_removal(self):
        # (options, stand-ins, serial ports, library 1, checkpoints, driver copied)
        cases = (
            ("PCI mismatch, HardwareDetectNT", {"HardwareDetectNT": "Y"},
             {"GetInfByPci": {"Flag": 1}}, ["COM1"], ["foundoldport"], False),
            ("every COM port taken", {}, {}, [f"COM{n}" for n in range(1, 100)],
             ["foundoldport"], True),
        )
        for name, options, standins, ports, expected, copied in cases:
            with self.subTest(name), Scenario("nt40") as sc:
                prepare(sc, dict(options, Debug="Y"), standins)
                set_serial_map(sc, ports)
                result, _ = run_setup(sc)
                self.assertEqual(FAILED, result.exit_code, result)
                self.assertEqual(expected, checkpoints(result))
                self.assertEqual(["GetInfByPci"], entries(sc), "no modem device installed")
                self.assertEqual(copied, sc.exists(DRIVER))
                self.assertIsNone(sc.registry(SERVICE_KEY), "no driver service written")
                self.assertEqual([], launches(sc))
                self.assertEqual(sz(OLD_SOURCE), source_path(sc))

    def test_a_missing_qvsetup1_fails_before_any_step(self):
        # It is loaded only after the copies: the checks before the first
        # change look for it on the medium.
        with Scenario("nt40") as sc:
            prepare(sc, {"Debug": "Y"})
            replace_library(sc, "QVSETUP1.DLL")
            result, _ = run_setup(sc)
            self.assertEqual(FAILED, result.exit_code, result)
            self.assertEqual([], checkpoints(result))
            self.assertEqual([], calls(sc))
            self.assertFalse(sc.exists(DRIVER))
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))

    def test_pci_mismatch_without_hardware_detect_installs(self):
        with Scenario("nt40") as sc:
            prepare(sc, {"HardwareDetectNT": "N"}, {"GetInfByPci": {"Flag": 1}})
            set_serial_map(sc, ["COM1", "COM2"])
            result, _ = run_setup(sc)
            self.assertEqual(0, result.exit_code, result)
            self.assertEqual({"0000": "COM3"}, attached_to(sc))

    def test_library_2_without_ntgetinf_fails_before_any_step(self):
        with Scenario("nt40") as sc:
            prepare(sc, {"Debug": "Y"})
            replace_library(sc, "QVSETUP2.DLL", fixture_file="qvsetup2_without_ntgetinf.DLL")
            result, _ = run_setup(sc)
            self.assertEqual(FAILED, result.exit_code, result)
            self.assertEqual([], checkpoints(result))
            self.assertEqual([], calls(sc))
            self.assertIsNotNone(sc.registry(GSMU_KEY))
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))


if __name__ == "__main__":
    unittest.main()
