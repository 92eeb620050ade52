"""Windows 2000 controller detection under Wine: the PCI device tree walk
that yields a hardware id, and the real id handed to the device update."""

import unittest

from bench import Scenario
from bench.fixtures import ops
from bench.registry import INTEL, PCI
VIA = "VEN_1106&DEV_3068&SUBSYS_00000000&REV_01"


class FindIDFromEnum(unittest.TestCase):
    def test_pci_tree_walk(self):
        with Scenario("win2k") as sc:
            # Wine's own display adapter is the only PCI device: nothing known.
            r = ops(sc, "debug", "id=unchanged", "FindIDFromEnum", "showid")
            self.assertEqual((0, [("Debug", "No PCI Key"), ("id", "unchanged")]),
                             (r.exit_code, r.boxes))

            # Lower case is another text; a longer device id still contains ours.
            sc.seed_registry(PCI + r"\ven_8086&dev_2416&SUBSYS_12345678&REV_02")
            self.assertEqual(0, ops(sc, "FindIDFromEnum").exit_code)
            sc.delete_key(PCI + r"\ven_8086&dev_2416&SUBSYS_12345678&REV_02")
            sc.seed_registry(PCI + r"\VEN_8086&DEV_24160000\3&13c0b0c5&0&F8")
            r = ops(sc, "debug", "FindIDFromEnum", "showid")
            self.assertEqual((1, [("HardwareId", r"PCI\VEN_8086&DEV_24160000"),
                                  ("id", r"PCI\VEN_8086&DEV_24160000")]), (r.exit_code, r.boxes))
            sc.delete_key(PCI + r"\VEN_8086&DEV_24160000")

            # The id goes on to the device update as its real id.
            sc.seed_registry(PCI + "\\" + INTEL)
            r = ops(sc, "debug", "FindIDFromEnum", "UpdateDeviceByHardwareId")
            self.assertEqual(1, r.exit_code)
            self.assertEqual([("HardwareId", "PCI\\" + INTEL),
                              ("Real HardwareId", r"PCI\VEN_8086&DEV_2416&SUBSYS_12345678"),
                              ("NT5 Inf File", "qvsmw2k.inf"),
                              ("UpdateNT5Device", r"PCI\VEN_8086&DEV_2416&SUBSYS_12345678|qvsmw2k.inf")],
                             r.boxes)

            # The key that the enumeration lists first wins, whatever its row.
            sc.seed_registry(PCI + "\\" + VIA)
            r = ops(sc, "FindIDFromEnum", "showid")
            self.assertEqual((1, [("id", "PCI\\" + VIA)]), (r.exit_code, r.boxes))

            sc.delete_key(PCI)
            r = ops(sc, "debug", "id=unchanged", "FindIDFromEnum", "showid")
            self.assertEqual((0, [("Debug", "No PCI Key"), ("id", "unchanged")]),
                             (r.exit_code, r.boxes))


class UpdateDeviceByHardwareId(unittest.TestCase):
    def test_ids_of_each_form(self):
        cases = (
            (r"ISAPNP\ABC1234", r"*ABC1234"),
            (r"ACPI\ABC1234\5", r"*ABC1234\5"),
            (r"BIOS\*PNP0501", r"**PNP0501"),
            (r"PCI\VEN_E159&DEV_0001&SUBSYS_00011234&REV_05\1", r"PCI\VEN_E159&DEV_0001&SUBSYS_00011234"),
            (r"BRX\SOFTMODEM", r"BRX\SOFTMODEM"),
            (r"pci\ven_e159&dev_0001", None),
            ("ACPI", None),  # no text after a backslash: refused
            (r"USB\VID_1234", None),
        )
        with Scenario("win2k") as sc:
            for hardware_id, real in cases:
                with self.subTest(id=hardware_id):
                    r = ops(sc, "debug", "id=" + hardware_id, "UpdateDeviceByHardwareId")
                    if real is None:
                        self.assertEqual((0, []), (r.exit_code, r.boxes))
                    else:
                        self.assertEqual((1, [("Real HardwareId", real), ("NT5 Inf File", "qvsmw2k.inf"),
                                              ("UpdateNT5Device", real + "|qvsmw2k.inf")]),
                                         (r.exit_code, r.boxes))
            # Without Debug the device is updated without any checkpoint.
            r = ops(sc, r"id=BRX\SOFTMODEM", "UpdateDeviceByHardwareId")
            self.assertEqual((1, [("UpdateNT5Device", r"BRX\SOFTMODEM|qvsmw2k.inf")]), (r.exit_code, r.boxes))


if __name__ == "__main__":
    unittest.main()
