"""Hostile media for setup.exe under Wine: a medium at a path too long for
the files that a run takes from it, and a qvsetup.ini with values of 255,
256 and 300 characters, 200 keys in one section and commands of nine and
ten words. Each silent run must end with the exit code that the decisions
give and leave exactly the files and records they give.

Bounds that test_files_lists.py holds already through single operations
(names of 128 characters, destinations of 255, a key name cut by the full
key list) and the medium path boundary that test_setup_startup.py holds on
an unknown platform are not repeated here."""

import shutil
import unittest

from bench import Scenario, ScenarioTestCase
from bench.registry import BRAND_KEY, SERVICE_KEY, TAVELIN_KEY, sz, value
from bench.sequence import (FAILED, OLD_SOURCE, checkpoints, forget_run, launches, prepare, run_setup,
                            source_path)

NT4_SET = {r"C:\windows\inf": ["qvsmnt4.inf"],
           r"C:\windows\system32\drivers": ["qvsm.sys"],
           r"C:\windows\Options\CABS": ["qvsm1.cab", "qvsm2.cab", "qvsm9md.cat", "qvsm9pc.cat",
                                        "qvsmvxd.cat"]}


def medium_at(sc, length):
    """Moves the prepared medium to a directory of `length` characters and
    returns that directory."""
    directory = "C:\\" + "\\".join(["d" * 60] * 3)
    directory += "\\" + "e" * (length - len(directory) - 1)
    assert len(directory) == length
    shutil.move(sc.unix_path(r"C:\medium"), sc.unix_path(directory))
    return directory


def medium_files(sc):
    """{directory: our files in it} for the directories of the NT 4.0 set."""
    return {d: [f for f in sc.files(d) or [] if f.lower().startswith("qv")] for d in NT4_SET}


class MediumPath(unittest.TestCase):
    """The longest name that a run takes from the medium is "qvremove.exe";
    with it the path must fit 255 characters, so the medium directory may
    have 242. A longer one fails the run before anything changes.

    The platform starts no program by a path of 260 characters or more, so
    setup can not be started from a medium directory of 250 characters; a
    setup started from elsewhere takes its own directory as the medium, not
    the current one.

    The Windows directory has a limit of its own, derived per class from the
    driver sets' fixed destinations (229 characters on NT 4.0); Wine's is
    always C:\\windows, so the unit tests hold that one."""

    def assert_refused(self, sc, program, directory):
        result = sc.run(program, "S", cwd=directory)
        self.assertEqual(FAILED, result.exit_code, result)
        self.assertEqual(sz(OLD_SOURCE), source_path(sc))
        self.assertFalse(sc.exists(r"C:\windows\Options"), "no cabinet store is created")
        self.assertEqual({d: [] for d in NT4_SET}, medium_files(sc))
        self.assertIsNone(sc.registry(SERVICE_KEY))

    def refuse_250_and_243(self, sc):
        prepare(sc)
        directory = medium_at(sc, 250)
        self.assertEqual("start_failed", sc.run(directory + "\\setup.exe", "S").outcome.split()[0])
        shutil.move(sc.unix_path(directory), sc.unix_path(r"C:\medium"))
        directory = medium_at(sc, 243)
        self.assert_refused(sc, directory + "\\setup.exe", "C:\\")
        shutil.move(sc.unix_path(directory), sc.unix_path(r"C:\medium"))

    def test_nt40_refuses_250_and_243_characters_and_installs_from_242(self):
        with Scenario("nt40") as sc:
            self.refuse_250_and_243(sc)
            directory = medium_at(sc, 242)
            result = sc.run(directory + "\\setup.exe", "S", cwd="C:\\")
            self.assertEqual(0, result.exit_code, result)
            self.assertEqual(NT4_SET, medium_files(sc), "every file of the set is copied")
            self.assertTrue(sc.exists(r"C:\windows\qvremove.exe"))
            self.assertEqual(sz(r"\??\C:\windows\system32\drivers\qvsm.sys"),
                             value(sc.registry(SERVICE_KEY), "ImagePath"))
            self.assertEqual(sz(OLD_SOURCE), source_path(sc))

    def test_windows_98_refuses_250_and_243_characters(self):
        # The short form that Windows 9x gives the source directory would
        # fit; the medium's own path is what the run is judged by.
        with Scenario("win98") as sc:
            self.refuse_250_and_243(sc)


