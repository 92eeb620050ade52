"""qvsmzad against `qvlint --effect`: a country settings file run by
qvsmzad.exe in one prefix, and qvlint's REGEDIT4 account of that run
imported by the 32-bit regedit into another prefix of the same Windows
version; the two registries must be the same below the trees that the
files of country_files.py can reach.

Each side keeps one prefix for all files (a lane) and puts the trees back
to a fresh machine's state before each file; the lanes of both sides and of
both versions work side by side.

    with Differential() as bench:
        for disagreement in bench.check_all([("my file", b"[B5]\\r\\nGain=1\\r\\n")]):
            print(disagreement.report())
"""

import concurrent.futures
import os
import shutil
import struct
import subprocess
import time

from .country_files import ROOT_VALUE_PREFIX, country_file, escaped
from .scenario import MEDIUM, BenchError, Scenario

# qvlint's Windows console build lies beside the medium in the build tree.
QVLINT_EXE = os.path.join(os.path.dirname(MEDIUM), "qvlint", "qvlint.exe")
# The platform of qvlint's model that each Windows version of the test
# platform is: Wine's registry, not the documented one of that family.
PLATFORMS = {"win98": "wine9x", "win2k": "winent"}
VERSIONS = tuple(PLATFORMS)

WORK = r"C:\work"
COUNTRY_FILE = WORK + r"\country.ini"
EFFECT_FILE = WORK + r"\effect.reg"
QVSMZAD = r"C:\medium\qvsmzad.exe"
REGEDIT = r"C:\windows\syswow64\regedit.exe"  # the 32-bit one, which sees the 32-bit view

# Trees compared whole. HKCU must stay untouched: qvsmzad writes only below HKLM.
TREES = (r"HKLM\SOFTWARE\TAVELIN", r"HKLM\SOFTWARE\QvGen", r"HKCU\Software\QvGen")
# Keys whose own values and subkey names are compared, where they belong to
# the trees above: the spelling of the trees' own names, and the values
# that a key path of one backslash writes into the HKLM root on 9x.
SOFTWARE = r"HKLM\SOFTWARE"
TREE_NAMES = ("tavelin", "qvgen")
STAMP_KEY = r"HKLM\SOFTWARE\TAVELIN\SoftModem"
STAMP = "HomolTimeStamp"


def _stamp_time(value):
    kind, data = value
    return struct.unpack("<I", data)[0] if kind == "REG_BINARY" and len(data) == 4 else None


def flatten(dumps, started, ended):
    """One registry state as {entry: content}: ("key", path) -> "" for every
    key, ("value", path, name) -> (type, data) for every value. A time
    stamp that holds the time of the run (between `started` and `ended`)
    reads "time of the run", since the two sides run at different times.
    Keys and values whose names hold a line break are set apart (a REGEDIT4
    file can not name them): returned as the second item."""
    flat, broken = {}, []

    def walk(path, tree):
        flat[("key", path)] = ""
        for name, value in tree["values"].items():
            if "\r" in name or "\n" in name:
                broken.append(f"{path} [{name}]")
                continue
            stamp = _stamp_time(value) if (path, name) == (STAMP_KEY, STAMP) else None
            if stamp is not None and started - 5 <= stamp <= ended + 5:
                value = (value[0], "time of the run")
            flat[("value", path, name)] = value
        for name, sub in tree["keys"].items():
            if "\r" in name or "\n" in name:
                broken.append(path + "\\" + name)
            else:
                walk(path + "\\" + name, sub)

    for root in TREES:
        if dumps[root] is not None:
            walk(root, dumps[root])
    for name in dumps[SOFTWARE]["keys"]:
        if name.lower() in TREE_NAMES:
            flat[("name", SOFTWARE + "\\" + name)] = ""
    for name, value in dumps["HKLM"]["values"].items():
        if name.lower().startswith(ROOT_VALUE_PREFIX.lower()):
            flat[("value", "HKLM", name)] = value
    return flat, broken


def shown(text):
    """Text or bytes as one readable line: printable ASCII as it is, every
    other byte as \\xNN (backslashes stay single, as in registry paths)."""
    data = text.encode("latin-1") if isinstance(text, str) else text
    return "".join(chr(b) if 0x20 <= b < 0x7F else f"\\x{b:02x}" for b in data)


def describe(entry, content):
    if content is None:
        return "missing"
    if entry[0] != "value":
        return "present"
    kind, data = content
    if isinstance(data, str):
        return f"{kind} ({data})"
    if kind in ("REG_SZ", "REG_EXPAND_SZ"):
        return f'{kind} "{shown(data)}"'
    return f"{kind} {data.hex(' ') if data else '(no bytes)'}"


