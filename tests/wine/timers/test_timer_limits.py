"""The completion timers' limits in silent runs. The modem poll's limit
(270 s on Windows 95, 180 s on the Windows 98 family) ends a run whose
modem record never appears as a completion; the service poll's (320 s on
Windows 2000) fails a run whose driver service never runs, and a service
that runs just before its last tick is a success. The runs go side by
side."""

import collections
import unittest

from bench.sequence import FAILED
from bench.timers import SLACK, runs_to_limits

NO_ID = {"GetHardWareId": {"Result": 0}}
REFRESH_BOXES = [("Debug", "No PCI Key"), ("2krefresh", "xy"), ("Debug", "In InstallModemByRefresh()")]

# A run to a limit: its stand-ins, and how it ends: exit code, the message
# boxes (None: not checked), the earliest end and the limit (s), the launch
# lists run.
Limit = collections.namedtuple("Limit", "name version standins exit_code boxes earliest limit launched")
LIMITS = (
    Limit("modem poll, Windows 95", "win95", {"qvsetup3": {"Effect": 0}}, 0, [], 270, 270,
          [["LAUNCH_FILES_9X"]]),
    Limit("modem poll, Windows 98", "win98", {"RefreshWin2K": {"Effect": 0}}, 0, None, 180, 180,
          [["LAUNCH_FILES_9X"]]),
    Limit("service poll, Windows 2000", "win2k", dict(NO_ID, RefreshWin2K={"Effect": 0}), FAILED,
          REFRESH_BOXES + [("Debug", "Timer expired!!")], 320, 320, []),
    # The service runs about 312 s after the refresh: after the 31st tick
    # (310 s), before the 32nd (320 s).
    Limit("service running at the 32nd tick", "win2k", dict(NO_ID, RefreshWin2K={"Delay": 312000}), 0,
          REFRESH_BOXES + [("Debug", "Install success")], 312, 320, [["LAUNCH_FILES_Win2K"]]),
)


class Limits(unittest.TestCase):
    def test_each_limit_ends_its_run(self):
        futures = runs_to_limits([(limit.version, limit.standins) for limit in LIMITS])
        for limit, future in zip(LIMITS, futures):
            with self.subTest(limit.name):
                result, seconds, launched, restored = future.result()
                self.assertEqual(limit.exit_code, result.exit_code, result)
                if limit.boxes is not None:
                    self.assertEqual(limit.boxes, result.boxes)
                self.assertGreaterEqual(seconds, limit.earliest)
                self.assertLess(seconds, limit.limit + SLACK)
                self.assertEqual(limit.launched, launched)
                self.assertTrue(restored, "SourcePath is put back")


if __name__ == "__main__":
    unittest.main()
