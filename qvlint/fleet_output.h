// The report of qvlint --fleet: one line per computer, the failures grouped
// by their reason, the files that are no log and the lines not read, and
// the counts; or all of it as one JSON object (its schema is in the README).
#ifndef QVLINT_FLEET_OUTPUT_H
#define QVLINT_FLEET_OUTPUT_H

#include <cstdio>
#include <string>
#include <vector>

#include "fleet_log.h"

struct FleetCounts {
  unsigned installed, failed, withoutEnd, notLogs;
};

FleetCounts CountFleet(const std::vector<FleetLog>& logs);

// The computers (their logs' indexes) of one reason of failing.
struct FailureGroup {
  std::string reason;
  std::vector<size_t> logs;
};

// The failed runs grouped by their reason: the reason that most computers
// share first, reasons of equal counts in the order of their first log.
std::vector<FailureGroup> GroupFailures(const std::vector<FleetLog>& logs);

// "412 installed, 9 failed, 2 without an end", and ", N not logs" when any
// file is none.
std::string CountsLine(const FleetCounts& counts);

// "4.1 s", "12 min 5 s", "3 h 2 min".
std::string DurationText(long long milliseconds);

void PrintFleetText(const std::vector<FleetLog>& logs, FILE* out);
void PrintFleetJson(const std::vector<FleetLog>& logs, FILE* out);

#endif
