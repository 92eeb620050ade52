"""qvsmzad end to end under Wine: the country settings file in, the registry
out, compared byte for byte. Every case runs on the 9x-style registry
(win98, which deletes a key with its subkeys) and the NT-style one (win2k,
which refuses to), since the reset of the Country tree must work on both."""

import os
import struct
import time
import unittest

from bench import Scenario
from bench.country import COUNTRY, SOFTMODEM, WORK, QvsmzadRuns, ini
from bench.registry import b32, binary, dword, node, sz

TEST_KEY = r"HKLM\SOFTWARE\QvTest"


def stale_country_tree():
    """What earlier runs (and others) may have left below the Country key:
    several levels deep, with values at every level, and many siblings."""
    records = [("V", COUNTRY, "StaysInCountry", "REG_SZ", b"kept\0")]
    for path in (r"Old\A\B\C", r"Old\A\B2", r"Old\A2", r"Disabled\B5", r"Disabled\05", "B5"):
        records.append(("V", COUNTRY + "\\" + path, "Stale", "REG_BINARY", b"\1\0\0\0"))
    for i in range(25):
        records.append(("V", COUNTRY + rf"\Sibling{i:02d}\Child", "Stale", "REG_SZ", b"x\0"))
    return records


class QvsmzadCases(QvsmzadRuns):
    VERSION = None

    def setUp(self):
        self.sc = Scenario(self.VERSION).__enter__()
        self.addCleanup(self.sc.__exit__, None, None, None)
        os.makedirs(self.sc.unix_path(WORK), exist_ok=True)

    def assert_stamp_renewed(self, started):
        tree = self.sc.registry(SOFTMODEM)
        self.assertIsNotNone(tree, "the SoftModem key must exist after a run")
        stamp = tree["values"].get("HomolTimeStamp")
        self.assertIsNotNone(stamp, "HomolTimeStamp missing")
        self.assertEqual(stamp[0], "REG_BINARY")
        self.assertEqual(len(stamp[1]), 4, f"stamp {stamp[1].hex()} is not 4 bytes")
        seconds = struct.unpack("<I", stamp[1])[0]
        self.assertTrue(started - 5 <= seconds <= time.time() + 5,
                        f"stamp {seconds} is not the time of the run ({started:.0f})")

    def assert_tree(self, path, expected):
        actual = self.sc.registry(path)
        self.assertEqual(actual, expected, f"{self.VERSION}: registry below {path}")

    # Program flow ----------------------------------------------------------

    def test_file_that_can_not_be_opened_writes_nothing(self):
        self.sc.put_file(WORK + r"\present.ini", ini("[B5]", "Gain=1"))
        cases = [
            ("no file of the default name", ""),
            ("missing file", "missing.ini"),
            ("quoted name, kept verbatim", '"present.ini"'),
        ]
        for label, args in cases:
            with self.subTest(label):
                self.run_qvsmzad(args, expect_exit=1)
                self.assertIsNone(self.sc.registry(r"HKLM\SOFTWARE\TAVELIN"),
                                  f"{label}: the registry must stay untouched")

    def test_path_after_program_name_is_taken_verbatim(self):
        # Blanks inside the path are part of it; no quotation marks needed.
        started = self.run_file(ini("[B5]", "Gain=1"), args=r"C:\other dir\my file.ini")
        self.assert_stamp_renewed(started)
        self.assert_tree(COUNTRY, node(keys={"B5": node({"Gain": b32(1)})}))

    def test_sample_file_on_the_medium_twice_gives_the_same_tree(self):
        expected_country = node(keys={
            "B5": node({"TxLevel": b32(-10), "TxLevel_min": b32(-15), "TxLevel_max": b32(-6),
                        "RingFrequency": b32(20), "RingFrequency_min": b32(15),
                        "RingFrequency_max": b32(68), "DialToneWait": b32(3000),
                        "BlindDial": b32(0), "CallerId": b32(1)}),
            "04": node({"TxLevel": b32(-9), "TxLevel_min": b32(-15), "TxLevel_max": b32(-6),
                        "PulseMakeRatio": b32(32), "DialToneWait": b32(3000),
                        "BlindDial": b32(1)}),
            "00": node(),
            "Disabled": node(keys={"3D": node(), "A0": node()}),
        })
        self.sc.seed_registry(SOFTMODEM, {"LastError": sz("stale"),
                                          "ModemName": sz("Earlier name")})
        trees = []
        for run in (1, 2):
            started = self.run_qvsmzad(cwd=r"C:\medium")
            self.assert_stamp_renewed(started)
            tree = self.sc.registry(SOFTMODEM)
            self.assertEqual(tree["keys"]["Country"], expected_country, f"run {run}")
            values = dict(tree["values"])
            del values["HomolTimeStamp"]
            self.assertEqual(values, {
                "DefaultCountry": sz("B5"),
                "ModemName": sz("Earlier name"),  # type 2 leaves it alone
                "Options": binary(1, 0, 0, 0),
                "FirstCountry": binary(0xB5),
            }, f"run {run}")
            del tree["values"]["HomolTimeStamp"]
            trees.append(tree)
        self.assertEqual(trees[0], trees[1], "two runs with the same file differ")

    # Reset of the Country tree ---------------------------------------------

    def test_files_without_country_entries_delete_the_country_key(self):
        cases = [
            ("empty file", b""),
            ("comments only", ini("; country settings", ";[B5]", ";Gain=5")),
            ("registry section only", ini("[Registry]", r"HKLM,SOFTWARE\QvTest,Made,0,yes")),
            ("content before any header", ini("Gain=5", "b5")),
            ("empty section name", ini("[]", "Gain=5")),
            ("headers without content", ini("[B5]", "[04]", "; nothing")),
            ("void disabled codes only", ini("[Disable_Country]", "US", "1B5", "", "; x")),
            ("header without bracket", ini("[B5", "Gain=5")),
        ]
        for label, content in cases:
            with self.subTest(label):
                self.sc.seed_records(stale_country_tree())
                self.sc.seed_registry(SOFTMODEM, {"HomolTimeStamp": binary(0, 0, 0, 0)})
                started = self.run_file(content)
                self.assert_stamp_renewed(started)
                self.assertIsNone(self.sc.registry(COUNTRY),
                                  f"{label}: the Country key must be deleted")
        self.assert_tree(TEST_KEY, node({"Made": sz("yes")}))

    def test_earlier_subkeys_go_at_every_depth_and_country_values_stay(self):
        self.sc.seed_records(stale_country_tree())
        self.run_file(ini("[B5]", "Gain=1", "[Disable_Country]", "05"))
        self.assert_tree(COUNTRY, node({"StaysInCountry": sz("kept")}, {
            "B5": node({"Gain": b32(1)}),
            "Disabled": node(keys={"05": node()}),
        }))

    def test_section_of_one_empty_line_keeps_an_empty_key(self):
        self.run_file(ini("[B5]", ""))
        self.assert_tree(COUNTRY, node(keys={"B5": node()}))

    # Country sections ------------------------------------------------------

    def test_country_section_lines(self):
        content = ini(
            "Before=1",
            "[B5]",
            "Gain=5,0,9",
            "  ;x=5",
            "Gain = 0x10 , 1, 20",
            "name=",
            "oct=08",
            "big=0xFFFFFFFF",
            "neg=-1",
            "low=-2147483649",
            "note=12 ; dB",
            "One=5,0",
            "no equals sign",
            "=3",
            "[Empty]",
            "",
            "[First]",
            "[Second]",
            "v=1",
            r"[B5\Sub]",
            "deep=0x7fffffff,-0x10,010",
            "[Second]",
            "w=2",
            "v=3,4,5",
            "[ B5 ] trailing text",
            "s=3",
            "[broken header",
            "afterbroken=4",
            "[]",
            "ignored=1",
        )
        self.run_file(content)
        self.assert_tree(COUNTRY, node(keys={
            "B5": node({
                "Gain": b32(5), "Gain_min": b32(0), "Gain_max": b32(9),
                "  ;x": b32(5),
                "Gain ": b32(16), "Gain _min": b32(1), "Gain _max": b32(20),
                "name": b32(0), "oct": b32(0), "big": b32(2147483647), "neg": b32(-1),
                "low": b32(-2147483648), "note": b32(12),
                "One": b32(5),  # one comma: the value only, no bounds
                "": b32(3),
            }, {"Sub": node({"deep": b32(2147483647), "deep_min": b32(-16),
                             "deep_max": b32(8)})}),
            "Empty": node(),
            "Second": node({"v": b32(3), "v_min": b32(4), "v_max": b32(5), "w": b32(2)}),
            " B5 ": node({"s": b32(3), "afterbroken": b32(4)}),
        }))

    def test_disabled_country_codes(self):
        self.run_file(ini("[Disable_Country]", "b5", "  5 ; old", "US", "1B5", "05", "", "\t3d",
                          "ff;x", "; 07"))
        self.assert_tree(COUNTRY, node(keys={"Disabled": node(keys={
            "B5": node(), "5": node(), "05": node(), "3D": node(), "FF": node()})}))

    # Text mode and line length ---------------------------------------------

    def test_text_mode_and_long_lines(self):
        long_line = "Long=7" + " " * 493 + "Tail=9" + " " * 195
        spill_line = "Pad=1" + " " * 494 + "[Spill]"
        self.assertEqual((len(long_line), len(spill_line)), (700, 506))
        content = (b"[B5]\r\n"
                   b"Cr\rName=1\r\n"       # a lone CR stays in the line
                   b"Lf=2\n"                # a bare LF ends a line too
                   + long_line.encode() + b"\r\n"
                   + spill_line.encode() + b"\r\n"
                   b"z=3\r\n"
                   b"Last=4\x1a\r\n"        # Ctrl-Z ends the file
                   b"[After]\r\nx=1\r\n")
        self.run_file(content)
        self.assert_tree(COUNTRY, node(keys={
            "B5": node({"Cr\rName": b32(1), "Lf": b32(2), "Long": b32(7), "Tail": b32(9),
                        "Pad": b32(1)}),
            "Spill": node({"z": b32(3), "Last": b32(4)}),
        }))

    # Registry section ------------------------------------------------------

    def test_registry_section_lines(self):
        path49 = "SOFTWARE\\QvTest\\" + "P" * 33
        path50 = "SOFTWARE\\QvTest\\" + "Q" * 34
        name49, name50 = "N" * 49, "M" * 49 + "M"
        self.assertEqual((len(path49), len(path50)), (49, 50))
        self.sc.seed_registry(TEST_KEY, {
            "Keep": dword(7), "KeepBin": sz("x"), "Replace": dword(7),
            "ReplaceBin": sz("old"), "Gone": sz("bye"), "Stays": sz("here"),
        })
        content = ini(
            "[Registry]",
            r'HKLM, "SOFTWARE\QvTest" ,Quoted,0,"two words"',
            r"HKLM,SOFTWARE\QvTest,Unquoted,0,two words",
            r"HKLM,SOFTWARE\QvTest,Bytes,1,01,ff,1FF",
            r"HKLM,SOFTWARE\QvTest,OneZero,1,",
            r"HKLM,SOFTWARE\QvTest,EmptyString,0,",
            r"HKLM,SOFTWARE\QvTest,Keep,2,new",
            r"HKLM,SOFTWARE\QvTest,KeepBin,3,01",
            r"HKLM,SOFTWARE\QvTest,NewKeep,2,fresh",
            r"HKLM,SOFTWARE\QvTest,NewKeepBin,3,0a,0B",
            r"HKLM,SOFTWARE\QvTest,Replace,0,text",
            r"HKLM,SOFTWARE\QvTest,ReplaceBin,1,0x1F,7",
            r"HKLM,SOFTWARE\QvTest,Gone",
            r"HKLM,SOFTWARE\QvTest,NotThere,1",
            r"HKLM,SOFTWARE\QvTest\Deeper\Still,Made,0,yes",
            r"HKLM,SOFTWARE\QvMissing,Value",
            r"HKLM,SOFTWARE\QvMissing2,Value,1",
            r"HKLM,SOFTWARE\QvMissing3",
            r"hklm,SOFTWARE\QvTest,Lower,0,a",
            r"HKLM,SOFTWARE\QvTest,BadType,4,a",
            r"HKLM,SOFTWARE\QvTest,Negative,-1,a",
            r"HKLM,SOFTWARE\QvTest,,0,a",
            r"HKLM,,Name,0,a",
            f"HKLM,{path49},Name,0,a",
            f"HKLM,{path50},Name,0,a",
            f"HKLM,SOFTWARE\\QvTest,{name49},0,a",
            f"HKLM,SOFTWARE\\QvTest,{name50},0,a",
            r"HKLM,SOFTWARE\QvTest,Str63,0," + "s" * 63,
            r"HKLM,SOFTWARE\QvTest,Str64,0," + "s" * 64,
            r"HKLM,SOFTWARE\QvTest,Bytes70,1," + ",".join(f"{i:x}" for i in range(70)),
        )
        self.run_file(content)
        self.assert_tree(TEST_KEY, node({
            "Quoted": sz("two words"),
            "Unquoted": sz("twowords"),
            "Bytes": binary(0x01, 0xFF, 0xFF),
            "OneZero": binary(0),
            "EmptyString": sz(""),
            "Keep": dword(7),
            "KeepBin": sz("x"),
            "NewKeep": sz("fresh"),
            "NewKeepBin": binary(0x0A, 0x0B),
            "Replace": sz("text"),
            "ReplaceBin": binary(0x00, 0x07),
            "Stays": sz("here"),
            name49: sz("a"),
            "Str63": sz("s" * 63),
            "Bytes70": binary(*range(64)),
        }, {
            "Deeper": node(keys={"Still": node({"Made": sz("yes")})}),
            "P" * 33: node({"Name": sz("a")}),
        }))
        for missing in ("QvMissing", "QvMissing2", "QvMissing3"):
            self.assertIsNone(self.sc.registry("HKLM\\SOFTWARE\\" + missing),
                              f"a deletion line must not create {missing}")
        self.assertIsNone(self.sc.registry(COUNTRY), "registry lines count no country entry")


class Win98(QvsmzadCases, unittest.TestCase):
    VERSION = "win98"


class Win2k(QvsmzadCases, unittest.TestCase):
    VERSION = "win2k"


if __name__ == "__main__":
    unittest.main()
