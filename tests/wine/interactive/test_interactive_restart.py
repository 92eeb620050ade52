"""The restart dialog of setup.exe under Wine: OK asks Windows for the
restart (forced, with the shutdown privilege, on NT; a plain one on the
Windows 98 family) and setup ends itself with 0 unless the end of the
session ends it first; Cancel, or a request that Windows refuses, ends
setup itself with 0; an NT 4.0 run whose earlier driver service stayed
warns in English whatever the language, and fails."""

import unittest

from bench import Scenario, sz
from bench.agent import IDCANCEL, IDOK, RESTART
from bench.interactive import (ENDED_WITH_PRIVILEGE, FORCED_RESTART, NOT_INSTALLED, PLAIN_RESTART,
                               PROGRESS_EN, RESTART_EN, SETUP_ENDED, WELCOME_EN, WITH_PRIVILEGE,
                               WITHOUT_PRIVILEGE, run_interactive,
                               run_with_earlier_service_staying)
from bench.languages import TEXTS
from bench.registry import SERVICE_KEY
from bench.scenario import SESSION_END_EXIT
from bench.sequence import FAILED, OLD_SOURCE, forget_run, launches, prepare, source_path
from bench.standins import entries

RESTART_CLOSED = [("press", "restart"), ("hide", "restart"), ("destroy", "restart")]


class RestartDialog(unittest.TestCase):
    def test_each_answer_on_the_start_path_and_the_modem_poll(self):
        # NT 4.0 offers the restart on the start path, the Windows 98 family
        # (with ReBoot) at the end of the modem poll.
        runs = (("nt40", {}, "LAUNCH_FILES_NT", FORCED_RESTART, WITH_PRIVILEGE),
                ("win98", {"ReBoot": "Y"}, "LAUNCH_FILES_9X", PLAIN_RESTART, WITHOUT_PRIVILEGE))
        for version, options, launch_list, request, requester in runs:
            with Scenario(version) as sc:
                prepare(sc, options)
                # (answer, Windows restarts, exit codes)
                cases = (("Cancel", IDCANCEL, True, {0}),
                         # Without wineboot.exe Wine's ExitWindowsEx fails.
                         ("OK, refused", IDOK, False, {0}),
                         # Setup ends itself right after the request; the end
                         # of the session may end it first.
                         ("OK", IDOK, True, {0, SESSION_END_EXIT}))
                for name, answer, restarts, exit_codes in cases:
                    with self.subTest(version=version, answer=name):
                        forget_run(sc)
                        if restarts:
                            sc.record_restarts()
                        else:
                            sc.refuse_restarts()
                        result, _ = run_interactive(sc, answers={RESTART: answer}, timeout=60)
                        self.assertIn(result.exit_code, exit_codes, result)
                        self.assertEqual(("restart", RESTART_EN), result.shown()[-1])
                        self.assertEqual(RESTART_CLOSED, result.events()[-3:])
                        recorded = sc.restart_log(settle=10 if name == "OK" else 2)
                        if name == "OK":
                            # The recorder names setup, or an ended program
                            # when setup was quicker.
                            self.assertEqual(request, recorded[0])
                            self.assertIn(recorded[1], (requester, requester.replace(
                                "setup.exe", "an ended program")))
                            self.assertEqual(result.exit_code == SESSION_END_EXIT,
                                             SETUP_ENDED in recorded[2:], recorded)
                        else:
                            self.assertEqual([], recorded)
                        self.assertEqual([[launch_list]], launches(sc))
                        self.assertEqual(sz(OLD_SOURCE), source_path(sc),
                                         "cleaned up before the question")

    def test_the_service_poll_ends_setup_itself_after_the_request(self):
        # Windows 2000 without a hardware id: the service poll's success asks
        # while the progress dialog is still up, then posts 0 at once.
        with Scenario("win2k") as sc:
            prepare(sc, {"ReBoot": "Y"}, {"GetHardWareId": {"Result": 0}})
            sc.record_restarts()
            result, _ = run_interactive(sc)
            # Exit code 0: setup ended itself. The recorder names setup, or
            # an ended program when setup was quicker than it; on a loaded
            # machine the session's end may come first and end setup, as
            # the recorder then says.
            recorded = sc.restart_log(settle=10)
            self.assertIn(recorded[:2], ([FORCED_RESTART, ENDED_WITH_PRIVILEGE],
                                         [FORCED_RESTART, WITH_PRIVILEGE]))
            self.assertIn(result.exit_code, (0, SESSION_END_EXIT), result)
            self.assertEqual(result.exit_code == SESSION_END_EXIT, SETUP_ENDED in recorded[2:],
                             recorded)
            self.assertLess(result.timed("show", "restart"), result.timed("destroy", "progress"))
            self.assertEqual([["LAUNCH_FILES_Win2K"]], launches(sc))


class FinishedAtOnce(unittest.TestCase):
    def test_one_restart_dialog_held_open_past_a_poll_tick(self):
        # With CopyFilesOnly the run is complete when RunSetup returns and
        # ReBoot offers the restart on every class. Windows 95 and Windows
        # 2000 without an id start a poll all the same (the modem poll, the
        # service poll); both would find their result at the first tick. The
        # restart dialog stays open past it, and no second ending may come
        # from the poll. The 98 family and NT 4.0 start none.
        runs = (("win95", {}, 3), ("win2k", {"GetHardWareId": {"Result": 0}}, 10),
                ("win98", {}, 0), ("nt40", {}, 0))
        for version, standins, interval in runs:
            with self.subTest(version), Scenario(version) as sc:
                prepare(sc, {"ReBoot": "Y", "CopyFilesOnly": "Y"}, standins)
                held = (interval + 3) * 1000
                result, seconds = run_interactive(sc, answers={RESTART: (IDCANCEL, held)})
                self.assertEqual(0, result.exit_code, result)
                self.assertGreaterEqual(seconds, interval + 3)
                self.assertEqual([("welcome", WELCOME_EN), ("progress", PROGRESS_EN),
                                  ("restart", RESTART_EN)], result.shown())
                self.assertEqual(RESTART_CLOSED, result.events()[-3:])
                self.assertEqual(sz(OLD_SOURCE), source_path(sc))


class OldServiceStays(unittest.TestCase):
    def test_the_warning_is_english_and_cancel_fails_the_run(self):
        with Scenario("nt40") as sc:
            sc.record_restarts()
            # German also shows that the locale reached the other texts.
            for language, welcome in (TEXTS[0x0409][:2], TEXTS[0x0007][:2]):
                with self.subTest(language):
                    result = run_with_earlier_service_staying(sc, language)
                    self.assertEqual(FAILED, result.exit_code, "nothing was installed")
                    shown = result.shown()
                    self.assertEqual([("welcome", welcome), ("restart", NOT_INSTALLED)],
                                     [shown[0], shown[-1]])
                    self.assertEqual(["RemovePort", "RemoveModem", "RemoveNTService"], entries(sc))
                    self.assertIsNotNone(sc.registry(SERVICE_KEY), "the earlier service stays")
                    self.assertEqual([], launches(sc))
                    self.assertEqual([], sc.restart_log(settle=2))


if __name__ == "__main__":
    unittest.main()
