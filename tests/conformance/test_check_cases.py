"""The checker's rules: which expectation a class gets, how answers split
into fields, and how the runner's output pairs with the cases' calls."""

import os
import tempfile
import unittest

from check_cases import Call, compare, fields, matches, read_case


def call_with(answers):
    call = Call("case.calls", 1, "Version")
    call.answers = answers
    return call


class ChosenAnswer(unittest.TestCase):
    def test_the_most_specific_who_wins(self):
        answers = {"all": "A", "9x": "F", "98": "C", "wine-9x": "WF", "wine-me": "WC", "wine": "W"}
        rows = [  # class, platform, expected
            ("98", "windows", "C"), ("95", "windows", "F"), ("nt4", "windows", "A"),
            ("me", "wine", "WC"), ("98", "wine", "WF"), ("2000", "wine", "W")]
        for osclass, platform, expected in rows:
            with self.subTest(osclass=osclass, platform=platform):
                self.assertEqual(expected, call_with(answers).expected(osclass, platform))

    def test_wine_falls_back_to_the_documented_answer_and_an_uncovered_class_is_unchecked(self):
        call = call_with({"nt": "N", "wine-2000": "W"})
        self.assertEqual("N", call.expected("nt4", "wine"))
        self.assertEqual("W", call.expected("2000", "wine"))
        self.assertIsNone(call.expected("95", "wine"))
        self.assertIsNone(call.expected("95", "windows"))


class Fields(unittest.TestCase):
    def test_quoted_fields_keep_their_blanks_and_decode_their_escapes(self):
        self.assertEqual([("w", "0"), ("s", b'a b\t"\\\x00\xff'), ("w", "5")],
                         fields(r'0 "a b\t\"\\\x00\xFF" 5'))

    def test_an_asterisk_matches_one_field_and_escapes_compare_by_their_bytes(self):
        rows = [("0 * 5", '0 "any thing" 5', True), ("0 *", '0 "x" 5', False),
                (r'"\x0a"', r'"\n"', True), ('"ab"', '"abc"', False), ("234 1", "234 2", False)]
        for expected, actual, result in rows:
            with self.subTest(expected=expected, actual=actual):
                self.assertEqual(result, matches(expected, actual))


class Pairing(unittest.TestCase):
    def test_output_lines_pair_with_the_call_steps_of_their_case(self):
        with tempfile.TemporaryDirectory() as directory:
            paths = [os.path.join(directory, name) for name in ("a.calls", "b.calls")]
            with open(paths[0], "w") as f:
                f.write('# a\nfile "C:\\\\x" "1"\nFileAttributes "C:\\\\x"\n#> all: 32\n'
                        'FileAttributes "C:\\\\y"\n#> 95: 1\n')
            with open(paths[1], "w") as f:
                f.write('IsAdministrator\n#> nt: 1\n#> wine: 0\n')
            cases = {path: read_case(path) for path in paths}
            output = ("== C:\\cases\\a.calls\r\nFileAttributes -> 32\r\nFileAttributes -> 1\r\n"
                      "== C:\\cases\\b.calls\r\nIsAdministrator -> 1\r\n")
            self.assertEqual((2, []), compare(cases, output, "nt4", "windows"))
            checked, differences = compare(cases, output, "nt4", "wine")
            self.assertEqual(2, checked)
            self.assertEqual([f"{paths[1]}:1: IsAdministrator: expected 0, got 1"], differences)
            checked, differences = compare(cases, "== a.calls\nFileAttributes -> 32\n", "95",
                                           "windows")
            self.assertEqual(2, checked)
            self.assertEqual(1, len(differences))
            self.assertIn("got no answer", differences[0])


if __name__ == "__main__":
    unittest.main()
