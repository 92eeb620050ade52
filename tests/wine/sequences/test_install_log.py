"""The installation log (LogFile in INSTALL_OPTIONS) under Wine: one silent
run of each platform class, its log compared with what happened (the
stand-ins' call log, the programs launched, the files on disk, the
registry, the exit code); no log without the key, a log's missing
directories made, and a run that ends -1 having changed nothing when its
log can not be opened."""

import os
import re
import unittest

from bench import Scenario
from bench.registry import BRAND_KEY, MODEM_9X, OUR_NAME, SERVICE_KEY, seed_instance, set_serial_map, sz
from bench.sequence import (OLD_SOURCE, REMOVAL_CHECKPOINTS, forget_run, launches, prepare, run_setup,
                            seed_earlier_install)
from bench.standins import calls, entries

LOG = r"C:\setup.log"
LINE = re.compile(r"\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} (.*)")
CALL = re.compile(r"call (\w+)\(.*\) = (-?\d+)(: .*)?")
STANDIN_CALL = re.compile(r"(\w+)\(.*?\) = (-?\d+)")
RUN = re.compile(r'run (.+) "(.*)": exit code (-?\d+)')
# Stand-in log lines of what Windows finishes in the background, not calls of setup.
BACKGROUND = ("ClassRecord", "TAVELINSoftModem", "qvsetup3")
# "ok", a failure ("in use (error 32: ...)", "error 193: ..."), or one passed
# over ("passed over: <why> (not found, error 2: ...)"); the word that it
# carries, "error" for a code without one.
STATUS = re.compile(r"(?:!!! )?(.*?): (ok|passed over: .*? \((?:(?P<passed>[a-z ]+), )?error \d+.*\)"
                    r"|(?P<failed>[a-z ]+) \(error \d+.*\)|error \d+.*?)(?:; fails the run as well)?")
END = re.compile(r"end: exit code (-?\d+): (.+)")


def outcome(text):
    """The subject of a line with a result, and the result's word."""
    match = STATUS.fullmatch(text)
    word = match.group("passed") or match.group("failed") or match.group(2)
    return match.group(1), "error" if word.startswith(("error", "passed over")) else word


def read_log(sc, path=LOG):
    """The events' texts; every line is timestamped, in time order, CR LF."""
    data = sc.read_file(path).decode("latin-1")
    assert data.endswith("\r\n"), data[-80:]
    lines = data[:-2].split("\r\n")
    assert all(LINE.fullmatch(line) for line in lines), lines
    assert lines == sorted(lines, key=lambda line: line[:23]), "timestamps in order"
    return [LINE.fullmatch(line).group(1) for line in lines]


def signed(code):
    return code - (1 << 32) if code >= 1 << 31 else code


def host_path(sc, win_path):
    """The host path of a Windows path, its letter case as on the disk (the
    log carries the names as setup formed them: "INF" for "inf")."""
    path = os.path.realpath(sc.unix_path(win_path[:3]))
    for part in os.path.relpath(sc.unix_path(win_path), path).split(os.sep):
        names = {n.lower(): n for n in os.listdir(path)} if os.path.isdir(path) else {}
        path = os.path.join(path, names.get(part.lower(), part))
    return path


def read_host(sc, win_path):
    with open(host_path(sc, win_path), "rb") as f:
        return f.read()


def host_files(sc, win_dir):
    return sorted(os.listdir(host_path(sc, win_dir)))


