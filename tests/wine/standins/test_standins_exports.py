"""The stand-in libraries on the medium export exactly the entries of their
contract, by undecorated name, and the medium carries every helper program
that their effects start."""

import os
import struct
import unittest

from bench import MEDIUM

LIBRARY_ENTRIES = {
    "QVSETUP1.DLL": {"UpdateNT5Device", "InstallClassDevice"},
    "QVSETUP2.DLL": {"RefreshWin2K", "RemoveModem", "WDMDeleteDevice", "RemoveDisabledModem",
                     "DeleteOtherDevice", "RemovePort", "RemoveNTService", "GetInfByPci", "NTGetINF",
                     "GetHardWareId"},
}
HELPER_PROGRAMS = ("qvsetup3.exe", "standin_record.exe", "standin_service.exe")


def exported_names(path):
    with open(path, "rb") as f:
        data = f.read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections_count = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    export_rva = struct.unpack_from("<I", data, optional + 96)[0]
    sections = [struct.unpack_from("<IIII", data, optional + optional_size + 40 * i + 8)
                for i in range(sections_count)]

    def offset(rva):
        for size, address, raw_size, raw_pointer in sections:
            if address <= rva < address + max(size, raw_size):
                return rva - address + raw_pointer
        raise ValueError(f"RVA {rva:#x} in no section")

    directory = offset(export_rva)
    names_count = struct.unpack_from("<I", data, directory + 24)[0]
    names_rva = struct.unpack_from("<I", data, directory + 32)[0]
    names = []
    for i in range(names_count):
        start = offset(struct.unpack_from("<I", data, offset(names_rva) + 4 * i)[0])
        names.append(data[start:data.index(b"\0", start)].decode("latin-1"))
    return names


class Exports(unittest.TestCase):
    def test_each_library_exports_exactly_its_entries_undecorated(self):
        for library, entries in LIBRARY_ENTRIES.items():
            with self.subTest(library=library):
                names = exported_names(os.path.join(MEDIUM, library))
                self.assertEqual(sorted(entries), sorted(names))

    def test_the_helper_programs_are_on_the_medium(self):
        for program in HELPER_PROGRAMS:
            self.assertTrue(os.path.exists(os.path.join(MEDIUM, program)), program)


if __name__ == "__main__":
    unittest.main()
