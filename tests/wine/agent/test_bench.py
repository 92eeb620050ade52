"""The bench itself: the dialog watcher, exit codes, time limits and the
registry round trip that every other test relies on."""

import unittest

from bench import Scenario

SHOW_BOXES = r"C:\bench\show_boxes.exe"


class DialogWatcher(unittest.TestCase):
    def test_records_boxes_in_order_and_presses_the_scripted_button(self):
        with Scenario("win98", medium=False) as sc:
            result = sc.run(SHOW_BOXES, "First|one|Second|two\ttab|Third|three",
                            answers={"Second": 2})
            self.assertEqual([("First", "one"), ("Second", "two\ttab"), ("Third", "three")],
                             result.boxes)
            self.assertEqual(0b101, result.exit_code, "OK, Cancel, OK")

    def test_a_cut_ends_the_program_at_the_scripted_box(self):
        with Scenario("win98", medium=False) as sc:
            result = sc.run(SHOW_BOXES, "A|a|B|b|A|a2|C|c", cut=("A", 2))
            self.assertEqual("cut", result.outcome)
            self.assertIsNone(result.exit_code)
            self.assertEqual([("A", "a"), ("B", "b"), ("A", "a2")], result.boxes, "nothing after it")

    def test_a_program_that_never_ends_is_stopped_at_its_time_limit(self):
        with Scenario("win2k", medium=False) as sc:
            # Every box is answered, but the program is given no time.
            result = sc.run(SHOW_BOXES, "A|a", answers={"A": 9999}, timeout=5)
            self.assertEqual("timeout", result.outcome)
            self.assertIsNone(result.exit_code)

    def test_a_missing_program_is_reported(self):
        with Scenario("win2k", medium=False) as sc:
            self.assertTrue(sc.run(r"C:\nowhere\x.exe").outcome.startswith("start_failed"))


class RegistryRoundTrip(unittest.TestCase):
    def test_every_byte_and_type_survives_seed_and_dump(self):
        values = {"text": ("REG_SZ", b"a\tb\\c\0"), "bytes": ("REG_BINARY", bytes(range(256))),
                  "number": ("REG_DWORD", b"\x01\x02\x03\x04"), "": ("REG_SZ", b"default\0"),
                  "empty": ("REG_BINARY", b"")}
        for version in ("win98", "win2k"):
            with self.subTest(version=version), Scenario(version, medium=False) as sc:
                sc.seed_registry(r"HKLM\SOFTWARE\BenchProbe\Deep\Deeper", values)
                tree = sc.registry(r"HKLM\SOFTWARE\BenchProbe")
                self.assertEqual(values, tree["keys"]["Deep"]["keys"]["Deeper"]["values"])
                top = sc.registries([r"HKLM\SOFTWARE\BenchProbe\Deep"],
                                    top=[r"HKLM\SOFTWARE\BenchProbe\Deep"])
                self.assertEqual({"values": {}, "keys": {"Deeper": {"values": {}, "keys": {}}}},
                                 top[r"HKLM\SOFTWARE\BenchProbe\Deep"], "--top: names only")
                sc.delete_key(r"HKLM\SOFTWARE\BenchProbe")
                self.assertIsNone(sc.registry(r"HKLM\SOFTWARE\BenchProbe"))


if __name__ == "__main__":
    unittest.main()
