"""The setup-library stand-ins on Windows NT 4.0 and 2000 under Wine:
RemoveModem and InstallClassDevice on the NT Modem class, configured
results, and the driver service "TAVELINSoftModem" that RefreshWin2K brings
to the running state through the service control manager."""

import time
import unittest

from bench import Scenario
from bench.registry import EARLIER_NAME, MODEM_9X, MODEM_NT, OUR_NAME, instances, seed_instance
from bench.standins import calls, configure, install_fixture, run_steps, wait_for

SERVICE_STOPPED, SERVICE_START_PENDING, SERVICE_RUNNING = "1", "2", "4"


def service_state(sc):
    _, boxes = run_steps(sc, ["service"])
    return boxes[0][1]


class ModemClass(unittest.TestCase):
    def test_remove_modem_deletes_our_instances_with_their_subkeys(self):
        with Scenario("nt40") as sc:
            install_fixture(sc)
            configure(sc)
            seed_instance(sc, MODEM_NT, "0000", subkeys=("Init", "Responses"), DriverDesc=OUR_NAME,
                          Model=OUR_NAME)
            seed_instance(sc, MODEM_NT, "0001", DriverDesc="Standard Modem", Model="Standard Modem")
            seed_instance(sc, MODEM_NT, "0002", Model=EARLIER_NAME)
            seed_instance(sc, MODEM_NT, "0003", DriverDesc=f"{OUR_NAME} #2", Model="Other")
            seed_instance(sc, MODEM_9X, "0000", Model=OUR_NAME)
            answers, _ = run_steps(sc, ["load2", "bindnt4", "RemoveModem"])
            self.assertEqual([True, True, True], answers)
            self.assertEqual(["0001"], list(instances(sc, MODEM_NT)))
            self.assertEqual(["0000"], list(instances(sc, MODEM_9X)), "the 9x class is not NT's")
            self.assertEqual(["RemoveModem() = 1 Removed=3"], calls(sc))

    def test_install_class_device_takes_the_lowest_free_number(self):
        with Scenario("nt40") as sc:
            install_fixture(sc)
            seed_instance(sc, MODEM_NT, "0000", DriverDesc="Standard Modem")
            seed_instance(sc, MODEM_NT, "0002", DriverDesc="Standard Modem")
            configure(sc, {"InstallClassDevice": {"Effect": 0}})
            self.assertEqual([True], run_steps(sc, ["ntinstall"])[0])
            self.assertEqual(["0000", "0002"], sorted(instances(sc, MODEM_NT)))
            configure(sc)
            self.assertEqual([True], run_steps(sc, ["ntinstall"])[0])
            self.assertEqual({"DriverDesc": OUR_NAME, "Model": OUR_NAME},
                             instances(sc, MODEM_NT)["0001"])
            first, second = calls(sc)
            self.assertNotIn("Instance", first, "no effect, no instance")
            self.assertIn(' = 1 Instance="0001" ', second)


class DriverService(unittest.TestCase):
    def test_refresh_runs_the_service_after_its_delay_until_its_life_ends(self):
        with Scenario("win2k") as sc:
            install_fixture(sc)
            configure(sc, {"RefreshWin2K": {"Delay": 8000, "Life": 25000}})
            started = time.time()
            answers, boxes = run_steps(sc, ["load2000", "bind2000", "RefreshWin2K", "service"])
            self.assertEqual([True] * 4, answers)
            self.assertEqual([("service", SERVICE_START_PENDING)], boxes)
            self.assertTrue(wait_for(lambda: service_state(sc) == SERVICE_RUNNING, 40, 2))
            self.assertGreaterEqual(time.time() - started, 8)
            self.assertTrue(wait_for(lambda: service_state(sc) == SERVICE_STOPPED, 60, 3),
                            "the service stops by itself at the end of its life")
            self.assertEqual(["RefreshWin2K() = 1 Delay=8000 SourcePath=none",
                              'TAVELINSoftModem("running", 8000, 25000) = 1',
                              'TAVELINSoftModem("stopped", 8000, 25000) = 1'], calls(sc))
            # The service exists now: a second refresh re-points and starts it.
            configure(sc, {"RefreshWin2K": {"Delay": 0, "Life": 20000}})
            run_steps(sc, ["load2000", "bind2000", "RefreshWin2K"])
            self.assertTrue(wait_for(lambda: service_state(sc) == SERVICE_RUNNING, 30, 2))

    def test_configured_failures(self):
        with Scenario("win2k") as sc:
            install_fixture(sc)
            configure(sc, {"RefreshWin2K": {"Result": 0}, "GetHardWareId": {"Result": 0}})
            answers, boxes = run_steps(sc, ["load2000", "bind2000", "RefreshWin2K", "GetHardWareId",
                                            "service"])
            self.assertEqual([True, True, False, False, False], answers)
            self.assertEqual([("GetHardWareId", ""), ("service", "absent")], boxes)
            self.assertEqual(["RefreshWin2K() = 0 Delay=0 SourcePath=none", "GetHardWareId() = 0"],
                             calls(sc))


if __name__ == "__main__":
    unittest.main()
