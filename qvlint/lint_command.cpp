#include "lint_command.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "arguments.h"
#include "code_page.h"
#include "lint_input.h"
#include "medium_files.h"
#include "output.h"
#ifdef QVLINT_PLAN
#include "plan_command.h"
#endif

namespace {

const char kIgnoreOption[] = "--ignore";

// The list of codes after --ignore, as "--ignore LIST" or "--ignore=LIST";
// nullptr when the argument is no --ignore or the list is missing.
const char* IgnoreList(int argc, char** argv, int* i) {
  const size_t length = sizeof kIgnoreOption - 1;
  if (strncmp(argv[*i], kIgnoreOption, length) != 0) return nullptr;
  if (argv[*i][length] == '=') return argv[*i] + length + 1;
  if (argv[*i][length] != '\0' || *i + 1 == argc) return nullptr;
  return argv[++*i];
}

struct LintRequest {
  unsigned codePage;
  std::vector<std::string> paths;
  bool plans;  // a medium directory is planned on every class too
#ifdef QVLINT_PLAN
  PlanRequest plan;
#endif
};

// The options and paths into request and output. An exit code when the
// command ends here: the codes listed, an unusable command line.
bool ReadLintArguments(int argc, char** argv, LintRequest* request, Output* output, int* exitCode) {
  *exitCode = kUnreadable;
  for (int i = 1; i < argc; ++i) {
    bool valid = true;
    if (CodePageOption(argc, argv, &i, &request->codePage, &valid)) {
      if (!valid) {
        PrintUsage(stderr);
        return false;
      }
    } else if (strcmp(argv[i], "--json") == 0) {
      output->json = true;
    } else if (strcmp(argv[i], "--no-plan") == 0) {
      request->plans = false;
#ifdef QVLINT_PLAN
    } else if (ReadPlanOption(argc, argv, &i, &request->plan, &valid)) {
      if (!valid) return false;
#endif
    } else if (strcmp(argv[i], "--codes") == 0 && argc == 2) {
      PrintFindingCodes(stdout);
      *exitCode = kClean;
      return false;
    } else if (const char* names = IgnoreList(argc, argv, &i)) {
      std::string unknown;
      if (!IgnoreCodes(names, output, &unknown)) {
        SayProblem("--ignore: no finding code is named \"", unknown,
                   "\" (qvlint --codes lists them)");
        return false;
      }
    } else if (argv[i][0] == '-' && argv[i][1] == '-') {
      PrintUsage(stderr);
      return false;
    } else {
      request->paths.push_back(argv[i]);
    }
  }
  if (!request->paths.empty()) return true;
  PrintUsage(stderr);
  return false;
}

}  // namespace

int LintCommand(int argc, char** argv) {
  Output output = {stdout, false, {}, 0, 0};
  LintRequest request;
  request.codePage = kWesternCodePage;
  request.plans = true;
#ifdef QVLINT_PLAN
  request.plan = PlanRequest();
  request.plan.startTime = static_cast<int64_t>(time(nullptr));
#endif
  int exitCode = kClean;
  if (!ReadLintArguments(argc, argv, &request, &output, &exitCode)) return exitCode;
#ifdef _WIN32
  // A country settings file on standard input as qvsmzad would read it from
  // disk: its CR LF pairs and a Ctrl-Z are for the checks to judge.
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  FindingSink sink = {PrintFinding, &output};
  StartOutput(&output);
  bool unreadable = false;
  for (const std::string& path : request.paths) {
    std::string problem;
    if (!LintPath(path, request.codePage, &sink, &problem)) {
      SayProblem("", problem, "");
      unreadable = true;
      continue;
    }
#ifdef QVLINT_PLAN
    // A medium is planned on every class: what the run then does is the
    // rest of the check.
    if (request.plans && KindOfPath(path) == kDirectoryFile &&
        !ReportPlansOfMedium(path, request.plan, &sink, &problem)) {
      SayProblem("", problem, "");
      unreadable = true;
    }
#endif
  }
  FinishOutput(&output);
  if (unreadable) return kUnreadable;
  return output.failing > 0 ? kFindings : kClean;
}
