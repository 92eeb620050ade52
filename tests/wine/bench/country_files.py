"""Country settings files as people write them, made from a seed: valid
lines mixed with the mistakes that qvsmzad passes over or reads otherwise
than they look. country_file(seed, index) gives the same bytes for the same
seed and index on every machine and Python version.

Registry section lines write only below the roots of ROOT_PATHS (the
SoftModem tree, HKLM\\SOFTWARE\\QvGen, and, through a key path of one
backslash on the 9x registry, values of the HKLM root named QvGen...), so
that a comparison can be limited to those and a prefix reset between files.
"""

import random

# Lengths that the reader and the registry cut at.
PIECE = 499  # characters of a line as the reader delivers it
KEY_PATH_MAX = 49  # key path and value name of a registry line
STRING_MAX = 63  # characters of a registry line's string
BYTES_MAX = 64  # bytes of a registry line
KEY_NAME_MAX = 256  # one key name component (Wine)
RELATIVE_PATH_MAX = 260  # a path handed to RegCreateKeyExA or RegOpenKeyExA

QVGEN = "SOFTWARE\\QvGen"
SOFTMODEM = "SOFTWARE\\TAVELIN\\SoftModem"
# Value names that a key path of only "\" may write into the HKLM root.
ROOT_VALUE_PREFIX = "QvGen"

# Letters of code page 1252 whose other case lies outside ASCII fold too
# (e9/c9, 9a/8a, 9c/8c, ff/9f); f7 and d7 are signs, not a letter pair; df
# has no single upper-case letter.
CODES = ["B5", "04", "00", "UK", "3D", "A0", "FF", "Germany", "b5", "uk", "\xe9t\xe9", "\xc9T\xc9",
         "\x9a", "\x8a", "\x9c", "\x8c", "\xff", "\x9f", "\xf7", "\xd7", "Stra\xdfe", "STRASSE",
         "\xb5", "\x81"]
ODD_SECTIONS = ["Disabled", "Disabled\\C3", "Disabled\\c3", "Disabled_Country", "disable_country",
                "Disable_country", "DISABLE_COUNTRY", "Registry ", " Registry", "registry", "REGISTRY",
                "", "\\B5", "\\\\B5", "\\\\", "\\\\\\", "a\\b\\c", "B5\\\\Sub", "B5\\", "\\",
                "B5\\Sub", "b5\\sub", " B5 ", "B5\t", "a b", "x;y", "#", "Country", "..", "a\"b", "@"]
VALUE_NAMES = ["Gain", "gain", "GAIN", "TxLevel", "txlevel", "RingFrequency", "DialToneWait",
               "BlindDial", " Gain", "Gain ", "\tGain", "a b", "\xe9", "\xc9", "a\"b", "a\\b", "@",
               "[x", "Gain_min", "gain_MAX", "x\x1by", "HomolTimeStamp", "\xfe", "\xde", "\xf7",
               "\xd7", "Ma\xdf", "MASS"]
NUMBERS = ["0", "1", "5", "-1", "+7", "-0", "0x10", "0X1f", "0xff", "0x", "0x-5", "010", "08", "09",
           "0777", "007", "2147483647", "2147483648", "-2147483648", "-2147483649", "4294967295",
           "4294967296", "0xFFFFFFFF", "0x80000000", "-0x80000000", "037777777777",
           "99999999999999999999", "  12", "\t-3", "1.5", "12abc", "abc", "", " ", "+", "-", "- 5",
           "1e3", "0b1", "\xb2", "+-1", "0x1g", "3000", "-15"]
DISABLED_CODES = ["b5", "B5", "5", "05", "1B5", "US", "  5 ; old", "\t3d", "ff;x", "0", "000", "g1",
                  "a", "ZZ", "3dx", "-5", "0x5", " c3", "C3", "abc", "e9", "", "  "]
KEY_PATHS = [QVGEN, QVGEN + "\\A", "software\\qvgen\\a", QVGEN + "\\Sub\\Deep", "SOFTWARE\\QVGEN\\sub",
             QVGEN + "\\\xe9t\xe9", QVGEN + "\\\xc9T\xc9", QVGEN + "\\a]b", QVGEN + "\\a;b",
             QVGEN + "\\[x]", QVGEN + "\\a=b", QVGEN + "\\\\Dbl", QVGEN + "\\Trail\\",
             "\\" + QVGEN + "\\Lead", "\\\\" + QVGEN + "\\Two", QVGEN + "\\\\",
             SOFTMODEM, "software\\tavelin\\softmodem", SOFTMODEM + "\\Country",
             SOFTMODEM + "\\Country\\B5", "Software\\Tavelin\\Softmodem\\Country\\b5",
             SOFTMODEM + "\\Country\\Disabled\\C3", SOFTMODEM + "\\Country\\New",
             SOFTMODEM + "\\Extra", "\\" + SOFTMODEM + "\\Country\\Lead", "\\", "\\\\"]
