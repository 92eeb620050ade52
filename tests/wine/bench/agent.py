"""The Python side of the winrun agent (tests/wine/agent): the job file that
tells it what to run and how to answer the dialogs, and the formats of what
it leaves (result, message boxes, setup's dialog records, registry dumps)
and reads (registry seeds)."""

import collections

REG_TYPES = {0: "REG_NONE", 1: "REG_SZ", 2: "REG_EXPAND_SZ", 3: "REG_BINARY", 4: "REG_DWORD",
             7: "REG_MULTI_SZ"}
REG_CODES = {name: code for code, name in REG_TYPES.items()}

# Setup's dialogs by their edit control, and the buttons that answer them.
WELCOME, RESTART, PROGRESS = "#1000", "#1001", "#1002"
IDOK, IDCANCEL = 1, 2

# Virtual keys for Scenario.run(keys=...).
VK_RETURN = 0x0D
VK_ESCAPE = 0x1B


def _hex(text):
    return text.encode("latin-1").hex()


def _unhex(field):
    return bytes.fromhex(field).decode("latin-1")


def _unescape(field):
    out, i = [], 0
    while i < len(field):
        if field[i] == "\\" and i + 1 < len(field):
            out.append({"t": "\t", "n": "\n", "r": "\r", "\\": "\\"}.get(field[i + 1], field[i + 1]))
            i += 2
        else:
            out.append(field[i])
            i += 1
    return "".join(out)


def job_file(program, commandline, timeout, outputs, cwd=None, answers=None, keys=(), cut=None):
    """The job for "winrun run": outputs maps result, boxes and dialogs to
    the files that winrun writes them to. cut: (caption, occurrence) ends
    the program when that message box appears, ("tick", n) when it takes
    its n-th completion timer message."""
    lines = [f"program={program}", f"commandline={commandline}", f"timeout={timeout * 1000}"]
    lines += [f"{name}={path}" for name, path in outputs.items()]
    if cwd:
        lines.append(f"directory={cwd}")
    for caption, button in (answers or {}).items():
        button, delay = button if isinstance(button, tuple) else (button, 0)
        lines.append(f"answer={caption}\t{button}\t{delay}")
    for dialog, key, delay in keys:
        lines.append(f"key={dialog}\t{key}\t{delay}")
    if cut and cut[0] == "tick":
        lines.append(f"cuttick={cut[1]}")
    elif cut:
        lines.append(f"cutbox={cut[0]}\t{cut[1]}")
    return ("\r\n".join(lines) + "\r\n").encode("latin-1")


def seed_file(records):
    """The file for "winrun regseed": ("K", path), ("V", path, name, type,
    data), ("D", path) deletes a tree, ("X", path, name) deletes a value."""
    lines = []
    for record in records:
        kind, path = record[0], record[1]
        if kind == "V":
            _, _, name, type_name, data = record
            lines.append(f"V\t{_hex(path)}\t{_hex(name)}\t{REG_CODES[type_name]}\t{data.hex()}")
        elif kind == "X":
            lines.append(f"X\t{_hex(path)}\t{_hex(record[2])}")
        else:
            lines.append(f"{kind}\t{_hex(path)}")
    return ("\n".join(lines) + "\n").encode("latin-1")


def parse_registry_dump(text):
    """The winrun dump format, as a nested dict; None for a missing key."""
    if text.startswith("MISSING"):
        return None
    root = {"values": {}, "keys": {}}

    def node(path):
        current = root
        for part in filter(None, path.split("\\")):
            current = current["keys"].setdefault(part, {"values": {}, "keys": {}})
        return current

    for line in text.splitlines():
        fields = line.split("\t")
        if fields[0] == "K":
            node(_unhex(fields[1]) if len(fields) > 1 else "")
        elif fields[0] == "V":
            type_code = int(fields[3])
            node(_unhex(fields[1]))["values"][_unhex(fields[2])] = (
                REG_TYPES.get(type_code, str(type_code)), bytes.fromhex(fields[4]))
    return root


def parse_boxes(text):
    """[(caption, text)] of the message boxes, in order."""
    return [tuple(_unescape(f) for f in line.split("\t", 1)) for line in text.splitlines()]


# One record of setup's dialogs: event is show, hide, destroy, progress,
# press, key, tick or error; kind is welcome, restart or progress (timer for
# a tick); values are the caption and text (show), the position (progress,
# an int), the button or key code (press, key), the count (tick); ms counts
# from the start of the run.
DialogRecord = collections.namedtuple("DialogRecord", "event kind values ms")


def parse_dialog_records(text):
    records = []
    for line in text.splitlines():
        fields = [_unescape(f) for f in line.split("\t")]
        ms, event, kind, values = int(fields[0]), fields[1], fields[2], tuple(fields[3:])
        if event in ("progress", "press", "key", "tick"):
            values = tuple(int(v) for v in values)
        records.append(DialogRecord(event, kind, values, ms))
    return records


class Result:
    def __init__(self, outcome, boxes, dialogs=()):
        self.outcome = outcome
        self.boxes = boxes
        self.dialogs = list(dialogs)
        self.exit_code = int(outcome.split()[1]) if outcome.startswith("exit ") else None
        self.cut = outcome == "cut"  # the agent ended it at its cut point

    def __repr__(self):
        return f"Result({self.outcome!r}, boxes={self.boxes!r}, dialogs={self.dialogs!r})"

    def shown(self):
        """(kind, text) of every dialog of setup that appeared, in order."""
        return [(d.kind, d.values[1]) for d in self.dialogs if d.event == "show"]

    def events(self):
        """(event, kind) of every record but the bar's positions."""
        return [(d.event, d.kind) for d in self.dialogs if d.event != "progress"]

    def events_of(self, kind):
        """The events of one dialog, in order (positions left out)."""
        return [event for event, k in self.events() if k == kind]

    def positions(self):
        """The progress bar's positions, in order."""
        return [d.values[0] for d in self.dialogs if d.event == "progress"]

    def timed(self, event, kind):
        """The time (ms) of the first record of this event and kind."""
        return next(d.ms for d in self.dialogs if d.event == event and d.kind == kind)
