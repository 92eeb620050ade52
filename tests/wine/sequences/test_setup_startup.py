"""setup.exe start-up under Wine: switches, paths, options, SourcePath and
the ending of every platform class."""

import os
import shutil
import unittest

from bench import VERSIONS, Scenario
from bench.fixtures import ini_file, medium_file
from bench.registry import SETUP_KEY, SOURCE_PATH_RECORD, source_path_record, sz, value
from bench.sequence import (FAILED, OLD_SOURCE, checkpoints, launch_records, launches, prepare,
                            run_setup, source_path)
from bench.standins import calls, configure

# An unknown platform: Wine's Vista mode reports NT 6.0.
UNKNOWN_PLATFORM = "vista"


def options(**values):
    return ini_file({"INSTALL_OPTIONS": values})


class PlatformClass(unittest.TestCase):
    def test_each_wine_version_gets_its_class(self):
        expected = {"win95": 3, "win98": 6, "winme": 7, "nt40": 1, "win2k": 2, "winxp": 2,
                    UNKNOWN_PLATFORM: 0}
        for version, osclass in expected.items():
            with self.subTest(version=version), Scenario(version, medium=False) as sc:
                self.assertEqual(osclass, sc.run(r"C:\bench\platform_probe.exe").exit_code)


class PlatformEndings(unittest.TestCase):
    """Every Windows version ends a silent run with an exit code and puts
    SourcePath back; nothing waits forever."""

    def test_each_version_ends_and_restores_source_path(self):
        for version in VERSIONS + (UNKNOWN_PLATFORM,):
            with self.subTest(version=version), Scenario(version) as sc:
                sc.seed_registry(SETUP_KEY, {"SourcePath": sz(OLD_SOURCE)})
                sc.put_file(r"C:\medium\qvsetup.ini", options(Debug="Y"))
                result = sc.run(r"C:\medium\setup.exe", "S", timeout=60)
                if version == UNKNOWN_PLATFORM:
                    # No sequence runs and nothing would end the run: it
                    # ends as a failure.
                    self.assertEqual(FAILED, result.exit_code, result)
                    self.assertEqual([], result.boxes, "no diagnostic box without a checkpoint")
                else:
                    # The stand-ins on the medium let every sequence succeed.
                    self.assertEqual(0, result.exit_code, result)
                self.assertEqual(sz(OLD_SOURCE), source_path(sc))
                self.assertTrue(sc.exists(r"C:\windows\Options\CABS"), "the cabinet store is created")

    def test_unknown_platform_with_copy_files_only_finishes_at_once(self):
        for value, expected in (("Y", 0), ("yes", 0), ("1", FAILED), ("N", FAILED)):
            with self.subTest(CopyFilesOnly=value), Scenario(UNKNOWN_PLATFORM) as sc:
                sc.put_file(r"C:\medium\qvsetup.ini", options(CopyFilesOnly=value))
                self.assertEqual(expected, sc.run(r"C:\medium\setup.exe", "S").exit_code)


    def test_each_version_with_copy_files_only_finishes_when_its_sequence_returns(self):
        # Windows 95 leaves its modem poll to the end of the run: no tick,
        # no launch list. Neither Windows 95 nor 2000 has a copy list.
        launched = {"win95": [], "nt40": [["LAUNCH_FILES_NT"]], "win2k": [["LAUNCH_FILES_Win2K"]]}
        copied = {"win95": False, "win2k": False}
        for version in VERSIONS:
            with self.subTest(version=version), Scenario(version) as sc:
                prepare(sc, {"CopyFilesOnly": "Y"}, copy_9x=["QVSMzad.ini $windows"],
                        copy_nt=["QVSMzad.ini $windows"])
                result, _ = run_setup(sc)
                self.assertEqual(0, result.exit_code, result)
                self.assertEqual(launched.get(version, [["LAUNCH_FILES_9X"]]), launches(sc))
                self.assertEqual(copied.get(version, True), sc.exists(r"C:\windows\QVSMzad.ini"))
                self.assertEqual(sz(OLD_SOURCE), source_path(sc))