# Keys below Country of names whose lengths and order (Wine's, by lower-case
# forms) decide how far the 9x deletion of the Country key goes.
COUNTRY_SUBKEYS = ["_x", "[", "zz", "\xe9", "FF", "AAAA", "a\\bb", "Disabled\\5", "Disabled\\C3",
                   "New", "b", "Y", "ZZZ\\a"]
QUOTED_KEY_PATHS = [QVGEN + "\\two words", QVGEN + "\\ ", QVGEN + "\\x ", QVGEN + "\\\tt",
                    QVGEN + "\\a,b"]
REGISTRY_VALUE_NAMES = ["Val", "val", "VAL", "Str", "Bin", "Keep", "keep", "\xe9", "\xc9", "a\\b",
                        "@", "x\x7fy", "Gain", "HomolTimeStamp", "homoltimestamp", "DefaultCountry"]
QUOTED_VALUE_NAMES = ["two words", "  ", " lead", "trail ", "t\tab", "a,b"]
ROOTS = ["HKLM"] * 24 + ["hklm", "HKCU", "HKEY_LOCAL_MACHINE", " HKLM", "\"HKLM\"", "HK LM", "",
                         "HKLM\t"]
TYPE_CODES = ["0", "1", "2", "3"] * 8 + ["4", "-1", "", " 1", "01", "1x", "x", "+2", "0x1",
                                         "99999999999"]
BYTE_FIELDS = ["01", "ff", "FF", "1FF", "100", "0x1F", "zz", "", "7", "a", " 0b ", "fffffffff", "g",
               "80", "-1", "00"]
STRINGS = ["abc", "", "two words", "with\\backslash", "\xe9t\xe9", "a\tb", "x;y", "a=b", "[x]",
           "\x1b", "99"]


class _Writer:
    """One file's lines, each with its line end, and the file's habits."""

    def __init__(self, rng):
        self.rng = rng
        self.lines = []
        self.end = rng.choice([b"\r\n"] * 6 + [b"\n"] * 3 + [b"mixed"])

    def line_end(self):
        r = self.rng.random()
        if self.end != b"mixed" and r < 0.95:
            return self.end
        return self.rng.choice([b"\r\n", b"\n", b"\r", b"\r\r\n"])

    def add(self, text):
        data = text.encode("latin-1") if isinstance(text, str) else text
        self.lines.append(data + self.line_end())

    def content(self):
        data = b"".join(self.lines)
        rng = self.rng
        if data and rng.random() < 0.2:  # the last line without its line end
            data = data.rstrip(b"\r\n")
        if rng.random() < 0.06:  # Ctrl-Z ends the file; what follows is not read
            cut = rng.randrange(len(data) + 1)
            data = data[:cut] + b"\x1a" + data[cut:]
        if rng.random() < 0.06:  # a NUL ends the meaning of its line
            cut = rng.randrange(len(data) + 1)
            data = data[:cut] + b"\0" + data[cut:]
        if rng.random() < 0.03:
            data = b"\xef\xbb\xbf" + data  # an editor's encoding mark
        return data


def _mutate_case(rng, text):
    return rng.choice([text, text.lower(), text.upper(), text.swapcase()])


def _padded(rng, text, length):
    """`text` brought to `length` characters with blanks, or with a comment
    whose commas and digits are read too."""
    filler = rng.choice([" ", " ", "x", "0", ","])
    return text + filler * max(0, length - len(text))


