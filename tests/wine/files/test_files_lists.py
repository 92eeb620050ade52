"""The copy and launch lists of qvsetup.ini under Wine: which entries are
copied where, which are skipped, and how each listed program is started
(the fixture record_launch.exe writes down its path, current directory and
argument vector)."""

import os
import unittest

from bench import Scenario, ScenarioTestCase
from bench.fixtures import fixture, ini_file, run_op
from bench.registry import TAVELIN_KEY, sz, value
from bench.sequence import launch_records

SYSTEM = r"C:\windows\system32"


class CopyListOnWindows98(ScenarioTestCase, version="win98"):
    def test_entries_go_where_their_words_say_and_out_of_bounds_ones_are_skipped(self):
        sc = self.sc
        sc.put_file(r"C:\$Windows\x", b"")
        sc.put_file(r"C:\tavelin\tools\x", b"")
        sc.put_file(r"C:\medium\qvsetup.ini", ini_file({
            "COPY_FILES_NT": [("nt", "QVSMzad.ini $windows")],
            "COPY_FILES_9X": [
                ("system", "qvsm.vxd"),
                ("windows", "qvsmdmi.dll,$windows"),
                ("inf", r"qvsm1.cab $windows\inf"),
                ("otherCase", "qvsm2.cab , $Windows"),
                ("mixed", r"qvsm9pc.cat \tavelin\\ ,tools"),
                ("empty", ""),
                ("missing", "nosuch.dll $windows"),
                ("longName", "n" * 128 + " $windows"),
                ("longDestination", "x " + "d" * 253),  # a value of 255; "C:\\" and 253
                ("k" * 128, "qvsmnt4.inf $windows"),
                ("longValue", "qvsmw2k.inf $windows" + " " * 240 + "tail"),
            ]}))
        # Six entries within bounds, the missing file among them.
        self.assertEqual(6, run_op(sc, "CopyFileList").exit_code)
        for path in (SYSTEM + r"\qvsm.vxd", r"C:\windows\qvsmdmi.dll", r"C:\windows\inf\qvsm1.cab",
                     r"C:\$Windows\qvsm2.cab", r"C:\tavelin\tools\qvsm9pc.cat"):
            self.assertTrue(sc.exists(path), path)
        for path in (r"C:\windows\QVSMzad.ini", r"C:\windows\qvsmnt4.inf", r"C:\windows\qvsmw2k.inf",
                     r"C:\windows\nosuch.dll"):
            self.assertFalse(sc.exists(path), path)

    def test_a_key_name_cut_by_the_full_key_list_is_not_read(self):
        sc = self.sc
        # 261 empty fillers (1566 bytes) and keys "A" .. 29 times "A" (464
        # bytes) each copying one file; the next name, 30 times "A", starts
        # at byte 2030 and is cut by the 2048-byte list into a shorter row of
        # A's, which would name one of those keys and copy its file again.
        entries = [(f"F{i:04d}", "") for i in range(261)]
        entries += [("A" * n, "qvsm.vxd") for n in range(1, 30)]
        entries += [("A" * 30, ""), ("Late", "qvsm9md.cat $windows")]
        sc.put_file(r"C:\medium\qvsetup.ini", ini_file({"COPY_FILES_9X": entries}))
        self.assertEqual(29, run_op(sc, "CopyFileList").exit_code)
        self.assertFalse(sc.exists(r"C:\windows\qvsm9md.cat"), "names beyond the list are not seen")

    def test_no_options_file_copies_nothing(self):
        sc = self.sc
        sc.put_file(r"C:\medium\qvsetup.ini", b"")
        os.remove(sc.unix_path(r"C:\medium\qvsetup.ini"))
        self.assertEqual(0, run_op(sc, "CopyFileList").exit_code)