class CommandLine(unittest.TestCase):
    def test_only_exact_switch_tokens_select_the_silent_path(self):
        # The welcome dialog tells which path was taken; Cancel ends the
        # interactive run at once with 0.
        cases = (("S", False), ("-s", False), ("x -S y", False), ("s-d", False), ("/S", True),
                 ("SD", True), ("", True))
        with Scenario(UNKNOWN_PLATFORM) as sc:
            sc.put_file(r"C:\medium\qvsetup.ini", options(CopyFilesOnly="Y"))
            for args, interactive in cases:
                with self.subTest(args=args):
                    r = sc.run(r"C:\medium\setup.exe", args, answers={"#1000": 2})
                    self.assertEqual(0, r.exit_code)
                    welcomed = any(d.kind == "welcome" and d.event == "show" for d in r.dialogs)
                    self.assertEqual(interactive, welcomed, r.dialogs)


class SourcePathValue(unittest.TestCase):
    def test_a_value_that_was_absent_is_removed_again(self):
        with Scenario("win2k") as sc:
            sc.seed_records([("X", SETUP_KEY, "SourcePath")])
            sc.put_file(r"C:\medium\qvsetup.ini", options(LogFile=r"C:\setup.log"))
            self.assertIsNone(source_path(sc))
            self.assertEqual(0, sc.run(r"C:\medium\setup.exe", "S").exit_code)
            self.assertIsNone(source_path(sc), "no empty SourcePath is left behind")
            log = sc.read_file(r"C:\setup.log").decode("latin-1")
            self.assertIn(r"registry delete value HKLM\Software\Microsoft\Windows\CurrentVersion"
                          r"\Setup [SourcePath]: ok", log, "the run had written it")

    def test_the_earlier_type_is_kept(self):
        with Scenario("win98") as sc:
            earlier = ("REG_EXPAND_SZ", b"%SystemRoot%\\OPTIONS\0")
            sc.seed_registry(SETUP_KEY, {"SourcePath": earlier})
            sc.run(r"C:\medium\setup.exe", "S")
            self.assertEqual(earlier, source_path(sc))

    def test_a_value_too_long_to_save_is_left_alone(self):
        with Scenario(UNKNOWN_PLATFORM) as sc:
            long_value = sz("C:\\" + "L" * 300)
            sc.seed_registry(SETUP_KEY, {"SourcePath": long_value})
            sc.put_file(r"C:\medium\qvsetup.ini", options(CopyFilesOnly="Y"))
            self.assertEqual(0, sc.run(r"C:\medium\setup.exe", "S").exit_code)
            self.assertEqual(long_value, source_path(sc))

    def test_a_saved_path_on_a_drive_without_a_disk_shows_no_box(self):
        # A machine installed from floppies: SourcePath names A:\ and the
        # drive is empty. The saved path's directory is probed and created;
        # no system box may stop the unattended run there. Wine shows no such
        # box itself, so the setup library's stand-in reports the error mode
        # that the run holds when it calls it.
        with Scenario("win98") as sc:
            sc.map_drive("a", sc.prefix + "/floppy")
            os.rmdir(sc.prefix + "/floppy")
            saved = sz(r"A:\WIN98")
            sc.seed_registry(SETUP_KEY, {"SourcePath": saved})
            sc.put_file(r"C:\medium\qvsetup.ini", options(LogFile=r"C:\setup.log"))
            configure(sc, {"CallLog": {"ErrorMode": "1"}})
            result = sc.run(r"C:\medium\setup.exe", "S", timeout=60)
            in_setup = [line for line in calls(sc) if line.startswith("RemoveModem(")]
            # SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX
            self.assertEqual(["RemoveModem() = 1 Removed=0 ErrorMode=32771"], in_setup)
            self.assertEqual(0, result.exit_code, result)
            self.assertEqual([], result.boxes)
            self.assertEqual(saved, source_path(sc))
            log = sc.read_file(r"C:\setup.log").decode("latin-1")
            self.assertIn(r'SavedSourcePath="A:\WIN98"', log)
            self.assertRegex(log, r"end: exit code 0: installed; [^\r\n]*\r\n$")

    def test_the_record_is_in_place_before_source_path_changes(self):
        with Scenario("win98") as sc:
            sc.seed_registry(SETUP_KEY, {"SourcePath": sz(OLD_SOURCE)})
            sc.put_file(r"C:\medium\qvsetup.ini", options(Debug="Y"))
            # Cut off at the first checkpoint: the path is written, nothing put back.
            result = sc.run(r"C:\medium\setup.exe", "S", cut=("OS Found 98", 1))
            self.assertTrue(result.cut, result)
            setup_key = sc.registry(SETUP_KEY)
            self.assertEqual(sz(r"C:\medium"), value(setup_key, "SourcePath"))
            self.assertEqual(source_path_record(sz(OLD_SOURCE), r"C:\medium"),
                             value(setup_key, SOURCE_PATH_RECORD))
            sc.end_session()
            result = sc.run(r"C:\medium\setup.exe", "S", timeout=60)
            self.assertEqual(0, result.exit_code, result)
            self.assertEqual(["OS Found 98", "DLL2 ok"], checkpoints(result)[:2])
            setup_key = sc.registry(SETUP_KEY)
            self.assertEqual(sz(OLD_SOURCE), value(setup_key, "SourcePath"))
            self.assertIsNone(value(setup_key, SOURCE_PATH_RECORD), "a normal end removes it")

    def test_a_record_left_by_an_interrupted_run(self):
        # (name, SourcePath found, the record found, SourcePath at the end,
        # what the log says was recovered)
        medium, repaired = r"C:\medium", sz(r"D:\WIN98")
        expandable = ("REG_EXPAND_SZ", b"%SystemRoot%\\OPTIONS\0")
        too_long = sz("C:\\" + "L" * 300)
        resumed = (f'SourcePath still holds "{medium}", written by an interrupted run; '
                   "the value before that run is put back at the end: ")
        changed = (f'SourcePath was changed after an interrupted run wrote "{medium}"; '
                   "that run's record is dropped and the value now")
        cases = (
            ("the interrupted run's path", sz(medium), source_path_record(sz(OLD_SOURCE), medium),
             sz(OLD_SOURCE), resumed + f'"{OLD_SOURCE}"'),
            ("no value before it", sz(medium), source_path_record(None, medium), None,
             resumed + "no value"),
            ("an expandable value before it", sz(medium), source_path_record(expandable, medium),
             expandable, resumed + r'"%SystemRoot%\OPTIONS"'),
            ("repaired by hand", repaired, source_path_record(sz(OLD_SOURCE), medium), repaired,
             changed + r' is put back at the end: "D:\WIN98"'),
            ("removed by hand", None, source_path_record(sz(OLD_SOURCE), medium), None,
             changed + " is put back at the end: no value"),
            ("repaired too long to save", too_long, source_path_record(sz(OLD_SOURCE), medium),
             too_long, changed + ", which can not be saved, is left alone"),
            ("a damaged record", sz(OLD_SOURCE), ("REG_BINARY", b"\1\0\0\0C:"), sz(OLD_SOURCE),
             "the record of an interrupted run can not be read and is dropped; the value now is "
             f'put back at the end: "{OLD_SOURCE}"'),
        )
        for name, found, record, expected, recovered in cases:
            with self.subTest(name), Scenario(UNKNOWN_PLATFORM) as sc:
                sc.seed_registry(SETUP_KEY, {SOURCE_PATH_RECORD: record})
                sc.seed_records([("V", SETUP_KEY, "SourcePath") + found] if found else
                                [("X", SETUP_KEY, "SourcePath")])
                sc.put_file(r"C:\medium\qvsetup.ini",
                            options(CopyFilesOnly="Y", LogFile=r"C:\setup.log"))
                self.assertEqual(0, sc.run(r"C:\medium\setup.exe", "S").exit_code)
                setup_key = sc.registry(SETUP_KEY)
                self.assertEqual(expected, value(setup_key, "SourcePath"))
                self.assertIsNone(value(setup_key, SOURCE_PATH_RECORD))
                log = sc.read_file(r"C:\setup.log").decode("latin-1")
                self.assertEqual(["recovered: " + recovered],
                                 [line[24:] for line in log.split("\r\n") if "recovered:" in line])

    def test_a_missing_setup_key_is_not_created(self):
        with Scenario("win2k") as sc:
            sc.delete_key(SETUP_KEY)
            self.assertEqual(0, sc.run(r"C:\medium\setup.exe", "S").exit_code,
                             "the run goes on without SourcePath")
            self.assertIsNone(sc.registry(SETUP_KEY))


