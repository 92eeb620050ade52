"""Silent runs of setup made from a seed, each written as a scenario
directory that both the Wine side (setup_differential.py) and the simulated
Windows (setup_simulate) run:

    scenario.ini   [Scenario] Class, CommandLine, WindowsDir, SystemDir,
                   MediumDir, Administrator, Platform, Time,
                   AnotherSetupRuns (1: another setup holds the mark);
                   [Compare] Key1=... the trees below HKLM compared afterwards
    medium/        the medium directory, setup.exe included
    machine.reg    REGEDIT4: what HKLM holds below the compared trees before the run
    machine/       files present before the run, relative to C:\\
    build.txt      the files that come from the current build (materialise)

scenario(seed, number, osclass) gives the same scenario for the same
arguments on every machine. Each one starts from the sample medium and
varies the switches, the options, the copy and launch lists, the traces of
earlier installations and the stand-ins' results, always so that the run
ends within seconds under Wine: a refresh that starts makes its record or
service appear at once, never after a completion timer's limit.
"""

import os
import random
import shutil

from .registry import (EARLIER_NAME, GSMU_KEY, INTEL, MODEM_9X, MODEM_NT, OUR_NAME, PCI, RUN_KEY,
                       SERIAL_MAP, SERVICE_KEY, SERVICE_NAME, SETUP_KEY, SOURCE_PATH_RECORD,
                       TAVELIN_KEY, UNIMODEM)
from .scenario import FIXTURES, MEDIUM
from .standins import CALL_LOG

CLASSES = ("95", "98", "98se", "me", "nt4", "2000")
WIN98_FAMILY = ("98", "98se", "me")

WINDOWS_DIR = "C:\\windows"
SYSTEM_DIR = "C:\\windows\\system32"  # Wine's answer on every version, 9x too
MEDIUM_DIR = "C:\\medium"
# A medium directory of long names with blanks: the 9x classes name it in its
# short form, which the test platform forms by a hash of the long name.
LONG_MEDIUM_DIR = "C:\\Driver Disk\\Modem Setup"
# The clock's start of a simulated run (the Wine side runs at the real time).
START_TIME = 1700000000
# The machine's name, as the simulated Windows names its machine; the Wine
# side gives the prefix this name.
COMPUTER_NAME = "SIMULATED"

UNINSTALL = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall"
ENUM_ROOT_MODEM = r"HKLM\Enum\Root\Modem"
ENUM_WDM = r"HKLM\Enum\TAVELIN.INTEL_AMR.MODEM"
CLASS_PCI = r"HKLM\System\CurrentControlSet\Services\Class\PCI"
CLASS_NODEVICE = r"HKLM\System\CurrentControlSet\Services\Class\NoDevice"
OUR_UNIMODEM = UNIMODEM + rf"\{OUR_NAME}::TAVELIN::TAVELIN"
# Every tree that setup, qvsmzad or the stand-ins read or write: each is
# compared after the run, and holds exactly machine.reg's keys before it.
COMPARE = (SETUP_KEY, TAVELIN_KEY, GSMU_KEY, UNINSTALL + r"\TAVELIN Software Modem",
           UNINSTALL + r"\Norvik Technologies Soft Modem", RUN_KEY, SERVICE_KEY, MODEM_9X, MODEM_NT,
           UNIMODEM, SERIAL_MAP, ENUM_ROOT_MODEM, ENUM_WDM, CLASS_PCI, CLASS_NODEVICE, PCI)

# Directories that Windows (and the prefix) have, each given one file so that
# it exists for the simulated Windows too (an empty directory does not
# survive in git); and the bench's own, where the stand-ins' call log goes.
BASE_DIRECTORIES = ("windows", "windows/system32", "windows/system32/drivers", "windows/inf",
                    "windows/help", "bench")
BASE_FILE = "machine.txt"
# The NT classes' command interpreter, through which setup runs a batch file
# (the prefix has Wine's own there).
COMMAND_INTERPRETER = "windows/system32/cmd.exe"

# Programs of the lists: copies of the bench's record_launch (rec.exe,
# tool.exe), a batch file that ends with 0, and names that exist nowhere.
RECORDER = "record_launch.exe"
RECORDER_NAMES = ("rec.exe", "tool.exe")
BATCH = b"@echo off\r\n"
EXTRA_TEXT = b"an extra file of the medium\r\n"

REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD = 1, 2, 3, 4


def text(value):
    return (REG_SZ, value.encode("latin-1") + b"\0")


def number(value):
    return (REG_DWORD, value.to_bytes(4, "little"))


class Machine:
    """What HKLM and C:\\ hold before the run: keys {path without HKLM\\:
    {value name: (type code, bytes)}} and files {path below C:\\ with
    forward slashes: bytes, or ("build", where, name) for a build's file}."""

    def __init__(self, osclass):
        self.keys = {}
        self.files = {f"{d}/{BASE_FILE}": b"present before the run\r\n" for d in BASE_DIRECTORIES}
        if osclass in ("nt4", "2000"):
            self.files[COMMAND_INTERPRETER] = b"the command interpreter\r\n"

    def key(self, path, **values):
        """Creates the key HKLM\\... (its parents follow from the path) and sets values."""
        assert path.startswith("HKLM\\"), path
        self.keys.setdefault(path[len("HKLM\\"):], {}).update(values)


class SetupScenario:
    """One generated run: the platform class, the command line, the medium's
    qvsetup.ini sections and qvstandin.ini, files added to or left out of
    the sample medium, and the machine."""

    def __init__(self, label, osclass):
        self.label, self.osclass = label, osclass
        self.medium_dir = MEDIUM_DIR
        self.command_line = "S"
        self.options = []  # (key, value) of INSTALL_OPTIONS, in file order
        self.lists = {}  # section: [(key, value)]
        self.standins = {"CallLog": {"Path": CALL_LOG}}
        self.medium_added = {}  # name: bytes or ("build", where, name)
        self.medium_left_out = set()
        self.machine = Machine(osclass)

    @property
    def copies_only(self):
        """CopyFilesOnly is set: the run ends when its sequence returns."""
        return any(k == "CopyFilesOnly" and v[:1] in ("Y", "y") for k, v in self.options)

    def describe(self):
        """The choices in one paragraph, for a report."""
        parts = [f"class {self.osclass}", f"command line {self.command_line!r}"]
        if self.medium_dir != MEDIUM_DIR:
            parts.append(f"medium {self.medium_dir}")
        parts.append("options " + (", ".join(f"{k}={v}" for k, v in self.options) or "none"))
        for section, entries in self.lists.items():
            if entries:
                parts.append(f"{section}: " + "; ".join(v for _, v in entries))
        parts.append("stand-ins " + ", ".join(f"[{s}] " + " ".join(f"{k}={v}" for k, v in e.items())
                                              for s, e in self.standins.items() if s != "CallLog"))
        if self.medium_left_out:
            parts.append("left out of the medium: " + ", ".join(sorted(self.medium_left_out)))
        return "; ".join(parts)


# The generator -------------------------------------------------------------

def _switches(rng, osclass):
    """The command line: S, with D and R as the class knows them, spelt in
    the forms setup reads (any letter case, a hyphen or not); now and then a
    token that sets nothing ("/Q", "SD")."""
    letters = ["S"]
    if osclass in WIN98_FAMILY:
        letters += rng.choice([[], [], ["D"], ["R"], ["D", "R"], ["R", "D"]])
    words = [rng.choice(["", "-"]) + (letter if rng.random() < 0.6 else letter.lower())
             for letter in letters]
    if rng.random() < 0.15:
        words.insert(rng.randrange(len(words) + 1), rng.choice(["/Q", "SD", "/S", "x"]))
    return " ".join(words)


def _yes_no(rng, yes):
    """None (no key) or a value, yes with the odds given: Y and y mean yes,
    anything else no."""
    if rng.random() < yes:
        return rng.choice(["Y", "y", "Yes"])
    return rng.choice([None, "N", "n", "1", "TRUE", ""])


# How often each option is set: CopyFilesOnly ends a run early and leaves out
# its device steps, so it is set seldom.
OPTION_ODDS = {"HardwareDetectNT": 0.5, "WDMDriver": 0.5, "ReBoot": 0.4, "CleanUpRegistry": 0.5,
               "CopyFilesOnly": 0.15}


