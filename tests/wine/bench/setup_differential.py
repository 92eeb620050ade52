"""setup.exe under Wine against setup's own run on the simulated Windows
(setup_simulate), on the scenario directories of setup_scenarios.py.

Both sides give one result (JSON):

    {"exit_code": 0, "waits_forever": false,
     "library_calls": ["RemoveModem", ...],          the stand-ins' call log, by name
     "programs": ["C:\\medium\\qvsetup3.exe remove", ...],   started, path and arguments
     "registry": {"SOFTWARE\\TAVELIN": {"CLEANUPREGISTRY": "sz:5900"}, ...},
     "files": {"C:\\WINDOWS\\QVREMOVE.EXE": "sha1:...", "C:\\WINDOWS\\X": null},
     "log": ["start: class 6 ...", ...]}             the installation log, times cut

The Wine side runs each scenario in a fresh prefix; a disagreement is run
once more under Wine and counts only when it shows again.

    bench = Differential()
    for found in bench.check_all(generated_cases("7", 12, "/tmp/scenarios")):
        print(found.report())
"""

import collections
import concurrent.futures
import hashlib
import json
import os
import re
import shutil
import subprocess
import time

from .agent import REG_TYPES
from .scenario import BenchError, Scenario
from .setup_scenarios import (CLASSES, COMPUTER_NAME, MEDIUM_DIR, RECORDER_NAMES, WINDOWS_DIR,
                              directory_name, keep, materialise, read_machine_reg,
                              read_scenario_ini, scenario, write)
from .standins import CALL_LOG, wait_for

REPO = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..")
SIMULATE = os.environ.get("BENCH_SIMULATE",
                          os.path.join(REPO, "build", "native", "simulator", "setup_simulate"))

# The Windows version of each class. Wine's win98 is Second Edition (4.10.2222).
VERSIONS = {"95": "win95", "98": "win98", "98se": "win98", "me": "winme", "nt4": "nt40",
            "2000": "win2k"}
# A first edition of 98 (4.10.1998): with no version named for Wine and no NT
# version in the registry, Wine takes the 9x version record.
FIRST_EDITION_98 = [("X", r"HKCU\Software\Wine", "Version"),
                    ("X", r"HKLM\Software\Microsoft\Windows NT\CurrentVersion", "CurrentVersion"),
                    ("V", r"HKLM\Software\Microsoft\Windows\CurrentVersion", "VersionNumber",
                     "REG_SZ", b"4.10.1998\0")]
# Where Windows keeps the computer's name, which Wine sets from the host's.
COMPUTER_NAME_KEYS = (r"HKLM\System\CurrentControlSet\Control\ComputerName\ComputerName",
                      r"HKLM\System\CurrentControlSet\Control\ComputerName\ActiveComputerName")
# The bench's other program, which holds the mark of a running setup for a
# scenario of AnotherSetupRuns=1, and the file that says it holds it.
OTHER_PROGRAM = r"C:\bench\other_program.exe"
MARK_READY = r"C:\bench\ready.txt"
# A run that has not ended after this long waits for nothing (the
# scenarios end within seconds; the longest wait is one service poll, 10 s).
RUN_LIMIT = 120

# Trees of the drive that are not the machine's: the bench's own (agent, job
# files, the stand-ins' call log); Wine's 64-bit system directory, which no
# 32-bit program sees (theirs is syswow64, "system32" to them).
NOT_THE_MACHINE = ("bench", "windows/system32")
# The program trace of Wine, from which the starts that setup asks for are read.
TRACE = "+pid,+process"
STARTED = re.compile(r'^([0-9a-f]{4}):[0-9a-f]{4}:trace:process:CreateProcessInternalW app L"(.*)" '
                     r'cmdline L"(.*)"$')
CHILD = re.compile(r"^([0-9a-f]{4}):[0-9a-f]{4}:trace:process:CreateProcessInternalW "
                   r"started process pid ([0-9a-f]{4})")
