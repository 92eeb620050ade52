// qvlint --effect FILE: what qvsmzad writes from a country settings file, as
// a REGEDIT4 file.
#ifndef QVLINT_EFFECT_COMMAND_H
#define QVLINT_EFFECT_COMMAND_H

// The arguments beside --effect: --platform, --codepage, --time and one
// file. Exit code 0; 2 when a key or value name can not be written in a
// REGEDIT4 file; 3 when the file can not be read or the command line is
// unusable.
int EffectCommand(int argc, char** argv);

#endif
