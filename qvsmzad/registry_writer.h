// The registry effects of the lines of the country settings file.
#ifndef QVSMZAD_REGISTRY_WRITER_H
#define QVSMZAD_REGISTRY_WRITER_H

#include <windows.h>

#include "country_line.h"
#include "registry_line.h"

// Sets "HomolTimeStamp" beside the Country key to the current time.
void WriteTimeStamp();

// Opens the Country key and removes its subkeys, or creates it when it does
// not exist. Returns nullptr when neither succeeds.
HKEY ResetCountryKey();

// Deletes the Country key (used when the run created nothing below it).
void DeleteCountryKey();

// Creates or opens `path` below `parent` for writing; nullptr on failure.
HKEY CreateWritableKey(HKEY parent, const char* path);

// Writes the value of a CountryValue and, when it has them, its bounds.
void WriteCountryValue(HKEY sectionKey, const CountryValue& value);

// Creates "Disabled\<code>" below the Country key and closes it again.
void CreateDisabledKey(HKEY countryKey, const char* code);

// Deletes or writes the value that a valid RegistryLine names.
void ApplyRegistryLine(const RegistryLine& line);

#endif
