// Checks of single content lines of the country settings file, by section.
#ifndef QVLINT_COUNTRY_LINES_H
#define QVLINT_COUNTRY_LINES_H

#include "effect_check.h"
#include "finding.h"

// A line of a country section (`section` names it); `effect` tells what
// the line meets in the registry.
void LintCountryValueLine(const FindingPlace& place, unsigned line, const char* text,
                          const char* section, const EffectCheck& effect);

// A line of the Disable_Country section.
void LintDisabledLine(const FindingPlace& place, unsigned line, const char* text);

// A line of the Registry section.
void LintRegistryLine(const FindingPlace& place, unsigned line, const char* text);

#endif
