// qvlint PATH...: the findings of media, qvsetup.ini files and country
// settings files.
#ifndef QVLINT_LINT_COMMAND_H
#define QVLINT_LINT_COMMAND_H

// The arguments: --json, --codepage, --ignore, --codes and the paths. Exit
// code 0 without findings (notes may be printed), 1 with findings, 2 when
// an input can not be read or the command line is unusable.
int LintCommand(int argc, char** argv);

#endif
