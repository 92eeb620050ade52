"""Every program on the medium is a PE32 i386 GUI program for subsystem 4.0,
stripped, importing only system DLLs and msvcrt.dll."""

import os
import struct
import unittest

MEDIUM = os.environ["BENCH_MEDIUM"]
ALLOWED_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "comctl32.dll",
                "msvcrt.dll"}


class PortableExecutable:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        if self.data[pe:pe + 4] != b"PE\0\0":
            raise ValueError(f"{path} is no PE file")
        (self.machine, sections, _, self.symbol_table, _, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", self.data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", self.data, optional)[0]
        self.subsystem_version = struct.unpack_from("<HH", self.data, optional + 48)
        self.subsystem = struct.unpack_from("<H", self.data, optional + 68)[0]
        self.import_rva = struct.unpack_from("<I", self.data, optional + 104)[0]
        self.sections = [struct.unpack_from("<8sIIII", self.data, optional + optional_size + 40 * i)
                         for i in range(sections)]

    def offset(self, rva):
        for _, size, address, raw_size, raw_pointer in self.sections:
            if address <= rva < address + max(size, raw_size):
                return rva - address + raw_pointer
        raise ValueError(f"RVA {rva:#x} in no section")

    def text_at(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("latin-1")

    def imported_dlls(self):
        dlls, entry = [], self.offset(self.import_rva)
        while True:
            name_rva = struct.unpack_from("<IIIII", self.data, entry)[3]
            if name_rva == 0:
                return dlls
            dlls.append(self.text_at(name_rva).lower())
            entry += 20


def medium_programs():
    return sorted(f for f in os.listdir(MEDIUM) if f.lower().endswith(".exe"))


class MediumPrograms(unittest.TestCase):
    def test_the_medium_holds_setup(self):
        self.assertIn("setup.exe", medium_programs())

    def test_every_program_is_a_stripped_pe32_gui_program_for_windows_4(self):
        for name in medium_programs():
            with self.subTest(program=name):
                exe = PortableExecutable(os.path.join(MEDIUM, name))
                self.assertEqual(0x10B, exe.magic, "PE32")
                self.assertEqual(0x14C, exe.machine, "i386")
                self.assertEqual(2, exe.subsystem, "GUI subsystem")
                self.assertEqual((4, 0), exe.subsystem_version)
                self.assertEqual(0, exe.symbol_table, "stripped")
                self.assertLessEqual(set(exe.imported_dlls()), ALLOWED_DLLS)


if __name__ == "__main__":
    unittest.main()
