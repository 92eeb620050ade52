"""The service poll's limit in an interactive Windows 2000 run: the driver
service never runs, so after 320 s the progress dialog closes, the restart
dialog is offered (ReBoot) and setup ends with -1: nothing was installed."""

import unittest

from bench import Scenario
from bench.agent import IDCANCEL, RESTART
from bench.interactive import RESTART_EN, run_interactive
from bench.sequence import FAILED, launches, prepare
from bench.timers import SLACK

NO_ID = {"GetHardWareId": {"Result": 0}, "RefreshWin2K": {"Effect": 0}}


class ServicePollLimit(unittest.TestCase):
    def test_the_limit_fails_the_run_after_the_restart_dialog(self):
        with Scenario("win2k") as sc:
            prepare(sc, {"ReBoot": "Y"}, NO_ID)
            sc.refuse_restarts()
            result, seconds = run_interactive(sc, answers={RESTART: IDCANCEL}, timeout=480)
            self.assertEqual(FAILED, result.exit_code, result)
            self.assertGreaterEqual(seconds, 320)
            self.assertLess(seconds, 320 + SLACK)
            self.assertEqual(("restart", RESTART_EN), result.shown()[-1])
            self.assertLess(result.timed("destroy", "progress"), result.timed("show", "restart"),
                            "at the limit the progress dialog closes first")
            self.assertEqual([], launches(sc), "no launch list at the limit")


if __name__ == "__main__":
    unittest.main()
