"""The fixed driver file sets under Wine, run with the sample medium: what
lands where, what is deleted, and the progress steps each set takes (the
exit code of files_operation.exe)."""

import fnmatch
import os
import unittest

from bench import MEDIUM, Scenario, ScenarioTestCase
from bench.fixtures import medium_file, run_op
from bench.registry import TAVELIN_KEY, sz, value

SYSTEM = r"C:\windows\system32"
DRIVERS = SYSTEM + r"\drivers"
INF = r"C:\windows\inf"
CABS = r"C:\windows\Options\CABS"


def make_drivers_dir(sc):
    """The prefix is 64-bit: the drivers directory of the 32-bit view
    (syswow64\\drivers) is missing until made, unlike on a 32-bit Windows."""
    os.makedirs(sc.unix_path(DRIVERS), exist_ok=True)


def put_all(sc, paths):
    for path in paths:
        sc.put_file(path, b"earlier installation")


class Windows98(ScenarioTestCase, version="win98"):
    def test_old_9x_files_are_deleted_and_nothing_else(self):
        sc = self.sc
        earlier = [INF + r"\QVSM9PC.INF", INF + r"\qvsm9md.pnf", INF + r"\qvsmvxd.inf",
                   INF + r"\qvsmvxd.pnf", INF + r"\other\tavelinqvsmvxd.inf",
                   INF + r"\other\tavelinqvsm9pc.inf", CABS + r"\qvsm1.cab", CABS + r"\qvsm9pc.cat",
                   r"C:\windows\qvsmmsg.exe", SYSTEM + r"\qvsmmsg.exe", r"C:\windows\qvsm.isu",
                   CABS + r"\qvsmmsg.exe"]
        others = [INF + r"\other\another.inf", CABS + r"\other.cab", INF + r"\qvsmnt4.inf"]
        put_all(sc, earlier + others)
        self.assertEqual(len(earlier), run_op(sc, "DeleteOld9xDriverFiles").exit_code)
        self.assertEqual([], [p for p in earlier if sc.exists(p)])
        self.assertEqual(others, [p for p in others if sc.exists(p)])
        self.assertEqual(0, run_op(sc, "DeleteOld9xDriverFiles").exit_code, "nothing left: no step")

    def test_every_bin_file_of_the_inf_directory_goes(self):
        sc = self.sc
        put_all(sc, [INF + r"\qvsm.bin", INF + r"\someone.BIN", INF + r"\keep.bin.txt"])
        self.assertEqual(2, run_op(sc, "DeleteBinFile").exit_code)
        self.assertEqual(["keep.bin.txt"], [f for f in sc.files(INF) if "bin" in f.lower()])

    def test_vxd_set(self):
        sc = self.sc
        # 6 by name, 3 catalogs and 2 cabinets by pattern, 4 by name; the copy
        # into the missing catalog directory counts all the same.
        self.assertEqual(15, run_op(sc, "CopyVxdDriverFiles").exit_code)
        self.assertFalse(sc.exists(INF + r"\catalog"), "the catalog directory is not created")
        self.assertEqual(sorted(["qvsm1.cab", "qvsm2.cab", "qvsm9md.cat", "qvsm9pc.cat", "qvsmvxd.cat",
                                 "qvsmvxd.inf", "qvsm.vxd", "qvsmvcd.vxd", "qvsmdmi.dll"]),
                         [f for f in sc.files(CABS) if f.startswith("qvsm")])
        for directory, name in ((INF, "qvsmvxd.inf"), (SYSTEM, "qvsm.vxd"), (SYSTEM, "qvsmvcd.vxd"),
                                (SYSTEM, "qvsmdmi.dll")):
            self.assertEqual(medium_file(name), sc.read_file(directory + "\\" + name), name)
        sc.put_file(INF + r"\catalog\earlier.cat", b"")
        self.assertEqual(15, run_op(sc, "CopyVxdDriverFiles").exit_code)
        self.assertEqual(medium_file("qvsmvxd.cat"), sc.read_file(INF + r"\catalog\qvsmvxd.cat"))


