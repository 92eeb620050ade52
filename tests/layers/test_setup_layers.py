"""setup's folders are layers: control/ over files/ and registry/ over base/.
Every include of setup/ must go to its own folder or one below, and no file
may reach itself again through includes (a file and its header count as one
unit)."""

import os
import re
import unittest

SETUP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "setup")
# What each folder may include besides itself.
BELOW = {"control": {"files", "registry", "base", "resources"}, "files": {"base"},
         "registry": {"base"}, "base": set(), "resources": set()}


def includes():
    """{unit: {unit it includes}}, a unit being "folder/name" without suffix."""
    graph = {}
    for folder in BELOW:
        for name in os.listdir(os.path.join(SETUP, folder)):
            if not name.endswith((".cpp", ".h")):
                continue
            with open(os.path.join(SETUP, folder, name), encoding="utf-8") as source:
                text = source.read()
            unit = folder + "/" + os.path.splitext(name)[0]
            targets = graph.setdefault(unit, set())
            for include in re.findall(r'^#include "([^"]+)"', text, re.MULTILINE):
                target = os.path.normpath(os.path.join(folder, include)).replace(os.sep, "/")
                targets.add(os.path.splitext(target)[0])
            targets.discard(unit)
    return graph


class Layers(unittest.TestCase):
    def test_includes_only_go_downward(self):
        upward = [(unit, target) for unit, targets in includes().items() for target in targets
                  if target.split("/")[0] not in BELOW[unit.split("/")[0]] | {unit.split("/")[0]}]
        self.assertEqual([], sorted(upward))

    def test_no_file_includes_itself_round_a_circle(self):
        graph = includes()
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
                self.assertIsNone(circle_from(unit, [unit]))


if __name__ == "__main__":
    unittest.main()
