"""The fault matrix: silent runs of setup.exe cut off with TerminateProcess at
each diagnostic checkpoint of their sequence and inside each completion
timer, then (after the session ended, as a reset ends it) run again to their
end, must leave the registry trees that setup touches, SourcePath among
them, and the files of one clean run from the same starting state; the
second run's log says what it recovered. A SourcePath repaired by hand
after a cut is kept. The cases run side by side, each in its own prefix."""

import collections
import re
import unittest
from concurrent.futures import ThreadPoolExecutor

from bench import Scenario
from bench.fixtures import medium_file
from bench.interrupted import LOG, differences, machine_state, run_cut_and_again
from bench.registry import BRAND_KEY, GSMU_KEY, INTEL, PCI, RUN_KEY, SETUP_KEY, set_serial_map, sz
from bench.sequence import OLD_SOURCE, run_setup, seed_earlier_install
from bench.standins import configure

REPAIRED = r"D:\WIN98"
RESUMED = r'recovered: SourcePath still holds "C:\medium", written by an interrupted run; ' \
          r'the value before that run is put back at the end: "C:\OLDSRC"'
REPAIRED_LOG = r'recovered: SourcePath was changed after an interrupted run wrote "C:\medium"; ' \
               r"that run's record is dropped and the value now is put back at the end: " \
               rf'"{REPAIRED}"'

REMOVAL_98 = ["OS Found 98", "DLL2 ok", "wdmDeleteDevice", "RemoveWDMKeys", "removeDisabledModem",
              "deleteOtherDevice", "DeleteBinFile", "DeleteSecondModem", "After DeleteSecondModem",
              "After RemoveGSMUKey", "After updateuninstkey"]
NO_ID = {"GetHardWareId": {"Result": 0}}

# A class of runs: its Windows version, options and stand-ins, what the
# starting state holds beyond the sample medium (earlier: an earlier
# installation; pci: a PCI controller key; inf: an earlier Windows 2000
# INF), and the cut points: (message box caption, occurrence) or ("tick",
# n), the n-th tick of the completion timer; cleaned: those that come after
# the run's clean-up, which leave nothing to recover.
Class = collections.namedtuple("Class",
                               "name version options standins earlier pci inf cuts cleaned",
                               defaults=((),))
CLASSES = (
    Class("Windows 98 SE", "win98", {"WDMDriver": "Y"}, {"RefreshWin2K": {"Delay": 8000}}, True,
          False, False,
          [(c, 1) for c in REMOVAL_98 + [" WDMDriver == TRUE ", "refreshdevicefor98"]]
          + [("tick", 2)]),
    Class("Windows 95", "win95", {}, {"qvsetup3": {"RecordDelay": 8000}}, True, False, False,
          [("tick", 2)]),
    Class("NT 4.0", "nt40", {}, {}, False, False, False,
          [("foundoldport", 1), ("NTInstallModemDevice", 1), ("After NTInstallModemDevice", 1)]),
    Class("NT 4.0 over an earlier install", "nt40", {}, {}, True, False, False,
          [("foundoldport", 1), ("oldport found", 1), ("NTInstallModemDevice", 1),
           ("After NTInstallModemDevice", 1)]),
    Class("Windows 2000 by the library's id", "win2k", {}, {}, False, False, False,
          [("getHardWareId", 1)]),
    Class("Windows 2000 by the PCI tree", "win2k", {}, NO_ID, False, True, False,
          [("HardwareId", 1), ("FindIDFromEnum", 1)]),
    # The service runs 25 s after the refresh: the cut comes before the
    # second tick (20 s) is handled; "Install success" follows the clean-up.
    Class("Windows 2000 by refresh", "win2k", {}, dict(NO_ID, RefreshWin2K={"Delay": 25000}),
          False, False, True,
          [("Debug", 1), ("2krefresh", 1), ("Debug", 2), ("tick", 2), ("Debug", 3)],
          [("Debug", 3)]),
)
# Cuts after which SourcePath is repaired by hand: (class name, cut).
REPAIRS = (("Windows 98 SE", ("DeleteBinFile", 1)), ("Windows 2000 by refresh", ("tick", 2)))