def _section_name(rng, vocabulary):
    r = rng.random()
    if r < 0.45:
        return rng.choice(vocabulary)
    if r < 0.85:
        return rng.choice(ODD_SECTIONS)
    if r < 0.93:
        n = rng.choice([KEY_NAME_MAX - 2, KEY_NAME_MAX - 1, KEY_NAME_MAX, KEY_NAME_MAX + 1,
                        KEY_NAME_MAX + 4, 497])
        return rng.choice("SLT") * n
    # Two components around the limit of the relative path, which counts the
    # path as written: a doubled or trailing backslash too, and on 9x all
    # but a leading one.
    lead = rng.choice(["", "", "\\"])
    separator = rng.choice(["\\", "\\", "\\\\"])
    trail = rng.choice(["", "", "\\"])
    # A short first name leaves room for a second one over KEY_NAME_MAX.
    first = rng.choice([1, 100, 200, KEY_NAME_MAX])
    rest = RELATIVE_PATH_MAX - first - len(separator) - len(trail) + rng.choice([-1, 0, 1])
    return lead + "P" * first + separator + "Q" * rest + trail


def _number(rng):
    return rng.choice(NUMBERS) if rng.random() < 0.7 else str(rng.randrange(-70000, 70000))


def _country_value(rng, names):
    r = rng.random()
    if r < 0.08:
        name = rng.choice(["P", "N", "V"]) * rng.choice([250, 255, 256, 257, 300, 480, 490])
    elif r < 0.7:
        name = rng.choice(names)
    else:
        name = _mutate_case(rng, rng.choice(VALUE_NAMES))
    count = rng.choice([1, 1, 1, 2, 3, 3, 3, 4])
    numbers = [_number(rng) for _ in range(count)]
    sep = rng.choice([",", ",", ", ", " ,"])
    line = f"{name}={sep.join(numbers)}"
    if rng.random() < 0.1:
        line += rng.choice([" ; dB", " ; 1, 2", "  ", "\t; note", " // x", "x"])
    return line


def _country_line(rng, names):
    r = rng.random()
    if r < 0.75:
        return _country_value(rng, names)
    if r < 0.80:
        return ""
    if r < 0.83:
        return rng.choice(["   ", "\t"])
    if r < 0.88:
        return rng.choice(["; x=1", "  ;x=5", "# x=1", "//x=1", ";Gain=9", "\t; y=2"])
    if r < 0.93:
        return rng.choice(["no equals sign", "Gain", "=3", "==", "=", " = 4"])
    return rng.choice(["  [B5]", "\t[Registry]", " [Disable_Country]"])


def _disabled_line(rng):
    r = rng.random()
    if r < 0.8:
        return rng.choice(DISABLED_CODES)
    if r < 0.9:
        return "%x" % rng.randrange(0, 0x1000) if rng.random() < 0.5 else "%X" % rng.randrange(256)
    return rng.choice(["; 07", "[x", "  ; 0A"])


def _field(rng, text, quoted_texts=()):
    """A field as written: sometimes quoted, sometimes with blanks around."""
    if text in quoted_texts or rng.random() < 0.1:
        text = f'"{text}"'
    if rng.random() < 0.1:
        text = rng.choice([" ", "\t", "  "]) + text + rng.choice(["", " "])
    return text


def _key_path(rng, made):
    r = rng.random()
    if r < 0.3 and made:
        return _mutate_case(rng, rng.choice(made)) if rng.random() < 0.3 else rng.choice(made)
    if r < 0.78:
        return rng.choice(KEY_PATHS)
    if r < 0.85:
        return SOFTMODEM + "\\Country\\" + rng.choice(COUNTRY_SUBKEYS)
    if r < 0.93:
        return rng.choice(QUOTED_KEY_PATHS)
    n = rng.choice([KEY_PATH_MAX - 1, KEY_PATH_MAX, KEY_PATH_MAX + 1])
    return QVGEN + "\\" + "P" * (n - len(QVGEN) - 1)


def _registry_value_name(rng, path):
    if not path.strip('"').strip("\\"):  # the HKLM root on 9x
        return ROOT_VALUE_PREFIX + rng.choice(["Root", "root", "ROOT", "Root2"])
    r = rng.random()
    if r < 0.8:
        return rng.choice(REGISTRY_VALUE_NAMES)
    if r < 0.9:
        return rng.choice(QUOTED_VALUE_NAMES)
    if rng.random() < 0.7:
        return "N" * rng.choice([KEY_PATH_MAX - 1, KEY_PATH_MAX, KEY_PATH_MAX + 1])
    return ""


