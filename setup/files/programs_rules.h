// The command line handed to a started program, built from its argument
// vector so that the C runtime of that program splits it back into exactly
// these words.
#ifndef SETUP_FILES_PROGRAMS_RULES_H
#define SETUP_FILES_PROGRAMS_RULES_H

#include <stddef.h>

// Joins the words with single spaces. A word that holds a space, a tab or
// a quotation mark (or is empty) is put in quotation marks, its inner
// quotation marks and the backslashes before them escaped with backslashes.
// False, with out empty, when the line would not fit outSize.
bool FormArgumentLine(const char* const* words, int wordCount, char* out, size_t outSize);

#endif
