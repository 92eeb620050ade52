// What the commands of qvlint share: their usage text, their exit codes and
// the reading of their options.
#ifndef QVLINT_ARGUMENTS_H
#define QVLINT_ARGUMENTS_H

#include <cstdio>
#include <string>

enum ExitCode { kClean = 0, kFindings = 1, kUnreadable = 2 };

// The usage of every command that this build of qvlint has.
void PrintUsage(FILE* stream);

// "qvlint: ", before, text with its control characters escaped, after, on
// standard error.
void SayProblem(const char* before, const std::string& text, const char* after);

bool HasArgument(int argc, char** argv, const char* wanted);

// The number after an option such as --codepage, as "--codepage N" or
// "--codepage=N"; false when the argument is no such option. A missing or
// malformed number leaves `valid` false.
bool NumberOption(int argc, char** argv, int* i, const char* option, long long* number,
                  bool* valid);

// --codepage with a code page that qvlint knows; false when the argument is
// no --codepage.
bool CodePageOption(int argc, char** argv, int* i, unsigned* codePage, bool* valid);

#endif
