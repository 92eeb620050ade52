// Checks of single content lines of the country settings file, by section.
#ifndef QVLINT_COUNTRY_LINES_H
#define QVLINT_COUNTRY_LINES_H

#include "effect_check.h"
#include "finding.h"

// Each takes the `text` that qvsmzad reads as a line, which starts at
// `column` of the physical line `line`: 1, or further on for the later pieces
// of a line over 499 characters.

// A line of a country section (`section` names it); `effect` tells what
// the line meets in the registry.
void LintCountryValueLine(const FindingPlace& place, unsigned line, unsigned column,
                          const char* text, const char* section, const EffectCheck& effect);

// A line of the Disable_Country section.
void LintDisabledLine(const FindingPlace& place, unsigned line, unsigned column, const char* text);

// A line of the Registry section.
void LintRegistryLine(const FindingPlace& place, unsigned line, unsigned column, const char* text);

#endif