# The installation log's timestamp, "2026-12-08 08:56:12.320 ".
LOG_TIME = 24
# A program of a launch list that the log says setup waited for.
LOG_RUN = re.compile(r'^(run (.+?) ".*": exit code )(-?\d+)$')
# The bench's own directory: the stand-ins' call log.
BENCH_DIR = "C:\\BENCH\\"
STAMP_KEY, STAMP = r"SOFTWARE\TAVELIN\SOFTMODEM", "HOMOLTIMESTAMP"
# Wine's display adapter in the PCI tree, which Wine's graphics driver writes
# anew (with a new VideoID) when a program starts: Wine's, not the machine's;
# so is the PCI key itself when it holds nothing else.
PCI_TREE = r"SYSTEM\CURRENTCONTROLSET\ENUM\PCI"
WINE_ADAPTER = PCI_TREE + r"\VEN_0000&DEV_0000&SUBSYS_00000000&REV_00"
# Wine's graphics driver's own keys (GraphicsDriver "null" below a key per
# adapter), written when a program starts.
WINE_VIDEO = r"SYSTEM\CURRENTCONTROLSET\CONTROL\VIDEO"
PLATFORM_TREES = (WINE_ADAPTER, WINE_VIDEO)
TYPE_NAMES = {1: "sz", 2: "expand_sz", 3: "binary", 4: "dword"}


def upper(text):
    """Letters a to z upper-cased, as the results write paths and names; others stay."""
    return "".join(chr(ord(c) - 32) if "a" <= c <= "z" else c for c in text)


def typed(type_code, data):
    return f"{TYPE_NAMES.get(type_code, f'type{type_code}')}:{data.hex()}"


def registry_form(keys, roots):
    """{PATH: {NAME: "type:hex"}} of {path: {name: (type, bytes)}}: every key
    at or below a root, parents of a listed key included."""
    form = {}
    for path, values in keys.items():
        root = next((r for r in roots if upper(path) == upper(r) or
                     upper(path).startswith(upper(r) + "\\")), None)
        if root is None:
            raise BenchError(f"machine.reg names {path}, below no compared tree")
        parts = path.split("\\")
        for depth in range(len(root.split("\\")), len(parts) + 1):
            form.setdefault(upper("\\".join(parts[:depth])), {})
        form[upper(path)].update({upper(n) if n else "@": typed(*v) for n, v in values.items()})
    return form


def dumped_form(dumps):
    """The same form of the agent's dumps {root: tree or None}."""
    codes = {name: code for code, name in REG_TYPES.items()}
    form = {}

    def walk(path, tree):
        form[upper(path)] = {upper(n) if n else "@": typed(codes[t] if t in codes else int(t), d)
                             for n, (t, d) in tree["values"].items()}
        for name, sub in tree["keys"].items():
            walk(path + "\\" + name, sub)

    for root, tree in dumps.items():
        if tree is not None:
            walk(root[5:], tree)
    own = platform_keys(form)
    return {path: values for path, values in form.items() if path not in own}


def platform_keys(keys):
    """Of {key path below HKLM (any letter case): its values}, the paths of
    the test platform's own keys: its display adapter, its graphics driver's
    keys, and the PCI tree when it holds nothing else."""
    ups = {path: upper(path) for path in keys}
    own = {path for path, up in ups.items()
           if any(up == tree or up.startswith(tree + "\\") for tree in PLATFORM_TREES)}
    pci = [path for path, up in ups.items() if up == PCI_TREE and not keys[path]]
    if pci and not any(up.startswith(PCI_TREE + "\\") for path, up in ups.items() if path not in own):
        own.update(pci)
    return own


def first_word_off(line):
    """The command line without its first word (which ends at the first
    blank outside quotation marks) and the blanks after it."""
    quoted, i = False, 0
    while i < len(line) and (quoted or line[i] not in " \t"):
        quoted ^= line[i] == '"'
        i += 1
    return line[i:].lstrip(" \t")


