// Findings that the model of qvsmzad shows: keys and values that the
// registry reaches otherwise than the file reads, or refuses, points that a
// family's documentation leaves open, and a run that deletes every country
// setting. The model runs once per registry platform.
#ifndef QVLINT_EFFECT_CHECK_H
#define QVLINT_EFFECT_CHECK_H

#include <cstdio>
#include <string>

#include "country_effect.h"
#include "finding.h"

struct EffectCheck {
  const FindingPlace* place;
  CountryEffect effects[kPlatformCount];  // by RegistryPlatform
};

// Runs the model on `file` (opened in binary) for every platform, with
// names in `codePage`, and rewinds it.
void StartEffectCheck(FILE* file, unsigned codePage, const FindingPlace& place, EffectCheck* check);

// The first content line of a section (`line`; its header at `headerLine`):
// the key that the line opened or the registry refused.
void CheckSectionKey(const EffectCheck& check, const char* section, unsigned headerLine,
                     unsigned line);

// The values that a line wrote: under an earlier value's name in another
// case, refused, or beyond what one key holds; and a Registry line's key,
// kept values and deletion.
void CheckValueNames(const EffectCheck& check, unsigned line);
void CheckRegistryLineEffect(const EffectCheck& check, unsigned line);

// Whether the registry work of the model did anything at `line`.
bool LineHasEffect(const EffectCheck& check, unsigned line);

// The line before `line` that wrote `name` in the key that `line` writes
// into, or 0.
unsigned EarlierValueLine(const EffectCheck& check, unsigned line, const std::string& name);

// The Country key deleted at the end although `data` (the whole file) holds
// something that looks like a country setting.
void CheckCountryKeyKept(const EffectCheck& check, const std::string& data);

#endif
