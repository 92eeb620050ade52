"""The progress dialog of setup.exe under Wine on the Windows 98 family,
where the modem poll ends the run: the bar moves with the sequence, is
filled when the modem's record appears, and the dialog goes before the
restart dialog; Escape or Enter hides it while the poll waits, and the run
still ends as it would have."""

import collections
import unittest
from concurrent.futures import ThreadPoolExecutor

from bench import Scenario, sz
from bench.agent import IDCANCEL, PROGRESS, RESTART, VK_ESCAPE, VK_RETURN
from bench.fixtures import ini_file
from bench.interactive import PROGRESS_EN, RESTART_EN, held_positions, run_interactive
from bench.registry import INTEL, PCI, set_serial_map
from bench.sequence import OLD_SOURCE, forget_run, launches, prepare, seed_earlier_install, source_path

POLL_INTERVAL_MS = 3000

# Steps of the sample medium's files: each file copied or deleted is one.
VXD_SET = 15  # 6 named copies, 3 catalogs and 2 cabinets matched, 4 named copies
NT4_SET = 8  # INF, qvsm.sys, 3 catalogs, 2 cabinets, qvremove.exe
EARLIER_9X = 3  # the earlier INF, .bin file and monitor that the removal deletes
EARLIER_NT4 = 2  # the earlier qvsm.sys and INF
UNINSTALLER_2000 = 2  # qvremove.exe into the Windows directory and the cabinet store
NO_ID = {"GetHardWareId": {"Result": 0}}
# A stand-in entry that waits, so that the bar waits where it is.
WAIT = {"Delay": 2500}

# Where the bar of a run waits (stays at least 1.2 s), in order: at the
# completion poll's pause, while a slow launched program runs just before
# the fill, or while the device update waits. The final fill would hide any
# miscount before it.
Phase = collections.namedtuple("Phase", "name version standins pci earlier waits")
PHASES = (
    Phase("Windows 95: +3, +3, then the poll", "win95", None, False, True,
          [3 + EARLIER_9X + 3 + VXD_SET]),
    Phase("Windows 98: +1, +1, +1, then the poll", "win98", None, False, True,
          [1 + 1 + EARLIER_9X + 1 + 1 + VXD_SET]),
    Phase("NT 4.0: the +1 steps, the last before the launch list", "nt40", None, False, True,
          [1 + 4 + EARLIER_NT4 + 1 + NT4_SET + 1 + 1 + 1]),
    Phase("Windows 2000 id from the library: 1, 2, 2, 4, then 4 and the fill", "win2k",
          {"UpdateNT5Device": WAIT}, True, False, [1 + 2 + 2 + UNINSTALLER_2000 + 4]),
    Phase("Windows 2000 id from the PCI tree: 1, 2, 2, 2, then 2 and the fill", "win2k",
          dict(NO_ID, UpdateNT5Device=WAIT), True, False, [1 + 2 + 2 + UNINSTALLER_2000 + 2]),
    Phase("Windows 2000 refresh: 1, 2, 2, the INF, then the service poll", "win2k", NO_ID, False,
          False, [1 + 2 + 2 + UNINSTALLER_2000 + 1]),
)


def run_phase(phase):
    with Scenario(phase.version) as sc:
        prepare(sc, {}, phase.standins)
        if phase.pci:
            sc.seed_registry(PCI + "\\" + INTEL)
        if phase.earlier:
            seed_earlier_install(sc)
        if phase.version == "nt40":
            set_serial_map(sc, ["COM1", "COM2"])
            # rec.exe "slow" holds the bar between its last step and the fill.
            sc.put_file(r"C:\medium\qvsetup.ini",
                        ini_file({"INSTALL_OPTIONS": {}, "LAUNCH_FILES_NT": [("Rec", "rec.exe slow")]}))
        return run_interactive(sc, answers={RESTART: IDCANCEL})[0]


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
            self.assertEqual(1 + 1 + 1 + 1 + VXD_SET, moves[pause].values[0], "the sequence's steps")
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


class PhasePositions(unittest.TestCase):
    def test_where_the_bar_of_each_class_waits(self):
        with ThreadPoolExecutor(3) as pool:
            results = list(pool.map(run_phase, PHASES))
        for phase, result in zip(PHASES, results):
            with self.subTest(phase.name):
                self.assertEqual(0, result.exit_code, result)
                self.assertEqual(list(range(41)), result.positions())
                waits = held_positions(result, 1200)
                self.assertEqual(phase.waits, [p for p in waits if p in phase.waits],
                                 f"waits at {waits}")


if __name__ == "__main__":
    unittest.main()
