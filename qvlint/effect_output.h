// The effect of a country settings file written as a REGEDIT4 file: what
// regedit must import to give the registry that qvsmzad leaves.
#ifndef QVLINT_EFFECT_OUTPUT_H
#define QVLINT_EFFECT_OUTPUT_H

#include <cstdio>
#include <string>

#include "country_effect.h"

// Writes the file (CR LF line ends) to `stream`: a comment block with what
// it assumes, the removal of the Country key, as qvsmzad first empties it,
// then every key that the run leaves with its values, in the order of
// creation, and the values that deletion lines remove from a key that
// stays. Returns false when a key or value name holds a line break, which a
// REGEDIT4 file can not express: such a name is left out with a comment.
bool PrintCountryEffect(const CountryEffect& effect, FILE* stream);

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

// Bytes as REGEDIT4's hexadecimal data after `kind` ("hex:", "hex(2):").
std::string RegeditHex(const char* kind, const std::string& bytes);

// A value name or a string as REGEDIT4 writes it between quotation marks:
// only the backslash and the quotation mark are escaped.
std::string RegeditQuoted(const std::string& text);

#endif
