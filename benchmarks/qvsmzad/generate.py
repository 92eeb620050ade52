"""Generates the benchmark input of qvsmzad in three equivalent forms:

- country.ini: the country settings file, 500 country sections of 40 values
  each (every other value with bounds) and a Registry section of 2,000 lines
  (strings, bytes, both no-clobber kinds and deletions);
- country.reg: the same content as a registry import file for regedit, with
  the Country tree removed first as qvsmzad's reset does;
- floor.ops: the registry calls that qvsmzad makes for country.ini when it
  runs over the tree that an earlier run with the same file left (the steady
  state that the benchmark measures), for the floor program to replay.
"""

import struct

SECTIONS = 500
VALUES_PER_SECTION = 40
REGISTRY_LINES = 2000

HKLM_SLOT = 0xFF
SOFTMODEM = r"SOFTWARE\TAVELIN\SoftModem"
COUNTRY = SOFTMODEM + r"\Country"
REG_SZ, REG_BINARY = 1, 3
KEY_WRITE = 0x20006
KEY_ALL_ACCESS = 0xF003F
KEY_SET_VALUE = 0x0002
KEY_WRITING_LINE = 0x20019 | 0x0002 | 0x0004  # KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY


def country_values(section):
    """(name, value, bounds or None) of one section's lines."""
    for j in range(VALUES_PER_SECTION):
        value = (section * VALUES_PER_SECTION + j) * 37 - 5000
        bounds = (value - 100, value + 100) if j % 2 else None
        yield f"Value{j:02d}", value, bounds


def registry_lines():
    """(key path, value name, type code or None for a deletion, data) of each line."""
    for i in range(REGISTRY_LINES):
        path = rf"SOFTWARE\QvBench\K{i % 97:02d}"  # every key gets every kind of line
        kind = i % 5
        if kind == 4:
            yield path, f"Gone{i:04d}", None, None
        elif kind in (0, 2):
            yield path, f"N{i:04d}", kind, f"text number {i}".encode()
        else:
            yield path, f"N{i:04d}", kind, bytes((i + k) & 0xFF for k in range(8))


def make_ini():
    lines = ["; generated benchmark country settings file"]
    for s in range(SECTIONS):
        lines.append(f"[S{s:03d}]")
        for name, value, bounds in country_values(s):
            lines.append(f"{name}={value}" + (f",{bounds[0]},{bounds[1]}" if bounds else ""))
    lines.append("[Registry]")
    for path, name, code, data in registry_lines():
        if code is None:
            lines.append(f"HKLM,{path},{name}")
        elif code & 1:
            lines.append(f"HKLM,{path},{name},{code}," + ",".join(f"{b:02x}" for b in data))
        else:
            lines.append(f'HKLM,{path},{name},{code},"{data.decode()}"')
    return ("\r\n".join(lines) + "\r\n").encode("latin-1")


def reg_hex(data):
    return "hex:" + ",".join(f"{b:02x}" for b in data)


def four(number):
    return struct.pack("<i", number)


def make_reg():
    out = ["REGEDIT4", "", f"[-HKEY_LOCAL_MACHINE\\{COUNTRY}]", "",
           f"[HKEY_LOCAL_MACHINE\\{SOFTMODEM}]", f'"HomolTimeStamp"={reg_hex(bytes(4))}', ""]
    for s in range(SECTIONS):
        out.append(f"[HKEY_LOCAL_MACHINE\\{COUNTRY}\\S{s:03d}]")
        for name, value, bounds in country_values(s):
            out.append(f'"{name}"={reg_hex(four(value))}')
            if bounds:
                out.append(f'"{name}_min"={reg_hex(four(bounds[0]))}')
                out.append(f'"{name}_max"={reg_hex(four(bounds[1]))}')
        out.append("")
    for path, name, code, data in registry_lines():
        out.append(f"[HKEY_LOCAL_MACHINE\\{path}]")
        if code is None:
            out.append(f'"{name}"=-')
        elif code & 1:
            out.append(f'"{name}"={reg_hex(data)}')
        else:
            out.append(f'"{name}"="{data.decode()}"')
        out.append("")
    return ("\r\n".join(out) + "\r\n").encode("latin-1")


class Ops:
    """The floor program's call list; see floor.cpp for the record layout."""

    def __init__(self):
        self.out = bytearray()

    def _text(self, text):
        self.out += text.encode("latin-1") + b"\0"

    def key(self, op, slot, parent, rights, path):
        self.out += op + bytes((slot, parent)) + struct.pack("<I", rights)
        self._text(path)

    def set(self, op, slot, type_code, name, data):
        self.out += op + bytes((slot,)) + struct.pack("<II", type_code, len(data))
        self._text(name)
        self.out += data

    def named(self, op, slot, name):
        self.out += op + bytes((slot,))
        self._text(name)

    def slot(self, op, slot):
        self.out += op + bytes((slot,))


def make_ops():
    ops = Ops()
    ops.key(b"c", 0, HKLM_SLOT, KEY_WRITE, SOFTMODEM)
    ops.set(b"s", 0, REG_BINARY, "HomolTimeStamp", bytes(4))
    ops.slot(b"x", 0)
    ops.key(b"o", 1, HKLM_SLOT, KEY_ALL_ACCESS, COUNTRY)
    ops.slot(b"r", 1)
    for s in range(SECTIONS):
        ops.key(b"c", 2, 1, KEY_WRITE, f"S{s:03d}")
        for name, value, bounds in country_values(s):
            ops.set(b"s", 2, REG_BINARY, name, four(value))
            if bounds:
                ops.set(b"s", 2, REG_BINARY, name + "_min", four(bounds[0]))
                ops.set(b"s", 2, REG_BINARY, name + "_max", four(bounds[1]))
        ops.slot(b"x", 2)
    for path, name, code, data in registry_lines():
        if code is None:
            ops.key(b"o", 3, HKLM_SLOT, KEY_SET_VALUE, path)
            ops.named(b"d", 3, name)
        else:
            ops.key(b"c", 3, HKLM_SLOT, KEY_WRITING_LINE, path)
            if code & 2:
                ops.named(b"q", 3, name)  # the value exists: nothing written
            else:
                ops.set(b"s", 3, REG_BINARY if code & 1 else REG_SZ, name,
                        data if code & 1 else data + b"\0")
        ops.slot(b"x", 3)
    ops.slot(b"x", 1)
    return bytes(ops.out)
