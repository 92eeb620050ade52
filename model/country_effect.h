// The effect of a country settings file: qvsmzad's own walk over the file,
// done on a registry in memory, with a journal of what each line did.
#ifndef MODEL_COUNTRY_EFFECT_H
#define MODEL_COUNTRY_EFFECT_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "registry_model.h"

enum EffectKind {
  kEffectKey,           // a section, disabled-code or registry-line key created or opened
  kEffectKeyRefused,    // the registry refused the key's path
  kEffectValueSet,      // a value written
  kEffectValueKept,     // type code 2 or 3 left an existing value alone
  kEffectValueDeleted,  // a deletion line removed a value
  kEffectValueRefused,  // the registry refused the value's name or data
  kEffectKeyFull,       // Windows 95: the key's values outgrow what one key holds
  kEffectNothing        // a deletion line found no key or no value
};

// What the registry work of one line did. `line` is the physical line.
struct LineEffect {
  unsigned line;
  EffectKind kind;
  std::string key;       // full name of the key as stored, or the path as asked
  std::string asked;     // the key's path or the value's name as the line gives it
  std::string stored;    // the value's name as stored
  PathFault fault;       // kEffectKeyRefused, kEffectValueRefused: why
  bool created;          // kEffectKey: the key is new
  unsigned earlierLine;  // the line that created the key or value before (0: none)
  const ModelKey* respelled;
  unsigned undocumented;  // Undocumented bits of the platform met here
  bool deleting;          // the work of a deletion line
};

// What the walk did, line by line.
struct CountryJournal {
  std::vector<LineEffect> journal;  // in the order of the work
  bool countryDeleted;              // no entry counted: the Country key was deleted
  unsigned lines;                   // physical lines read
};

struct CountryEffect : CountryJournal {
  RegistryModel model;
};

// The Country key's path below HKEY_LOCAL_MACHINE.
extern const char kCountryKeyPath[];

// Runs qvsmzad's walk over `file` (opened in binary) on an empty registry of
// `platform` whose names are in `codePage`; `now` (seconds since 1970) is
// the run's time for its stamp.
void ModelCountryFile(FILE* file, RegistryPlatform platform, unsigned codePage, int64_t now,
                      CountryEffect* effect);

// Runs the same walk on `model` as it stands: qvsmzad.exe started on a
// simulated machine, whose registry holds what was there before.
void WalkCountryFileOnModel(FILE* file, RegistryModel* model, int64_t now, CountryJournal* journal);

// The Country key of the model, or nullptr when it is gone.
const ModelKey* ModelCountryKey(const CountryEffect& effect);

#endif
