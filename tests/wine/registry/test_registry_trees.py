"""The brand settings tree under Wine, and key trees that can not be
deleted whole; Windows 9x deletes a key with its subkeys, NT refuses."""

import unittest

from bench import Scenario
from bench.fixtures import ops
from bench.registry import BRAND_KEY, TAVELIN_KEY, subkeys, sz


def seed_settings(sc):
    sc.seed_registry(TAVELIN_KEY, {"CleanUpRegistry": sz("N")})
    sc.seed_registry(r"HKLM\SOFTWARE\TAVELIN\SoftModem\Country\Germany\Sub", {"Gain": sz("3")})
    sc.seed_registry(BRAND_KEY + r"\Country\France", {"Gain": sz("2")})
    sc.seed_registry(BRAND_KEY, {"HomolTimeStamp": sz("now")})


class BrandSettings(unittest.TestCase):
    def test_removed_only_with_the_option(self):
        for version in ("nt40", "win98"):
            with self.subTest(version=version), Scenario(version) as sc:
                seed_settings(sc)
                ops(sc, "RemoveBrandSettingsKey")
                self.assertEqual(["France", "Germany"], subkeys(sc, BRAND_KEY + r"\Country"))
                r = ops(sc, "debug", "cleanup", "RemoveBrandSettingsKey")
                self.assertEqual(("exit 0", []), (r.outcome, r.boxes))
                self.assertEqual([], subkeys(sc, TAVELIN_KEY), "only the settings tree goes")
                self.assertEqual({"CleanUpRegistry": sz("N")}, sc.registry(TAVELIN_KEY)["values"])
                r = ops(sc, "DeleteKeyTree=Software\\Tavelin\\Softmodem")
                self.assertEqual(("exit 0", []), (r.outcome, r.boxes), "a missing key")

    def test_a_subkey_that_can_not_be_deleted_is_passed_over(self):
        # A subkey whose path exceeds 259 characters is not deleted; on NT its
        # parents stay, everything beside them goes, and the walk ends.
        parent = BRAND_KEY + "\\" + "L" * 200
        for version, left in (("nt40", ["L" * 200]), ("win98", None)):
            with self.subTest(version=version), Scenario(version) as sc:
                seed_settings(sc)
                sc.seed_registry(parent)
                self.assertEqual(0, ops(sc, "subkey=" + parent[5:] + "=" + "M" * 60).exit_code)
                r = ops(sc, "cleanup", "RemoveBrandSettingsKey")
                self.assertEqual("exit 0", r.outcome)
                self.assertEqual(left, subkeys(sc, BRAND_KEY))
                if left:
                    self.assertEqual(["M" * 60], subkeys(sc, BRAND_KEY + "\\" + "L" * 200))


if __name__ == "__main__":
    unittest.main()
