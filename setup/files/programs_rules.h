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

// The command line that starts a batch program through NT's command
// interpreter ("cmd /c"), so that the interpreter runs the file that setup
// found instead of searching the current directory and the path for its
// name: the program's full path, quoted, then the argument words as
// FormArgumentLine joins them, the whole in one more pair of quotation
// marks, which the interpreter strips again:
//   cmd /c ""C:\Medium Dir\tool.bat" one "two words""
// False, with out empty, when the line would not fit outSize.
bool FormInterpreterLine(const char* program, const char* const* arguments, int argumentCount,
                         char* out, size_t outSize);

// A program named without an extension is looked for as the C runtime's
// spawn does: with each of these added, in this order.
const int kProgramExtensionCount = 4;
extern const char* const kProgramExtensions[kProgramExtensionCount];

// Whether the last part of path (after its last backslash, slash or drive
// colon) holds a dot.
bool HasExtension(const char* path);

// Whether path ends in extension (given in small letters), in any case.
bool EndsInExtension(const char* path, const char* extension);

// Whether path ends in ".bat" or ".cmd", in any case: the system starts it
// through the command interpreter, which reads its line anew.
bool IsBatchProgram(const char* path);

// The first of the words that holds a character the command interpreter
// reads as an operator or a variable (& | < > ^ %); -1 when none does.
int FindInterpreterOperatorWord(const char* const* words, int wordCount);

#endif