def entry_name(entry):
    if entry[0] == "value":
        return f"value {shown(entry[1])} [{shown(entry[2])}]"
    return f"{'key' if entry[0] == 'key' else 'spelling of'} {shown(entry[1])}"


class Lane:
    """One prefix of one Windows version for one side: "qvsmzad" runs the
    program; "model" runs qvlint --effect and imports its output with
    regedit. `tamper`, when set, changes qvlint's output first: a function
    of the output, the file and the platform that returns the .reg bytes
    to import (the test plants a wrong value with it)."""

    def __init__(self, version, side, qvlint=QVLINT_EXE):
        self.version, self.side, self.qvlint = version, side, qvlint
        self.tamper = None
        self.sc = None

    def open(self):
        self.sc = Scenario(self.version, medium=self.side == "qvsmzad").__enter__()
        os.makedirs(self.sc.unix_path(WORK), exist_ok=True)
        if self.side == "model" and self.qvlint.endswith(".exe"):
            shutil.copy(self.qvlint, self.sc.unix_path(WORK + r"\qvlint.exe"))
        return self

    def close(self):
        if self.sc:
            self.sc.__exit__(None, None, None)

    def reset(self):
        """The trees and the root values as on a machine that never ran qvsmzad."""
        root_values = [("X", "HKLM", ROOT_VALUE_PREFIX + suffix) for suffix in ("Root", "Root2")]
        self.sc.seed_records([("D", tree) for tree in TREES] + root_values)

    def apply(self, content):
        """Puts the trees back, applies the file; returns (state, .reg text
        or None, what went wrong or None). A start of a program that Wine
        did not make (seen on a loaded machine) is made once more, from a
        fresh reset."""
        try:
            return self._apply(content)
        except BenchError:
            return self._apply(content)

    def _apply(self, content):
        self.reset()
        self.sc.put_file(COUNTRY_FILE, content)
        started = time.time()
        reg, trouble = None, None
        if self.side == "qvsmzad":
            result = self.sc.run(QVSMZAD, args=COUNTRY_FILE, cwd=WORK)
            if result.exit_code != 0 or result.boxes:
                trouble = f"qvsmzad ended with {result.outcome}, boxes {result.boxes}"
        else:
            reg, trouble = self._model(content)
            if trouble is None:
                self.sc.put_file(EFFECT_FILE, reg)
                # regedit /s ends with 0 whatever the file holds; anything
                # else is a start that Wine did not make.
                code, _ = self.sc.run_console([REGEDIT, "/s", EFFECT_FILE], WORK)
                if code != 0:
                    raise BenchError(f"regedit ended with {code}")
        dumps = self.sc.registries(TREES + ("HKLM", SOFTWARE), top=("HKLM", SOFTWARE))
        return flatten(dumps, started, time.time()), reg, trouble

    def _model(self, content):
        platform = PLATFORMS[self.version]
        if self.qvlint.endswith(".exe"):
            code, reg = self.sc.run_console([WORK + r"\qvlint.exe", "--effect", "--platform",
                                             platform, COUNTRY_FILE], WORK)
        else:  # a native build, on the file as the prefix holds it
            done = subprocess.run([self.qvlint, "--effect", "--platform", platform,
                                   self.sc.unix_path(COUNTRY_FILE)], capture_output=True, timeout=120)
            code, reg = done.returncode, done.stdout
        if code not in (0, 2) and not reg:
            raise BenchError(f"qvlint ended with {code} and wrote nothing")
        if self.tamper:
            reg = self.tamper(reg, content, platform)
        if not reg.startswith(b"REGEDIT4"):
            return reg, f"qvlint gave no REGEDIT4 file (exit code {code})"
        return reg, None


