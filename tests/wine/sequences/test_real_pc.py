"""Setup under Wine on what a real PC has besides setup: a medium that lacks a
file, a driver file that another program holds open, a launched program
that sends a setting change to every window, a second setup, a session that
ends or that another program keeps, a batch program of the Windows
directory, a log named after the machine and a setup library that crashes.
Other programs of the machine are played by the other_program fixture."""

import os
import unittest

from bench import Scenario
from bench.agent import IDOK, RESTART
from bench.background import OTHER, in_background, start_other_program
from bench.fixtures import fixture, ini_file
from bench.interactive import run_interactive
from bench.interrupted import LOG, differences, machine_state
from bench.registry import SETUP_KEY, SOURCE_PATH_RECORD, sz, value
from bench.sequence import (FAILED, OLD_SOURCE, VXD_FILES, launches, prepare, run_setup,
                            seed_earlier_install, source_path)
from bench.standins import entries, replace_library, wait_for

NOT_FOUND = "error 2: The system cannot find the file specified."
ACCESS_VIOLATION = 0xC0000005
ILLEGAL_INSTRUCTION = 0xC000001D
# The debugger that Windows starts for a crash that no one handles. A
# program that does not exist: Wine then ends the process with the
# exception's code at once, as Windows does for a process that set
# SEM_NOGPFAULTERRORBOX, instead of starting its own debugger, whose dialog
# raced the agent on a loaded machine (exit code 0 seen).
AE_DEBUG = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug"
NO_DEBUGGER = {"Debugger": sz(r"C:\bench\no_debugger.exe %ld %ld"), "Auto": sz("1")}


def log_events(sc, path=LOG):
    """The events of the installation log, without their time stamps."""
    return [line[24:] for line in sc.read_file(path).decode("latin-1").splitlines()]


def start_polling_setup(sc):
    """Starts a silent setup and waits until it polls for the modem's class
    record (which the stand-in writes RefreshWin2K's Delay later); its
    future."""
    future = in_background(sc, r"C:\medium\setup.exe", "S", cwd="C:\\medium", timeout=120)
    if not wait_for(lambda: "RefreshWin2K" in entries(sc) or future.done(), 30) or future.done():
        raise AssertionError(f"setup did not reach its modem poll: {future.result()}")
    return future


class IncompleteMedium(unittest.TestCase):
    def test_a_driver_file_missing_from_the_medium_changes_nothing(self):
        for version, missing in (("nt40", "qvsm.sys"), ("win98", "qvsm.vxd")):
            with self.subTest(version), Scenario(version) as sc:
                prepare(sc, {"LogFile": LOG})
                seed_earlier_install(sc)
                os.remove(sc.unix_path("C:\\medium\\" + missing))
                before = machine_state(sc)
                result, _ = run_setup(sc)
                self.assertEqual(FAILED, result.exit_code, result)
                self.assertEqual([], differences(before, machine_state(sc)),
                                 "the earlier installation, SourcePath and its record as they were")
                self.assertEqual([], entries(sc), "no setup library was called")
                events = log_events(sc)
                line = (f'medium incomplete: "C:\\medium\\{missing}" is missing or can not be read; '
                        "nothing is changed")
                self.assertEqual(["!!! " + line], [e for e in events if e.startswith("!!! ")])
                self.assertEqual("end: exit code -1: " + line, events[-1])


