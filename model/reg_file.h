// REGEDIT4 text read into a registry model, and a model written as REGEDIT4.
// Read: what a machine holds below
// HKEY_LOCAL_MACHINE before a run. It reads what regedit writes and what
// qvlint --effect writes: "[HKEY_LOCAL_MACHINE\path]" (HKLM for short) and
// "[-...]" for a tree removed; "name"=, or @= for the unnamed value, with
// "text" (escapes \\ \" \n \r), dword:xxxxxxxx, hex:bytes, hex(N):bytes of
// type N, or - for a removal; hex lines continued by a trailing backslash;
// ";" comments. Keys of other roots are passed over.
#ifndef MODEL_REG_FILE_H
#define MODEL_REG_FILE_H

#include <cstdio>
#include <string>

#include "registry_model.h"

// False, with the number of the first line that it can not read, for text
// that is no REGEDIT4 file; what came before that line stays.
bool ReadRegedit4(const std::string& text, RegistryModel* registry, unsigned* badLine);

// The bytes of REGEDIT4's hexadecimal data ("43,3a,5c"; blanks allowed);
// false for text that holds anything else.
bool ReadHexBytes(const std::string& text, std::string* bytes);

// The keys of `model` as REGEDIT4 sections, in the order of creation: each
// key that holds values or removed values ("name"=-), or has no subkeys,
// with its values (RegeditData). Returns false when a key or value name
// holds a line break: such a name is left out with a comment.
bool PrintRegistryKeys(const RegistryModel& model, FILE* stream);

// A value's data as a REGEDIT4 line writes it after "=": a string in
// quotation marks (the bytes of hex(1): when it holds a control
// character), dword: for a four-byte number, hex: for bytes, hex(N): for
// the data of any other type.
std::string RegeditData(unsigned long type, const std::string& bytes);

// Bytes in hexadecimal digits, two a byte, with `separator` between bytes.
std::string HexText(const std::string& bytes, const char* separator);

// Bytes as REGEDIT4's hexadecimal data after `kind` ("hex:", "hex(2):").
std::string RegeditHex(const char* kind, const std::string& bytes);

// A value name or a string as REGEDIT4 writes it between quotation marks:
// only the backslash and the quotation mark are escaped.
std::string RegeditQuoted(const std::string& text);

#endif
