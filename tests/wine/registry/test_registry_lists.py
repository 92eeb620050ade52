"""Fixed key lists and the autostart value under Wine: the uninstall
information, the Unimodem response keys and the monitor's Run entry;
Windows 9x deletes a key with its subkeys, NT refuses."""

import unittest

from bench import Scenario
from bench.fixtures import ops
from bench.registry import EARLIER_NAME, GSMU_KEY, OUR_NAME, RUN_KEY, UNIMODEM, subkeys, sz

UNINSTALL = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall"


class KeyLists(unittest.TestCase):
    def test_uninstall_information(self):
        listed = [r"InternationalizationStrings", "InstalledFiles", "FriendlyNames",
                  "DeviceClassNames", r"Applets\QVSMMSG"]
        for version, extra_left in (("nt40", ["Extra"]), ("win98", None)):
            with self.subTest(version=version), Scenario(version) as sc:
                r = ops(sc, "RemoveGSMUKey")
                self.assertEqual(("exit 0", []), (r.outcome, r.boxes), "nothing to remove")
                for name in listed:
                    sc.seed_registry(GSMU_KEY + "\\" + name, {"a": sz("b")})
                for brand in ("TAVELIN Software Modem", EARLIER_NAME, "Other Modem"):
                    sc.seed_registry(UNINSTALL + "\\" + brand, {"DisplayName": sz(brand)})
                ops(sc, "RemoveGSMUKey")
                self.assertIsNone(subkeys(sc, GSMU_KEY))
                remaining = subkeys(sc, UNINSTALL)
                self.assertIn("Other Modem", remaining)
                self.assertNotIn("TAVELIN Software Modem", remaining)
                self.assertNotIn(EARLIER_NAME, remaining)

                # A key beyond the list keeps the tree on NT.
                for name in listed:
                    sc.seed_registry(GSMU_KEY + "\\" + name)
                sc.seed_registry(GSMU_KEY + r"\Extra")
                ops(sc, "RemoveGSMUKey")
                self.assertEqual(extra_left, subkeys(sc, GSMU_KEY))

    def test_unimodem_response_keys(self):
        names = (f"{OUR_NAME}::TAVELIN::TAVELIN", f"{EARLIER_NAME} AMR::Norvik::Norvik")
        with Scenario("nt40") as sc:
            for name in names:
                sc.seed_registry(UNIMODEM + "\\" + name + r"\responses", {"1": sz("OK")})
            sc.seed_registry(UNIMODEM + r"\Other Modem::X::X\responses")
            ops(sc, "RemoveUnimodemDeviceKeys")
            self.assertEqual(["Other Modem::X::X"], subkeys(sc, UNIMODEM))

    def test_autostart_value(self):
        with Scenario("win98") as sc:
            sc.seed_registry(RUN_KEY, {"QVSMMSG": sz(r"C:\WINDOWS\qvsmmsg.exe"), "Other": sz("other.exe")})
            ops(sc, r"DeleteRegistryValue=SOFTWARE\Microsoft\Windows\CurrentVersion\Run=QVSMMSG")
            self.assertEqual({"Other": sz("other.exe")}, sc.registry(RUN_KEY)["values"])
            r = ops(sc, r"DeleteRegistryValue=SOFTWARE\Missing=QVSMMSG")
            self.assertEqual(("exit 0", []), (r.outcome, r.boxes))


if __name__ == "__main__":
    unittest.main()
