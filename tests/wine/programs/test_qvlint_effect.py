"""qvlint --effect against qvsmzad under Wine: for each country settings
file, on Windows 98 and Windows 2000, the registry that qvsmzad.exe leaves
must be the one that the 32-bit regedit makes from qvlint's REGEDIT4 file
(--platform 9x and nt). A short round of generated files, and every kept
case of tests/qvlint/effect_cases. A longer round on demand:
python3 -m bench country-differential --files N --seed S (in tests/wine)."""

import os
import unittest

from bench.country_effect import Differential, corpus_cases, generated_cases, summary

KEPT_CASES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "qvlint",
                          "effect_cases")
SEED = "ci"
FILES = 30  # per version; a few seconds each round of both sides


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
        disagreements = [d for d in found if d.differences or d.trouble]
        self.assertEqual([], disagreements, "\n" + summary(found, len(cases), self.bench.lanes))

    def test_generated_files(self):
        self.assert_agree(generated_cases(SEED, FILES))

    def test_kept_cases(self):
        cases = corpus_cases(KEPT_CASES)
        self.assertTrue(cases, f"no kept cases in {KEPT_CASES}")
        self.assert_agree(cases)


if __name__ == "__main__":
    unittest.main()