def _options(rng):
    options = [("Debug", "N")]
    for key, yes in OPTION_ODDS.items():
        value = _yes_no(rng, yes)
        if value is not None:
            options.append((key, value))
    log = rng.choice([None, None, "C:\\qvsetup.log", "setup.log", "C:\\no such dir\\setup.log",
                      "C:\\%COMPUTERNAME%.log", "%windir%\\qvsetup.log"])
    if log:
        options.append(("LogFile", log))
    rng.shuffle(options)
    return options


COPY_ENTRIES = (
    "extra.txt",  # into the system directory
    "extra.txt $windows", "extra.txt,$windows", "QVSMzad.ini \\$windows\\help",
    "qvsm1.cab $windows inf", "extra.txt TAVELIN TOOLS",  # a directory of the drive, missing
    "missing.txt $windows",  # no such file on the medium
    "extra.txt $Windows",  # an ordinary directory name: C:\$Windows, missing
    "extra.txt tools $windows",  # $windows drops the words before it
)
LAUNCH_ENTRIES = (
    "rec.exe one two", "rec", "rec.exe a\"b", "rec.exe 1 2 3 4 5 6 7 8 9 10",
    "tool.exe -q,$windows",  # a program of the Windows directory
    "missing.exe", "gone.exe x,$windows", "b.bat x y", "b.bat a&b",  # an operator: not run
    "qvsmzad.exe", "qvsmzad.exe nofile.ini",
)


def _lists(rng):
    """Both copy lists and the three launch lists, so that a class's run
    shows which of them it reads."""
    lists = {}
    for section in ("COPY_FILES_NT", "COPY_FILES_9X"):
        lists[section] = [(f"C{i}", e) for i, e in
                          enumerate(rng.sample(COPY_ENTRIES, rng.randrange(0, 4)))]
    for section in ("LAUNCH_FILES_NT", "LAUNCH_FILES_Win2K", "LAUNCH_FILES_9X"):
        entries = rng.sample(LAUNCH_ENTRIES, rng.randrange(0, 4))
        if rng.random() < 0.5:
            entries.insert(0, "qvsmzad.exe")  # as the sample medium has it
        lists[section] = [(f"L{i}", e) for i, e in enumerate(entries)]
    return lists


def _source_path(rng, machine):
    """SourcePath before the run: none, a string, an expandable string, a
    number (not saved), or the record of an interrupted run (with SourcePath
    still naming the medium, or repaired since)."""
    kind = rng.choice(["none", "text", "text", "expand", "number", "interrupted", "repaired"])
    if kind == "text":
        machine.key(SETUP_KEY, SourcePath=text(r"C:\OLDSRC"))
    elif kind == "expand":
        machine.key(SETUP_KEY, SourcePath=(REG_EXPAND_SZ, b"%SystemDrive%\\old\0"))
    elif kind == "number":
        machine.key(SETUP_KEY, SourcePath=number(7))
    elif kind in ("interrupted", "repaired"):
        record = (1).to_bytes(4, "little") + b"C:\\OLDSRC\0" + MEDIUM_DIR.encode() + b"\0"
        now = MEDIUM_DIR if kind == "interrupted" else r"D:\WIN98"
        machine.key(SETUP_KEY, SourcePath=text(now), **{SOURCE_PATH_RECORD: (REG_BINARY, record)})
    return kind


def _earlier_records(rng, machine):
    """Records that earlier installations leave on every platform."""
    if rng.random() < 0.6:
        machine.key(RUN_KEY, QVSMMSG=text(r"C:\WINDOWS\qvsmmsg.exe"), Other=text("other.exe"))
    if rng.random() < 0.5:
        machine.key(GSMU_KEY + r"\Applets\QVSMMSG", X=text("x"))
        machine.key(GSMU_KEY + r"\InstalledFiles", File1=text("qvsm.vxd"))
    if rng.random() < 0.3:
        machine.key(UNINSTALL + r"\TAVELIN Software Modem", DisplayName=text(OUR_NAME))
    if rng.random() < 0.5:
        machine.key(TAVELIN_KEY + r"\Softmodem\Country\UK", X=text("x"))
        machine.key(TAVELIN_KEY, CleanUpRegistry=text("N"))


