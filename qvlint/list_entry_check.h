// Checks of single entries of the copy and launch lists of qvsetup.ini.
#ifndef QVLINT_LIST_ENTRY_CHECK_H
#define QVLINT_LIST_ENTRY_CHECK_H

#include <string>
#include <vector>

#include "finding.h"
#include "medium_files.h"

// The directories that an entry is formed against. The target machine's
// are not known here; typical ones stand in for them in the length limits.
struct ListDirs {
  const char* systemDir;
  const char* windowsDir;
};

// Each entry `value` starts at `column` of its line; the findings on it
// start there.

// `medium` holds qvsetup.ini: setup takes the listed files from there.
void LintCopyEntry(const FindingPlace& place, unsigned line, unsigned column,
                   const std::string& value, const ListDirs& dirs, const MediumDir& medium);

// Appends to `countryFiles` the country settings file on the medium that the
// entry has qvsmzad read, when it starts qvsmzad from the medium.
void LintLaunchEntry(const FindingPlace& place, unsigned line, unsigned column,
                     const std::string& value, const ListDirs& dirs, const MediumDir& medium,
                     std::vector<std::string>* countryFiles);

#endif
