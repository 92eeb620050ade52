#include "fleet.h"

#include <cstring>
#include <string>
#include <vector>

#include "arguments.h"
#include "fleet_report.h"

int FleetCommand(int argc, char** argv) {
  std::vector<std::string> paths;
  bool json = false;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--fleet") == 0) continue;
    if (strcmp(argv[i], "--json") == 0) {
      json = true;
    } else if (argv[i][0] == '-') {
      SayProblem("--fleet: unknown option ", argv[i], "");
      PrintUsage(stderr);
      return kFleetUnusable;
    } else {
      paths.push_back(argv[i]);
    }
  }
  if (paths.empty()) {
    SayProblem("--fleet: ", "no log or directory named", "");
    PrintUsage(stderr);
    return kFleetUnusable;
  }
  return ReportFleet(paths, json, stdout, stderr);
}
