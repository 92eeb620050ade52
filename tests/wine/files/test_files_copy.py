"""File primitives of setup under Wine: copying one file of the medium,
copying and deleting by pattern, renaming in the INF directory, and the
checks before a change (free space, a file that another program holds
open). The fixture files_operation.exe runs one operation and exits with
its progress steps, or shows a check's answer in a message box."""

import os
import stat
import unittest

from bench import Scenario, ScenarioTestCase
from bench.fixtures import medium_file, run_op


def make_read_only(sc, win_path):
    os.chmod(sc.unix_path(win_path), stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)


def writable(sc, win_path):
    return bool(os.stat(sc.unix_path(win_path)).st_mode & stat.S_IWUSR)


class CopySourceFile(ScenarioTestCase, version="win98"):
    def test_read_only_destination_is_overwritten_and_left_writable(self):
        sc = self.sc
        sc.put_file(r"C:\windows\system32\qvsm.vxd", b"old")
        make_read_only(sc, r"C:\windows\system32\qvsm.vxd")
        self.assertEqual(1, run_op(sc, "CopySourceFile", r"C:\windows\system32", "qvsm.vxd").exit_code)
        self.assertEqual(medium_file("qvsm.vxd"), sc.read_file(r"C:\windows\system32\qvsm.vxd"))
        self.assertTrue(writable(sc, r"C:\windows\system32\qvsm.vxd"))

    def test_failed_copies_count_a_step_and_keep_what_was_there(self):
        sc = self.sc
        sc.put_file(r"C:\windows\kept.dll", b"kept")
        make_read_only(sc, r"C:\windows\kept.dll")
        cases = ((r"C:\windows", "kept.dll"),         # no such file on the medium
                 (r"C:\no such dir", "qvsm.vxd"))     # no destination directory
        for directory, name in cases:
            with self.subTest(directory=directory, name=name):
                self.assertEqual(1, run_op(sc, "CopySourceFile", directory, name).exit_code)
        self.assertEqual(b"kept", sc.read_file(r"C:\windows\kept.dll"))
        self.assertTrue(writable(sc, r"C:\windows\kept.dll"), "attributes set to normal all the same")
        self.assertFalse(sc.exists(r"C:\no such dir"))

    def test_a_drive_root_destination_takes_the_name_directly(self):
        sc = self.sc
        self.assertEqual(1, run_op(sc, "CopySourceFile", "C:\\", "qvsm1.cab").exit_code)
        self.assertEqual(medium_file("qvsm1.cab"), sc.read_file(r"C:\qvsm1.cab"))

    def test_rename_in_the_inf_directory_replaces_the_new_name(self):
        sc = self.sc
        sc.put_file(r"C:\windows\inf\qvsmw2k.inf", b"earlier inf")
        sc.put_file(r"C:\windows\inf\qvsmw2k.ink", b"older still")
        self.assertEqual(0, run_op(sc, "RenameInfFile", "qvsmw2k.inf", "qvsmw2k.ink").exit_code)
        self.assertEqual(b"earlier inf", sc.read_file(r"C:\windows\inf\qvsmw2k.ink"))
        self.assertFalse(sc.exists(r"C:\windows\inf\qvsmw2k.inf"))
        # Nothing left to rename: the new name stays as it is.
        self.assertEqual(0, run_op(sc, "RenameInfFile", "qvsmw2k.inf", "qvsmw2k.ink").exit_code)
        self.assertEqual(b"earlier inf", sc.read_file(r"C:\windows\inf\qvsmw2k.ink"))