def prepare(sc, cls):
    """The sample medium's qvsetup.ini with Debug, CleanUpRegistry, the
    class's options and the log; an earlier SourcePath, the monitor's
    autostart entry, uninstall records and country settings."""
    text = medium_file("qvsetup.ini").decode("latin-1")
    for key, value in dict(cls.options, Debug="Y", CleanUpRegistry="Y").items():
        text = re.sub(rf"(?m)^{key}=.*$", f"{key}={value}", text)
    text = text.replace(r";LogFile=C:\qvsetup.log", f"LogFile={LOG}")
    sc.put_file(r"C:\medium\qvsetup.ini", text.encode("latin-1"))
    configure(sc, cls.standins)
    sc.seed_registry(SETUP_KEY, {"SourcePath": sz(OLD_SOURCE)})
    sc.seed_registry(RUN_KEY, {"QVSMMSG": sz(r"C:\WINDOWS\qvsmmsg.exe"), "Other": sz("other.exe")})
    sc.seed_registry(GSMU_KEY + r"\Applets\QVSMMSG", {"X": sz("x")})
    sc.seed_registry(BRAND_KEY + r"\Country\UK", {"X": sz("x")})
    if sc.version == "nt40":
        set_serial_map(sc, ["COM1", "COM2"])
    if cls.earlier:
        seed_earlier_install(sc)
    if cls.pci:
        sc.seed_registry(PCI + "\\" + INTEL)
    if cls.inf:
        sc.put_file(r"C:\windows\inf\qvsmw2k.inf", b"earlier inf")
        sc.put_file(r"C:\windows\inf\qvsmw2k.pnf", b"earlier pnf")


def restart(sc, repair):
    """What the restart after a cut brings back: the serial port map, which
    Windows NT builds afresh at every start; and a SourcePath repaired by hand."""
    if sc.version == "nt40":
        set_serial_map(sc, ["COM1", "COM2"])
    if repair:
        sc.seed_registry(SETUP_KEY, {"SourcePath": sz(REPAIRED)})


def log_events(sc):
    lines = sc.read_file(LOG).decode("latin-1").split("\r\n")
    return [line[24:] for line in lines if line]


def clean_run(cls):
    """(exit code, machine state) of one uninterrupted run."""
    with Scenario(cls.version) as sc:
        prepare(sc, cls)
        result, _ = run_setup(sc)
        return result.exit_code, machine_state(sc)


def cut_run(cls, cut, repair):
    """(first Result, second Result, the second run's log, machine state)."""
    with Scenario(cls.version) as sc:
        prepare(sc, cls)
        first, second = run_cut_and_again(sc, cut, lambda restarted: restart(restarted, repair))
        events = log_events(sc)
        start = max(i for i, e in enumerate(events) if e.startswith("start:"))
        return first, second, events[start:], machine_state(sc)


class FaultMatrix(unittest.TestCase):
    def test_every_cut_converges_on_a_second_run(self):
        cases = [(cls, cut, False) for cls in CLASSES for cut in cls.cuts]
        cases += [(cls, cut, True) for cls in CLASSES for name, cut in REPAIRS if name == cls.name]
        with ThreadPoolExecutor(6) as pool:
            cleans = {cls.name: pool.submit(clean_run, cls) for cls in CLASSES}
            cuts = [pool.submit(cut_run, cls, cut, repair) for cls, cut, repair in cases]
        converged = collections.Counter()  # by class, and "repaired"
        for (cls, cut, repair), future in zip(cases, cuts):
            with self.subTest(cls.name, cut=cut, repaired=repair):
                exit_code, clean_state = cleans[cls.name].result()
                first, second, events, state = future.result()
                self.assertTrue(first.cut, f"the cut point was reached: {first}")
                self.assertEqual(exit_code, second.exit_code, second)
                if repair:
                    self.assertIn(REPAIRED_LOG, events)
                    # The clean run's state, with the repaired SourcePath kept.
                    trees, files = clean_state
                    setup_key = trees[SETUP_KEY]
                    self.assertEqual(sz(OLD_SOURCE), setup_key["values"]["SourcePath"])
                    values = dict(setup_key["values"], SourcePath=sz(REPAIRED))
                    setup_key = dict(setup_key, values=values)
                    clean_state = (dict(trees, **{SETUP_KEY: setup_key}), files)
                else:
                    recovered = [e for e in events if e.startswith("recovered:")]
                    self.assertEqual([] if cut in cls.cleaned else [RESUMED], recovered)
                self.assertEqual([], differences(clean_state, state))
                converged["repaired" if repair else cls.name] += 1
        total = sum(len(cls.cuts) for cls in CLASSES)
        counts = ", ".join(f"{cls.name} {converged[cls.name]}/{len(cls.cuts)}" for cls in CLASSES)
        passed = sum(converged[cls.name] for cls in CLASSES)
        print(f"\nfault matrix: {passed} of {total} cut points x classes converge ({counts}); "
              f"a SourcePath repaired by hand kept in {converged['repaired']} of {len(REPAIRS)}")


if __name__ == "__main__":
    unittest.main()
