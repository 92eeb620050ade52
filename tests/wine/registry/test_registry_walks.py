"""Registry clean-up walks under Wine: the 9x modem, PCI and NoDevice class
entries of earlier installs, the WDM enumerator key, and the check for the
freshly installed modem."""

import unittest

from bench import Scenario
from bench.fixtures import ops
from bench.registry import EARLIER_NAME, MODEM_9X, OUR_NAME, seed_instances, subkeys, sz

ROOT_MODEMS = r"HKLM\Enum\Root\Modem"
PCI_CLASS = r"HKLM\System\Currentcontrolset\services\class\pci"
NO_DEVICE = r"HKLM\System\CurrentControlSet\Services\Class\NoDevice"
WDM_ENUM = r"HKLM\Enum\TAVELIN.INTEL_AMR.MODEM"


class DeleteSecondModem(unittest.TestCase):
    def test_instances_with_either_name_in_their_model_go(self):
        with Scenario("win98") as sc:
            seed_instances(sc, ROOT_MODEMS, "Model", [OUR_NAME, "Standard 56K Modem"])
            # 0002 and 0003 are adjacent matches: the index steps back after each.
            seed_instances(sc, MODEM_9X, "Model", [OUR_NAME, "Other Modem", EARLIER_NAME, f"New {OUR_NAME} (PCI)",
                                                       OUR_NAME.upper(), None])
            r = ops(sc, "debug", "DeleteSecondModem")
            self.assertEqual(("exit 0", []), (r.outcome, r.boxes))
            self.assertEqual(["0001"], subkeys(sc, ROOT_MODEMS))
            self.assertEqual(["0001", "0004", "0005"], subkeys(sc, MODEM_9X))

    def test_nt_refusal_of_a_key_with_subkeys_is_passed_over(self):
        for version, left in (("nt40", ["0000"]), ("win98", [])):
            with self.subTest(version=version), Scenario(version) as sc:
                seed_instances(sc, MODEM_9X, "Model", [OUR_NAME, OUR_NAME])
                sc.seed_registry(MODEM_9X + r"\0000\Settings")
                r = ops(sc, "DeleteSecondModem")
                self.assertEqual(("exit 0", left), (r.outcome, subkeys(sc, MODEM_9X)))


class FindInstalledModem(unittest.TestCase):
    def test_only_a_model_with_either_whole_name_counts(self):
        cases = (([OUR_NAME], 1), ([f"Old {EARLIER_NAME} 2"], 1), ([f"{OUR_NAME} #2"], 1),
                 (["Standard Modem", OUR_NAME], 1),
                 # Parts of our name, an empty Model or another letter case are
                 # other modems, which must not end the wait.
                 (["Modem"], 0), (["Modem AMR"], 0), ([""], 0), ([OUR_NAME.lower()], 0), ([None], 0),
                 ([OUR_NAME + " " + "x" * 240], 0))  # longer than the value capacity
        with Scenario("win98") as sc:
            self.assertEqual(0, ops(sc, "FindInstalledModem").exit_code, "no class key")
            for models, expected in cases:
                with self.subTest(models=models):
                    sc.delete_key(MODEM_9X)
                    seed_instances(sc, MODEM_9X, "Model", models)
                    self.assertEqual(expected, ops(sc, "FindInstalledModem").exit_code)


class RemovePciClassKeys(unittest.TestCase):
    def test_checkpoints_and_matching_entries(self):
        with Scenario("win98") as sc:
            seed_instances(sc, PCI_CLASS, "Driverdesc", ["PCI standard host bridge", f"{EARLIER_NAME} (WDM)"])
            r = ops(sc, "debug", "RemovePciClassKeys")
            self.assertEqual([("PCIKeys passes", "xy"),
                              ("EnumKeys passes", "xy"), ("PCIKeys passes", "0000"),
                              ("openkey keyname passes", "xy"),
                              ("EnumKeys passes", "xy"), ("PCIKeys passes", "0001"),
                              ("openkey keyname passes", "xy"), ("deleted", "xy")], r.boxes)
            self.assertEqual(["0000"], subkeys(sc, PCI_CLASS))
            self.assertEqual([], ops(sc, "RemovePciClassKeys").boxes, "no checkpoint without Debug")


class RemoveNoDeviceEntries(unittest.TestCase):
    def test_whole_name_in_any_letter_case(self):
        with Scenario("win98") as sc:
            seed_instances(sc, NO_DEVICE, "ProviderName",
                           [OUR_NAME.lower(), OUR_NAME + " Inc", EARLIER_NAME.upper(), None, OUR_NAME, "Norvik"])
            ops(sc, "RemoveNoDeviceEntries")
            self.assertEqual(["0001", "0003", "0005"], subkeys(sc, NO_DEVICE))


class RemoveWDMKeys(unittest.TestCase):
    def test_enumerator_key(self):
        with Scenario("win98") as sc:
            sc.seed_registry(WDM_ENUM)
            ops(sc, "RemoveWDMKeys")
            self.assertEqual([], subkeys(sc, WDM_ENUM), "without instances the key stays")
            sc.seed_registry(WDM_ENUM + r"\PCI_1\0000", {"Class": sz("Modem")})
            sc.seed_registry(WDM_ENUM + r"\PCI_2")
            ops(sc, "RemoveWDMKeys")
            self.assertIsNone(subkeys(sc, WDM_ENUM), "Windows 9x deletes the whole key")


if __name__ == "__main__":
    unittest.main()
