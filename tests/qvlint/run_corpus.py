"""qvlint on the corpus: every directory below cases/ is one case.

    cases/<case>/command    the arguments, run with the case directory as the
                            current directory
    cases/<case>/stdin      optional: what qvlint reads on standard input
    cases/<case>/expected   "exit N", then the expected output line by line
    cases/<case>/expected_stderr
                            optional: what qvlint writes to standard error (the
                            closing count, a usage error); nothing when absent

Each case also runs with --json, whose findings must be those of the lines.
A line and a JSON object have the severity that --codes gives their code,
the exit code is 2 when an error is printed, 1 when a warning but no error
is, 0 otherwise (3: an unusable command line or input), the closing count on
standard error is that of the lines, and no output holds a control character
but the line feeds.
Every finding code must appear in some case, except those that no file can
bring about with the directories qvlint assumes (the unit tests hold them).
The command lines that print the usage or the version must end with exit
code 0 and write to standard output only.

    run_corpus.py QVLINT            check
    run_corpus.py QVLINT --update   write each case's expected file anew
"""

import json
import os
import re
import shlex
import subprocess
import sys

CASES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "cases")
# A program path over 259 characters needs a longer Windows directory than
# the one qvlint assumes: tests/unit/qvlint_setup_ini_test.cpp holds it. The
# findings of --plan come with a plan, not as lines alone:
# tests/unit/qvlint_plan_test.cpp holds them. No check reports
# debug-message-boxes and name-not-ansi yet.
NOT_IN_CORPUS = {"debug-message-boxes", "name-not-ansi", "launch-path-too-long", "plan-run-fails",
                 "plan-copy-fails", "plan-launch-fails", "plan-medium-incomplete",
                 "plan-preflight-fails"}
LINE = re.compile(r"^(.*?):(\d+):(\d+): (error|warning|note): .*; .* \[([a-z0-9-]+)\]$")
PLATFORMS = ["9x", "nt", "wine9x", "winent"]
CONTROL = re.compile(r"[\x00-\x09\x0b-\x1f\x7f]")


def run(qvlint, case, extra=()):
    args = shlex.split(open(os.path.join(case, "command")).read())
    stdin = os.path.join(case, "stdin")
    given = open(stdin, "rb").read() if os.path.exists(stdin) else b""
    done = subprocess.run([qvlint, *extra, *args], cwd=case, input=given, capture_output=True,
                          timeout=60)
    return done.returncode, done.stdout.decode("latin-1"), done.stderr.decode("latin-1")


def closing_line(severities):
    """The count that qvlint writes last on standard error for the findings
    of these severities: "qvlint: 2 errors, 1 warning", or nothing."""
    counts = [(severities.count(s), s) for s in ("error", "warning")]
    parts = [f"{n} {s}{'' if n == 1 else 's'}" for n, s in counts if n]
    return f"qvlint: {', '.join(parts)}\n" if parts else ""


def expected_code(severities):
    return 2 if "error" in severities else 1 if "warning" in severities else 0