def _earlier_9x(rng, machine):
    """The Windows 9x family's traces: modem class instances (ours, the
    earlier driver's, another vendor's), enumerator and class keys, old INF,
    .bin and monitor files. True when one of our instances is planted."""
    ours = False
    instances = rng.sample([OUR_NAME, EARLIER_NAME, "Standard 56000 bps Modem", "Modem"],
                           rng.randrange(0, 4))
    for i, model in enumerate(instances):
        machine.key(MODEM_9X + rf"\{i:04d}", Model=text(model))
        ours = ours or model in (OUR_NAME, EARLIER_NAME)
    if rng.random() < 0.3:
        machine.key(ENUM_ROOT_MODEM + r"\0000", Model=text(OUR_NAME))
        machine.key(ENUM_ROOT_MODEM + r"\0001", Model=text("Other Modem"))
    if rng.random() < 0.3:
        machine.key(ENUM_WDM + r"\0000", DeviceDesc=text(OUR_NAME))
    if rng.random() < 0.3:
        machine.key(CLASS_PCI + r"\0000", Driverdesc=text(OUR_NAME))
        machine.key(CLASS_PCI + r"\0001", Driverdesc=text("PCI bridge"))
    if rng.random() < 0.3:
        machine.key(CLASS_NODEVICE + r"\0000", ProviderName=text(OUR_NAME.lower()))
    old_files = ["windows/inf/qvsmvxd.inf", "windows/inf/old.bin", "windows/qvsmmsg.exe",
                 "windows/inf/qvsm9pc.inf", "windows/inf/OTHER/tavelinqvsmvxd.inf",
                 "windows/system32/qvsmmsg.exe", "windows/qvsm.isu"]
    for path in rng.sample(old_files, rng.randrange(0, 5)):
        machine.files[path] = b"old"
    return ours


def _earlier_nt(rng, machine):
    """NT 4.0's traces: the driver service, a modem instance of the earlier
    driver with its Unimodem responses, the old driver files."""
    if rng.random() < 0.5:
        machine.key(SERVICE_KEY, displayname=text(SERVICE_NAME))
        machine.key(MODEM_NT + r"\0000", DriverDesc=text(EARLIER_NAME), Model=text(EARLIER_NAME),
                    AttachedTo=text("COM3"))
        machine.key(MODEM_NT + r"\0000\Responses", OK=text("OK"))
        machine.key(OUR_UNIMODEM + r"\responses", **{"1": text("OK")})
        machine.files["windows/system32/qvsm.sys"] = b"old"
        machine.files["windows/inf/qvsmnt4old.inf"] = b"old"
    elif rng.random() < 0.3:
        # A modem that an interrupted run installed before the service.
        machine.key(MODEM_NT + r"\0000", DriverDesc=text(OUR_NAME), Model=text(OUR_NAME))


def _serial_ports(rng, machine):
    """The serial port map (Windows builds it at each start, so it is always there)."""
    if rng.random() < 0.05:
        ports = [f"COM{n}" for n in range(1, 100)]  # NT 4.0 finds no free port
    else:
        ports = rng.choice([[], ["COM1"], ["COM1", "COM2"], ["COM2", "COM4"],
                            ["COM1", "COM2", "COM3"]])
    machine.key(SERIAL_MAP, **{rf"\Device\Serial{i}": text(p) for i, p in enumerate(ports)})


def _pci_tree(rng, machine, controller):
    """The PCI device tree: a controller of ours when asked, and other devices."""
    machine.key(PCI + r"\VEN_1234&DEV_5678&SUBSYS_00000000&REV_00\3&1", Class=text("Display"))
    if controller:
        name = rng.choice([INTEL, "VEN_10B9&DEV_5453&SUBSYS_00000000&REV_01",
                           "VEN_8086&DEV_2446&SUBSYS_1234ABCD&REV_02"])
        machine.key(PCI + "\\" + name + r"\3&2", Class=text("Modem"))


def _entry(rng, result_choices=(1, 1, 1, 0), effect=True):
    settings = {"Result": rng.choice(result_choices)}
    if not effect:
        settings["Effect"] = 0
    return settings


# The stand-ins' work in the background (the class record, the service) must
# be over when the run ends, as the Wine side reads the machine at once: a
# run with CopyFilesOnly does not wait for it, so there it does nothing.

