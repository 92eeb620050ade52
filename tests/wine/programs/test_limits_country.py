"""Hostile country settings files under Wine: lines at and beyond the
499-character line buffer, registry line fields at and beyond their
buffers, a mebibyte of random bytes, a directory in place of the file and
a Country subkey that the reset can not delete.
Every run must end with the exit code of the program flow (0 when the file
opened, 1 when it did not), show nothing, and leave exactly the registry
that the reader's rules give.

Limits that test_qvsmzad.py holds already are not repeated: key paths and
value names of 49 and 50 characters, strings of 63 and 64, 70 byte fields,
lines of 506 and 700 characters."""

import os
import random
import unittest

from bench import ScenarioTestCase
from bench.country import COUNTRY, SOFTMODEM, WORK, QvsmzadRuns, ini
from bench.registry import b32, binary, node, sz, value

LIMITS_KEY = r"HKLM\SOFTWARE\QvLimits"
PIECE = 499  # characters of one line as the reader delivers it


def line_of(length, *starts):
    """A line of `length` characters whose pieces of 499 characters begin
    with the given texts, blanks between."""
    text = ""
    for k, start in enumerate(starts):
        assert len(text) <= PIECE * k and len(start) <= PIECE
        text = text.ljust(PIECE * k) + start
    assert len(text) <= length
    return text.ljust(length)


def spaced(text):
    """The text with a blank after every character: blanks outside quotation
    marks are dropped by the field reader, so it reads as `text`."""
    return " ".join(text) + " "


def country_values(data):
    """{section name: value names} of the sections that receive a content
    line, as the reader takes the file apart: Ctrl-Z ends the file, CR LF
    reads as LF, a line is delivered in pieces of 499 characters, each piece
    ends at its first NUL as a C string does, and a value with two commas
    after its "=" brings its bounds."""
    data = data.split(b"\x1a", 1)[0].replace(b"\r\n", b"\n")
    sections, current, start = {}, b"", 0
    while start < len(data):
        end = data.find(b"\n", start, start + PIECE)
        end = start + PIECE if end < 0 else end + 1
        piece = data[start:end].split(b"\0", 1)[0]
        start = end
        if piece[:1] == b"[":
            if b"]" in piece:
                current = piece[1:piece.index(b"]")]
        elif piece[:1] != b";" and current:
            names = sections.setdefault(current, set())
            if b"=" in piece:
                name, rest = piece.split(b"=", 1)
                names |= {name, name + b"_min", name + b"_max"} if rest.count(b",") >= 2 else {name}
    return sections


def random_file(drop_ctrl_z):
    """A mebibyte of random bytes, the same on every run, between a leading
    and a trailing country section."""
    noise = random.Random(20240909).randbytes(1 << 20)
    if drop_ctrl_z:
        noise = noise.replace(b"\x1a", b"Z")
    return b"[Leader]\r\nStart=1\r\n" + noise + b"\r\n[Trailer]\r\nEnd=1\r\n"


