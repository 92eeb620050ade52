// REGEDIT4 text read into a registry model: what a machine holds below
// HKEY_LOCAL_MACHINE before a run. It reads what regedit writes and what
// qvlint --effect writes: "[HKEY_LOCAL_MACHINE\path]" (HKLM for short) and
// "[-...]" for a tree removed; "name"=, or @= for the unnamed value, with
// "text" (escapes \\ \" \n \r), dword:xxxxxxxx, hex:bytes, hex(N):bytes of
// type N, or - for a removal; hex lines continued by a trailing backslash;
// ";" comments. Keys of other roots are passed over.
#ifndef SIMULATOR_REG_FILE_H
#define SIMULATOR_REG_FILE_H

#include <string>

#include "registry_model.h"

// False, with the number of the first line that it can not read, for text
// that is no REGEDIT4 file; what came before that line stays.
bool ReadRegedit4(const std::string& text, RegistryModel* registry, unsigned* badLine);

// The bytes of REGEDIT4's hexadecimal data ("43,3a,5c"; blanks allowed);
// false for text that holds anything else.
bool ReadHexBytes(const std::string& text, std::string* bytes);

#endif
