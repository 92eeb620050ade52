"""The conformance cases under Wine: simulate-calls.exe runs every case in one
start on a fresh prefix per Windows version, and the checker holds its
answers against the cases' Wine answers for that version's class (the wine
lines of a case, else its documented answer)."""

import glob
import os
import shutil
import subprocess
import sys
import time
import unittest

from bench import Scenario
from bench.scenario import BUILD, WINE

CONFORMANCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "conformance")
CHECKER = os.path.join(CONFORMANCE, "check_cases.py")
CALLS = os.environ.get("BENCH_CALLS", os.path.join(BUILD, "callscript", "simulate-calls.exe"))
# The Wine version modes and the class each one reports; one prefix start each.
VERSIONS = (("win95", "95"), ("win98", "98"), ("nt40", "nt4"), ("win2k", "2000"))


def run_cases(sc, cases):
    """Runs simulate-calls.exe on every case in one start: (exit code, output, errors)."""
    shutil.copy(CALLS, sc.unix_path("C:\\bench"))
    for case in cases:
        with open(case, "rb") as f:
            sc.put_file("C:\\bench\\cases\\" + os.path.basename(case), f.read())
    names = ["C:\\bench\\cases\\" + os.path.basename(case) for case in cases]
    out_path, err_path = (os.path.join(sc.prefix, name) for name in ("calls.out", "calls.err"))
    with open(out_path, "wb") as out, open(err_path, "wb") as err:
        done = subprocess.run([WINE, "C:\\bench\\simulate-calls.exe", *names], env=sc.env,
                              cwd=sc.unix_path("C:\\"), stdout=out, stderr=err,
                              stdin=subprocess.DEVNULL, timeout=600)
    with open(out_path, "rb") as out, open(err_path, "rb") as err:
        return done.returncode, out.read(), err.read().decode("latin-1")


class Conformance(unittest.TestCase):
    def test_every_case_answers_as_the_cases_expect_of_wine(self):
        cases = sorted(glob.glob(os.path.join(CONFORMANCE, "cases", "*.calls")))
        self.assertTrue(cases)
        for version, osclass in VERSIONS:
            with self.subTest(version=version):
                started = time.time()
                with Scenario(version, medium=False) as sc:
                    code, output, errors = run_cases(sc, cases)
                    saved = os.path.join(sc.prefix, "calls.out")
                    checked = subprocess.run(
                        [sys.executable, CHECKER, "--class", osclass, "--platform", "wine",
                         "--output", saved, *cases], capture_output=True, text=True, timeout=120)
                print(f"{version}: {time.time() - started:.0f} s", file=sys.stderr)
                print(checked.stdout, end="", file=sys.stderr)
                self.assertEqual(0, code, errors)
                self.assertEqual(0, checked.returncode, checked.stdout + checked.stderr)


if __name__ == "__main__":
    unittest.main()
