"""The progress dialog of setup.exe under Wine on the Windows 98 family,
where the modem poll ends the run: the bar moves with the sequence, is
filled when the modem's record appears, and the dialog goes before the
restart dialog; Escape or Enter hides it while the poll waits, and the run
still ends as it would have."""

import unittest

from bench import Scenario, sz
from bench.agent import IDCANCEL, PROGRESS, RESTART, VK_ESCAPE, VK_RETURN
from bench.interactive import PROGRESS_EN, RESTART_EN, run_interactive
from bench.sequence import OLD_SOURCE, forget_run, launches, prepare, source_path

POLL_INTERVAL_MS = 3000


class ModemPoll(unittest.TestCase):
    def test_the_bar_fills_when_the_modem_appears_then_the_restart_dialog(self):
        with Scenario("win98") as sc:
            prepare(sc, {"ReBoot": "Y"})
            result, _ = run_interactive(sc, answers={RESTART: IDCANCEL})
            self.assertEqual(0, result.exit_code, result)
            self.assertEqual([("progress", PROGRESS_EN), ("restart", RESTART_EN)],
                             result.shown()[1:])
            positions = result.positions()
            self.assertEqual(list(range(41)), positions, "one step at a time to 40")
            # The sequence's steps, then a pause until the poll's first tick.
            moves = [d for d in result.dialogs if d.event == "progress"]
            pauses = [b.ms - a.ms for a, b in zip(moves, moves[1:])]
            pause = pauses.index(max(pauses))
            self.assertGreater(max(pauses), POLL_INTERVAL_MS * 2 // 3)
            self.assertTrue(0 < moves[pause].values[0] < 40, moves[pause])
            self.assertEqual(["show", "hide", "destroy"], result.events_of("progress"))
            self.assertLess(result.timed("destroy", "progress"), result.timed("show", "restart"))
            self.assertEqual([["LAUNCH_FILES_9X"]], launches(sc))
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))

    def test_escape_or_enter_hides_the_dialog_and_the_run_goes_on(self):
        with Scenario("win98") as sc:
            # The modem's record appears at the poll's second tick.
            prepare(sc, {}, {"RefreshWin2K": {"Delay": 4000}})
            for key in (VK_ESCAPE, VK_RETURN):
                forget_run(sc)
                with self.subTest(key=key):
                    self.assert_hidden_by(sc, key)

    def assert_hidden_by(self, sc, key):
        result, _ = run_interactive(sc, keys=[(PROGRESS, key, 0)])
        self.assertEqual(0, result.exit_code, result)
        self.assertEqual(["show", "key", "hide", "destroy"], result.events_of("progress"))
        hidden = result.timed("hide", "progress")
        destroyed = result.timed("destroy", "progress")
        self.assertGreater(destroyed - hidden, POLL_INTERVAL_MS, "hidden while the poll waits")
        self.assertEqual(40, result.positions()[-1], "the hidden bar is still filled")
        self.assertEqual([["LAUNCH_FILES_9X"]], launches(sc))
        self.assertEqual(sz(OLD_SOURCE), source_path(sc))


if __name__ == "__main__":
    unittest.main()
