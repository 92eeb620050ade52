// The report of qvlint --fleet on the logs that files and directories hold.
#ifndef QVLINT_FLEET_REPORT_H
#define QVLINT_FLEET_REPORT_H

#include <cstdio>
#include <string>
#include <vector>

// Exit codes of --fleet; 2 stays for the errors of a medium.
enum FleetExitCode { kFleetAllInstalled = 0, kFleetNotAllInstalled = 1, kFleetUnusable = 3 };

// The report on the logs of `paths` (a directory stands for every file in
// it, in the order of their names) to out, what could not be read to err.
// Returns kFleetAllInstalled when every file is a log whose last run
// installed, kFleetUnusable when a path can not be read, otherwise
// kFleetNotAllInstalled.
int ReportFleet(const std::vector<std::string>& paths, bool json, FILE* out, FILE* err);

#endif