class FailedCopies(unittest.TestCase):
    def test_a_copy_list_entry_that_the_medium_lacks_fails_the_installed_run(self):
        with Scenario("win98") as sc:
            prepare(sc, {"LogFile": LOG}, copy_9x=["absent.ini $windows"])
            result, _ = run_setup(sc)
            self.assertEqual(FAILED, result.exit_code, result)
            self.assertIn("RefreshWin2K", entries(sc))
            self.assertTrue(all(sc.exists(path) for path in VXD_FILES), "the driver is installed")
            self.assertEqual([["LAUNCH_FILES_9X"]], launches(sc))
            events = log_events(sc)
            self.assertEqual([r"!!! copy C:\medium\absent.ini -> C:\windows\absent.ini: not found "
                              f"({NOT_FOUND})"], [e for e in events if e.startswith("!!! ")])
            self.assertEqual(r"end: exit code -1: the copy of C:\medium\absent.ini to "
                             rf"C:\windows\absent.ini failed: not found ({NOT_FOUND})", events[-1])

    def test_copy_list_entries_as_read_and_a_copy_into_a_missing_directory(self):
        # A copy into a directory that this Windows lacks is passed over by
        # design; a tab makes the file name one that the medium lacks.
        passed = (r"copy C:\medium\qvsm.vxd -> C:\nodir\qvsm.vxd: passed over: the directory does "
                  r"not exist on this Windows (path not found, error 3: The system cannot find the "
                  r"path specified.)")
        rows = (("missing directory", "qvsm.vxd nodir", 0, r"qvsm.vxd nodir", passed),
                ("a tab in the entry", "qvsm.vxd\tnodir", FAILED, r"qvsm.vxd\x09nodir",
                 r"!!! copy C:\medium\qvsm.vxd nodir -> "))
        for name, entry, exit_code, shown, copied in rows:
            with self.subTest(name), Scenario("win98") as sc:
                prepare(sc, {"LogFile": LOG, "CopyFilesOnly": "1"}, copy_9x=[entry])
                result, _ = run_setup(sc)
                self.assertEqual(exit_code, result.exit_code, result)
                events = log_events(sc)
                self.assertIn(r'CopyFilesOnly=no (value "1")', events[1])
                self.assertIn(f"list [COPY_FILES_9X] F0={shown}: taken", events)
                self.assertTrue(any(e.startswith(copied) for e in events), "the copy's own line")
                self.assertEqual(1 if exit_code else 0, len([e for e in events if e.startswith("!!! ")]))
                self.assertRegex(events[-1], r"^end: exit code -1: the copy of " if exit_code
                                 else r"^end: exit code 0: installed; the modem's class record")

    def test_a_driver_file_held_open_fails_the_run_before_it_changes_anything(self):
        driver = VXD_FILES[0]
        with Scenario("win98") as sc:
            prepare(sc, {"LogFile": LOG})
            seed_earlier_install(sc)
            sc.put_file(driver, b"earlier driver")
            before = machine_state(sc)
            holder = start_other_program(sc, "hold", driver)
            result, _ = run_setup(sc)
            self.assertEqual(0, sc.run(OTHER, "release").exit_code)
            self.assertEqual(0, holder.result().exit_code, "held until released")
            self.assertEqual(FAILED, result.exit_code, result)
            self.assertEqual([], differences(before, machine_state(sc)),
                             "the earlier installation, SourcePath and its record as they were")
            self.assertEqual([], entries(sc), "no setup library was called")
            self.assertEqual([], launches(sc))
            self.assertIn(f'!!! preflight: "{driver}" is held open by another program: in use '
                          "(error 32: The process cannot access the file because it is being used by "
                          "another process.); nothing is changed", log_events(sc))


class OtherPrograms(unittest.TestCase):
    def test_a_launched_program_that_broadcasts_a_setting_change(self):
        # It waits for every top-level window to answer, setup's hidden
        # main window too, while setup waits for it to end.
        with Scenario("win98") as sc:
            prepare(sc)
            sc.put_file(r"C:\medium\qvsetup.ini", ini_file({"LAUNCH_FILES_9X": [
                ("Other", "other.exe broadcast"), ("Rec", "rec.exe after")]}))
            sc.put_file(r"C:\medium\other.exe", fixture("other_program.exe"))
            result, seconds = run_setup(sc, timeout=60)
            self.assertEqual(0, result.exit_code, result)
            self.assertLess(seconds, 30)
            self.assertEqual([["after"]], launches(sc))

    def test_a_second_setup_during_a_run_ends_at_once(self):
        with Scenario("win98") as sc:
            prepare(sc, {"LogFile": LOG}, {"RefreshWin2K": {"Delay": 15000}})
            first = start_polling_setup(sc)
            second, seconds = run_setup(sc, timeout=60)
            self.assertFalse(first.done(), "the first run still polls")
            self.assertEqual(FAILED, second.exit_code, second)
            self.assertLess(seconds, 10)
            self.assertEqual([], second.boxes)
            self.assertEqual(sz("C:\\medium"), source_path(sc), "as the first run set it")
            self.assertEqual(0, first.result().exit_code, first.result())
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))
            events = log_events(sc)
            self.assertEqual(["start", "end"], [e.split(":")[0] for e in events
                                                if e.startswith(("start:", "end:"))])


