"""The program folders are layers. setup/ is one program of layers of its
own: control/ over files/ and registry/ over base/, with the seam's Win32
backend, win32/, between the entry and base/; setup/base is under all.
qvsmzad/ stands alone; model/ (the models of Windows) is over setup/base and
qvsmzad/; standins/ over model/ and setup's base/ and win32/; simulator/
over all of these; qvlint/ over all of them but setup/control; callscript/
(the call-script runner) over simulator/ and setup's base/ and win32/.

Every include must go to its own folder or one that ALLOWED names, no
folder may reach itself again, and no file may reach itself again through
includes (a file and its header count as one unit). Includes are resolved
as the compiler resolves them: from the including file's folder first, then
from the include directories that the targets export (ROOTS); one that
resolves to no file fails, and so does a bare name that two of them hold.
tests/, fuzz/ and benchmarks/ may include anything and are not checked."""

import os
import re
import shutil
import tempfile
import unittest

PROJECT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
# The include directories that the targets export; also the checked folders.
ROOTS = ("setup", "model", "simulator", "qvlint", "qvsmzad", "standins", "callscript")
SETUP_FOLDERS = {"setup/" + name for name in ("control", "files", "registry", "win32", "base",
                                               "resources")}
# What each folder may include besides itself: the one place that says so.
ALLOWED = {
    "setup/control": {"setup/files", "setup/registry", "setup/base", "setup/resources",
                      "setup/win32"},
    "setup/files": {"setup/base"},
    "setup/registry": {"setup/base"},
    "setup/win32": {"setup/base"},
    "setup/base": set(),
    "setup/resources": set(),
    "qvsmzad": set(),
    "model": {"setup/base", "qvsmzad"},
    "standins": {"setup/base", "setup/win32", "model"},
    "simulator": SETUP_FOLDERS | {"model", "standins", "qvsmzad"},
    "qvlint": (SETUP_FOLDERS - {"setup/control"}) | {"model", "standins", "simulator", "qvsmzad"},
    # The call-script runner, over the seam and its two sides.
    "callscript": {"setup/base", "setup/win32", "model", "simulator"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
WINDOWS_HEADER = re.compile(r'^\s*#\s*include\s+<(windows|commctrl|winreg|winsvc)\.h>',
                            re.MULTILINE | re.IGNORECASE)
# Only these talk to Win32 directly: the backend of the seam, the entry's
# windows and dialogs, qvsmzad's registry writer and entry (it has no seam),
# the code page conversion and the medium's listing of qvlint.exe, and the
# setting-up steps of the call scripts on Windows. The stand-ins are Win32 DLLs.
WIN32_FOLDERS = {"setup/win32", "standins"}
WIN32_UNITS = {"setup/control/main", "setup/control/dialogs", "qvsmzad/main",
               "qvsmzad/registry_writer", "qvsmzad/delete_subkeys", "qvsmzad/apply_country_file",
               "model/code_page", "qvlint/medium_tree", "callscript/win32_setup"}
# A member defined at the start of a line, after its return type if any.
DEFINITION = re.compile(
    r'^(?![\s#/}])(?:[^\n(;={]*?[\s*&])?((?:\w+::)+)(~?\w+|operator[^\s(]*)\s*\(', re.MULTILINE)
NAMESPACE = re.compile(r'^\s*namespace\s+(\w+)', re.MULTILINE)


def folder_of(path):
    """The folder of a file: setup/base for setup's files, the top folder for the others."""
    parts = path.split("/")
    return "/".join(parts[:2]) if parts[0] == "setup" and len(parts) > 2 else parts[0]


def sources(root):
    """{root-relative path: text} of the checked folders; a missing folder is empty."""
    found = {}
    for top in ROOTS:
        for directory, folders, names in os.walk(os.path.join(root, top)):
            folders.sort()
            for name in sorted(names):
                if name.endswith((".cpp", ".h")):
                    path = os.path.join(directory, name)
                    with open(path, encoding="utf-8") as source:
                        found[os.path.relpath(path, root).replace(os.sep, "/")] = source.read()
    return found


def resolve(root, directory, include):
    """The root-relative paths of the project files that `include` in `directory` may name:
    the one beside it, or every one of an include directory."""
    def checked(path):
        relative = os.path.relpath(os.path.normpath(path), root).replace(os.sep, "/")
        return [relative] if relative.split("/")[0] in ROOTS and os.path.isfile(path) else []

    return checked(os.path.join(root, directory, include)) or [
        found for top in ROOTS for found in checked(os.path.join(root, top, include))]


def includes(root=PROJECT):
    """({unit: {unit it includes}}, [(file, include) that name no project file],
    [(file, include, [files it may name])] of bare names that two folders hold),
    a unit being the file's path without suffix."""
    graph, unresolved, ambiguous = {}, [], []
    for path, text in sources(root).items():
        unit = os.path.splitext(path)[0]
        targets = graph.setdefault(unit, set())
        for include in INCLUDE.findall(text):
            found = resolve(root, os.path.dirname(path), include)
            if not found:
                unresolved.append((path, include))
                continue
            if len(found) > 1:
                ambiguous.append((path, include, found))
            targets.add(os.path.splitext(found[0])[0])
        targets.discard(unit)
    return graph, unresolved, ambiguous


def direct_win32(root=PROJECT):
    """The files outside the Win32 code that include a Windows header."""
    return [path for path, text in sources(root).items()
            if folder_of(path) not in WIN32_FOLDERS and os.path.splitext(path)[0] not in WIN32_UNITS
            and WINDOWS_HEADER.search(text)]


def disallowed(graph):
    """The includes, (unit, unit), from a folder to one that ALLOWED does not name."""
    return sorted((unit, target) for unit, targets in graph.items() for target in targets
                  if folder_of(target) not in ALLOWED.get(folder_of(unit), set())
                  and folder_of(target) != folder_of(unit))


def top_folders(graph):
    """The include graph of the top folders."""
    folders = {}
    for unit, targets in graph.items():
        top = unit.split("/")[0]
        folders.setdefault(top, set()).update(target.split("/")[0] for target in targets)
        folders[top].discard(top)
    return folders


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


def spread_classes(root=PROJECT):
    """{class: [.cpp files]} of the classes whose members are defined in more than one .cpp."""
    files = sources(root)
    namespaces = {"std"} | {name for text in files.values() for name in NAMESPACE.findall(text)}
    defined = {}
    for path, text in files.items():
        if not path.endswith(".cpp"):
            continue
        for qualifier, _ in DEFINITION.findall(text):
            names = [name for name in qualifier.split("::")[:-1] if name not in namespaces]
            if names:
                defined.setdefault("::".join(names), set()).add(path)
    return {name: sorted(paths) for name, paths in defined.items() if len(paths) > 1}


class Layers(unittest.TestCase):
    def test_every_include_names_one_project_file(self):
        _, unresolved, ambiguous = includes()
        self.assertEqual([], unresolved)
        self.assertEqual([], ambiguous)

    def test_includes_only_go_where_allowed(self):
        self.assertEqual([], disallowed(includes()[0]))

    def test_no_top_folder_includes_itself_round_a_circle(self):
        self.assertIsNone(circle(top_folders(includes()[0])))

    def test_no_file_includes_itself_round_a_circle(self):
        self.assertIsNone(circle(includes()[0]))

    def test_each_class_is_defined_in_one_cpp(self):
        self.assertEqual({}, spread_classes())

    def test_only_the_win32_code_talks_to_win32(self):
        self.assertEqual([], direct_win32())

    def test_includes_planted_in_a_copy_are_caught(self):
        # What the copy reports beyond the tree itself is what was planted.
        planted = {
            "setup/base/log.h": '#include "control/run.h"\n',
            "setup/files/lists.h": '#include "registry/keys.h"\n',
            "qvlint/planted.h": "",
            "simulator/x.cpp": '#include "planted.h"\nvoid Planted::First() {}\n'
                               'namespace planted {}\nvoid planted::Helper() {}\n',
            "qvlint/y.cpp": '#include "control/run.h"\n#include "missing.h"\n'
                            'std::string Planted::Second(int) const {\n  Other::Call(1);\n}\n'
                            'void planted::Helper2() {}\nconst int kValue = Other::Make(2);\n',
            "model/z.h": '#include "simulated_run.h"\n#include "twice.h"\n#include <windows.h>\n',
            "qvsmzad/twice.h": "",
            "standins/twice.h": "#include <windows.h>\n",
            "qvlint/other.cpp": "int Other::Call(int) { return 0; }\n",
        }
        with tempfile.TemporaryDirectory() as copy:
            for top in ROOTS:
                if os.path.isdir(os.path.join(PROJECT, top)):
                    shutil.copytree(os.path.join(PROJECT, top), os.path.join(copy, top))
            for path, text in planted.items():
                os.makedirs(os.path.dirname(os.path.join(copy, path)), exist_ok=True)
                with open(os.path.join(copy, path), "a", encoding="utf-8") as source:
                    source.write(text)
            real, copied = includes(), includes(copy)
            self.assertEqual([("model/z", "simulator/simulated_run"),
                              ("qvlint/y", "setup/control/run"),
                              ("setup/base/log", "setup/control/run"),
                              ("setup/files/lists", "setup/registry/keys"),
                              ("simulator/x", "qvlint/planted")],
                             sorted(set(disallowed(copied[0])) - set(disallowed(real[0]))))
            self.assertEqual([("qvlint/y.cpp", "missing.h")],
                             sorted(set(copied[1]) - set(real[1])))
            self.assertEqual([("model/z.h", "twice.h", ["qvsmzad/twice.h", "standins/twice.h"])],
                             [entry for entry in copied[2] if entry not in real[2]])
            # model/ over simulator/, which is over model/: a circle of folders.
            folders = top_folders(copied[0])
            pair = {"model", "simulator"}
            self.assertEqual(["model", "simulator", "model"],
                             circle({top: folders[top] & pair for top in pair}))
            self.assertEqual(["model/z.h"], sorted(set(direct_win32(copy)) - set(direct_win32())))
            spread, real_spread = spread_classes(copy), spread_classes()
            self.assertEqual({"Planted": ["qvlint/y.cpp", "simulator/x.cpp"]},
                             {name: paths for name, paths in spread.items()
                              if real_spread.get(name) != paths})


if __name__ == "__main__":
    unittest.main()
