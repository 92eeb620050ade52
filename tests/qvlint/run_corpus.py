"""qvlint on the corpus: every directory below cases/ is one case.

    cases/<case>/command    the arguments, run with the case directory as the
                            current directory
    cases/<case>/expected   "exit N", then the expected output line by line

Each case also runs with --json, whose findings must be those of the lines.
Every finding code must appear in some case, except those that no file can
bring about with the directories qvlint assumes (the unit tests hold them).

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
# the one qvlint assumes: tests/unit/qvlint_setup_ini_test.cpp holds it.
NOT_IN_CORPUS = {"launch-path-too-long"}
LINE = re.compile(r"^(.*?):(\d+): .*; .* \[([a-z0-9-]+)\]$")


def run(qvlint, case, extra=()):
    args = shlex.split(open(os.path.join(case, "command")).read())
    done = subprocess.run([qvlint, *extra, *args], cwd=case, capture_output=True, timeout=60)
    return done.returncode, done.stdout.decode("latin-1")


def check_case(qvlint, name, update):
    """Returns (problems, codes seen)."""
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
        found.append((match.group(1), int(match.group(2)), match.group(3)))

    json_code, json_out = run(qvlint, case, ["--json"])
    if json_code != code:
        problems.append(f"--json ends with {json_code}, the lines with {code}")
    if code != 2:
        objects = json.loads(json_out)
        if [(o["file"], o["line"], o["code"]) for o in objects] != found:
            problems.append("--json holds other findings than the lines")
        for o in objects:
            if set(o) != {"file", "line", "program", "code", "reason", "effect"} or \
                    o["program"] not in ("setup", "qvsmzad"):
                problems.append(f"malformed JSON finding {o!r}")
    return problems, {c for _, _, c in found}


def main():
    qvlint = os.path.abspath(sys.argv[1])
    update = sys.argv[2:] == ["--update"]
    all_codes = {line.split()[0] for line in
                 subprocess.run([qvlint, "--codes"], capture_output=True, check=True).stdout.decode().splitlines()}
    seen, failed = set(), 0
    for name in sorted(os.listdir(CASES)):
        problems, codes = check_case(qvlint, name, update)
        seen |= codes
        print(f"{'FAIL' if problems else 'ok  '} {name}")
        for problem in problems:
            print("     " + problem.replace("\n", "\n     "))
        failed += bool(problems)
    missing = all_codes - seen - NOT_IN_CORPUS
    if missing:
        print(f"FAIL finding codes that no case shows: {', '.join(sorted(missing))}")
        failed += 1
    print(f"{len(os.listdir(CASES))} cases, {len(seen)} of {len(all_codes)} finding codes shown, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
