"""Silent runs of setup.exe on Windows 95 under Wine: the device program
removes and refreshes, the modem poll ends the run when the class record
appears; a device program that is missing is passed over."""

import os
import unittest

from bench import Scenario
from bench.registry import GSMU_KEY, MODEM_9X, OUR_NAME, instances, seed_instance, sz
from bench.sequence import OLD_SOURCE, VXD_FILES, launches, prepare, run_setup, run_value, source_path
from bench.standins import calls


class Install(unittest.TestCase):
    def test_remove_refresh_and_poll(self):
        with Scenario("win95") as sc:
            prepare(sc, {"Debug": "Y"}, {"qvsetup3": {"RecordDelay": 5000}})
            seed_instance(sc, MODEM_9X, "0000", Model=OUR_NAME)
            sc.put_file(r"C:\windows\inf\old.bin", b"old")
            sc.put_file(r"C:\windows\inf\qvsm9pc.inf", b"old")
            result, seconds = run_setup(sc)
            self.assertEqual(0, result.exit_code, result)
            self.assertEqual([], result.boxes, "Windows 95 has no checkpoints")
            self.assertEqual(['qvsetup3("remove") = 0 Removed=1', 'qvsetup3("refresh") = 0 RecordWriter=1',
                              'ClassRecord("0000", 5000) = 1'], calls(sc))
            self.assertGreaterEqual(seconds, 5)
            self.assertEqual({"0000": {"DriverDesc": OUR_NAME, "Model": OUR_NAME}},
                             instances(sc, MODEM_9X))
            for path in VXD_FILES:
                self.assertTrue(sc.exists(path), path)
            self.assertFalse(sc.exists(r"C:\windows\inf\old.bin"))
            self.assertFalse(sc.exists(r"C:\windows\inf\qvsm9pc.inf"))
            self.assertIsNone(run_value(sc, "QVSMMSG"))
            self.assertIsNone(sc.registry(GSMU_KEY))
            self.assertEqual([["LAUNCH_FILES_9X"]], launches(sc))
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))

    def test_a_missing_device_program_is_passed_over(self):
        # The modem's record is already there, as an earlier refresh left it.
        with Scenario("win95") as sc:
            prepare(sc)
            os.remove(sc.unix_path(r"C:\medium\qvsetup3.exe"))
            seed_instance(sc, MODEM_9X, "0000", Model=OUR_NAME)
            result, _ = run_setup(sc)
            self.assertEqual(0, result.exit_code, result)
            self.assertEqual([], calls(sc))
            self.assertTrue(sc.exists(VXD_FILES[0]))
            self.assertEqual([["LAUNCH_FILES_9X"]], launches(sc))
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))


if __name__ == "__main__":
    unittest.main()
