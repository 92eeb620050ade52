"""setup's folders are layers: control/ over files/ and registry/ over base/,
with the seam's Win32 backend, win32/, between the entry and base/.
Every include of setup/ must go to its own folder or one below, and no file
may reach itself again through includes (a file and its header count as one
unit). Includes are resolved as the compiler resolves them: from the
including file's folder first, then from setup/ itself (the include
directory of every setup target); one that resolves to no file fails."""

import os
import re
import shutil
import tempfile
import unittest

SETUP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "setup")
# What each folder may include besides itself.
BELOW = {"control": {"files", "registry", "base", "resources", "win32"}, "files": {"base"},
         "registry": {"base"}, "win32": {"base"}, "base": set(), "resources": set()}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
WINDOWS_HEADER = re.compile(r'^\s*#\s*include\s+<(windows|commctrl|winreg|winsvc)\.h>',
                            re.MULTILINE | re.IGNORECASE)
# Only these talk to Win32 directly: the backend of the seam, and the
# entry's windows and dialogs. Everything else reaches Windows through the seam.
WIN32_UNITS = {"control/main", "control/dialogs"}


def resolve(root, folder, include):
    """The setup/-relative path of the file that `include` in `folder` names, or None."""
    for base in (os.path.join(root, folder), root):
        path = os.path.normpath(os.path.join(base, include))
        if os.path.isfile(path):
            relative = os.path.relpath(path, root).replace(os.sep, "/")
            return None if relative.startswith("../") else relative
    return None


def includes(root=SETUP):
    """({unit: {unit it includes}}, [(file, include) that name no file of setup/]),
    a unit being "folder/name" without suffix."""
    graph, unresolved = {}, []
    for folder in BELOW:
        for name in sorted(os.listdir(os.path.join(root, folder))):
            if not name.endswith((".cpp", ".h")):
                continue
            with open(os.path.join(root, folder, name), encoding="utf-8") as source:
                text = source.read()
            unit = folder + "/" + os.path.splitext(name)[0]
            targets = graph.setdefault(unit, set())
            for include in INCLUDE.findall(text):
                target = resolve(root, folder, include)
                if target is None:
                    unresolved.append((folder + "/" + name, include))
                else:
                    targets.add(os.path.splitext(target)[0])
            targets.discard(unit)
    return graph, unresolved


def direct_win32(root=SETUP):
    """The files outside win32/ and the window code that include a Windows header."""
    found = []
    for folder in BELOW:
        for name in sorted(os.listdir(os.path.join(root, folder))):
            unit = folder + "/" + os.path.splitext(name)[0]
            if folder == "win32" or unit in WIN32_UNITS or not name.endswith((".cpp", ".h")):
                continue
            with open(os.path.join(root, folder, name), encoding="utf-8") as source:
                if WINDOWS_HEADER.search(source.read()):
                    found.append(folder + "/" + name)
    return found


def upward(graph):
    return sorted((unit, target) for unit, targets in graph.items() for target in targets
                  if target.split("/")[0] not in BELOW[unit.split("/")[0]] | {unit.split("/")[0]})


def circle(graph):
    """One circle of includes, as a list of units, or None."""
    state = {}

    def circle_from(unit, path):
        state[unit] = "open"
        for target in sorted(graph.get(unit, ())):
            if state.get(target) == "open":
                return path[path.index(target):] + [target]
            if target not in state:
                found = circle_from(target, path + [target])
                if found:
                    return found
        state[unit] = "done"
        return None

    for unit in sorted(graph):
        if unit not in state:
            found = circle_from(unit, [unit])
            if found:
                return found
    return None


class Layers(unittest.TestCase):
    def test_every_include_names_a_file_of_setup(self):
        self.assertEqual([], includes()[1])

    def test_includes_only_go_downward(self):
        self.assertEqual([], upward(includes()[0]))

    def test_no_file_includes_itself_round_a_circle(self):
        self.assertIsNone(circle(includes()[0]))

    def test_only_the_backend_and_the_windows_talk_to_win32(self):
        self.assertEqual([], direct_win32())

    def test_includes_planted_in_a_copy_are_caught(self):
        # Written from a lower folder, an include of setup/'s root reaches up;
        # one that names no file is no include at all.
        with tempfile.TemporaryDirectory() as copy:
            root = os.path.join(copy, "setup")
            shutil.copytree(SETUP, root)
            planted = {"base/log.h": '#include "control/run.h"\n',
                       "files/lists.h": '#include "registry/keys.h"\n',
                       "registry/keys.h": '#include "missing.h"\n',
                       "files/programs.cpp": "#include <windows.h>\n"}
            for path, line in planted.items():
                with open(os.path.join(root, path), "a", encoding="utf-8") as source:
                    source.write(line)
            graph, unresolved = includes(root)
            self.assertEqual([("base/log", "control/run"), ("files/lists", "registry/keys")],
                             upward(graph))
            self.assertEqual([("registry/keys.h", "missing.h")], unresolved)
            self.assertEqual(["files/programs.cpp"], direct_win32(root))


if __name__ == "__main__":
    unittest.main()
