"""Silent runs of setup.exe on the Windows 98 family under Wine: the
refresh modes and the driver set that each class and the WDMDriver option
choose."""

import unittest

from bench import Scenario
from bench.sequence import (REMOVAL_CHECKPOINTS, VXD_FILES, WDM_FILES, checkpoints, launches, prepare,
                            run_setup)


class DriverSet(unittest.TestCase):
    def test_driver_set_per_mode_class_and_option(self):
        # D with R, and R alone, refresh like a plain install.
        cases = (("win98", "S D R", "N", VXD_FILES), ("win98", "S R", "Y", WDM_FILES),
                 ("winme", "S", "N", WDM_FILES))
        for version, args, wdm, files in cases:
            with self.subTest(version=version, args=args, WDMDriver=wdm), Scenario(version) as sc:
                prepare(sc, {"Debug": "Y", "WDMDriver": wdm})
                result, _ = run_setup(sc, args)
                self.assertEqual(0, result.exit_code, result)
                wdm_checkpoint = [" WDMDriver == TRUE "] if files is WDM_FILES else []
                self.assertEqual(REMOVAL_CHECKPOINTS + wdm_checkpoint + ["refreshdevicefor98"],
                                 checkpoints(result))
                for path in files:
                    self.assertTrue(sc.exists(path), path)
                other = VXD_FILES if files is WDM_FILES else WDM_FILES
                self.assertFalse(sc.exists(other[0]))
                self.assertEqual([["LAUNCH_FILES_9X"]], launches(sc))


if __name__ == "__main__":
    unittest.main()
