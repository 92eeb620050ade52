"""The modem poll's limit on the Windows 98 family: a modem record that
never appears ends the run after 180 s as a completion."""

import unittest

from bench.timers import SLACK, run_to_limit


class ModemPollLimit(unittest.TestCase):
    def test_ends_after_180_seconds_with_the_launch_list(self):
        result, seconds, launched, restored = run_to_limit("win98", {"RefreshWin2K": {"Effect": 0}})
        self.assertEqual(0, result.exit_code, result)
        self.assertGreaterEqual(seconds, 180)
        self.assertLess(seconds, 180 + SLACK)
        self.assertEqual([["LAUNCH_FILES_9X"]], launched)
        self.assertTrue(restored, "SourcePath is put back")


if __name__ == "__main__":
    unittest.main()
