// What the commands of qvlint share: their usage text, the messages of a
// command line that qvlint can not use, and the reading of their options.
#ifndef QVLINT_ARGUMENTS_H
#define QVLINT_ARGUMENTS_H

#include <cstdint>
#include <cstdio>
#include <string>

#include "output.h"

// What a reading of the arguments answers when the command goes on, where
// it otherwise gives the exit code with which the command ends.
const int kGoOn = -1;

// The usage of every command that this build of qvlint has.
void PrintUsage(FILE* stream);

// "qvlint: ", before, text with its control characters escaped, after, on
// standard error.
void SayProblem(const char* before, const std::string& text, const char* after);

// A command line that qvlint can not use: the fault in one line as
// SayProblem writes it, then "qvlint: see qvlint --help". Returns kUnusable.
int UsageError(const char* before, const std::string& text, const char* after);

// The usage error of an argument that starts with "-" and is no option of
// the command.
int UnknownOption(const char* argument);

bool HasArgument(int argc, char** argv, const char* wanted);

// Whether an argument is `option`, alone or as "option=VALUE".
bool HasOption(int argc, char** argv, const char* option);

// Whether an argument has an option's form: "-" and more ("-" alone names
// standard input).
bool LooksLikeOption(const char* argument);

// Whether argv[*i] is `option` that takes a value, as "--option VALUE" or
// "--option=VALUE"; `value` is then the value, or nullptr when none
// follows, and *i the index of the last argument taken.
bool ValueOption(int argc, char** argv, int* i, const char* option, const char** value);

// The usage error of `option` without its value; `form` shows one, such as
// "--codepage N".
int MissingValue(const char* option, const char* form);

// A code page that qvlint knows, as a number.
bool ReadCodePage(const char* text, unsigned* codePage);

// The usage error of a code page that ReadCodePage does not take.
int UnknownCodePage(const char* text);

// A time in seconds since 1970, not before it.
bool ReadSeconds(const char* text, int64_t* seconds);

#endif
