// The effect of a country settings file written as a REGEDIT4 file: what
// regedit must import to give the registry that qvsmzad leaves.
#ifndef QVLINT_EFFECT_OUTPUT_H
#define QVLINT_EFFECT_OUTPUT_H

#include <cstdio>
#include <string>

#include "country_effect.h"
#include "reg_file.h"

// Writes the file (CR LF line ends) to `stream`: a comment block with what
// it assumes, the removal of the Country key, as qvsmzad first empties it,
// then every key that the run leaves with its values, in the order of
// creation, and the values that deletion lines remove from a key that
// stays. Returns false when a key or value name holds a line break, which a
// REGEDIT4 file can not express: such a name is left out with a comment.
bool PrintCountryEffect(const CountryEffect& effect, FILE* stream);

#endif
