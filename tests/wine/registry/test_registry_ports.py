"""Windows NT 4.0 port records under Wine: the COM port choice and
"AttachedTo" of our modem instance."""

import unittest

from bench import Scenario
from bench.fixtures import ops
from bench.registry import EARLIER_NAME, MODEM_NT, OUR_NAME, SERIAL_MAP, set_serial_map, sz, value


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
            sc.delete_key(MODEM_NT)
            r = ops(sc, "debug", "port=COM5", "AddOldAttachedtoKey")
            self.assertEqual((0, [("Error: 1", "AddOldAttachedtoKey failed")]), (r.exit_code, r.boxes))

            sc.seed_registry(MODEM_NT + r"\0000", {"DriverDesc": sz(OUR_NAME + " #2")})
            sc.seed_registry(MODEM_NT + r"\0001", {"DriverDesc": sz(EARLIER_NAME)})
            sc.seed_registry(MODEM_NT + r"\0002", {"Model": sz(OUR_NAME)})
            r = ops(sc, "debug", "port=COM5", "AddOldAttachedtoKey")
            self.assertEqual((0, [("Error: 2", "AddOldAttachedtoKey failed")]), (r.exit_code, r.boxes))

            sc.seed_registry(MODEM_NT + r"\0003", {"DriverDesc": sz(OUR_NAME)})
            sc.seed_registry(MODEM_NT + r"\0004", {"DriverDesc": sz(OUR_NAME)})
            set_serial_map(sc, ["COM1", "COM2"])
            r = ops(sc, "debug", "ChooseFreeComPort", "AddOldAttachedtoKey")
            self.assertEqual((1, []), (r.exit_code, r.boxes))
            tree = sc.registry(MODEM_NT)
            attached = {k: value(tree, k, "AttachedTo") for k in tree["keys"]}
            self.assertEqual({"0000": None, "0001": None, "0002": None, "0003": sz("COM3"),
                              "0004": None}, attached)


if __name__ == "__main__":
    unittest.main()
