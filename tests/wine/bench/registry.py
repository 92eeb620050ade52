"""The registry as the tests see it: the keys that setup, qvsmzad and the
stand-ins use, the modem names they look for, values in the form that
Scenario.registry() gives, and helpers that read or seed them."""

import struct

SETUP_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Setup"
# setup's record, beside SourcePath, of the value that a run puts back.
SOURCE_PATH_RECORD = "SourcePathBeforeTavelinSetup"
RUN_KEY = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
GSMU_KEY = r"HKLM\SOFTWARE\GenericSoftModemUninstallInfo"
TAVELIN_KEY = r"HKLM\Software\Tavelin"
BRAND_KEY = TAVELIN_KEY + r"\Softmodem"
SERVICE_KEY = r"HKLM\SYSTEM\CurrentControlSet\Services\TAVELINSoftModem"
MODEM_9X = r"HKLM\System\CurrentControlSet\Services\Class\Modem"
MODEM_NT = r"HKLM\System\CurrentControlSet\Control\Class\{4D36E96D-E325-11CE-BFC1-08002BE10318}"
SERIAL_MAP = r"HKLM\Hardware\devicemap\serialcomm"
UNIMODEM = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Unimodem\DeviceSpecific"
PCI = r"HKLM\System\CurrentControlSet\Enum\PCI"
INTEL = "VEN_8086&DEV_2416&SUBSYS_12345678&REV_02"  # a PCI device id of ours

# The modem's names: ours and that of the earlier driver, which setup
# removes too, and the display name of the NT driver service.
OUR_NAME = "TAVELIN Software Modem AMR"
EARLIER_NAME = "Norvik Technologies Soft Modem"
SERVICE_NAME = "Tavelin Software Modem AMR"


def sz(text):
    return ("REG_SZ", text.encode("latin-1") + b"\0")


def dword(n):
    return ("REG_DWORD", struct.pack("<I", n))


def b32(number):
    """A country value as stored: REG_BINARY, 4 bytes, least significant first."""
    return ("REG_BINARY", struct.pack("<i", number))


def binary(*octets):
    return ("REG_BINARY", bytes(octets))


def node(values=None, keys=None):
    """A registry tree as Scenario.registry() returns it."""
    return {"values": dict(values or {}), "keys": dict(keys or {})}


def value(tree, *path):
    """The (type, data) of a value in a registry tree: value(tree, "Sub", "Name")."""
    current = tree
    for key in path[:-1]:
        current = current["keys"].get(key) if current else None
    return current["values"].get(path[-1]) if current else None


def source_path_record(earlier, written):
    """The record's value: the earlier SourcePath, (type, data) or None for
    no value, and the path written."""
    code = {"REG_SZ": 1, "REG_EXPAND_SZ": 2}[earlier[0]] if earlier else 0
    text = earlier[1] if earlier else b"\0"
    return ("REG_BINARY", struct.pack("<I", code) + text + written.encode("latin-1") + b"\0")


def subkeys(sc, path):
    """The sorted names of a key's subkeys; None when the key is missing."""
    tree = sc.registry(path)
    return None if tree is None else sorted(tree["keys"])


def instances(sc, class_key):
    """{instance: {value: text}} of a class key's string values; {} when missing."""
    tree = sc.registry(class_key)
    if not tree:
        return {}
    return {name: {v: data.rstrip(b"\0").decode("latin-1") for v, (_, data) in node["values"].items()}
            for name, node in tree["keys"].items()}


def seed_instance(sc, class_key, name, subkeys=(), **values):
    sc.seed_registry(f"{class_key}\\{name}", {v: sz(t) for v, t in values.items()})
    for sub in subkeys:
        sc.seed_registry(f"{class_key}\\{name}\\{sub}", {"Value": sz("x")})


def seed_instances(sc, class_key, name, texts):
    """Numbered instances 0000, 0001, ... with the value name set to each
    text (None: no value)."""
    for i, text in enumerate(texts):
        sc.seed_registry(rf"{class_key}\{i:04d}", {} if text is None else {name: sz(text)})


def set_serial_map(sc, ports):
    """Leaves exactly the given port names in the serial port map."""
    current = sc.registry(SERIAL_MAP)
    records = [("X", SERIAL_MAP, name) for name in current["values"]] if current else []
    records += [("V", SERIAL_MAP, rf"\Device\Serial{i}", "REG_SZ", p.encode() + b"\0")
                for i, p in enumerate(ports)]
    sc.seed_records(records)
