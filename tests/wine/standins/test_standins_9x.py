"""The setup-library stand-ins on the Windows 9x family under Wine: their
call log, configured results and delays, RemoveModem on the 9x Modem class,
the class record that RefreshWin2K makes appear in the background, and the
Windows 95 device program qvsetup3.exe."""

import time
import unittest

from bench import Scenario
from bench.registry import EARLIER_NAME, MODEM_9X, OUR_NAME, instances, seed_instance
from bench.standins import calls, configure, install_fixture, run_steps, wait_for

OUR_RECORD = {"DriverDesc": OUR_NAME, "Model": OUR_NAME}


def seed_modems(sc):
    seed_instance(sc, MODEM_9X, "0000", Model=OUR_NAME)
    seed_instance(sc, MODEM_9X, "0001", Model="Standard 56000 bps Modem")
    seed_instance(sc, MODEM_9X, "0002", Model=f"{EARLIER_NAME} (COM3)")
    seed_instance(sc, MODEM_9X, "0003", subkeys=("Responses",), DriverDesc=OUR_NAME)
    seed_instance(sc, MODEM_9X, "0004", Model=OUR_NAME.lower())


class RemoveModem(unittest.TestCase):
    def test_removes_only_this_drivers_instances_and_can_be_turned_off(self):
        with Scenario("win98") as sc:
            install_fixture(sc)
            seed_modems(sc)
            configure(sc, {"RemoveModem": {"Effect": 0, "Result": 0}})
            answers, _ = run_steps(sc, ["load2", "bind98", "RemoveModem"])
            self.assertEqual([True, True, False], answers)
            self.assertEqual(5, len(instances(sc, MODEM_9X)))
            configure(sc)
            answers, _ = run_steps(sc, ["load2", "bind98", "RemoveModem"])
            self.assertEqual([True, True, True], answers)
            # Adjacent matches (0002, 0003) are both found; letter case counts.
            self.assertEqual(["0001", "0004"], sorted(instances(sc, MODEM_9X)))
            self.assertEqual(["RemoveModem() = 0 Removed=0", "RemoveModem() = 1 Removed=3"], calls(sc))


class RefreshRecord(unittest.TestCase):
    def test_the_class_record_appears_after_the_delay(self):
        with Scenario("win98") as sc:
            install_fixture(sc)
            seed_instance(sc, MODEM_9X, "0000", Model="Standard 56000 bps Modem")
            configure(sc, {"RefreshWin2K": {"Delay": 25000}})
            started = time.time()
            answers, _ = run_steps(sc, ["load2", "bind98", "sourcepath", "RefreshWin2K", "cleanup"])
            self.assertEqual([True] * 5, answers)
            self.assertLess(time.time() - started, 20, "RefreshWin2K returns before the record")
            self.assertEqual(["0000"], list(instances(sc, MODEM_9X)), "not there yet")
            self.assertTrue(wait_for(lambda: "0001" in instances(sc, MODEM_9X), 60, 3))
            self.assertGreaterEqual(time.time() - started, 25)
            self.assertEqual(OUR_RECORD, instances(sc, MODEM_9X)["0001"])
            self.assertEqual(['RefreshWin2K() = 1 Delay=25000 SourcePath="C:\\medium"',
                              'ClassRecord("0001", 25000) = 1'], calls(sc))

    def test_a_refresh_answering_0_makes_no_record(self):
        with Scenario("winme") as sc:
            install_fixture(sc)
            configure(sc, {"RefreshWin2K": {"Result": 0}})
            answers, _ = run_steps(sc, ["load2", "bind98", "RefreshWin2K"])
            self.assertEqual([True, True, False], answers)
            time.sleep(5)
            self.assertEqual({}, instances(sc, MODEM_9X))
            self.assertEqual(["RefreshWin2K() = 0 Delay=0 SourcePath=none"], calls(sc))


class Configuration(unittest.TestCase):
    def test_defaults_without_a_file_and_a_delay_before_an_entry(self):
        with Scenario("win98") as sc:
            install_fixture(sc)
            medium = sc.files("C:\\medium")
            steps = ["load2", "bind98", "WDMDeleteDevice", "RemoveDisabledModem", "DeleteOtherDevice"]
            answers, _ = run_steps(sc, steps)
            self.assertEqual([True] * 5, answers, "every entry succeeds")
            self.assertEqual(medium, sc.files("C:\\medium"), "no log is written")
            configure(sc, {"WDMDeleteDevice": {"Delay": 10000, "Result": 0}})
            started = time.time()
            answers, _ = run_steps(sc, steps)
            self.assertGreaterEqual(time.time() - started, 10)
            self.assertEqual([True, True, False, True, True], answers)
            self.assertEqual(["WDMDeleteDevice() = 0", "RemoveDisabledModem() = 1",
                              "DeleteOtherDevice() = 1"], calls(sc))


class DeviceProgram(unittest.TestCase):
    def test_qvsetup3_removes_and_refreshes(self):
        with Scenario("win95") as sc:
            seed_modems(sc)
            configure(sc, {"qvsetup3": {"Result": 5, "RecordDelay": 3000}})
            self.assertEqual(5, sc.run(r"C:\medium\qvsetup3.exe", "remove").exit_code)
            self.assertEqual(["0001", "0004"], sorted(instances(sc, MODEM_9X)))
            self.assertEqual(5, sc.run(r"C:\medium\qvsetup3.exe", "refresh").exit_code)
            self.assertTrue(wait_for(lambda: "0000" in instances(sc, MODEM_9X), 40, 2))
            self.assertEqual(OUR_RECORD, instances(sc, MODEM_9X)["0000"])
            self.assertEqual(5, sc.run(r"C:\medium\qvsetup3.exe").exit_code)
            self.assertEqual(['qvsetup3("remove") = 5 Removed=3', 'qvsetup3("refresh") = 5 RecordWriter=1',
                              'ClassRecord("0000", 3000) = 1', 'qvsetup3("") = 5'], calls(sc))


if __name__ == "__main__":
    unittest.main()
