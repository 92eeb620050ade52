// The walk of one run over the country settings file: which registry work
// each line asks for, in file order. qvsmzad does that work on the registry;
// qvlint's model does it in memory, so both follow the same walk.
#ifndef QVSMZAD_APPLY_COUNTRY_FILE_RULES_H
#define QVSMZAD_APPLY_COUNTRY_FILE_RULES_H

#include <cstddef>
#include <cstdio>

#include "country_line.h"
#include "registry_line.h"

// The registry work of a run. A section key is an opaque handle of the
// doer's own; nullptr stands for a key that could not be created.
struct CountryRegistryWork {
  void* context;
  void (*writeTimeStamp)(void* context);
  // Opens the Country key and removes its subkeys, or creates it; false when
  // neither succeeds.
  bool (*resetCountryKey)(void* context);
  void* (*createSectionKey)(void* context, const char* section);
  void (*closeSectionKey)(void* context, void* sectionKey);
  void (*writeCountryValue)(void* context, void* sectionKey, const CountryValue& value);
  void (*createDisabledKey)(void* context, const char* code);
  void (*applyRegistryLine)(void* context, const RegistryLine& line);
  void (*closeCountryKey)(void* context);
  void (*deleteCountryKey)(void* context);
  // Told of every piece of a line before it is acted on, with the number of
  // the physical line it belongs to and its length (zero bytes included);
  // may be nullptr.
  void (*takePiece)(void* context, const char* piece, size_t length, unsigned line);
};

// Stamps the run, resets the Country key, acts on every line of `file` (as
// OpenCountryFile returned it) and, when no section or disabled-code key was
// created, deletes the Country key.
void WalkCountryFile(FILE* file, const CountryRegistryWork& work);

#endif
