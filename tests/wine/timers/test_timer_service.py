"""The service poll's limit on Windows 2000: a driver service that never
runs fails the run after 320 s, without the launch list."""

import unittest

from bench.timers import SLACK, run_to_limit

NO_ID = {"GetHardWareId": {"Result": 0}}


class ServicePollLimit(unittest.TestCase):
    def test_fails_after_320_seconds_without_the_launch_list(self):
        result, seconds, launched, restored = run_to_limit(
            "win2k", dict(NO_ID, RefreshWin2K={"Effect": 0}))
        self.assertEqual(0xFFFFFFFF, result.exit_code, result)
        self.assertEqual([("Debug", "No PCI Key"), ("2krefresh", "xy"),
                          ("Debug", "In InstallModemByRefresh()"), ("Debug", "Timer expired!!")],
                         result.boxes)
        self.assertGreaterEqual(seconds, 320)
        self.assertLess(seconds, 320 + SLACK)
        self.assertEqual([], launched)
        self.assertTrue(restored, "SourcePath is put back")


if __name__ == "__main__":
    unittest.main()