def _unescape_trace(text):
    """A string as Wine's trace writes it: \\\\ \\" \\n \\r \\t, others as \\ and 4 hex digits."""
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            escaped = {"\\": "\\", '"': '"', "n": "\n", "r": "\r", "t": "\t"}.get(text[i + 1])
            if escaped:
                out.append(escaped)
                i += 2
                continue
            out.append(chr(int(text[i + 1:i + 5], 16)))
            i += 5
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def program_starts(trace, setup_path):
    """The programs that setup's process started, in order, as "path
    arguments": each start that Wine made (a start that failed, of a
    missing program, is not one). The stand-ins start their helpers without
    an application name; setup always names the program."""
    starter, setup_pid, asked, starts = None, None, None, []
    for line in trace.splitlines():
        started = STARTED.match(line)
        child = CHILD.match(line)
        if started and setup_pid is None and _unescape_trace(started.group(2)).lower() == \
                setup_path.lower():
            starter = started.group(1)
        elif child and setup_pid is None and child.group(1) == starter:
            setup_pid = child.group(2)
        elif started and started.group(1) == setup_pid:
            path = _unescape_trace(started.group(2))
            arguments = first_word_off(_unescape_trace(started.group(3)))
            asked = f"{path} {arguments}" if arguments else path
        elif line.startswith(f"{setup_pid}:") and "CreateProcessInternalW app (null)" in line:
            asked = None
        elif child and child.group(1) == setup_pid and asked:
            starts.append(asked)
            asked = None
    return starts


def log_path(directory, settings):
    """Where the scenario's LogFile puts the installation log, the
    computer's name and the Windows directory put in; None without one."""
    with open(os.path.join(directory, "medium", "qvsetup.ini"), encoding="latin-1") as f:
        match = re.search(r"(?im)^\s*LogFile\s*=[ \t]*(.*?)\s*$", f.read())
    name = match.group(1) if match else ""
    for variable, value in (("%COMPUTERNAME%", settings.get("ComputerName", COMPUTER_NAME)),
                            ("%windir%", settings.get("WindowsDir", WINDOWS_DIR))):
        name = re.sub(re.escape(variable), value.replace("\\", "\\\\"), name, flags=re.I)
    if not name:
        return None
    if name[1:2] == ":" or name.startswith("\\"):
        return name
    return settings.get("MediumDir", MEDIUM_DIR) + "\\" + name


class DriveSnapshot:
    """Every file below C:\\ in the 32-bit view: {PATH: "sha1:..."}. A file
    shared with the template (a hard link to Wine's own binaries) stands as
    its inode, size and time, and is hashed only when one of them changed."""

    def __init__(self, sc, earlier=None):
        top = sc.unix_path("C:\\")
        self.files = {}
        for root, dirs, names in os.walk(top):
            rel_root = os.path.relpath(root, top).replace(os.sep, "/")
            dirs[:] = [d for d in dirs if (d if rel_root == "." else f"{rel_root}/{d}").lower()
                       not in NOT_THE_MACHINE]
            for name in names:
                full = os.path.join(root, name)
                if os.path.islink(full):
                    continue
                path = upper(sc.windows_path(os.path.normpath(os.path.join(rel_root, name))))
                stat = os.stat(full)
                shared = f"shared:{stat.st_ino}:{stat.st_size}:{stat.st_mtime_ns}"
                if stat.st_nlink > 1 and (earlier is None or earlier.files.get(path) == shared):
                    self.files[path] = shared
                else:
                    with open(full, "rb") as f:
                        self.files[path] = "sha1:" + hashlib.sha1(f.read()).hexdigest()

    def changes(self, after):
        """{PATH: sha1, or None when removed} of what differs in `after`."""
        paths = set(self.files) | set(after.files)
        return {p: after.files.get(p) for p in sorted(paths)
                if self.files.get(p) != after.files.get(p)}


