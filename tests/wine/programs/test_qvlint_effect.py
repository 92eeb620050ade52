"""qvlint --effect against qvsmzad under Wine: for each country settings
file, on Windows 98 and Windows 2000, the registry that qvsmzad.exe leaves
must be the one that the 32-bit regedit makes from qvlint's REGEDIT4 file
(--platform wine9x and winent: the test platform's registry). A short round
of generated files, and every kept case of tests/qvlint/effect_cases. A
longer round on demand:
tools/qvlint-differential --files N --seed S."""

import os
import unittest

from bench.country_effect import Differential, corpus_cases, generated_cases, summary

KEPT_CASES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "qvlint",
                          "effect_cases")
SEED = "ci"
FILES = 40  # on each version; about 0.8 s a file with both versions side by side


class QvlintEffect(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.bench = Differential().__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.bench.__exit__(None, None, None)

    def assert_agree(self, cases):
        found = self.bench.check_all(cases)
        # A key whose name holds a line break can not be written in a REGEDIT4
        # file; the generator makes such names by chance, and they are set apart.
        if any(d.differences or d.trouble for d in found):
            self.fail("\n" + summary(found, len(cases), self.bench.lanes))

    def test_generated_files(self):
        self.assert_agree(generated_cases(SEED, FILES))

    def test_kept_cases(self):
        cases = corpus_cases(KEPT_CASES)
        self.assertTrue(cases, f"no kept cases in {KEPT_CASES}")
        self.assert_agree(cases)

    def test_the_account_is_a_regedit4_file(self):
        # The console build's output as regedit and an editor read it: the
        # header first, every line ending in CR LF, none in a lone CR or LF.
        content = b"[B5]\r\nGain=5\r\n[Registry]\r\nHKLM,SOFTWARE\\QvGen,Text,0,\"a\rb\r\n"
        for version, (_, model) in self.bench.lanes.items():
            with self.subTest(version):
                _, reg, trouble = model.apply(content)
                self.assertIsNone(trouble)
                self.assertTrue(reg.startswith(b"REGEDIT4\r\n"), reg[:20])
                self.assertTrue(reg.endswith(b"\r\n"), reg[-20:])
                self.assertEqual([], [line for line in reg.split(b"\r\n") if b"\r" in line or b"\n" in line])

    def test_a_wrong_account_is_caught(self):
        # qvlint's output with one value more, and with a value left out:
        # the comparison must name exactly what was changed.
        planted = b"\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\QvGen]\r\n\"Planted\"=\"x\"\r\n"
        cases = [
            ("one value more", lambda reg: reg + planted,
             [("key", r"HKLM\SOFTWARE\QvGen"), ("name", r"HKLM\SOFTWARE\QvGen"),
              ("value", r"HKLM\SOFTWARE\QvGen", "Planted")]),
            ("a value left out",
             lambda reg: b"\r\n".join(line for line in reg.split(b"\r\n") if b'"Gain"=' not in line),
             [("value", r"HKLM\SOFTWARE\TAVELIN\SoftModem\Country\B5", "Gain")]),
        ]
        content = b"[B5]\r\nGain=5\r\n"
        try:
            for label, change, entries in cases:
                with self.subTest(label):
                    self.bench.tamper(lambda reg, *_: change(reg))
                    found = self.bench.check_all([(label, content)])
                    self.assertEqual([(v, entries) for v in self.bench.lanes],
                                     [(d.version, [e for e, _, _ in d.differences]) for d in found])
        finally:
            self.bench.tamper(None)


if __name__ == "__main__":
    unittest.main()
