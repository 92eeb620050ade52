// One path of qvlint's command line: a medium directory, a qvsetup.ini or a
// country settings file.
#ifndef QVLINT_LINT_INPUT_H
#define QVLINT_LINT_INPUT_H

#include <string>

#include "finding.h"

// Checks what `path` names and hands every finding to `sink`:
// - "-" is a country settings file on standard input, named <stdin> in the
//   findings;
// - a directory is a medium: its qvsetup.ini, the country settings file
//   that qvsmzad reads by default, and those that its launch lists name;
// - a file named qvsetup.ini (in any letter case) is checked against the
//   files beside it;
// - any other file is a country settings file.
// The registry reads names in the ANSI code page `codePage`. Returns false,
// with `problem` saying why, when the input can not be read.
bool LintPath(const std::string& path, unsigned codePage, FindingSink* sink, std::string* problem);

#endif