class OptionsFile(ScenarioTestCase, version="nt40"):
    """qvsetup.ini at its bounds, read by a whole NT 4.0 run."""

    def setUp(self):
        forget_run(self.sc)
        prepare(self.sc)
        self.sc.seed_registry(BRAND_KEY, {"Country": sz("B5")})
        shutil.rmtree(self.sc.unix_path(r"C:\lim"), ignore_errors=True)
        self.sc.put_file(r"C:\lim\keep", b"")

    def put_ini(self, options, copy_nt, launch_nt):
        lines = ["[INSTALL_OPTIONS]"] + [f"{k}={v}" for k, v in options.items()]
        lines += ["[COPY_FILES_NT]"] + [f"{k}={v}" for k, v in copy_nt]
        lines += ["[LAUNCH_FILES_NT]"] + [f"{k}={v}" for k, v in launch_nt]
        self.sc.put_file(r"C:\medium\qvsetup.ini", ("\r\n".join(lines) + "\r\n").encode("latin-1"))

    def copied(self):
        return self.sc.files(r"C:\lim") or []

    def test_values_of_255_256_and_300_characters_200_keys_and_ten_words(self):
        # The copy list's 200 keys of 9 characters fill 2000 of the 2048
        # bytes of the key list: all are read. Trailing commas pad values
        # (the profile reader would trim blanks).
        for i in range(1, 201):
            self.sc.put_file(f"C:\\medium\\f{i:04d}.dat", b"f")
        for name in ("v255.dat", "v256.dat", "v300.dat"):
            self.sc.put_file("C:\\medium\\" + name, b"v")
        copy_nt = [(f"Entry{i:04d}", f"f{i:04d}.dat lim") for i in range(1, 201)]
        copy_nt += [(f"V{n}", f"v{n}.dat lim".ljust(n, ",")) for n in (255, 256, 300)]
        launch_nt = [
            ("Nine", "rec.exe 2 3 4 5 6 7 8 9"),
            ("Ten", "rec.exe 2 3 4 5 6 7 8 9 10"),
            *[(f"V{n}", f"rec.exe v{n}".ljust(n, ",")) for n in (255, 256, 300)],
        ]
        self.put_ini({"Debug": "y" + "x" * 299, "CleanUpRegistry": "N" + "Y" * 299}, copy_nt,
                     launch_nt)
        result, _ = run_setup(self.sc)
        self.assertEqual(0, result.exit_code, result)
        self.assertIn("NTInstallModemDevice", checkpoints(result),
                      "a value of 300 characters starting with y turns Debug on")
        self.assertEqual(sorted(["keep", "v255.dat"] + [f"f{i:04d}.dat" for i in range(1, 201)]),
                         self.copied())
        self.assertEqual([[str(n) for n in range(2, 10)], ["v255"]], launches(self.sc))
        self.assertEqual(sz("N"), value(self.sc.registry(TAVELIN_KEY), "CleanUpRegistry"),
                         "a value of 300 characters starting with N leaves CleanUpRegistry off")
        self.assertIsNotNone(self.sc.registry(BRAND_KEY))

    def test_200_keys_overflowing_the_key_list(self):
        # 200 names of 12 characters need 2600 bytes: the first 157 fit whole
        # into the 2046 bytes of names, the 158th is cut and not read.
        for i in range(1, 201):
            self.sc.put_file(f"C:\\medium\\j{i:03d}.dat", b"j")
        self.put_ini({}, [(f"OverflowK{i:03d}", f"j{i:03d}.dat lim") for i in range(1, 201)], [])
        result, _ = run_setup(self.sc)
        self.assertEqual(0, result.exit_code, result)
        self.assertEqual([f"j{i:03d}.dat" for i in range(1, 158)] + ["keep"], self.copied())


if __name__ == "__main__":
    unittest.main()
