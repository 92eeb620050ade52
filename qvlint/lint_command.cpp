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
#include "plan_command.h"

namespace {

struct LintRequest {
  unsigned codePage;
  std::vector<std::string> paths;
  const char* stdinKind;      // --stdin-kind, or nullptr
  const char* stdinFilename;  // --stdin-filename, or nullptr
  bool plans;                 // a medium directory is planned on every class too
  PlanRequest plan;
};

// What "-" reads: the kind that --stdin-kind names, or else the kind of the
// name of --stdin-filename; a country settings file named <stdin> when
// neither is given.
StandardInput StandardInputOf(const LintRequest& request) {
  StandardInput input = {false,
                         request.stdinFilename != nullptr ? request.stdinFilename : "<stdin>"};
  if (request.stdinKind != nullptr)
    input.setupIni = strcmp(request.stdinKind, "ini") == 0;
  else
    input.setupIni = request.stdinFilename != nullptr && NamesSetupIni(request.stdinFilename);
  return input;
}

// The options and paths into request and output. kGoOn, or the exit code
// with which the command ends here: the codes listed, an unusable command
// line.
int ReadLintArguments(int argc, char** argv, LintRequest* request, Output* output) {
  for (int i = 1; i < argc; ++i) {
    const char* value = nullptr;
    int ended = kGoOn;
    if (ValueOption(argc, argv, &i, "--codepage", &value)) {
      if (value == nullptr) return MissingValue("--codepage", "--codepage N");
      if (!ReadCodePage(value, &request->codePage)) return UnknownCodePage(value);
    } else if (ValueOption(argc, argv, &i, "--ignore", &value)) {
      if (value == nullptr) return MissingValue("--ignore", "--ignore CODE[,CODE...]");
      std::string unknown;
      if (!IgnoreCodes(value, output, &unknown))
        return UsageError("--ignore: no finding code is named \"", unknown,
                          "\" (qvlint --codes lists them)");
    } else if (ValueOption(argc, argv, &i, "--stdin-kind", &value)) {
      if (value == nullptr) return MissingValue("--stdin-kind", "--stdin-kind ini|country");
      if (strcmp(value, "ini") != 0 && strcmp(value, "country") != 0)
        return UsageError("--stdin-kind: unknown kind \"", value, "\" (ini, country)");
      request->stdinKind = value;
    } else if (ValueOption(argc, argv, &i, "--stdin-filename", &value)) {
      if (value == nullptr || *value == '\0')
        return MissingValue("--stdin-filename", "--stdin-filename NAME");
      request->stdinFilename = value;
    } else if (strcmp(argv[i], "--json") == 0) {
      output->json = true;
    } else if (strcmp(argv[i], "--quiet") == 0) {
      output->errorsOnly = true;
    } else if (strcmp(argv[i], "--no-plan") == 0) {
      request->plans = false;
    } else if (ReadPlanOption(argc, argv, &i, &request->plan, &ended)) {
      if (ended != kGoOn) return ended;
    } else if (strcmp(argv[i], "--codes") == 0) {
      if (argc != 2) return UsageError("", "--codes takes no other argument", "");
      PrintFindingCodes(stdout);
      return kClean;
    } else if (LooksLikeOption(argv[i])) {
      return UnknownOption(argv[i]);
    } else {
      request->paths.push_back(argv[i]);
    }
  }
  if (request->paths.empty()) return UsageError("", "no medium directory or file to check", "");
  return kGoOn;
}

}  // namespace

int LintCommand(int argc, char** argv) {
  Output output = {stdout, false, false, {}, 0, 0, 0};
  LintRequest request;
  request.codePage = kWesternCodePage;
  request.stdinKind = request.stdinFilename = nullptr;
  request.plans = true;
  request.plan = PlanRequest();
  request.plan.startTime = static_cast<int64_t>(time(nullptr));
  const int ended = ReadLintArguments(argc, argv, &request, &output);
  if (ended != kGoOn) return ended;
#ifdef _WIN32
  // A file on standard input as setup or qvsmzad would read it from disk:
  // its CR LF pairs and a Ctrl-Z are for the checks to judge.
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  FindingSink sink = {PrintFinding, &output};
  StartOutput(&output);
  bool unreadable = false;
  for (const std::string& path : request.paths) {
    std::string problem;
    const bool read =
        path == "-" ? LintStandardInput(StandardInputOf(request), request.codePage, &sink, &problem)
                    : LintPath(path, request.codePage, &sink, &problem);
    if (!read) {
      SayProblem("", problem, "");
      unreadable = true;
      continue;
    }
    // A medium is planned on every class: what the run then does is the
    // rest of the check.
    if (request.plans && KindOfPath(path) == kDirectoryFile &&
        !ReportPlansOfMedium(path, request.codePage, request.plan, &sink, &problem)) {
      SayProblem("", problem, "");
      unreadable = true;
    }
  }
  FinishOutput(&output);
  PrintClosingLine(stderr, output);
  return unreadable ? kUnusable : ExitCodeOf(output);
}
