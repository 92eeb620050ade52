"""setup.exe carries its resources: the string table (ids 1 to 3 in 19
languages, UTF-16 texts), the welcome, restart and progress dialogs with
their controls, and the modem icon in 16 x 16 and 32 x 32."""

import os
import struct
import sys
import unittest

from test_pe_headers import MEDIUM, PortableExecutable

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "wine"))
from bench.languages import TEXTS as LANGUAGES  # noqa: E402

RT_ICON, RT_DIALOG, RT_STRING, RT_GROUP_ICON = 3, 5, 6, 14
SUBDIRECTORY = 0x80000000
# The predefined window classes that a template may name by ordinal.
CLASS_ORDINALS = {0x80: "BUTTON", 0x81: "EDIT", 0x82: "STATIC"}
BUTTON, EDIT, STATIC = "BUTTON", "EDIT", "STATIC"
WS_POPUP, WS_VISIBLE, WS_CAPTION, WS_SYSMENU = 0x80000000, 0x10000000, 0x00C00000, 0x00080000
DS_SYSMODAL, DS_MODALFRAME, DS_SETFONT, DS_CENTER = 0x02, 0x80, 0x40, 0x800
ES_CENTER, ES_MULTILINE, ES_READONLY = 0x1, 0x4, 0x800
BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_OWNERDRAW, SS_ICON = 0x0, 0x1, 0xB, 0x3
MODEM_ICON = 101

# Language id: strings 1, 2 and 3.
TEXTS = {language: texts[1:] for language, texts in LANGUAGES.items()}

# The dialogs: template kind, style bits that must be set and that must be
# clear, rectangle, and the controls in order as (class, id or None for any,
# rectangle (x, y, width, height; the size may be left open), title, style
# bits that must be set, that must be clear, and the control's type in its
# low style bits or None).
FRAME = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER | DS_SETFONT
DIALOGS = {
    102: ("DIALOG", FRAME | WS_SYSMENU, WS_VISIBLE | DS_SYSMODAL, (0, 0, 234, 50), [
        (STATIC, None, (5, 5, 20, 20), MODEM_ICON, WS_VISIBLE, 0, SS_ICON),
        (EDIT, 1000, (30, 10, 190, 12), "", WS_VISIBLE | ES_CENTER | ES_READONLY, ES_MULTILINE,
         None),
        (BUTTON, 1, (40, 30, 50, 14), "&OK", WS_VISIBLE, 0, BS_DEFPUSHBUTTON),
        (BUTTON, 2, (145, 30, 50, 14), "&Cancel", WS_VISIBLE, 0, BS_PUSHBUTTON)]),
    103: ("DIALOGEX", FRAME | WS_SYSMENU | WS_VISIBLE | DS_SYSMODAL, 0, (0, 0, 267, 54), [
        (BUTTON, 1, (73, 33, 50, 14), "&OK", WS_VISIBLE, 0, BS_PUSHBUTTON),
        (BUTTON, 2, (138, 33, 50, 14), "&Cancel", WS_VISIBLE, 0, BS_PUSHBUTTON),
        (EDIT, 1001, (30, 10, 225, 19), "", WS_VISIBLE | ES_MULTILINE | ES_READONLY, 0, None),
        (STATIC, None, (5, 5), MODEM_ICON, WS_VISIBLE, 0, SS_ICON)]),
    104: ("DIALOG", FRAME | WS_VISIBLE, WS_SYSMENU | DS_SYSMODAL, (0, 0, 234, 43), [
        (BUTTON, 1, (221, 30, 6, 6), "OK", 0, WS_VISIBLE, BS_OWNERDRAW),
        (EDIT, 1002, (25, 10, 188, 12), "", WS_VISIBLE | ES_CENTER | ES_READONLY, ES_MULTILINE,
         None),
        (STATIC, None, (5, 5), MODEM_ICON, WS_VISIBLE, 0, SS_ICON),
        ("msctls_progress32", 1011, (19, 26, 201, 8), "", WS_VISIBLE, 0, None)]),
}


