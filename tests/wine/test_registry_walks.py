"""Registry clean-up walks under Wine: the 9x modem, PCI and NoDevice class
entries of earlier installs, the WDM enumerator key, and the check for the
freshly installed modem."""

import unittest

from bench import Scenario, sz

ROOT_MODEMS = r"HKLM\Enum\Root\Modem"
CLASS_MODEMS = r"HKLM\System\CurrentControlSet\Services\Class\Modem"
PCI_CLASS = r"HKLM\System\Currentcontrolset\services\class\pci"
NO_DEVICE = r"HKLM\System\CurrentControlSet\Services\Class\NoDevice"
WDM_ENUM = r"HKLM\Enum\TAVELIN.INTEL_AMR.MODEM"
OURS = "TAVELIN Software Modem AMR"
OTHER = "Norvik Technologies Soft Modem"


def ops(sc, *steps):
    return sc.run(r"C:\bench\registry_ops.exe", "|".join(steps))


def subkeys(sc, path):
    tree = sc.registry(path)
    return None if tree is None else sorted(tree["keys"])


def seed_instances(sc, root, name, values):
    """Numbered instances 0000, 0001, ... with the value name set to each
    text (None: no value)."""
    for i, text in enumerate(values):
        sc.seed_registry(rf"{root}\{i:04d}", {} if text is None else {name: sz(text)})


class DeleteSecondModem(unittest.TestCase):
    def test_instances_with_either_name_in_their_model_go(self):
        with Scenario("win98") as sc:
            seed_instances(sc, ROOT_MODEMS, "Model", [OURS, "Standard 56K Modem"])
            # 0002 and 0003 are adjacent matches: the index steps back after each.
            seed_instances(sc, CLASS_MODEMS, "Model", [OURS, "Other Modem", OTHER, f"New {OURS} (PCI)",
                                                       OURS.upper(), None])
            r = ops(sc, "debug", "DeleteSecondModem")
            self.assertEqual(("exit 0", []), (r.outcome, r.boxes))
            self.assertEqual(["0001"], subkeys(sc, ROOT_MODEMS))
            self.assertEqual(["0001", "0004", "0005"], subkeys(sc, CLASS_MODEMS))

    def test_nt_refusal_of_a_key_with_subkeys_is_passed_over(self):
        for version, left in (("nt40", ["0000"]), ("win98", [])):
            with self.subTest(version=version), Scenario(version) as sc:
                seed_instances(sc, CLASS_MODEMS, "Model", [OURS, OURS])
                sc.seed_registry(CLASS_MODEMS + r"\0000\Settings")
                r = ops(sc, "DeleteSecondModem")
                self.assertEqual(("exit 0", left), (r.outcome, subkeys(sc, CLASS_MODEMS)))


class FindInstalledModem(unittest.TestCase):
    def test_only_a_model_with_either_whole_name_counts(self):
        cases = (([OURS], 1), ([f"Old {OTHER} 2"], 1), ([f"{OURS} #2"], 1),
                 (["Standard Modem", OURS], 1),
                 # Parts of our name, an empty Model or another letter case are
                 # other modems, which must not end the wait.
                 (["Modem"], 0), (["Modem AMR"], 0), ([""], 0), ([OURS.lower()], 0), ([None], 0),
                 ([OURS + " " + "x" * 240], 0))  # longer than the value capacity
        with Scenario("win98") as sc:
            self.assertEqual(0, ops(sc, "FindInstalledModem").exit_code, "no class key")
            for models, expected in cases:
                with self.subTest(models=models):
                    sc.delete_key(CLASS_MODEMS)
                    seed_instances(sc, CLASS_MODEMS, "Model", models)
                    self.assertEqual(expected, ops(sc, "FindInstalledModem").exit_code)


class RemovePciClassKeys(unittest.TestCase):
    def test_checkpoints_and_matching_entries(self):
        with Scenario("win98") as sc:
            seed_instances(sc, PCI_CLASS, "Driverdesc", ["PCI standard host bridge", f"{OTHER} (WDM)"])
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
                           [OURS.lower(), OURS + " Inc", OTHER.upper(), None, OURS, "Norvik"])
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