def _prepare_registry(sc, roots, keys):
    """Makes each compared tree hold exactly machine.reg's keys: deleted
    whole, except a tree below HARDWARE, which Windows builds at each start
    as a volatile key: there only its values and subkeys go."""
    paths = ["HKLM\\" + r for r in roots]
    volatile = [p for p in paths if upper(p).startswith("HKLM\\HARDWARE\\")]
    records = []
    for path, tree in sc.registries(volatile, top=volatile).items():
        if tree is not None:
            records += [("X", path, name) for name in tree["values"]]
            records += [("D", path + "\\" + name) for name in tree["keys"]]
    records += [("D", p) for p in paths if p not in volatile]
    for path, values in keys.items():
        records.append(("K", "HKLM\\" + path))
        records += [("V", "HKLM\\" + path, name, REG_TYPES[t], data)
                    for name, (t, data) in values.items()]
    sc.seed_records(records)


def _hold_setup_mark(sc):
    """Has another program hold the mark of a running setup, as a setup that
    runs does; the future of that program, which "release" ends."""
    pool = concurrent.futures.ThreadPoolExecutor(1)
    future = pool.submit(sc.run, OTHER_PROGRAM, "mark", timeout=RUN_LIMIT)
    pool.shutdown(wait=False)
    if not wait_for(lambda: sc.exists(MARK_READY) or future.done(), 30) or future.done():
        raise BenchError(f"the mark of a running setup is not held: {future.result()}")
    return future


def wine_result(directory, limit=RUN_LIMIT):
    """Runs the scenario directory's setup.exe under Wine; (result, seconds)."""
    started = time.time()
    settings, roots = read_scenario_ini(directory)
    medium_dir = settings.get("MediumDir", MEDIUM_DIR)
    with open(os.path.join(directory, "machine.reg"), "rb") as f:
        keys = read_machine_reg(f.read())
    with Scenario(VERSIONS[settings["Class"]], medium=False) as sc:
        name = settings.get("ComputerName", COMPUTER_NAME).encode("latin-1") + b"\0"
        sc.seed_records([("V", key, "ComputerName", "REG_SZ", name) for key in COMPUTER_NAME_KEYS]
                        + (FIRST_EDITION_98 if settings["Class"] == "98" else []))
        for top, into in (("medium", medium_dir), ("machine", "C:")):
            for root, _, names in os.walk(os.path.join(directory, top)):
                rel = os.path.relpath(root, os.path.join(directory, top))
                parts = [into] + ([] if rel == "." else rel.split(os.sep))
                for name in names:
                    target = "\\".join(parts + [name])
                    # Wine's own files (the command interpreter) stay: they
                    # are hard links to the template's, which a write would change.
                    if sc.exists(target) and os.stat(sc.unix_path(target)).st_nlink > 1:
                        continue
                    with open(os.path.join(root, name), "rb") as f:
                        sc.put_file(target, f.read())
        _prepare_registry(sc, roots, keys)
        before = dumped_form(sc.registries(["HKLM\\" + r for r in roots]))
        if before != registry_form(keys, roots):
            raise BenchError("the prefix's compared trees are not machine.reg's before the run")
        files_before = DriveSnapshot(sc)
        log = log_path(directory, settings)
        log_size = os.path.getsize(sc.unix_path(log)) if log and sc.exists(log) else 0
        trace = os.path.join(sc.prefix, "wine.log")
        trace_start = os.path.getsize(trace) if os.path.exists(trace) else 0
        sc.env["WINEDEBUG"] = TRACE
        setup_path = medium_dir + "\\setup.exe"
        marker = _hold_setup_mark(sc) if settings.get("AnotherSetupRuns") == "1" else None
        ran = time.time()
        run = sc.run(setup_path, commandline=f"setup.exe {settings['CommandLine']}", cwd="C:\\",
                     timeout=limit)
        ended = time.time()
        if marker is not None:
            sc.run(OTHER_PROGRAM, "release")
            marker.result()
        sc.env["WINEDEBUG"] = "-all"
        if run.exit_code is None and run.outcome != "timeout":
            raise BenchError(f"setup.exe did not run: {run.outcome}")
        with open(trace, "rb") as f:
            f.seek(trace_start)
            programs = program_starts(f.read().decode("latin-1"), setup_path)
        calls = sc.read_file(CALL_LOG).decode("latin-1").splitlines() if sc.exists(CALL_LOG) else []
        result = {
            "exit_code": None if run.exit_code is None else
            run.exit_code - (1 << 32) if run.exit_code >= 1 << 31 else run.exit_code,
            "waits_forever": run.exit_code is None,
            "library_calls": [line.split("(", 1)[0] for line in calls],
            "programs": programs,
            "registry": dumped_form(sc.registries(["HKLM\\" + r for r in roots])),
            "files": files_before.changes(DriveSnapshot(sc, files_before)),
        }
        if log and sc.exists(log):
            lines = sc.read_file(log)[log_size:].decode("latin-1").split("\r\n")
            result["log"] = [line[LOG_TIME:] for line in lines if line]
    result["clock"] = [int(ran), int(ended) + 1]
    return result, time.time() - started


