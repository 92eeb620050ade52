// qvlint: reports every line of a qvsetup.ini, a country settings file or a
// whole medium that setup or qvsmzad passes over in silence, or reads
// otherwise than it looks, and what the program does instead.
//   qvlint [--json] PATH...    exit code 0: clean, 1: findings, 2: unreadable input
//   qvlint --codes             the finding codes
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "lint_input.h"
#include "output.h"

namespace {

const char kUsage[] =
    "usage: qvlint [--json] PATH...   check a medium directory, a qvsetup.ini or a country "
    "settings file\n"
    "       qvlint --codes            list the finding codes\n";

enum ExitCode { kClean = 0, kFindings = 1, kUnreadable = 2 };

}  // namespace

int main(int argc, char** argv) {
  bool json = false;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--json") == 0) {
      json = true;
    } else if (strcmp(argv[i], "--codes") == 0 && argc == 2) {
      PrintFindingCodes(stdout);
      return kClean;
    } else if (argv[i][0] == '-' && argv[i][1] == '-') {
      fputs(kUsage, stderr);
      return kUnreadable;
    } else {
      paths.push_back(argv[i]);
    }
  }
  if (paths.empty()) {
    fputs(kUsage, stderr);
    return kUnreadable;
  }

  Output output = {stdout, json, 0};
  FindingSink sink = {PrintFinding, &output, 0};
  StartOutput(&output);
  bool unreadable = false;
  for (const std::string& path : paths) {
    std::string problem;
    if (!LintPath(path, &sink, &problem)) {
      fprintf(stderr, "qvlint: %s\n", problem.c_str());
      unreadable = true;
    }
  }
  FinishOutput(&output);
  if (unreadable) return kUnreadable;
  return sink.count > 0 ? kFindings : kClean;
}