class LogRun(unittest.TestCase):
    def assert_log_matches_run(self, sc, result, events, osclass, switches="S"):
        self.assertRegex(events[0], rf'^start: computer ".*", class {osclass} \(.*\), switches {switches}, '
                                    r'StartDir=".*", WindowsDir="C:\\windows", .*'
                                    r'SourceDir="C:\\medium", .*SavedSourcePath="C:\\OLDSRC"$')
        ends = [END.fullmatch(e).groups() for e in events if e.startswith("end:")]
        self.assertEqual([str(signed(result.exit_code))], [code for code, _ in ends])
        self.assertEqual("end", events[-1][:3])
        self.assertRegex(events[1], r'^options: HardwareDetectNT=(yes|no) \((no key|value ".*")\), .*'
                                    r'CopyFilesOnly=(yes|no) \((no key|value ".*")\), LogFile=".+"$')
        self.assertEqual(0 if result.exit_code == 0 else 1,
                         len([e for e in events if e.startswith("!!! ")]), "the failure that counted")
        self.assert_calls_match(sc, events)
        self.assert_launches_match(sc, events)
        self.assert_files_match(sc, events)
        self.assert_registry_matches(sc, events)

    def assert_calls_match(self, sc, events):
        logged = [CALL.fullmatch(e).group(1, 2) for e in events if e.startswith("call ")]
        made = [STANDIN_CALL.match(line).group(1, 2) for line in calls(sc)]
        self.assertEqual([c for c in made if c[0] not in BACKGROUND], logged)

    def assert_launches_match(self, sc, events):
        runs = [RUN.fullmatch(e).groups() for e in events if e.startswith("run ")]
        from_list = [r for r in runs if r[0].endswith(r"\rec.exe")]
        self.assertEqual([["rec.exe"] + argv for argv in launches(sc)], [r[1].split() for r in from_list])
        self.assertTrue(all(r[2] == "7" for r in from_list), "rec.exe's exit code")
        device = [(r[1].split()[1], r[2]) for r in runs if r[0] == r"C:\medium\qvsetup3.exe"]
        started = [(line.split('"')[1], STANDIN_CALL.match(line).group(2))
                   for line in calls(sc) if line.startswith("qvsetup3")]
        self.assertEqual(started, device)

    def assert_files_match(self, sc, events):
        """Replays the file events: the last one of each path says what is there."""
        expected = {}
        for event in events:
            action, _, rest = event.partition(" ")
            if action not in ("copy", "delete", "rename"):
                continue
            subject, status = outcome(rest)
            source, _, target = subject.partition(" -> ")
            if action == "delete" and status == "ok":
                expected[source.lower()] = (source, None)
            elif action == "copy" and status in ("ok", "path not found"):
                expected[target.lower()] = (target, source if status == "ok" else None)
            elif action == "rename" and status == "ok":
                expected[source.lower()] = (source, None)
                expected[target.lower()] = (target, True)
        self.assertTrue(expected)
        for path, content in expected.values():
            if content is None:
                self.assertFalse(os.path.exists(host_path(sc, path)), path)
            elif content is True:
                self.assertTrue(os.path.exists(host_path(sc, path)), path)
            else:
                self.assertEqual(read_host(sc, content), read_host(sc, path), path)
        cabs = r"C:\windows\Options\CABS"
        for name in host_files(sc, cabs):
            self.assertIn(f"{cabs}\\{name}".lower(), expected, "every cabinet file was logged")

    def assert_registry_matches(self, sc, events):
        """Replays the registry events and checks the state they leave."""
        values, gone_keys = {}, []
        for event in events:
            if not event.startswith("registry "):
                continue
            what, status = outcome(event[len("registry "):])
            match = re.fullmatch(r"(set|delete value|delete key|create key) HKLM\\(.+?)"
                                 r"(?: \[(.+?)\])?(?: = (.*))?", what)
            action, key, name, data = match.groups()
            key = key.lower()
            if action == "delete key" and status in ("ok", "not found"):
                gone_keys.append(key)
                values = {k: v for k, v in values.items() if not (k[0] + "\\").startswith(key + "\\")}
            elif action == "delete value" or (action == "set" and status == "not found"):
                values[(key, name.lower())] = None
            elif action == "set" and status == "ok":
                values[(key, name.lower())] = (sz(data[1:-1]) if data.startswith('"')
                                               else ("REG_DWORD", int(data).to_bytes(4, "little")))
            if status == "ok" and action in ("set", "create key"):
                gone_keys = [g for g in gone_keys if not (key + "\\").startswith(g + "\\")]
        for key in gone_keys:
            if not any(key.startswith(other + "\\") for other in gone_keys):
                self.assertIsNone(sc.registry("HKLM\\" + key), key)
        trees = {}
        for (key, name), data in values.items():
            tree = trees.setdefault(key, sc.registry("HKLM\\" + key))
            found = {n.lower(): v for n, v in tree["values"].items()} if tree else {}
            self.assertEqual(data, found.get(name), f"{key} [{name}]")

    def messages(self, events):
        return [tuple(re.fullmatch(r"message \[(.*?)\] (.*)", e).groups())
                for e in events if e.startswith("message ")]


