// The lines of setup's installation log as qvlint --fleet reads them, in
// every form that setup has written: "YYYY-MM-DD HH:MM:SS.mmm " and the
// event's text. The start line named the class only in the first logs
// ("start: class 6 (Windows 98 SE), switches S, ..."), the computer too
// since ("start: computer "PC", class ..."); the end line gave the exit code
// alone ("end: exit code -1"), now also its reason ("end: exit code -1:
// ..."), and a failure that fails the run starts with "!!! ".
#ifndef QVLINT_FLEET_LINES_H
#define QVLINT_FLEET_LINES_H

#include <cstddef>

#include "base/log_rules.h"

// The longest line that setup writes, with its CR LF, and room for the
// failure mark before a text cut at its limit.
const size_t kFleetLineSize = kLogLineSize + 8;

struct LogClock {
  int year, month, day, hour, minute, second, millisecond;
};

// The timestamp at the start of a line of `length` characters; false when
// the line has none.
bool ReadLogTime(const char* line, size_t length, LogClock* clock);

// Milliseconds from 1970-01-01 00:00 of the same clock, so that two times of
// one log subtract across a day's or a month's end.
long long ClockMilliseconds(const LogClock& clock);

// What a start line says; fields that its form lacks stay empty.
struct StartFacts {
  char computer[64];  // empty in the logs before the computer was named
  int osClass;
  char className[32];  // "Windows 98 SE"
  char switches[16];   // "S D R" or "none"
};

// The text of a start line ("start: ..."); false for any other text or a
// start line that does not hold a class and switches.
bool ReadStartText(const char* text, StartFacts* facts);

// The text of an end line: its exit code and its reason, which points into
// text and is empty in the logs before the end named it. False for any
// other text.
bool ReadEndText(const char* text, long* exitCode, const char** reason);

// The text without its "!!! " mark when it is a failure that fails the run;
// null otherwise.
const char* FailureText(const char* text);

// Whether text is of a form that some version of setup's log writes.
bool KnownLogText(const char* text);

// In a log before failures were marked: whether text is a change, a check or
// a start of a program that did not succeed, a run's failure as far as its
// line shows. Removals of what was not there are not.
bool UnmarkedFailureText(const char* text);

// Why a line of `length` characters (its CR LF taken off) can not be read, or
// null when it can: control bytes (which setup never writes), no
// timestamp, a text of no known form.
const char* LineFault(const char* line, size_t length);

#endif
