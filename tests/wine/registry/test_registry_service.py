"""Windows NT 4.0 driver service key under Wine, and the earlier
installation check that rests on it."""

import unittest

from bench import Scenario
from bench.fixtures import ops
from bench.registry import EARLIER_NAME, MODEM_NT, OUR_NAME, SERVICE_KEY, SERVICE_NAME, dword, sz


class FindOldPort(unittest.TestCase):
    def test_needs_the_service_name_and_one_of_our_models(self):
        with Scenario("nt40") as sc:
            sc.delete_key(MODEM_NT)
            sc.seed_registry(MODEM_NT + r"\0000", {"Model": sz(OUR_NAME)})
            self.assertEqual(0, ops(sc, "FindOldPort").exit_code, "no service key")
            sc.seed_registry(SERVICE_KEY, {"start": dword(2)})
            self.assertEqual(0, ops(sc, "FindOldPort").exit_code, "no displayname")

            sc.delete_key(MODEM_NT)
            ops(sc, "CreateDriverService")
            r = ops(sc, "debug", "FindOldPort")
            self.assertEqual((0, [("Error: 1", "FindOldPort failed")]), (r.exit_code, r.boxes))

            models = ((f"Old {OUR_NAME} (COM3)", 1), (EARLIER_NAME + " 2", 1), (OUR_NAME.lower(), 0),
                      ("Modem AMR", 0), ("", 0))
            for model, expected in models:
                with self.subTest(model=model):
                    sc.delete_key(MODEM_NT)
                    sc.seed_registry(MODEM_NT + r"\0000", {"Model": sz("Standard Modem")})
                    sc.seed_registry(MODEM_NT + r"\0001", {"DriverDesc": sz(OUR_NAME)})
                    sc.seed_registry(MODEM_NT + r"\0002", {"Model": sz(model)})
                    r = ops(sc, "debug", "FindOldPort")
                    self.assertEqual((expected, []), (r.exit_code, r.boxes))


class CreateDriverService(unittest.TestCase):
    def test_ten_values_overwritten_by_a_second_run(self):
        expected = {"displayname": sz(SERVICE_NAME), "errorcontrol": dword(0),
                    "forcefifoenable": dword(1), "logfifo": dword(0), "permitshare": dword(1),
                    "rxfifo": dword(8), "start": dword(2), "txfifo": dword(1), "type": dword(1)}
        with Scenario("nt40") as sc:
            sc.seed_registry(SERVICE_KEY, {"start": dword(4), "ImagePath": sz("old")})
            ops(sc, "CreateDriverService")
            r = ops(sc, "debug", r"drivers=C:\WINNT\system32\drivers", "CreateDriverService")
            self.assertEqual([], r.boxes)
            values = sc.registry(SERVICE_KEY)["values"]
            self.assertEqual(dict(expected, ImagePath=sz(r"\??\C:\WINNT\system32\drivers\qvsm.sys")),
                             values)

            # The longest drivers directory: the object path is written whole.
            drivers = "C:\\" + "d" * 239 + r"\system32\drivers"
            ops(sc, "drivers=" + drivers, "CreateDriverService")
            self.assertEqual(sz("\\??\\" + drivers + r"\qvsm.sys"), sc.registry(SERVICE_KEY)["values"]["ImagePath"])


if __name__ == "__main__":
    unittest.main()
