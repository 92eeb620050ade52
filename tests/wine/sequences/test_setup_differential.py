"""setup.exe under Wine against setup's own run on the simulated Windows
(setup_simulate of the native build, BENCH_SIMULATE): exit code, the
stand-ins' calls, the programs started, the registry trees and the files
that the run changed must agree. A short round of generated scenarios of
every platform class, and every kept case of tests/wine/setup_cases. A
longer round on demand: tools/setup-differential --scenarios N --seed S."""

import json
import os
import unittest

from bench.scenario import WORK
from bench.setup_differential import (CLASSES, SIMULATE, STAMP, STAMP_KEY, Differential,
                                      differences, generated_cases, kept_cases, normalised,
                                      summary, wine_result)

KEPT_CASES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "setup_cases")
SCENARIOS = os.path.join(WORK, "setup-differential")
SEED = "ci"
PER_CLASS = 3  # about 6 s of Wine a scenario, two side by side
PLANTED = 40  # the scenario of the planted differences


class SetupDifferential(unittest.TestCase):
    def assert_agree(self, cases):
        self.assertTrue(os.path.exists(SIMULATE), f"{SIMULATE} is missing: build the native preset")
        bench = Differential()
        found = bench.check_all(cases)
        if found:
            self.fail("\n" + summary(found, len(cases), bench))

    def test_generated_scenarios(self):
        self.assert_agree(generated_cases(SEED, PER_CLASS * len(CLASSES), SCENARIOS))

    def test_kept_cases(self):
        cases = kept_cases(KEPT_CASES, SCENARIOS)
        self.assertTrue(cases, f"no kept cases in {KEPT_CASES}")
        self.assert_agree(cases)

    def test_a_planted_difference_is_caught(self):
        # One Wine run against copies of its own result with one thing
        # changed: the comparison names exactly that. The copy run an hour
        # later differs only in qvsmzad's time stamp, which must not show.
        # The scenario: Windows 98 SE, a refresh, qvsmzad in the launch list,
        # an installation log.
        (_, directory), = generated_cases(SEED, 1, SCENARIOS, first=PLANTED, osclass="98se")
        wine, _ = wine_result(directory)
        stamp = wine["registry"][STAMP_KEY][STAMP]
        self.assertTrue(wine["library_calls"] and wine["log"], wine)
        ran = normalised(wine, directory)
        value_key = next(p for p, values in sorted(ran["registry"].items()) if values)
        value_name = sorted(ran["registry"][value_key])[0]
        file_path = next(p for p, digest in sorted(ran["files"].items())
                         if (digest or "").startswith("sha1:"))
        calls = len(wine["library_calls"])

        def hour_later(other):
            other["clock"] = [t + 3600 for t in wine["clock"]]
            seconds = int.from_bytes(bytes.fromhex(stamp[7:]), "little") + 3600
            other["registry"][STAMP_KEY][STAMP] = "binary:" + seconds.to_bytes(4, "little").hex()

        cases = (
            ("an hour later", hour_later, []),
            ("exit code", lambda other: other.update(exit_code=5), ["exit_code"]),
            ("a call left out", lambda other: other["library_calls"].pop(),
             [f"library calls, first difference at {calls - 1}", "    Wine", "    simulated"]),
            ("a value changed",
             lambda other: other["registry"][value_key].update({value_name: "sz:"}),
             [f"value {value_key} [{value_name}]"]),
            ("a file left as it was", lambda other: other["files"].pop(file_path),
             [f"file {file_path}"]),
        )
        for name, change, expected in cases:
            with self.subTest(name):
                other = json.loads(json.dumps(wine))
                change(other)
                found = differences(ran, normalised(other, directory))
                self.assertEqual(expected, [line.split(": ")[0].rstrip(":") for line in found])


if __name__ == "__main__":
    unittest.main()
