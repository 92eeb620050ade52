"""The programs on the medium besides setup.exe start and end under every
Windows version from Windows 95 to Windows 2000 (setup.exe's silent run on
each is held by test_setup_startup.py): qvsmzad writes a small country file
and ends with 0, and with 1 when its file is missing; the placeholder
uninstaller shows its one message and ends with 0."""

import os
import unittest

from bench import VERSIONS, Scenario
from bench.registry import b32, node, sz

TAVELIN = r"HKLM\SOFTWARE\TAVELIN"
COUNTRY_FILE = (b"[B5]\r\nGain=5,0,9\r\n[Disable_Country]\r\nb5\r\n"
                b"[Registry]\r\nHKLM,SOFTWARE\\TAVELIN\\Extra,Made,0,yes\r\n")


# The platform class that setup's own classification gives each version.
CLASSES = {"win95": 3, "win98": 6, "winme": 7, "nt40": 1, "win2k": 2}


class EveryVersion(unittest.TestCase):
    def test_qvsmzad_and_qvremove_start_and_end(self):
        # One prefix; each program started after the switch sees the version.
        with Scenario() as sc:
            for version in VERSIONS:
                with self.subTest(version=version):
                    self.check_programs(sc, version)

    def check_programs(self, sc, version):
        sc.seed_registry(r"HKCU\Software\Wine", {"Version": sz(version)})
        self.assertEqual(CLASSES[version], sc.run(r"C:\bench\platform_probe.exe").exit_code)
        sc.delete_key(TAVELIN)
        sc.put_file(r"C:\work\QVSMzad.ini", COUNTRY_FILE)
        result = sc.run(r"C:\medium\qvsmzad.exe", cwd=r"C:\work")
        self.assertEqual((0, []), (result.exit_code, result.boxes), result)
        tree = sc.registry(TAVELIN)
        stamp = tree["keys"]["SoftModem"]["values"].pop("HomolTimeStamp")
        self.assertEqual(("REG_BINARY", 4), (stamp[0], len(stamp[1])))
        self.assertEqual(node(keys={
            "SoftModem": node(keys={"Country": node(keys={
                "B5": node({"Gain": b32(5), "Gain_min": b32(0), "Gain_max": b32(9)}),
                "Disabled": node(keys={"B5": node()}),
            })}),
            "Extra": node({"Made": sz("yes")}),
        }), tree)

        os.remove(sc.unix_path(r"C:\work\QVSMzad.ini"))
        self.assertEqual(1, sc.run(r"C:\medium\qvsmzad.exe", cwd=r"C:\work").exit_code)

        result = sc.run(r"C:\medium\qvremove.exe")
        self.assertEqual(0, result.exit_code, result)
        self.assertEqual(["qvremove"], [caption for caption, _ in result.boxes])


if __name__ == "__main__":
    unittest.main()
