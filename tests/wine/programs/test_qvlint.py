"""qvlint.exe, the Windows console build, on the broken medium of the qvlint
corpus under Wine: it must give the findings and exit code that the native
build gives (the case's expected output), and exit code 2 for a path that
does not exist. qvlint is started by Wine directly, its output going to
files, so that the console output is read as it was written."""

import json
import os
import re
import shutil
import subprocess
import unittest

import bench

CASE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "qvlint", "cases",
                    "broken_medium")
# qvlint is built beside the medium, in the same build tree.
QVLINT = os.path.join(os.path.dirname(bench.MEDIUM), "qvlint", "qvlint.exe")
WORK = r"C:\lint"
FILE_PART = re.compile(r"^(.*?)(:\d+: )")


def native_path(line):
    """A finding line with the file's backslashes written as the native build writes them."""
    return FILE_PART.sub(lambda m: m.group(1).replace("\\", "/") + m.group(2), line)


class QvlintUnderWine(bench.ScenarioTestCase, medium=False):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        shutil.copytree(os.path.join(CASE, "medium"), cls.sc.unix_path(WORK + r"\medium"))
        shutil.copy(QVLINT, cls.sc.unix_path(WORK))

    def run_qvlint(self, *args):
        """Runs qvlint.exe in C:\\lint; returns its exit code and its output."""
        out, err = (os.path.join(self.sc.prefix, name) for name in ("qvlint.out", "qvlint.err"))
        with open(out, "wb") as stdout, open(err, "wb") as stderr:
            done = subprocess.run([bench.WINE, WORK + r"\qvlint.exe", *args], cwd=self.sc.unix_path(WORK),
                                  env=self.sc.env, stdout=stdout, stderr=stderr, stdin=subprocess.DEVNULL,
                                  timeout=120)
        with open(out, "rb") as stdout:
            return done.returncode, stdout.read().decode("latin-1").replace("\r\n", "\n")

    def test_broken_medium_gives_the_findings_of_the_native_build(self):
        expected = open(os.path.join(CASE, "expected")).read().split("\n", 1)
        code, out = self.run_qvlint("medium")
        self.assertEqual(f"exit {code}", expected[0])
        self.assertEqual([native_path(line) for line in out.splitlines()], expected[1].splitlines())

        json_code, json_out = self.run_qvlint("--json", "medium")
        self.assertEqual(json_code, code)
        found = [(o["file"].replace("\\", "/"), o["line"], o["code"]) for o in json.loads(json_out)]
        lines = [re.match(r"^(.*?):(\d+): .* \[(.*)\]$", line).groups() for line in expected[1].splitlines()]
        self.assertEqual(found, [(f, int(n), c) for f, n, c in lines])

    def test_a_path_that_does_not_exist_ends_with_exit_code_2(self):
        code, out = self.run_qvlint(r"C:\lint\none")
        self.assertEqual(code, 2)
        self.assertEqual(out, "")


if __name__ == "__main__":
    unittest.main()
