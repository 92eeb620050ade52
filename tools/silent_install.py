"""Runs setup.exe S from the sample medium in a fresh Wine prefix and prints
what the run changed, in the names of the Windows that the run saw: exit
code, dialogs, files and registry records, then the run's installation log
and the programs that setup started.

The prefix is a 64-bit Wine prefix: its 32-bit system directory lies on the
disk as syswow64, which the run knew by the name that Windows gave it (the
start line of its log: SystemDir); Wine's own keys (its display adapter and
graphics driver) are left out, as the differential bench leaves them out."""

import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "wine"))
from bench import Scenario  # noqa: E402
from bench.setup_differential import TRACE, platform_keys, program_starts  # noqa: E402

SETUP = r"C:\medium\setup.exe"
# The log that the demo's run writes: the medium's qvsetup.ini names it in a
# comment, which the demo takes away.
LOG_FILE = r"C:\qvsetup.log"
WATCHED_FILES = r"C:\windows"
WATCHED_KEYS = (r"HKLM\Software", r"HKLM\System\CurrentControlSet", r"HKLM\Enum")
# The log's timestamp, "2026-12-08 08:56:12.320 ".
LOG_TIME = 24
DIRECTORY = re.compile(r'(\w+Dir)="([^"]*)"')


def with_log(ini):
    """qvsetup.ini with LogFile set to LOG_FILE in its INSTALL_OPTIONS."""
    line = f"LogFile={LOG_FILE}".encode("latin-1")
    ini, found = re.subn(rb"(?im)^;?[ \t]*LogFile[ \t]*=[^\r\n]*", lambda m: line, ini, count=1)
    if not found:
        ini = re.sub(rb"(?im)^\[INSTALL_OPTIONS\][ \t]*\r?$", lambda m: m.group(0) + b"\r\n" + line,
                     ini, count=1)
    return ini


def file_state(sc):
    """{Windows path: size, or None for a directory} below C:\\windows, Wine's
    64-bit system directory (which no 32-bit program sees) left out."""
    state = {}
    drive = sc.unix_path("C:\\")
    for root, dirs, names in os.walk(sc.unix_path(WATCHED_FILES)):
        rel_root = os.path.relpath(root, drive)
        dirs[:] = [d for d in dirs if os.path.join(rel_root, d).lower() != os.path.join("windows", "system32")]
        for name in dirs:
            state[sc.windows_path(os.path.join(rel_root, name))] = None
        for name in names:
            path = os.path.join(root, name)
            if os.path.isfile(path) and not os.path.islink(path):
                state[sc.windows_path(os.path.join(rel_root, name))] = os.path.getsize(path)
    return state


def as_the_run_named(path, directories):
    """path with the longest of the run's directories that it lies in spelt
    as the run's log spells it."""
    best = ""
    for directory in directories:
        if directory and (path.lower() == directory.lower() or
                          path.lower().startswith(directory.lower().rstrip("\\") + "\\")):
            best = directory if len(directory) > len(best) else best
    return best + path[len(best):] if best else path


def keys_of(tree, path, out):
    """{key path: {value name: (type, data)}} of a dumped tree."""
    if tree is None:
        return out
    out[path] = dict(tree["values"])
    for name, sub in tree["keys"].items():
        keys_of(sub, f"{path}\\{name}", out)
    return out


def registry_state(sc):
    """{key, or "key : value": None or (type, data)} of the watched trees,
    without the test platform's own keys."""
    keys = {}
    for root, tree in sc.registries(list(WATCHED_KEYS)).items():
        keys_of(tree, root, keys)
    below_hklm = {path[5:]: values for path, values in keys.items()}
    own = platform_keys(below_hklm)
    state = {}
    for path, values in below_hklm.items():
        if path in own:
            continue
        state["HKLM\\" + path] = None
        for name, value in values.items():
            state[f"HKLM\\{path} : {name or '(default)'}"] = value
    return state


def show(value):
    if value is None:
        return "(key)"
    type_name, data = value
    if type_name in ("REG_SZ", "REG_EXPAND_SZ"):
        text = data.rstrip(b"\0").decode("latin-1")
        return f"{type_name} {text!r}"
    return f"{type_name} {data.hex(' ')}"


def report(title, before, after, describe):
    added = sorted(set(after) - set(before))
    removed = sorted(set(before) - set(after))
    changed = sorted(k for k in set(before) & set(after) if before[k] != after[k])
    print(f"\n{title}: {len(added)} added, {len(changed)} changed, {len(removed)} removed")
    for k in added:
        print(f"  + {k}  {describe(after[k])}")
    for k in changed:
        print(f"  ~ {k}  {describe(before[k])} -> {describe(after[k])}")
    for k in removed:
        print(f"  - {k}")


def main(version):
    with Scenario(version) as sc:
        print(f"Silent install from the sample medium on Wine's {version} mode "
              f"(qvsetup.ini with LogFile={LOG_FILE})")
        sc.put_file(r"C:\medium\qvsetup.ini", with_log(sc.read_file(r"C:\medium\qvsetup.ini")))
        files_before, registry_before = file_state(sc), registry_state(sc)
        trace = os.path.join(sc.prefix, "wine.log")
        trace_start = os.path.getsize(trace) if os.path.exists(trace) else 0
        sc.env["WINEDEBUG"] = TRACE
        result = sc.run(SETUP, "S", cwd="C:\\", timeout=600)
        sc.env["WINEDEBUG"] = "-all"
        code = result.exit_code
        print(f"setup.exe S: {result.outcome}"
              + (" (-1, failure)" if code == 0xFFFFFFFF else " (success)" if code == 0 else ""))
        for caption, text in result.boxes:
            print(f"  dialog {caption!r}: {text!r}")
        log = sc.read_file(LOG_FILE).decode("latin-1").split("\r\n") if sc.exists(LOG_FILE) else []
        directories = dict(DIRECTORY.findall(log[0])) if log else {}
        if directories:
            print("The run's directories, as its Windows named them: "
                  + ", ".join(f"{name}={path}" for name, path in directories.items()
                              if name in ("WindowsDir", "SystemDir", "DriversDir", "InfDir")))

        def named(state):
            return {as_the_run_named(path, directories.values()): size
                    for path, size in state.items()}

        report(f"Files below {WATCHED_FILES}", named(files_before), named(file_state(sc)),
               lambda size: "(directory)" if size is None else f"{size} bytes")
        report("Registry", registry_before, registry_state(sc), show)
        print(f"\nInstallation log ({LOG_FILE}):")
        for line in log if log else ["  (none written)"]:
            if line:
                print(f"  {line}")
        with open(trace, "rb") as f:
            f.seek(trace_start)
            programs = program_starts(f.read().decode("latin-1"), SETUP)
        print(f"\nPrograms that setup started: {len(programs)}")
        for program in programs:
            print(f"  {program}")
    return 0 if code == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "win98"))