class SessionEnd(unittest.TestCase):
    def test_the_session_ends_during_the_modem_poll(self):
        # The restart recorder, run by hand, ends the session as Windows
        # does: every window is asked, then told, then its program ended.
        with Scenario("win98") as sc:
            prepare(sc, {"LogFile": LOG}, {"RefreshWin2K": {"Delay": 60000}})
            setup = start_polling_setup(sc)
            self.assertEqual(0, sc.run(r"C:\bench\restart_recorder.exe", "--end-session").exit_code)
            result = setup.result()
            self.assertEqual(FAILED, result.exit_code, "setup ended itself, not the session")
            setup_key = sc.registry(SETUP_KEY)
            self.assertEqual(sz(OLD_SOURCE), value(setup_key, "SourcePath"))
            self.assertIsNone(value(setup_key, SOURCE_PATH_RECORD))
            self.assertEqual(["!!! Windows ended the session during the run",
                              "end: exit code -1: Windows ended the session during the run"],
                             log_events(sc)[-2:])

    def test_a_restart_that_another_program_refuses(self):
        with Scenario("win98") as sc:
            prepare(sc, {"ReBoot": "Y"})
            sc.record_restarts()
            refusing = start_other_program(sc, "refuse")
            result, _ = run_interactive(sc, answers={RESTART: IDOK}, timeout=60)
            self.assertEqual(0, result.exit_code, "setup ended by itself after OK")
            self.assertIn("refused other_program.exe", sc.restart_log())
            self.assertEqual(0, refusing.result().exit_code, "told that the session goes on")
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))


class LaunchedBatch(unittest.TestCase):
    def test_the_batch_program_that_setup_found_runs(self):
        # A tool.bat of the medium beside one of the Windows directory: the
        # entry names the Windows directory's; the medium lies in a path
        # with a space, from which the second entry runs the medium's.
        record = r"C:\bench\tool.txt"
        launch_list = [("Windows", "tool.bat from-windows,$windows"),
                       ("Medium", "tool.bat from-medium")]
        for version in ("nt40", "win2k"):
            with self.subTest(version), Scenario(version) as sc:
                prepare(sc)
                medium = r"C:\driver medium"
                os.rename(sc.unix_path(r"C:\medium"), sc.unix_path(medium))
                sc.put_file(medium + r"\qvsetup.ini", ini_file(
                    {"LAUNCH_FILES_NT": launch_list, "LAUNCH_FILES_Win2K": launch_list}))
                sc.put_file(medium + r"\tool.bat", f"@echo medium %1>>{record}\r\n".encode())
                sc.put_file(r"C:\windows\tool.bat", f"@echo windows %1>>{record}\r\n".encode())
                result = sc.run(medium + r"\setup.exe", "S", cwd=medium, timeout=120)
                self.assertEqual(0, result.exit_code, result)
                self.assertEqual(["windows from-windows", "medium from-medium"],
                                 sc.read_file(record).decode("latin-1").splitlines())


class MachineLog(unittest.TestCase):
    def test_the_log_is_named_after_the_computer(self):
        name_key = r"HKLM\System\CurrentControlSet\Control\ComputerName\ActiveComputerName"
        for version in ("win98", "nt40"):
            with self.subTest(version), Scenario(version) as sc:
                prepare(sc, {"LogFile": r"C:\logs\%COMPUTERNAME%.log"})
                os.makedirs(sc.unix_path(r"C:\logs"))
                computer = value(sc.registry(name_key), "ComputerName")[1].rstrip(b"\0").decode()
                result, _ = run_setup(sc)
                self.assertEqual(0, result.exit_code, result)
                self.assertEqual([f"{computer}.log"], sc.files(r"C:\logs"))
                events = log_events(sc, f"C:\\logs\\{computer}.log")
                self.assertTrue(events[0].startswith(f'start: computer "{computer}", class '),
                                events[0])


class CrashingLibrary(unittest.TestCase):
    def test_a_crash_in_a_setup_library_ends_the_silent_run(self):
        # Setup sets SEM_NOGPFAULTERRORBOX, so Windows ends it without a box
        # and with the exception's code.
        with Scenario("win98") as sc:
            prepare(sc, {"LogFile": LOG})
            sc.seed_registry(AE_DEBUG, NO_DEBUGGER)
            replace_library(sc, "QVSETUP2.DLL", fixture_file="qvsetup2_crashing.DLL")
            result, seconds = run_setup(sc, timeout=60)
            # Where 32-bit code runs through qemu-i386, the write to the top
            # of the address space arrives as an illegal instruction.
            self.assertIn(result.exit_code, (ACCESS_VIOLATION, ILLEGAL_INSTRUCTION), result)
            self.assertLess(seconds, 30)
            self.assertEqual([], result.boxes, "no box waits for an answer")
            self.assertEqual("message [DLL2 ok] xy", log_events(sc)[-1], "the first entry crashed")


if __name__ == "__main__":
    unittest.main()