def _win95(rng, sc):
    """The device program removes and refreshes; the modem poll ends when
    the class record is there: written by the refresh 0.3 s after it
    started, or left by an earlier installation."""
    ours = _earlier_9x(rng, sc.machine)
    qvsetup3 = {"Result": rng.choice([0, 0, 1]), "RecordDelay": 300}
    if sc.copies_only or (ours and rng.random() < 0.5):
        # Neither removes nor refreshes: an earlier record ends the poll (or
        # CopyFilesOnly the run).
        qvsetup3["Effect"] = 0
        if rng.random() < 0.3:
            sc.medium_left_out.add("qvsetup3.exe")
    sc.standins["qvsetup3"] = qvsetup3


def _win98_family(rng, sc):
    """The removal entries answer as configured; a refresh that starts
    makes the class record appear 0.3 s later, within the first poll."""
    _earlier_9x(rng, sc.machine)
    for name in ("RemoveModem", "WDMDeleteDevice", "RemoveDisabledModem", "DeleteOtherDevice"):
        if rng.random() < 0.3:
            sc.standins[name] = _entry(rng, (1, 0), rng.random() < 0.7)
    sc.standins["RefreshWin2K"] = {"Result": rng.choice([1, 1, 1, 1, 0]), "Delay": 300}
    if rng.random() < 0.06:
        sc.medium_left_out.add("QVSETUP2.DLL")


def _nt4(rng, sc):
    _earlier_nt(rng, sc.machine)
    for name in ("RemovePort", "RemoveModem"):
        if rng.random() < 0.3:
            sc.standins[name] = _entry(rng, (1, 0))
    if rng.random() < 0.15:
        sc.standins["RemoveNTService"] = {"Result": 0}  # the earlier service stays
    if rng.random() < 0.5:
        sc.standins["GetInfByPci"] = {"Result": rng.choice([1, 0]), "Flag": rng.choice([0, 1]),
                                      "Inf": rng.choice(["", "qvsmother.inf"])}
    if rng.random() < 0.2:
        sc.standins["InstallClassDevice"] = _entry(rng, (1, 0), rng.random() < 0.5)
    if rng.random() < 0.06:
        sc.medium_left_out.add("QVSETUP1.DLL")


def _win2000(rng, sc):
    """By the library's id, by the PCI tree or by a refresh, whose service
    runs 0.5 s after it started: the first look of the service poll (10 s)
    finds it running."""
    machine = sc.machine
    if rng.random() < 0.4:
        for path in rng.sample(["windows/qvsmmsg.exe", "windows/system32/qvsmmsg.exe",
                                "windows/qvsm.isu", "windows/Options/CABS/qvsmmsg.exe",
                                "windows/inf/qvsmw2k.inf", "windows/inf/qvsmw2k.pnf"],
                               rng.randrange(1, 5)):
            machine.files[path] = b"earlier " + path.encode()
    by_library = rng.random() < 0.5
    controller = not by_library and rng.random() < 0.6
    _pci_tree(rng, machine, controller)
    if by_library:
        ids = [None, None, r"PCI\VEN_10B9&DEV_5453&SUBSYS_00000000&REV_01", r"ACPI\TAV0001",
               r"USB\VID_1234&PID_0001", "BRX1234"]
        found = rng.choice(ids)
        sc.standins["GetHardWareId"] = {"Id": found} if found else {}
    else:
        sc.standins["GetHardWareId"] = {"Result": 0}
    if rng.random() < 0.2:
        sc.standins["UpdateNT5Device"] = {"Result": 0}
    sc.standins["RefreshWin2K"] = {"Result": rng.choice([1, 1, 1, 0]), "Delay": 500}
    if sc.copies_only and not by_library and not controller:
        sc.standins["RefreshWin2K"]["Effect"] = 0
    if rng.random() < 0.06:
        sc.medium_left_out.add(rng.choice(["QVSETUP1.DLL", "QVSETUP2.DLL"]))


CLASS_MAKERS = {"95": _win95, "98": _win98_family, "98se": _win98_family, "me": _win98_family,
                "nt4": _nt4, "2000": _win2000}


