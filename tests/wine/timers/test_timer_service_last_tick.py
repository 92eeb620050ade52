"""The service poll's last tick on Windows 2000: a driver service that
starts running just before it ends the run as a success."""

import unittest

from bench.timers import SLACK, run_to_limit


class ServicePollLastTick(unittest.TestCase):
    def test_service_running_at_the_32nd_tick_is_a_success(self):
        # The service runs about 312 s after the refresh: after the 31st
        # tick (310 s), before the 32nd (320 s).
        result, seconds, launched, restored = run_to_limit(
            "win2k", {"GetHardWareId": {"Result": 0}, "RefreshWin2K": {"Delay": 312000}})
        self.assertEqual(0, result.exit_code, result)
        self.assertEqual(("Debug", "Install success"), result.boxes[-1])
        self.assertNotIn(("Debug", "Timer expired!!"), result.boxes)
        self.assertGreaterEqual(seconds, 312)
        self.assertLess(seconds, 320 + SLACK)
        self.assertEqual([["LAUNCH_FILES_Win2K"]], launched)
        self.assertTrue(restored, "SourcePath is put back")


if __name__ == "__main__":
    unittest.main()
