// One path of qvlint's command line: a medium directory, a qvsetup.ini or a
// country settings file.
#ifndef QVLINT_LINT_INPUT_H
#define QVLINT_LINT_INPUT_H

#include <string>

#include "finding.h"

// Checks what `path` names and hands every finding to `sink`:
// - a directory is a medium: its qvsetup.ini, the country settings file
//   that qvsmzad reads by default, and those that its launch lists name;
// - a file named qvsetup.ini (in any letter case) is checked against the
//   files beside it;
// - any other file is a country settings file.
// The registry reads names in the ANSI code page `codePage`. Returns false,
// with `problem` saying why, when the input can not be read.
bool LintPath(const std::string& path, unsigned codePage, FindingSink* sink, std::string* problem);

// Whether the last part of a path names setup's qvsetup.ini (in any letter
// case); any other file is a country settings file.
bool NamesSetupIni(const std::string& path);

// Standard input ("-" on the command line): a qvsetup.ini, checked against
// the files beside `name`, or a country settings file; its findings give it
// `name`.
struct StandardInput {
  bool setupIni;
  std::string name;
};

// As LintPath, for what standard input holds.
bool LintStandardInput(const StandardInput& input, unsigned codePage, FindingSink* sink,
                       std::string* problem);

#endif
