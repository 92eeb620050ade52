"""qvlint on the corpus: every directory below cases/ is one case.

    cases/<case>/command    the arguments, run with the case directory as the
                            current directory
    cases/<case>/stdin      optional: what qvlint reads on standard input
    cases/<case>/expected   "exit N", then the expected output line by line

Each case also runs with --json, whose findings must be those of the lines.
A line and a JSON object are a note exactly when --codes gives their code
that severity, the exit code is 1 exactly when a finding that is not a note
is printed, and no output holds a control character but the line feeds.
Every finding code must appear in some case, except those that no file can
bring about with the directories qvlint assumes (the unit tests hold them).
The command lines that read no input (--help, --version, an unknown option)
must end with their exit codes and write to their streams.

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
# tests/unit/qvlint_plan_test.cpp holds them.
NOT_IN_CORPUS = {"launch-path-too-long", "plan-run-fails", "plan-copy-fails", "plan-launch-fails",
                 "plan-medium-incomplete", "plan-preflight-fails"}
LINE = re.compile(r"^(.*?):(\d+):(\d+): (warning|note): .*; .* \[([a-z0-9-]+)\]$")
PLATFORMS = ["9x", "nt", "wine9x", "winent"]
CONTROL = re.compile(r"[\x00-\x09\x0b-\x1f\x7f]")


def run(qvlint, case, extra=()):
    args = shlex.split(open(os.path.join(case, "command")).read())
    stdin = os.path.join(case, "stdin")
    given = open(stdin, "rb").read() if os.path.exists(stdin) else b""
    done = subprocess.run([qvlint, *extra, *args], cwd=case, input=given, capture_output=True,
                          timeout=60)
    return done.returncode, done.stdout.decode("latin-1")


def check_case(qvlint, name, severities, update):
    """Returns (problems, codes seen); `severities` maps each code to its severity."""
    case = os.path.join(CASES, name)
    code, out = run(qvlint, case)
    expected_file = os.path.join(case, "expected")
    if update:
        with open(expected_file, "w") as f:
            f.write(f"exit {code}\n{out}")
    expected = open(expected_file).read().split("\n", 1)
    problems = []
    if f"exit {code}" != expected[0]:
        problems.append(f"exit code {code}, expected {expected[0]!r}")
    if out != (expected[1] if len(expected) > 1 else ""):
        problems.append("output differs:\n--- got\n" + out + "--- expected\n" + expected[1])

    found = []
    for line in out.splitlines():
        match = LINE.match(line)
        if not match:
            problems.append(f"not a finding line: {line!r}")
            continue
        found.append((match.group(1), int(match.group(2)), int(match.group(3)), match.group(5)))
        if (match.group(4) == "note") != (severities.get(match.group(5)) == "note"):
            problems.append(f"a note and a finding mixed up: {line!r}")
    if code != 2 and code != int(any(severities.get(c) == "finding" for *_, c in found)):
        problems.append(f"exit code {code} for these findings and notes")

    json_code, json_out = run(qvlint, case, ["--json"])
    if json_code != code:
        problems.append(f"--json ends with {json_code}, the lines with {code}")
    for output in (out, json_out):
        if CONTROL.search(output):
            problems.append(f"a control character in the output: {output!r}")
    if code != 2:
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
    """Problems of the command lines that read no input: each row gives the
    arguments, the exit code and what standard output and standard error
    hold, as patterns of the whole text ("" where nothing may be written)."""
    usage = r"usage: qvlint .*"
    rows = [
        (["--help"], 0, usage, ""),
        (["-h"], 0, usage, ""),
        (["--json", "--help", "missing.ini"], 0, usage, ""),
        (["--version"], 0, re.escape(f"qvlint {project_version()}\n"), ""),
        (["--fix", "missing.ini"], 2, "", usage),
        (["--effect"], 2, "", usage),
        (["--plan", "xp", "."], 2, "", usage),
    ]
    problems = []
    for args, code, out, err in rows:
        done = subprocess.run([qvlint, *args], capture_output=True, stdin=subprocess.DEVNULL, timeout=60)
        got_out, got_err = done.stdout.decode("latin-1"), done.stderr.decode("latin-1")
        if done.returncode != code or not re.fullmatch(out, got_out, re.DOTALL) or \
                not re.fullmatch(err, got_err, re.DOTALL):
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