class SourceDirectory(unittest.TestCase):
    def test_medium_at_a_drive_root_reads_its_options_without_a_doubled_backslash(self):
        with Scenario(UNKNOWN_PLATFORM) as sc:
            root = sc.prefix + "/medium-root"
            sc.map_drive("m", root)
            with open(root + "/setup.exe", "wb") as f:
                f.write(medium_file("setup.exe"))
            sc.put_file(r"M:\qvsetup.ini", options(CopyFilesOnly="Y"))
            result = sc.run(r"M:\setup.exe", "S", cwd="C:\\")
            self.assertEqual(0, result.exit_code, "the options file at the root was read")

    def test_a_renamed_setup_exe_takes_its_own_directory_as_the_medium(self):
        # Deployment shares rename the program: its medium is still the
        # directory of its own file, whatever the current directory holds.
        with Scenario(UNKNOWN_PLATFORM, medium=False) as sc:
            sc.seed_registry(SETUP_KEY, {"SourcePath": sz(OLD_SOURCE)})
            sc.put_file(r"C:\other\qvsetup.ini", options(CopyFilesOnly="Y", LogFile="setup.log"))
            sc.put_file(r"C:\other\install.exe", medium_file("setup.exe"))
            sc.put_file(r"C:\setup.exe", medium_file("setup.exe"))
            result = sc.run(r"C:\other\install.exe", "S", cwd="C:\\")
            self.assertEqual(0, result.exit_code, "CopyFilesOnly of C:\\other's options ends with 0")
            log = sc.read_file(r"C:\other\setup.log").decode("latin-1")
            self.assertIn('SourceDir="C:\\other"', log)
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))

    def test_a_medium_path_too_long_for_its_files_is_refused(self):
        # SourceDir + "\qvremove.exe", the longest name taken from the
        # medium, must fit a copy path of 255 characters.
        for length, expected in ((242, 0), (243, FAILED)):
            with self.subTest(length=length), Scenario(UNKNOWN_PLATFORM, medium=False) as sc:
                sc.seed_registry(SETUP_KEY, {"SourcePath": sz(OLD_SOURCE)})
                directory = "C:\\" + "\\".join(["d" * 60] * 3)
                directory += "\\" + "e" * (length - len(directory) - 1)
                self.assertEqual(length, len(directory))
                sc.put_file(directory + "\\qvsetup.ini", options(CopyFilesOnly="Y"))
                sc.put_file(directory + "\\setup.exe", medium_file("setup.exe"))
                result = sc.run(directory + "\\setup.exe", "S", cwd="C:\\")
                self.assertEqual(expected, result.exit_code, result)
                self.assertEqual(sz(OLD_SOURCE), source_path(sc))
                self.assertEqual(expected == 0, sc.exists(r"C:\windows\Options\CABS"))

    def test_windows_98_from_a_long_named_medium_without_an_inf_directory(self):
        # The current directory keeps the long form, SourcePath gets the
        # short one; without an INF directory the Windows directory serves.
        with Scenario("win98") as sc:
            prepare(sc)
            long_dir = r"C:\Modem Driver Medium"
            os.rename(sc.unix_path(r"C:\medium"), sc.unix_path(long_dir))
            shutil.rmtree(sc.unix_path(r"C:\windows\inf"))
            result = sc.run(long_dir + r"\setup.exe", "S", cwd=long_dir, timeout=120)
            self.assertEqual(0, result.exit_code, result)
            self.assertEqual([long_dir.lower()], [cwd for _, cwd, _ in launch_records(sc)])
            seen = {line.split("SourcePath=", 1)[1] for line in calls(sc) if "SourcePath=" in line}
            self.assertEqual(1, len(seen), seen)
            self.assertRegex(seen.pop(), r'^"C:\\[A-Z0-9]{1,6}~[A-Z0-9]{1,6}"$', "the short form")
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))
            self.assertTrue(sc.exists(r"C:\windows\qvsmvxd.inf"), "the INF file in the Windows directory")
            self.assertFalse(sc.exists(r"C:\windows\inf"))


if __name__ == "__main__":
    unittest.main()