class MatchingFiles(ScenarioTestCase, version="win2k"):
    def test_copy_by_pattern_copies_every_match_one_step_each(self):
        sc = self.sc
        sc.put_file(r"C:\medium\QVSM3.CAB", b"third cabinet")
        sc.put_file(r"C:\cabs\keep.txt", b"")
        cases = (("qvsm*.cab", 3, ["QVSM3.CAB", "keep.txt", "qvsm1.cab", "qvsm2.cab"]),
                 ("nothing*.cab", 0, ["QVSM3.CAB", "keep.txt", "qvsm1.cab", "qvsm2.cab"]))
        for pattern, steps, files in cases:
            with self.subTest(pattern=pattern):
                self.assertEqual(steps, run_op(sc, "CopyMatchingFiles", r"C:\cabs", pattern).exit_code)
                self.assertEqual(files, sc.files(r"C:\cabs"))
        self.assertEqual(b"third cabinet", sc.read_file(r"C:\cabs\QVSM3.CAB"))

    def test_delete_by_pattern_counts_every_existing_match(self):
        sc = self.sc
        sc.put_file(r"C:\windows\inf\old.bin", b"")
        sc.put_file(r"C:\windows\inf\OTHER.BIN", b"")
        sc.put_file(r"C:\windows\inf\keep.txt", b"")
        sc.put_file(r"C:\windows\inf\dir.bin\inside.txt", b"")
        make_read_only(sc, r"C:\windows\inf\old.bin")
        # Two files and a directory match; the directory stays, but counts.
        self.assertEqual(3, run_op(sc, "DeleteMatchingFiles", r"C:\windows\inf", "*.bin").exit_code)
        self.assertFalse(sc.exists(r"C:\windows\inf\old.bin"), "read-only files are deleted too")
        self.assertFalse(sc.exists(r"C:\windows\inf\OTHER.BIN"))
        self.assertTrue(sc.exists(r"C:\windows\inf\keep.txt"))
        self.assertTrue(sc.exists(r"C:\windows\inf\dir.bin\inside.txt"))
        self.assertEqual(1, run_op(sc, "DeleteMatchingFiles", r"C:\windows\inf", "*.bin").exit_code,
                         "only the directory is left to count")

    def test_a_pattern_of_everything_leaves_the_directory_and_its_parent_alone(self):
        sc = self.sc
        sc.put_file(r"C:\parent\dir\a.txt", b"")
        sc.put_file(r"C:\parent\dir\b.txt", b"")
        make_read_only(sc, r"C:\parent\dir")
        self.assertEqual(2, run_op(sc, "DeleteMatchingFiles", r"C:\parent\dir", "*").exit_code)
        self.assertEqual([], sc.files(r"C:\parent\dir"))
        self.assertFalse(writable(sc, r"C:\parent\dir"), "'.' is not a match of its own")

    def test_nothing_to_delete_takes_no_step(self):
        self.assertEqual(0, run_op(self.sc, "DeleteMatchingFiles", r"C:\windows", "qvsm*.zzz").exit_code)
        self.assertEqual(0, run_op(self.sc, "DeleteMatchingFiles", r"C:\no such dir", "*").exit_code)


def check(sc, call, *args):
    """The answer that a check of the seam shows: its status (and bytes).
    The check only reads, so a box that the agent missed or read before it
    had its text (both seen natively, right after another program started)
    is asked for once more."""
    for _ in range(2):
        result = run_op(sc, call, *args)
        if [c for c, _ in result.boxes] == [call] and result.boxes[0][1]:
            break
    assert result.exit_code == 0 and [c for c, _ in result.boxes] == [call], result
    return result.boxes[0][1]


class ChecksBeforeAChange(ScenarioTestCase, version="win98"):
    def test_free_space_of_c_is_the_hosts_and_below_2_gb_in_a_9x_mode(self):
        with Scenario("nt40") as nt:
            host = os.statvfs(nt.prefix)
            nt_status, nt_free = check(nt, "FreeSpace", r"C:\not made yet").split()
        status, free = check(self.sc, "FreeSpace", r"C:\windows\system").split()
        host_free = host.f_bavail * host.f_frsize
        self.assertEqual(("0", "0"), (nt_status, status))
        self.assertAlmostEqual(host_free, int(nt_free), delta=host_free // 10)
        self.assertTrue(0 < int(free) <= 0x7FFFFFFF, free)


class MediumAtADriveRoot(unittest.TestCase):
    def test_files_are_named_at_the_root_without_a_doubled_backslash(self):
        with Scenario("win98") as sc:
            root = sc.prefix + "/medium-root"
            sc.map_drive("e", root)
            for name in ("setup.exe", "qvsm1.cab", "qvsm2.cab", "qvsm.vxd"):
                sc.put_file("E:\\" + name, medium_file(name))
            sc.put_file(r"C:\target\x", b"")
            self.assertEqual(2, run_op(sc, "CopyMatchingFiles", r"C:\target", "qvsm*.cab", cwd="E:\\").exit_code)
            self.assertEqual(1, run_op(sc, "CopySourceFile", r"C:\target", "qvsm.vxd", cwd="E:\\").exit_code)
            self.assertEqual(["qvsm.vxd", "qvsm1.cab", "qvsm2.cab", "x"], sc.files(r"C:\target"))


if __name__ == "__main__":
    unittest.main()