def check_case(qvlint, name, severities, update):
    """Returns (problems, codes seen); `severities` maps each code to its severity."""
    case = os.path.join(CASES, name)
    code, out, err = run(qvlint, case)
    expected_file = os.path.join(case, "expected")
    stderr_file = os.path.join(case, "expected_stderr")
    if update:
        with open(expected_file, "w") as f:
            f.write(f"exit {code}\n{out}")
        if err:
            with open(stderr_file, "w") as f:
                f.write(err)
        elif os.path.exists(stderr_file):
            os.remove(stderr_file)
    expected = open(expected_file).read().split("\n", 1)
    expected_err = open(stderr_file).read() if os.path.exists(stderr_file) else ""
    problems = []
    if f"exit {code}" != expected[0]:
        problems.append(f"exit code {code}, expected {expected[0]!r}")
    if out != (expected[1] if len(expected) > 1 else ""):
        problems.append("output differs:\n--- got\n" + out + "--- expected\n" + expected[1])
    if err != expected_err:
        problems.append("errors differ:\n--- got\n" + err + "--- expected\n" + expected_err)

    found, printed = [], []
    for line in out.splitlines():
        match = LINE.match(line)
        if not match:
            problems.append(f"not a finding line: {line!r}")
            continue
        found.append((match.group(1), int(match.group(2)), int(match.group(3)), match.group(5)))
        printed.append(match.group(4))
        if match.group(4) != severities.get(match.group(5)):
            problems.append(f"not the severity of its code: {line!r}")
    if code != 3 and code != expected_code(printed):
        problems.append(f"exit code {code} for these findings")
    if code != 3 and not err.endswith(closing_line(printed)):
        problems.append(f"the count on standard error is not {closing_line(printed)!r}")

    json_code, json_out, json_err = run(qvlint, case, ["--json"])
    if json_code != code:
        problems.append(f"--json ends with {json_code}, the lines with {code}")
    # An unusable command line names its first fault, which --json may be.
    if code != 3 and json_err != err:
        problems.append(f"--json writes other errors than the lines: {json_err!r}")
    for output in (out, json_out, err):
        if CONTROL.search(output):
            problems.append(f"a control character in the output: {output!r}")
    if code != 3:
        objects = json.loads(json_out)
        if [(o["file"], o["line"], o["column"], o["code"]) for o in objects] != found:
            problems.append("--json holds other findings than the lines")
        for o in objects:
            if set(o) != {"file", "line", "column", "program", "code", "severity", "platforms",
                          "reason", "effect"} or \
                    o["program"] not in ("setup", "qvsmzad") or o["severity"] != severities.get(o["code"]) or \
                    not o["platforms"] or o["platforms"] != [p for p in PLATFORMS if p in o["platforms"]]:
                problems.append(f"malformed JSON finding {o!r}")
    return problems, {c for *_, c in found}


def project_version():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "CMakeLists.txt")
    return re.search(r"project\(\S+ VERSION (\S+)", open(root).read()).group(1)


def check_command_lines(qvlint):
    """Problems of the command lines that print the usage or the version:
    each row gives the arguments and what standard output holds, as a
    pattern of the whole text."""
    usage = r"usage: qvlint .*"
    rows = [
        (["--help"], usage),
        (["-h"], usage),
        (["--json", "--help", "missing.ini"], usage),
        (["--bogus", "--help"], usage),
        (["--version"], re.escape(f"qvlint {project_version()}\n")),
    ]
    problems = []
    for args, out in rows:
        done = subprocess.run([qvlint, *args], capture_output=True, stdin=subprocess.DEVNULL, timeout=60)
        got_out, got_err = done.stdout.decode("latin-1"), done.stderr.decode("latin-1")
        if done.returncode != 0 or not re.fullmatch(out, got_out, re.DOTALL) or got_err:
            problems.append(f"{' '.join(args)}: exit {done.returncode}, output {got_out!r}, "
                            f"errors {got_err!r}")
    return problems


def main():
    qvlint = os.path.abspath(sys.argv[1])
    update = sys.argv[2:] == ["--update"]
    codes_out = subprocess.run([qvlint, "--codes"], capture_output=True, check=True).stdout.decode()
    severities = {line.split()[0]: line.split()[1] for line in codes_out.splitlines()}
    all_codes = set(severities)
    seen, failed = set(), 0
    for name in sorted(os.listdir(CASES)):
        problems, codes = check_case(qvlint, name, severities, update)
        seen |= codes
        print(f"{'FAIL' if problems else 'ok  '} {name}")
        for problem in problems:
            print("     " + problem.replace("\n", "\n     "))
        failed += bool(problems)
    for problem in check_command_lines(qvlint):
        print(f"FAIL command line {problem}")
        failed += 1
    missing = all_codes - seen - NOT_IN_CORPUS
    if missing:
        print(f"FAIL finding codes that no case shows: {', '.join(sorted(missing))}")
        failed += 1
    print(f"{len(os.listdir(CASES))} cases, {len(seen)} of {len(all_codes)} finding codes shown, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
