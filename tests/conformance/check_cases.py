"""Checks the answers of simulate-calls against the expectations of case files.

    check_cases.py --class CLASS --platform windows|wine (--runner CMD | --output FILE) CASE...

With --runner, runs `CMD --class CLASS --platform PLATFORM CASE...` once on all
cases; with --output, reads what an earlier run printed (the run under Wine).
Each output line is paired with its call step; the expected answer is the
`#>` line chosen for the class (windows: CLASS > family > all; wine: the same
prefixed wine-, then wine, then the documented answer). A call that no line
covers for the class is not checked. `*` in place of a field matches any.
Prints one line per difference and a summary; exit 1 on any difference, 2
when a case or the run can not be read."""

import argparse
import os
import shlex
import subprocess
import sys

CLASSES = ("95", "98", "98se", "me", "nt4", "2000")
FAMILIES = {"95": "9x", "98": "9x", "98se": "9x", "me": "9x", "nt4": "nt", "2000": "nt"}
SETTING_UP = ("file", "readonly", "hold", "value")
WHOS = set(CLASSES) | {"9x", "nt", "all"}
WHOS |= {"wine-" + who for who in WHOS if who != "all"} | {"wine"}


class CaseError(Exception):
    pass


class Call:
    """A call step of a case: where it is, its text, and its answers by WHO."""

    def __init__(self, path, line, text):
        self.path, self.line, self.text = path, line, text
        self.method = text.split(None, 1)[0]
        self.answers = {}

    def expected(self, osclass, platform):
        """The answer expected of the class on the platform; None when none is given."""
        documented = [osclass, FAMILIES[osclass], "all"]
        order = (["wine-" + osclass, "wine-" + FAMILIES[osclass], "wine"] if platform == "wine"
                 else []) + documented
        for who in order:
            if who in self.answers:
                return self.answers[who]
        return None


def read_case(path):
    """The call steps of a case file, in order, with their answers."""
    calls, current = [], None
    with open(path, encoding="latin-1") as case:
        for number, line in enumerate(case, 1):
            text = line.rstrip("\r\n").strip()
            if text.startswith("#>"):
                who, colon, answer = text[2:].partition(":")
                who = who.strip()
                if not colon or who not in WHOS:
                    raise CaseError(f"{path}:{number}: an expectation is `#> WHO: ANSWER`")
                if current is None:
                    raise CaseError(f"{path}:{number}: an expectation follows a call step")
                if who in current.answers:
                    raise CaseError(f"{path}:{number}: a second answer for {who}")
                current.answers[who] = answer.strip()
            elif not text or text.startswith("#"):
                continue
            elif text.split(None, 1)[0] in SETTING_UP:
                current = None
            else:
                current = Call(path, number, text)
                calls.append(current)
    return calls


def fields(text):
    """The fields of an answer: a quoted field as ("s", its bytes), another as ("w", text)."""
    found, i = [], 0
    while i < len(text):
        if text[i] in " \t":
            i += 1
            continue
        if text[i] != '"':
            end = i
            while end < len(text) and text[end] not in " \t":
                end += 1
            found.append(("w", text[i:end]))
            i = end
            continue
        data, i = bytearray(), i + 1
        while True:
            if i >= len(text):
                raise ValueError(f"unterminated string in {text!r}")
            c = text[i]
            if c == '"':
                i += 1
                break
            if c == "\\":
                e = text[i + 1:i + 2]
                if e in ("r", "n", "t", "\\", '"'):
                    data += {"r": b"\r", "n": b"\n", "t": b"\t"}.get(e, e.encode())
                    i += 2
                elif e == "x" and len(text) >= i + 4:
                    data.append(int(text[i + 2:i + 4], 16))
                    i += 4
                else:
                    raise ValueError(f"bad escape in {text!r}")
            else:
                data += c.encode("latin-1")
                i += 1
        found.append(("s", bytes(data)))
    return found


def matches(expected, actual):
    """Whether an answer matches the expected one, field by field; `*` matches any field."""
    try:
        want, got = fields(expected), fields(actual)
    except ValueError:
        return expected == actual
    return len(want) == len(got) and all(w == ("w", "*") or w == g for w, g in zip(want, got))


def sections(output, paths):
    """{case path: [answer lines]} of the runner's output; with one case there is no heading."""
    lines = [line.rstrip("\r") for line in output.splitlines()]
    if len(paths) == 1:
        return {paths[0]: lines}
    by_name = {os.path.basename(path): path for path in paths}
    found, current = {}, None
    for line in lines:
        if line.startswith("== "):
            name = line[3:].replace("\\", "/").rsplit("/", 1)[-1]
            current = by_name.get(name)
            if current is None:
                raise CaseError(f"the output names a case that was not given: {line[3:]}")
            found[current] = []
        elif current is not None:
            found[current].append(line)
    return found


def compare(calls_by_case, output, osclass, platform):
    """(calls checked, [difference lines])."""
    answers = sections(output, list(calls_by_case))
    checked, differences = 0, []
    for path, calls in calls_by_case.items():
        lines = answers.get(path, [])
        for index, call in enumerate(calls):
            expected = call.expected(osclass, platform)
            if expected is None:
                continue
            checked += 1
            line = lines[index] if index < len(lines) else None
            method, arrow, actual = (line or "").partition(" -> ")
            if line is None or not arrow or method != call.method:
                differences.append(f"{path}:{call.line}: {call.text}: expected {expected}, "
                                   f"got {'no answer' if line is None else repr(line)}")
            elif not matches(expected, actual):
                differences.append(f"{path}:{call.line}: {call.text}: expected {expected}, "
                                   f"got {actual}")
    return checked, differences


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--class", dest="osclass", required=True, choices=CLASSES)
    parser.add_argument("--platform", required=True, choices=("windows", "wine"))
    source = parser.add_mutually_exclusive_group(required=True)
    source.add_argument("--runner", help="the runner's command, before its options")
    source.add_argument("--output", help="a file with the runner's output")
    parser.add_argument("cases", nargs="+")
    args = parser.parse_args(argv)
    try:
        calls_by_case = {path: read_case(path) for path in args.cases}
        failed = False
        if args.runner:
            done = subprocess.run(shlex.split(args.runner) + ["--class", args.osclass,
                                                              "--platform", args.platform]
                                  + args.cases, capture_output=True, timeout=600)
            output = done.stdout.decode("latin-1")
            failed = done.returncode != 0
            if failed:
                print(f"the runner failed (exit {done.returncode}): "
                      f"{done.stderr.decode('latin-1').strip()}")
        else:
            with open(args.output, encoding="latin-1") as f:
                output = f.read()
        checked, differences = compare(calls_by_case, output, args.osclass, args.platform)
    except (CaseError, OSError) as e:
        print(f"check_cases: {e}", file=sys.stderr)
        return 2
    for line in differences:
        print(line)
    print(f"conformance: {checked} calls checked on {args.osclass} ({args.platform}), "
          f"{len(differences)} differ")
    return 1 if differences or failed else 0


if __name__ == "__main__":
    sys.exit(main())