class CountryFileLimits(QvsmzadRuns, ScenarioTestCase, version="win2k"):
    """Runs of qvsmzad in one shared scenario."""

    def setUp(self):
        os.makedirs(self.sc.unix_path(WORK), exist_ok=True)
        self.sc.delete_key(LIMITS_KEY)

    def test_lines_of_498_499_500_and_5000_characters(self):
        codes = [f"{n:02X}" for n in range(0x10, 0x1B)]
        self.run_file(ini(
            "[Disable_Country]",
            line_of(498, "09"),
            line_of(499, "0A"),
            line_of(500, "0B", "C"),     # the 500th character is a line of its own
            line_of(5000, *codes),       # ten pieces of 499, then 10 characters
            # A comment of 499 characters leaves its line feed as an empty
            # content line, which opens the section's key.
            "[Comment498]", ";" + "x" * 497,
            "[Comment499]", ";" + "x" * 498,
            "[Comment500]", ";" + "x" * 499,
            "[Comment5000]", line_of(5000, ";", *[f"P{k}={k}" for k in range(1, 11)]),
            "[Registry]",
            line_of(499, r"HKLM,SOFTWARE\QvLimits,L499,0,x"),
            line_of(500, r"HKLM,SOFTWARE\QvLimits,L500,0,x", "y"),
            line_of(5000, *[rf"HKLM,SOFTWARE\QvLimits,R{k},0,{k}" for k in range(10)]),
        ))
        self.assertEqual(node(keys={
            "Disabled": node(keys={code: node() for code in ["09", "0A", "0B", "C"] + codes}),
            "Comment499": node(),
            "Comment500": node(),
            "Comment5000": node({f"P{k}": b32(k) for k in range(1, 11)}),
        }), self.sc.registry(COUNTRY))
        self.assertEqual(node({"L499": sz("x"), "L500": sz("x"),
                               **{f"R{k}": sz(str(k)) for k in range(10)}}),
                         self.sc.registry(LIMITS_KEY))

    def test_a_directory_in_place_of_the_file_is_not_opened(self):
        os.makedirs(self.sc.unix_path(WORK + r"\folder"), exist_ok=True)
        os.makedirs(self.sc.unix_path(WORK + r"\default\QVSMzad.ini"), exist_ok=True)
        self.sc.seed_registry(SOFTMODEM, {"HomolTimeStamp": binary(1, 2, 3, 4)})
        self.sc.seed_registry(COUNTRY + r"\B5", {"Gain": b32(5)})
        before = self.sc.registry(SOFTMODEM)
        cases = (
            ("named", WORK + r"\folder", WORK),
            ("named with a trailing backslash", WORK + "\\folder\\", WORK),
            ("the default name", "", WORK + r"\default"),
        )
        for label, args, cwd in cases:
            with self.subTest(label):
                self.run_qvsmzad(args, 1, cwd=cwd)
                self.assertEqual(before, self.sc.registry(SOFTMODEM), "nothing is written")

    def test_a_country_subkey_that_can_not_be_deleted_is_passed_over(self):
        # Wine takes a key name of 256 characters, one more than the reset's
        # name buffer holds: the reset can not empty "A", and this registry
        # refuses to delete a key with subkeys. The walk passes it over,
        # removes the keys after it and ends; Country then stays.
        self.run_file(ini("[A\\" + "L" * 256 + "]", "", "[B]", "", "[C]", ""))
        self.assertEqual(["A", "B", "C"], sorted(self.sc.registry(COUNTRY)["keys"]))
        self.run_file(ini("[Registry]", r"HKLM,SOFTWARE\QvLimits,Made,0,yes"))
        self.assertEqual(node(keys={"A": node(keys={"L" * 256: node()})}),
                         self.sc.registry(COUNTRY))
        self.sc.delete_key(COUNTRY)

    def test_random_mebibyte(self):
        for drop_ctrl_z in (False, True):
            # As drawn, a Ctrl-Z ends the file within its first hundred
            # bytes; without it the reader goes through every byte.
            with self.subTest(drop_ctrl_z=drop_ctrl_z):
                content = random_file(drop_ctrl_z)
                expected = country_values(content)
                self.assertEqual(drop_ctrl_z, b"Trailer" in expected)
                self.assertFalse({b"Registry", b"Disable_Country"} & set(expected),
                                 "the drawn bytes must stay inside country sections")
                self.run_file(content)
                country = self.sc.registry(COUNTRY)
                self.assertEqual(b32(1), value(country, "Leader", "Start"))
                self.assertEqual(b32(1) if drop_ctrl_z else None,
                                 value(country, "Trailer", "End"))
                self.assertEqual({s.split(b"\\")[0].decode("latin-1") for s in expected},
                                 set(country["keys"]), "one key per section")
                for section, names in expected.items():
                    key = country
                    for part in section.decode("latin-1").split("\\"):
                        key = key["keys"][part]
                    self.assertEqual({n.decode("latin-1") for n in names}, set(key["values"]),
                                     f"values of section {section[:20]!r}")

    def test_fields_one_below_at_and_above_their_buffers(self):
        # Key path and value name buffers hold 49 characters, the string 63,
        # the bytes 64. A field that does not fit refuses its whole line:
        # cut, it would name the key or value of the 49-character prefix.
        path49 = "SOFTWARE\\QvLimits\\" + "P" * 31
        name49 = "N" * 49
        self.assertEqual(49, len(path49))
        self.sc.seed_registry("HKLM\\" + path49, {"Name": sz("old")})
        self.sc.seed_registry(LIMITS_KEY, {name49: sz("old"), "Str": sz("old")})
        quoted63 = ("q " * 32)[:63]
        self.run_file(ini(
            "[Registry]",
            f"HKLM,{path49}P,Name,0,new",
            f"HKLM,{path49}PP,Name,0,new",
            f"HKLM,{path49}P,Name",
            f"HKLM,SOFTWARE\\QvLimits,{name49}N,0,new",
            f"HKLM,SOFTWARE\\QvLimits,{name49}NN,0,new",
            f"HKLM,SOFTWARE\\QvLimits,{name49}N",
            r"HKLM,SOFTWARE\QvLimits,Str,0," + "s" * 64,
            r"HKLM,SOFTWARE\QvLimits,Str65,0," + "s" * 65,
            # Blanks outside quotation marks do not count.
            f"HKLM,{spaced(path49)},{spaced('Spaced')},0,{spaced('t' * 63)}",
            rf'HKLM,SOFTWARE\QvLimits,Quoted63,0,"{quoted63}"',
            rf'HKLM,SOFTWARE\QvLimits,Quoted64,0,"{quoted63} "',
            r"HKLM,SOFTWARE\QvLimits,Bytes63,1," + ",".join(["7f"] * 63),
            r"HKLM,SOFTWARE\QvLimits,Bytes64,1," + ",".join(["80"] * 64),
            # The longest name a line can carry (493), with its bounds.
            "[Long]", "n" * 493 + "=1,2,3",
            # A section key that the registry refuses (a name of 300
            # characters) takes none of its values.
            "[" + "S" * 300 + "]", "Lost=1",
        ))
        self.assertEqual(node({
            name49: sz("old"),
            "Str": sz("old"),
            "Quoted63": sz(quoted63),
            "Bytes63": ("REG_BINARY", b"\x7f" * 63),
            "Bytes64": ("REG_BINARY", b"\x80" * 64),
        }, {"P" * 31: node({"Name": sz("old"), "Spaced": sz("t" * 63)})}),
            self.sc.registry(LIMITS_KEY))
        self.assertEqual(node(keys={"Long": node({
            "n" * 493: b32(1), "n" * 493 + "_min": b32(2), "n" * 493 + "_max": b32(3)})}),
            self.sc.registry(COUNTRY))
        # The refused section still counts as created: Country stays.
        self.run_file(ini("[" + "S" * 300 + "]", "Lost=1"))
        self.assertEqual(node(), self.sc.registry(COUNTRY))


if __name__ == "__main__":
    unittest.main()
