// The country settings file, checked line by line as qvsmzad reads it.
#ifndef QVLINT_COUNTRY_FILE_CHECK_H
#define QVLINT_COUNTRY_FILE_CHECK_H

#include <cstdio>

#include "finding.h"

// Checks `file` (opened in binary, at its start) and reports every line
// that qvsmzad passes over or reads otherwise than it looks; the registry
// reads names in the ANSI code page `codePage`.
void LintCountryFile(FILE* file, unsigned codePage, const FindingPlace& place);

#endif