def _registry_data(rng, type_code):
    if type_code.strip().lstrip("+0") in ("1", "3") or rng.random() < 0.05:
        count = rng.choice([1, 1, 2, 3, 4, 8, BYTES_MAX - 1, BYTES_MAX, BYTES_MAX + 1, 70])
        fields = [rng.choice(BYTE_FIELDS) if rng.random() < 0.3 else "%02x" % rng.randrange(256)
                  for _ in range(count)]
        return ",".join(fields)
    r = rng.random()
    if r < 0.6:
        return _field(rng, rng.choice(STRINGS))
    if r < 0.75:
        n = rng.choice([STRING_MAX - 1, STRING_MAX, STRING_MAX + 1])
        return "s" * n
    if r < 0.85:
        return '"' + rng.choice(["open to the end", "a\rb", "x"])  # no closing mark
    return rng.choice(['"two words"', "two words", '"a"b"c', '"x",extra', "a,b,c"])


def _registry_line(rng, made):
    root = rng.choice(ROOTS)
    path = _key_path(rng, made)
    name = _registry_value_name(rng, path)
    fields = [root, _field(rng, path, QUOTED_KEY_PATHS),
              _field(rng, name, QUOTED_VALUE_NAMES) if name else name]
    if rng.random() < 0.25:  # a deletion: the line ends at field 3 or 4
        if rng.random() < 0.5:
            fields.append(rng.choice(["", "0", "1", "3"]))
        return ",".join(fields)
    made.append(path.strip())
    type_code = rng.choice(TYPE_CODES)
    fields += [type_code, _registry_data(rng, type_code)]
    return ",".join(fields)


def _long_line(rng, section_kind, names):
    """A line at the piece limit: 498, 499 or 500 characters before its end,
    whose next piece, when there is one, reads as a line of its own."""
    length = rng.choice([PIECE - 1, PIECE, PIECE + 1, PIECE + 6, 2 * PIECE + 3])
    if rng.random() < 0.3:
        start = ";"  # a comment of that length; its spill is not one
    elif section_kind == "registry":
        start = f"HKLM,{QVGEN}\\Long,Spill{length},0,x"
    elif section_kind == "disabled":
        start = "C5"
    else:
        start = f"{rng.choice(names)}={_number(rng)}"
    tail = rng.choice(["Tail=9", "[Spill]", "7e", f"HKLM,{QVGEN},Tail,0,t", "; spill", ""])
    text = _padded(rng, start, PIECE) if length > PIECE else start
    text = (text + tail)[:length] if length > PIECE else text
    return _padded(rng, text, length)[:length]


def country_file(seed, index):
    """The bytes of file number `index` of the series made from `seed`."""
    rng = random.Random(f"country-file/{seed}/{index}")
    out = _Writer(rng)
    vocabulary = rng.sample(CODES, 3)
    names = rng.sample(VALUE_NAMES, 4)
    made = []  # key paths written so far, for later deletions and case variants
    if rng.random() < 0.2:
        for _ in range(rng.randrange(1, 3)):
            out.add(rng.choice(["Gain=5", "; header", "b5", "[broken", ""]))
    # Some files make no country entry, so that qvsmzad deletes the Country
    # key at the end, with or without what registry lines put below it.
    weights = [5, 2, 3] if rng.random() < 0.75 else [0, 1, 4]
    for _ in range(rng.randrange(1, 7)):
        kind = rng.choices(["country", "disabled", "registry"], weights)[0]
        if kind == "country":
            name = _section_name(rng, vocabulary)
        elif kind == "disabled":
            name = rng.choice(["Disable_Country"] * 4 + ["Disabled_Country", "disable_country"])
        else:
            name = rng.choice(["Registry"] * 5 + ["Registry ", "registry"])
        header = f"[{name}]"
        r = rng.random()
        if r < 0.08:
            header = rng.choice(["  ", "\t"]) + header  # indented: a content line
        elif r < 0.16:
            header += rng.choice([" ; note", "x=1", " ", "]"])
        elif r < 0.2:
            header = header[:-1]  # no closing bracket: the line is passed over
        out.add(header)
        for _ in range(rng.randrange(0, 9)):
            if rng.random() < 0.04:
                out.add(_long_line(rng, kind, names))
            elif kind == "country":
                out.add(_country_line(rng, names))
            elif kind == "disabled":
                out.add(_disabled_line(rng))
            else:
                out.add(_registry_line(rng, made) if rng.random() < 0.9 else
                        rng.choice(["", "; HKLM,x,y,0,z", "  ;HKLM,SOFTWARE\\QvGen,C,0,c"]))
    return out.content()


def escaped(data):
    """The bytes as one line of Python bytes literal, for reports."""
    return repr(data)
