// A registry export that regedit wrote, as the machine of a plan starts
// with it: REGEDIT4 (the ANSI text of Windows 95 to NT 4.0) or "Windows
// Registry Editor Version 5.00" (UTF-16LE with a byte-order mark, as the
// regedit of Windows 2000 writes it, its string data of types 1, 2 and 7
// in UTF-16LE too). Both become REGEDIT4 text in the ANSI code page, which
// the simulator's reader takes; only the keys of HKEY_LOCAL_MACHINE count,
// those of other roots are passed over with a note.
#ifndef MODEL_REGISTRY_EXPORT_H
#define MODEL_REGISTRY_EXPORT_H

#include <string>
#include <vector>

struct MachineExport {
  // One line for each line of the export, continued lines joined into the
  // first and followed by empty ones, so that line numbers stay.
  std::string regedit4;
  std::vector<std::string> notes;  // what was passed over
};

// False, with `problem` saying why, for bytes that are no registry export.
bool ConvertRegistryExport(const std::string& bytes, MachineExport* converted,
                           std::string* problem);

#endif