def simulated_result(directory, program=SIMULATE):
    """setup_simulate's result for the scenario directory."""
    if not os.path.exists(program):
        raise BenchError(f"{program} is missing: build the native preset (BENCH_SIMULATE names it)")
    done = subprocess.run([program, directory], capture_output=True, timeout=120)
    if done.returncode != 0:
        raise BenchError(f"setup_simulate ended with {done.returncode}: "
                         f"{done.stderr.decode('latin-1')[-2000:]}")
    result = json.loads(done.stdout.decode("latin-1"))
    settings, _ = read_scenario_ini(directory)
    start = int(settings.get("Time", "0"))
    # The simulated clock starts at Time and moves with the timers: a run of
    # the scenarios lasts seconds, minutes at the completion timers' limits.
    result["clock"] = [start, start + 3600]
    return result


def _recorder_exit(line):
    run = LOG_RUN.match(line)
    if run and run.group(2).rsplit("\\", 1)[-1].lower() in RECORDER_NAMES:
        return run.group(1) + "(the recorder's)"
    return line


def normalised(result, directory):
    """What the two sides may rightly differ in, set to one form:
    - qvsmzad's HomolTimeStamp holds the time of its run, the real time
      under Wine, the simulated clock's on the other side: a 4-byte stamp
      within the side's run reads "time of the run";
    - the installation log's lines begin with the same times: its file is
      compared as present or not, and its lines (timestamps cut) apart;
    - the bench's recorder (rec.exe, tool.exe) ends with 7 under Wine, an
      unknown program with 0 on the simulated Windows: the log's exit code
      of its runs reads "the recorder's";
    - the bench's own directory (the stand-ins' call log) is not the
      machine's: the call log is compared by its entries' names;
    - the simulated side's seam record ("calls") has no Wine counterpart."""
    settings, _ = read_scenario_ini(directory)
    first, last = result.get("clock", (0, 0))
    registry = {path: dict(values) for path, values in result["registry"].items()}
    stamp = registry.get(STAMP_KEY, {}).get(STAMP, "")
    if stamp.startswith("binary:") and len(stamp) == 15:
        seconds = int.from_bytes(bytes.fromhex(stamp[7:]), "little")
        if first - 5 <= seconds <= last + 5:
            registry[STAMP_KEY][STAMP] = "binary:(time of the run)"
    files = {path: digest for path, digest in result["files"].items()
             if not path.startswith(BENCH_DIR)}
    log = log_path(directory, settings)
    if log and upper(log) in files:
        files[upper(log)] = "(installation log)" if files[upper(log)] else None
    lines = result.get("log")
    if lines is not None:
        lines = [_recorder_exit(line) for line in lines]
    return {"exit_code": result["exit_code"], "waits_forever": result["waits_forever"],
            "library_calls": result["library_calls"], "programs": result["programs"],
            "registry": registry, "files": files, "log": lines}


