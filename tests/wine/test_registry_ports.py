"""Windows NT 4.0 port records under Wine: the COM port choice and
"AttachedTo" of our modem instance."""

import unittest

from bench import Scenario, sz, value

MODEMS = r"HKLM\System\CurrentControlSet\Control\Class\{4D36E96D-E325-11CE-BFC1-08002BE10318}"
SERIAL_MAP = r"HKLM\Hardware\devicemap\serialcomm"
OURS = "TAVELIN Software Modem AMR"
OTHER = "Norvik Technologies Soft Modem"


def ops(sc, *steps):
    return sc.run(r"C:\bench\registry_ops.exe", "|".join(steps))


def set_serial_map(sc, ports):
    """Leaves exactly the given port names in the serial port map."""
    current = sc.registry(SERIAL_MAP)
    records = [("X", SERIAL_MAP, name) for name in current["values"]] if current else []
    records += [("V", SERIAL_MAP, rf"\Device\Serial{i}", "REG_SZ", p.encode() + b"\0")
                for i, p in enumerate(ports)]
    sc.seed_records(records)


class ChooseFreeComPort(unittest.TestCase):
    def test_lowest_free_port_of_the_serial_port_map(self):
        cases = (([], "COM1"), (["COM1", "COM2"], "COM3"), (["COM1", "COM3"], "COM2"),
                 (["COM10"], "COM1"), (["COM1", "CO", "COM100", "COM-2", "COM2"], "COM3"))
        with Scenario("nt40") as sc:
            for ports, expected in cases:
                with self.subTest(ports=ports):
                    set_serial_map(sc, ports)
                    r = ops(sc, "debug", "ChooseFreeComPort", "showport")
                    self.assertEqual((1, [("port", expected)]), (r.exit_code, r.boxes))

            set_serial_map(sc, [f"COM{n}" for n in range(1, 100)])
            r = ops(sc, "port=COM7", "ChooseFreeComPort", "showport")
            self.assertEqual((0, [("port", "COM7")]), (r.exit_code, r.boxes), "every port taken")

            sc.delete_key(SERIAL_MAP)
            r = ops(sc, "debug", "ChooseFreeComPort", "showport")
            self.assertEqual((1, [("port", "COM2")]), (r.exit_code, r.boxes), "no map")


class AddOldAttachedtoKey(unittest.TestCase):
    def test_first_instance_with_exactly_our_description(self):
        with Scenario("nt40") as sc:
            sc.delete_key(MODEMS)
            r = ops(sc, "debug", "port=COM5", "AddOldAttachedtoKey")
            self.assertEqual((0, [("Error: 1", "AddOldAttachedtoKey failed")]), (r.exit_code, r.boxes))

            sc.seed_registry(MODEMS + r"\0000", {"DriverDesc": sz(OURS + " #2")})
            sc.seed_registry(MODEMS + r"\0001", {"DriverDesc": sz(OTHER)})
            sc.seed_registry(MODEMS + r"\0002", {"Model": sz(OURS)})
            r = ops(sc, "debug", "port=COM5", "AddOldAttachedtoKey")
            self.assertEqual((0, [("Error: 2", "AddOldAttachedtoKey failed")]), (r.exit_code, r.boxes))

            sc.seed_registry(MODEMS + r"\0003", {"DriverDesc": sz(OURS)})
            sc.seed_registry(MODEMS + r"\0004", {"DriverDesc": sz(OURS)})
            set_serial_map(sc, ["COM1", "COM2"])
            r = ops(sc, "debug", "ChooseFreeComPort", "AddOldAttachedtoKey")
            self.assertEqual((1, []), (r.exit_code, r.boxes))
            tree = sc.registry(MODEMS)
            attached = {k: value(tree, k, "AttachedTo") for k in tree["keys"]}
            self.assertEqual({"0000": None, "0001": None, "0002": None, "0003": sz("COM3"),
                              "0004": None}, attached)


if __name__ == "__main__":
    unittest.main()
