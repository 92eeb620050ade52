// Printing findings: one line each for people, or a JSON array for tools.
#ifndef QVLINT_OUTPUT_H
#define QVLINT_OUTPUT_H

#include <cstdio>
#include <string>

#include "finding.h"

// qvlint's exit codes: the worst severity printed, or a command line or an
// input that qvlint can not use.
enum ExitCode { kClean = 0, kWarnings = 1, kErrors = 2, kUnusable = 3 };

struct Output {
  FILE* stream;
  bool json;
  bool errorsOnly;                  // --quiet: warnings and notes neither printed nor counted
  bool ignored[kFindingCodeCount];  // codes neither printed nor counted
  unsigned written;                 // findings printed, notes included
  unsigned errors;                  // of them, errors
  unsigned warnings;                // and warnings
};

// Adds the codes of a comma-separated list of names to those ignored.
// Returns false, with `unknown` naming it, at a name that no code has.
bool IgnoreCodes(const char* names, Output* output, std::string* unknown);

// Opens the JSON array; nothing for the lines.
void StartOutput(Output* output);

// A FindingSink's `take`, with the Output as its context, in the form of a
// compiler's diagnostics that editors and CI read:
//   file:line:column: error: reason; effect [code]
// (or "warning:", "note:")
// or one JSON object with file, line, column, program, code, severity,
// platforms, reason and effect. No control byte goes out as it is: the
// reason and the effect hold none (Say escapes them), and those of a file
// name are written as \xHH in the lines and as JSON escapes (\u001b) in JSON.
void PrintFinding(void* output, const Finding& finding);

// Closes the JSON array.
void FinishOutput(Output* output);

// The count that ends a compiler's run, "qvlint: 2 errors, 1 warning"
// without a line end; empty when there is neither error nor warning.
// Notes are not counted.
std::string ClosingLine(unsigned errors, unsigned warnings);

// The closing line of the output's counts on `stream`, if it has one.
void PrintClosingLine(FILE* stream, const Output& output);

// kClean for notes only, kWarnings for warnings only, kErrors for errors.
int ExitCodeOf(const Output& output);

// A JSON string; bytes of 80 hex and above are taken as Latin-1 characters,
// which keeps the output valid UTF-8 whatever the file held and gives a tool
// the bytes back when it writes the text as Latin-1.
void PrintJsonString(FILE* stream, const char* text);

// Every finding code with its severity and a summary, one per line.
void PrintFindingCodes(FILE* stream);

#endif