def _sequence_difference(name, expected, actual, context=2):
    """The first place where two sequences part, with a few items before and
    after it on both sides."""
    if expected == actual:
        return []
    at = next((i for i, (a, b) in enumerate(zip(expected, actual)) if a != b),
              min(len(expected), len(actual)))
    start = max(0, at - context)
    return [f"{name}, first difference at {at}: "
            f"{expected[at] if at < len(expected) else '(end)'} | "
            f"{actual[at] if at < len(actual) else '(end)'}",
            f"    Wine:      {'... ' if start else ''}{expected[start:at + context + 1]}",
            f"    simulated: {'... ' if start else ''}{actual[start:at + context + 1]}"]


def differences(wine, simulated):
    """Readable lines, Wine's side first: "what: Wine | simulated"."""
    found = []
    for name in ("exit_code", "waits_forever"):
        if wine[name] != simulated[name]:
            found.append(f"{name}: {wine[name]} | {simulated[name]}")
    found += _sequence_difference("library calls", wine["library_calls"],
                                  simulated["library_calls"])
    found += _sequence_difference("programs", wine["programs"], simulated["programs"])
    for path in sorted(set(wine["registry"]) | set(simulated["registry"])):
        a, b = wine["registry"].get(path), simulated["registry"].get(path)
        if a is None or b is None:
            found.append(f"key {path}: {'missing' if a is None else 'present'} | "
                         f"{'missing' if b is None else 'present'}")
            continue
        for name in sorted(set(a) | set(b)):
            if a.get(name) != b.get(name):
                found.append(f"value {path} [{name}]: {a.get(name, 'missing')} | "
                             f"{b.get(name, 'missing')}")
    for path in sorted(set(wine["files"]) | set(simulated["files"])):
        a, b = wine["files"].get(path, "unchanged"), simulated["files"].get(path, "unchanged")
        if a != b:
            found.append(f"file {path}: {a or 'removed'} | {b or 'removed'}")
    if wine["log"] is not None and simulated["log"] is not None:
        found += _sequence_difference("installation log", wine["log"], simulated["log"])
    return found


class Disagreement:
    """A scenario whose two sides differ (twice under Wine), or whose run
    went wrong on one side."""

    def __init__(self, label, directory, found, trouble=None):
        self.label, self.directory, self.found, self.trouble = label, directory, found, trouble

    def report(self, shown=12):
        lines = [f"{self.label} ({self.directory})"]
        about = os.path.join(self.directory, "about.txt")
        if os.path.exists(about):
            with open(about, encoding="latin-1") as f:
                lines.append("  " + f.read().splitlines()[-1])
        if self.trouble:
            lines.append(f"  {self.trouble}")
        lines += ["  " + line for line in self.found[:shown]]
        if len(self.found) > shown:
            lines.append(f"  ... {len(self.found) - shown} more")
        return "\n".join(lines)