def scenario(seed, number, osclass=None):
    """The scenario `number` of the series `seed`; the class cycles through
    CLASSES unless given."""
    osclass = osclass or CLASSES[number % len(CLASSES)]
    rng = random.Random(f"setup scenario {seed} {osclass} {number}")
    sc = SetupScenario(f"seed {seed} class {osclass} number {number}", osclass)
    sc.command_line = _switches(rng, osclass)
    sc.options = _options(rng)
    sc.lists = _lists(rng)
    # Every Windows has these two keys, with or without values.
    sc.machine.key(SETUP_KEY)
    sc.machine.key(RUN_KEY)
    source_path = _source_path(rng, sc.machine)
    _earlier_records(rng, sc.machine)
    _serial_ports(rng, sc.machine)
    CLASS_MAKERS[osclass](rng, sc)
    sc.medium_added = {"extra.txt": EXTRA_TEXT, "b.bat": BATCH,
                       "rec.exe": ("build", "fixtures", RECORDER)}
    sc.machine.files["windows/tool.exe"] = ("build", "fixtures", RECORDER)
    if rng.random() < 0.2:
        sc.machine.files["TAVELIN/TOOLS/" + BASE_FILE] = b"present before the run\r\n"
    # An interrupted run's record names the medium as that run wrote it.
    if source_path != "interrupted" and rng.random() < 0.1:
        sc.medium_dir = LONG_MEDIUM_DIR
    return sc


def directory_name(seed, number, osclass=None):
    return f"seed{seed}-{osclass or CLASSES[number % len(CLASSES)]}-{number}"


# The scenario directory -----------------------------------------------------

def ini_text(sections):
    """An ini file: {section: [(key, value)] or {key: value}}, CR LF lines."""
    lines = []
    for name, entries in sections.items():
        lines.append(f"[{name}]")
        items = entries.items() if isinstance(entries, dict) else entries
        lines += [f"{k}={v}" for k, v in items]
        lines.append("")
    return "\r\n".join(lines).encode("latin-1")


def _reg_string(name):
    return '"' + name.replace("\\", "\\\\").replace('"', '\\"') + '"'


def _reg_value(type_code, data):
    if type_code == REG_SZ and data.endswith(b"\0") and b"\0" not in data[:-1] \
            and all(0x20 <= b < 0x7F for b in data[:-1]):
        return _reg_string(data[:-1].decode("latin-1"))
    if type_code == REG_DWORD and len(data) == 4:
        return f"dword:{int.from_bytes(data, 'little'):08x}"
    prefix = "hex:" if type_code == REG_BINARY else f"hex({type_code:x}):"
    return prefix + ",".join(f"{b:02x}" for b in data)


def machine_reg(keys):
    """The REGEDIT4 text of {path below HKLM: {name: (type, bytes)}}, keys in
    path order, CR LF lines."""
    lines = ["REGEDIT4", ""]
    for path in sorted(keys, key=str.lower):
        lines.append(f"[HKEY_LOCAL_MACHINE\\{path}]")
        for name, (type_code, data) in keys[path].items():
            shown = "@" if name == "" else _reg_string(name)
            lines.append(f"{shown}={_reg_value(type_code, data)}")
        lines.append("")
    return "\r\n".join(lines).encode("latin-1")


def _unquote(field):
    """The text of a quoted REGEDIT4 string and what follows it."""
    out, i = [], 1
    while field[i] != '"':
        if field[i] == "\\":
            i += 1
        out.append(field[i])
        i += 1
    return "".join(out), field[i + 1:]


def read_machine_reg(data):
    """{path below HKLM: {name: (type, bytes)}} of a REGEDIT4 file as
    machine_reg writes it (hex values may go on over lines ending in \\)."""
    keys, current = {}, None
    lines = data.decode("latin-1").replace("\\\r\n", "").replace("\\\n", "").splitlines()
    for line in (raw.strip() for raw in lines):
        if line.startswith("[") and line.endswith("]"):
            current = keys.setdefault(line[1:-1].split("\\", 1)[1] if "\\" in line else "", {})
        elif current is not None and (line.startswith('"') or line.startswith("@=")):
            name, rest = ("", line[1:]) if line.startswith("@") else _unquote(line)
            rest = rest[1:]  # the "="
            if rest.startswith('"'):
                current[name] = text(_unquote(rest)[0])
            elif rest.startswith("dword:"):
                current[name] = number(int(rest[6:], 16))
            else:
                kind, _, octets = rest.partition(":")
                type_code = REG_BINARY if kind == "hex" else int(kind[4:-1], 16)
                current[name] = (type_code, bytes(int(o, 16) for o in octets.split(",") if o))
    return keys