class Disagreement:
    """A file whose effects differ on one Windows version."""

    def __init__(self, label, version, content, reg, differences, broken, trouble):
        self.label, self.version, self.content, self.reg = label, version, content, reg
        self.differences, self.broken, self.trouble = differences, broken, trouble

    @property
    def limitation(self):
        """qvsmzad made keys or values whose names a REGEDIT4 file can not hold."""
        return bool(self.broken)

    def report(self):
        platform = PLATFORMS[self.version]
        lines = [f"{self.version} (--platform {platform}), {self.label}",
                 f"  file: {escaped(self.content)}"]
        if self.trouble:
            lines.append(f"  {self.trouble}")
        if self.broken:
            lines.append("  qvsmzad made keys or values with a line break in the name, which no "
                         "REGEDIT4 file can name: " + ", ".join(shown(k) for k in self.broken))
        if self.reg is not None:
            lines.append(f"  qvlint --effect --platform {platform}:")
            lines += ["    " + shown(line) for line in self.reg.split(b"\r\n")]
        lines.append("  differences: qvsmzad | regedit of qvlint's file")
        lines += [f"    {entry_name(e)}: {describe(e, a)} | {describe(e, b)}"
                  for e, a, b in self.differences]
        return "\n".join(lines)


def _differences(expected, actual):
    entries = sorted(set(expected) | set(actual), key=lambda e: tuple(map(str, e)))
    return [(e, expected.get(e), actual.get(e)) for e in entries if expected.get(e) != actual.get(e)]


class Differential:
    """Both sides' lanes for each version, opened side by side."""

    def __init__(self, versions=VERSIONS, qvlint=QVLINT_EXE):
        self.lanes = {v: (Lane(v, "qvsmzad"), Lane(v, "model", qvlint)) for v in versions}

    def tamper(self, change):
        """Sets (or with None clears) the change of qvlint's output on every version."""
        for _, model in self.lanes.values():
            model.tamper = change

    def __enter__(self):
        lanes = [lane for pair in self.lanes.values() for lane in pair]
        with concurrent.futures.ThreadPoolExecutor(len(lanes)) as pool:
            opened = [pool.submit(lane.open) for lane in lanes]
        errors = [f.exception() for f in opened if f.exception()]
        if errors:
            self.__exit__()
            raise errors[0]
        return self

    def __exit__(self, *exc):
        for pair in self.lanes.values():
            for lane in pair:
                lane.close()
        return False

    def _check_version(self, version, cases, progress):
        qvsmzad, model = self.lanes[version]
        found = []
        with concurrent.futures.ThreadPoolExecutor(2) as pool:

            def compare(content):
                ran, modelled = pool.submit(qvsmzad.apply, content), pool.submit(model.apply, content)
                (expected, broken), _, trouble = ran.result()
                (actual, _), reg, model_trouble = modelled.result()
                return _differences(expected, actual), broken, trouble or model_trouble, reg

            for label, content in cases:
                differences, broken, trouble, reg = compare(content)
                if differences or trouble:
                    # A disagreement must show again: a glitch of Wine (a
                    # program that did not start) does not.
                    differences, broken, trouble, reg = compare(content)
                if differences or trouble or broken:
                    found.append(Disagreement(label, version, content, reg, differences, broken,
                                              trouble))
                if progress:
                    progress(version, label, bool(differences or trouble))
        return found

    def check_all(self, cases, progress=None):
        """Every (label, bytes) case on every version; the disagreements,
        and the files where qvsmzad made keys that REGEDIT4 can not name."""
        cases = list(cases)
        with concurrent.futures.ThreadPoolExecutor(len(self.lanes)) as pool:
            runs = [pool.submit(self._check_version, v, cases, progress) for v in self.lanes]
        found = []
        for run in runs:
            found += run.result()
        return found


def generated_cases(seed, count, first=0):
    return [(f"seed {seed} file {i}", country_file(seed, i)) for i in range(first, first + count)]


def corpus_cases(folder):
    """The kept cases: every *.ini file of the folder, by name."""
    names = sorted(n for n in os.listdir(folder) if n.endswith(".ini"))
    cases = []
    for name in names:
        with open(os.path.join(folder, name), "rb") as f:
            cases.append((name, f.read()))
    return cases


def summary(found, files, versions):
    limits = [d for d in found if d.limitation and not d.differences and not d.trouble]
    real = [d for d in found if d not in limits]
    lines = [f"{files} files x {len(versions)} versions: {files * len(versions) - len(found)} agree, "
             f"{len(real)} disagree, {len(limits)} only where qvsmzad made keys that REGEDIT4 "
             "can not name"]
    for d in real + limits:
        lines += ["", ("DISAGREEMENT " if d in real else "LIMITATION ") + d.report()]
    if real:
        lines += ["", "To keep a case: python3 -m bench country-differential --seed S --first I "
                  "--files 1 --save DIR writes it as DIR/seedS-fileI.ini (or write the bytes "
                  "above to a file); put it into tests/qvlint/effect_cases/ under a name that "
                  "says what it holds."]
    return "\n".join(lines)
