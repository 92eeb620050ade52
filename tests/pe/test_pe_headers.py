"""Every program on the medium is a PE32 i386 GUI program for subsystem 4.0,
stripped, importing only system DLLs and msvcrt.dll; every program and DLL
imports only functions that Windows NT 4.0 exports, and the programs that run
on the Windows 95 family only functions that Windows 95 exports (reviewed
lists beside this file).

A gap that no import list can show: a fresh Windows 95 (before OSR2) has no
msvcrt.dll, which every program imports; it comes with the runtime
redistribution that Windows 95 machines carry and with every later Windows."""

import os
import re
import struct
import unittest

MEDIUM = os.environ["BENCH_MEDIUM"]
ALLOWED_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "comctl32.dll",
                "msvcrt.dll"}
HERE = os.path.dirname(os.path.abspath(__file__))
# Programs that run on the Windows 95 family. setup.exe alone may import the
# functions that Windows 95 exports only as failing stubs: it calls them on
# Windows NT only.
WIN95_PROGRAMS = {"setup.exe": True, "qvsmzad.exe": False, "qvremove.exe": False}
ORDINAL_FLAG = 0x80000000


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

    def import_descriptors(self):
        """(dll name in lower case, RVA of its lookup table) per imported DLL."""
        descriptors, entry = [], self.offset(self.import_rva)
        while True:
            lookup_rva, _, _, name_rva, address_rva = struct.unpack_from("<IIIII", self.data, entry)
            if name_rva == 0:
                return descriptors
            descriptors.append((self.text_at(name_rva).lower(), lookup_rva or address_rva))
            entry += 20

    def imported_dlls(self):
        return [dll for dll, _ in self.import_descriptors()]

    def imported_functions(self):
        """(dll, function name) per import; an import by ordinal gives "#<ordinal>"."""
        functions = []
        for dll, lookup_rva in self.import_descriptors():
            entry = self.offset(lookup_rva)
            while True:
                thunk = struct.unpack_from("<I", self.data, entry)[0]
                if thunk == 0:
                    break
                if thunk & ORDINAL_FLAG:
                    functions.append((dll, f"#{thunk & 0xFFFF}"))
                else:
                    functions.append((dll, self.text_at(thunk + 2)))  # past the 16-bit hint
                entry += 4
        return functions


def reviewed_functions(file_name):
    """{(dll, function): is a stub} from a reviewed list beside this file."""
    functions, dll = {}, None
    with open(os.path.join(HERE, file_name), encoding="ascii") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            section = re.fullmatch(r"\[(\S+)\]", line)
            if section:
                dll = section.group(1).lower()
                continue
            words = line.split()
            if dll is None or len(words) > 2 or words[1:] not in ([], ["stub"]):
                raise ValueError(f"{file_name}: unreadable line {line!r}")
            functions[(dll, words[0])] = words[1:] == ["stub"]
    return functions


def not_allowed(imports, reviewed, stubs_allowed):
    """The imports that the reviewed list does not allow, as "dll!function"."""
    return sorted(f"{dll}!{name}" for dll, name in imports
                  if (dll, name) not in reviewed or (reviewed[(dll, name)] and not stubs_allowed))


def medium_programs():
    return sorted(f for f in os.listdir(MEDIUM) if f.lower().endswith(".exe"))


def medium_modules():
    """The programs and the DLLs on the medium that are PE files (a
    placeholder driver DLL is plain text)."""
    modules = []
    for name in sorted(os.listdir(MEDIUM)):
        if name.lower().endswith((".exe", ".dll")):
            with open(os.path.join(MEDIUM, name), "rb") as f:
                if f.read(2) == b"MZ":
                    modules.append(name)
    return modules


class MediumPrograms(unittest.TestCase):
    def test_the_medium_holds_setup(self):
        self.assertIn("setup.exe", medium_programs())

    def test_every_program_and_dll_is_a_stripped_pe32_gui_module_for_windows_4(self):
        for name in medium_modules():
            with self.subTest(module=name):
                exe = PortableExecutable(os.path.join(MEDIUM, name))
                self.assertEqual(0x10B, exe.magic, "PE32")
                self.assertEqual(0x14C, exe.machine, "i386")
                self.assertEqual(2, exe.subsystem, "GUI subsystem")
                self.assertEqual((4, 0), exe.subsystem_version)
                self.assertEqual(0, exe.symbol_table, "stripped")
                self.assertLessEqual(set(exe.imported_dlls()), ALLOWED_DLLS)


class ImportedFunctions(unittest.TestCase):
    def test_the_import_tables_are_read_by_name(self):
        imports = PortableExecutable(os.path.join(MEDIUM, "setup.exe")).imported_functions()
        self.assertIn(("kernel32.dll", "GetVersionExA"), imports)
        self.assertIn(("advapi32.dll", "RegSetValueExA"), imports)
        self.assertIn(("msvcrt.dll", "__getmainargs"), imports)

    def test_the_medium_holds_the_setup_libraries_as_dlls(self):
        self.assertLessEqual({"QVSETUP1.DLL", "QVSETUP2.DLL"}, set(medium_modules()))

    def test_every_module_imports_only_functions_of_windows_nt_4(self):
        reviewed = reviewed_functions("nt4_functions.txt")
        for name in medium_modules():
            with self.subTest(module=name):
                imports = PortableExecutable(os.path.join(MEDIUM, name)).imported_functions()
                self.assertEqual([], not_allowed(imports, reviewed, stubs_allowed=True))

    def test_the_windows_95_programs_import_only_functions_of_windows_95(self):
        reviewed = reviewed_functions("win95_functions.txt")
        for name, stubs_allowed in sorted(WIN95_PROGRAMS.items()):
            with self.subTest(program=name):
                imports = PortableExecutable(os.path.join(MEDIUM, name)).imported_functions()
                self.assertEqual([], not_allowed(imports, reviewed, stubs_allowed))

    def test_a_stub_is_refused_where_stubs_are_not_allowed(self):
        reviewed = {("kernel32.dll", "GetVersion"): False, ("advapi32.dll", "OpenProcessToken"): True}
        imports = [("kernel32.dll", "GetVersion"), ("advapi32.dll", "OpenProcessToken"),
                   ("kernel32.dll", "GetFileAttributesExA"), ("user32.dll", "#42")]
        self.assertEqual(["kernel32.dll!GetFileAttributesExA", "user32.dll!#42"],
                         not_allowed(imports, reviewed, stubs_allowed=True))
        self.assertEqual(["advapi32.dll!OpenProcessToken", "kernel32.dll!GetFileAttributesExA",
                          "user32.dll!#42"], not_allowed(imports, reviewed, stubs_allowed=False))

    def test_the_reviewed_lists_are_readable_and_stubs_exist_only_for_windows_95(self):
        win95, nt4 = reviewed_functions("win95_functions.txt"), reviewed_functions("nt4_functions.txt")
        self.assertFalse(any(nt4.values()), "Windows NT 4.0 has no stubs on its list")
        # What Windows 95 exports, the NT 4.0 list (a superset) must hold too.
        self.assertEqual(set(), set(win95) - set(nt4))


if __name__ == "__main__":
    unittest.main()
