// qvsetup.ini, checked as setup reads it: its sections, the yes/no options
// and the copy and launch lists.
#ifndef QVLINT_SETUP_INI_CHECK_H
#define QVLINT_SETUP_INI_CHECK_H

#include <string>
#include <vector>

#include "finding.h"
#include "medium_files.h"

// Checks the file's `text`; `medium` is the directory that holds it.
// Appends to `countryFiles` the country settings files on the medium that
// the launch lists have qvsmzad read.
void LintSetupIni(const std::string& text, const FindingPlace& place, const MediumDir& medium,
                  std::vector<std::string>* countryFiles);

#endif