def read_scenario_ini(directory):
    """({Scenario key: value}, [compared paths below HKLM]) of a directory."""
    scenario, compare, section = {}, [], None
    with open(os.path.join(directory, "scenario.ini"), encoding="latin-1") as f:
        for line in f.read().splitlines():
            if line.startswith("["):
                section = line.strip("[]")
            elif "=" in line:
                key, value = line.split("=", 1)
                if section == "Scenario":
                    scenario[key] = value
                elif section == "Compare":
                    compare.append(value)
    return scenario, compare


def _build_source(where, name):
    return os.path.join(MEDIUM if where == "medium" else FIXTURES, name)


def materialise(directory):
    """Copies in the build's files that build.txt names (a kept case holds
    only the list), so that both sides run the current build."""
    listing = os.path.join(directory, "build.txt")
    if not os.path.exists(listing):
        return
    with open(listing, encoding="latin-1") as f:
        for line in f.read().splitlines():
            path, where, name = line.split("\t")
            target = os.path.join(directory, *path.split("/"))
            os.makedirs(os.path.dirname(target), exist_ok=True)
            shutil.copyfile(_build_source(where, name), target)


def keep(directory, target):
    """Copies a scenario directory without the build's files, as a kept case."""
    listing = os.path.join(directory, "build.txt")
    built = set()
    if os.path.exists(listing):
        with open(listing, encoding="latin-1") as f:
            built = {line.split("\t")[0] for line in f.read().splitlines()}
    for root, _, names in os.walk(directory):
        for name in names:
            rel = os.path.relpath(os.path.join(root, name), directory).replace(os.sep, "/")
            if rel not in built:
                os.makedirs(os.path.dirname(os.path.join(target, rel)), exist_ok=True)
                shutil.copyfile(os.path.join(root, name), os.path.join(target, rel))


def write(sc, directory):
    """Writes the scenario directory (materialised) and returns its path."""
    if os.path.exists(directory):
        shutil.rmtree(directory)
    os.makedirs(os.path.join(directory, "medium"))
    built = []
    for name in sorted(os.listdir(MEDIUM)):
        if name not in sc.medium_left_out and name not in ("qvsetup.ini", "qvstandin.ini"):
            built.append((f"medium/{name}", "medium", name))
    sections = {"INSTALL_OPTIONS": sc.options}
    sections.update(sc.lists)
    files = {"medium/qvsetup.ini": ini_text(sections),
             "medium/qvstandin.ini": ini_text(sc.standins),
             "machine.reg": machine_reg(sc.machine.keys)}
    for name, content in sc.medium_added.items():
        files["medium/" + name] = content
    for path, content in sc.machine.files.items():
        files["machine/" + path] = content
    for path, content in files.items():
        if isinstance(content, tuple):
            built.append((path, content[1], content[2]))
            continue
        target = os.path.join(directory, *path.split("/"))
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(content)
    with open(os.path.join(directory, "build.txt"), "w", encoding="latin-1") as f:
        f.write("".join(f"{path}\t{where}\t{name}\n" for path, where, name in built))
    compare = "".join(f"Key{i}={path[5:]}\r\n" for i, path in enumerate(COMPARE, 1))
    with open(os.path.join(directory, "scenario.ini"), "wb") as f:
        f.write((f"[Scenario]\r\nClass={sc.osclass}\r\nCommandLine={sc.command_line}\r\n"
                 f"WindowsDir={WINDOWS_DIR}\r\nSystemDir={SYSTEM_DIR}\r\n"
                 f"MediumDir={sc.medium_dir}\r\nAdministrator=1\r\nPlatform=wine\r\n"
                 f"Time={START_TIME}\r\nComputerName={COMPUTER_NAME}\r\n"
                 f"[Compare]\r\n{compare}").encode("latin-1"))
    with open(os.path.join(directory, "about.txt"), "w", encoding="latin-1") as f:
        f.write(f"{sc.label}\n{sc.describe()}\n")
    materialise(directory)
    return directory