class Differential:
    """Scenarios side by side, each Wine run in its own prefix. against:
    "simulator" (setup_simulate) or "wine" (a second Wine run: how stable
    the Wine side is)."""

    def __init__(self, workers=2, against="simulator", simulate=SIMULATE):
        self.workers, self.against, self.simulate = workers, against, simulate
        self.seconds = {}  # Wine time of each scenario's first run
        self.outcomes = {}  # class and exit code (None: waits forever) of each scenario
        self.flakes = []  # (label, what differed) where a second Wine run agreed

    def _other(self, directory):
        if self.against == "wine":
            return wine_result(directory)[0]
        return simulated_result(directory, self.simulate)

    def check(self, label, directory):
        """None when the sides agree, else the Disagreement."""
        materialise(directory)
        try:
            other = normalised(self._other(directory), directory)
        except (BenchError, subprocess.TimeoutExpired, ValueError) as e:
            if self.against == "simulator":  # the same again on a second try
                return Disagreement(label, directory, [], f"setup_simulate: {e}")
            other, trouble = None, str(e)
        try:
            wine, self.seconds[label] = wine_result(directory)
            self.outcomes[label] = (read_scenario_ini(directory)[0]["Class"], wine["exit_code"])
        except BenchError as e:
            wine, trouble = None, str(e)
        if wine is not None and other is not None:
            found, trouble = differences(normalised(wine, directory), other), None
            if not found:
                return None
        # Wine's timing can lose a start or a record once: the disagreement
        # must show again on a fresh prefix.
        try:
            again = differences(normalised(wine_result(directory)[0], directory),
                                normalised(self._other(directory), directory))
        except (BenchError, subprocess.TimeoutExpired, ValueError) as e:
            return Disagreement(label, directory, [], f"{trouble or ''} {e}".strip())
        if not again:
            self.flakes.append((label, [trouble] if trouble else found))
            return None
        return Disagreement(label, directory, again)

    def check_all(self, cases, progress=None):
        """[(label, directory)]: the disagreements, in the order of the cases."""
        with concurrent.futures.ThreadPoolExecutor(self.workers) as pool:
            futures = [pool.submit(self.check, label, d) for label, d in cases]
            found = []
            for (label, _), future in zip(cases, futures):
                disagreement = future.result()
                if progress:
                    progress(label, disagreement)
                if disagreement:
                    found.append(disagreement)
        return found


def generated_cases(seed, count, work, first=0, osclass=None):
    """Writes scenarios first..first+count-1 of the seed below work; [(label, directory)]."""
    cases = []
    for number in range(first, first + count):
        sc = scenario(seed, number, osclass)
        target = os.path.normpath(os.path.join(work, directory_name(seed, number, osclass)))
        cases.append((sc.label, write(sc, target)))
    return cases


def copied_cases(directories, work):
    """Scenario directories (kept cases) copied below work with the build's
    files, so that the originals stay as they are; [(name, copy)]."""
    cases = []
    for source in directories:
        name = os.path.basename(os.path.normpath(source))
        target = os.path.normpath(os.path.join(work, name))
        if target != os.path.abspath(source):  # a scenario of the work directory runs in place
            shutil.rmtree(target, ignore_errors=True)
            keep(source, target)
        materialise(target)
        cases.append((name, target))
    return cases


def kept_cases(folder, work):
    """Every kept case (a scenario directory) of the folder, as copied_cases."""
    return copied_cases([os.path.join(folder, name) for name in sorted(os.listdir(folder))
                         if os.path.isfile(os.path.join(folder, name, "scenario.ini"))], work)


def summary(found, total, bench):
    seconds = sorted(bench.seconds.values())
    lines = [f"{total} scenarios: {total - len(found)} agree, {len(found)} disagree"
             + (f" ({len(bench.flakes)} more disagreed once under Wine and not again)"
                if bench.flakes else "")]
    if seconds:
        lines.append(f"Wine time per scenario: median {seconds[len(seconds) // 2]:.1f} s, "
                     f"longest {seconds[-1]:.1f} s")
    counted = collections.Counter(bench.outcomes.values())
    lines.append("Wine's exit codes by class: " + "; ".join(
        f"{c} " + ", ".join(f"{'waits' if code is None else code} x{counted[(c, code)]}"
                            for code in sorted({k for o, k in counted if o == c}, key=str))
        for c in CLASSES if any(o == c for o, _ in counted)))
    for label, first in bench.flakes:
        lines += ["", f"ONCE UNDER WINE {label}"] + ["  " + line for line in first[:6]]
    for d in found:
        lines += ["", "DISAGREEMENT " + d.report()]
    if found:
        lines += ["", "Each line: what differs, Wine | simulated. The scenario directories stay; "
                  "tools/setup-differential --save DIR keeps them without the build's files, "
                  "ready for tests/wine/setup_cases/."]
    return "\n".join(lines)
