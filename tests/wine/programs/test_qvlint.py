"""qvlint.exe, the Windows console build, on cases of the qvlint corpus under
Wine: a broken medium, a medium whose files hold control characters, and
codes ignored with a note left. Each must give the findings and exit code that
the native build gives (the case's expected output), and a path that does
not exist exit code 3. qvlint is started by Wine directly, its output going
to files, so that the console output is read as it was written."""

import json
import os
import re
import shlex
import shutil
import unittest

import bench

CASES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "qvlint", "cases")
CASE_NAMES = ("broken_medium", "control_bytes", "ignore_codes", "code_page_932")
# qvlint is built beside the medium, in the same build tree.
QVLINT = os.path.join(os.path.dirname(bench.MEDIUM), "qvlint", "qvlint.exe")
WORK = r"C:\lint"
FILE_PART = re.compile(r"^(.*?)(:\d+:\d+: )")


def case_text(name, file_name):
    with open(os.path.join(CASES, name, file_name)) as f:
        return f.read()


def native_path(line):
    """A finding line with the file's backslashes written as the native build writes them."""
    return FILE_PART.sub(lambda m: m.group(1).replace("\\", "/") + m.group(2), line)


class QvlintUnderWine(bench.ScenarioTestCase, medium=False):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        for name in CASE_NAMES:
            shutil.copytree(os.path.join(CASES, name), cls.sc.unix_path(WORK + "\\" + name))
        shutil.copy(QVLINT, cls.sc.unix_path(WORK))

    def run_qvlint(self, directory, *args):
        """Runs qvlint.exe in `directory`; returns its exit code and its output."""
        code, out = self.sc.run_console([WORK + r"\qvlint.exe", *args], directory)
        return code, out.decode("latin-1").replace("\r\n", "\n")

    def test_corpus_cases_give_the_findings_of_the_native_build(self):
        for name in CASE_NAMES:
            with self.subTest(name):
                args = shlex.split(case_text(name, "command"))
                expected = case_text(name, "expected").split("\n", 1)
                code, out = self.run_qvlint(WORK + "\\" + name, *args)
                self.assertEqual(f"exit {code}", expected[0])
                self.assertEqual([native_path(line) for line in out.splitlines()], expected[1].splitlines())

                json_code, json_out = self.run_qvlint(WORK + "\\" + name, "--json", *args)
                self.assertEqual(json_code, code)
                found = [(o["file"].replace("\\", "/"), o["line"], o["column"], o["code"])
                         for o in json.loads(json_out)]
                lines = [re.match(r"^(.*?):(\d+):(\d+): .* \[(.*)\]$", line).groups()
                         for line in expected[1].splitlines()]
                self.assertEqual(found, [(f, int(n), int(c), code) for f, n, c, code in lines])

    def test_a_path_that_does_not_exist_ends_with_exit_code_3(self):
        code, out = self.run_qvlint(WORK, r"C:\lint\none")
        self.assertEqual(code, 3)
        self.assertEqual(out, "")


if __name__ == "__main__":
    unittest.main()
