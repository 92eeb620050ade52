"""Runs of qvsmzad.exe, the country settings utility: where it reads its file
and writes its settings, and the file's content."""

import time

EXE = r"C:\medium\qvsmzad.exe"
WORK = r"C:\work"
INI = WORK + r"\QVSMzad.ini"
SOFTMODEM = r"HKLM\SOFTWARE\TAVELIN\SoftModem"
COUNTRY = SOFTMODEM + r"\Country"


def ini(*lines, end=b"\r\n"):
    """File content: lines joined with CR LF, as an editor on Windows saves them."""
    return b"".join((line.encode("latin-1") if isinstance(line, str) else line) + end
                    for line in lines)


class QvsmzadRuns:
    """Runs of qvsmzad for a TestCase whose scenario is self.sc."""

    def run_file(self, content, args="", expect_exit=0):
        """Writes the file that args names (without: the default file) and
        runs qvsmzad on it; returns the time it started."""
        self.sc.put_file(args or INI, content)
        return self.run_qvsmzad(args, expect_exit)

    def run_qvsmzad(self, args="", expect_exit=0, cwd=WORK):
        started = time.time()
        result = self.sc.run(EXE, args=args, cwd=cwd)
        self.assertEqual(expect_exit, result.exit_code,
                         f"{self.sc.version}: qvsmzad {args!r} ended with {result.outcome!r}")
        self.assertEqual([], result.boxes, "qvsmzad shows nothing")
        return started
