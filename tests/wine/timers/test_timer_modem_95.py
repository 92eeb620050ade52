"""The modem poll's limit on Windows 95: a modem record that never appears
ends the run after 270 s as a completion."""

import unittest

from bench.timers import SLACK, run_to_limit


class ModemPollLimit(unittest.TestCase):
    def test_ends_after_270_seconds_with_the_launch_list(self):
        result, seconds, launched, restored = run_to_limit("win95", {"qvsetup3": {"Effect": 0}})
        self.assertEqual(0, result.exit_code, result)
        self.assertEqual([], result.boxes)
        self.assertGreaterEqual(seconds, 270)
        self.assertLess(seconds, 270 + SLACK)
        self.assertEqual([["LAUNCH_FILES_9X"]], launched)
        self.assertTrue(restored, "SourcePath is put back")


if __name__ == "__main__":
    unittest.main()
