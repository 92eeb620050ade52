// qvlint PATH...: the findings of media, qvsetup.ini files and country
// settings files.
#ifndef QVLINT_LINT_COMMAND_H
#define QVLINT_LINT_COMMAND_H

// The arguments: --json, --quiet, --codepage, --ignore, --stdin-kind,
// --stdin-filename, --codes and the paths. Exit code 0 for notes only, 1 for
// warnings but no error, 2 for errors, 3 when an input can not be read or
// the command line is unusable.
int LintCommand(int argc, char** argv);

#endif