class WindowsME(unittest.TestCase):
    def test_wdm_set_with_and_without_its_catalogs(self):
        with Scenario("winme") as sc:
            make_drivers_dir(sc)
            sc.put_file(INF + r"\catalog\earlier.cat", b"")
            # 2 drivers, 2 INF files, 3 single patterns, 6 catalog copies.
            self.assertEqual(13, run_op(sc, "CopyWdmDriverFiles").exit_code)
            drivers = sc.files(DRIVERS)
            self.assertIn("qvsm.sys", drivers)
            self.assertIn("qvsmwdm.sys", drivers)
            self.assertEqual(["QVSMNUM.vxd", "qvsmdmi.dll", "qvsmvcd.vxd"],
                             sorted(f for f in sc.files(SYSTEM) if f.lower().startswith("qvsm")))
            self.assertEqual(["qvsm9md.inf", "qvsm9pc.inf"],
                             sorted(f for f in sc.files(INF) if f.lower().startswith("qvsm")))
            self.assertEqual(["earlier.cat", "qvsm9md.cat", "qvsm9pc.cat"], sc.files(INF + r"\catalog"))
            self.assertEqual(["qvsm9md.cat", "qvsm9pc.cat"], sc.files(CABS))

            for name in ("qvsm9pc.cat", "qvsm9md.cat"):
                os.remove(sc.unix_path("C:\\medium\\" + name))
            # The four copies by name count although they fail; the patterns find nothing.
            self.assertEqual(2 + 2 + 3 + 4, run_op(sc, "CopyWdmDriverFiles").exit_code)


class WindowsNT4(unittest.TestCase):
    def test_earlier_files_go_then_the_nt_set_is_copied(self):
        with Scenario("nt40") as sc:
            earlier = [SYSTEM + r"\qvsm.sys", INF + r"\qvsmnt4.inf", INF + r"\qvsmnt4.pnf",
                       CABS + r"\qvsm1.cab", CABS + r"\qvsmvxd.cat", r"C:\windows\qvsmmsg.exe",
                       SYSTEM + r"\qvsmmsg.exe"]
            kept = DRIVERS + r"\qvsm.sys"
            put_all(sc, earlier + [kept])
            self.assertEqual(len(earlier), run_op(sc, "DeleteNT4DriverFiles").exit_code)
            self.assertEqual([], [p for p in earlier if sc.exists(p)])
            self.assertTrue(sc.exists(kept), "the driver is deleted from the system directory only")

            result = run_op(sc, "CopyNT4DriverFiles")
            self.assertEqual(1 + 1 + 3 + 2 + 1, result.exit_code)
            self.assertEqual([("NT 4.0 INF name", "qvsmnt4.inf")], result.boxes)
            self.assertEqual(medium_file("qvsmnt4.inf"), sc.read_file(INF + r"\qvsmnt4.inf"))
            self.assertEqual(medium_file("qvsm.sys"), sc.read_file(kept))
            self.assertEqual(medium_file("qvremove.exe"), sc.read_file(r"C:\windows\qvremove.exe"))
            self.assertEqual(["qvsm1.cab", "qvsm2.cab", "qvsm9md.cat", "qvsm9pc.cat", "qvsmvxd.cat"],
                             sc.files(CABS))


class SampleMedium(unittest.TestCase):
    # Every name that the driver sets copy by name or pattern, as they spell it.
    SET_FILES = ["qvsmnt4.inf", "qvsm.sys", "qvremove.exe", "qvsmvxd.inf", "qvsm.vxd", "qvsmvcd.vxd",
                 "qvsmdmi.dll", "qvsmvxd.cat", "qvsm9pc.cat", "qvsm9md.cat", "QVSMNUM.vxd"]
    PATTERNS = {"qvsm*.cat": 3, "qvsm*.cab": 2, "qvsm*.sys": 2, "qvsm9*.inf": 2}

    def test_the_medium_holds_every_file_of_the_sets(self):
        on_medium = os.listdir(MEDIUM)
        self.assertEqual([], [n for n in self.SET_FILES if n not in on_medium])
        for pattern, count in self.PATTERNS.items():
            matches = fnmatch.filter([n.lower() for n in on_medium], pattern)
            self.assertEqual(count, len(matches), pattern)
        for name in fnmatch.filter(on_medium, "*.inf"):
            self.assertIn("\r\n[Version]\r\n", medium_file(name).decode("latin-1"), name)

    def test_the_shipped_lists_copy_nothing_and_launch_the_country_utility(self):
        with Scenario("win98") as sc:
            self.assertEqual(0, run_op(sc, "CopyFileList").exit_code)
            self.assertEqual(0, run_op(sc, "RunLaunchList").exit_code)
            tree = sc.registry(TAVELIN_KEY)
            self.assertIsNotNone(value(tree, "SoftModem", "HomolTimeStamp"))
            self.assertEqual(sz("N"), value(tree, "CleanUpRegistry"))


if __name__ == "__main__":
    unittest.main()