class EachClass(LogRun):
    def test_windows_95(self):
        with Scenario("win95") as sc:
            prepare(sc, {"LogFile": LOG})
            seed_instance(sc, MODEM_9X, "0000", Model=OUR_NAME)
            sc.put_file(r"C:\windows\inf\old.bin", b"old")
            result, _ = run_setup(sc)
            self.assertEqual(0, result.exit_code, result)
            events = read_log(sc)
            self.assert_log_matches_run(sc, result, events, 3)
            self.assertEqual([], self.messages(events), "Windows 95 has no checkpoints")
            self.assertIn(r"delete C:\windows\INF\old.bin: ok", events)

    def test_windows_98_with_debug_and_clean_up(self):
        with Scenario("win98") as sc:
            seed_earlier_install(sc)
            prepare(sc, {"Debug": "Y", "CleanUpRegistry": "Y", "LogFile": LOG})
            sc.seed_registry(BRAND_KEY + r"\Country\UK", {"X": sz("x")})
            result, _ = run_setup(sc)
            self.assertEqual(0, result.exit_code, result)
            events = read_log(sc)
            self.assert_log_matches_run(sc, result, events, 6)
            self.assertEqual(result.boxes, self.messages(events), "every box, in order")
            self.assertIn(r"registry delete key HKLM\Software\Tavelin\Softmodem\Country\UK: ok", events)
            self.assertIn(r'registry set HKLM\Software\Tavelin [CleanUpRegistry] = "Y": ok', events)

    def test_windows_me_refresh_without_debug(self):
        with Scenario("winme") as sc:
            prepare(sc, {"LogFile": LOG})
            result, _ = run_setup(sc, "-s -d -r")
            self.assertEqual(0, result.exit_code, result)
            self.assertEqual([], result.boxes)
            events = read_log(sc)
            self.assert_log_matches_run(sc, result, events, 7, "S D R")
            checkpoints = REMOVAL_CHECKPOINTS + [" WDMDriver == TRUE ", "refreshdevicefor98"]
            self.assertEqual([(c, "xy") for c in checkpoints], self.messages(events))
            self.assertIn(r"copy C:\medium\qvsmwdm.sys -> C:\windows\system32\drivers\qvsmwdm.sys: ok",
                          events)

    def test_nt_4_relative_name_lies_on_the_medium(self):
        with Scenario("nt40") as sc:
            prepare(sc, {"LogFile": "setup.log"})
            seed_earlier_install(sc)
            set_serial_map(sc, ["COM1", "COM2"])
            result = sc.run(r"C:\medium\setup.exe", "S", cwd="C:\\bench", timeout=120)
            self.assertEqual(0, result.exit_code, result)
            self.assertFalse(sc.exists(r"C:\bench\setup.log"), "not in the current directory")
            events = read_log(sc, r"C:\medium\setup.log")
            self.assert_log_matches_run(sc, result, events, 1)
            self.assertIn('call GetInfByPci(INF name, flag) = 1: INF name "", flag 0', events)
            service = {n.lower() for n in sc.registry(SERVICE_KEY)["values"]}
            prefix = r"registry set HKLM\SYSTEM\Currentcontrolset\services\TAVELINSoftModem ["
            logged = {e[len(prefix):].split("]")[0].lower() for e in events if e.startswith(prefix)}
            self.assertEqual(service, logged, "every value of the driver service was logged")

    def test_windows_2000_refresh_under_the_service_poll(self):
        with Scenario("win2k") as sc:
            prepare(sc, {"LogFile": LOG}, {"GetHardWareId": {"Result": 0}})
            sc.put_file(r"C:\windows\inf\qvsmw2k.inf", b"earlier inf")
            result, _ = run_setup(sc)
            self.assertEqual(0, result.exit_code, result)
            events = read_log(sc)
            self.assert_log_matches_run(sc, result, events, 2)
            self.assertEqual([("Debug", "No PCI Key"), ("2krefresh", "xy"),
                              ("Debug", "In InstallModemByRefresh()"), ("Debug", "Install success")],
                             self.messages(events))
            self.assertIn(r"rename C:\windows\INF\qvsmw2k.pnf -> C:\windows\INF\qvsmw2k.pnk: passed over: "
                          "nothing to set aside (not found, error 2: The system cannot find the file "
                          "specified.)", events)
            self.assertEqual(b"earlier inf", sc.read_file(r"C:\windows\inf\qvsmw2k.ink"))


class NoLog(unittest.TestCase):
    def test_without_the_key_the_run_is_unchanged_and_a_log_that_can_not_be_opened_ends_it(self):
        # A name too long for its buffer must not be cut to one that could be
        # created; a name below a file can not be opened.
        long_dir = "C:\\" + "d" * 200
        too_long = long_dir + "\\" + "x" * 100 + ".log"
        cases = (("no key", None, 0), ("too long", too_long, -1),
                 ("below a file", r"C:\medium\qvsetup.ini\setup.log", -1))
        with Scenario("win2k") as sc:
            os.makedirs(sc.unix_path(long_dir))
            os.makedirs(sc.unix_path(OLD_SOURCE))  # the first run would make it
            for name, log_file, exit_code in cases:
                with self.subTest(name):
                    prepare(sc, {"LogFile": log_file} if log_file else {})
                    forget_run(sc)
                    top, medium = host_files(sc, "C:\\"), host_files(sc, r"C:\medium")
                    source = sc.registry(r"HKLM\Software\Microsoft\Windows\CurrentVersion\Setup")
                    result, _ = run_setup(sc)
                    self.assertEqual(exit_code, signed(result.exit_code), result)
                    self.assertEqual([] if exit_code else ["GetHardWareId", "UpdateNT5Device"],
                                     entries(sc))
                    self.assertEqual([], result.boxes)
                    self.assertEqual(top, host_files(sc, "C:\\"))
                    self.assertEqual(medium, host_files(sc, r"C:\medium"))
                    self.assertEqual([], host_files(sc, long_dir))
                    if exit_code:
                        self.assertEqual(source, sc.registry(
                            r"HKLM\Software\Microsoft\Windows\CurrentVersion\Setup"))

    def test_the_missing_directories_of_the_log_are_made(self):
        with Scenario("win98") as sc:
            prepare(sc, {"LogFile": r"C:\logs\fleet\pc.log"})
            result, _ = run_setup(sc)
            self.assertEqual(0, result.exit_code, result)
            events = read_log(sc, r"C:\logs\fleet\pc.log")
            self.assertTrue(events[0].startswith("start: computer "), events[0])
            self.assertEqual("end: exit code 0", events[-1][:16])


if __name__ == "__main__":
    unittest.main()
