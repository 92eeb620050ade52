// Numbers of the country settings file: whether one reads as it looks.
#ifndef QVLINT_NUMBER_CHECK_H
#define QVLINT_NUMBER_CHECK_H

#include "finding.h"

// What follows the number in its text.
enum NumberEnding {
  kNumberEndsClean,   // nothing but white space
  kNumberEndsInNote,  // a ";" note
  kNumberReported     // a finding was reported about the number
};

// What a number is, for the findings: its role ("minimum", "type code")
// and the name of the value it belongs to, or an empty one.
struct NumberName {
  const char* role;
  const char* owner;
};

// Checks the number that qvsmzad converts from the text between `begin` and
// `end` (a comma or the end of the line) with `base` (0: the base follows
// the text; 10: decimal), as it converts it; `begin` lies at `column` of
// the line. With `notesAllowed` a ";" after the number starts a note;
// otherwise it is trailing text. Reports at most one finding.
NumberEnding CheckNumber(const FindingPlace& place, unsigned line, unsigned column,
                         const NumberName& name, const char* begin, const char* end, int base,
                         bool notesAllowed);

#endif
