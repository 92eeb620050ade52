// One installation log as qvlint --fleet sums it up: the last run in it
// (setup appends each run to the same file), how that run ended and why,
// and the lines that could not be read. A log is read line by line in a
// buffer of one line's size, whatever the file's size.
#ifndef QVLINT_FLEET_LOG_H
#define QVLINT_FLEET_LOG_H

#include <cstdio>
#include <string>
#include <vector>

#include "fleet_lines.h"

enum FleetResult { kRunInstalled, kRunFailed, kRunWithoutEnd };

// Where the reason of a run's ending was read.
enum ReasonSource { kReasonOfEndLine, kReasonOfFailureLine, kReasonOfLastLine, kNoReasonGiven };

struct UnreadLine {
  unsigned long number;
  std::string why;
};

// Lines not read that a log lists; the others are only counted.
const size_t kUnreadLinesListed = 20;

struct FleetLog {
  std::string file;
  bool isLog;            // false: no start line first (binary, empty, another file)
  std::string notALog;   // why, when it is none
  StartFacts start;      // of the last run
  bool computerOfFile;   // the start line names no computer: the file's name stands for it
  std::string computer;  // the computer's name, or the file's without its extension
  LogClock started;
  long long milliseconds;  // from the start line to the end line, or to the last line
  FleetResult result;
  long exitCode;
  std::string reason;
  ReasonSource reasonSource;
  unsigned runs;  // start lines in the file
  std::vector<UnreadLine> unread;
  unsigned long unreadCount;  // all lines not read, those listed included
  // While reading: the last run's first failure lines and its last line.
  std::string markedFailure, unmarkedFailure, lastText;
  unsigned long lines;
};

// A log of `file` before its first line.
FleetLog StartFleetLog(const std::string& file);

// How a line of the file ends: with its line end, with the file (a log cut
// off, or one that another process still writes), or not at all within
// the longest line that setup writes (then only its start is taken).
enum LineEnd { kLineWhole, kLineCutByFileEnd, kLineTooLong };

// Takes the next line of the log, without its line end, zero-terminated at
// `length`.
void TakeFleetLine(FleetLog* log, const char* line, size_t length, LineEnd end);

// Sets the result and reason of the last run once every line is taken.
void FinishFleetLog(FleetLog* log);

// Reads every line of `stream` into log and finishes it; false when the
// stream could not be read to its end.
bool ReadFleetLog(FILE* stream, FleetLog* log);

#endif
