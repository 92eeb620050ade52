"""The completion timers' limits in interactive runs. The service poll's
(Windows 2000): the driver service never runs, so after 320 s the progress
dialog closes, the restart dialog is offered (ReBoot) and setup ends with
-1: nothing was installed. The modem poll's (Windows 98 family): the
modem's record never appears, so after 180 s the launch list runs and the
run ends as completed, the bar not filled, with the restart dialog when
ReBoot is set. The runs go side by side."""

import unittest
from concurrent.futures import ThreadPoolExecutor

from bench import Scenario
from bench.agent import IDCANCEL, RESTART
from bench.interactive import RESTART_EN, run_interactive
from bench.sequence import FAILED, launches, prepare
from bench.timers import SLACK

NO_ID = {"GetHardWareId": {"Result": 0}, "RefreshWin2K": {"Effect": 0}}
NO_MODEM = {"RefreshWin2K": {"Effect": 0}}


def run_to_limit(version, options, standins):
    """(Result, seconds, launches) of an interactive run; Cancel answers
    the restart dialog."""
    with Scenario(version) as sc:
        prepare(sc, options, standins)
        sc.refuse_restarts()
        result, seconds = run_interactive(sc, answers={RESTART: IDCANCEL}, timeout=480)
        return result, seconds, launches(sc)


def setUpModule():
    global SERVICE_LIMIT, MODEM_LIMITS
    pool = ThreadPoolExecutor(3)
    SERVICE_LIMIT = pool.submit(run_to_limit, "win2k", {"ReBoot": "Y"}, NO_ID)
    MODEM_LIMITS = {reboot: pool.submit(run_to_limit, "win98", {"ReBoot": reboot}, NO_MODEM)
                    for reboot in ("Y", "N")}
    pool.shutdown(wait=False)


class ServicePollLimit(unittest.TestCase):
    def test_the_limit_fails_the_run_after_the_restart_dialog(self):
        result, seconds, launched = SERVICE_LIMIT.result()
        self.assertEqual(FAILED, result.exit_code, result)
        self.assertGreaterEqual(seconds, 320)
        self.assertLess(seconds, 320 + SLACK)
        self.assertEqual(("restart", RESTART_EN), result.shown()[-1])
        self.assertLess(result.timed("destroy", "progress"), result.timed("show", "restart"),
                        "at the limit the progress dialog closes first")
        self.assertEqual([], launched, "no launch list at the limit")


class ModemPollLimit(unittest.TestCase):
    def test_the_limit_completes_the_run_with_the_bar_not_filled(self):
        for reboot, future in MODEM_LIMITS.items():
            with self.subTest(ReBoot=reboot):
                result, seconds, launched = future.result()
                self.assertEqual(0, result.exit_code, result)
                self.assertGreaterEqual(seconds, 180)
                self.assertLess(seconds, 180 + SLACK)
                self.assertLess(max(result.positions()), 40, "the bar is not filled")
                self.assertEqual([["LAUNCH_FILES_9X"]], launched)
                self.assertEqual(["show", "hide", "destroy"], result.events_of("progress"))
                if reboot == "Y":
                    self.assertEqual(("restart", RESTART_EN), result.shown()[-1])
                    self.assertLess(result.timed("destroy", "progress"),
                                    result.timed("show", "restart"))
                else:
                    self.assertNotIn("restart", [kind for kind, _ in result.shown()])


if __name__ == "__main__":
    unittest.main()
