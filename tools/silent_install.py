"""Runs setup.exe S from the sample medium in a fresh Wine prefix and prints
what the run changed: exit code, dialogs, files and registry records."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "wine"))
from bench import Scenario  # noqa: E402

WATCHED_FILES = r"C:\windows"
WATCHED_KEYS = (r"HKLM\Software", r"HKLM\System\CurrentControlSet", r"HKLM\Enum")


def file_state(sc):
    state = {}
    top = sc.unix_path(WATCHED_FILES)
    for root, dirs, names in os.walk(top):
        for name in dirs:
            state[os.path.relpath(os.path.join(root, name), top)] = None
        for name in names:
            path = os.path.join(root, name)
            if os.path.isfile(path):
                state[os.path.relpath(path, top)] = os.path.getsize(path)
    return state


def flatten(tree, prefix, out):
    if tree is None:
        return out
    out[prefix] = None
    for name, (type_name, data) in tree["values"].items():
        out[f"{prefix} : {name or '(default)'}"] = (type_name, data)
    for name, sub in tree["keys"].items():
        flatten(sub, f"{prefix}\\{name}", out)
    return out


def registry_state(sc):
    state = {}
    for key in WATCHED_KEYS:
        flatten(sc.registry(key), key, state)
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
        print(f"Silent install from the sample medium on Wine's {version} mode")
        files_before, registry_before = file_state(sc), registry_state(sc)
        result = sc.run(r"C:\medium\setup.exe", "S", timeout=600)
        code = result.exit_code
        print(f"setup.exe S: {result.outcome}"
              + (" (-1, failure)" if code == 0xFFFFFFFF else " (success)" if code == 0 else ""))
        for caption, text in result.boxes:
            print(f"  dialog {caption!r}: {text!r}")
        report("Files below C:\\windows", files_before, file_state(sc),
           lambda size: "(directory)" if size is None else f"{size} bytes")
        report("Registry", registry_before, registry_state(sc), show)
    return 0 if code == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "win98"))
