"""qvlint.exe against the native qvlint: on the sample medium and on every
medium of the qvlint corpus, `qvlint --plan all MEDIUM`, a plan of one
class and `qvlint MEDIUM` must give the same lines, on both streams, and
the same exit code. The media lie at the same relative path on both sides,
so that only the separators of the medium's own paths differ. Every run of qvlint.exe goes in
one batch file, one start of Wine for the whole module."""

import glob
import os
import re
import shutil
import subprocess
import unittest

import bench
from bench.scenario import BenchError

CASES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "qvlint", "cases")
REPO = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..")
NATIVE_QVLINT = os.environ.get("BENCH_NATIVE_QVLINT",
                               os.path.join(REPO, "build", "native", "qvlint", "qvlint"))
QVLINT = os.path.join(os.path.dirname(bench.MEDIUM), "qvlint", "qvlint.exe")
WORK = r"C:\lint"
MEDIUM_NAME = "medium"
# A plan of one class prints the registry text too, with the run's time
# stamp: the two sides run at one time given.
COMMANDS = (("--plan", "all", MEDIUM_NAME), ("--plan", "98", "--time", "1700000000", MEDIUM_NAME),
            (MEDIUM_NAME,))
# A path of the medium on the disk qvlint runs on, not one of the simulated
# machine (C:\medium\...), with its separators.
MEDIUM_PATH = re.compile(r"(?<![\w\\:])" + MEDIUM_NAME + r"(?:\\[^\\\s:\"']+)+")


def media():
    """{name: host directory that holds `medium`}: the sample medium and the corpus's."""
    found = {"sample": os.path.dirname(bench.MEDIUM)}
    for path in sorted(glob.glob(os.path.join(CASES, "*", MEDIUM_NAME))):
        found[os.path.basename(os.path.dirname(path))] = os.path.dirname(path)
    return found


def native_lines(text):
    """Output of qvlint.exe as the native build writes it: LF line ends, the
    medium's paths with slashes."""
    text = text.replace("\r\n", "\n")
    return MEDIUM_PATH.sub(lambda m: m.group(0).replace("\\", "/"), text).split("\n")


class QvlintExeAgainstNative(bench.ScenarioTestCase, medium=False):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        if not os.path.exists(NATIVE_QVLINT):
            raise BenchError(f"{NATIVE_QVLINT} is missing: build the native preset "
                             "(BENCH_NATIVE_QVLINT names it)")
        cls.media = media()
        os.makedirs(cls.sc.unix_path(WORK + r"\out"))
        shutil.copy(QVLINT, cls.sc.unix_path(WORK))
        batch = ["@echo off"]
        for name, directory in cls.media.items():
            shutil.copytree(os.path.join(directory, MEDIUM_NAME),
                            cls.sc.unix_path(rf"{WORK}\{name}\{MEDIUM_NAME}"))
            batch.append(rf"cd /d {WORK}\{name}")
            for i, args in enumerate(COMMANDS):
                out = rf"{WORK}\out\{name}-{i}"
                batch.append(rf"{WORK}\qvlint.exe {' '.join(args)} >{out}.out 2>{out}.err")
                batch.append(rf"echo exit %ERRORLEVEL% >{out}.code")
        cls.sc.put_file(WORK + r"\run.bat", "\r\n".join(batch + [""]).encode())
        cls.sc.run_console(["cmd", "/c", WORK + r"\run.bat"], WORK)

    def windows_result(self, name, i):
        def read(suffix):
            return self.sc.read_file(rf"{WORK}\out\{name}-{i}.{suffix}").decode("latin-1")
        return int(read("code").split()[1]), native_lines(read("out")), native_lines(read("err"))

    def test_qvlint_exe_gives_the_lines_of_the_native_build(self):
        for name, directory in self.media.items():
            for i, args in enumerate(COMMANDS):
                with self.subTest(name=name, args=" ".join(args)):
                    native = subprocess.run([NATIVE_QVLINT, *args], cwd=directory,
                                            capture_output=True, timeout=60)
                    code, out, err = self.windows_result(name, i)
                    self.assertEqual(out, native.stdout.decode("latin-1").split("\n"))
                    self.assertEqual(err, native.stderr.decode("latin-1").split("\n"))
                    self.assertEqual(code, native.returncode)


if __name__ == "__main__":
    unittest.main()