def resources(exe):
    """{(type, name, language): data} of a PE file's resource directory."""
    pe = struct.unpack_from("<I", exe.data, 0x3C)[0]
    rva = struct.unpack_from("<I", exe.data, pe + 24 + 112)[0]  # data directory entry 2
    base = exe.offset(rva)

    def entries(offset):
        named, numbered = struct.unpack_from("<HH", exe.data, base + offset + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", exe.data, base + offset + 16 + 8 * i)
            yield name, target

    found = {}
    for kind, names in entries(0):
        for name, languages in entries(names & ~SUBDIRECTORY):
            for language, leaf in entries(languages & ~SUBDIRECTORY):
                if leaf & SUBDIRECTORY:
                    raise ValueError("a fourth directory level")
                data_rva, size = struct.unpack_from("<II", exe.data, base + leaf)
                start = exe.offset(data_rva)
                found[(kind, name, language)] = exe.data[start:start + size]
    return found


def string_block(texts):
    """The string table block of ids 0 to 15 holding the texts as ids 1 to 3."""
    strings = [""] + list(texts) + [""] * 12
    return b"".join(struct.pack("<H", len(s.encode("utf-16-le")) // 2) + s.encode("utf-16-le")
                    for s in strings)


def block_strings(block):
    """The 16 strings of a string table block; the block must end with them."""
    strings, at = [], 0
    for _ in range(16):
        length = struct.unpack_from("<H", block, at)[0]
        strings.append(block[at + 2:at + 2 + 2 * length].decode("utf-16-le"))
        at += 2 + 2 * length
    if at != len(block):
        raise ValueError("the block does not end with its 16 strings")
    return strings


class Template:
    """Reads a dialog template field by field."""

    def __init__(self, data):
        self.data, self.at = data, 0

    def take(self, layout):
        values = struct.unpack_from(layout, self.data, self.at)
        self.at += struct.calcsize(layout)
        return values if len(values) > 1 else values[0]

    def text(self):
        end = self.at
        while self.data[end:end + 2] != b"\0\0":
            end += 2
        text = self.data[self.at:end].decode("utf-16-le")
        self.at = end + 2
        return text

    def text_or_ordinal(self):
        first = struct.unpack_from("<H", self.data, self.at)[0]
        if first == 0xFFFF:
            self.at += 2
            return self.take("<H")
        return self.text()

    def align(self):
        self.at = (self.at + 3) & ~3


def read_dialog(data):
    """(kind, style, rectangle, caption, font, controls) of a dialog template;
    a control is (class, id, rectangle, title, style)."""
    t = Template(data)
    extended = data[:4] == b"\1\0\xff\xff"
    if extended:
        _, _, _, _, style, count, *rect = t.take("<HHIIIHhhhh")
    else:
        style, _, count, *rect = t.take("<IIHhhhh")
    menu, window_class, caption = t.text_or_ordinal(), t.text_or_ordinal(), t.text()
    font = None
    if style & DS_SETFONT:
        size = t.take("<H")
        if extended:
            t.take("<HBB")  # weight, italic, character set
        font = (size, t.text())
    if menu or window_class:
        raise ValueError("a dialog with a menu or its own window class")
    controls = []
    for _ in range(count):
        t.align()
        if extended:
            _, _, item_style, x, y, cx, cy, item_id = t.take("<IIIhhhhI")
        else:
            item_style, _, x, y, cx, cy, item_id = t.take("<IIhhhhH")
        item_class, title = t.text_or_ordinal(), t.text_or_ordinal()
        creation_data = t.take("<H")
        t.at += creation_data
        controls.append((item_class, item_id & 0xFFFF, (x, y, cx, cy), title, item_style))
    return ("DIALOGEX" if extended else "DIALOG"), style, tuple(rect), caption, font, controls


def icon_images(data):
    """(width, height, bits per pixel, size, image id) per entry of a group icon."""
    _, kind, count = struct.unpack_from("<HHH", data)
    if kind != 1:
        raise ValueError("not an icon group")
    images = []
    for i in range(count):
        entry = struct.unpack_from("<BBBBHHIH", data, 6 + 14 * i)
        width, height, _, _, _, bits, size, image = entry
        images.append((width, height, bits, size, image))
    return images


class SetupResources(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.resources = resources(PortableExecutable(os.path.join(MEDIUM, "setup.exe")))

    def kinds(self, kind):
        return {(name, language): data
                for (k, name, language), data in self.resources.items() if k == kind}

    def test_the_string_table_holds_ids_1_to_3_in_exactly_the_19_languages(self):
        blocks = self.kinds(RT_STRING)
        self.assertEqual({1}, {name for name, _ in blocks}, "only the block of ids 0 to 15")
        self.assertEqual(sorted(TEXTS), sorted(language for _, language in blocks))

    def test_every_language_has_exactly_its_texts(self):
        blocks = self.kinds(RT_STRING)
        for language, texts in sorted(TEXTS.items()):
            with self.subTest(language=f"{language:#06x}"):
                block = blocks[(1, language)]
                self.assertEqual([""] + list(texts) + [""] * 12, block_strings(block))
                self.assertEqual(string_block(texts), block, "UTF-16 bytes")

    def test_the_dialogs_have_their_templates_and_controls(self):
        dialogs = self.kinds(RT_DIALOG)
        self.assertEqual(sorted(DIALOGS), sorted(name for name, _ in dialogs))
        for (name, language), data in sorted(dialogs.items()):
            kind, style_set, style_clear, rect, expected_controls = DIALOGS[name]
            with self.subTest(dialog=name):
                self.assertEqual(0, language, "language neutral")
                found_kind, style, found_rect, caption, font, controls = read_dialog(data)
                self.assertEqual((kind, rect, "Modem", (8, "System")),
                                 (found_kind, found_rect, caption, font))
                self.assertEqual(style_set, style & style_set, f"style {style:#x}")
                self.assertEqual(0, style & style_clear, f"style {style:#x}")
                self.assertEqual(len(expected_controls), len(controls))
                for expected, control in zip(expected_controls, controls):
                    self.assert_control(expected, control)

    def assert_control(self, expected, control):
        window_class, control_id, rect, title, style_set, style_clear, control_type = expected
        found_class, found_id, found_rect, found_title, style = control
        with self.subTest(control=control_id or title):
            # Window class lookup ignores case; the resource compiler writes capitals.
            self.assertEqual(window_class.upper(), CLASS_ORDINALS.get(found_class,
                                                                      str(found_class)).upper())
            if control_id is not None:
                self.assertEqual(control_id, found_id)
            self.assertEqual(rect, found_rect[:len(rect)])
            self.assertEqual(title, found_title)
            self.assertEqual(style_set, style & style_set, f"style {style:#x}")
            self.assertEqual(0, style & style_clear, f"style {style:#x}")
            if control_type is not None:
                type_mask = 0x1F if window_class == STATIC else 0xF
                self.assertEqual(control_type, style & type_mask, f"style {style:#x}")

    def test_the_modem_icon_has_16_and_32_pixel_images_that_windows_95_shows(self):
        groups = self.kinds(RT_GROUP_ICON)
        self.assertEqual([MODEM_ICON], [name for name, _ in groups])
        images = self.kinds(RT_ICON)
        entries = icon_images(next(iter(groups.values())))
        self.assertLessEqual({16, 32}, {width for width, _, _, _, _ in entries})
        for width, height, bits, size, image in entries:
            with self.subTest(image=f"{width}x{height}"):
                data = [d for (name, _), d in images.items() if name == image]
                self.assertEqual(1, len(data))
                self.assertEqual(size, len(data[0]))
                self.assertIn(bits, (4, 8))
                header = struct.unpack_from("<IiiHH", data[0])
                self.assertEqual((40, width, 2 * height, 1, bits), header)
                self.assertGreaterEqual(len(colours_used(data[0], width, height, bits)), 4,
                                        "a picture, not a plain square")


def colours_used(image, width, height, bits):
    """The palette indices in a 4-bit or 8-bit icon image's colour bits."""
    start, row = 40 + 4 * (1 << bits), (bits * width + 31) // 32 * 4
    used = set()
    for y in range(height):
        pixels = image[start + y * row:start + y * row + bits * width // 8]
        if bits == 4:
            used.update(index for byte in pixels for index in (byte >> 4, byte & 0xF))
        else:
            used.update(pixels)
    return used


if __name__ == "__main__":
    unittest.main()