class LaunchListOnWindows98(unittest.TestCase):
    def test_programs_run_one_after_another_with_their_argument_vectors(self):
        with Scenario("win98") as sc:
            sc.seed_registry(TAVELIN_KEY)
            # Without an extension: .com, .exe, .bat, .cmd in this order,
            # files only; batch files run through the command interpreter.
            for path in (r"C:\medium\rec.exe", r"C:\windows\rec2.exe", r"C:\tools\bin\rec3.exe",
                         r"C:\medium\first.com", r"C:\medium\first.exe", r"C:\medium\dir.exe"):
                sc.put_file(path, fixture("record_launch.exe"))
            sc.put_file(r"C:\medium\dir.com\x", b"")
            sc.put_file(r"C:\medium\batch.bat", b"@rec.exe bat %*\r\n")
            sc.put_file(r"C:\medium\batch.cmd", b"@rec.exe cmd %*\r\n")
            sc.put_file(r"C:\medium\only.cmd", b"@rec.exe cmd %*\r\n")
            sc.put_file(r"C:\medium\qvsetup.ini", ini_file({
                "INSTALL_OPTIONS": {"LogFile": "files.log"},
                "LAUNCH_FILES_NT": [("nt", "rec.exe nt")],
                "LAUNCH_FILES_9X": [
                    ("slow", r'rec.exe slow "x y" C:\q\ '),
                    ("windows", "rec2.exe one,$windows"),
                    ("path", "rec3.exe,tools bin"),
                    ("missing", "missing.exe a"),
                    ("tenWords", "rec.exe 1 2 3 4 5 6 7 8 9"),
                    ("nineWords", r'rec.exe 1 "2 3" 4\"5 6\ 7 8'),
                    ("empty", ""),
                    ("noProgram", " ,$windows"),
                    ("tab", "rec.exe tab\tin"),
                    ("bare", "rec bare"),
                    ("comFirst", "first"),
                    ("directoryPassedOver", "dir"),
                    ("batch", "batch x y"),
                    ("cmd", "only z"),
                    ("operator", "batch a&rec.exe"),
                    ("percent", "batch %windir%"),
                    ("exeOperator", "rec.exe a&b"),
                ]}))
            result = run_op(sc, "RunLaunchList")
            self.assertEqual(0, result.exit_code, "launching takes no progress step")
            medium = r"c:\medium"
            self.assertEqual([
                (medium + r"\rec.exe", medium, ["rec.exe", "slow", '"x', 'y"', "C:\\q\\"]),
                (r"c:\windows\rec2.exe", medium, ["rec2.exe", "one"]),
                (r"c:\tools\bin\rec3.exe", medium, ["rec3.exe"]),
                (medium + r"\rec.exe", medium, ["rec.exe", "1", '"2', '3"', '4\\"5', "6\\", "7", "8"]),
                (medium + r"\rec.exe", medium, ["rec.exe", "tab\tin"]),
                (medium + r"\rec.exe", medium, ["rec", "bare"]),
                (medium + r"\first.com", medium, ["first"]),
                (medium + r"\dir.exe", medium, ["dir"]),
                (medium + r"\rec.exe", medium, ["rec.exe", "bat", "x", "y"]),
                (medium + r"\rec.exe", medium, ["rec.exe", "cmd", "z"]),
                (medium + r"\rec.exe", medium, ["rec.exe", "a&b"]),
            ], launch_records(sc))
            self.assertEqual(sz("N"), value(sc.registry(TAVELIN_KEY), "CleanUpRegistry"))
            refused = [line.split(" ", 2)[2] for line in
                       sc.read_file(r"C:\medium\files.log").decode("latin-1").split("\r\n")
                       if "not run" in line]
            self.assertEqual([
                r'not run C:\medium\batch.bat: the command interpreter would read an operator in "a&rec.exe"',
                r'not run C:\medium\batch.bat: the command interpreter would read an operator in "%windir%"',
            ], refused)

    def test_the_clean_up_option_is_recorded_also_without_a_list(self):
        with Scenario("win95") as sc:
            sc.seed_registry(TAVELIN_KEY, {"CleanUpRegistry": sz("N")})
            sc.put_file(r"C:\medium\qvsetup.ini", ini_file({"INSTALL_OPTIONS": [("CleanUpRegistry", "yes")]}))
            self.assertEqual(0, run_op(sc, "RunLaunchList").exit_code)
            self.assertEqual(sz("Y"), value(sc.registry(TAVELIN_KEY), "CleanUpRegistry"))
            os.remove(sc.unix_path(r"C:\medium\qvsetup.ini"))
            self.assertEqual(0, run_op(sc, "RunLaunchList").exit_code)
            self.assertEqual(sz("N"), value(sc.registry(TAVELIN_KEY), "CleanUpRegistry"))


class NTFamilies(unittest.TestCase):
    LISTS = {
        "COPY_FILES_NT": [("nt", "qvsm1.cab $windows")],
        "COPY_FILES_9X": [("9x", "qvsm2.cab $windows")],
        "LAUNCH_FILES_NT": [("nt", "rec.exe nt")],
        "LAUNCH_FILES_Win2K": [("w2k", "rec.exe w2k")],
        "LAUNCH_FILES_9X": [("9x", "rec.exe 9x")],
    }

    def test_each_class_reads_its_own_sections(self):
        for version, copied, launched in (("nt40", ["qvsm1.cab"], "nt"), ("win2k", [], "w2k")):
            with self.subTest(version=version), Scenario(version) as sc:
                sc.put_file(r"C:\medium\rec.exe", fixture("record_launch.exe"))
                sc.put_file(r"C:\medium\qvsetup.ini", ini_file(self.LISTS))
                self.assertEqual(len(copied), run_op(sc, "CopyFileList").exit_code)
                self.assertEqual(copied, [f for f in sc.files(r"C:\windows") if f.startswith("qvsm")])
                run_op(sc, "RunLaunchList")
                self.assertEqual([["rec.exe", launched]], [argv for _, _, argv in launch_records(sc)])


if __name__ == "__main__":
    unittest.main()
