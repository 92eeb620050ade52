// Printing findings: one line each for people, or a JSON array for tools.
#ifndef QVLINT_OUTPUT_H
#define QVLINT_OUTPUT_H

#include <cstdio>

#include "finding.h"

struct Output {
  FILE* stream;
  bool json;
  unsigned written;
};

// Opens the JSON array; nothing for the lines.
void StartOutput(Output* output);

// A FindingSink's `take`, with the Output as its context:
//   file:line: reason; effect [code]
// or one JSON object with file, line, program, code, reason and effect.
void PrintFinding(void* output, const Finding& finding);

// Closes the JSON array.
void FinishOutput(Output* output);

// Every finding code with a summary, one per line.
void PrintFindingCodes(FILE* stream);

#endif
